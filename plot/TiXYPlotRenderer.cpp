#include "plot/TiXYPlotRenderer.h"

#include "plot/TiPlotAxis.h"
#include "plot/TiPlotChannelCustom.h"
#include "plot/TiPlotChannelPainter.h"
#include "plot/TiPlotComponent.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiPlotLabel.h"
#include "plot/TiPlotLayoutMath.h"
#include "plot/TiPlotLegend.h"
#include "plot/TiPlotTable.h"
#include "plot/TiPlotToolBar.h"
#include "plot/TiPlotXAxis.h"
#include "plot/TiPlotYAxis.h"
#include "plot/TiXYPlotChannel.h"
#include "widgets/TiCanvas.h"

#include <algorithm>
#include <unordered_map>

namespace {

// A visible toolbar is a row of buttons this high.
constexpr int kToolBarHeight = 24;

bool IsCartesian(const TiPlotAxis& axis) { return axis.CartesianStyle() != ipcsNone; }

int LabelRequiredWidth(const TiPlotLabel& label, TiCanvas& canvas)
{
    canvas.Font = label.Font();
    canvas.Font.Orientation = 0;
    const int h0 = canvas.TextHeight(QStringLiteral("0"));
    return canvas.TextHeight(label.Caption()) + tiRound(h0 * label.MarginTop()) + tiRound(h0 * label.MarginBottom());
}

void DrawLabel(const TiPlotLabel& label, TiCanvas& canvas)
{
    if (!label.Visible())
        return;
    canvas.Font = label.Font();
    canvas.Font.Orientation = 0;
    const int w0 = canvas.TextWidth(QStringLiteral("0")), h0 = canvas.TextHeight(QStringLiteral("0"));
    const TiRect r = label.DrawRect();
    canvas.Brush.Style = bsClear;
    if (label.Horizontal()) {
        const TiRect inner{r.Left + tiRound(w0 * label.MarginLeft()), r.Top + tiRound(h0 * label.MarginTop()),
                           r.Right - tiRound(w0 * label.MarginRight()), r.Bottom - tiRound(h0 * label.MarginBottom())};
        const unsigned align = label.Alignment() == iahLeft ? itfLeft : label.Alignment() == iahRight ? itfRight : itfCenter;
        canvas.DrawText(inner, label.Caption(), align | itfVCenter | itfSingleLine | itfNoPrefix);
        return;
    }
    // Turned to read from bottom to top: left alignment is toward the bottom.
    const int w = canvas.TextWidth(label.Caption()), h = canvas.TextHeight(label.Caption());
    const int cx = (r.Left + r.Right) / 2;
    int cy = (r.Top + r.Bottom) / 2;
    if (label.Alignment() == iahLeft)
        cy = r.Bottom - w / 2;
    else if (label.Alignment() == iahRight)
        cy = r.Top + w / 2;
    canvas.Font.Orientation = 90;
    canvas.DrawText(TiRect{cx - h / 2, cy - w / 2, cx + h / 2 + 1, cy + w / 2 + 1}, label.Caption(),
                    itfCenter | itfVCenter | itfSingleLine | itfNoPrefix | itfNoClip);
    canvas.Font.Orientation = 0;
}

TiPlotAxisPainter::GridPen Pen(bool custom, TColor color, int width, TiPlotGridLineStyle style, TColor plain,
                               TiPlotGridLineStyle plainStyle, bool show)
{
    return custom ? TiPlotAxisPainter::GridPen{color, width, style, show}
                  : TiPlotAxisPainter::GridPen{plain, 0, plainStyle, show};
}

} // namespace

// ---------------------------------------------------------------- layout

void TiXYPlotRenderer::CalcAllTicks(TiCanvas& canvas)
{
    for (int i = 0; i < m_plot.XAxisCount(); ++i)
        TiPlotAxisPainter::CalcTicks(*m_plot.GetXAxis(i), canvas, m_axes[m_plot.GetXAxis(i)]);
    for (int i = 0; i < m_plot.YAxisCount(); ++i)
        TiPlotAxisPainter::CalcTicks(*m_plot.GetYAxis(i), canvas, m_axes[m_plot.GetYAxis(i)]);
}

void TiXYPlotRenderer::CalcLayout(TiCanvas& canvas)
{
    std::vector<TiPlotLayoutObject*> objects;
    std::vector<TiPlotLayoutItem> items;
    std::vector<TiPlotLayoutPlace> previous;
    std::vector<TiPlotAxis*> axes;
    auto add = [&](TiPlotLayoutObject* o, TiPlotLayoutItem item) {
        objects.push_back(o);
        items.push_back(item);
        TiPlotLayoutPlace p;
        p.DrawRect = o->DrawRect();
        previous.push_back(p);
    };
    auto plain = [](TiPlotLayoutObject* o, TiPlotLayoutKind kind, int width) {
        TiPlotLayoutItem item;
        item.Kind = kind;
        item.Horizontal = o->Horizontal();
        item.ZOrder = o->ZOrder();
        item.StartPercent = o->StartPercent();
        item.StopPercent = o->StopPercent();
        item.Visible = o->Visible();
        item.ForceStacking = o->ForceStacking();
        item.RequiredWidth = width;
        return item;
    };
    for (int i = 0; i < m_plot.ToolBarCount(); ++i)
        add(m_plot.GetToolBar(i), plain(m_plot.GetToolBar(i), TiPlotLayoutKind::ToolBar, kToolBarHeight));
    for (int i = 0; i < m_plot.LegendCount(); ++i) {
        TiPlotLegend* l = m_plot.GetLegend(i);
        add(l, plain(l, TiPlotLayoutKind::Legend, TiPlotLegendPainter::RequiredWidth(*l, canvas, m_legends[l])));
    }
    for (int i = 0; i < m_plot.TableCount(); ++i)
        add(m_plot.GetTable(i), plain(m_plot.GetTable(i), TiPlotLayoutKind::Table, 0));
    const int firstAxis = int(items.size());
    for (int i = 0; i < m_plot.XAxisCount(); ++i)
        axes.push_back(m_plot.GetXAxis(i));
    for (int i = 0; i < m_plot.YAxisCount(); ++i)
        axes.push_back(m_plot.GetYAxis(i));
    for (TiPlotAxis* a : axes)
        add(a, TiPlotAxisPainter::LayoutItem(*a, canvas, m_axes[a]));
    // References between axes by item index.
    std::unordered_map<const TiPlotAxis*, int> axisItems;
    for (size_t k = 0; k < axes.size(); ++k)
        axisItems.emplace(axes[k], firstAxis + int(k));
    for (size_t k = 0; k < axes.size(); ++k) {
        TiPlotLayoutItem& item = items[size_t(firstAxis) + k];
        auto indexOf = [&](const TiPlotAxis* ref) {
            const auto it = axisItems.find(ref);
            return it != axisItems.end() ? it->second : -1;
        };
        if (axes[k]->CartesianStyle() == ipcsChild)
            item.CartesianRefItem = indexOf(axes[k]->CartesianRefAxis());
        item.AlignRefItem = indexOf(axes[k]->AlignRefAxis());
    }
    for (int i = 0; i < m_plot.LabelCount(); ++i)
        add(m_plot.GetLabel(i), plain(m_plot.GetLabel(i), TiPlotLayoutKind::Label,
                                      LabelRequiredWidth(*m_plot.GetLabel(i), canvas)));

    TiPlotLayoutWidget w;
    w.Width = m_plot.width();
    w.Height = m_plot.height();
    w.Border = m_plot.BorderStyle() != ibsNone;
    w.OuterMarginLeft = m_plot.OuterMarginLeft();
    w.OuterMarginTop = m_plot.OuterMarginTop();
    w.OuterMarginRight = m_plot.OuterMarginRight();
    w.OuterMarginBottom = m_plot.OuterMarginBottom();
    w.DataViewZHorz = m_plot.DataViewZHorz();
    w.DataViewZVert = m_plot.DataViewZVert();
    const TiPlotLayoutResult res = TiPlotLayoutMath::layout(w, items, previous);

    for (size_t i = 0; i < objects.size(); ++i) {
        const TiPlotLayoutPlace& p = res.Places[i];
        TiPlotLayoutObject* o = objects[i];
        o->SetDrawRect(p.DrawRect);
        o->SetReverseSide(p.ReverseSide);
        o->SetStartStacked(p.StartStacked);
        o->SetStopStacked(p.StopStacked);
    }
    for (size_t k = 0; k < axes.size(); ++k) {
        TiPlotAxis& a = *axes[k];
        const TiPlotLayoutPlace& p = res.Places[size_t(firstAxis) + k];
        a.SetScaleRect(p.ScaleRect);
        TiPlotAxisState& s = m_axes[&a];
        s.Map = TiPlotAxisPainter::MapOf(a, p.ScaleRect);
        s.LabelRect = p.LabelRect;
        s.Side = int(TiPlotTicks::axisSide(a.Horizontal(), IsCartesian(a), a.ReverseSide()));
    }
    m_dataView = res.DataView;
    for (int i = 0; i < m_plot.DataViewCount(); ++i)
        m_plot.GetDataView(i)->SetDrawRect(m_dataView);
}

void TiXYPlotRenderer::Prepare(TiCanvas& canvas)
{
    m_collisions.clear();
    m_layerOrder.clear();
    CalcAllTicks(canvas);
    CalcLayout(canvas);
    // The legend's band depends on the rectangle of the first pass, the
    // widest label on ticks over real scales: without ticks between the
    // passes the first picture of a plot would differ from the second.
    CalcAllTicks(canvas);
    CalcLayout(canvas);
    CalcAllTicks(canvas);
    for (int i = 0; i < m_plot.ChannelCount(); ++i)
        if (auto* c = dynamic_cast<TiXYPlotChannel*>(m_plot.GetChannelCustom(i)))
            c->DrawSetup();
    // A cartesian axis' line is taken before any label.
    for (auto& [axis, state] : m_axes) {
        if (!IsCartesian(*axis) || !axis->Visible())
            continue;
        const TiRect r = axis->DrawRect();
        m_collisions.push_back(TiRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    }
}

// ---------------------------------------------------------------- painting

TiPlotTraceAxes TiXYPlotRenderer::TraceAxes(TiPlotAxis& x, TiPlotAxis& y)
{
    TiPlotTraceAxes axes;
    axes.X = TiPlotAxisPainter::MapOf(x, x.ScaleRect());
    axes.Y = TiPlotAxisPainter::MapOf(y, y.ScaleRect());
    axes.Reversed = m_plot.XYAxesReverse();
    return axes;
}

bool TiXYPlotRenderer::AcceptCollision(const TiRect& rect)
{
    const TiRect& dv = m_dataView;
    if (rect.Left < dv.Left || rect.Top < dv.Top || rect.Right > dv.Right || rect.Bottom > dv.Bottom)
        return false;
    for (const TiRect& r : m_collisions)
        if (rect.Left < r.Right && r.Left < rect.Right && rect.Top < r.Bottom && r.Top < rect.Bottom)
            return false;
    m_collisions.push_back(rect);
    return true;
}

void TiXYPlotRenderer::DrawDataView(TiCanvas& canvas)
{
    TiPlotDataView& view = *m_plot.GetDataView(0);
    const TiRect& dv = m_dataView;
    if (view.GridShow()) {
        canvas.Brush.Color = m_plot.BackGroundColor();
        const TColor plain = view.GridLineColor();
        const auto xMajor = Pen(view.GridLineXMajorCustom(), view.GridLineXMajorColor(), view.GridLineXMajorWidth(),
                                view.GridLineXMajorStyle(), plain, view.GridLineMajorStyle(), view.GridLineShowXMajors());
        const auto xMinor = Pen(view.GridLineXMinorCustom(), view.GridLineXMinorColor(), view.GridLineXMinorWidth(),
                                view.GridLineXMinorStyle(), plain, view.GridLineMinorStyle(), view.GridLineShowXMinors());
        const auto yMajor = Pen(view.GridLineYMajorCustom(), view.GridLineYMajorColor(), view.GridLineYMajorWidth(),
                                view.GridLineYMajorStyle(), plain, view.GridLineMajorStyle(), view.GridLineShowYMajors());
        const auto yMinor = Pen(view.GridLineYMinorCustom(), view.GridLineYMinorColor(), view.GridLineYMinorWidth(),
                                view.GridLineYMinorStyle(), plain, view.GridLineMinorStyle(), view.GridLineShowYMinors());
        auto grid = [&](TiPlotAxis* axis, const TiPlotAxisPainter::GridPen& minor,
                        const TiPlotAxisPainter::GridPen& major) {
            if (axis)
                TiPlotAxisPainter::DrawGridLines(*axis, m_axes[axis], canvas, dv, minor, major);
        };
        if (view.GridXAxisName().toUpper() == QLatin1String("<ALL>")) {
            for (int i = 0; i < m_plot.XAxisCount(); ++i)
                grid(m_plot.GetXAxis(i), xMinor, xMajor);
        } else {
            grid(view.XAxisNeeded(), xMinor, xMajor);
        }
        if (view.GridYAxisName().toUpper() == QLatin1String("<ALL>")) {
            for (int i = 0; i < m_plot.YAxisCount(); ++i)
                grid(m_plot.GetYAxis(i), yMinor, yMajor);
        } else {
            grid(view.YAxisNeeded(), yMinor, yMajor);
        }
        canvas.Pen = TiPen{plain, 0, psSolid};
        auto line = [&](int x1, int y1, int x2, int y2) { canvas.Polyline({QPoint(x1, y1), QPoint(x2, y2)}); };
        if (view.GridLineShowLeft())
            line(dv.Left, dv.Top, dv.Left, dv.Bottom);
        if (view.GridLineShowRight())
            line(dv.Right, dv.Top, dv.Right, dv.Bottom);
        if (view.GridLineShowTop())
            line(dv.Left, dv.Top, dv.Right, dv.Top);
        if (view.GridLineShowBottom())
            line(dv.Left, dv.Bottom, dv.Right + 1, dv.Bottom);
    }
    if (view.UserSelected()) {
        canvas.Brush.Style = bsClear;
        canvas.Pen = TiPen{m_plot.BackGroundColor(), 1, psSolid};
        canvas.Rectangle(dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1);
        canvas.Font.Color = clWhite;
        canvas.DrawFocusRect(TiRect{dv.Left, dv.Top, dv.Right + 1, dv.Bottom + 1});
    }
}

void TiXYPlotRenderer::PaintInside(TiCanvas& canvas)
{
    TiPlotDataView& view = *m_plot.GetDataView(0);
    if (!view.BackgroundTransparent() && !m_dataView.IsEmpty()) {
        canvas.Brush = TiBrush{view.BackgroundColor(), bsSolid};
        canvas.FillRect(m_dataView);
    }

    std::vector<TiPlotObject*> objects;
    TiPlotLayerList layers;
    auto add = [&](TiPlotObject* o, QChar letter) {
        layers.add(TiPlotLayerList::key(o->Layer(), letter), int(objects.size()));
        objects.push_back(o);
    };
    add(&view, QLatin1Char('B'));
    for (int i = 0; i < m_plot.YAxisCount(); ++i)
        if (IsCartesian(*m_plot.GetYAxis(i)))
            add(m_plot.GetYAxis(i), QLatin1Char('D'));
    for (int i = 0; i < m_plot.XAxisCount(); ++i)
        if (IsCartesian(*m_plot.GetXAxis(i)))
            add(m_plot.GetXAxis(i), QLatin1Char('E'));
    for (int i = 0; i < m_plot.ChannelCount(); ++i)
        if (m_plot.GetChannelCustom(i)->DrawReady())
            add(m_plot.GetChannelCustom(i), QLatin1Char('F'));

    m_layerOrder.clear();
    const TiRect clip = TiPlotLayoutMath::layerClipRect(m_dataView);
    for (int index : layers.order()) {
        TiPlotObject* o = objects[size_t(index)];
        m_layerOrder.push_back(o);
        canvas.SetClipRect(clip);
        if (o == &view) {
            DrawDataView(canvas);
        } else if (auto* axis = dynamic_cast<TiPlotAxis*>(o)) {
            TiPlotAxisPainter::Draw(*axis, canvas, m_axes[axis], [this](const TiRect& r) { return AcceptCollision(r); });
        } else if (auto* channel = dynamic_cast<TiPlotChannelCustom*>(o)) {
            TiPlotChannelPainter::Draw(*channel, canvas, TraceAxes(*channel->GetXAxis(), *channel->GetYAxis()),
                                       m_points);
        }
        canvas.ClearClip();
    }
    // A million points' scratch copy is not kept between paints.
    if (m_points.capacity() > 65536)
        std::vector<TiPlotPoint>().swap(m_points);
}

void TiXYPlotRenderer::PaintOutside(TiCanvas& canvas)
{
    for (int i = 0; i < m_plot.XAxisCount(); ++i)
        if (!IsCartesian(*m_plot.GetXAxis(i)))
            TiPlotAxisPainter::Draw(*m_plot.GetXAxis(i), canvas, m_axes[m_plot.GetXAxis(i)]);
    for (int i = 0; i < m_plot.YAxisCount(); ++i)
        if (!IsCartesian(*m_plot.GetYAxis(i)))
            TiPlotAxisPainter::Draw(*m_plot.GetYAxis(i), canvas, m_axes[m_plot.GetYAxis(i)]);
    for (int i = 0; i < m_plot.LabelCount(); ++i)
        DrawLabel(*m_plot.GetLabel(i), canvas);
}

void TiXYPlotRenderer::PaintLegends(TiCanvas& canvas)
{
    for (int i = 0; i < m_plot.LegendCount(); ++i)
        TiPlotLegendPainter::Draw(*m_plot.GetLegend(i), canvas, m_legends[m_plot.GetLegend(i)]);
}

// ---------------------------------------------------------------- hit tests

TiPlotObject* TiXYPlotRenderer::ObjectAt(int x, int y)
{
    for (int i = 0; i < m_plot.LegendCount(); ++i) {
        TiPlotLegend* l = m_plot.GetLegend(i);
        if (!l->Visible())
            continue;
        for (TiPlotChannelCustom* c : m_legends[l].Channels)
            if (c->LegendRect().Contains(x, y))
                return c;
        if (l->DrawRect().Contains(x, y))
            return l;
    }
    auto axisAt = [&](TiPlotAxis* a) { return a->Visible() && a->DrawRect().Contains(x, y); };
    for (int i = 0; i < m_plot.XAxisCount(); ++i)
        if (!IsCartesian(*m_plot.GetXAxis(i)) && axisAt(m_plot.GetXAxis(i)))
            return m_plot.GetXAxis(i);
    for (int i = 0; i < m_plot.YAxisCount(); ++i)
        if (!IsCartesian(*m_plot.GetYAxis(i)) && axisAt(m_plot.GetYAxis(i)))
            return m_plot.GetYAxis(i);
    if (m_plot.DataViewCount() > 0 && TiPlotLayoutMath::layerClipRect(m_dataView).Contains(x, y))
        return m_plot.GetDataView(0);
    return nullptr;
}

void TiXYPlotRenderer::Forget(const TiPlotObject* object)
{
    if (auto* axis = dynamic_cast<const TiPlotAxis*>(object))
        m_axes.erase(axis);
    if (auto* legend = dynamic_cast<const TiPlotLegend*>(object))
        m_legends.erase(legend);
}
