#include "GalleryFamilies.h"
#include "GalleryWindow.h"

#include "widgets/TiAngularGauge.h"

#include <array>

namespace {

// The fan dials of the live tab: 0..3000 rpm over 260 degrees, yellow below
// 1000, green to 2700, red above.
TiAngularGauge* makeFanDial(const QString& name)
{
    auto* g = new TiAngularGauge;
    g->setObjectName(name);
    g->BeginLoading();
    g->SetPositionMax(3000);
    g->SetArcRangeDegrees(260);
    g->SetArcStartDegrees(220);
    g->SetArcRadius(30);
    g->SetHubSize(16);
    g->SetOuterMargin(4);
    g->SetPointerSize(10);
    g->SetPointerColor(clBlack);
    g->SetPointerStyle(iagpsTriangle);
    g->SetSectionCount(3);
    g->SetSectionEnd1(1000);
    g->SetSectionColor1(clYellow);
    g->SetSectionEnd2(2700);
    g->SetSectionColor2(clGreen);
    g->SetSectionEnd3(3000);
    g->SetTickMajorLength(8);
    g->SetTickLabelMargin(10);
    g->SetShowInnerArcRadius(true);
    g->SetTransparent(true);
    g->SetCachedDrawing(false);
    g->Loaded();
    return g;
}

// The quarter dials: supply voltage, heater current and compressor.
TiAngularGauge* makeQuarterDial(const QString& name, double max, int majorTicks,
                                std::array<double, 3> ends, std::array<TColor, 3> colors)
{
    auto* g = new TiAngularGauge;
    g->setObjectName(name);
    g->BeginLoading();
    g->SetPositionMax(max);
    g->SetArcRadius(70);
    g->SetPointerStyle(iagpsArrowLine);
    g->SetHubSize(18);
    if (majorTicks > 0)
        g->SetTickMajorCount(majorTicks);
    g->SetSectionCount(3);
    g->SetSectionEnd1(ends[0]);
    g->SetSectionEnd2(ends[1]);
    g->SetSectionEnd3(ends[2]);
    g->SetSectionColor1(colors[0]);
    g->SetSectionColor2(colors[1]);
    g->SetSectionColor3(colors[2]);
    g->Loaded();
    return g;
}

void addGauge(GalleryWindow& window, const QString& caption, TiAngularGauge* gauge, double share)
{
    window.addCell(caption, gauge, [gauge, share](double fraction) {
        gauge->SetPosition(gauge->PositionMin()
                           + (gauge->PositionMax() - gauge->PositionMin()) * fraction * share);
    });
}

const GalleryFamily angularGauges(10, QStringLiteral("Angular gauges (live tab settings)"),
                                  [](GalleryWindow& w) {
    addGauge(w, QStringLiteral("Intfan1"), makeFanDial(QStringLiteral("iAngularGauge1")), 1.0);
    addGauge(w, QStringLiteral("Intfan2"), makeFanDial(QStringLiteral("iAngularGauge2")), 0.85);
    addGauge(w, QStringLiteral("Extfan1"), makeFanDial(QStringLiteral("iAngularGauge3")), 0.7);
    addGauge(w, QStringLiteral("Extfan2"), makeFanDial(QStringLiteral("iAngularGauge4")), 0.5);
    addGauge(w, QStringLiteral("Supply Voltage (0..80 V)"),
             makeQuarterDial(QStringLiteral("iAngularGauge5"), 80, 0, {40, 60, 80},
                             {clRed, clGreen, clRed}),
             1.0);
    addGauge(w, QStringLiteral("Heater Current (0..10 A)"),
             makeQuarterDial(QStringLiteral("iAngularGauge6"), 10, 6, {4, 8, 10},
                             {clRed, clGreen, clRed}),
             1.0);
    addGauge(w, QStringLiteral("Compressor (0..35 A)"),
             makeQuarterDial(QStringLiteral("iAngularGauge7"), 35, 6, {5, 30, 10},
                             {clRed, clGreen, clRed}),
             1.0);
});

} // namespace
