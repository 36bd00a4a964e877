// Full paints of long time series on the 633 x 409 image of PlotPaintBench:
// a random walk over rising X of 1,000,000 and 10,000,000 points drawn with
// a one-pixel pen, the whole range in view and, for the longer one, only its
// last 1 % (a scrolled trend). Before timing, each chart is checked against
// the same chart drawn segment by segment (counter same_as_segments). When
// it was found at configure time, QCustomPlot's paint of the same data with
// adaptive sampling runs beside it. The last rows time AddXY with the
// summary (reporting the summary's memory beside the points'), the bare
// writing of as many records into fresh memory, and appends to a full ring.
#include "support/PlotPaintSupport.h"

#include "plot/TiPlotDataView.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using PlotPaintSupport::Paint;

constexpr int kWidth = 633;
constexpr int kHeight = 409;

// The walk's Y values; X is the index.
std::vector<double> Walk(int n)
{
    std::vector<double> ys;
    ys.reserve(std::size_t(n));
    std::uint64_t s = 12345;
    double y = 0;
    for (int i = 0; i < n; ++i) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        y += double(s >> 11) / double(1ULL << 53) - 0.5;
        ys.push_back(y);
    }
    return ys;
}

// The chart of the walk with the last `shown` share of X in view and Y
// fitted to the points there; grid and frame off.
std::unique_ptr<TiXYPlot> WalkPlot(const std::vector<double>& ys, double shown)
{
    auto plot = std::make_unique<TiXYPlot>();
    plot->resize(kWidth, kHeight);
    plot->GetDataView(0)->SetGridShow(false);
    TiXYPlotChannel& c = *plot->GetChannel(0);
    plot->BeginUpdate();
    for (int i = 0; i < int(ys.size()); ++i)
        c.AddXY(double(i), ys[std::size_t(i)]);
    plot->EndUpdate();
    const int n = int(ys.size());
    const int first = int(double(n) * (1 - shown));
    double lo = ys[std::size_t(first)], hi = lo;
    for (int i = first; i < n; ++i) {
        lo = std::min(lo, ys[std::size_t(i)]);
        hi = std::max(hi, ys[std::size_t(i)]);
    }
    c.GetXAxis()->SetTrackingEnabled(false);
    c.GetYAxis()->SetTrackingEnabled(false);
    c.GetXAxis()->SetMinSpan(first, n - 1 - first);
    c.GetYAxis()->SetMinSpan(lo, hi - lo);
    return plot;
}

void LongSeries(benchmark::State& state, double shown)
{
    const std::vector<double> ys = Walk(int(state.range(0)));
    auto plot = WalkPlot(ys, shown);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    Paint(*plot, image); // brings the summary up to date
    const bool same = image == PlotPaintSupport::SegmentBySegment(*plot, kWidth, kHeight);
    state.counters["same_as_segments"] = same ? 1 : 0;
    state.counters["x_ordered"] = plot->GetChannel(0)->DataList().XOrdered() ? 1 : 0;
    if (!same)
        state.SkipWithError("the full paint differs from segment-by-segment drawing");
    for (auto _ : state) {
        Paint(*plot, image);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_LongSeriesFullPaint(benchmark::State& state) { LongSeries(state, 1.0); }
BENCHMARK(BM_LongSeriesFullPaint)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_LongSeriesLastPercentFullPaint(benchmark::State& state) { LongSeries(state, 0.01); }
BENCHMARK(BM_LongSeriesLastPercentFullPaint)->Arg(10000000)->Unit(benchmark::kMillisecond);

// AddXY into a channel whose plot is inside BeginUpdate, then the first
// paint's bringing the summary up to date: the cost per point of keeping it.
void BM_LongSeriesAddXY(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<double> ys = Walk(n);
    std::int64_t summaryBytes = 0, pointBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto plot = std::make_unique<TiXYPlot>();
        TiXYPlotChannel& c = *plot->GetChannel(0);
        c.SetXAxisTrackingEnabled(false);
        c.SetYAxisTrackingEnabled(false);
        plot->BeginUpdate();
        state.ResumeTiming();
        for (int i = 0; i < n; ++i)
            c.AddXY(double(i), ys[std::size_t(i)]);
        benchmark::DoNotOptimize(c.DataList().XOrdered());
        state.PauseTiming();
        summaryBytes = c.DataList().GetSummaryMemoryUsed();
        pointBytes = std::int64_t(c.GetCount()) * c.GetDataPointSize();
        plot->EndUpdate();
        plot.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_point"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["summary_memory_share"] = double(summaryBytes) / double(pointBytes);
}
BENCHMARK(BM_LongSeriesAddXY)->Arg(10000000)->Unit(benchmark::kMillisecond);

// The floor under the row above: the same records written once into fresh
// memory, nothing else. Where a page's first touch is dear (a virtual
// machine), most of AddXY's cost per point is this.
void BM_LongSeriesFreshMemoryWrite(benchmark::State& state)
{
    const std::size_t n = std::size_t(state.range(0));
    const std::vector<double> ys = Walk(int(n));
    for (auto _ : state) {
        std::unique_ptr<TiPlotPoint, decltype(&std::free)> points(
            static_cast<TiPlotPoint*>(std::malloc(n * sizeof(TiPlotPoint))), &std::free);
        TiPlotPoint* p = points.get();
        for (std::size_t i = 0; i < n; ++i)
            p[i] = TiPlotPoint {double(i), ys[i], TiPlotPointKind::Normal};
        benchmark::DoNotOptimize(p);
        benchmark::ClobberMemory();
        state.PauseTiming();
        points.reset();
        state.ResumeTiming();
    }
    state.counters["ns_per_point"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LongSeriesFreshMemoryWrite)->Arg(10000000)->Unit(benchmark::kMillisecond);

// A trend's steady state: a full ring of a million points takes another
// million, the summary brought up to date after every thousand (a paint
// every 100 s of a 10-a-second trend would be rarer still).
void BM_LongSeriesAddXYRing(benchmark::State& state)
{
    const int n = int(state.range(0));
    const std::vector<double> ys = Walk(2 * n);
    auto plot = std::make_unique<TiXYPlot>();
    TiXYPlotChannel& c = *plot->GetChannel(0);
    c.SetXAxisTrackingEnabled(false);
    c.SetYAxisTrackingEnabled(false);
    c.SetRingBufferSize(n);
    plot->BeginUpdate();
    double x = 0;
    for (int i = 0; i < n; ++i)
        c.AddXY(x++, ys[std::size_t(i)]);
    benchmark::DoNotOptimize(c.DataList().XOrdered());
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            c.AddXY(x++, ys[std::size_t(n + i)]);
            if (i % 1000 == 999)
                benchmark::DoNotOptimize(c.DataList().XOrdered());
        }
    }
    plot->EndUpdate();
    state.counters["ns_per_point"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LongSeriesAddXYRing)->Arg(1000000)->Unit(benchmark::kMillisecond);

#ifdef HX_HAVE_QCUSTOMPLOT
// QCustomPlot 2.1 painting the same walk with adaptive sampling over the
// same ranges, axes and grid hidden, into an image of the same size.
void QCustomPlotSeries(benchmark::State& state, double shown)
{
    const std::vector<double> ys = Walk(int(state.range(0)));
    auto ours = WalkPlot(ys, shown);
    TiPlotAxis& xAxis = *ours->GetChannel(0)->GetXAxis();
    TiPlotAxis& yAxis = *ours->GetChannel(0)->GetYAxis();
    QVector<double> xs(qsizetype(ys.size())), values(ys.begin(), ys.end());
    for (qsizetype i = 0; i < xs.size(); ++i)
        xs[i] = double(i);
    QCustomPlot plot;
    PlotPaintSupport::SetUpSeries(plot, kWidth, kHeight, xs, values, xAxis.Min(), xAxis.Min() + xAxis.Span(), yAxis.Min(),
                                  yAxis.Min() + yAxis.Span());
    ours.reset();
    for (auto _ : state) {
        QPixmap pm = plot.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pm.cacheKey());
    }
}

void BM_LongSeriesQCustomPlot(benchmark::State& state) { QCustomPlotSeries(state, 1.0); }
BENCHMARK(BM_LongSeriesQCustomPlot)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_LongSeriesLastPercentQCustomPlot(benchmark::State& state) { QCustomPlotSeries(state, 0.01); }
BENCHMARK(BM_LongSeriesLastPercentQCustomPlot)->Arg(10000000)->Unit(benchmark::kMillisecond);
#endif

} // namespace
