#include "widgets/TiScaleMath.h"

#include "widgets/TiGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace TiScaleMath {

namespace {

// Multiples are found by division; the slack keeps 80 / 20 = 3.9999... on 4.
constexpr double kMultipleSlack = 1e-9;

// Extended minor ticks stop here even on a nonsensical span.
constexpr int kMaxExtraMinorTicks = 10000;

double floorMultiple(double value, double step)
{
    return std::floor(value / step + kMultipleSlack) * step;
}

double ceilMultiple(double value, double step)
{
    return std::ceil(value / step - kMultipleSlack) * step;
}

bool isNiceMantissa(int mantissa)
{
    switch (mantissa) {
    case 100: case 200: case 250: case 500: case 750:
    case 1000: case 2000: case 2500: case 5000: case 7500:
        return true;
    default:
        return false;
    }
}

} // namespace

int clampTickMajorCount(int count)
{
    return std::clamp(count, 2, 100);
}

int clampTickLength(int length)
{
    return length <= 0 ? 1 : length;
}

int clampTickMinorCount(int count)
{
    return std::clamp(count, 1, 100);
}

int clampTickLabelPrecision(int precision)
{
    return std::max(precision, 0);
}

int decimalPoints(TiPrecisionStyle style, int precision, double positionMin, double positionMax)
{
    if (style == ipsFixedDecimalPoints)
        return clampTickLabelPrecision(precision);
    if (precision <= 0)
        return 0;
    const double range = std::fabs(positionMax - positionMin);
    if (range == 0 || !std::isfinite(range))
        return 0;
    int decimals = precision - static_cast<int>(std::trunc(std::log10(range))) - 1;
    if (range < 1)
        ++decimals;
    return std::max(decimals, 0);
}

QString tickLabelText(double value, int decimals)
{
    // printf rounds exact halves to even and writes the locale's separator,
    // both of which the labels follow.
    decimals = std::max(decimals, 0);
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    QString text = QString::fromLocal8Bit(buffer.data(), length).trimmed();
    // -0.001 shown with two decimals must not read "-0.00".
    if (text.startsWith(QLatin1Char('-'))) {
        const bool allZero = std::none_of(text.begin() + 1, text.end(), [](QChar c) {
            return c >= QLatin1Char('1') && c <= QLatin1Char('9');
        });
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

double labelValue(int index, double labelStart, double labelEnd, int count)
{
    if (count < 2)
        return labelStart;
    return labelStart + (labelEnd - labelStart) / (count - 1) * index;
}

int positionToPixelsAbsolute(double value, double positionMin, double positionMax, int pixelMin,
                             int pixelMax, bool reversed)
{
    int a = pixelMin;
    int b = pixelMax;
    if (reversed)
        std::swap(a, b);
    if (positionMax == positionMin)
        return (a + b) / 2;
    return a - tiRound((value - positionMin) / (positionMax - positionMin) * (a - b));
}

int positionToPixelsRelative(double value, double positionMin, double positionMax, int pixelMin,
                             int pixelMax, bool reversed)
{
    int a = pixelMin;
    int b = pixelMax;
    if (reversed)
        std::swap(a, b);
    if (positionMax == positionMin)
        return 0;
    return tiRound((value - positionMin) / (positionMax - positionMin) * (a - b));
}

TickValues tickValues(double labelStart, double labelEnd, int majorCount, int minorCount,
                      bool extendToBounds, double positionMin, double positionMax)
{
    TickValues ticks;
    majorCount = clampTickMajorCount(majorCount);
    minorCount = clampTickMinorCount(minorCount);
    const double majorStep = (labelEnd - labelStart) / (majorCount - 1);
    const double minorStep = majorStep / (minorCount + 1);
    ticks.minorPerInterval = minorCount;
    ticks.major.reserve(majorCount);
    for (int i = 0; i < majorCount; ++i) {
        const double v = labelStart + i * majorStep;
        ticks.major.push_back(v);
        if (i == majorCount - 1)
            continue;
        for (int k = 1; k <= minorCount; ++k)
            ticks.minor.push_back(v + k * minorStep);
    }
    const double step = std::fabs(minorStep);
    if (!extendToBounds || step == 0 || !std::isfinite(step))
        return ticks;
    const double slack = step * kMultipleSlack;
    const double top = std::max(positionMin, positionMax);
    const double bottom = std::min(positionMin, positionMax);
    const double lastLabel = std::max(labelStart, labelEnd);
    const double firstLabel = std::min(labelStart, labelEnd);
    for (int k = 1; k <= kMaxExtraMinorTicks; ++k) {
        const double v = lastLabel + k * step;
        if (v > top + slack)
            break;
        ticks.minor.push_back(v);
    }
    for (int k = 1; k <= kMaxExtraMinorTicks; ++k) {
        const double v = firstLabel - k * step;
        if (v < bottom - slack)
            break;
        ticks.minor.push_back(v);
    }
    return ticks;
}

int niceTickCount(double span, int desired, int maxCount)
{
    int best = maxCount + 1;
    for (int count = 2; count <= maxCount; ++count) {
        const double step = span / (count - 1);
        if (!(step > 0) || !std::isfinite(step))
            continue;
        const double power = std::pow(10.0, std::trunc(std::log10(step)));
        if (!isNiceMantissa(tiRound(step / power * 1000)))
            continue;
        if (best > maxCount || std::abs(count - desired) <= std::abs(best - desired))
            best = count;
    }
    return best;
}

double scalePower(double range)
{
    if (!(range > 0) || !std::isfinite(range))
        return 1;
    double power = std::pow(10.0, std::trunc(std::log10(range)));
    if (range < 1)
        power /= 10;
    return power;
}

AutoScaleResult autoScaleMinMax(double positionMin, double positionMax, int desiredTicks,
                                int maxTicks)
{
    if (positionMin == positionMax)
        return {positionMin, positionMax, 2};
    const double range = std::fabs(positionMax - positionMin);
    const double power = scalePower(range);
    for (int i = 2; i <= 40; ++i) {
        const double span = power * i / 2;
        if (span < range)
            continue;
        const int count = niceTickCount(span, desiredTicks, maxTicks);
        if (count > maxTicks)
            continue;
        const double step = span / (count - 1);
        const double slack = step * kMultipleSlack;
        double low;
        double high;
        if (positionMax > 0 && positionMin < 0) {
            low = floorMultiple(positionMin, step);
            high = low + span;
        } else if (positionMin >= 0 && positionMax > 0) {
            high = ceilMultiple(positionMax, step);
            low = high - span;
            if (low < 0) {
                const double shift = ceilMultiple(-low, step);
                low += shift;
                high += shift;
            }
        } else {
            low = floorMultiple(positionMin, step);
            high = low + span;
            if (high > 0) {
                low -= step;
                high -= step;
            }
        }
        if (high >= positionMax - slack && low <= positionMin + slack)
            return {low, high, count};
    }
    return {positionMin, positionMax, std::clamp(desiredTicks, 2, std::max(maxTicks, 2))};
}

AutoScaleResult autoScaleFixedMinMax(double positionMin, double positionMax, int desiredTicks,
                                     int maxTicks)
{
    if (positionMin == positionMax)
        return {positionMin, positionMax, 2};
    const double range = std::fabs(positionMax - positionMin);
    const double power = scalePower(range);
    AutoScaleResult last{positionMin, positionMax, 2};
    for (int m = 100; m >= 2; --m) {
        const double span = power * m / 10;
        if (span > range * (1 + kMultipleSlack))
            continue;
        for (int allowed = maxTicks; allowed >= 2; --allowed) {
            const int count = niceTickCount(span, desiredTicks, allowed);
            if (count > allowed)
                continue;
            const double step = span / (count - 1);
            const double slack = step * kMultipleSlack;
            double low;
            double high;
            if ((positionMax > 0 && positionMin < 0) || positionMin >= 0) {
                low = ceilMultiple(positionMin, step);
                high = low + span;
            } else {
                high = floorMultiple(positionMax, step);
                low = high - span;
            }
            last = {low, high, count};
            if (low >= positionMin - slack && high <= positionMax + slack
                && high + step > positionMax + slack)
                return last;
        }
    }
    return last;
}

int minorTickStart(TiTickMinorAlignment alignment, int scaleLine, int side, int tickMargin,
                   int majorLength, int minorLength)
{
    switch (alignment) {
    case itmnaCenter:
        return scaleLine + side * (tickMargin + majorLength / 2 - minorLength / 2);
    case itmnaOutside:
        return scaleLine + side * (tickMargin + majorLength - minorLength);
    case itmnaInside:
        break;
    }
    return scaleLine + side * tickMargin;
}

} // namespace TiScaleMath
