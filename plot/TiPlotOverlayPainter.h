#pragma once
// Drawing of the objects over the data view: limits (lines and bands),
// annotations and data cursors. The renderer calls them in layer order.
#include "widgets/TiCanvas.h"

class TiPlotAnnotation;
class TiPlotComponent;
class TiPlotDataCursor;
class TiPlotLimit;

namespace TiPlotOverlayPainter {

void DrawLimit(TiPlotComponent& plot, const TiPlotLimit& limit, TiCanvas& canvas, const TiRect& view);
void DrawAnnotation(TiPlotComponent& plot, const TiPlotAnnotation& annotation, TiCanvas& canvas, const TiRect& view);
// The line and the box of readings (not clipped, over the axes' bands).
void DrawDataCursor(TiPlotComponent& plot, const TiPlotDataCursor& cursor, TiCanvas& canvas, const TiRect& view);

} // namespace TiPlotOverlayPainter
