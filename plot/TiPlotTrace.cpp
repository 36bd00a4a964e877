#include "plot/TiPlotTrace.h"

#include <algorithm>

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

} // namespace

bool fastPathApplies(const TiPlotTraceStyle& style) { return style.Width <= 1 && style.LineStyle == iplsSolid; }

void drawSegments(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                  const TiPlotTraceStyle& style, const PointStyle& pointStyle)
{
    canvas.Brush.Style = bsClear;
    bool broken = true;
    TiPlotPoint prev;
    for (size_t i = 0; i < points.size(); ++i) {
        const TiPlotPoint p = points[i];
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
            if (segmentLine(prev.X, prev.Y, p.X, p.Y, axes, line))
                drawOne(canvas, line, pointStyle ? pointStyle(int(i)) : style);
        }
        prev = p;
    }
}

void draw(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
          const TiPlotTraceStyle& style, const TiPlotSummaryView& summary)
{
    if (!fastPathApplies(style)) {
        drawSegments(canvas, points, axes, style);
        return;
    }
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = style.Color;
    // Where a unit is not one device pixel, a zero-length segment keeps a
    // line of its own: only then does it cover what it covers alone.
    const bool unitPixels = canvas.ThinColumns(nullptr, 0);
    const auto zero = unitPixels ? TiPlotTraceMath::ZeroLength::Folded : TiPlotTraceMath::ZeroLength::Separate;
    std::vector<QLine> lines;
    if (!TiPlotTraceMath::summaryLines(points, summary, axes, lines, zero))
        lines = reducedLines(points, axes, zero);
    if (!unitPixels) {
        canvas.ThinLines(lines.data(), qsizetype(lines.size()));
        return;
    }
    // Most lines are the columns' vertical ones; filled at once they cost a
    // fraction of drawing them one by one.
    std::vector<QRect> columns;
    std::vector<QLine> others;
    columns.reserve(lines.size());
    others.reserve(lines.size());
    for (const QLine& l : lines) {
        if (l.x1() == l.x2() && l.y1() < l.y2())
            columns.emplace_back(l.x1(), l.y1(), 1, l.y2() - l.y1());
        else
            others.push_back(l);
    }
    canvas.ThinColumns(columns.data(), qsizetype(columns.size()));
    canvas.ThinLines(others.data(), qsizetype(others.size()));
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

void drawMarkers(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                 const TiPlotMarker& marker, int turnOffLimit, const PointMarker& pointMarker)
{
    if (points.empty())
        return;
    if (turnOffLimit > 0 && qint64(points.size()) - 1 > turnOffLimit)
        return;
    TiPlotMarker own = marker;
    for (size_t i = 0; i < points.size(); ++i) {
        const TiPlotPoint p = points[i];
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