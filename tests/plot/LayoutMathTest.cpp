#include "plot/TiPlotLayoutMath.h"

#include <gtest/gtest.h>

namespace {

TiPlotLayoutItem axis(bool horizontal, int z, int width, int guard, double start = 0, double stop = 100)
{
    TiPlotLayoutItem it;
    it.Kind = TiPlotLayoutKind::Axis;
    it.Horizontal = horizontal;
    it.ZOrder = z;
    it.RequiredWidth = width;
    it.LengthGuard = guard;
    it.StartPercent = start;
    it.StopPercent = stop;
    it.Along = 13;
    it.WidthOf0 = 6;
    it.HeightOf0 = 14;
    return it;
}

TiPlotLayoutItem object(TiPlotLayoutKind kind, bool horizontal, int z, int width)
{
    TiPlotLayoutItem it;
    it.Kind = kind;
    it.Horizontal = horizontal;
    it.ZOrder = z;
    it.RequiredWidth = width;
    return it;
}

TiPlotLayoutWidget widget()
{
    TiPlotLayoutWidget w;
    w.Width = 600;
    w.Height = 300;
    w.Border = true;
    w.OuterMarginLeft = w.OuterMarginTop = w.OuterMarginRight = w.OuterMarginBottom = 3;
    return w;
}

} // namespace

TEST(PlotLayoutMath, ConsoleBands)
{
    // "Y-Axis 1" left, "X-Axis 1" below, "Legend 1" right, nothing above.
    const std::vector<TiPlotLayoutItem> items {axis(false, 0, 50, 6), axis(true, 0, 30, 15),
                                               object(TiPlotLayoutKind::Legend, false, 2, 70)};
    const TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
    // The top starts half an "XYZ" below the border and margin, for the Y labels.
    EXPECT_EQ(r.BandDataView, (TiRect {55, 11, 524, 264}));
    EXPECT_EQ(r.DataView, r.BandDataView);
    EXPECT_EQ(r.Places[0].DrawRect, (TiRect {5, 11, 55, 264}));
    EXPECT_EQ(r.Places[0].Side, TiPlotSide::Left);
    EXPECT_FALSE(r.Places[0].ReverseSide);
    EXPECT_EQ(r.Places[1].DrawRect, (TiRect {55, 264, 524, 294}));
    EXPECT_EQ(r.Places[2].DrawRect, (TiRect {524, 11, 594, 264}));
    EXPECT_EQ(r.Places[2].Side, TiPlotSide::Right);
    EXPECT_TRUE(r.Places[2].ReverseSide);
    EXPECT_EQ(r.Places[0].ScaleRect, r.Places[0].DrawRect);

    TiPlotLayoutWidget borderless = widget();
    borderless.Border = false;
    EXPECT_EQ(TiPlotLayoutMath::layout(borderless, items).DataView, (TiRect {53, 9, 526, 266}));
}

TEST(PlotLayoutMath, LoneToolBarSitsAtTheTop)
{
    const std::vector<TiPlotLayoutItem> items {axis(false, 0, 50, 6), axis(true, 0, 30, 15),
                                               object(TiPlotLayoutKind::ToolBar, true, 5, 25)};
    const TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
    EXPECT_EQ(r.Places[2].DrawRect, (TiRect {2, 2, 597, 27}));
    EXPECT_EQ(r.DataView.Top, 25 + 2 + 3 + 6);
}

TEST(PlotLayoutMath, StackedAxesShareOneBand)
{
    const std::vector<TiPlotLayoutItem> items {axis(false, 0, 40, 6, 0, 50), axis(false, 0, 55, 6, 50, 100),
                                               axis(true, 0, 30, 15)};
    const TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
    const TiPlotLayoutPlace& lower = r.Places[0];
    const TiPlotLayoutPlace& upper = r.Places[1];
    EXPECT_TRUE(lower.StopStacked);
    EXPECT_FALSE(lower.StartStacked);
    EXPECT_TRUE(upper.StartStacked);
    EXPECT_FALSE(upper.StopStacked);
    const int dvLeft = 55 + 2 + 3;
    EXPECT_EQ(lower.DrawRect.Left, dvLeft - 55);
    EXPECT_EQ(upper.DrawRect.Left, dvLeft - 55);
    EXPECT_EQ(lower.DrawRect.Right, dvLeft);
    // Halves of the data view's height; the shared end is shortened by
    // (label height + half a "0" height) div 2 on each side.
    const TiRect dv = r.BandDataView;
    const int middle = dv.Bottom - tiRound((dv.Bottom - dv.Top) * 0.5);
    EXPECT_EQ(lower.DrawRect.Top, middle);
    EXPECT_EQ(upper.DrawRect.Bottom, middle);
    EXPECT_EQ(lower.ScaleRect.Top, middle + 10);
    EXPECT_EQ(lower.ScaleRect.Bottom, dv.Bottom);
    EXPECT_EQ(upper.ScaleRect.Bottom, middle - 10);
    EXPECT_EQ(upper.LabelRect.Bottom, middle);
    // The top guard is only the upper axis' unstacked end.
    EXPECT_EQ(dv.Top, 6 + 2 + 3);

    // Forced stacking marks both ends.
    std::vector<TiPlotLayoutItem> forced {axis(false, 0, 40, 6)};
    forced[0].ForceStacking = true;
    const auto f = TiPlotLayoutMath::layout(widget(), forced);
    EXPECT_TRUE(f.Places[0].StartStacked && f.Places[0].StopStacked);
}

TEST(PlotLayoutMath, LegendZOrderPicksItsSide)
{
    for (int z : {1, 2}) {
        const std::vector<TiPlotLayoutItem> items {axis(false, 0, 50, 6), axis(true, 0, 30, 15),
                                                   object(TiPlotLayoutKind::Legend, false, z, 70)};
        const TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
        const TiRect dv = r.BandDataView;
        if (z == 1) {
            // Between the data view and the Y axis.
            EXPECT_EQ(r.Places[2].DrawRect.Right, dv.Left);
            EXPECT_EQ(r.Places[2].DrawRect.Left, dv.Left - 70);
            EXPECT_EQ(r.Places[0].DrawRect.Right, dv.Left - 70);
            EXPECT_EQ(r.Places[0].DrawRect.Left, dv.Left - 120);
            EXPECT_EQ(r.Left, (std::vector<int> {0, 2}));
        } else {
            EXPECT_EQ(r.Places[2].DrawRect.Left, dv.Right);
            EXPECT_EQ(r.Places[0].DrawRect.Right, dv.Left);
        }
    }
}

TEST(PlotLayoutMath, HiddenAxes)
{
    std::vector<TiPlotLayoutItem> items {axis(false, 0, 50, 6), axis(true, 0, 30, 15)};
    items[1].Visible = false;
    TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
    EXPECT_EQ(r.BandDataView.Bottom, 300 - (6 + 2 + 3) - 1); // only the Y labels' overhang is left
    // No X axis gives no width: the data view has no extent left to right.
    EXPECT_EQ(r.DataView.Left, 600);
    EXPECT_EQ(r.DataView.Right, 0);

    items[1].Visible = true;
    items[0].Visible = false;
    r = TiPlotLayoutMath::layout(widget(), items);
    EXPECT_EQ(r.DataView.Top, 300);
    EXPECT_EQ(r.DataView.Bottom, 0);
    EXPECT_EQ(r.BandDataView.Left, 15 + 2 + 3);
}

TEST(PlotLayoutMath, CartesianAndAlignedAxes)
{
    std::vector<TiPlotLayoutItem> items {axis(false, 0, 50, 6), axis(true, 0, 30, 15), axis(true, 0, 30, 15),
                                         axis(false, 0, 50, 6, 0, 50)};
    items[1].Cartesian = ipcsMaster;
    items[2].Cartesian = ipcsChild;
    items[2].CartesianRefItem = 0;
    items[2].CartesianRefValue = 25; // Y axis 0..100
    items[3].AlignRefItem = 0;
    items[3].ZOrder = 3; // on the right side
    TiPlotLayoutResult r = TiPlotLayoutMath::layout(widget(), items);
    const TiRect dv = r.BandDataView;
    // A cartesian axis takes no band: the bottom band is only the overhang.
    EXPECT_EQ(dv.Bottom, 300 - (6 + 2 + 3) - 1);
    EXPECT_EQ(r.Places[1].DrawRect, (TiRect {dv.Left, (dv.Top + dv.Bottom) / 2, dv.Right, (dv.Top + dv.Bottom) / 2}));
    const int y25 = dv.Bottom - tiRound((dv.Bottom - dv.Top) * 0.25);
    EXPECT_EQ(r.Places[2].DrawRect.Top, y25);
    EXPECT_EQ(r.Places[3].DrawRect.Top, r.Places[0].DrawRect.Top);
    EXPECT_EQ(r.Places[3].DrawRect.Bottom, r.Places[0].DrawRect.Bottom);
}

TEST(PlotLayoutMath, SideKeys)
{
    EXPECT_EQ(TiPlotLayoutMath::sideKey(2, 0), "002000");
    EXPECT_EQ(TiPlotLayoutMath::sideKey(0, 50), "000050");
    EXPECT_EQ(TiPlotLayoutMath::sideKey(12, 100), "012100");
    EXPECT_EQ(TiPlotLayoutMath::layerClipRect({10, 20, 300, 200}), (TiRect {10, 20, 301, 201}));
}

TEST(PlotLayoutMath, LayerOrder)
{
    struct Case {
        int intfan, extfan;
        std::vector<int> order; // 0 grid, 1 Intfan, 2 Extfan
    };
    for (const Case& c : {Case {101, 100, {0, 2, 1}}, Case {100, 101, {0, 1, 2}}, Case {100, 100, {0, 2, 1}},
                          Case {99, 100, {1, 0, 2}}}) {
        TiPlotLayerList list;
        list.add(TiPlotLayerList::key(100, 'B'), 0);
        list.add(TiPlotLayerList::key(c.intfan, 'F'), 1);
        list.add(TiPlotLayerList::key(c.extfan, 'F'), 2);
        EXPECT_EQ(list.order(), c.order) << c.intfan << " " << c.extfan;
    }
    EXPECT_EQ(TiPlotLayerList::key(101, 'F'), "000101F");
    EXPECT_EQ(TiPlotLayerList::key(-5, 'F'), "000000F");
    EXPECT_EQ(TiPlotLayerList::key(5000000, 'A'), "999999A");
}
