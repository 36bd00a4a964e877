#pragma once
// Division of the plot widget into the data view and the bands around it,
// as a pure function of the widget's size and plain descriptions of the
// objects; and the layer list that orders what is drawn inside the data view.
#include "plot/TiPlotTypes.h"
#include "widgets/TiGeometry.h"

#include <QString>
#include <vector>

enum class TiPlotLayoutKind { Axis, Legend, Table, Label, ToolBar, Other };

// What the layout needs to know of one layout object.
struct TiPlotLayoutItem {
    TiPlotLayoutKind Kind = TiPlotLayoutKind::Axis;
    bool Horizontal = true;
    int ZOrder = 0;
    double StartPercent = 0;
    double StopPercent = 100;
    bool Visible = true;
    bool ForceStacking = false;
    int RequiredWidth = 0;  // band thickness (GetRequiredWidth)
    int LengthGuard = 0;    // overhang beyond the ends (GetRequiredLengthGaurd)

    // Axes only.
    TiPlotCartesianStyle Cartesian = ipcsNone;
    int CartesianRefItem = -1; // index of the axis of the other kind, for ipcsChild
    double CartesianRefValue = 0;
    int AlignRefItem = -1;     // index of the axis of the same kind to align with
    int Along = 0;             // label extent along the scale (see TiPlotLayoutMath::scaleRect)
    int WidthOf0 = 0, HeightOf0 = 0;
    double StackingEndsMargin = 0.5;
    bool LabelsVisible = true;
    // Range of the axis, for a cartesian child's crossing pixel.
    double Min = 0, Span = 100;
    bool ReverseScale = false;
    TiPlotScaleType ScaleType = ipstLinear;
};

struct TiPlotLayoutWidget {
    int Width = 0;
    int Height = 0;
    bool Border = true; // BorderStyle is not ibsNone
    int OuterMarginLeft = 0, OuterMarginTop = 0, OuterMarginRight = 0, OuterMarginBottom = 0;
    int DataViewZHorz = 1;
    int DataViewZVert = 1;
};

enum class TiPlotSide { Left, Right, Top, Bottom };

struct TiPlotLayoutPlace {
    TiRect DrawRect;
    TiPlotSide Side = TiPlotSide::Bottom;
    bool ReverseSide = false;
    bool StartStacked = false;
    bool StopStacked = false;
    // Axes: the scale rectangle and the label rectangle.
    TiRect ScaleRect;
    TiRect LabelRect;
};

struct TiPlotLayoutResult {
    TiRect DataView;          // final extent, the union of the axes' scales
    TiRect BandDataView;      // the data view the bands were placed around
    std::vector<TiPlotLayoutPlace> Places; // one per item
    // Side lists in key order (indices into the items).
    std::vector<int> Left, Right, Top, Bottom;
};

namespace TiPlotLayoutMath {

// Sort key of a side list: ZOrder and round(StartPercent), each padded to 3.
QString sideKey(int zOrder, double startPercent);

// Scale and label rectangles of an axis in `drawRect`. `along` is the label
// extent along the scale; stacked ends are shortened for the labels.
void scaleRect(const TiPlotLayoutItem& axis, const TiRect& drawRect, bool startStacked, bool stopStacked,
               TiRect& scale, TiRect& labels);

// One layout pass. `previous` (may be empty) carries the rectangles of an
// earlier pass for objects the layout does not move along their side.
TiPlotLayoutResult layout(const TiPlotLayoutWidget& widget, const std::vector<TiPlotLayoutItem>& items,
                          const std::vector<TiPlotLayoutPlace>& previous = {});

// Clip rectangle of the objects drawn inside the data view.
TiRect layerClipRect(const TiRect& dataView);

} // namespace TiPlotLayoutMath

// The paint order inside the data view: entries sorted by their text key; a
// new entry goes before entries with an equal key.
class TiPlotLayerList {
public:
    // Layer padded to 6 digits, then a letter for the kind: A filled limits,
    // B data view, C other limits, D cartesian Y axes, E cartesian X axes,
    // F channels, G annotations. Layers outside 0..999999 are held to that
    // range so the text order stays the numeric order.
    static QString key(int layer, QChar letter);

    void clear() { m_entries.clear(); }
    void add(const QString& key, int object);
    // Objects in drawing order.
    std::vector<int> order() const;
    const std::vector<std::pair<QString, int>>& entries() const { return m_entries; }

private:
    std::vector<std::pair<QString, int>> m_entries;
};
