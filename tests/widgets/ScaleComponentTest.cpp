#include "widgets/TiScaleComponent.h"

#include <gtest/gtest.h>

namespace {

class ScaleWidget : public TiScaleComponent {
public:
    ScaleWidget() { resize(60, 200); }

protected:
    void iPaintTo(TiCanvas& canvas) override { DrawBackGround(canvas, BackGroundColor()); }
};

} // namespace

TEST(ScaleComponent, FixedStyleKeepsBoundsAndPicksLabels)
{
    ScaleWidget w;
    w.SetPositionMin(-40);
    w.SetPositionMax(80);
    w.SetAutoScaleStyle(iassFixedMinMax);
    w.SetAutoScaleEnabled(true);
    EXPECT_EQ(w.PositionMin(), -40);
    EXPECT_EQ(w.PositionMax(), 80);
    EXPECT_EQ(w.LabelMin(), -25);
    EXPECT_EQ(w.LabelMax(), 75);
    EXPECT_EQ(w.TickMajorCount(), 5);
    EXPECT_EQ(w.LabelStart(), -25);
    // A new bound goes through the auto-scaler too.
    w.SetPositionMin(3);
    w.SetPositionMax(97);
    EXPECT_EQ(w.PositionMin(), 3);
    EXPECT_EQ(w.LabelMin(), 20);
    EXPECT_EQ(w.LabelMax(), 80);
    EXPECT_EQ(w.TickMajorCount(), 4);
}

TEST(ScaleComponent, AutoStyleMovesTheBounds)
{
    ScaleWidget w;
    w.SetPositionMin(3);
    w.SetPositionMax(97);
    w.SetAutoScaleEnabled(true);
    EXPECT_EQ(w.PositionMin(), 0);
    EXPECT_EQ(w.PositionMax(), 100);
    EXPECT_EQ(w.TickMajorCount(), 5);
    w.SetPositionMin(-40);
    EXPECT_EQ(w.PositionMin(), -50);
    EXPECT_EQ(w.PositionMax(), 100);
    EXPECT_EQ(w.TickMajorCount(), 4);
    // Labels run over the bounds in this style.
    EXPECT_FALSE(w.UsesLabelRange());
    EXPECT_EQ(w.LabelEnd(), 100);
}

TEST(ScaleComponent, AutoScalerWaitsForTheEndOfLoading)
{
    ScaleWidget w;
    w.BeginLoading();
    w.SetAutoScaleEnabled(true);
    w.SetAutoScaleStyle(iassFixedMinMax);
    w.SetPositionMin(-40);
    w.SetPositionMax(80);
    EXPECT_EQ(w.TickMajorCount(), 5);
    EXPECT_EQ(w.LabelMin(), 0);
    w.Loaded();
    EXPECT_EQ(w.LabelMin(), -25);
    EXPECT_EQ(w.LabelMax(), 75);
}

TEST(ScaleComponent, TickCountAssignmentsBelowTwoAreIgnored)
{
    ScaleWidget w;
    w.SetAutoScaleDesiredTicks(1);
    w.SetAutoScaleMaxTicks(0);
    EXPECT_EQ(w.AutoScaleDesiredTicks(), 5);
    EXPECT_EQ(w.AutoScaleMaxTicks(), 6);
    w.SetTickMajorCount(1);
    EXPECT_EQ(w.TickMajorCount(), 2);
    w.SetTickMajorCount(500);
    EXPECT_EQ(w.TickMajorCount(), 100);
    EXPECT_EQ(w.property("TickMajorCount").toInt(), 100);
}

TEST(ScaleComponent, LabelTextsFollowPrecisionAndTheCustomisingEvent)
{
    ScaleWidget w;
    w.SetPositionMax(0.5);
    w.SetPrecisionStyle(ipsSignificantDigits);
    w.SetTickLabelPrecision(3);
    EXPECT_EQ(w.GetDecimalPoints(), 3);
    EXPECT_EQ(w.GetTickLabelText(1, 0.25), QStringLiteral("0.250"));
    QObject::connect(&w, &TiScaleComponent::OnCustomizeTickLabel, &w,
                     [](int index, QString& text) {
                         if (index == 2)
                             text += QStringLiteral(" V");
                     });
    EXPECT_EQ(w.GetTickLabelText(1, 0.25), QStringLiteral("0.250"));
    EXPECT_EQ(w.GetTickLabelText(2, 0.5), QStringLiteral("0.500 V"));
}

TEST(ScaleComponent, ScaleSettingChangeRebuildsTheBackground)
{
    ScaleWidget w;
    w.grab();
    EXPECT_FALSE(w.BackGroundChanged());
    w.SetTickMinorColor(clRed);
    EXPECT_TRUE(w.BackGroundChanged());
    w.grab();
    w.SetTickMinorColor(clRed);
    EXPECT_FALSE(w.BackGroundChanged());
}
