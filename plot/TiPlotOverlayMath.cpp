#include "plot/TiPlotOverlayMath.h"

#include <cmath>

namespace TiPlotOverlayMath {

std::optional<int> nearestIndex(int count, const std::function<double(int)>& xAt, double x)
{
    if (count <= 0 || x < xAt(0) || x > xAt(count - 1))
        return std::nullopt;
    int lo = 0, hi = count - 1;  // xAt(lo) <= x <= xAt(hi)
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (xAt(mid) <= x)
            lo = mid;
        else
            hi = mid;
    }
    return x - xAt(lo) <= xAt(hi) - x ? lo : hi;
}

TiRect cursorBox(const TiRect& view, int lineX, int width, int height)
{
    const int gap = 4;
    int left = lineX + gap;
    if (left + width > view.Right && lineX - gap - width >= view.Left)
        left = lineX - gap - width;
    const int top = view.Top + gap;
    return TiRect{left, top, left + width, top + height};
}

int percentPixel(int from, int to, double percent)
{
    return from + int(std::lround((to - from) * percent / 100.0));
}

} // namespace TiPlotOverlayMath
