// Limits, annotations and data cursors: where they read and what lies on top.
#include "PlotTestSupport.h"

#include "plot/TiPlotAnnotation.h"
#include "plot/TiPlotAxis.h"
#include "plot/TiPlotDataCursor.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotLimit.h"
#include "plot/TiPlotOverlayMath.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/TiColor.h"

#include <QImage>

#include <vector>

namespace {

QRgb Rgb(TColor c) { return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
bool Is(const QImage& image, int x, int y, TColor c) { return (image.pixel(x, y) & 0xFFFFFF) == (Rgb(c) & 0xFFFFFF); }

TEST(PlotOverlay, CursorReadsTheNearestPointInsideTheData)
{
    const std::vector<double> xs{1, 2, 2, 4, 8};
    const auto at = [&](int i) { return xs[std::size_t(i)]; };
    struct Case {
        double x;
        std::optional<int> index;
    };
    for (const Case c : {Case{0.5, std::nullopt}, Case{1, 0}, Case{1.4, 0}, Case{1.6, 1}, Case{2, 2}, Case{3.1, 3},
                         Case{5.9, 3}, Case{6.1, 4}, Case{8, 4}, Case{8.1, std::nullopt}})
        EXPECT_EQ(TiPlotOverlayMath::nearestIndex(int(xs.size()), at, c.x), c.index) << c.x;
    EXPECT_EQ(TiPlotOverlayMath::nearestIndex(0, at, 1), std::nullopt);
    // The box goes left of the line when it would leave the view.
    EXPECT_EQ(TiPlotOverlayMath::cursorBox({0, 0, 200, 100}, 50, 60, 30).Left, 54);
    EXPECT_EQ(TiPlotOverlayMath::cursorBox({0, 0, 200, 100}, 170, 60, 30).Right, 166);
}

TEST(PlotOverlay, BandsLieUnderTheGridLinesOverItAnnotationsOnTop)
{
    constexpr TColor kBand = 0x004000, kLine = 0x0000FF, kNote = 0xFFFF00, kTrace = 0xFF00FF;
    TiXYPlot plot;
    plot.resize(400, 300);
    plot.GetXAxis(0)->SetTrackingEnabled(false);
    plot.GetYAxis(0)->SetTrackingEnabled(false);
    plot.GetLegend(0)->SetVisible(false);
    plot.GetDataView(0)->SetGridLineColor(clWhite);
    TiXYPlotChannel& c = *plot.GetChannel(0);
    c.SetColor(kTrace);
    c.AddXY(0, 50);
    c.AddXY(100, 50);

    TiPlotLimit& band = *plot.GetLimit(plot.AddLimit());
    band.SetStyle(ipltXBand);
    band.SetPosition(10);
    band.SetPosition2(90);
    band.SetColor(kBand);
    TiPlotLimit& line = *plot.GetLimit(plot.AddLimit());
    line.SetStyle(ipltXValue);
    line.SetPosition(33);
    line.SetColor(kLine);
    TiPlotAnnotation& note = *plot.GetAnnotation(plot.AddAnnotation());
    note.SetText(QStringLiteral("Set Intfan1"));
    note.SetXReference(ipurScale);
    note.SetYReference(ipurScale);
    note.SetX(60);
    note.SetY(55);
    note.SetBrushColor(kNote);
    note.SetPenColor(kNote);

    const QImage image = plot.RenderToImage();
    const auto& order = plot.Renderer().LayerOrder();
    ASSERT_EQ(order.size(), 5U);
    EXPECT_EQ(order[0], &band);
    EXPECT_EQ(order[1], plot.GetDataView(0));
    EXPECT_EQ(order[2], &line);
    EXPECT_EQ(order[3], &c);
    EXPECT_EQ(order[4], &note);
    TiPlotAxis& x = *plot.GetXAxis(0);
    TiPlotAxis& y = *plot.GetYAxis(0);
    EXPECT_TRUE(Is(image, x.PositionToPixels(13), y.PositionToPixels(77), kBand));
    EXPECT_TRUE(Is(image, x.PositionToPixels(7), y.PositionToPixels(77), clBlack));
    EXPECT_TRUE(Is(image, x.PositionToPixels(33), y.PositionToPixels(80), kLine));
    EXPECT_TRUE(Is(image, x.PositionToPixels(33), y.PositionToPixels(50), kTrace));
    EXPECT_TRUE(Is(image, x.PositionToPixels(60) + 1, y.PositionToPixels(55) + 1, kNote));

    // A data cursor draws only once placed.
    TiPlotDataCursor& cursor = *plot.GetDataCursor(0);
    cursor.SetColor(0x00FFFF);
    cursor.SetPosition(75);
    const int cx = x.PositionToPixels(75);
    EXPECT_FALSE(Is(plot.RenderToImage(), cx, y.PositionToPixels(10), 0x00FFFF));
    cursor.SetActive(true);
    EXPECT_TRUE(Is(plot.RenderToImage(), cx, y.PositionToPixels(10), 0x00FFFF));
}

} // namespace
