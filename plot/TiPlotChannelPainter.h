#pragma once
// Drawing of one XY channel through the trace primitives: its points handed
// over in drawing order, the trace (fast and exact for thin solid lines) and
// the markers.
#include "plot/TiPlotTrace.h"

#include <vector>

class TiPlotChannelCustom;

namespace TiPlotChannelPainter {

// The channel's points from draw start to draw stop.
void Points(const TiPlotChannelCustom& channel, std::vector<TiPlotPoint>& out);

// The same points read in place where the list keeps them so, else copied
// into `scratch`.
TiPlotPointView View(const TiPlotChannelCustom& channel, std::vector<TiPlotPoint>& scratch);

// The channel's own marker (colours from the channel when it says so).
TiPlotMarker ChannelMarker(const TiPlotChannelCustom& channel);
TiPlotTraceStyle ChannelTrace(const TiPlotChannelCustom& channel);

// Trace, then markers. `points` is scratch storage reused between paints.
void Draw(TiPlotChannelCustom& channel, TiCanvas& canvas, const TiPlotTraceAxes& axes,
          std::vector<TiPlotPoint>& points);

} // namespace TiPlotChannelPainter
