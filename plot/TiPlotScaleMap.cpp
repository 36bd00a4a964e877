#include "plot/TiPlotScaleMap.h"

#include <algorithm>
#include <cmath>

namespace TiPlotScale {

double clampMin(double v)
{
    if (std::isnan(v))
        return 0;
    return std::clamp(v, kMinValue, kMaxValue);
}

double clampSpan(double v)
{
    if (std::isnan(v))
        return kMinSpan;
    return std::clamp(v, kMinSpan, kMaxSpan);
}

} // namespace TiPlotScale

namespace {

// minPixel - round(offset), limited to +-32000 so huge or infinite values
// cannot overflow the integer; NaN lands on minPixel.
int limitedPixel(int minPixel, double offset)
{
    if (std::isnan(offset))
        return minPixel;
    const double limited = std::clamp(offset, -1e9, 1e9);
    return std::clamp(minPixel - TiPlotScale::roundPixel(limited), -TiPlotScale::kPixelLimit, TiPlotScale::kPixelLimit);
}

} // namespace

TiPlotScaleMap TiPlotScaleMap::horizontal(double min, double span, int left, int right, bool reverse,
                                          TiPlotScaleType type)
{
    return {.Min = min, .Span = span, .ScaleType = type, .ReverseScale = reverse, .Horizontal = true,
            .ScaleLeft = left, .ScaleRight = right};
}

TiPlotScaleMap TiPlotScaleMap::vertical(double min, double span, int bottom, int top, bool reverse,
                                        TiPlotScaleType type)
{
    return {.Min = min, .Span = span, .ScaleType = type, .ReverseScale = reverse, .Horizontal = false,
            .ScaleTop = top, .ScaleBottom = bottom};
}

int TiPlotScaleMap::MinPixel() const
{
    if (Horizontal)
        return ReverseScale ? ScaleRight : ScaleLeft;
    return ReverseScale ? ScaleTop : ScaleBottom;
}

int TiPlotScaleMap::MaxPixel() const
{
    if (Horizontal)
        return ReverseScale ? ScaleLeft : ScaleRight;
    return ReverseScale ? ScaleBottom : ScaleTop;
}

double TiPlotScaleMap::PixelsPerUnit() const { return (MinPixel() - MaxPixel()) / Span; }

int TiPlotScaleMap::SpanLength() const { return Horizontal ? ScaleRight - ScaleLeft : ScaleBottom - ScaleTop; }

int TiPlotScaleMap::PositionToPixels(double v) const
{
    const int minPixel = MinPixel();
    const int maxPixel = MaxPixel();
    if (minPixel == maxPixel || Span <= TiPlotScale::kMinSpan)
        return (minPixel + maxPixel) / 2;
    if (ScaleType == ipstLog10) {
        const double m = Min > 0 ? Min : 1;
        const double s = Span > 0 ? Span : 1;
        const double l = std::log10(m + s) - std::log10(m);
        if (l == 0)
            return 0;
        const double lv = std::log10(v > 0 ? v : 1);
        return limitedPixel(minPixel, (lv - std::log10(m)) * (minPixel - maxPixel) / l);
    }
    return limitedPixel(minPixel, (v - Min) * PixelsPerUnit());
}

double TiPlotScaleMap::PixelsToPosition(int p) const
{
    const int start = Horizontal ? ScaleLeft : ScaleBottom;
    const int stop = Horizontal ? ScaleRight : ScaleTop;
    if (start == stop)
        return Min;
    double f = double(p - start) / double(stop - start);
    if (ReverseScale)
        f = 1 - f;
    if (ScaleType == ipstLog10) {
        const double lmin = std::log10(Min);
        return std::pow(10.0, lmin + f * (std::log10(Max()) - lmin));
    }
    return Min + Span * f;
}

int TiPlotScaleMap::WidthToPixels(double w) const { return std::abs(PositionToPixels(Min + w) - PositionToPixels(Min)); }

double TiPlotScaleMap::PositionToPercent(double v) const
{
    const double f = (v - Min) / Span;
    return ReverseScale ? 1 - f : f;
}

double TiPlotScaleMap::PercentToPosition(double f) const { return Min + Span * (ReverseScale ? 1 - f : f); }

bool TiPlotScaleMap::PointOnScale(double v) const
{
    const int p = PositionToPixels(v);
    const int a = MinPixel();
    const int b = MaxPixel();
    return p >= std::min(a, b) && p <= std::max(a, b);
}
