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

void Segment(TiCanvas& canvas, int x1, int y1, int x2, int y2) { canvas.Polyline({QPoint(x1, y1), QPoint(x2, y2)}); }

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

TiPlotScaleMap MapOf(const TiPlotAxis& axis, const TiRect& s)
{
    if (axis.Horizontal())
        return TiPlotScaleMap::horizontal(axis.Min(), axis.Span(), s.Left, s.Right, axis.ReverseScale(),
                                          axis.ScaleType());
    return TiPlotScaleMap::vertical(axis.Min(), axis.Span(), s.Bottom, s.Top, axis.ReverseScale(), axis.ScaleType());
}

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
    if (!axis.Visible())
        return;
    const TiRect r = axis.DrawRect();
    const TiRect m = axis.ScaleRect();
    const bool cartesian = Cartesian(axis);
    const int side = state.Side;
    const int inner = cartesian ? 0 : axis.InnerMargin();

    if (axis.ScaleLinesShow()) {
        canvas.Brush.Style = bsSolid;
        canvas.Pen = TiPen{axis.ScaleLinesColor(), 1, psSolid};
        switch (side) {
        case 0: Segment(canvas, m.Right - inner, m.Top, m.Right - inner, m.Bottom + 1); break;
        case 1: Segment(canvas, m.Left + inner, m.Top, m.Left + inner, m.Bottom + 1); break;
        case 2: Segment(canvas, m.Left, m.Bottom - inner, m.Right, m.Bottom - inner); break;
        default: Segment(canvas, m.Left, m.Top + inner, m.Right + 1, m.Top + inner); break;
        }
        for (const TiPlotTick& t : state.Ticks) {
            if (!t.OnScale)
                continue;
            const int len = t.Style == 0 ? std::max(0, axis.MajorLength()) : axis.MinorLength();
            const int p = t.Pixels;
            if (cartesian) {
                const int a = (len + 1) / 2;
                if (axis.Horizontal())
                    Segment(canvas, p, r.Top - a, p, r.Top + a + 1);
                else
                    Segment(canvas, r.Left - a, p, r.Left + a + 1, p);
                continue;
            }
            const bool major = t.Style == 0;
            switch (side) {
            case 0: major ? Segment(canvas, r.Right - inner, p, r.Right - inner - len, p)
                          : Segment(canvas, r.Right - inner - len, p, r.Right - inner, p); break;
            case 1: major ? Segment(canvas, r.Left + inner, p, r.Left + inner + len, p)
                          : Segment(canvas, r.Left + inner + len, p, r.Left + inner, p); break;
            case 2: major ? Segment(canvas, p, r.Bottom - inner, p, r.Bottom - inner - len)
                          : Segment(canvas, p, r.Bottom - inner - len, p, r.Bottom - inner); break;
            default: major ? Segment(canvas, p, r.Top + inner, p, r.Top + inner + len)
                           : Segment(canvas, p, r.Top + inner + len, p, r.Top + inner); break;
            }
        }
    }

    if (axis.LabelsVisible()) {
        canvas.Brush.Style = bsClear;
        const int gap = tiRound(TextHeightIn(canvas, axis.LabelsFont(), QStringLiteral("A")) * axis.LabelsMargin());
        int a = axis.ScaleLinesShow() ? axis.InnerMargin() + axis.MajorLength() + gap : axis.InnerMargin() + gap;
        if (cartesian)
            a = gap + (axis.MajorLength() + 1) / 2;
        const bool across = Across(axis.LabelsRotation());
        for (const TiPlotTick& t : state.Ticks) {
            if (!t.OnScale || t.Style != 0 || t.Label.isEmpty())
                continue;
            canvas.Font = axis.LabelsFont();
            canvas.Font.Orientation = 0;
            const int w = canvas.TextWidth(t.Label), h = canvas.TextHeight(t.Label);
            const int p = t.Pixels;
            TiRect cell;
            const int ext = across ? h : w;  // extent across the band
            const int lng = across ? w : h;  // extent along the band (vertical axes)
            switch (side) {
            case 0: cell = {r.Right - a - ext, p - lng / 2, r.Right - a, p + lng / 2}; break;
            case 1: cell = {r.Left + a, p - lng / 2, r.Left + a + ext, p + lng / 2}; break;
            case 2: cell = across ? TiRect{p - h / 2, r.Bottom - a - w, p + h / 2, r.Bottom - a}
                                  : TiRect{p - w / 2, r.Bottom - a - h, p + w / 2, r.Bottom - a}; break;
            default: cell = across ? TiRect{p - h / 2, r.Top + a, p + h / 2, r.Top + a + w}
                                   : TiRect{p - w / 2, r.Top + a, p + w / 2, r.Top + a + h}; break;
            }
            if (cartesian && accept && !accept(cell))
                continue;
            canvas.Font.Orientation = Orientation(axis.LabelsRotation());
            canvas.DrawText(cell, t.Label, itfCenter | itfVCenter | itfSingleLine | itfNoClip | itfNoPrefix);
        }
    }

    const QString title = axis.Title().trimmed();
    if (!cartesian && axis.TitleShow() && !title.isEmpty()) {
        canvas.Brush.Style = bsClear;
        canvas.Font = axis.TitleFont();
        canvas.Font.Orientation = 0;
        const int tw = canvas.TextWidth(axis.Title()), th = canvas.TextHeight(axis.Title());
        const int thick = axis.TitleRotated() ? tw : th;
        const int lng = axis.TitleRotated() ? th : tw;
        const int om = axis.OuterMargin();
        const int c = (m.Top + m.Bottom) / 2;
        TiRect cell;
        bool turned = false;
        switch (side) {
        case 2: cell = {m.Left, m.Top + om, m.Right, m.Top + om + thick}; turned = axis.TitleRotated(); break;
        case 3: cell = {m.Left, m.Bottom - om - thick, m.Right, m.Bottom - om}; turned = axis.TitleRotated(); break;
        case 0: cell = {m.Left + om, c - lng / 2, m.Left + om + thick, c + lng / 2}; turned = !axis.TitleRotated(); break;
        default: cell = {m.Right - om - thick, c - lng / 2, m.Right - om, c + lng / 2}; turned = !axis.TitleRotated(); break;
        }
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
        if (axis.Horizontal())
            Segment(canvas, t.Pixels, rect.Top, t.Pixels, rect.Bottom);
        else
            Segment(canvas, rect.Left, t.Pixels, rect.Right, t.Pixels);
    }
}

} // namespace TiPlotAxisPainter
