#include "widgets/TiThermometerMath.h"

#include <gtest/gtest.h>

using namespace TiThermometerMath;

namespace {
// The console's column: 57 x 205, tube half-width 3, bulb 9.
Tube consoleTube()
{
    return tube(true, Style::Bulb, 12, 102, 3, 9, 10, 57, 205, 0, 0);
}
} // namespace

TEST(ThermometerMath, ConsoleTube)
{
    const Tube t = consoleTube();
    EXPECT_EQ(t.left, 9);
    EXPECT_EQ(t.right, 15);
    EXPECT_EQ(t.top, 10);
    EXPECT_EQ(t.bottom, 177);
}

TEST(ThermometerMath, LiquidLevelAcrossTheRange)
{
    const Tube t = consoleTube();
    EXPECT_EQ(bulbLiquidTop(0.0, t), 178);  // -40: only the cap at the bottom
    EXPECT_EQ(bulbLiquidTop(1.0, t), 10);   // 80: full
    EXPECT_EQ(bulbLiquidTop(0.5, t), 94);   // 20: half
}

TEST(ThermometerMath, PixelsAndReversal)
{
    const Tube t = consoleTube();
    EXPECT_EQ(positionPixels(0.0, t, true, false), 177);
    EXPECT_EQ(positionPixels(1.0, t, true, false), 10);
    EXPECT_EQ(positionPixels(1.0, t, true, true), 177);
    const Tube h = tube(false, Style::BarFramed, 50, 20, 3, 9, 10, 200, 40, 0, 0);
    EXPECT_EQ(h.left, 12);
    EXPECT_EQ(h.right, 188);
    EXPECT_EQ(positionPixels(0.5, h, false, false), 100);
    EXPECT_EQ(positionPixels(0.25, h, false, true), 144);
}

TEST(ThermometerMath, CentreShiftBalancesTubeAndLabels)
{
    EXPECT_EQ(centerShift(true, 2, 18, 3, 0, true, 10, 6), 33);
    EXPECT_EQ(centerShift(false, 2, 18, 3, 14, false, 10, 6), -17);
}
