#include "widgets/TiSwitchMath.h"

#include <gtest/gtest.h>

using namespace TiSwitchMath;

TEST(SwitchMath, LabelParsing)
{
    EXPECT_EQ(parsePositionLabels(QStringLiteral("On, Off, Enable"), 16),
              (QStringList{"On", "Off", "Enable"}));
    EXPECT_EQ(parsePositionLabels(QStringLiteral("a,,b"), 0), (QStringList{"a", "???", "b"}));
    EXPECT_EQ(parsePositionLabels(QStringLiteral("a, "), 0), (QStringList{"a"}));
    EXPECT_EQ(parsePositionLabels(QStringLiteral(",a"), 0), (QStringList{"???", "a"}));
    EXPECT_TRUE(parsePositionLabels(QString(), 0).isEmpty());
    EXPECT_EQ(parsePositionLabels(QStringLiteral("1,2,3,4,5"), 3).size(), 3);
    EXPECT_TRUE(positionLabelsFit(QString(255, QLatin1Char('x'))));
    EXPECT_FALSE(positionLabelsFit(QString(256, QLatin1Char('x'))));
}

TEST(SwitchMath, SpacingShrinksForManyPositions)
{
    EXPECT_EQ(effectiveSpacing(90, 2), 90);
    EXPECT_EQ(effectiveSpacing(90, 5), 45);
    EXPECT_EQ(effectiveSpacing(45, 9), 22.5);
    EXPECT_EQ(effectiveSpacing(90, 9), 22.5);
    EXPECT_EQ(effectiveSpacing(22.5, 3), 22.5);
}

TEST(SwitchMath, ConsoleKnobsSitAtTheirClockPositions)
{
    // "On, Off": start 180, 90 apart.
    EXPECT_EQ(clockHour(positionAngle(0, 180, 90)), 9);
    EXPECT_EQ(clockHour(positionAngle(1, 180, 90)), 12);
    // "On, Off, Enable": 45 apart.
    EXPECT_EQ(clockHour(positionAngle(0, 180, 45)), 9);
    EXPECT_EQ(clockHour(positionAngle(1, 180, 45)), 10.5);
    EXPECT_EQ(clockHour(positionAngle(2, 180, 45)), 12);
    EXPECT_EQ(positionAngle(3, 0, 90), 90);
}

TEST(SwitchMath, GotoPicksTheSectorUnderTheMouse)
{
    // Knob centred at (50, 50), start 180, spacing 90, two positions.
    EXPECT_EQ(gotoPosition(20, 50, 50, 50, 180, 90, 2), 0);  // 9 o'clock
    EXPECT_EQ(gotoPosition(50, 20, 50, 50, 180, 90, 2), 1);  // 12 o'clock
    EXPECT_EQ(gotoPosition(80, 50, 50, 50, 180, 90, 2), 2);  // clamped later
    EXPECT_EQ(gotoPosition(50, 80, 50, 50, 180, 90, 2), -1); // 6 o'clock: ignored
    EXPECT_EQ(gotoPosition(28, 28, 50, 50, 180, 45, 3), 1);  // half past 10
}
