#include "plot/TiPlotTracking.h"

#include "plot/TiPlotScaleMap.h"
#include "widgets/TiError.h"

#include <cmath>

namespace TiPlotTracking {

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

TiPlotRange centred(const TiPlotRange& r, double newSpan)
{
    const double centre = r.Min + r.Span / 2;
    return {centre - newSpan / 2, newSpan};
}

} // namespace

Outcome newTrackingData(const TiPlotRange& current, bool firstValueAligned, const TiPlotTrackingSettings& s,
                        double v)
{
    Outcome out {current, firstValueAligned, Fit::None};
    if (!s.Enabled || std::isnan(v))
        return out;
    double newMin = current.Min;
    double newSpan = current.Span;
    if (!firstValueAligned) {
        out.FirstValueAligned = true;
        switch (s.AlignFirst) {
        case ipafsMin: newMin = v; break;
        case ipafsMax: newMin = v - current.Span; break;
        case ipafsAuto:
            if (v < current.Min || v > current.Max())
                newMin = v;
            break;
        case ipafsNone: break;
        }
    }
    const double maxDash = newMin + current.Span;
    auto scrollSpan = [&] {
        if (s.ScrollCompressMax != 0 && v > maxDash)
            return current.Span > s.ScrollCompressMax ? s.ScrollCompressMax : v - newMin;
        return newSpan;
    };
    switch (s.Style) {
    case iptsScaleMinMax:
        if (v > maxDash)
            newSpan = v - newMin;
        if (v < newMin)
            newMin = v;
        break;
    case iptsScaleMax:
        if (v > maxDash)
            newSpan = v - newMin;
        break;
    case iptsScaleMin:
        if (v < newMin)
            newMin = v;
        break;
    case iptsScrollSmooth:
        if (v > maxDash) {
            newSpan = scrollSpan();
            newMin = v - newSpan;
        } else if (v < current.Min) {
            newMin = v;
        }
        break;
    case iptsScrollPage:
        if (v > maxDash) {
            newSpan = scrollSpan();
            newMin = newMin + newSpan;
        } else if (v < current.Min) {
            newMin = newMin - newSpan;
        }
        break;
    case iptsExpandCollapse: out.FitInstead = Fit::ZoomToFit; return out;
    case iptsExpandCollapseFast: out.FitInstead = Fit::ZoomToFitFast; return out;
    }
    out.Range = {newMin, newSpan};
    return out;
}

TiPlotRange normalized(TiPlotRange r, TiPlotScaleType type)
{
    if (type == ipstLog10) {
        if (r.Min <= 0)
            r.Min = 1;
        if (r.Span <= 0)
            r.Span = 1;
    }
    return {TiPlotScale::clampMin(r.Min), TiPlotScale::clampSpan(r.Span)};
}

std::optional<TiPlotRange> zoomToFit(double lo, double hi)
{
    if (hi > -1e299 && lo < 1e299 && hi != lo)
        return TiPlotRange {lo, hi - lo};
    return std::nullopt;
}

TiPlotRange zoom(const TiPlotRange& r, double factor, TiPlotScaleType type)
{
    if (type == ipstLog10) {
        const double f = std::pow(10.0, factor);
        return {r.Min / f, r.Span * f};
    }
    if (!(factor > 0))
        throw TiError(QStringLiteral("Linear Scale Zoom Factor must be Greater than Zero"));
    return centred(r, r.Span * factor);
}

Toggle setTrackingEnabled(bool enabled, bool newEnabled, bool restoreOnResume, const TiPlotResumeValues& now,
                          const TiPlotResumeValues& saved)
{
    Toggle t;
    if (enabled == newEnabled || !restoreOnResume)
        return t;
    if (newEnabled) {
        t.Restore = TiPlotRange {saved.Min, saved.Span};
        t.RestoreLabelsMinLength = saved.LabelsMinLength;
    } else {
        t.Save = now;
    }
    return t;
}

bool updateResumeValuesEnabled(bool trackingEnabled, const TiPlotRange& now, const TiPlotResumeValues& saved)
{
    return !trackingEnabled && (now.Min != saved.Min || now.Span != saved.Span);
}

int dragDelta(int dx, int dy, bool horizontal, bool reverseScale)
{
    const int along = horizontal ? dx : -dy;
    return reverseScale ? -along : along;
}

bool zoomMode(int mode, bool control) { return (mode == 1) != control; }

TiPlotRange dragScroll(const TiPlotRange& r, int delta, int spanLength, const ScrollLimits& limits)
{
    if (spanLength == 0)
        return r;
    const double fraction = double(delta) / spanLength;
    double newMin = r.Min - fraction * r.Span;
    if (limits.Enabled) {
        if (newMin < limits.Min)
            newMin = limits.Min;
        if (newMin + r.Span >= limits.Max)
            newMin = limits.Max - r.Span;
    }
    return {newMin, r.Span};
}

TiPlotRange dragZoom(const TiPlotRange& r, int delta, int spanLength)
{
    if (spanLength == 0)
        return r;
    const double fraction = double(delta) / spanLength;
    return centred(r, r.Span / std::pow(10.0, fraction / 4));
}

TiPlotRange wheelScroll(const TiPlotRange& r, int notchSign)
{
    return {r.Min + 0.05 * sign(notchSign) * r.Span, r.Span};
}

TiPlotRange wheelZoom(const TiPlotRange& r, int notchSign)
{
    return centred(r, r.Span / std::pow(10.0, 0.025 * sign(notchSign)));
}

} // namespace TiPlotTracking
