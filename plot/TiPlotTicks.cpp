#include "plot/TiPlotTicks.h"

#include "widgets/TiGeometry.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace TiPlotTicks {

namespace {

// A pathological span or increment can never run away with the list.
constexpr int kMaxGeneratedTicks = 100000;
const QDate kEpoch(1899, 12, 30);

int tickDiv(int u, int k)
{
    const int q = u / k;
    return q == 0 ? 1 : q;
}

int saturate(double v, int overflow) { return v > INT_MAX ? overflow : static_cast<int>(v); }

double calendarShift(double value, int months, bool years)
{
    const double whole = std::floor(value);
    const double fraction = value - whole;
    const QDate d = kEpoch.addDays(static_cast<qint64>(whole));
    const QDate moved = years ? d.addYears(months) : d.addMonths(months);
    return double(kEpoch.daysTo(moved)) + fraction;
}

// First day of the month (or year) holding `value`.
double calendarAlign(double value, bool years)
{
    const QDate d = kEpoch.addDays(static_cast<qint64>(std::floor(value)));
    const QDate first(d.year(), years ? 1 : d.month(), 1);
    return double(kEpoch.daysTo(first));
}

void addTick(TiPlotTickResult& r, const TiPlotScaleMap& scale, int style, double v, const LabelFunction& label)
{
    if (!scale.PointOnScale(v))
        return;
    if (scale.ScaleType == ipstLog10 && v <= 0)
        return;
    TiPlotTick t;
    t.Style = style;
    t.Position = v;
    if (style == 0 && label)
        t.Label = label(v);
    r.Ticks.push_back(t);
}

void decadeTicks(TiPlotTickResult& r, const TiPlotScaleMap& scale, int maxIntervals, const LabelFunction& label)
{
    const double decades = std::log10(scale.Max()) - std::log10(scale.Min);
    int step = 200;
    if (maxIntervals >= decades)
        step = 1;
    else
        for (int s : {2, 5, 10, 20, 50, 100})
            if (maxIntervals >= decades / s) {
                step = s;
                break;
            }
    const double positiveMin = scale.Min > 0 ? scale.Min : 1;
    int e = step == 1 ? static_cast<int>(std::trunc(std::log10(scale.Min))) - 1
                      : static_cast<int>(std::trunc(std::log10(positiveMin)));
    for (int guard = 0; guard < kMaxGeneratedTicks && std::pow(10.0, e) <= scale.Span + positiveMin; ++guard) {
        const double p = std::pow(10.0, e);
        addTick(r, scale, 0, p, label);
        if (step == 1)
            for (int k = 2; k <= 9; ++k)
                addTick(r, scale, 1, k * p, label);
        e += step;
    }
}

} // namespace

int labelPitch(bool horizontal, TiRotationAngle rotation, int widthOf0, int heightOf0, double labelSeparation,
               int requiredLabelLength)
{
    const bool upright = rotation == ira000 || rotation == ira180;
    const bool alongIsWidth = horizontal == upright;
    const int pitch = alongIsWidth ? tiRound(widthOf0 * (labelSeparation + 1) + requiredLabelLength)
                                   : tiRound(heightOf0 * (labelSeparation + 1));
    return std::max(1, pitch);
}

int maxIntervals(int spanLength, int pitch) { return std::max(1, spanLength / std::max(1, pitch)); }

Step linearStep(double span, int maxIntervals)
{
    Step s;
    int e = static_cast<int>(std::trunc(std::log10(span) - 1 - std::log10(double(maxIntervals))));
    for (int guard = 0; guard < 2000; ++guard, ++e) {
        const double p = std::pow(10.0, e);
        if (maxIntervals >= span / p)
            s.Increment = p;
        else if (maxIntervals >= span / (2 * p))
            s.Increment = 2 * p;
        else if (maxIntervals >= span / (5 * p))
            s.Increment = 5 * p;
        else
            continue;
        break;
    }
    if (s.Increment == 0)
        s.Increment = span;
    s.Count = saturate(double(tiRound(std::min(span / s.Increment, 1e9))), INT_MAX);
    return s;
}

Step dateTimeStep(double span, int n)
{
    constexpr double msPerDay = 86400000.0;
    const double days = std::trunc(span);
    const qint64 tod = std::llround((span - days) * msPerDay);
    const int h = int(tod / 3600000), mi = int(tod / 60000 % 60), se = int(tod / 1000 % 60), msec = int(tod % 1000);
    const int uMs = saturate(days * 86400000.0 + h * 3600000.0 + mi * 60000.0 + se * 1000.0 + msec, INT_MAX);
    const int uS = saturate(days * 86400.0 + h * 3600.0 + mi * 60.0 + se, INT_MAX);
    const int uMin = saturate(days * 1440.0 + h * 60.0 + mi, 10000);
    const int uH = saturate(days * 24.0 + h, INT_MAX);
    const int uD = saturate(days, INT_MAX);

    Step s;
    auto tryUnit = [&](int u, std::initializer_list<int> steps, double dayPerUnit) {
        for (int k : steps)
            if (n >= u / k) {
                s.Count = tickDiv(u, k);
                s.Increment = k * dayPerUnit;
                return true;
            }
        return false;
    };
    if (tryUnit(uMs, {1, 2, 5, 10, 20, 50, 100, 200, 500}, 1 / msPerDay)
        || tryUnit(uS, {1, 2, 5, 10, 15, 20, 30}, 1 / 86400.0)
        || tryUnit(uMin, {1, 2, 5, 10, 15, 20, 30}, 1 / 1440.0)
        || tryUnit(uH, {1, 2, 4, 6, 12}, 1 / 24.0) || tryUnit(uD, {1, 7, 14}, 1.0))
        return s;
    static constexpr std::array<std::pair<int, int>, 4> months = {{{1, 31}, {2, 61}, {3, 92}, {6, 183}}};
    for (auto [m, div] : months)
        if (n >= uD / div) {
            s.Count = tickDiv(uD, div);
            s.Increment = m;
            s.MonthMode = true;
            return s;
        }
    s.YearMode = true;
    for (int e = 0; e < 10; ++e) {
        const int p = int(std::pow(10, e));
        for (int f : {1, 2, 5}) {
            const qint64 divisor = (f == 1 ? 365LL : f == 2 ? 730LL : 1825LL) * p;
            if (n >= uD / divisor) {
                s.Count = divisor > INT_MAX ? 1 : tickDiv(uD, int(divisor));
                s.Increment = double(f) * p;
                return s;
            }
        }
    }
    s.Count = 1;
    s.Increment = 1e9;
    return s;
}

Step price32Step(double span, int n)
{
    Step s;
    for (double step : {1 / 256.0, 1 / 128.0, 1 / 64.0, 1 / 32.0, 1 / 16.0, 1 / 8.0, 1 / 4.0, 1 / 2.0})
        if (n >= span / step) {
            s.Increment = step;
            s.Count = saturate(std::trunc(span / step), INT_MAX);
            return s;
        }
    for (int e = 0; e < 400; ++e) {
        const double p = std::pow(10.0, e);
        for (double step : {p, 2 * p, 5 * p})
            if (n >= span / step) {
                s.Increment = step;
                s.Count = saturate(std::trunc(span / step), INT_MAX);
                return s;
            }
    }
    s.Increment = span;
    s.Count = 1;
    return s;
}

void updatePixels(std::vector<TiPlotTick>& ticks, const TiPlotScaleMap& scale)
{
    for (TiPlotTick& t : ticks) {
        t.OnScale = scale.PointOnScale(t.Position);
        if (t.OnScale)
            t.Pixels = scale.PositionToPixels(t.Position);
    }
}

TiPlotTickResult calcTicks(const TiPlotScaleMap& scale, const TiPlotTickSettings& settings, const LabelFunction& label)
{
    TiPlotTickResult r;
    int maxIntervals = std::max(1, settings.MaxIntervals);
    const double span = scale.Span;
    const double max = scale.Max();

    if (scale.ScaleType == ipstLog10 && std::log10(max) - std::log10(scale.Min) > 1) {
        decadeTicks(r, scale, maxIntervals, label);
        updatePixels(r.Ticks, scale);
        return r;
    }

    double increment = 0;
    int count = 0;
    const double desired = settings.DesiredIncrement;
    if (span <= 1e-299) {
        count = 1;
        increment = span;
    } else if (desired != 0 && !settings.LabelsVisible
               && span / desired < double(scale.SpanLength()) / (settings.MinorCount + 1)) {
        count = tiRound(std::clamp(span / desired, -1e9, 1e9));
        increment = desired;
        maxIntervals = count;
    }
    if (count == 0 && desired != 0 && maxIntervals > span / desired) {
        count = tiRound(std::clamp(span / desired, -1e9, 1e9));
        increment = desired;
        maxIntervals = count;
    }
    maxIntervals = std::max(1, maxIntervals);
    if (count == 0) {
        Step s;
        if (settings.LabelsFormatStyle == iptfDateTime)
            s = dateTimeStep(span, maxIntervals);
        else if (settings.LabelsFormatStyle == iptfPrice32nds)
            s = price32Step(span, maxIntervals);
        else
            s = linearStep(span, maxIntervals);
        increment = s.Increment;
        count = s.Count;
        r.MonthMode = s.MonthMode;
        r.YearMode = s.YearMode;
    }
    // Whole months and years cannot be halved; halving one would stall.
    if (count < 2 && maxIntervals > 1 && !r.MonthMode && !r.YearMode) {
        increment /= 2;
        count = 2;
    }
    if (maxIntervals < count) {
        count = maxIntervals;
        increment = span / maxIntervals;
        // A calendar step no longer fits whole months or years.
        if (r.MonthMode || r.YearMode)
            increment = std::max(1.0, std::round(increment));
    }
    r.Increment = increment;
    r.Count = count;
    if (!(increment > 0) || !std::isfinite(increment)) {
        updatePixels(r.Ticks, scale);
        return r;
    }

    const bool calendar = r.MonthMode || r.YearMode;
    double v;
    if (settings.DesiredStart != 0 && scale.Min <= settings.DesiredStart && settings.DesiredStart <= max) {
        v = settings.DesiredStart;
        // Far above Min the steps back are taken in one go.
        if ((v - scale.Min) / increment > kMaxGeneratedTicks)
            v -= std::ceil((v - scale.Min) / increment) * increment;
        while (v > scale.Min && v - increment != v)
            v -= increment;
    } else if (calendar) {
        v = calendarShift(calendarAlign(scale.Min, r.YearMode), -tiRound(increment), r.YearMode);
    } else {
        v = std::trunc(scale.Min / increment) * increment - increment;
    }

    const double minorStep = increment / (settings.MinorCount + 1);
    const bool minors = settings.MinorCount >= 1 && minorStep != 0 && !calendar;
    int generated = 0; // a nonsensical span or minor count cannot run away
    while (v <= max + increment && generated < kMaxGeneratedTicks) {
        addTick(r, scale, 0, v, label);
        ++generated;
        const double before = v;
        if (minors) {
            bool stuck = false;
            for (int i = 0; i < settings.MinorCount && generated < kMaxGeneratedTicks; ++i, ++generated) {
                const double next = v + minorStep;
                if (next == v) {
                    stuck = true;
                    break;
                }
                v = next;
                addTick(r, scale, 1, v, label);
            }
            if (stuck)
                break;
            v += minorStep;
        } else if (calendar) {
            v = calendarShift(v, tiRound(increment), r.YearMode);
        } else {
            v += increment;
        }
        if (v == before)
            break;
    }
    updatePixels(r.Ticks, scale);
    return r;
}

TiPlotAxisSide axisSide(bool horizontal, bool cartesian, bool reverseSide)
{
    if (cartesian)
        return horizontal ? TiPlotAxisSide::Bottom : TiPlotAxisSide::Right;
    if (horizontal)
        return reverseSide ? TiPlotAxisSide::Top : TiPlotAxisSide::Bottom;
    return reverseSide ? TiPlotAxisSide::Right : TiPlotAxisSide::Left;
}

QLine scaleLine(TiPlotAxisSide side, const TiRect& s, int m)
{
    switch (side) {
    case TiPlotAxisSide::Left: return QLine(s.Right - m, s.Top, s.Right - m, s.Bottom + 1);
    case TiPlotAxisSide::Right: return QLine(s.Left + m, s.Top, s.Left + m, s.Bottom + 1);
    case TiPlotAxisSide::Top: return QLine(s.Left, s.Bottom - m, s.Right, s.Bottom - m);
    case TiPlotAxisSide::Bottom: break;
    }
    return QLine(s.Left, s.Top + m, s.Right + 1, s.Top + m);
}

QLine tickLine(TiPlotAxisSide side, const TiRect& r, int i, int length, int t, bool major)
{
    QLine out;
    switch (side) {
    case TiPlotAxisSide::Left: out = QLine(r.Right - i, t, r.Right - i - length, t); break;
    case TiPlotAxisSide::Right: out = QLine(r.Left + i, t, r.Left + i + length, t); break;
    case TiPlotAxisSide::Top: out = QLine(t, r.Bottom - i, t, r.Bottom - i - length); break;
    case TiPlotAxisSide::Bottom: out = QLine(t, r.Top + i, t, r.Top + i + length); break;
    }
    return major ? out : QLine(out.p2(), out.p1());
}

QLine cartesianTickLine(bool horizontal, const TiRect& r, int length, int t)
{
    const int half = (length + 1) / 2;
    if (horizontal)
        return QLine(t, r.Top - half, t, r.Top + half + 1);
    return QLine(r.Left - half, t, r.Left + half + 1, t);
}

int labelOffset(bool scaleLinesShow, bool cartesian, int innerMargin, int majorLength, int labelGap)
{
    if (cartesian)
        return labelGap + (majorLength + 1) / 2;
    return scaleLinesShow ? innerMargin + majorLength + labelGap : innerMargin + labelGap;
}

TiRect labelRect(TiPlotAxisSide side, TiRotationAngle rotation, const TiRect& r, int a, int w, int h, int t)
{
    const bool upright = rotation == ira000 || rotation == ira180;
    switch (side) {
    case TiPlotAxisSide::Left:
        return upright ? TiRect {r.Right - a - w, t - h / 2, r.Right - a, t + h / 2}
                       : TiRect {r.Right - a - h, t - w / 2, r.Right - a, t + w / 2};
    case TiPlotAxisSide::Right:
        return upright ? TiRect {r.Left + a, t - h / 2, r.Left + a + w, t + h / 2}
                       : TiRect {r.Left + a, t - w / 2, r.Left + a + h, t + w / 2};
    case TiPlotAxisSide::Top:
        return upright ? TiRect {t - w / 2, r.Bottom - a - h, t + w / 2, r.Bottom - a}
                       : TiRect {t - h / 2, r.Bottom - a - w, t + h / 2, r.Bottom - a};
    case TiPlotAxisSide::Bottom: break;
    }
    return upright ? TiRect {t - w / 2, r.Top + a, t + w / 2, r.Top + a + h}
                   : TiRect {t - h / 2, r.Top + a, t + h / 2, r.Top + a + w};
}

TiRect titleRect(TiPlotAxisSide side, const TiRect& s, int om, bool titleRotated, int textWidth, int textHeight,
                 bool* turned)
{
    const int thick = titleRotated ? textWidth : textHeight;
    const int along = titleRotated ? textHeight : textWidth;
    const int c = (s.Top + s.Bottom) / 2;
    const bool horizontal = side == TiPlotAxisSide::Top || side == TiPlotAxisSide::Bottom;
    if (turned)
        *turned = horizontal ? titleRotated : !titleRotated;
    switch (side) {
    case TiPlotAxisSide::Top: return TiRect {s.Left, s.Top + om, s.Right, s.Top + om + thick};
    case TiPlotAxisSide::Bottom: return TiRect {s.Left, s.Bottom - om - thick, s.Right, s.Bottom - om};
    case TiPlotAxisSide::Left: return TiRect {s.Left + om, c - along / 2, s.Left + om + thick, c + along / 2};
    case TiPlotAxisSide::Right: break;
    }
    return TiRect {s.Right - om - thick, c - along / 2, s.Right - om, c + along / 2};
}

QLine gridLine(bool horizontalAxis, const TiRect& rect, int t)
{
    return horizontalAxis ? QLine(t, rect.Top, t, rect.Bottom) : QLine(rect.Left, t, rect.Right, t);
}

} // namespace TiPlotTicks
