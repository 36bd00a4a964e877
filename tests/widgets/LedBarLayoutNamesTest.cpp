#include "widgets/TiLabel.h"
#include "widgets/TiLedBar.h"
#include "widgets/TiSwitchRotary.h"
#include "widgets/TiThermometer.h"

#include <gtest/gtest.h>

// The window's layout tables assign enumerations by their names.
TEST(LayoutNames, EnumerationsTakeTheirNames)
{
    TiLedBar bar;
    EXPECT_TRUE(bar.setProperty("SegmentDirection", QStringLiteral("idRight")));
    EXPECT_EQ(bar.SegmentDirection(), idRight);
    EXPECT_TRUE(bar.setProperty("SegmentStyle", QStringLiteral("ilbssCircle")));
    EXPECT_EQ(bar.SegmentStyle(), ilbssCircle);

    TiThermometer t;
    EXPECT_TRUE(t.setProperty("IndicatorFillReferenceStyle", QStringLiteral("ipfrsValue")));
    EXPECT_EQ(t.IndicatorFillReferenceStyle(), ipfrsValue);
    EXPECT_TRUE(t.setProperty("IndicatorStyle", QStringLiteral("itisBarRaised")));
    EXPECT_EQ(t.IndicatorStyle(), itisBarRaised);

    TiSwitchRotary knob;
    EXPECT_TRUE(knob.setProperty("RotationDesiredSpacing", QStringLiteral("irds90")));
    EXPECT_EQ(knob.RotationDesiredSpacing(), irds90);
    EXPECT_TRUE(knob.setProperty("PositionLabels", QStringLiteral("On, Off, Enable")));
    EXPECT_EQ(knob.PositionLabelCount(), 3);

    TiLabel label;
    EXPECT_TRUE(label.setProperty("BorderStyle", QStringLiteral("ilbsLowered")));
    EXPECT_EQ(label.LabelBorderStyle(), ilbsLowered);
}
