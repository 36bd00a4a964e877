#include "plot/TiPlotTrace.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace TiPlotTrace {

namespace {

TiPenStyle penStyle(TiPlotLineStyle style)
{
    switch (style) {
    case iplsDash: return psDash;
    case iplsDot: return psDot;
    case iplsDashDot: return psDashDot;
    case iplsDashDotDot: return psDashDotDot;
    case iplsSolid: break;
    }
    return psSolid;
}

void drawOne(TiCanvas& canvas, const QLine& line, const TiPlotTraceStyle& style)
{
    canvas.Pen.Color = style.Color;
    if (fastPathApplies(style)) {
        canvas.ThinLines(&line, 1);
        return;
    }
    canvas.Pen.Style = penStyle(style.LineStyle);
    canvas.Pen.Width = style.Width == 1 ? 0 : style.Width;
    canvas.Polyline({line.p1(), line.p2()});
}

// Value-to-pixel mapping of one axis for points inside its range; linear
// scales skip the general routine's checks, which cannot trigger there.
struct InnerMapper {
    const TiPlotScaleMap& map;
    double min, max, ppu;
    int minPixel, lowPixel, highPixel;
    bool linear;

    explicit InnerMapper(const TiPlotScaleMap& m)
        : map(m), min(m.Min), max(m.Max()), ppu(m.PixelsPerUnit()), minPixel(m.MinPixel()),
          lowPixel(std::min(m.MinPixel(), m.MaxPixel())), highPixel(std::max(m.MinPixel(), m.MaxPixel())),
          linear(m.ScaleType == ipstLinear && m.MinPixel() != m.MaxPixel() && m.Span > TiPlotScale::kMinSpan)
    {
    }

    // The pixel of v when v lies in the range and on the scale.
    bool inner(double v, int& pixel) const
    {
        if (!(v >= min && v <= max))
            return false;
        pixel = linear ? minPixel - TiPlotScale::roundPixel((v - min) * ppu) : map.PositionToPixels(v);
        return pixel >= lowPixel && pixel <= highPixel;
    }
};

// The run of one pixel column: consecutive inner points drawn at the same x.
// Their vertical segments cover lo..hi-1, and hi too when a zero-length
// segment sits there (zeroMax is the highest pixel of one).
struct Column {
    bool active = false;
    int x = 0, lo = 0, hi = 0, last = 0, zeroMax = INT_MIN;
    bool several = false;

    void start(int px, int py) { *this = Column {true, px, py, py, py, INT_MIN, false}; }
    // Without branches on the data: a random walk makes them unpredictable.
    void add(int py)
    {
        zeroMax = std::max(zeroMax, py == last ? py : INT_MIN);
        hi = std::max(hi, py);
        lo = std::min(lo, py);
        last = py;
        several = true;
    }
    void flush(std::vector<QLine>& out)
    {
        if (active && several) {
            if (zeroMax == hi)
                out.emplace_back(x, lo, x, hi + 1);
            else if (lo < hi)
                out.emplace_back(x, lo, x, hi);
        }
        active = false;
    }
};

} // namespace

bool clipSegment(Segment& s, double xMin, double xMax, double yMin, double yMax)
{
    if (s.X2 < s.X1) {
        std::swap(s.X1, s.X2);
        std::swap(s.Y1, s.Y2);
    }
    auto inX = [&](double x) { return x >= xMin && x <= xMax; };
    auto inY = [&](double y) { return y >= yMin && y <= yMax; };
    const bool xPass = (s.X1 < xMin && s.X2 > xMax) || inX(s.X1) || inX(s.X2);
    const bool yPass = (s.Y1 < yMin && s.Y2 > yMax) || (s.Y1 > yMax && s.Y2 < yMin) || inY(s.Y1) || inY(s.Y2);
    if (!xPass || !yPass)
        return false;
    auto yAt = [&](double x) {
        const double dx = s.X2 - s.X1;
        const double slope = dx == 0 ? 0 : (s.Y2 - s.Y1) / dx;
        return s.Y1 + (x - s.X1) * slope;
    };
    if (s.X1 < xMin) {
        s.Y1 = yAt(xMin);
        s.X1 = xMin;
    }
    if (s.X2 > xMax) {
        s.Y2 = yAt(xMax);
        s.X2 = xMax;
    }
    auto clipEnd = [&](double& x, double& y) {
        const double target = y < yMin ? yMin : y > yMax ? yMax : y;
        if (target == y)
            return;
        const double dy = s.Y2 - s.Y1;
        if (s.X2 != s.X1 && dy != 0)
            x = s.X1 + (target - s.Y1) * (s.X2 - s.X1) / dy;
        y = target;
    };
    clipEnd(s.X1, s.Y1);
    clipEnd(s.X2, s.Y2);
    return true;
}

bool segmentLine(double x1, double y1, double x2, double y2, const TiPlotTraceAxes& axes, QLine& line)
{
    Segment s {x1, y1, x2, y2};
    if (!clipSegment(s, axes.X.Min, axes.X.Max(), axes.Y.Min, axes.Y.Max()))
        return false;
    // Both ends must land on their scales; each pixel is mapped once.
    auto onScale = [](const TiPlotScaleMap& m, double v, int& pixel) {
        pixel = m.PositionToPixels(v);
        return pixel >= std::min(m.MinPixel(), m.MaxPixel()) && pixel <= std::max(m.MinPixel(), m.MaxPixel());
    };
    QPoint a, b;
    if (!onScale(axes.X, s.X1, a.rx()) || !onScale(axes.X, s.X2, b.rx()) || !onScale(axes.Y, s.Y1, a.ry())
        || !onScale(axes.Y, s.Y2, b.ry()))
        return false;
    line = axes.Reversed ? QLine(a.y(), a.x(), b.y(), b.x()) : QLine(a, b);
    return true;
}

bool fastPathApplies(const TiPlotTraceStyle& style) { return style.Width <= 1 && style.LineStyle == iplsSolid; }

void drawSegments(TiCanvas& canvas, std::span<const TiPlotPoint> points, const TiPlotTraceAxes& axes,
                  const TiPlotTraceStyle& style, const PointStyle& pointStyle)
{
    canvas.Brush.Style = bsClear;
    bool broken = true;
    const TiPlotPoint* prev = nullptr;
    for (size_t i = 0; i < points.size(); ++i) {
        const TiPlotPoint& p = points[i];
        if (p.Kind == TiPlotPointKind::Empty)
            continue;
        if (p.Kind == TiPlotPointKind::Null) {
            broken = true;
            continue;
        }
        if (broken) {
            broken = false;
        } else {
            QLine line;
            if (segmentLine(prev->X, prev->Y, p.X, p.Y, axes, line))
                drawOne(canvas, line, pointStyle ? pointStyle(int(i)) : style);
        }
        prev = &p;
    }
}

std::vector<QLine> reducedLines(std::span<const TiPlotPoint> points, const TiPlotTraceAxes& axes)
{
    std::vector<QLine> out;
    const InnerMapper mx(axes.X);
    const InnerMapper my(axes.Y);
    Column col;
    bool havePrev = false;
    bool prevInner = false;
    int prevX = 0, prevY = 0;
    const TiPlotPoint* prev = nullptr;
    const TiPlotPoint* const data = points.data();
    const size_t n = points.size();
    const bool fastLinear = mx.linear && my.linear;
    const bool reversed = axes.Reversed;
    const double xMin = mx.min, xMax = mx.max, xPpu = mx.ppu, yMin = my.min, yMax = my.max, yPpu = my.ppu;
    const int xMinPixel = mx.minPixel, yMinPixel = my.minPixel;
    size_t i = 0;
    while (i < n) {
        if (havePrev && prevInner && fastLinear) {
            // The common run: normal points inside both ranges, one after
            // another; their column is open. Everything it needs is held
            // in locals so the loop runs in registers.
            int cx = col.x, lo = col.lo, hi = col.hi, last = col.last, zeroMax = col.zeroMax;
            bool several = col.several;
            int lastX = prevX, lastY = prevY;
            const size_t runStart = i;
            for (; i < n; ++i) {
                const TiPlotPoint& p = data[i];
                if (p.Kind != TiPlotPointKind::Normal || !(p.X >= xMin && p.X <= xMax) || !(p.Y >= yMin && p.Y <= yMax))
                    break;
                // A value inside its range lands on its scale: the offset
                // is within a hair of 0 .. the scale's length.
                int px = xMinPixel - TiPlotScale::roundPixel((p.X - xMin) * xPpu);
                int py = yMinPixel - TiPlotScale::roundPixel((p.Y - yMin) * yPpu);
                if (reversed)
                    std::swap(px, py);
                if (px == cx) {
                    zeroMax = std::max(zeroMax, py == last ? py : INT_MIN);
                    hi = std::max(hi, py);
                    lo = std::min(lo, py);
                    several = true;
                } else {
                    col = Column {true, cx, lo, hi, last, zeroMax, several};
                    col.flush(out);
                    out.emplace_back(lastX, lastY, px, py);
                    cx = px;
                    lo = hi = py;
                    zeroMax = INT_MIN;
                    several = false;
                }
                last = py;
                lastX = px;
                lastY = py;
            }
            col = Column {true, cx, lo, hi, last, zeroMax, several};
            prevX = lastX;
            prevY = lastY;
            if (i > runStart)
                prev = &data[i - 1];
            if (i == n)
                break;
        }
        const TiPlotPoint& p = data[i++];
        if (p.Kind == TiPlotPointKind::Empty)
            continue;
        if (p.Kind == TiPlotPointKind::Null) {
            col.flush(out);
            havePrev = false;
            continue;
        }
        int px = 0, py = 0;
        const bool inner = mx.inner(p.X, px) && my.inner(p.Y, py);
        if (axes.Reversed)
            std::swap(px, py);
        if (!havePrev) {
            col.flush(out);
            if (inner)
                col.start(px, py);
        } else if (prevInner && inner) {
            if (px == col.x) {
                col.add(py);
            } else {
                col.flush(out);
                out.emplace_back(prevX, prevY, px, py);
                col.start(px, py);
            }
        } else {
            // Clipped or off-scale segments are drawn as they come.
            col.flush(out);
            QLine line;
            if (segmentLine(prev->X, prev->Y, p.X, p.Y, axes, line))
                out.push_back(line);
            if (inner)
                col.start(px, py);
        }
        havePrev = true;
        prevInner = inner;
        prevX = px;
        prevY = py;
        prev = &p;
    }
    col.flush(out);
    return out;
}

void draw(TiCanvas& canvas, std::span<const TiPlotPoint> points, const TiPlotTraceAxes& axes,
          const TiPlotTraceStyle& style)
{
    if (!fastPathApplies(style)) {
        drawSegments(canvas, points, axes, style);
        return;
    }
    const std::vector<QLine> lines = reducedLines(points, axes);
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = style.Color;
    canvas.ThinLines(lines.data(), qsizetype(lines.size()));
}

void drawMarker(TiCanvas& canvas, int x, int y, const TiPlotMarker& m)
{
    const int s = m.Size;
    canvas.Pen = TiPen {m.PenColor, m.PenWidth, m.PenStyle};
    canvas.Brush = TiBrush {m.BrushColor, m.BrushStyle};
    switch (m.Style) {
    case ipmsCircle: canvas.Ellipse(x - s, y - s, x + s, y + s); break;
    case ipmsSquare: canvas.Rectangle(x - s, y - s, x + s, y + s); break;
    case ipmsDiamond: canvas.Polygon({{x + s, y}, {x, y + s}, {x - s, y}, {x, y - s}}); break;
    case ipmsCross:
        canvas.Line(x - s, y - s, x + s, y + s);
        canvas.Line(x + s, y - s, x - s, y + s);
        break;
    case ipmsPlus:
        canvas.Line(x, y - s, x, y + s);
        canvas.Line(x - s, y, x + s, y);
        break;
    case ipmsTriangleUp: canvas.Polygon({{x - s, y + s}, {x, y}, {x + s, y + s}}); break;
    case ipmsTriangleDown: canvas.Polygon({{x - s, y - s}, {x, y}, {x + s, y - s}}); break;
    case ipmsTriangleLeft: canvas.Polygon({{x + s, y - s}, {x, y}, {x + s, y + s}}); break;
    case ipmsTriangleRight: canvas.Polygon({{x - s, y - s}, {x, y}, {x - s, y + s}}); break;
    case ipmsVerticalLine: canvas.Line(x, y - s, x, y + s); break;
    case ipmsHorizontalLine: canvas.Line(x - s, y, x + s, y); break;
    case ipmsCharacter:
        if (!m.Character.isNull()) {
            canvas.Brush.Style = bsClear;
            const int half = std::max(s, canvas.TextHeight(QString(m.Character)));
            canvas.DrawText(TiRect {x - half, y - half, x + half + 1, y + half + 1}, QString(m.Character),
                            itfCenter | itfVCenter | itfSingleLine | itfNoClip);
        }
        break;
    }
}

void drawLegendMarker(TiCanvas& canvas, int x, int y, TiPlotMarker marker)
{
    marker.Size = std::min(marker.Size, 6);
    drawMarker(canvas, x, y, marker);
}

void drawMarkers(TiCanvas& canvas, std::span<const TiPlotPoint> points, const TiPlotTraceAxes& axes,
                 const TiPlotMarker& marker, int turnOffLimit, const PointMarker& pointMarker)
{
    if (points.empty())
        return;
    if (turnOffLimit > 0 && qint64(points.size()) - 1 > turnOffLimit)
        return;
    TiPlotMarker own = marker;
    for (size_t i = 0; i < points.size(); ++i) {
        const TiPlotPoint& p = points[i];
        if (p.Kind != TiPlotPointKind::Normal)
            continue;
        if (!axes.X.PointOnScale(p.X) || !axes.Y.PointOnScale(p.Y))
            continue;
        if (pointMarker && !pointMarker(int(i), own))
            continue;
        const int px = axes.X.PositionToPixels(p.X);
        const int py = axes.Y.PositionToPixels(p.Y);
        if (axes.Reversed)
            drawMarker(canvas, py, px, pointMarker ? own : marker);
        else
            drawMarker(canvas, px, py, pointMarker ? own : marker);
    }
}

} // namespace TiPlotTrace
