#include "plot/TiPlotScaleMap.h"
#include "widgets/TiGeometry.h"

#include <gtest/gtest.h>

TEST(PlotScaleMap, EndsMapToScaleEdgesAndSwapWhenReversed)
{
    const auto x = TiPlotScaleMap::horizontal(-45, 125, 40, 540);
    EXPECT_EQ(x.PositionToPixels(-45), 40);
    EXPECT_EQ(x.PositionToPixels(80), 540);
    EXPECT_EQ(x.PositionToPixels(17.5), 290);
    const auto xr = TiPlotScaleMap::horizontal(-45, 125, 40, 540, true);
    EXPECT_EQ(xr.PositionToPixels(-45), 540);
    EXPECT_EQ(xr.PositionToPixels(80), 40);

    const auto y = TiPlotScaleMap::vertical(0, 5500, 300, 10);
    EXPECT_EQ(y.PositionToPixels(0), 300);
    EXPECT_EQ(y.PositionToPixels(5500), 10);
    const auto yr = TiPlotScaleMap::vertical(0, 5500, 300, 10, true);
    EXPECT_EQ(yr.PositionToPixels(0), 10);
    EXPECT_EQ(yr.PositionToPixels(5500), 300);
}

TEST(PlotScaleMap, FarValuesClampInsteadOfOverflowing)
{
    const auto x = TiPlotScaleMap::horizontal(0, 100, 0, 500);
    EXPECT_EQ(x.PositionToPixels(1e9), 32000);
    EXPECT_EQ(x.PositionToPixels(-1e300), -32000);
    EXPECT_EQ(x.PositionToPixels(std::numeric_limits<double>::infinity()), 32000);
    EXPECT_FALSE(x.PointOnScale(1e9));
    EXPECT_TRUE(x.PointOnScale(100));
    EXPECT_TRUE(x.PointOnScale(0));
    EXPECT_FALSE(x.PointOnScale(-0.2)); // one pixel off
}

TEST(PlotScaleMap, SpanZeroStoresTheSmallestSpanAndMapsToTheMiddle)
{
    EXPECT_EQ(TiPlotScale::clampSpan(0), 1e-300);
    EXPECT_EQ(TiPlotScale::clampSpan(-5), 1e-300);
    EXPECT_EQ(TiPlotScale::clampSpan(1e301), 1e300);
    EXPECT_EQ(TiPlotScale::clampMin(-1e305), -1e300);
    const auto x = TiPlotScaleMap::horizontal(10, TiPlotScale::clampSpan(0), 20, 520);
    for (double v : {-1e9, 10.0, 11.0, 1e9})
        EXPECT_EQ(x.PositionToPixels(v), 270) << v;
}

TEST(PlotScaleMap, PixelsToPositionInvertsTheMapping)
{
    const auto x = TiPlotScaleMap::horizontal(-45, 125, 0, 500);
    EXPECT_DOUBLE_EQ(x.PixelsToPosition(0), -45);
    EXPECT_DOUBLE_EQ(x.PixelsToPosition(500), 80);
    EXPECT_DOUBLE_EQ(x.PixelsToPosition(50), -32.5);
    const auto y = TiPlotScaleMap::vertical(0, 5500, 300, 25);
    EXPECT_DOUBLE_EQ(y.PixelsToPosition(300), 0);
    EXPECT_DOUBLE_EQ(y.PixelsToPosition(25), 5500);
    const auto yr = TiPlotScaleMap::vertical(0, 5500, 300, 25, true);
    EXPECT_DOUBLE_EQ(yr.PixelsToPosition(300), 5500);
    const auto flat = TiPlotScaleMap::horizontal(3, 4, 10, 10);
    EXPECT_EQ(flat.PixelsToPosition(99), 3);
    EXPECT_EQ(x.WidthToPixels(25), 100);
    EXPECT_DOUBLE_EQ(x.PositionToPercent(17.5), 0.5);
    EXPECT_DOUBLE_EQ(TiPlotScaleMap::horizontal(0, 10, 0, 100, true).PositionToPercent(2), 0.8);
}

TEST(PlotScaleMap, Log10MapsDecadesEvenly)
{
    const auto x = TiPlotScaleMap::horizontal(1, 999, 0, 300, false, ipstLog10);
    EXPECT_EQ(x.PositionToPixels(1), 0);
    EXPECT_EQ(x.PositionToPixels(10), 100);
    EXPECT_EQ(x.PositionToPixels(100), 200);
    EXPECT_EQ(x.PositionToPixels(1000), 300);
    EXPECT_EQ(x.PositionToPixels(-5), 0); // non-positive values sit at 1
    EXPECT_NEAR(x.PixelsToPosition(200), 100, 1e-9);
}

TEST(PlotScaleMap, PixelRoundingMatchesTheWidgetsRounding)
{
    for (double v : {0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 2.4999999, 2.5000001, -7.49, 31999.5, -31999.5, 0.0})
        EXPECT_EQ(TiPlotScale::roundPixel(v), tiRound(v)) << v;
}
