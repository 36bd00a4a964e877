#pragma once
// Value-to-pixel mapping of one plot axis: where Min and Max lie on the
// widget, linear or log10, optionally reversed. A small value type so the
// axis, the channels and the tests share one piece of arithmetic.
#include "plot/TiPlotTypes.h"

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace TiPlotScale {
constexpr double kMinValue = -1e300;
constexpr double kMaxValue = 1e300;
constexpr double kMinSpan = 1e-300;
constexpr double kMaxSpan = 1e300;
// Pixels are limited to this range so far-off values never overflow.
constexpr int kPixelLimit = 32000;

// Nearest integer, halves to even (as tiRound), for |v| below 2^31: the
// processor's conversion in its default rounding mode, without a library
// call, since pixels are mapped once per point drawn.
inline int roundPixel(double v)
{
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int>(std::nearbyint(v));
#endif
}

double clampMin(double v);
double clampSpan(double v);
} // namespace TiPlotScale

struct TiPlotScaleMap {
    double Min = 0;
    double Span = 100;
    TiPlotScaleType ScaleType = ipstLinear;
    bool ReverseScale = false;
    bool Horizontal = true;
    // Scale rectangle of the axis. Horizontal: ScaleLeft..ScaleRight is the
    // value range; vertical: ScaleBottom..ScaleTop.
    int ScaleLeft = 0;
    int ScaleTop = 0;
    int ScaleRight = 0;
    int ScaleBottom = 0;

    // A horizontal scale from pixel `left` to `right`, or a vertical one from
    // `bottom` up to `top`.
    static TiPlotScaleMap horizontal(double min, double span, int left, int right, bool reverse = false,
                                     TiPlotScaleType type = ipstLinear);
    static TiPlotScaleMap vertical(double min, double span, int bottom, int top, bool reverse = false,
                                   TiPlotScaleType type = ipstLinear);

    double Max() const { return Min + Span; }
    int MinPixel() const;
    int MaxPixel() const;
    double PixelsPerUnit() const;
    // ScaleRight - ScaleLeft or ScaleBottom - ScaleTop.
    int SpanLength() const;

    int PositionToPixels(double v) const;
    double PixelsToPosition(int p) const;
    // |pixel(Min + w) - pixel(Min)|.
    int WidthToPixels(double w) const;
    // Fraction of the span from the start of the scale (from Max when reversed).
    double PositionToPercent(double v) const;
    double PercentToPosition(double f) const;
    // The value's pixel lies within the scale's pixel range, ends included.
    bool PointOnScale(double v) const;
};
