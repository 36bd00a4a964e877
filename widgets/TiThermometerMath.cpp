#include "widgets/TiThermometerMath.h"

#include <cmath>

namespace TiThermometerMath {

namespace {
int roundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}
} // namespace

int centerShift(bool showTickLabels, int tickLabelMargin, int labelSize, int indicatorWidth,
                int markerExtent, bool showTicksMajor, int tickMajorLength, int tickMargin)
{
    int s = 0;
    if (showTickLabels)
        s = tickLabelMargin + labelSize;
    s -= indicatorWidth + markerExtent;
    if (showTicksMajor)
        s += tickMajorLength + tickMargin;
    return s;
}

Tube tube(bool vertical, Style style, int centreX, int centreY, int indicatorWidth, int bulbSize,
          int endsMargin, int width, int height, int offsetX, int offsetY)
{
    Tube t;
    if (vertical) {
        t = {centreX - indicatorWidth, endsMargin + offsetY, centreX + indicatorWidth,
             height + offsetY - endsMargin};
        if (style == Style::Bulb) {
            t.bottom -= 2 * bulbSize;
        } else if (style == Style::BarFramed) {
            t.top += 2;
            t.bottom -= 2;
        }
    } else {
        t = {endsMargin + offsetX, centreY - indicatorWidth, width + offsetX - endsMargin,
             centreY + indicatorWidth};
        if (style == Style::Bulb) {
            t.left += 2 * bulbSize;
        } else if (style == Style::BarFramed) {
            t.left += 2;
            t.right -= 2;
        }
    }
    return t;
}

int positionPixels(double percent, const Tube& t, bool vertical, bool reversed)
{
    if (vertical) {
        const int span = t.bottom - t.top;
        return reversed ? t.top + roundEven(percent * span) : t.bottom - roundEven(percent * span);
    }
    const int span = t.right - t.left;
    return reversed ? t.right - roundEven(percent * span) : t.left + roundEven(percent * span);
}

int bulbLiquidTop(double percent, const Tube& t)
{
    return (t.bottom + 1) - roundEven(percent * (t.bottom + 1 - t.top));
}

int bulbLiquidRight(double percent, const Tube& t)
{
    return t.left + roundEven(percent * (t.right - t.left));
}

} // namespace TiThermometerMath
