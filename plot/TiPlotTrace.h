#pragma once
// Drawing a channel's points: the trace between consecutive points, clipped
// to the axes' ranges in value space, with Null points breaking the line and
// Empty points skipped; and the markers. The trace has two ways that give
// the same pixels: segment by segment, and a fast one that, for thin solid
// lines, merges the points that fall into one pixel column.
#include "plot/TiPlotPoint.h"
#include "plot/TiPlotTraceMath.h"
#include "widgets/TiCanvas.h"

#include <QChar>
#include <QLine>
#include <functional>
#include <vector>

struct TiPlotTraceStyle {
    TColor Color = clRed;
    TiPlotLineStyle LineStyle = iplsSolid;
    int Width = 1; // 0 and 1 both give the thinnest line
};

struct TiPlotMarker {
    TiPlotMarkerStyle Style = ipmsCircle;
    int Size = 3;
    TColor PenColor = clRed;
    TiPenStyle PenStyle = psSolid;
    int PenWidth = 0;
    TColor BrushColor = clRed;
    TiBrushStyle BrushStyle = bsSolid;
    QChar Character;
};

namespace TiPlotTrace {

using TiPlotTraceMath::clipSegment;
using TiPlotTraceMath::reducedLines;
using TiPlotTraceMath::Segment;
using TiPlotTraceMath::segmentLine;

// Whether the fast way may draw a trace of this style (thin solid lines).
bool fastPathApplies(const TiPlotTraceStyle& style);

// Per-point trace attributes for lists that keep them; the style of point
// `index` is used for the segment that ends there.
using PointStyle = std::function<TiPlotTraceStyle(int index)>;

// Every segment on its own, as the points come.
void drawSegments(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                  const TiPlotTraceStyle& style, const PointStyle& pointStyle = {});

// The same picture; thin solid lines go through the column reduction, by
// the points' summary when one is given and applies.
void draw(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
          const TiPlotTraceStyle& style, const TiPlotSummaryView& summary = {});

// One marker centred on pixel (x, y).
void drawMarker(TiCanvas& canvas, int x, int y, const TiPlotMarker& marker);
// The legend's sample: the same marker, no larger than 6.
void drawLegendMarker(TiCanvas& canvas, int x, int y, TiPlotMarker marker);

// Per-point marker for lists with individual markers: fills `marker` and
// returns whether point `index` shows one.
using PointMarker = std::function<bool(int index, TiPlotMarker& marker)>;

// Markers of every normal point on both scales; none when turnOffLimit > 0
// and more than turnOffLimit points would be drawn.
void drawMarkers(TiCanvas& canvas, const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                 const TiPlotMarker& marker, int turnOffLimit, const PointMarker& pointMarker = {});

} // namespace TiPlotTrace
