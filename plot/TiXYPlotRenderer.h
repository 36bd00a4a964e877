#pragma once
// One complete paint of a plot: ticks, the two layout passes, ticks again,
// the data view's background, the objects inside the data view in layer
// order and clipped to it, then the axes, labels and legends outside. The
// results (rectangles, scales, tick lists, legend rows) stay until the next
// paint for the mouse's hit tests.
#include "plot/TiPlotAxisPainter.h"
#include "plot/TiPlotLegendPainter.h"
#include "plot/TiPlotTrace.h"

#include <unordered_map>
#include <vector>

class TiCanvas;
class TiPlotAxis;
class TiPlotComponent;
class TiPlotLegend;
class TiPlotObject;

class TiXYPlotRenderer {
public:
    explicit TiXYPlotRenderer(TiPlotComponent& plot) : m_plot(plot) {}

    // Ticks, layout, layout, ticks; then every channel's DrawSetup.
    void Prepare(TiCanvas& canvas);
    // Data view background and the layer list (filled limits, the grid,
    // other limits, cartesian axes, channels, annotations), each entry
    // clipped to the data view (one pixel more to the right and bottom).
    void PaintInside(TiCanvas& canvas);
    // Axes beside the data view and labels (not clipped).
    void PaintOutside(TiCanvas& canvas);
    // Data cursors, then legends.
    void PaintLegends(TiCanvas& canvas);

    // Objects of the last paint's layer list in drawing order.
    const std::vector<TiPlotObject*>& LayerOrder() const { return m_layerOrder; }
    // The data view's final rectangle of the last paint.
    const TiRect& DataViewRect() const { return m_dataView; }
    // Scale, side and ticks of an axis as the last paint computed them.
    TiPlotAxisState& AxisState(const TiPlotAxis* axis) { return m_axes[axis]; }
    TiPlotLegendState& LegendState(const TiPlotLegend* legend) { return m_legends[legend]; }
    // The two axes of a channel as the trace primitives take them.
    TiPlotTraceAxes TraceAxes(TiPlotAxis& x, TiPlotAxis& y);

    // The object under a pixel: a legend (its buttons and rows first), an
    // axis band, the data view; none outside them.
    TiPlotObject* ObjectAt(int x, int y);

    // Forgets everything kept about an object that is being removed.
    void Forget(const TiPlotObject* object);

private:
    void CalcAllTicks(TiCanvas& canvas);
    void CalcLayout(TiCanvas& canvas);
    void DrawDataView(TiCanvas& canvas);
    bool AcceptCollision(const TiRect& rect);

    TiPlotComponent& m_plot;
    std::unordered_map<const TiPlotAxis*, TiPlotAxisState> m_axes;
    std::unordered_map<const TiPlotLegend*, TiPlotLegendState> m_legends;
    std::vector<TiPlotObject*> m_layerOrder;
    std::vector<TiRect> m_collisions;
    std::vector<TiPlotPoint> m_points;
    TiRect m_dataView{};
};
