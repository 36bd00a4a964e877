#include "plot/TiPlotChannelPainter.h"

#include "plot/TiPlotChannelCustom.h"

namespace TiPlotChannelPainter {

void Points(const TiPlotChannelCustom& channel, std::vector<TiPlotPoint>& out)
{
    out.clear();
    const int start = channel.DrawStartIndex();
    const int stop = channel.DrawStopIndex();
    if (start < 0 || stop < start)
        return;
    out.resize(size_t(stop - start + 1));
    channel.DataList().ReadPoints(start, stop - start + 1, out.data());
}

TiPlotPointView View(const TiPlotChannelCustom& channel, std::vector<TiPlotPoint>& scratch)
{
    const int start = channel.DrawStartIndex();
    const int stop = channel.DrawStopIndex();
    TiPlotPointView view;
    if (start >= 0 && stop >= start && channel.DataList().ViewPoints(start, stop - start + 1, view))
        return view;
    Points(channel, scratch);
    return scratch;
}

TiPlotMarker ChannelMarker(const TiPlotChannelCustom& c)
{
    TiPlotMarker m;
    m.Style = c.MarkersStyle();
    m.Size = c.MarkersSize();
    m.PenColor = c.MarkersPenUseChannelColor() ? c.Color() : c.MarkersPenColor();
    m.PenStyle = static_cast<TiPenStyle>(c.MarkersPenStyle());
    m.PenWidth = c.MarkersPenWidth();
    m.BrushColor = c.MarkersBrushUseChannelColor() ? c.Color() : c.MarkersBrushColor();
    m.BrushStyle = static_cast<TiBrushStyle>(c.MarkersBrushStyle());
    m.Character = QChar(c.MarkersCharacter());
    return m;
}

TiPlotTraceStyle ChannelTrace(const TiPlotChannelCustom& c)
{
    return TiPlotTraceStyle{c.Color(), c.TraceLineStyle(), c.TraceLineWidth()};
}

void Draw(TiPlotChannelCustom& channel, TiCanvas& canvas, const TiPlotTraceAxes& axes, std::vector<TiPlotPoint>& points)
{
    const TiPlotPointView view = View(channel, points);
    const int start = channel.DrawStartIndex();
    if (channel.TraceVisible() && view.size() >= 2) {
        if (channel.DataStyle() == ipdsFullFeature) {
            // Each segment takes the trace attributes of the point it ends at.
            TiPlotTrace::drawSegments(canvas, view, axes, ChannelTrace(channel), [&](int i) {
                const TiPlotPointAttributes a = channel.GetDataAttributes(start + i);
                return TiPlotTraceStyle{a.TraceColor, a.TraceLineStyle, a.TraceLineWidth};
            });
        } else {
            TiPlotSummaryView summary;
            channel.DataList().SummaryPoints(start, int(view.size()), summary);
            TiPlotTrace::draw(canvas, view, axes, ChannelTrace(channel), summary);
        }
    }
    if (!channel.MarkersVisible())
        return;
    canvas.Font = channel.MarkersFont();
    const TiPlotMarker own = ChannelMarker(channel);
    TiPlotTrace::PointMarker individual;
    if (channel.MarkersAllowIndividual()) {
        individual = [&](int i, TiPlotMarker& m) {
            const TiPlotPointAttributes a = channel.GetDataAttributes(start + i);
            if (!a.MarkerVisible)
                return false;
            m.Style = a.MarkerStyle;
            m.Size = a.MarkerSize;
            m.PenWidth = a.MarkerPenWidth;
            m.PenStyle = static_cast<TiPenStyle>(a.MarkerPenStyle);
            m.BrushStyle = static_cast<TiBrushStyle>(a.MarkerBrushStyle);
            m.PenColor = channel.MarkersPenUseChannelColor() ? channel.Color() : a.MarkerPenColor;
            m.BrushColor = channel.MarkersBrushUseChannelColor() ? channel.Color() : a.MarkerBrushColor;
            m.Character = QChar(a.MarkerCharacter);
            return true;
        };
    }
    TiPlotTrace::drawMarkers(canvas, view, axes, own, channel.MarkersTurnOffLimit(), individual);
}

} // namespace TiPlotChannelPainter
