#include "plot/TiPlotAxisPainter.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotLabelText.h"
#include "widgets/TiCanvas.h"

#include <algorithm>

namespace TiPlotAxisPainter {

namespace {

bool Cartesian(const TiPlotAxis& axis) { return axis.CartesianStyle() != ipcsNone; }

bool Across(TiRotationAngle r) { return r == ira090 || r == ira270; }

int Orientation(TiRotationAngle r)
{
    switch (r) {
    case ira090: return 90;
    case ira180: return 180;
    case ira270: return 270;
    case ira000: break;
    }
    return 0;
}

QString Customized(TiPlotAxis& axis, double value, QString text)
{
    TiPlotComponent* plot = axis.Owner();
    if (!plot)
        return text;
    if (axis.IsXAxis())
        emit plot->OnXAxisCustomizeLabel(plot->GetXAxisIndexByName(axis.Name()), value, text);
    else
        emit plot->OnYAxisCustomizeLabel(plot->GetYAxisIndexByName(axis.Name()), value, text);
    return text;
}

QString Formatted(TiPlotAxis& axis, double value, const TiPlotLabelFormat& format)
{
    const QString text = TiPlotLabelText::text(value, format, axis.Span(), axis.ScaleType());
    // A log axis has no label for values <= 0, and nobody may customize it.
    if (axis.ScaleType() == ipstLog10 && format.Style == iptfValue && value <= 0)
        return text;
    return Customized(axis, value, text);
}

TiPen GridPenOf(const GridPen& g)
{
    TiPen pen;
    pen.Color = g.Color;
    pen.Width = g.Width;
    pen.Style = g.Style == ipglsDash ? psDash : g.Style == ipglsDot ? psDot : psSolid;
    return pen;
}

void Line(TiCanvas& canvas, const QLine& l) { canvas.Polyline({l.p1(), l.p2()}); }

int TextHeightIn(TiCanvas& canvas, const TiFont& font, const QString& text)
{
    canvas.Font = font;
    canvas.Font.Orientation = 0;
    return canvas.TextHeight(text);
}

} // namespace

QString LabelText(TiPlotAxis& axis, double value, bool measuring)
{
    TiPlotLabelFormat format;
    format.Style = axis.LabelsFormatStyle();
    format.Precision = axis.LabelsPrecision();
    format.PrecisionStyle = axis.LabelsPrecisionStyle();
    format.DateTimeFormat = axis.DateTimeFormat();
    const QString text = Formatted(axis, value, format);
    if (measuring && axis.LabelsMinLengthAutoAdjust() && text.size() > axis.LabelsMinLength())
        axis.SetLabelsMinLength(text.size());
    return text;
}

QString LegendText(TiPlotAxis& axis, double value)
{
    if (axis.LegendUseDefaultFormat())
        return LabelText(axis, value).replace(QLatin1Char('\n'), QLatin1Char(' '));
    TiPlotLabelFormat format;
    format.Style = axis.LegendFormatStyle();
    format.Precision = axis.LegendPrecision();
    format.PrecisionStyle = axis.LegendPrecisionStyle();
    format.DateTimeFormat = axis.LegendDateTimeFormat();
    QString text = Formatted(axis, value, format);
    if (axis.LegendMinLengthAutoAdjust() && text.size() > axis.LegendMinLength())
        axis.SetLegendMinLength(text.size());
    return text.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString CursorText(TiPlotAxis& axis, double value)
{
    if (axis.CursorUseDefaultFormat())
        return LabelText(axis, value).replace(QLatin1Char('\n'), QLatin1Char(' '));
    TiPlotLabelFormat format;
    format.Style = axis.CursorFormatStyle();
    format.Precision = axis.CursorPrecision();
    format.PrecisionStyle = axis.CursorPrecisionStyle();
    format.DateTimeFormat = axis.CursorDateTimeFormat();
    return Formatted(axis, value, format).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

TiPlotScaleMap MapOf(const TiPlotAxis& axis, const TiRect& s) { return axis.ScaleMap(s); }

int RequiredLabelLength(TiPlotAxis& axis, TiCanvas& canvas, const TiPlotAxisState& state)
{
    canvas.Font = axis.LabelsFont();
    canvas.Font.Orientation = 0;
    const int w0 = canvas.TextWidth(QStringLiteral("0"));
    int widest = canvas.TextWidth(LabelText(axis, TiPlotLabelText::widestLabelValue(axis.Min(), axis.Span()), true));
    for (const TiPlotTick& t : state.Ticks)
        widest = std::max(widest, canvas.TextWidth(t.Label));
    return TiPlotLabelText::requiredLabelLength(w0, axis.LabelsMinLength(), widest);
}

TiPlotLayoutItem LayoutItem(TiPlotAxis& axis, TiCanvas& canvas, TiPlotAxisState& state)
{
    TiPlotLayoutItem item;
    item.Kind = TiPlotLayoutKind::Axis;
    item.Horizontal = axis.Horizontal();
    item.ZOrder = axis.ZOrder();
    item.StartPercent = axis.StartPercent();
    item.StopPercent = axis.StopPercent();
    item.Visible = axis.Visible();
    item.ForceStacking = axis.ForceStacking();
    item.Cartesian = axis.CartesianStyle();
    item.CartesianRefValue = axis.CartesianChildRefValue();
    item.StackingEndsMargin = axis.StackingEndsMargin();
    item.LabelsVisible = axis.LabelsVisible();
    item.Min = axis.Min();
    item.Span = axis.Span();
    item.ReverseScale = axis.ReverseScale();
    item.ScaleType = axis.ScaleType();

    const int widest = RequiredLabelLength(axis, canvas, state);
    canvas.Font = axis.LabelsFont();
    canvas.Font.Orientation = 0;
    item.WidthOf0 = canvas.TextWidth(QStringLiteral("0"));
    item.HeightOf0 = canvas.TextHeight(QStringLiteral("0"));
    const int labelHeight = canvas.TextHeight(LabelText(axis, axis.Min()));
    const int heightA = canvas.TextHeight(QStringLiteral("A"));
    const int heightXYZ = canvas.TextHeight(QStringLiteral("XYZ"));
    const bool across = Across(axis.LabelsRotation());
    if (item.Horizontal)
        item.Along = across ? labelHeight : widest;
    else
        item.Along = across ? widest : labelHeight;

    TiPlotLabelText::BandInput band;
    band.TitleVisible = axis.TitleShow() && !Cartesian(axis);
    band.TitleRotated = axis.TitleRotated();
    canvas.Font = axis.TitleFont();
    canvas.Font.Orientation = 0;
    band.TitleWidth = canvas.TextWidth(axis.Title());
    band.TitleHeight = canvas.TextHeight(axis.Title());
    band.TitleMargin = axis.TitleMargin();
    band.ScaleLinesShow = axis.ScaleLinesShow();
    band.MajorLength = axis.MajorLength();
    band.MinorLength = axis.MinorLength();
    band.LabelsVisible = axis.LabelsVisible();
    band.HeightA = heightA;
    band.LabelsMargin = axis.LabelsMargin();
    band.Across = TiPlotLabelText::labelsAcross(item.Horizontal, axis.LabelsRotation(), widest, labelHeight);
    band.InnerMargin = axis.InnerMargin();
    band.OuterMargin = axis.OuterMargin();
    item.RequiredWidth = TiPlotLabelText::requiredWidth(band).RequiredWidth;
    state.RequiredWidth = item.RequiredWidth;
    item.LengthGuard = TiPlotLabelText::requiredLengthGuard(axis.LabelsVisible(), item.Horizontal,
                                                            axis.LabelsRotation(), heightXYZ, widest);
    return item;
}

void CalcTicks(TiPlotAxis& axis, TiCanvas& canvas, TiPlotAxisState& state)
{
    state.Map = MapOf(axis, axis.ScaleRect());
    const int widest = RequiredLabelLength(axis, canvas, state);
    canvas.Font = axis.LabelsFont();
    canvas.Font.Orientation = 0;
    const int pitch = TiPlotTicks::labelPitch(axis.Horizontal(), axis.LabelsRotation(),
                                              canvas.TextWidth(QStringLiteral("0")),
                                              canvas.TextHeight(QStringLiteral("0")), axis.LabelSeparation(), widest);
    TiPlotTickSettings settings;
    settings.MinorCount = axis.MinorCount();
    settings.DesiredStart = axis.DesiredStart();
    settings.DesiredIncrement = axis.DesiredIncrement();
    settings.LabelsVisible = axis.LabelsVisible();
    settings.LabelsFormatStyle = axis.LabelsFormatStyle();
    settings.MaxIntervals = TiPlotTicks::maxIntervals(state.Map.SpanLength(), pitch);
    state.Ticks = TiPlotTicks::calcTicks(state.Map, settings, [&](double v) { return LabelText(axis, v); }).Ticks;
}

void Draw(TiPlotAxis& axis, TiCanvas& canvas, const TiPlotAxisState& state, const CollisionTest& accept)
{
    using namespace TiPlotTicks;
    if (!axis.Visible())
        return;
    const TiRect r = axis.DrawRect();
    const TiRect scale = axis.ScaleRect();
    const bool cartesian = Cartesian(axis);
    const TiPlotAxisSide side = static_cast<TiPlotAxisSide>(state.Side);

    if (axis.ScaleLinesShow()) {
        canvas.Brush.Style = bsSolid;
        canvas.Pen = TiPen{axis.ScaleLinesColor(), 1, psSolid};
        Line(canvas, scaleLine(side, scale, cartesian ? 0 : axis.InnerMargin()));
        for (const TiPlotTick& t : state.Ticks) {
            if (!t.OnScale)
                continue;
            const int length = t.Style == 0 ? std::max(0, axis.MajorLength()) : axis.MinorLength();
            Line(canvas, cartesian ? cartesianTickLine(axis.Horizontal(), r, length, t.Pixels)
                                   : tickLine(side, r, axis.InnerMargin(), length, t.Pixels, t.Style == 0));
        }
    }

    if (axis.LabelsVisible()) {
        canvas.Brush.Style = bsClear;
        const int gap = tiRound(TextHeightIn(canvas, axis.LabelsFont(), QStringLiteral("A")) * axis.LabelsMargin());
        const int offset = labelOffset(axis.ScaleLinesShow(), cartesian, axis.InnerMargin(), axis.MajorLength(), gap);
        for (const TiPlotTick& t : state.Ticks) {
            if (!t.OnScale || t.Style != 0 || t.Label.isEmpty())
                continue;
            canvas.Font = axis.LabelsFont();
            canvas.Font.Orientation = 0;
            const TiRect cell = labelRect(side, axis.LabelsRotation(), r, offset, canvas.TextWidth(t.Label),
                                          canvas.TextHeight(t.Label), t.Pixels);
            if (cartesian && accept && !accept(cell))
                continue;
            canvas.Font.Orientation = Orientation(axis.LabelsRotation());
            canvas.DrawText(cell, t.Label, itfCenter | itfVCenter | itfSingleLine | itfNoClip | itfNoPrefix);
        }
    }

    if (!cartesian && axis.TitleShow() && !axis.Title().trimmed().isEmpty()) {
        canvas.Brush.Style = bsClear;
        canvas.Font = axis.TitleFont();
        canvas.Font.Orientation = 0;
        bool turned = false;
        const TiRect cell = titleRect(side, scale, axis.OuterMargin(), axis.TitleRotated(),
                                      canvas.TextWidth(axis.Title()), canvas.TextHeight(axis.Title()), &turned);
        canvas.Font.Orientation = turned ? 90 : 0;
        canvas.DrawText(cell, axis.Title(), itfCenter | itfVCenter | itfSingleLine | itfNoClip | itfNoPrefix);
    }
    canvas.Font.Orientation = 0;

    if (axis.UserSelected()) {
        canvas.Font.Color = clWhite;
        const TiRect lr = state.LabelRect;
        canvas.DrawFocusRect(TiRect{lr.Left, lr.Top, lr.Right + 1, lr.Bottom + 1});
    }
}

void DrawGridLines(const TiPlotAxis& axis, const TiPlotAxisState& state, TiCanvas& canvas, const TiRect& rect,
                   const GridPen& minor, const GridPen& major)
{
    if (!axis.GridLinesVisible())
        return;
    for (const TiPlotTick& t : state.Ticks) {
        if (!t.OnScale)
            continue;
        const GridPen& g = t.Style == 0 ? major : minor;
        if (!g.Show)
            continue;
        canvas.Pen = GridPenOf(g);
        Line(canvas, TiPlotTicks::gridLine(axis.Horizontal(), rect, t.Pixels));
    }
}

} // namespace TiPlotAxisPainter
