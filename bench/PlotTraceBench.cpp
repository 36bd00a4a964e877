// Drawing a 1,000,000-point random walk (increasing X) on a 633 x 409 image
// with a one-pixel aliased pen: the plot's trace the fast way and segment by
// segment (which must give the same pixels, checked before timing), and,
// when it was found at configure time, QCustomPlot with adaptive sampling.
#include "plot/TiPlotTrace.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

#ifdef HX_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace {

constexpr int kWidth = 633;
constexpr int kHeight = 409;
constexpr int kMargin = 10;

struct Walk {
    std::vector<TiPlotPoint> points;
    double lo = 0, hi = 0;
};

const Walk& walk()
{
    static const Walk w = [] {
        Walk r;
        std::uint64_t s = 12345;
        double y = 0;
        r.lo = 1e300;
        r.hi = -1e300;
        r.points.reserve(1000000);
        for (int i = 0; i < 1000000; ++i) {
            s = s * 6364136223846793005ULL + 1442695040888963407ULL;
            y += double(s >> 11) / double(1ULL << 53) - 0.5;
            r.points.push_back({double(i), y, TiPlotPointKind::Normal});
            r.lo = std::min(r.lo, y);
            r.hi = std::max(r.hi, y);
        }
        return r;
    }();
    return w;
}

TiPlotTraceAxes axes()
{
    const Walk& w = walk();
    TiPlotTraceAxes a;
    a.X = TiPlotScaleMap::horizontal(0, double(w.points.size() - 1), kMargin, kWidth - kMargin - 1);
    a.Y = TiPlotScaleMap::vertical(w.lo, w.hi - w.lo, kHeight - kMargin - 1, kMargin);
    return a;
}

void paint(QImage& image, bool fast)
{
    image.fill(Qt::white);
    TiCanvas canvas(image);
    canvas.IntersectClipRect(TiRect {kMargin, kMargin, kWidth - kMargin, kHeight - kMargin});
    TiPlotTraceStyle style;
    style.Color = clRed;
    if (fast)
        TiPlotTrace::draw(canvas, walk().points, axes(), style);
    else
        TiPlotTrace::drawSegments(canvas, walk().points, axes(), style);
}

bool sameImages()
{
    static const bool same = [] {
        QImage a(kWidth, kHeight, QImage::Format_RGB32), b(kWidth, kHeight, QImage::Format_RGB32);
        paint(a, true);
        paint(b, false);
        return a == b;
    }();
    return same;
}

void BM_TraceFast(benchmark::State& state)
{
    if (!sameImages()) {
        state.SkipWithError("the fast way and segment by segment differ");
        return;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        paint(image, true);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TraceFast)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TraceSegmentBySegment(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        paint(image, false);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TraceSegmentBySegment)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reduction alone, without rasterising.
void BM_TraceReductionOnly(benchmark::State& state)
{
    const TiPlotTraceAxes a = axes();
    for (auto _ : state) {
        auto lines = TiPlotTrace::reducedLines(walk().points, a);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_TraceReductionOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The console's two fan curves of 22 points each, traces only.
void BM_TraceConsoleCurves(benchmark::State& state)
{
    std::vector<TiPlotPoint> intfan, extfan;
    for (int i = 0; i < 22; ++i) {
        intfan.push_back({-40.0 + i * 5, 800.0 + i * 200, TiPlotPointKind::Normal});
        extfan.push_back({-40.0 + i * 5, 500.0 + i * 230, TiPlotPointKind::Normal});
    }
    TiPlotTraceAxes a;
    a.X = TiPlotScaleMap::horizontal(-45, 125, 60, 524);
    a.Y = TiPlotScaleMap::vertical(0, 5500, 264, 11);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        TiCanvas canvas(image);
        canvas.IntersectClipRect(TiRect {60, 11, 525, 265});
        TiPlotTraceStyle style;
        style.Color = clYellow;
        TiPlotTrace::draw(canvas, extfan, a, style);
        style.Color = clRed;
        TiPlotTrace::draw(canvas, intfan, a, style);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TraceConsoleCurves)->Unit(benchmark::kMicrosecond);

#ifdef HX_HAVE_QCUSTOMPLOT
void BM_QCustomPlotAdaptiveSampling(benchmark::State& state)
{
    const Walk& w = walk();
    QVector<double> xs, ys;
    xs.reserve(int(w.points.size()));
    ys.reserve(int(w.points.size()));
    for (const TiPlotPoint& p : w.points) {
        xs << p.X;
        ys << p.Y;
    }
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    plot.axisRect()->setAutoMargins(QCP::msNone);
    plot.axisRect()->setMargins(QMargins(kMargin, kMargin, kMargin, kMargin));
    plot.xAxis->setVisible(false);
    plot.yAxis->setVisible(false);
    plot.xAxis->grid()->setVisible(false);
    plot.yAxis->grid()->setVisible(false);
    QCPGraph* graph = plot.addGraph();
    graph->setPen(QPen(Qt::red, 1));
    graph->setAdaptiveSampling(true);
    graph->setData(xs, ys, true);
    plot.xAxis->setRange(0, double(w.points.size() - 1));
    plot.yAxis->setRange(w.lo, w.hi);
    for (auto _ : state) {
        QPixmap pm = plot.toPixmap(kWidth, kHeight);
        benchmark::DoNotOptimize(pm.cacheKey());
    }
}
BENCHMARK(BM_QCustomPlotAdaptiveSampling)->Unit(benchmark::kMillisecond)->MinTime(2.0);
#endif

} // namespace
