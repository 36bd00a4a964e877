#pragma once
// Where the objects over the data view go: a data cursor's reading of a
// channel and the place of its box, an annotation's corner. Pure arithmetic.
#include "widgets/TiCanvas.h"

#include <functional>
#include <optional>

namespace TiPlotOverlayMath {

// The index of the point nearest to `x` among `count` points whose X
// values (read by `xAt`) do not decrease; none outside the first and last
// X or without points.
std::optional<int> nearestIndex(int count, const std::function<double(int)>& xAt, double x);

// The cursor's box of `width` x `height` beside the line at `lineX`: to
// its right when it fits in `view`, else to its left; at the view's top.
TiRect cursorBox(const TiRect& view, int lineX, int width, int height);

// A pixel of a percent of the data view along one side (0 at `from`).
int percentPixel(int from, int to, double percent);

} // namespace TiPlotOverlayMath
