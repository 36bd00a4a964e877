#include "PlotTestSupport.h"

#include <QVariantList>
#include <cmath>
#include <limits>

namespace {

// A plot whose one channel has the axes' pixel scales set as a layout would.
struct Fixture {
    CountingPlot plot;
    TiXYPlotChannel* channel = plot.GetChannel(0);
    TiPlotXAxis* x = plot.GetXAxis(0);
    TiPlotYAxis* y = plot.GetYAxis(0);
    Fixture()
    {
        x->SetScaleRect(TiRect{0, 0, 100, 10}); // 100 px for the span 100
        y->SetScaleRect(TiRect{0, 0, 10, 200}); // 200 px for the span 100
        plot.changes = 0;
    }
};

} // namespace

TEST(Channel, ClearResetsTheRunningValuesButNotTheAxes)
{
    Fixture f;
    f.channel->AddXY(-60, 1000);
    f.channel->AddXY(150, 6000);
    const double min = f.x->Min();
    const double span = f.x->Span();
    ASSERT_EQ(min, -60);
    ASSERT_EQ(span, 210);

    f.channel->Clear();
    EXPECT_EQ(f.channel->GetCount(), 0);
    EXPECT_EQ(f.channel->GetCapacity(), 0);
    EXPECT_EQ(f.channel->RunningXMin(), 1e300);
    EXPECT_EQ(f.channel->RunningYMax(), -1e300);
    EXPECT_EQ(f.channel->RunningYMean(), 0);
    EXPECT_EQ(f.x->Min(), min);
    EXPECT_EQ(f.x->Span(), span);
    EXPECT_TRUE(f.x->FirstAligned());

    f.channel->AddXY(10, 2000);
    EXPECT_EQ(f.channel->GetCount(), 1);
    EXPECT_EQ(f.channel->RunningXMin(), 10);
    EXPECT_EQ(f.channel->RunningXMax(), 10);
    EXPECT_EQ(f.channel->RunningYMin(), 2000);
    EXPECT_EQ(f.channel->RunningYMax(), 2000);
    EXPECT_EQ(f.channel->RunningYMean(), 2000);
}

TEST(Channel, NullAndEmptyPointsStayOutOfStatisticsAndExtents)
{
    Fixture f;
    f.channel->AddXY(0, 0);
    f.channel->AddNull();
    f.channel->AddXY(2, 2);
    f.channel->AddEmpty();
    f.channel->AddXY(4, 8);
    ASSERT_EQ(f.channel->GetCount(), 5);
    EXPECT_TRUE(f.channel->GetDataNull(1));
    EXPECT_FALSE(f.channel->GetDataEmpty(1));
    EXPECT_TRUE(f.channel->GetDataEmpty(3));
    EXPECT_FALSE(f.channel->GetDataNull(3));
    EXPECT_EQ(f.channel->RunningCount(), 3);

    // A recomputation over a list whose normal points were edited.
    f.channel->SetDataY(4, -3);
    EXPECT_EQ(f.channel->GetYMin(), -3);
    EXPECT_EQ(f.channel->GetYMax(), 2);
    EXPECT_EQ(f.channel->GetXMax(), 4);
    EXPECT_EQ(f.channel->GetXMin(), 0);
    EXPECT_DOUBLE_EQ(f.channel->GetYMean(), -1.0 / 3);
    EXPECT_EQ(f.channel->RunningCount(), 3);
    EXPECT_EQ(f.channel->GetVisibleMaxX(), 4);
    EXPECT_EQ(f.channel->GetVisibleMinY(), -3);
    EXPECT_EQ(ErrorOf([&] { f.channel->GetDataXDrawMax(1); }), "Data Point Null");

    f.channel->ReCalcRunningMinMaxMean();
    EXPECT_EQ(f.channel->RunningXMax(), 4);
    EXPECT_DOUBLE_EQ(f.channel->RunningXMean(), 2);

    // No extent while hidden, without an axis or without points.
    f.channel->SetVisible(false);
    EXPECT_EQ(f.channel->GetVisibleMaxX(), -1e300);
    EXPECT_EQ(f.channel->GetVisibleMinX(), 1e300);
    f.channel->SetVisible(true);
    f.channel->SetYAxisName(QStringLiteral("nowhere"));
    EXPECT_EQ(f.channel->GetVisibleMaxY(), -1e300);
}

TEST(Channel, MarkersWidenTheExtentsByHalfTheMarkerInValues)
{
    Fixture f;
    f.channel->SetMarkersVisible(true);
    f.channel->SetMarkersSize(3); // 6 px: 6 X units, 3 Y units
    f.channel->AddXY(50, 40);
    EXPECT_DOUBLE_EQ(f.channel->GetDataXDrawMax(0), 53);
    EXPECT_DOUBLE_EQ(f.channel->GetDataXDrawMin(0), 47);
    EXPECT_DOUBLE_EQ(f.channel->GetDataYDrawMax(0), 41.5);
    EXPECT_DOUBLE_EQ(f.channel->GetVisibleMinY(), 38.5);

    f.channel->SetXAxisName(QStringLiteral("gone"));
    EXPECT_EQ(ErrorOf([&] { f.channel->GetDataXDrawMax(0); }), "X-Axis not assigned");
    f.channel->SetYAxisName(QStringLiteral("gone"));
    EXPECT_EQ(ErrorOf([&] { f.channel->GetDataYDrawMin(0); }), "Y-Axis not assigned");
}

TEST(Channel, NewPointsTrackTheirAxesUnderTheChannelFlags)
{
    Fixture f;
    f.x->SetMinSpan(-45, 125);
    f.y->SetMinSpan(0, 5500);
    f.channel->AddXY(10, 6000);
    EXPECT_EQ(f.x->Min(), -45);
    EXPECT_EQ(f.y->Span(), 6000);
    f.channel->SetYAxisTrackingEnabled(false);
    f.channel->AddXY(100, 9000);
    EXPECT_EQ(f.x->GetMax(), 100);
    EXPECT_EQ(f.y->Span(), 6000);
    // An axis name that resolves to nothing: no tracking, no error.
    f.channel->SetXAxisName(QStringLiteral("none"));
    f.channel->AddXY(500, 1);
    EXPECT_EQ(f.x->GetMax(), 100);
}

TEST(Channel, EveryPointRequestsOneRepaintAndABracketMergesThem)
{
    Fixture f;
    f.channel->AddXY(1, 1);
    f.channel->AddNull();
    f.channel->Clear();
    EXPECT_EQ(f.plot.changes, 3);

    PlotFakeClock clock;
    f.plot.SetClock(clock);
    f.plot.show();
    FlushPaints();
    f.plot.paints = 0;
    f.plot.BeginUpdate();
    for (int i = 0; i < 100; ++i)
        f.channel->AddXY(i, i);
    EXPECT_EQ(f.plot.changes, 103);
    clock.now += 1000;
    f.plot.EndUpdate();
    FlushPaints();
    EXPECT_EQ(f.plot.paints, 1);
}

TEST(Channel, DataStyleChangeDropsPointsButKeepsLookAndRing)
{
    Fixture f;
    f.channel->SetColor(clYellow);
    f.channel->SetTraceLineWidth(2);
    f.channel->SetRingBufferSize(10);
    f.channel->AddXY(1, 2);
    f.channel->SetDataStyle(ipdsCompact);
    EXPECT_EQ(f.channel->GetCount(), 0);
    EXPECT_EQ(f.channel->GetDataPointSize(), 8);
    f.channel->SetDataStyle(ipdsStandard);
    EXPECT_EQ(f.channel->GetCount(), 0);
    EXPECT_EQ(f.channel->Color(), clYellow);
    EXPECT_EQ(f.channel->TraceLineWidth(), 2);
    EXPECT_EQ(f.channel->RingBufferSize(), 10);
    EXPECT_EQ(f.channel->GetDataPointSize(), 24);
    EXPECT_EQ(f.channel->GetMemoryUsed(), 240);
}

TEST(Channel, ArraysAddAllPointsOrNoneWithTheirMessages)
{
    Fixture f;
    const QVariantList xs{1, 2, 3};
    const QVariantList ys{10, 20, 30};
    f.channel->AddXYArrays(xs, ys);
    f.channel->AddXYArray(QVariantList{QVariant(QVariantList{4, 5}), QVariant(QVariantList{40, 50})});
    ASSERT_EQ(f.channel->GetCount(), 5);
    EXPECT_EQ(f.channel->GetDataY(4), 50);

    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const QVariant nested = QVariantList{QVariant(QVariantList{1}), 2};
    const Case cases[] = {
        {[&] { f.channel->AddXYArrays(nested, ys); }, "X-Data array must be 1 dimensional"},
        {[&] { f.channel->AddXYArrays(xs, 5); }, "Y-Data array must be 1 dimensional"},
        {[&] { f.channel->AddXYArrays(xs, QVariantList{1, 2}); }, "X-Data and Y-Data hogh bound dimension must match"},
        {[&] { f.channel->AddXYArrays(xs, QVariantList{1, QStringLiteral("x"), 3}); }, "Y-Data item 1 is not a number"},
        {[&] { f.channel->AddXYArray(xs); }, "Array Must Be 2 Dimensional"},
        {[&] { f.channel->AddXYArray(QVariantList{QVariant(xs), QVariant(ys), QVariant(xs)}); },
         "Array First Dimension Must Be 2 Elements"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf(c.call), QString::fromLatin1(c.message));
    EXPECT_EQ(f.channel->GetCount(), 5);
}

TEST(Channel, FailingOperationsLeaveTheChannelAsItWas)
{
    Fixture f;
    f.channel->AddXY(1, 1);
    f.channel->AddXY(2, 2);
    EXPECT_EQ(ErrorOf([&] { f.channel->DeletePoints(2); }), "Delete size out of Range");
    EXPECT_EQ(ErrorOf([&] { f.channel->SetDataX(2, 0); }), "Index out of Bounds");
    EXPECT_EQ(ErrorOf([&] { f.channel->SetCount(f.channel->GetMaxDataPoints() + 1); }), "Exceed Maximum List Size");
    EXPECT_EQ(ErrorOf([&] { f.channel->LogDeactivate(); }), "Logging not Active");
    EXPECT_EQ(f.channel->GetCount(), 2);
    EXPECT_EQ(f.channel->GetDataX(1), 2);

    // Per-point marker bits survive in a standard list; other attributes read the channel's.
    f.channel->SetDataMarkerShow(1, true);
    f.channel->SetDataTraceColor(1, clLime);
    EXPECT_TRUE(f.channel->GetDataMarkerShow(1));
    EXPECT_EQ(f.channel->GetDataTraceColor(1), f.channel->Color());
}

TEST(Channel, AxisNamesResolveLazilyAndDrawSetupNeedsBoth)
{
    Fixture f;
    f.channel->SetXAxisName(QStringLiteral("Later"));
    f.channel->AddXY(1, 1);
    f.channel->DrawSetup();
    EXPECT_FALSE(f.channel->DrawReady());
    EXPECT_FALSE(f.channel->AxesValid());
    int px = -1, py = -1;
    f.channel->GetPointPixels(1, 1, px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);

    f.plot.GetXAxis(f.plot.AddXAxis())->SetName(QStringLiteral("LATER"));
    f.channel->DrawSetup();
    EXPECT_TRUE(f.channel->DrawReady());
    EXPECT_EQ(f.channel->DrawStartIndex(), 0);
    EXPECT_EQ(f.channel->DrawStopIndex(), 0);
}

TEST(Channel, RunningMeansUseExtendedSumsAndRecomputeOnRequest)
{
    Fixture f;
    f.channel->AddXY(1, 10);
    f.channel->AddXY(3, 20);
    EXPECT_EQ(f.channel->RunningXMean(), 2);
    f.channel->AddXY(1e17, 30);
    f.channel->AddXY(-1e17, 40);
    // 1 + 3 + 1e17 - 1e17 keeps its low digits in an extended sum.
    EXPECT_EQ(f.channel->RunningXMean(), 1);
    EXPECT_EQ(f.channel->RunningYMean(), 25);
    f.channel->SetDataNull(0, true);
    EXPECT_EQ(f.channel->GetYMean(), 30);
    EXPECT_EQ(f.channel->RunningCount(), 3);
    EXPECT_EQ(f.channel->RunningXMean(), 1);
}
