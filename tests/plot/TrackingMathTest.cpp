#include "plot/TiPlotTracking.h"
#include "widgets/TiError.h"

#include <gtest/gtest.h>

using namespace TiPlotTracking;

namespace {
TiPlotTrackingSettings style(TiPlotTrackingStyle s, TiPlotAlignFirstStyle a = ipafsNone, double compress = 0)
{
    return {true, s, a, compress};
}
} // namespace

TEST(PlotTrackingMath, ScaleStylesGrowTowardNewValues)
{
    // Min/max: the span grows to a value above; a value below moves Min
    // and keeps the span, so the top end moves down with it.
    Outcome o = newTrackingData({0, 5500}, true, style(iptsScaleMinMax), 6000);
    EXPECT_EQ(o.Range, (TiPlotRange {0, 6000}));
    o = newTrackingData(o.Range, true, style(iptsScaleMinMax), -100);
    EXPECT_EQ(o.Range, (TiPlotRange {-100, 6000}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScaleMinMax), 50).Range, (TiPlotRange {0, 100}));

    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScaleMax), 150).Range, (TiPlotRange {0, 150}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScaleMax), -50).Range, (TiPlotRange {0, 100}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScaleMin), -50).Range, (TiPlotRange {-50, 100}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScaleMin), 150).Range, (TiPlotRange {0, 100}));

    TiPlotTrackingSettings off = style(iptsScaleMinMax);
    off.Enabled = false;
    o = newTrackingData({0, 100}, false, off, 1e6);
    EXPECT_EQ(o.Range, (TiPlotRange {0, 100}));
    EXPECT_FALSE(o.FirstValueAligned);
}

TEST(PlotTrackingMath, ScrollStyles)
{
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScrollSmooth), 130).Range, (TiPlotRange {30, 100}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScrollSmooth), -20).Range, (TiPlotRange {-20, 100}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScrollPage), 130).Range, (TiPlotRange {100, 100}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScrollPage), -20).Range, (TiPlotRange {-100, 100}));
    // Compressing: grow to include the value until the span exceeds the limit.
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsScrollSmooth, ipafsNone, 500), 130).Range,
              (TiPlotRange {0, 130}));
    EXPECT_EQ(newTrackingData({0, 600}, true, style(iptsScrollSmooth, ipafsNone, 500), 700).Range,
              (TiPlotRange {200, 500}));
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsExpandCollapse), 130).FitInstead, Fit::ZoomToFit);
    EXPECT_EQ(newTrackingData({0, 100}, true, style(iptsExpandCollapseFast), 130).FitInstead, Fit::ZoomToFitFast);
}

TEST(PlotTrackingMath, FirstValueAlignment)
{
    struct Case {
        TiPlotAlignFirstStyle align;
        double v;
        TiPlotRange expected;
    };
    for (const Case& c : {Case {ipafsAuto, 100, {100, 125}}, Case {ipafsAuto, 20, {-45, 125}},
                          Case {ipafsAuto, -60, {-60, 125}}, Case {ipafsMin, 20, {20, 125}},
                          Case {ipafsMax, 20, {-105, 125}}, Case {ipafsNone, 20, {-45, 125}}}) {
        const Outcome o = newTrackingData({-45, 125}, false, style(iptsScaleMinMax, c.align), c.v);
        EXPECT_EQ(o.Range, c.expected) << c.align << " " << c.v;
        EXPECT_TRUE(o.FirstValueAligned);
    }
    // Only the first value aligns.
    EXPECT_EQ(newTrackingData({-45, 125}, true, style(iptsScaleMinMax, ipafsMin), 20).Range,
              (TiPlotRange {-45, 125}));
}

TEST(PlotTrackingMath, FitZoomAndNormalising)
{
    EXPECT_EQ(zoomToFit(10, 30), (TiPlotRange {10, 20}));
    EXPECT_FALSE(zoomToFit(1e300, -1e300));
    EXPECT_FALSE(zoomToFit(5, 5));
    EXPECT_EQ(zoom({0, 100}, 2, ipstLinear), (TiPlotRange {-50, 200}));
    EXPECT_EQ(zoom({0, 100}, 0.5, ipstLinear), (TiPlotRange {25, 50}));
    try {
        zoom({0, 100}, 0, ipstLinear);
        FAIL() << "no error";
    } catch (const TiError& e) {
        EXPECT_EQ(e.Message(), "Linear Scale Zoom Factor must be Greater than Zero");
    }
    const TiPlotRange logZoom = zoom({10, 90}, 1, ipstLog10);
    EXPECT_DOUBLE_EQ(logZoom.Min, 1);
    EXPECT_DOUBLE_EQ(logZoom.Span, 900);
    EXPECT_EQ(normalized({-5, 0}, ipstLog10), (TiPlotRange {1, 1}));
    EXPECT_EQ(normalized({-5, 0}, ipstLinear), (TiPlotRange {-5, 1e-300}));
    EXPECT_EQ(normalized({-1e305, 1e305}, ipstLinear), (TiPlotRange {-1e300, 1e300}));
}

TEST(PlotTrackingMath, ResumeValues)
{
    const TiPlotResumeValues atStart {-45, 125, 5};
    const TiPlotResumeValues dragged {-57.5, 125, 5};
    Toggle off = setTrackingEnabled(true, false, true, atStart, {});
    ASSERT_TRUE(off.Save);
    EXPECT_EQ(off.Save->Min, -45);
    EXPECT_FALSE(off.Restore);
    Toggle on = setTrackingEnabled(false, true, true, dragged, *off.Save);
    ASSERT_TRUE(on.Restore);
    EXPECT_EQ(*on.Restore, (TiPlotRange {-45, 125}));
    EXPECT_EQ(*on.RestoreLabelsMinLength, 5);
    EXPECT_FALSE(setTrackingEnabled(false, true, false, dragged, atStart).Restore);
    EXPECT_FALSE(setTrackingEnabled(true, true, true, dragged, atStart).Save);

    EXPECT_TRUE(updateResumeValuesEnabled(false, {-57.5, 125}, atStart));
    EXPECT_FALSE(updateResumeValuesEnabled(false, {-45, 125}, atStart));
    EXPECT_FALSE(updateResumeValuesEnabled(true, {-57.5, 125}, atStart));
}

TEST(PlotTrackingMath, MouseGestures)
{
    // Dragging "X-Axis 1" 50 pixels right on a 500-pixel scale.
    const int delta = dragDelta(50, 7, true, false);
    EXPECT_EQ(delta, 50);
    EXPECT_EQ(dragScroll({-45, 125}, delta, 500), (TiPlotRange {-57.5, 125}));
    EXPECT_EQ(dragDelta(0, -20, false, false), 20); // up grows a vertical axis
    EXPECT_EQ(dragDelta(50, 0, true, true), -50);
    EXPECT_FALSE(zoomMode(0, false));
    EXPECT_TRUE(zoomMode(0, true));
    EXPECT_FALSE(zoomMode(1, true));

    const ScrollLimits limits {true, 0, 100};
    EXPECT_EQ(dragScroll({10, 50}, 250, 500, limits), (TiPlotRange {0, 50}));
    EXPECT_EQ(dragScroll({40, 50}, -250, 500, limits), (TiPlotRange {50, 50}));
    EXPECT_EQ(dragScroll({10, 50}, 10, 0), (TiPlotRange {10, 50}));

    // A whole scale length dragged zooms in by a quarter decade, centred.
    const TiPlotRange z = dragZoom({0, 100}, 500, 500);
    EXPECT_NEAR(z.Span, 100 / std::pow(10.0, 0.25), 1e-9);
    EXPECT_NEAR(z.Min + z.Span / 2, 50, 1e-9);

    EXPECT_EQ(wheelScroll({0, 100}, 120), (TiPlotRange {5, 100}));
    EXPECT_EQ(wheelScroll({0, 100}, -120), (TiPlotRange {-5, 100}));
    const TiPlotRange w = wheelZoom({0, 100}, 1);
    EXPECT_NEAR(w.Span, 100 / std::pow(10.0, 0.025), 1e-9);
    EXPECT_NEAR(w.Min + w.Span / 2, 50, 1e-9);
}
