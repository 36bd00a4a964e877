#pragma once
// Arithmetic of a labelled scale: setting clamps, label decimals and texts,
// tick values, value-to-pixel mapping and the two auto-scalers. Shared by the
// straight scale and the round dial; nothing here paints.
#include "widgets/TiScaleTypes.h"

#include <QString>
#include <vector>

namespace TiScaleMath {

// Limits applied when the settings are assigned.
int clampTickMajorCount(int count);  // 2..100
int clampTickLength(int length);     // at least 1
int clampTickMinorCount(int count);  // 1..100
int clampTickLabelPrecision(int precision); // at least 0

// Number of label decimals. With significant digits the precision counts
// digits over the span of the scale.
int decimalPoints(TiPrecisionStyle style, int precision, double positionMin, double positionMax);

// Fixed-point text with `decimals` decimals, no thousands separator. A value
// that only rounds to zero is written without a minus sign.
QString tickLabelText(double value, int decimals);

// Value of label `index` of `count` labels spread evenly over start..end.
double labelValue(int index, double labelStart, double labelEnd, int count);

// Pixel of `value` on a scale whose minimum lies at pixel `pixelMin` and
// whose maximum at `pixelMax` (swapped when reversed).
int positionToPixelsAbsolute(double value, double positionMin, double positionMax, int pixelMin,
                             int pixelMax, bool reversed);
// Distance in pixels from the minimum's pixel.
int positionToPixelsRelative(double value, double positionMin, double positionMax, int pixelMin,
                             int pixelMax, bool reversed);

struct TickValues {
    std::vector<double> major; // one per label, in order
    std::vector<double> minor; // between the labels, then beyond them (see below)
    int minorPerInterval = 0;  // minor[i * this ...] lie between major[i] and major[i + 1]
};

// Major values start + i * step for i < majorCount, and `minorCount` minor
// values inside each interval. With `extendToBounds` (labels chosen inside
// the bounds by the fixed auto-scaler) the minor ticks continue past the last
// label up to `positionMax` and below the first down to `positionMin`.
TickValues tickValues(double labelStart, double labelEnd, int majorCount, int minorCount,
                      bool extendToBounds, double positionMin, double positionMax);

// Count of ticks (2..maxCount) for a span whose step is 1, 2, 2.5, 5 or 7.5
// times a power of ten, the one closest to `desired` (the larger on a tie).
// maxCount + 1 when none fits.
int niceTickCount(double span, int desired, int maxCount);

// 10^trunc(log10 r), a tenth of it when r < 1.
double scalePower(double range);

struct AutoScaleResult {
    double low = 0;   // new bounds (auto style) or first label (fixed style)
    double high = 0;  // new upper bound or last label
    int tickCount = 2;
};

// Bounds moved out to round values that enclose min..max.
AutoScaleResult autoScaleMinMax(double positionMin, double positionMax, int desiredTicks,
                                int maxTicks);

// Labels on round values inside the unchanged bounds min..max.
AutoScaleResult autoScaleFixedMinMax(double positionMin, double positionMax, int desiredTicks,
                                     int maxTicks);

// Coordinate across a straight scale where the minor ticks start; `side` is
// +1 for ticks right of / below the scale line, -1 for the other side.
int minorTickStart(TiTickMinorAlignment alignment, int scaleLine, int side, int tickMargin,
                   int majorLength, int minorLength);

} // namespace TiScaleMath
