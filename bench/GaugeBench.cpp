// Repaint cost of a fan dial (150 x 150, the console's settings): from the
// cached static layers versus drawing everything, and 1,000 position changes
// between two paints. Run on the offscreen platform unless told otherwise.
#include "widgets/TiAngularGauge.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

class BenchGauge : public TiAngularGauge {
public:
    BenchGauge()
    {
        resize(150, 150);
        SetPositionMax(3000);
        SetArcRangeDegrees(260);
        SetArcStartDegrees(220);
        SetArcRadius(30);
        SetHubSize(16);
        SetOuterMargin(4);
        SetPointerStyle(iagpsTriangle);
        SetSectionCount(3);
        SetSectionEnd1(1000);
        SetSectionColor1(clYellow);
        SetSectionEnd2(2700);
        SetSectionColor2(clGreen);
        SetSectionEnd3(3000);
        SetTickMajorLength(8);
        SetTickLabelMargin(10);
        SetShowInnerArcRadius(true);
    }
    void paintInto(QImage& image) { PaintInto(image); }
};

void repaint(benchmark::State& state, bool cached)
{
    BenchGauge gauge;
    gauge.SetCachedDrawing(cached);
    QImage image(150, 150, QImage::Format_ARGB32_Premultiplied);
    gauge.paintInto(image); // builds the cache
    double v = 0;
    for (auto _ : state) {
        v = v >= 3000 ? 0 : v + 37;
        gauge.SetPosition(v);
        gauge.paintInto(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FanDialRepaintCached(benchmark::State& state)
{
    repaint(state, true);
}
BENCHMARK(BM_FanDialRepaintCached);

void BM_FanDialRepaintUncached(benchmark::State& state)
{
    repaint(state, false);
}
BENCHMARK(BM_FanDialRepaintUncached);

// The window's paint cycle: the gauge is shown, changed, and Qt paints it.
void BM_FanDialThousandChangesOnePaint(benchmark::State& state)
{
    BenchGauge gauge;
    gauge.show();
    QApplication::processEvents();
    double v = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            v = v >= 3000 ? 0 : v + 1;
            gauge.SetPosition(v);
        }
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FanDialThousandChangesOnePaint);

void BM_FanDialOneChangeOnePaint(benchmark::State& state)
{
    BenchGauge gauge;
    gauge.show();
    QApplication::processEvents();
    double v = 0;
    for (auto _ : state) {
        v = v >= 3000 ? 0 : v + 1;
        gauge.SetPosition(v);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FanDialOneChangeOnePaint);

} // namespace
