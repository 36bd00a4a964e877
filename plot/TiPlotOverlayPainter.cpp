#include "plot/TiPlotOverlayPainter.h"

#include "plot/TiPlotAnnotation.h"
#include "plot/TiPlotAxis.h"
#include "plot/TiPlotAxisPainter.h"
#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotDataCursor.h"
#include "plot/TiPlotLayoutMath.h"
#include "plot/TiPlotLimit.h"
#include "plot/TiPlotOverlayMath.h"
#include "plot/TiPlotTrace.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"

#include <QStringList>

#include <algorithm>

namespace TiPlotOverlayPainter {

namespace {

TiPlotAxis* XAxisNamed(TiPlotComponent& plot, const QString& name)
{
    if (TiPlotAxis* a = plot.GetXAxisByName(name))
        return a;
    return plot.XAxisCount() > 0 ? plot.GetXAxis(0) : nullptr;
}

TiPlotAxis* YAxisNamed(TiPlotComponent& plot, const QString& name)
{
    if (TiPlotAxis* a = plot.GetYAxisByName(name))
        return a;
    return plot.YAxisCount() > 0 ? plot.GetYAxis(0) : nullptr;
}

bool Overlaps(const TiRect& a, const TiRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

void PaintAnnotationBox(const TiPlotAnnotation& annotation, TiCanvas& canvas, const TiRect& box)
{
    canvas.Font = annotation.Font();
    canvas.Font.Orientation = 0;
    canvas.Brush = TiBrush{annotation.BrushColor(), TiBrushStyle(annotation.BrushStyle())};
    canvas.Pen = TiPen{annotation.PenColor(), annotation.PenWidth(), TiPenStyle(annotation.PenStyle())};
    canvas.Rectangle(box);
    canvas.Brush.Style = bsClear;
    canvas.DrawText(TiRect{box.Left + 2, box.Top + 1, box.Right, box.Bottom}, annotation.Text(),
                    itfLeft | itfTop | itfSingleLine | itfNoPrefix);
}

} // namespace

void DrawLimit(TiPlotComponent& plot, const TiPlotLimit& limit, TiCanvas& canvas, const TiRect& view)
{
    if (!limit.Visible())
        return;
    const bool vertical = limit.OnXAxis() != plot.XYAxesReverse();  // a line across the view from top to bottom
    TiPlotAxis* axis = limit.OnXAxis() ? XAxisNamed(plot, limit.AxisName()) : YAxisNamed(plot, limit.AxisName());
    if (!axis)
        return;
    const int p1 = axis->PositionToPixels(limit.Position());
    if (limit.Filled()) {
        const int p2 = axis->PositionToPixels(limit.Position2());
        canvas.Brush = TiBrush{limit.Color(), bsSolid};
        canvas.FillRect(vertical ? TiRect{std::min(p1, p2), view.Top, std::max(p1, p2) + 1, view.Bottom + 1}
                                 : TiRect{view.Left, std::min(p1, p2), view.Right + 1, std::max(p1, p2) + 1});
        return;
    }
    // A line wholly outside the layer's clip draws nothing.
    const int reach = std::max(1, limit.LineWidth());
    const TiRect clip = TiPlotLayoutMath::layerClipRect(view);
    if (vertical ? (p1 + reach < clip.Left || p1 - reach >= clip.Right)
                 : (p1 + reach < clip.Top || p1 - reach >= clip.Bottom))
        return;
    canvas.Pen = TiPen{limit.Color(), limit.LineWidth(), TiPlotTrace::penStyle(limit.LineStyle())};
    canvas.Brush.Style = bsClear;
    if (vertical)
        canvas.Line(p1, view.Top, p1, view.Bottom);
    else
        canvas.Line(view.Left, p1, view.Right, p1);
}

void DrawAnnotation(TiPlotComponent& plot, const TiPlotAnnotation& annotation, TiCanvas& canvas, const TiRect& view)
{
    if (!annotation.Visible() || annotation.Text().isEmpty())
        return;
    auto place = [&](double value, TiPlotUnitReference ref, TiPlotAxis* axis, int from, int to) {
        if (ref == ipurPercent || !axis)
            return TiPlotOverlayMath::percentPixel(from, to, value);
        return axis->PositionToPixels(value);
    };
    const bool reversed = plot.XYAxesReverse();
    TiPlotAxis* xAxis = XAxisNamed(plot, annotation.XAxisName());
    TiPlotAxis* yAxis = YAxisNamed(plot, annotation.YAxisName());
    const int x = reversed ? place(annotation.Y(), annotation.YReference(), yAxis, view.Left, view.Right)
                           : place(annotation.X(), annotation.XReference(), xAxis, view.Left, view.Right);
    const int y = reversed ? place(annotation.X(), annotation.XReference(), xAxis, view.Top, view.Bottom)
                           : place(annotation.Y(), annotation.YReference(), yAxis, view.Top, view.Bottom);
    const QSize text = annotation.TextSize(canvas);
    const int w = text.width() + 4;
    const int h = text.height() + 2;
    const TiRect box{x, y, x + w, y + h};
    // A box wholly outside the layer's clip draws nothing: not laid out.
    const int pen = std::max(1, annotation.PenWidth());
    if (!Overlaps(box.Inflated(pen, pen), TiPlotLayoutMath::layerClipRect(view)))
        return;
    // An opaque box covers its image whole: drawn once, copied after that.
    if (annotation.BrushStyle() == bsSolid && annotation.PenStyle() != psClear) {
        const QImage& picture = annotation.Picture(canvas, QSize(w, h), [&](TiCanvas& on) {
            PaintAnnotationBox(annotation, on, TiRect{0, 0, w, h});
        });
        if (!picture.isNull()) {
            canvas.Draw(x, y, picture);
            return;
        }
    }
    PaintAnnotationBox(annotation, canvas, box);
}

void DrawDataCursor(TiPlotComponent& plot, const TiPlotDataCursor& cursor, TiCanvas& canvas, const TiRect& view)
{
    if (!cursor.Visible() || !cursor.Active() || view.IsEmpty() || plot.XAxisCount() == 0)
        return;
    TiPlotAxis& xAxis = *plot.GetXAxis(0);
    const double x = cursor.Position();
    if (x < std::min(xAxis.Min(), xAxis.GetMax()) || x > std::max(xAxis.Min(), xAxis.GetMax()))
        return;
    const bool all = cursor.ChannelName().toUpper() == QLatin1String("<ALL>");
    QStringList lines{TiPlotAxisPainter::CursorText(xAxis, x)};
    std::vector<TColor> colors{cursor.Color()};
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        TiPlotChannelCustom& c = *plot.GetChannelCustom(i);
        if (!c.Visible() || !c.AxesValid() || (!all && c.Name().compare(cursor.ChannelName(), Qt::CaseInsensitive) != 0))
            continue;
        if (c.GetXAxis() != &xAxis)
            continue;
        const auto at = TiPlotOverlayMath::nearestIndex(c.GetCount(), [&c](int k) { return c.GetDataX(k); }, x);
        QString value = QStringLiteral("-");
        if (at && !c.GetDataNull(*at) && !c.GetDataEmpty(*at)) {
            TiPlotAxis& y = *c.GetYAxis();
            value = TiPlotAxisPainter::CursorText(y, c.GetDataY(*at));
            if (y.TitleShow() && !y.Title().isEmpty())
                value += QLatin1Char(' ') + y.Title();
        }
        lines << c.TitleText() + QStringLiteral(": ") + value;
        colors.push_back(c.Color());
    }

    const int lineX = xAxis.PositionToPixels(x);
    canvas.Pen = TiPen{cursor.Color(), 1, psSolid};
    canvas.Line(lineX, view.Top, lineX, view.Bottom);

    canvas.Font = TiFont{QStringLiteral("MS Sans Serif"), -11, clWhite};
    int width = 0;
    const int lineHeight = canvas.TextHeight(QStringLiteral("Xy"));
    for (const QString& l : lines)
        width = std::max(width, canvas.TextWidth(l));
    const TiRect box = TiPlotOverlayMath::cursorBox(view, lineX, width + 8, lineHeight * int(lines.size()) + 6);
    canvas.Brush = TiBrush{clBlack, bsSolid};
    canvas.Pen = TiPen{cursor.Color(), 1, psSolid};
    canvas.Rectangle(box);
    canvas.Brush.Style = bsClear;
    for (int k = 0; k < int(lines.size()); ++k) {
        canvas.Font.Color = colors[std::size_t(k)];
        const int top = box.Top + 3 + k * lineHeight;
        canvas.DrawText(TiRect{box.Left + 4, top, box.Right - 2, top + lineHeight}, lines[k],
                        itfLeft | itfTop | itfSingleLine | itfNoPrefix);
    }
}

} // namespace TiPlotOverlayPainter
