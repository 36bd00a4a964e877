#include "PlotPage.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiXYPlot.h"

#include <QVBoxLayout>
#include <QWidget>
#include <cmath>
#include <cstdint>

std::unique_ptr<QWidget> createPlotPage()
{
    auto page = std::make_unique<QWidget>();
    page->setWindowTitle(QStringLiteral("hx-gallery: XY plot"));
    auto* layout = new QVBoxLayout(page.get());
    auto* plot = new TiXYPlot(page.get());
    plot->setObjectName(QStringLiteral("GalleryPlot"));
    plot->setMinimumSize(800, 500);
    layout->addWidget(plot);

    plot->BeginUpdate();
    plot->SetTitleVisible(true);
    plot->SetTitleText(QStringLiteral("Three channels, one of 1,000,000 points"));
    plot->GetToolBar(0)->SetVisible(false);
    TiPlotAxis& x = *plot->GetXAxis(0);
    TiPlotAxis& y = *plot->GetYAxis(0);
    x.SetTitle(QStringLiteral("Time (s)"));
    x.SetTitleShow(true);
    y.SetTitle(QStringLiteral("Value"));
    y.SetTitleShow(true);
    x.SetMinorCount(4);
    x.SetTrackingEnabled(false);
    y.SetTrackingEnabled(false);
    x.SetMinSpan(0, 100);
    y.SetMinSpan(-20, 140);

    plot->AddChannel();
    plot->AddChannel();
    TiXYPlotChannel& walk = *plot->GetChannel(0);
    TiXYPlotChannel& sine = *plot->GetChannel(1);
    TiXYPlotChannel& saw = *plot->GetChannel(2);
    walk.SetTitleText(QStringLiteral("Random walk (1,000,000)"));
    walk.SetColor(0x00C0FF); // amber
    sine.SetTitleText(QStringLiteral("Sine, markers"));
    sine.SetColor(clLime);
    sine.SetMarkersVisible(true);
    sine.SetMarkersStyle(ipmsDiamond);
    sine.SetMarkersSize(4);
    saw.SetTitleText(QStringLiteral("Saw with Nulls"));
    saw.SetColor(clFuchsia);
    saw.SetTraceLineWidth(2);
    plot->GetLegend(0)->SetShowColumnMarker(true);

    std::uint64_t s = 2026;
    double v = 30;
    for (int i = 0; i < 1000000; ++i) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        v += (double(s >> 11) / double(1ULL << 53) - 0.5) * 0.25;
        v = std::clamp(v, 0.0, 100.0);
        walk.AddXY(i * 1e-4, v);
    }
    for (int i = 0; i <= 40; ++i)
        sine.AddXY(i * 2.5, 60 + 35 * std::sin(i * 2.5 / 8));
    for (int i = 0; i <= 100; ++i) {
        if (i % 20 == 10)
            saw.AddNull();
        else
            saw.AddXY(i, 100 + (i % 20) * 0.9);
    }
    plot->EndUpdate();
    page->resize(840, 540);
    return page;
}
