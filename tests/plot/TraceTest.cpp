#include "plot/TiPlotLayoutMath.h"
#include "plot/TiPlotTrace.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// Small deterministic generator so every platform draws the same data.
class Lcg {
public:
    explicit Lcg(std::uint64_t seed) : m_state(seed) {}
    double next() // 0 .. 1
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) / double(1ULL << 53);
    }

private:
    std::uint64_t m_state;
};

QImage blank(int w = 633, int h = 409)
{
    QImage im(w, h, QImage::Format_RGB32);
    im.fill(Qt::white);
    return im;
}

// Data view with a 10-pixel margin; clipped like the plot clips its layers.
TiPlotTraceAxes axesFor(double xMin, double xSpan, double yMin, double ySpan, int w = 633, int h = 409)
{
    TiPlotTraceAxes a;
    a.X = TiPlotScaleMap::horizontal(xMin, xSpan, 10, w - 11);
    a.Y = TiPlotScaleMap::vertical(yMin, ySpan, h - 11, 10);
    return a;
}

enum class Way { Segments, Fast };

QImage render(const std::vector<TiPlotPoint>& pts, const TiPlotTraceAxes& axes, Way way,
              TiPlotTraceStyle style = {})
{
    QImage im = blank();
    TiCanvas c(im);
    c.IntersectClipRect(TiRect {10, 10, 633 - 11 + 1, 409 - 11 + 1});
    if (way == Way::Segments)
        TiPlotTrace::drawSegments(c, pts, axes, style);
    else
        TiPlotTrace::draw(c, pts, axes, style);
    return im;
}

int painted(const QImage& im)
{
    int n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += im.pixel(x, y) != kWhite;
    return n;
}

// The line passes within a pixel of (x, y) in its column.
bool paintedNear(const QImage& im, int x, int y)
{
    return im.pixel(x, y - 1) != kWhite || im.pixel(x, y) != kWhite || im.pixel(x, y + 1) != kWhite;
}

TiPlotPoint pt(double x, double y) { return {x, y, TiPlotPointKind::Normal}; }
TiPlotPoint nullPt() { return {0, 0, TiPlotPointKind::Null}; }
TiPlotPoint emptyPt() { return {0, 0, TiPlotPointKind::Empty}; }

std::vector<TiPlotPoint> randomWalk(int n, std::uint64_t seed, double step = 1)
{
    Lcg r(seed);
    std::vector<TiPlotPoint> v;
    double y = 0;
    for (int i = 0; i < n; ++i) {
        y += (r.next() - 0.5) * step;
        v.push_back(pt(i, y));
    }
    return v;
}

} // namespace

TEST(PlotTrace, FastWayMatchesSegmentBySegmentPixelForPixel)
{
    struct Case {
        const char* name;
        std::vector<TiPlotPoint> pts;
        TiPlotTraceAxes axes;
    };
    std::vector<Case> cases;
    for (int n : {1000, 10000, 100000}) {
        auto walk = randomWalk(n, 7 + n);
        double lo = 1e300, hi = -1e300;
        for (auto& p : walk) {
            lo = std::min(lo, p.Y);
            hi = std::max(hi, p.Y);
        }
        cases.push_back({"walk", walk, axesFor(0, n - 1, lo, hi - lo)});
        // Partly clipped: the range covers the middle of the walk only.
        cases.push_back({"walk clipped", walk, axesFor(n * 0.1, n * 0.7, lo + (hi - lo) * 0.3, (hi - lo) * 0.4)});
        TiPlotTraceAxes reversed = axesFor(lo, hi - lo, 0, n - 1);
        reversed.X = TiPlotScaleMap::horizontal(0, n - 1, 398, 10);
        reversed.X.Horizontal = false;
        reversed.X.ScaleBottom = 398;
        reversed.X.ScaleTop = 10;
        reversed.Y = TiPlotScaleMap::horizontal(lo, hi - lo, 10, 622);
        reversed.Reversed = true;
        cases.push_back({"walk reversed", walk, reversed});
    }
    {
        std::vector<TiPlotPoint> sine;
        for (int i = 0; i < 50000; ++i)
            sine.push_back(pt(i * 0.001, std::sin(i * 0.001 * 7) * 100));
        cases.push_back({"sine", sine, axesFor(0, 50, -100, 200)});
        cases.push_back({"sine clipped", sine, axesFor(-3, 40, -60, 120)});
    }
    {
        Lcg r(3);
        std::vector<TiPlotPoint> spiky;
        for (int i = 0; i < 30000; ++i)
            spiky.push_back(pt(i, r.next() < 0.01 ? r.next() * 1000 - 500 : r.next()));
        cases.push_back({"spiky", spiky, axesFor(0, 29999, -300, 600)});
    }
    {
        auto gaps = randomWalk(20000, 11);
        Lcg r(5);
        for (auto& p : gaps) {
            const double u = r.next();
            if (u < 0.02)
                p.Kind = TiPlotPointKind::Null;
            else if (u < 0.06)
                p.Kind = TiPlotPointKind::Empty;
        }
        cases.push_back({"nulls and empties", gaps, axesFor(0, 19999, -40, 80)});
    }
    {
        // Back and forth in X, like a fan curve drawn up and down again.
        Lcg r(9);
        std::vector<TiPlotPoint> zig;
        double y = 0;
        for (int i = 0; i < 40000; ++i) {
            const double x = 50 + 45 * std::sin(i * 0.0007) + (r.next() - 0.5) * 0.3;
            y += r.next() - 0.5;
            zig.push_back(pt(x, y));
        }
        cases.push_back({"back and forth", zig, axesFor(0, 100, -150, 300)});
        cases.push_back({"back and forth clipped", zig, axesFor(20, 60, -50, 100)});
    }
    {
        std::vector<TiPlotPoint> flat; // long runs of equal pixels and zero-length segments
        for (int i = 0; i < 20000; ++i)
            flat.push_back(pt(i / 100, (i / 37) % 3));
        cases.push_back({"steps", flat, axesFor(0, 200, -1, 4)});
        // Pixels growing with the value: the other direction of a column's extremes.
        TiPlotTraceAxes upsideDown = axesFor(0, 200, -1, 4);
        upsideDown.Y = TiPlotScaleMap::vertical(-1, 4, 10, 409 - 11);
        cases.push_back({"steps upside down", flat, upsideDown});
        auto walk = randomWalk(30000, 17);
        upsideDown = axesFor(0, 29999, -60, 120);
        upsideDown.Y = TiPlotScaleMap::vertical(-60, 120, 10, 409 - 11);
        cases.push_back({"walk upside down", walk, upsideDown});
    }
    {
        // Half a pixel per unit on both axes: many values fall exactly on a
        // rounding tie, at the columns' borders and at their ends.
        Lcg r(13);
        std::vector<TiPlotPoint> ties;
        double y = 0;
        for (int i = 0; i < 20000; ++i) {
            y = std::clamp(y + std::floor(r.next() * 5) - 2, -190.0, 190.0);
            ties.push_back(pt(i * 0.0625, y));
        }
        cases.push_back({"ties", ties, axesFor(0, 1224, -194, 778)});
    }
    {
        auto walk = randomWalk(20000, 21, 0.05);
        for (auto& p : walk)
            p.X = 1 + p.X;
        TiPlotTraceAxes logAxes = axesFor(1, 19999, -30, 60);
        logAxes.X.ScaleType = ipstLog10;
        cases.push_back({"log x", walk, logAxes});
    }
    for (const Case& c : cases) {
        const QImage slow = render(c.pts, c.axes, Way::Segments);
        const QImage fast = render(c.pts, c.axes, Way::Fast);
        EXPECT_GT(painted(slow), 0) << c.name << " " << c.pts.size();
        EXPECT_TRUE(slow == fast) << c.name << " " << c.pts.size();
    }
}

// Vertical lines filled as columns cover the pixels the lines would, up or
// down; a painter that does not map units to pixels one to one (two device
// pixels per unit) is declined and gets nothing.
TEST(PlotTrace, ColumnsCoverTheVerticalLinesPixels)
{
    const std::vector<QLine> lines {{20, 5, 20, 30}, {21, 30, 21, 6}, {22, 7, 22, 7}, {23, 0, 23, 1}};
    for (const QLine& l : lines) {
        QImage a = blank(), b = blank();
        TiCanvas ca(a), cb(b);
        ca.ThinLines(&l, 1);
        const QRect column(l.x1(), std::min(l.y1(), l.y2()), 1, std::abs(l.y2() - l.y1()));
        if (column.height() == 0)
            continue; // zero-length lines are not columns
        ASSERT_TRUE(cb.ThinColumns(&column, 1));
        EXPECT_EQ(a, b) << l.x1();
    }
    QImage scaled = blank();
    QPainter painter(&scaled);
    painter.scale(2, 2);
    TiCanvas c(painter);
    const QRect column(5, 5, 1, 10);
    EXPECT_FALSE(c.ThinColumns(&column, 1));
    painter.end();
    EXPECT_EQ(painted(scaled), 0);
}

TEST(PlotTrace, NullBreaksAndEmptyJoins)
{
    const auto axes = axesFor(0, 3, 0, 3);
    const int mx = axes.X.PositionToPixels(1), my = axes.Y.PositionToPixels(1);
    const QImage broken = render({pt(0, 0), nullPt(), pt(2, 2), pt(3, 3)}, axes, Way::Segments);
    EXPECT_FALSE(paintedNear(broken, mx, my));
    EXPECT_TRUE(paintedNear(broken, axes.X.PositionToPixels(2.5), axes.Y.PositionToPixels(2.5)));
    const QImage joined = render({pt(0, 0), emptyPt(), pt(2, 2), pt(3, 3)}, axes, Way::Segments);
    EXPECT_TRUE(paintedNear(joined, mx, my));
    EXPECT_TRUE(joined == render({pt(0, 0), emptyPt(), pt(2, 2), pt(3, 3)}, axes, Way::Fast));
    EXPECT_TRUE(broken == render({pt(0, 0), nullPt(), pt(2, 2), pt(3, 3)}, axes, Way::Fast));
    // One point makes no segment.
    EXPECT_EQ(painted(render({pt(1, 1)}, axes, Way::Segments)), 0);
    EXPECT_EQ(painted(render({pt(1, 1)}, axes, Way::Fast)), 0);
}

TEST(PlotTrace, SegmentsAreClippedToTheAxesRanges)
{
    const auto axes = axesFor(-45, 125, 0, 5500);
    const int row = axes.Y.PositionToPixels(1000);
    const QImage img = render({pt(-60, 1000), pt(0, 1000)}, axes, Way::Segments);
    int first = -1, last = -1;
    for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, row) != kWhite) {
            if (first < 0)
                first = x;
            last = x;
        }
    EXPECT_EQ(first, axes.X.PositionToPixels(-45));
    EXPECT_EQ(last, axes.X.PositionToPixels(0) - 1);
    EXPECT_EQ(painted(img), last - first + 1);
    EXPECT_EQ(painted(render({pt(-60, 1000), pt(-50, 1000)}, axes, Way::Segments)), 0);
    // Both ends above the range: nothing, though X is visible.
    EXPECT_EQ(painted(render({pt(0, 6000), pt(20, 7000)}, axes, Way::Segments)), 0);

    TiPlotTrace::Segment s {10, 7000, 20, -1000};
    ASSERT_TRUE(TiPlotTrace::clipSegment(s, -45, 80, 0, 5500));
    EXPECT_DOUBLE_EQ(s.Y1, 5500);
    EXPECT_DOUBLE_EQ(s.Y2, 0);
    EXPECT_DOUBLE_EQ(s.X1, 11.875);
    EXPECT_DOUBLE_EQ(s.X2, 18.75);
    // Ends come back ordered by X.
    TiPlotTrace::Segment back {50, 100, 40, 200};
    ASSERT_TRUE(TiPlotTrace::clipSegment(back, -45, 80, 0, 5500));
    EXPECT_EQ(back.X1, 40);
    EXPECT_EQ(back.Y1, 200);
    TiPlotTrace::Segment vertical {5, -100, 5, 9000};
    ASSERT_TRUE(TiPlotTrace::clipSegment(vertical, -45, 80, 0, 5500));
    EXPECT_EQ(vertical.X1, 5);
    EXPECT_EQ(vertical.X2, 5);
    EXPECT_EQ(vertical.Y1, 0);
    EXPECT_EQ(vertical.Y2, 5500);
}

TEST(PlotTrace, WidthZeroAndOneAreAlikeAndTwoIsWider)
{
    const auto axes = axesFor(0, 10, 0, 10);
    const std::vector<TiPlotPoint> pts {pt(1, 1), pt(5, 8), pt(9, 2)};
    TiPlotTraceStyle thin;
    thin.Width = 0;
    TiPlotTraceStyle one;
    one.Width = 1;
    TiPlotTraceStyle two;
    two.Width = 2;
    const QImage a = render(pts, axes, Way::Segments, thin);
    EXPECT_TRUE(a == render(pts, axes, Way::Segments, one));
    EXPECT_TRUE(a == render(pts, axes, Way::Fast, one));
    EXPECT_GT(painted(render(pts, axes, Way::Segments, two)), painted(a) * 3 / 2);
    // A dashed line leaves gaps.
    TiPlotTraceStyle dash;
    dash.LineStyle = iplsDash;
    const std::vector<TiPlotPoint> level {pt(1, 5), pt(9, 5)};
    EXPECT_LT(painted(render(level, axes, Way::Fast, dash)), painted(render(level, axes, Way::Fast, one)));
    EXPECT_FALSE(TiPlotTrace::fastPathApplies(dash));
    EXPECT_FALSE(TiPlotTrace::fastPathApplies(two));
}

TEST(PlotTrace, EveryMarkerStyleDrawsItsShape)
{
    struct Case {
        TiPlotMarkerStyle style;
        std::vector<QPoint> on;  // offsets from the centre that are painted
        std::vector<QPoint> off; // offsets left alone
    };
    const int s = 5;
    const std::vector<Case> cases {
        {ipmsCircle, {{0, 0}, {-3, 0}, {0, 3}}, {{-s, -s}, {s, s}}},
        {ipmsSquare, {{0, 0}, {-s, -s}, {s - 1, s - 1}}, {{s + 1, 0}}},
        {ipmsDiamond, {{0, 0}, {-3, 0}, {0, 3}}, {{-s, -s}, {s - 1, s - 1}}},
        {ipmsCross, {{-s + 1, -s + 1}, {s - 2, s - 2}, {s - 2, -s + 2}}, {{0, -s + 1}, {-s + 1, 0}}},
        {ipmsPlus, {{0, -s}, {0, s - 1}, {-s, 0}, {s - 1, 0}}, {{-s, -s}, {2, 2}}},
        {ipmsTriangleUp, {{0, 1}, {0, s - 1}, {-s + 1, s - 1}}, {{0, -2}, {-s, 0}}},
        {ipmsTriangleDown, {{0, -1}, {0, -s + 1}, {s - 1, -s + 1}}, {{0, 2}, {s, 0}}},
        {ipmsTriangleLeft, {{1, 0}, {s - 1, 0}, {s - 1, s - 1}}, {{-2, 0}, {0, -s}}},
        {ipmsTriangleRight, {{-1, 0}, {-s + 1, 0}, {-s + 1, -s + 1}}, {{2, 0}, {0, s}}},
        {ipmsVerticalLine, {{0, -s}, {0, 0}, {0, s - 1}}, {{1, 0}, {-1, 0}}},
        {ipmsHorizontalLine, {{-s, 0}, {0, 0}, {s - 1, 0}}, {{0, 1}, {0, -1}}},
    };
    for (const Case& c : cases) {
        QImage im = blank(40, 40);
        {
            TiCanvas canvas(im);
            TiPlotMarker m;
            m.Style = c.style;
            m.Size = s;
            m.PenColor = clBlack;
            m.BrushColor = clBlack;
            TiPlotTrace::drawMarker(canvas, 20, 20, m);
        }
        for (QPoint o : c.on)
            EXPECT_NE(im.pixel(20 + o.x(), 20 + o.y()), kWhite) << c.style << " on " << o.x() << "," << o.y();
        for (QPoint o : c.off)
            EXPECT_EQ(im.pixel(20 + o.x(), 20 + o.y()), kWhite) << c.style << " off " << o.x() << "," << o.y();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                if (std::abs(x - 20) > s + 1 || std::abs(y - 20) > s + 1) {
                    EXPECT_EQ(im.pixel(x, y), kWhite) << c.style << " outside at " << x << "," << y;
                }
            }
    }
    // A character marker writes its glyph; none without a character.
    QImage withChar = blank(40, 40), without = blank(40, 40);
    {
        TiCanvas canvas(withChar);
        canvas.Font.Color = clBlack;
        TiPlotMarker m;
        m.Style = ipmsCharacter;
        m.Character = QChar('W');
        TiPlotTrace::drawMarker(canvas, 20, 20, m);
        TiCanvas other(without);
        m.Character = QChar();
        TiPlotTrace::drawMarker(other, 20, 20, m);
    }
    EXPECT_GT(painted(withChar), 5);
    EXPECT_EQ(painted(without), 0);
}

TEST(PlotTrace, MarkersSkipGapsOffScalePointsAndTurnOffAboveTheLimit)
{
    const auto axes = axesFor(0, 10, 0, 10);
    const std::vector<TiPlotPoint> pts {pt(1, 1), nullPt(), pt(5, 5), pt(50, 5), emptyPt()};
    auto markers = [&](int limit, const TiPlotTrace::PointMarker& each = {}) {
        QImage im = blank();
        TiCanvas c(im);
        TiPlotMarker m;
        m.Style = ipmsSquare;
        m.Size = 2;
        TiPlotTrace::drawMarkers(c, pts, axes, m, limit, each);
        return im;
    };
    EXPECT_EQ(painted(markers(0)), 2 * 16);
    EXPECT_EQ(painted(markers(4)), 2 * 16);
    EXPECT_EQ(painted(markers(3)), 0);
    // Individual markers: only point 2 shows one, larger.
    const QImage single = markers(0, [](int index, TiPlotMarker& m) {
        m.Size = 3;
        return index == 2;
    });
    EXPECT_EQ(painted(single), 36);
    EXPECT_NE(single.pixel(axes.X.PositionToPixels(5), axes.Y.PositionToPixels(5)), kWhite);
}

TEST(PlotTrace, LayersPaintInKeyOrderAndStayInsideTheDataViewPlusOne)
{
    // Two thick channels crossing; the one drawn last owns the crossing.
    const TiRect dv {10, 10, 110, 110};
    TiPlotTraceAxes axes;
    axes.X = TiPlotScaleMap::horizontal(0, 10, dv.Left, dv.Right);
    axes.Y = TiPlotScaleMap::vertical(0, 10, dv.Bottom, dv.Top);
    const std::vector<TiPlotPoint> intfan {pt(0, 5), pt(10, 5)};
    const std::vector<TiPlotPoint> extfan {pt(5, 0), pt(5, 10)};
    struct Case {
        int intfanLayer, extfanLayer;
        QRgb crossing;
    };
    for (const Case& c : {Case {101, 100, 0xFFFF0000}, Case {100, 101, 0xFFFFFF00}, Case {100, 100, 0xFFFF0000}}) {
        TiPlotLayerList layers;
        layers.add(TiPlotLayerList::key(c.intfanLayer, 'F'), 0);
        layers.add(TiPlotLayerList::key(c.extfanLayer, 'F'), 1);
        QImage im = blank(130, 130);
        {
            TiCanvas canvas(im);
            for (int object : layers.order()) {
                canvas.IntersectClipRect(TiPlotLayoutMath::layerClipRect(dv));
                TiPlotTraceStyle style;
                style.Width = 5;
                style.Color = object == 0 ? clRed : clYellow;
                TiPlotTrace::draw(canvas, object == 0 ? intfan : extfan, axes, style);
                canvas.ClearClip();
            }
        }
        EXPECT_EQ(im.pixel(60, 60), c.crossing) << c.intfanLayer << " " << c.extfanLayer;
    }

    // A wide trace along the top and right ends is cut at the data view
    // plus one pixel to the right and bottom.
    QImage im = blank(130, 130);
    {
        TiCanvas canvas(im);
        canvas.IntersectClipRect(TiPlotLayoutMath::layerClipRect(dv));
        TiPlotTraceStyle style;
        style.Width = 5;
        TiPlotTrace::draw(canvas, {{pt(0, 10), pt(10, 10), pt(10, 0)}}, axes, style);
    }
    EXPECT_NE(im.pixel(50, 10), kWhite);
    EXPECT_EQ(im.pixel(50, 9), kWhite);
    EXPECT_NE(im.pixel(110, 50), kWhite);
    EXPECT_EQ(im.pixel(111, 50), kWhite);
    EXPECT_NE(im.pixel(108, 110), kWhite);
    EXPECT_EQ(im.pixel(108, 111), kWhite);
}
