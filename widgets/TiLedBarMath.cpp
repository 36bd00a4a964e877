#include "widgets/TiLedBarMath.h"

#include <cmath>

namespace TiLedBarMath {

TColor lampColor(bool active, TColor activeColor, bool autoInactiveColor, TColor inactiveColor)
{
    if (active)
        return activeColor;
    return autoInactiveColor ? tiDimColor(activeColor) : inactiveColor;
}

SegmentLayout segmentLayout(int length, int segmentSize, int segmentSpacing, int segmentMargin)
{
    SegmentLayout layout;
    layout.pitch = segmentSize + segmentSpacing;
    const int a = length - 2 * segmentMargin + 2;
    if (layout.pitch <= 0 || a <= 0)
        return layout;
    layout.count = a / layout.pitch;
    layout.leftover = (a % layout.pitch) / 2;
    return layout;
}

int litSegments(double percent, int count)
{
    if (count <= 0 || !(percent > 0))
        return 0;
    // The lamp count is rounded from an 80-bit product: the console's figures
    // (20 % of 10 lighting 3, 50 % of 26 lighting 14) depend on it.
    const long double x = static_cast<long double>(percent) * count + 0.5L;
    const long double lit = std::nearbyint(x);
    if (lit > count)
        return count;
    return static_cast<int>(lit);
}

int sectionBoundary(double sectionEnd, double positionMin, double positionMax, int count)
{
    if (positionMax == positionMin || count <= 0)
        return 0;
    const double b = std::nearbyint((sectionEnd - positionMin) / (positionMax - positionMin) * count);
    if (!(b > -1e9))
        return -1000000000;
    if (b > 1e9)
        return 1000000000;
    return static_cast<int>(b);
}

int sectionOfSegment(int index, int sectionCount, int boundary1, int boundary2)
{
    int section = 1;
    if (sectionCount > 1 && index >= boundary1)
        section = 2;
    if (sectionCount > 2 && index >= boundary2)
        section = 3;
    return section;
}

} // namespace TiLedBarMath
