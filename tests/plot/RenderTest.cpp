#include "PlotTestSupport.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/TiColor.h"

#include <QImage>
#include <cstdlib>

namespace {

QColor Qc(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The console's plot at its size with both fan curves.
void LoadConsole(TiXYPlot& plot)
{
    plot.LoadPropertiesFromFile(QString::fromLatin1(TiXYPlot::ConsolePlotResource));
    plot.resize(633, 409);
}

void AddCurves(TiXYPlot& plot)
{
    for (int k = 0; k < 2; ++k) {
        TiXYPlotChannel* c = plot.GetChannel(k);
        c->Clear();
        for (int i = 0; i < 22; ++i)
            c->AddXY(-40 + i * 5, k == 0 ? 1000 + i * 200 : 800 + i * 150);
    }
}

} // namespace

TEST(PlotRender, ConsoleChartShows)
{
    TiXYPlot plot;
    LoadConsole(plot);
    AddCurves(plot);
    const QImage image = plot.RenderToImage();
    if (const char* dir = std::getenv("HX_PLOT_SHOTS"))
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/console.png"));
    const TiRect dv = plot.Renderer().DataViewRect();
    EXPECT_LT(plot.GetYAxis(0)->DrawRect().Right, dv.Right);
    EXPECT_EQ(plot.GetYAxis(0)->DrawRect().Right, dv.Left);
    EXPECT_EQ(plot.GetXAxis(0)->DrawRect().Top, dv.Bottom);
    EXPECT_GT(plot.GetLegend(0)->DrawRect().Left, dv.Right - 1);
}
TEST(PlotRender, DebugDump)
{
    TiXYPlot plot;
    LoadConsole(plot);
    AddCurves(plot);
    QImage im = plot.RenderToImage();
    for (int y = 380; y < 409; ++y) {
        std::string row;
        for (int xx = 250; xx < 380; ++xx)
            row += im.pixelColor(xx, y) == QColor(Qt::white) ? '#' : '.';
        printf("%d %s\n", y, row.c_str());
    }
    auto* x = plot.GetXAxis(0);
    auto r = x->DrawRect();
    auto s = x->ScaleRect();
    printf("X draw %d %d %d %d scale %d %d %d %d req %d side %d\n", r.Left, r.Top, r.Right, r.Bottom, s.Left, s.Top, s.Right, s.Bottom,
           plot.Renderer().AxisState(x).RequiredWidth, plot.Renderer().AxisState(x).Side);
}
