// Repaint cost of the live tab's link bar (161 x 23), fan odometer (60 x 23)
// and thermometer (57 x 205) with the console's settings, each after one
// value change, with CachedDrawing on and off. The bar and the odometer draw
// everything on every paint, so for them the two figures should agree; the
// thermometer keeps its scale in the cache. Offscreen platform by default.
#include "widgets/TiLedBar.h"
#include "widgets/TiOdometer.h"
#include "widgets/TiThermometer.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

class BenchBar : public TiLedBar {
public:
    BenchBar()
    {
        SetSegmentDirection(idRight);
        resize(161, 23);
        SetSegmentSpacing(1);
        SetSectionColor1(tiRGB(0, 255, 64));
        SetSectionEnd1(100);
    }
    void paintInto(QImage& image) { PaintInto(image); }
};

class BenchOdometer : public TiOdometer {
public:
    BenchOdometer()
    {
        SetDigitsCount(4);
        SetTenthsDigitCount(0);
        SetBorderMargin(0);
        SetDigitFont(TiFont(QStringLiteral("MS Sans Serif"), -11, clWhite, fsBold));
    }
    void paintInto(QImage& image) { PaintInto(image); }
};

class BenchThermometer : public TiThermometer {
public:
    BenchThermometer()
    {
        resize(57, 205);
        SetPositionMin(-40);
        SetPositionMax(80);
        SetIndicatorWidth(3);
        SetIndicatorBulbSize(9);
        SetTickMargin(6);
        SetTickLabelMargin(2);
        SetMinMaxPointerSize(9);
        SetAutoScaleStyle(iassFixedMinMax);
        SetAutoScaleEnabled(true);
    }
    void paintInto(QImage& image) { PaintInto(image); }
};

template <typename Widget, typename Step>
void repaint(benchmark::State& state, bool cached, Step step)
{
    Widget w;
    w.SetCachedDrawing(cached);
    QImage image(w.width(), w.height(), QImage::Format_ARGB32_Premultiplied);
    w.paintInto(image);
    int i = 0;
    for (auto _ : state) {
        step(w, i++);
        w.paintInto(image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void barStep(BenchBar& w, int i) { w.SetPosition(i % 101); }
void odometerStep(BenchOdometer& w, int i) { w.SetValue(i % 3001); }
void thermometerStep(BenchThermometer& w, int i) { w.SetPosition(-40 + i % 121); }

void BM_LinkBarRepaintCached(benchmark::State& s) { repaint<BenchBar>(s, true, barStep); }
void BM_LinkBarRepaintUncached(benchmark::State& s) { repaint<BenchBar>(s, false, barStep); }
void BM_OdometerRepaintCached(benchmark::State& s) { repaint<BenchOdometer>(s, true, odometerStep); }
void BM_OdometerRepaintUncached(benchmark::State& s) { repaint<BenchOdometer>(s, false, odometerStep); }
void BM_ThermometerRepaintCached(benchmark::State& s) { repaint<BenchThermometer>(s, true, thermometerStep); }
void BM_ThermometerRepaintUncached(benchmark::State& s) { repaint<BenchThermometer>(s, false, thermometerStep); }
BENCHMARK(BM_LinkBarRepaintCached);
BENCHMARK(BM_LinkBarRepaintUncached);
BENCHMARK(BM_OdometerRepaintCached);
BENCHMARK(BM_OdometerRepaintUncached);
BENCHMARK(BM_ThermometerRepaintCached);
BENCHMARK(BM_ThermometerRepaintUncached);

// The console's link step: many position changes, then Qt paints once.
void BM_LinkBarHundredStepsOnePaint(benchmark::State& state)
{
    BenchBar bar;
    bar.show();
    QApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 100; ++k)
            bar.SetPosition(++i % 101);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_LinkBarHundredStepsOnePaint);

} // namespace
