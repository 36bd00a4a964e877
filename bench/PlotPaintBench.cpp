// Full paints of the plot widget on a 633 x 409 image: the console's chart
// (two channels of 22 points) and a chart with one 1,000,000-point random
// walk drawn with a one-pixel pen. Before timing, the million-point chart is
// checked against the same chart drawn segment by segment. When it was found
// at configure time, QCustomPlot's full paint of the same walk with adaptive
// sampling runs in the same process for comparison.
#include "support/PlotPaintSupport.h"

#include "plot/TiPlotDataView.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using PlotPaintSupport::Paint;

constexpr int kWidth = 633;
constexpr int kHeight = 409;

std::unique_ptr<TiXYPlot> ConsolePlot()
{
    auto plot = std::make_unique<TiXYPlot>();
    plot->LoadPropertiesFromFile(QString::fromLatin1(TiXYPlot::ConsolePlotResource));
    plot->resize(kWidth, kHeight);
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 22; ++i)
            plot->GetChannel(k)->AddXY(-40 + i * 5, 1000 + i * (k ? 150 : 200));
    return plot;
}

// The random walk's Y values; X is the index.
std::vector<double> Walk()
{
    std::vector<double> ys;
    ys.reserve(1000000);
    std::uint64_t s = 12345;
    double y = 0;
    for (int i = 0; i < 1000000; ++i) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        y += double(s >> 11) / double(1ULL << 53) - 0.5;
        ys.push_back(y);
    }
    return ys;
}

std::unique_ptr<TiXYPlot> MillionPlot()
{
    auto plot = std::make_unique<TiXYPlot>();
    plot->resize(kWidth, kHeight);
    TiXYPlotChannel& c = *plot->GetChannel(0);
    plot->BeginUpdate();
    const std::vector<double> ys = Walk();
    for (int i = 0; i < int(ys.size()); ++i)
        c.AddXY(double(i), ys[size_t(i)]);
    plot->EndUpdate();
    return plot;
}

void BM_ConsolePlotFullPaint(benchmark::State& state)
{
    auto plot = ConsolePlot();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Paint(*plot, image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ConsolePlotFullPaint)->Unit(benchmark::kMicrosecond);

void BM_MillionPointFullPaint(benchmark::State& state)
{
    auto plot = MillionPlot();
    // Grid and frame off so the data view holds nothing but the trace.
    plot->GetDataView(0)->SetGridShow(false);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const QImage reference = PlotPaintSupport::SegmentBySegment(*plot, kWidth, kHeight);
    Paint(*plot, image);
    const bool same = image == reference;
    state.counters["same_as_segments"] = same ? 1 : 0;
    if (!same)
        state.SkipWithError("the full paint differs from segment-by-segment drawing");
    for (auto _ : state) {
        Paint(*plot, image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MillionPointFullPaint)->Unit(benchmark::kMillisecond);

// Everything of that paint but the channel: what the trace adds is the
// difference.
void BM_MillionPointChartWithoutChannel(benchmark::State& state)
{
    auto plot = MillionPlot();
    plot->GetDataView(0)->SetGridShow(false);
    plot->GetChannel(0)->SetVisible(false);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        Paint(*plot, image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MillionPointChartWithoutChannel)->Unit(benchmark::kMillisecond);

// The same chart with the channel drawn segment by segment over the rest of
// the paint (the picture the full paint must equal).
void BM_MillionPointSegmentBySegment(benchmark::State& state)
{
    auto plot = MillionPlot();
    plot->GetDataView(0)->SetGridShow(false);
    for (auto _ : state) {
        QImage image = PlotPaintSupport::SegmentBySegment(*plot, kWidth, kHeight);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MillionPointSegmentBySegment)->Unit(benchmark::kMillisecond);

#ifdef HX_HAVE_QCUSTOMPLOT
// QCustomPlot 2.1 painting the same walk with adaptive sampling, axes and
// grid hidden, into an image of the same size.
void BM_MillionPointQCustomPlot(benchmark::State& state)
{
    const std::vector<double> ys = Walk();
    QVector<double> xs(qsizetype(ys.size())), values(ys.begin(), ys.end());
    for (qsizetype i = 0; i < xs.size(); ++i)
        xs[i] = double(i);
    const auto [lo, hi] = std::minmax_element(ys.begin(), ys.end());
    QCustomPlot plot;
    PlotPaintSupport::SetUpSeries(plot, kWidth, kHeight, xs, values, 0, double(ys.size() - 1), *lo, *hi);
    for (auto _ : state) {
        QPixmap pm = plot.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pm.cacheKey());
    }
}
BENCHMARK(BM_MillionPointQCustomPlot)->Unit(benchmark::kMillisecond);
#endif

} // namespace
