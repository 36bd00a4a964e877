#pragma once
// The arithmetic of a thin trace, without drawing: clipping a segment to the
// axes' ranges, mapping it to a line, and the lines that give the same pixels
// as drawing every segment on its own, with the points that fall into one
// pixel column merged into a vertical line. Long series whose X never falls
// are reduced column by column through their summary.
#include "plot/TiPlotPoint.h"
#include "plot/TiPlotScaleMap.h"
#include "plot/TiPlotSummary.h"

#include <QLine>
#include <vector>

// The two axes a channel is drawn against; with Reversed X runs up the
// widget and Y across it.
struct TiPlotTraceAxes {
    TiPlotScaleMap X;
    TiPlotScaleMap Y;
    bool Reversed = false;
};

namespace TiPlotTraceMath {

// Value-space segment; after clipping (X1, Y1) is the end of smaller X.
struct Segment {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// Orders the ends by X, tests the segment against the ranges and moves its
// ends onto them. False when nothing of it is to be drawn.
bool clipSegment(Segment& s, double xMin, double xMax, double yMin, double yMax);

// Clips the segment and maps it to a drawn line; false when not drawn
// (outside the ranges, or an end off its scale).
bool segmentLine(double x1, double y1, double x2, double y2, const TiPlotTraceAxes& axes, QLine& line);

// How a column's zero-length segment at its end pixel is given: folded into
// the column's line (one pixel longer), or as a line of its own, which stays
// exact where a unit is more than one device pixel.
enum class ZeroLength { Folded, Separate };

// The lines that cover the pixels of every segment of a thin trace, read
// point by point.
std::vector<QLine> reducedLines(const TiPlotPointView& points, const TiPlotTraceAxes& axes,
                                ZeroLength zero = ZeroLength::Folded);

// The same lines found column by column: each column's points by search on
// X, their extremes from the summary. Only for linear scales and points
// whose X never falls; false (and `out` untouched) otherwise.
bool summaryLines(const TiPlotPointView& points, const TiPlotSummaryView& summary, const TiPlotTraceAxes& axes,
                  std::vector<QLine>& out, ZeroLength zero = ZeroLength::Folded);

} // namespace TiPlotTraceMath
