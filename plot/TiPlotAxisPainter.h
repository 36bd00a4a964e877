#pragma once
// Measuring and drawing of one axis: its tick list over the scale the
// layout gave it, the band it asks for, the scale line, ticks, labels and
// title, and the grid lines the data view draws from its ticks.
#include "plot/TiPlotLayoutMath.h"
#include "plot/TiPlotTicks.h"
#include "widgets/TiColor.h"

#include <functional>
#include <vector>

class TiCanvas;
class TiPlotAxis;

// What one paint computed for an axis; kept until the next paint for hit
// tests and for the widest-label measurement of the next tick pass.
struct TiPlotAxisState {
    TiPlotScaleMap Map;
    std::vector<TiPlotTick> Ticks;
    int Side = 3;          // 0 left, 1 right, 2 top, 3 bottom
    TiRect LabelRect;
    int RequiredWidth = 0;
};

namespace TiPlotAxisPainter {

// Label text of a value with the axis' label format and the widget's
// customize event; while measuring, a longer text raises LabelsMinLength
// when LabelsMinLengthAutoAdjust is set.
QString LabelText(TiPlotAxis& axis, double value, bool measuring = false);
// Legend read-out of a value (legend format unless it uses the labels').
QString LegendText(TiPlotAxis& axis, double value);
// Data cursor read-out of a value (cursor format unless it uses the labels').
QString CursorText(TiPlotAxis& axis, double value);

// Pixel mapping over a scale rectangle.
TiPlotScaleMap MapOf(const TiPlotAxis& axis, const TiRect& scaleRect);

// Widest label in LabelsFont, from the previous tick list.
int RequiredLabelLength(TiPlotAxis& axis, TiCanvas& canvas, const TiPlotAxisState& state);

// The layout's description of the axis (band thickness, overhang, label
// extent along the scale).
TiPlotLayoutItem LayoutItem(TiPlotAxis& axis, TiCanvas& canvas, TiPlotAxisState& state);

// Rebuilds the tick list over state.Map (unless the axis keeps a custom list).
void CalcTicks(TiPlotAxis& axis, TiCanvas& canvas, TiPlotAxisState& state);

// Accepts a cartesian label's rectangle when it collides with nothing drawn
// before it (and then claims it).
using CollisionTest = std::function<bool(const TiRect&)>;

// Scale line, ticks, labels, title and the selection frame.
void Draw(TiPlotAxis& axis, TiCanvas& canvas, const TiPlotAxisState& state, const CollisionTest& accept = {});

struct GridPen {
    TColor Color = clGreen;
    int Width = 0;
    TiPlotGridLineStyle Style = ipglsSolid;
    bool Show = true;
};
// Lines across rect at the on-scale ticks.
void DrawGridLines(const TiPlotAxis& axis, const TiPlotAxisState& state, TiCanvas& canvas, const TiRect& rect,
                   const GridPen& minor, const GridPen& major);

} // namespace TiPlotAxisPainter
