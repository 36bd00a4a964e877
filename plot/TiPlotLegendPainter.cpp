#include "plot/TiPlotLegendPainter.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotAxisPainter.h"
#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotChannelPainter.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotLegend.h"
#include "widgets/TiCanvas.h"

#include <algorithm>

using namespace TiPlotLegendMath;

namespace TiPlotLegendPainter {

namespace {

QString Translated(const TiPlotChannelCustom& channel, const QString& text)
{
    return channel.Owner() ? channel.Owner()->Master().TranslationManager().Translate(text) : text;
}

QString Translated(TiPlotLegend& legend, const QString& text)
{
    return legend.Owner()->Master().TranslationManager().Translate(text);
}

QString AxisNameText(TiPlotChannelCustom& channel, TiPlotAxis* axis)
{
    if (!axis)
        return Translated(channel, QStringLiteral("None"));
    return axis->Title().trimmed().isEmpty() ? axis->Name() : axis->Title();
}

QString ValueText(TiPlotChannelCustom& channel, TiPlotAxis* axis, double value)
{
    if (channel.GetCount() == 0)
        return Translated(channel, QStringLiteral("Empty"));
    if (!axis)
        return Translated(channel, QStringLiteral("N/A"));
    return TiPlotAxisPainter::LegendText(*axis, value);
}

int LegendLength(TiPlotAxis* axis, int widthOf0)
{
    if (!axis)
        return 0;
    return tiRound(widthOf0 * (axis->LegendUseDefaultFormat() ? axis->LabelsMinLength() : axis->LegendMinLength()));
}

Settings SettingsOf(const TiPlotLegend& l)
{
    Settings s;
    s.Horizontal = l.Horizontal();
    s.MarginLeft = l.MarginLeft();
    s.MarginTop = l.MarginTop();
    s.MarginRight = l.MarginRight();
    s.MarginBottom = l.MarginBottom();
    s.ColumnSpacing = l.ColumnSpacing();
    s.RowSpacing = l.RowSpacing();
    s.WrapColSpacingMin = l.WrapColSpacingMin();
    s.ChannelNameMaxWidth = l.ChannelNameMaxWidth();
    s.ColumnTitlesVisible = l.ColumnTitlesVisible();
    s.Show = {l.ShowColumnLine(), l.ShowColumnMarker(), true, l.ShowColumnXAxisTitle(), l.ShowColumnYAxisTitle(),
              l.ShowColumnXValue(), l.ShowColumnYValue(), l.ShowColumnYMax(), l.ShowColumnYMin(),
              l.ShowColumnYMean()};
    s.WrapColDesiredCount = l.WrapColDesiredCount();
    s.WrapColAutoCountEnabled = l.WrapColAutoCountEnabled();
    s.WrapColAutoCountMax = l.WrapColAutoCountMax();
    s.WrapColSpacingAuto = l.WrapColSpacingAuto();
    s.WrapRowDesiredCount = l.WrapRowDesiredCount();
    s.WrapRowAutoCountEnabled = l.WrapRowAutoCountEnabled();
    s.WrapRowAutoCountMax = l.WrapRowAutoCountMax();
    s.WrapRowSpacingAuto = l.WrapRowSpacingAuto();
    return s;
}

std::array<QString, ColumnCount> Captions(TiPlotLegend& l)
{
    return {QString(), QString(), Translated(l, l.CaptionColumnTitle()), Translated(l, l.CaptionColumnXAxisTitle()),
            Translated(l, l.CaptionColumnYAxisTitle()), Translated(l, l.CaptionColumnXValue()),
            Translated(l, l.CaptionColumnYValue()), Translated(l, l.CaptionColumnYMax()),
            Translated(l, l.CaptionColumnYMin()), Translated(l, l.CaptionColumnYMean())};
}

TiFont Upright(TiFont f)
{
    f.Orientation = 0;
    return f;
}

} // namespace

QString TitleOf(const TiPlotChannelCustom& c) { return c.TitleText().trimmed().isEmpty() ? c.Name() : c.TitleText(); }
QString XAxisNameText(TiPlotChannelCustom& c) { return AxisNameText(c, c.GetXAxis()); }
QString YAxisNameText(TiPlotChannelCustom& c) { return AxisNameText(c, c.GetYAxis()); }
QString XValueText(TiPlotChannelCustom& c)
{
    return ValueText(c, c.GetXAxis(), c.GetCount() ? c.GetDataX(c.GetCount() - 1) : 0);
}
QString YValueText(TiPlotChannelCustom& c)
{
    return ValueText(c, c.GetYAxis(), c.GetCount() ? c.GetDataY(c.GetCount() - 1) : 0);
}
QString YMaxText(TiPlotChannelCustom& c) { return ValueText(c, c.GetYAxis(), c.RunningYMax()); }
QString YMinText(TiPlotChannelCustom& c) { return ValueText(c, c.GetYAxis(), c.RunningYMin()); }
QString YMeanText(TiPlotChannelCustom& c) { return ValueText(c, c.GetYAxis(), c.RunningYMean()); }

void CalcRects(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state)
{
    TiPlotComponent& plot = *legend.Owner();
    const Settings s = SettingsOf(legend);
    Measures m;
    canvas.Font = Upright(legend.Font());
    m.WidthOf0 = canvas.TextWidth(QStringLiteral("0"));
    m.HeightOf0 = canvas.TextHeight(QStringLiteral("0"));
    state.HeightOf0 = m.HeightOf0;
    if (s.ColumnTitlesVisible) {
        canvas.Font = Upright(legend.ColumnTitlesFont());
        m.CaptionHeight = canvas.TextHeight(QStringLiteral("0"));
        const auto captions = Captions(legend);
        for (int c = 0; c < ColumnCount; ++c)
            m.CaptionWidths[c] = captions[c].isEmpty() ? 0 : canvas.TextWidth(captions[c]);
    }

    state.Channels.clear();
    state.Rows.clear();
    for (int i = 0; i < plot.ChannelCount(); ++i) {
        TiPlotChannelCustom* c = plot.GetChannelCustom(i);
        if (!c->VisibleInLegend())
            continue;
        state.Channels.push_back(c);
        Row row;
        const QString title = TitleOf(*c);
        if (s.ChannelNameMaxWidth != 0) {
            const int width = tiRound(m.WidthOf0 * s.ChannelNameMaxWidth);
            for (const TiFont& f : {legend.Font(), legend.SelectedItemFont()}) {
                canvas.Font = Upright(f);
                TiRect r{0, 0, width, 0};
                row.Height = std::max(row.Height, canvas.DrawText(r, title, itfWordBreak | itfCalcRect | itfNoPrefix));
            }
            row.Widths[Title] = width;
        } else {
            row.Height = m.HeightOf0;
            for (const TiFont& f : {legend.Font(), legend.SelectedItemFont()}) {
                canvas.Font = Upright(f);
                row.Widths[Title] = std::max(row.Widths[Title], canvas.TextWidth(title));
            }
        }
        canvas.Font = Upright(legend.Font());
        if (s.Show[XAxisTitle])
            row.Widths[XAxisTitle] = canvas.TextWidth(XAxisNameText(*c));
        if (s.Show[YAxisTitle])
            row.Widths[YAxisTitle] = canvas.TextWidth(YAxisNameText(*c));
        row.Widths[XValue] = LegendLength(c->GetXAxis(), m.WidthOf0);
        row.Widths[YValue] = LegendLength(c->GetYAxis(), m.WidthOf0);
        if (s.Show[XValue])
            row.Widths[XValue] = std::max(row.Widths[XValue], canvas.TextWidth(XValueText(*c)));
        if (s.Show[YValue])
            row.Widths[YValue] = std::max(row.Widths[YValue], canvas.TextWidth(YValueText(*c)));
        if (s.Show[YMax])
            row.Widths[YMax] = canvas.TextWidth(YMaxText(*c));
        if (s.Show[YMin])
            row.Widths[YMin] = canvas.TextWidth(YMinText(*c));
        if (s.Show[YMean])
            row.Widths[YMean] = canvas.TextWidth(YMeanText(*c));
        state.Rows.push_back(row);
    }
    state.Geometry = calcRects(s, legend.DrawRect(), m, state.Rows, state.FirstShown);
    state.FirstShown = state.Geometry.FirstShown;
}

int RequiredWidth(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state)
{
    CalcRects(legend, canvas, state);
    return legend.Horizontal() ? state.Geometry.RequiredHeight : state.Geometry.RequiredWidth;
}

void Draw(TiPlotLegend& legend, TiCanvas& canvas, TiPlotLegendState& state)
{
    if (!legend.Visible())
        return;
    CalcRects(legend, canvas, state);
    if (state.Channels.empty())
        return;
    const Geometry& g = state.Geometry;
    const TiRect dr = legend.DrawRect();
    canvas.Brush.Style = bsSolid;
    canvas.Pen.Style = psSolid;
    if (!legend.BackGroundTransparent()) {
        canvas.Brush.Color = legend.BackGroundColor();
        canvas.FillRect(dr);
    }
    const unsigned single = itfSingleLine | itfNoPrefix | itfVCenter;
    if (legend.ColumnTitlesVisible()) {
        canvas.Font = Upright(legend.ColumnTitlesFont());
        canvas.Brush.Style = bsClear;
        const auto captions = Captions(legend);
        for (int left : g.ColumnLefts) {
            auto cell = [&](int c) {
                return TiRect{left + g.Offsets[c], g.CaptionRect.Top, left + g.Offsets[c] + g.Widths[c],
                              g.CaptionRect.Bottom};
            };
            canvas.DrawText(cell(Title), captions[Title], single | itfLeft);
            for (int c : {XAxisTitle, YAxisTitle})
                if (SettingsOf(legend).Show[c])
                    canvas.DrawText(cell(c), captions[c], single | itfCenter);
            for (int c : {XValue, YValue, YMax, YMin, YMean})
                if (SettingsOf(legend).Show[c])
                    canvas.DrawText(cell(c), captions[c], single | itfRight);
        }
    }

    const Settings s = SettingsOf(legend);
    canvas.Font = Upright(legend.Font());
    canvas.Brush.Style = bsClear;
    for (TiPlotChannelCustom* c : state.Channels)
        c->SetLegendRect(TiRect{});
    const int h0 = state.HeightOf0;
    for (int i = g.FirstShown; i <= g.LastShown && i < int(state.Channels.size()); ++i) {
        TiPlotChannelCustom& c = *state.Channels[size_t(i)];
        const ItemPlace& place = g.Items[size_t(i)];
        const int l = place.Left, t = place.Top;
        const TiRect titleCell = g.titleCell(i, state.Rows);
        c.SetLegendRect(titleCell);
        if (s.Show[Line])
            drawLineSample(canvas, l, t, h0, c.Color(), c.TraceLineStyle());
        if (s.Show[Marker]) {
            const QPoint centre = markerSampleCentre(g, place, h0);
            canvas.Font = c.MarkersFont();
            TiPlotTrace::drawLegendMarker(canvas, centre.x(), centre.y(), TiPlotChannelPainter::ChannelMarker(c));
        }
        if (c.UserSelected()) {
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = legend.SelectedItemBackGroundColor();
            canvas.FillRect(titleCell);
            canvas.Font = Upright(legend.SelectedItemFont());
        } else {
            canvas.Font = Upright(legend.Font());
        }
        canvas.Brush.Style = bsClear;
        switch (legend.ChannelNameColorStyle()) {
        case iplcncsChannelColor: canvas.Font.Color = c.Color(); break;
        case iplcncsXAxisFontColor:
            if (TiPlotAxis* a = c.GetXAxis())
                canvas.Font.Color = a->LabelsFont().Color;
            break;
        case iplcncsYAxisFontColor:
            if (TiPlotAxis* a = c.GetYAxis())
                canvas.Font.Color = a->LabelsFont().Color;
            break;
        case iplcncsFont: break;
        }
        canvas.DrawText(titleCell, TitleOf(c), itfLeft | itfTop | itfWordBreak | itfEndEllipsis | itfNoPrefix);

        canvas.Font = Upright(legend.Font());
        canvas.Brush.Style = bsClear;
        auto cell = [&](int col) { return TiRect{l + g.Offsets[col], t, l + g.Offsets[col] + g.Widths[col], t + h0}; };
        if (s.Show[XAxisTitle])
            canvas.DrawText(cell(XAxisTitle), XAxisNameText(c), single | itfLeft);
        if (s.Show[YAxisTitle])
            canvas.DrawText(cell(YAxisTitle), YAxisNameText(c), single | itfLeft);
        if (s.Show[XValue])
            canvas.DrawText(cell(XValue), XValueText(c), single | itfRight);
        if (s.Show[YValue])
            canvas.DrawText(cell(YValue), YValueText(c), single | itfRight);
        if (s.Show[YMax])
            canvas.DrawText(cell(YMax), YMaxText(c), single | itfRight);
        if (s.Show[YMin])
            canvas.DrawText(cell(YMin), YMinText(c), single | itfRight);
        if (s.Show[YMean])
            canvas.DrawText(cell(YMean), YMeanText(c), single | itfRight);
    }

    if (g.ButtonsVisible) {
        for (bool up : {true, false}) {
            const TiRect b = up ? g.UpButton : g.DownButton;
            canvas.DrawEdge(b, idesRaised);
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = clBtnFace;
            canvas.FillRect(TiRect{b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2});
            const bool enabled = up ? g.UpEnabled : g.DownEnabled;
            const TColor colour = enabled ? clBlack : TColor(0x808080);
            canvas.Pen = TiPen{colour, 1, psSolid};
            canvas.Brush.Color = colour;
            const auto tri = buttonTriangle(b, up);
            canvas.Polygon({tri[0], tri[1], tri[2]});
        }
    }

    if (legend.UserSelected()) {
        canvas.Font.Color = clWhite;
        canvas.DrawFocusRect(legend.Horizontal() ? TiRect{dr.Left, dr.Top + 2, dr.Right, dr.Bottom - 2}
                                                 : TiRect{dr.Left + 2, dr.Top, dr.Right - 2, dr.Bottom});
    }
}

} // namespace TiPlotLegendPainter
