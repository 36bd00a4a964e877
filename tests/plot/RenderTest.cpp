// Rendered pictures of whole plots: layer order, clipping, the trace's
// breaks and joins, pen widths, markers, legend rows, and the image export.
#include "PlotTestSupport.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiPlotChannelPainter.h"
#include "plot/TiXYPlotRenderer.h"
#include "widgets/TiCanvas.h"
#include "widgets/TiColor.h"

#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

QColor Qc(TColor c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

constexpr TColor kMagenta = 0xFF00FF;
constexpr TColor kCyan = 0xFFFF00;

int Count(const QImage& image, const TiRect& r, TColor colour)
{
    const QRgb want = Qc(colour).rgb();
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(image.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(image.width(), r.Right); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF);
    return n;
}

// Pixels differing from the background colour.
int CountNot(const QImage& image, const TiRect& r, TColor background)
{
    return (r.Right - r.Left) * (r.Bottom - r.Top) - Count(image, r, background);
}

bool Is(const QImage& image, int x, int y, TColor colour) { return (image.pixel(x, y) & 0xFFFFFF) == (Qc(colour).rgb() & 0xFFFFFF); }

// A plain plot: axes 0..100 without tracking, no grid, one magenta channel.
struct PlainPlot {
    TiXYPlot plot;
    PlainPlot()
    {
        plot.resize(400, 300);
        plot.GetXAxis(0)->SetTrackingEnabled(false);
        plot.GetYAxis(0)->SetTrackingEnabled(false);
        plot.GetDataView(0)->SetGridShow(false);
        plot.GetChannel(0)->SetColor(kMagenta);
        // The legend's line sample would be in the channel's colour too.
        plot.GetLegend(0)->SetVisible(false);
    }
    TiXYPlotChannel& channel(int i = 0) { return *plot.GetChannel(i); }
    QImage render() { return plot.RenderToImage(); }
    TiRect dv() { return plot.Renderer().DataViewRect(); }
    int px(double x) { return plot.GetXAxis(0)->PositionToPixels(x); }
    int py(double y) { return plot.GetYAxis(0)->PositionToPixels(y); }
};

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

TEST(PlotRender, ConsoleChartBandsAroundTheDataView)
{
    TiXYPlot plot;
    LoadConsole(plot);
    AddCurves(plot);
    const QImage image = plot.RenderToImage();
    if (const char* dir = std::getenv("HX_PLOT_SHOTS"))
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/console.png"));
    const TiRect dv = plot.Renderer().DataViewRect();
    const TiRect y = plot.GetYAxis(0)->DrawRect(), x = plot.GetXAxis(0)->DrawRect(), l = plot.GetLegend(0)->DrawRect();
    EXPECT_EQ(y.Right, dv.Left);
    EXPECT_EQ(x.Top, dv.Bottom);
    EXPECT_EQ(l.Left, dv.Right);
    EXPECT_EQ(y.Width(), plot.Renderer().AxisState(plot.GetYAxis(0)).RequiredWidth);
    EXPECT_EQ(x.Height(), plot.Renderer().AxisState(plot.GetXAxis(0)).RequiredWidth);
    // Scale lines in the scale colour, the frame in the grid colour.
    EXPECT_TRUE(Is(image, dv.Left - 3, (dv.Top + dv.Bottom) / 2, clWhite));
    EXPECT_TRUE(Is(image, (dv.Left + dv.Right) / 2, dv.Bottom + 3, clWhite));
    EXPECT_TRUE(Is(image, dv.Right, dv.Top + 1, 0x008000));
    // The X ticks: majors every 20 from -40, minors every 5 from -45.
    const auto& ticks = plot.Renderer().AxisState(plot.GetXAxis(0)).Ticks;
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front().Position, -45);
    EXPECT_EQ(ticks[1].Label, QStringLiteral("-40"));
}

TEST(PlotRender, LayerOrderDecidesWhatLiesOnTop)
{
    struct Case {
        int layer0, layer1;
        TColor top;       // colour where the two traces overlap
        bool gridOnTop;   // a grid line crossing the traces
    };
    const Case cases[] = {
        {101, 100, kMagenta, false}, // channel 0 drawn last
        {100, 101, kCyan, false},    // swapped
        {100, 100, kMagenta, false}, // equal: the lower index is drawn last
        {99, 99, kMagenta, true},    // below the data view's layer: the grid crosses
    };
    for (const Case& c : cases) {
        PlainPlot p;
        p.plot.GetDataView(0)->SetGridShow(true);
        p.plot.GetDataView(0)->SetGridLineColor(clWhite);
        p.plot.AddChannel();
        p.channel(1).SetColor(kCyan);
        for (int k = 0; k < 2; ++k) {
            p.channel(k).AddXY(0, 50);
            p.channel(k).AddXY(100, 50);
        }
        p.channel(0).SetLayer(c.layer0);
        p.channel(1).SetLayer(c.layer1);
        const QImage image = p.render();
        const int y = p.py(50);
        EXPECT_TRUE(Is(image, p.px(30), y, c.top)) << c.layer0 << "/" << c.layer1;
        int gridX = -1;
        for (const TiPlotTick& t : p.plot.Renderer().AxisState(p.plot.GetXAxis(0)).Ticks)
            if (t.Style == 0 && t.Position > 0 && gridX < 0)
                gridX = t.Pixels;
        EXPECT_EQ(Is(image, gridX, y, clWhite), c.gridOnTop) << c.layer0 << "/" << c.layer1;
        const auto& order = p.plot.Renderer().LayerOrder();
        ASSERT_EQ(order.size(), 3u);
        TiPlotObject* last = c.top == kMagenta ? static_cast<TiPlotObject*>(&p.channel(0)) : &p.channel(1);
        EXPECT_EQ(order.back(), c.gridOnTop ? static_cast<TiPlotObject*>(p.plot.GetDataView(0)) : last);
    }
}

TEST(PlotRender, TraceStaysInTheDataViewPlusOnePixel)
{
    PlainPlot p;
    // A wide pen along the top edge and beyond the right end.
    p.channel().SetTraceLineWidth(7);
    p.channel().AddXY(-50, 100);
    p.channel().AddXY(150, 100);
    p.channel().AddXY(150, 50);
    const QImage image = p.render();
    const TiRect dv = p.dv();
    EXPECT_GT(Count(image, TiRect{dv.Left, dv.Top, dv.Right + 1, dv.Top + 4}, kMagenta), 0);
    EXPECT_EQ(Count(image, TiRect{0, 0, image.width(), dv.Top}, kMagenta), 0);
    EXPECT_EQ(Count(image, TiRect{dv.Right + 1, 0, image.width(), image.height()}, kMagenta), 0);
    EXPECT_EQ(Count(image, TiRect{0, dv.Bottom + 1, image.width(), image.height()}, kMagenta), 0);
    EXPECT_EQ(Count(image, TiRect{0, 0, dv.Left, image.height()}, kMagenta), 0);
}

TEST(PlotRender, SegmentsClipAtTheAxesRanges)
{
    PlainPlot p;
    p.channel().AddXY(-60, 50); // from outside to the middle: drawn from X = 0
    p.channel().AddXY(40, 50);
    p.channel().AddNull();
    p.channel().AddXY(-60, 20); // wholly left of the range: nothing
    p.channel().AddXY(-10, 20);
    const QImage image = p.render();
    const TiRect dv = p.dv();
    EXPECT_TRUE(Is(image, p.px(0), p.py(50), kMagenta));
    EXPECT_TRUE(Is(image, p.px(39), p.py(50), kMagenta));
    EXPECT_FALSE(Is(image, p.px(45), p.py(50), kMagenta));
    EXPECT_EQ(Count(image, TiRect{dv.Left, p.py(20) - 1, dv.Right, p.py(20) + 2}, kMagenta), 0);
}

TEST(PlotRender, NullBreaksAndEmptyJoinsTheTrace)
{
    for (bool null : {true, false}) {
        PlainPlot p;
        p.channel().AddXY(0, 0);
        null ? p.channel().AddNull() : p.channel().AddEmpty();
        p.channel().AddXY(50, 50);
        p.channel().AddXY(75, 75);
        const QImage image = p.render();
        auto near = [&](double v) { return TiRect{p.px(v), p.py(v) - 3, p.px(v) + 1, p.py(v) + 4}; };
        EXPECT_EQ(Count(image, near(25), kMagenta) > 0, !null) << null;
        EXPECT_GT(Count(image, near(60), kMagenta), 0) << null;
    }
}

TEST(PlotRender, PenWidthZeroAndOneAliketwoWider)
{
    QImage images[3];
    int counts[3];
    for (int w = 0; w < 3; ++w) {
        PlainPlot p;
        p.channel().SetTraceLineWidth(w);
        p.channel().AddXY(10, 10);
        p.channel().AddXY(90, 70);
        images[w] = p.render();
        counts[w] = CountNot(images[w], p.dv(), p.plot.BackGroundColor());
    }
    EXPECT_EQ(images[0], images[1]);
    EXPECT_GT(counts[0], 50);
    EXPECT_GT(counts[2], counts[1] * 3 / 2);
}

TEST(PlotRender, EachMarkerStyleDrawsAroundItsPoint)
{
    const int s = 5;
    std::vector<QImage> seen;
    for (int style = ipmsCircle; style <= ipmsCharacter; ++style) {
        PlainPlot p;
        p.channel().SetMarkersVisible(true);
        p.channel().SetMarkersSize(s);
        p.channel().SetMarkersStyle(TiPlotMarkerStyle(style));
        p.channel().SetMarkersCharacter(u'X');
        p.channel().SetMarkersFont(TiFont(QStringLiteral("Arial"), -12, kMagenta, fsBold));
        p.channel().AddXY(50, 50);
        const QImage image = p.render();
        const int x = p.px(50), y = p.py(50);
        const TiRect around{x - s - 1, y - s - 1, x + s + 2, y + s + 2};
        EXPECT_GT(Count(image, around, kMagenta), 2) << style;
        EXPECT_EQ(Count(image, p.dv(), kMagenta), Count(image, around.Inflated(3, 3), kMagenta)) << style;
        const QImage cut = image.copy(around.Inflated(3, 3).toQRect());
        for (const QImage& other : seen)
            EXPECT_NE(cut, other) << style;
        seen.push_back(cut);
    }
}

TEST(PlotRender, MarkersTurnOffAboveTheLimit)
{
    for (int limit : {0, 2, 1}) {
        PlainPlot p;
        p.channel().SetTraceVisible(false);
        p.channel().SetMarkersVisible(true);
        p.channel().SetMarkersTurnOffLimit(limit);
        for (int x : {20, 50, 80})
            p.channel().AddXY(x, 50);
        const QImage image = p.render();
        EXPECT_EQ(Count(image, p.dv(), kMagenta) > 0, limit != 1) << limit;
    }
}

TEST(PlotRender, LegendRowsOfTwoChannels)
{
    TiXYPlot plot;
    LoadConsole(plot);
    AddCurves(plot);
    const QImage image = plot.RenderToImage();
    const TiPlotLegendState& state = plot.Renderer().LegendState(plot.GetLegend(0));
    ASSERT_EQ(state.Channels.size(), 2u);
    EXPECT_EQ(state.Channels[0]->TitleText(), QStringLiteral("Intfan"));
    const auto& g = state.Geometry;
    EXPECT_FALSE(g.ButtonsVisible);
    EXPECT_LT(g.Items[0].Top, g.Items[1].Top);
    EXPECT_EQ(g.Items[0].Left, g.Items[1].Left);
    for (int k = 0; k < 2; ++k) {
        const TColor colour = plot.GetChannel(k)->Color();
        const int l = g.Items[size_t(k)].Left, mid = g.Items[size_t(k)].Top + state.HeightOf0 / 2;
        // 13 pixels long, 3 thick.
        EXPECT_EQ(Count(image, TiRect{l, mid - 1, l + 13, mid + 2}, colour), 39) << k;
        EXPECT_EQ(Count(image, TiRect{l - 1, mid - 3, l + 15, mid + 4}, colour), 39) << k;
        EXPECT_FALSE(plot.GetChannel(k)->LegendRect().IsEmpty());
    }
    // A channel left out of the legend leaves one row; its curve is still drawn.
    plot.GetChannel(1)->SetVisibleInLegend(false);
    plot.RenderToImage();
    EXPECT_EQ(plot.Renderer().LegendState(plot.GetLegend(0)).Channels.size(), 1u);
    EXPECT_EQ(plot.Renderer().LayerOrder().size(), 3u);
}

TEST(PlotRender, HiddenAxisGivesUpItsBand)
{
    TiXYPlot plot;
    LoadConsole(plot);
    plot.RenderToImage();
    const int left = plot.Renderer().DataViewRect().Left;
    plot.GetYAxis(0)->SetVisible(false);
    plot.RenderToImage();
    EXPECT_LT(plot.Renderer().DataViewRect().Left, left - 20);
}

TEST(PlotPoints, HandedOverInLogicalOrderAcrossTheRing)
{
    for (TiPlotDataStyle style : {ipdsStandard, ipdsCompact, ipdsFullFeature}) {
        TiXYPlot plot;
        TiXYPlotChannel& c = *plot.GetChannel(0);
        c.SetDataStyle(style);
        c.SetRingBufferSize(3);
        for (int i = 1; i <= 5; ++i)
            c.AddXY(i, 10 * i);
        if (style != ipdsCompact)
            c.SetDataNull(1, true);
        std::vector<TiPlotPoint> points(3);
        c.DataList().ReadPoints(0, 3, points.data());
        EXPECT_EQ(points[0].X, 3) << style;
        EXPECT_EQ(points[2].Y, 50) << style;
        EXPECT_EQ(points[1].Kind, style != ipdsCompact ? TiPlotPointKind::Null : TiPlotPointKind::Normal) << style;
        EXPECT_EQ(points[2].Kind, TiPlotPointKind::Normal) << style;
        EXPECT_FALSE(ErrorOf([&] { c.DataList().ReadPoints(1, 3, points.data()); }).isEmpty()) << style;
        // Read in place (standard points only), in two pieces across the wrap.
        TiPlotPointView view;
        const bool inPlace = c.DataList().ViewPoints(0, 3, view);
        EXPECT_EQ(inPlace, style == ipdsStandard) << style;
        if (inPlace) {
            ASSERT_EQ(view.size(), 3u);
            EXPECT_EQ(view.piece(0).Count, 1u);
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(view[i].X, points[i].X) << i;
                EXPECT_EQ(view[i].Y, points[i].Y) << i;
                EXPECT_EQ(view[i].Kind, points[i].Kind) << i;
            }
            c.SetDataEmpty(2, true);
            ASSERT_TRUE(c.DataList().ViewPoints(1, 2, view));
            EXPECT_EQ(view[0].Kind, TiPlotPointKind::Null);
            EXPECT_EQ(view[1].Kind, TiPlotPointKind::Empty);
            EXPECT_FALSE(ErrorOf([&] { c.DataList().ViewPoints(1, 3, view); }).isEmpty());
        }
    }
}

TEST(PlotRender, BackgroundGradientAndTitle)
{
    TiXYPlot plot;
    plot.resize(300, 200);
    plot.SetBackGroundGradientEnabled(true);
    plot.SetBackGroundGradientDirection(ifdTopBottom);
    plot.SetBackGroundGradientStartColor(clBlue);
    plot.SetBackGroundGradientStopColor(clBlack);
    plot.SetTitleVisible(true);
    plot.SetTitleText(QStringLiteral("Title"));
    QImage image = plot.RenderToImage();
    const QColor top = image.pixelColor(150, 3), bottom = image.pixelColor(150, 196);
    EXPECT_GT(top.blue(), 200);
    EXPECT_LT(bottom.blue(), 40);
    // The title label takes a band above the data view and writes in white.
    const TiRect dv = plot.Renderer().DataViewRect();
    EXPECT_GT(Count(image, TiRect{0, 0, 300, dv.Top}, clWhite), 20);
    plot.SetTitleVisible(false);
    plot.RenderToImage();
    EXPECT_LT(plot.Renderer().DataViewRect().Top, dv.Top);
}

TEST(PlotRender, FullPaintEqualsSegmentBySegmentDrawing)
{
    // WrappedRing: a ring buffer that has wrapped, with gaps; the fast path
    // reads it in place in two pieces.
    enum Shape { Walk, Spiky, Gaps, BackAndForth, WrappedRing };
    for (Shape shape : {Walk, Spiky, Gaps, BackAndForth, WrappedRing}) {
        for (int n : {1000, 20000}) {
            TiXYPlot plot;
            plot.resize(633, 409);
            plot.GetDataView(0)->SetGridShow(false);
            plot.GetXAxis(0)->SetTrackingEnabled(false);
            plot.GetYAxis(0)->SetTrackingEnabled(false);
            // Part of every data set lies outside the ranges and is clipped.
            plot.GetXAxis(0)->SetMinSpan(0.1 * n, 0.8 * n);
            plot.GetYAxis(0)->SetMinSpan(-20, 40);
            TiXYPlotChannel& c = *plot.GetChannel(0);
            std::uint64_t s = 77 + n;
            double y = 0;
            if (shape == WrappedRing)
                c.SetRingBufferSize(n * 2 / 3);
            for (int i = 0; i < n; ++i) {
                s = s * 6364136223846793005ULL + 1442695040888963407ULL;
                const double r = double(s >> 11) / double(1ULL << 53) - 0.5;
                y += r;
                double x = i;
                double v = y;
                if (shape == Spiky)
                    v = (i % 7 == 0) ? 60 * r : r;
                if (shape == BackAndForth)
                    x = n / 2.0 + n / 2.0 * std::sin(i * 0.01);
                const bool gaps = shape == Gaps || shape == WrappedRing;
                if (gaps && i % 97 == 5)
                    c.AddNull();
                else if (gaps && i % 89 == 3)
                    c.AddEmpty();
                else
                    c.AddXY(x, v);
            }
            const QImage full = plot.RenderToImage();

            c.SetVisible(false);
            QImage reference = plot.RenderToImage();
            c.SetVisible(true);
            c.DrawSetup();
            const TiRect dv = plot.Renderer().DataViewRect();
            {
                TiCanvas canvas(reference);
                canvas.SetClipRect(TiRect{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1});
                std::vector<TiPlotPoint> points;
                TiPlotChannelPainter::Points(c, points);
                TiPlotTrace::drawSegments(canvas, points, plot.Renderer().TraceAxes(*c.GetXAxis(), *c.GetYAxis()),
                                          TiPlotChannelPainter::ChannelTrace(c));
            }
            EXPECT_GT(Count(full, dv, c.Color()), 100) << shape << " " << n;
            EXPECT_EQ(full, reference) << shape << " " << n;
        }
    }
}

TEST(PlotRender, LegendValueColumnsAndSelectedRow)
{
    TiXYPlot plot;
    LoadConsole(plot);
    TiXYPlotChannel& in = *plot.GetChannel(0);
    TiXYPlotChannel& ex = *plot.GetChannel(1);
    in.AddXY(10, 2000);
    in.AddXY(20, 3000);
    ex.SetYAxisName(QStringLiteral("nowhere"));
    ex.AddXY(5, 1);
    EXPECT_EQ(TiPlotLegendPainter::XValueText(in), QStringLiteral("20"));
    EXPECT_EQ(TiPlotLegendPainter::YMaxText(in), QStringLiteral("3000"));
    EXPECT_EQ(TiPlotLegendPainter::YMeanText(in), QStringLiteral("2500"));
    EXPECT_EQ(TiPlotLegendPainter::YValueText(ex), QStringLiteral("N/A"));
    EXPECT_EQ(TiPlotLegendPainter::YAxisNameText(ex), QStringLiteral("None"));
    EXPECT_EQ(TiPlotLegendPainter::XAxisNameText(ex), QStringLiteral("Temperature"));
    ex.Clear();
    EXPECT_EQ(TiPlotLegendPainter::XValueText(ex), QStringLiteral("Empty"));
    plot.AddTranslation(QStringLiteral("Empty"), QStringLiteral("Leer"));
    EXPECT_EQ(TiPlotLegendPainter::XValueText(ex), QStringLiteral("Leer"));

    // A selected channel's title cell is filled in the selection colour.
    plot.GetLegend(0)->SetShowColumnYValue(true);
    in.SetUserSelected(true);
    const QImage image = plot.RenderToImage();
    const TiRect cell = in.LegendRect();
    ASSERT_FALSE(cell.IsEmpty());
    EXPECT_GT(Count(image, cell, plot.GetLegend(0)->SelectedItemBackGroundColor()), cell.Width() * cell.Height() / 3);
    EXPECT_EQ(Count(image, ex.LegendRect(), plot.GetLegend(0)->SelectedItemBackGroundColor()), 0);
}
