#include "widgets/TiAngularGaugeMath.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace TiAngularGaugeMath {

namespace {

constexpr int kArcSteps = 400;

// Label angles are exact multiples of 90 only up to rounding of the sweep.
bool sameAngle(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

} // namespace

double valuePercent(double value, double positionMin, double positionMax)
{
    if (value > positionMax)
        return 1;
    if (positionMax != positionMin && value >= positionMin)
        return (value - positionMin) / (positionMax - positionMin);
    return 0;
}

double positionToDegrees(double value, double positionMin, double positionMax, int arcStart,
                         int arcRange, bool reverse)
{
    const double p = valuePercent(value, positionMin, positionMax);
    if (reverse)
        return (arcStart - arcRange) + p * arcRange;
    return arcStart - p * arcRange;
}

int clampArcRange(int degrees)
{
    return std::min(degrees, 360);
}

Radii radii(int arcRadius, int tickMargin, int majorLength, int minorLength,
            TiTickMinorAlignment minorAlignment, bool showInnerArc, bool showOuterArc,
            int labelMargin)
{
    Radii r;
    r.tickInner = tickMargin + arcRadius;
    r.tickOuter = r.tickInner + majorLength;
    switch (minorAlignment) {
    case itmnaInside:
        r.minorFrom = r.tickInner;
        r.minorTo = r.tickInner + minorLength;
        break;
    case itmnaCenter: {
        const double middle = (r.tickInner + r.tickOuter) / 2.0;
        r.minorFrom = middle - minorLength / 2.0;
        r.minorTo = middle + minorLength / 2.0;
        break;
    }
    case itmnaOutside:
        r.minorFrom = r.tickOuter;
        r.minorTo = r.tickOuter - minorLength;
        break;
    }
    r.sectionInner = r.tickInner + (showInnerArc ? 1 : 0);
    r.sectionOuter = r.tickOuter - (showOuterArc ? 1 : 0);
    r.label = tickMargin + arcRadius + majorLength + labelMargin + 4;
    return r;
}

std::vector<SectionSpan> sectionSpans(double positionMin, double positionMax, int sectionCount,
                                      const std::array<double, 4>& ends)
{
    std::vector<SectionSpan> spans;
    sectionCount = std::clamp(sectionCount, 0, 5);
    double from = positionMin;
    for (int k = 1; k <= sectionCount; ++k) {
        double end = k == 5 ? positionMax : ends[static_cast<std::size_t>(k - 1)];
        // Written out rather than std::clamp: the bounds may be in either order.
        if (end > positionMax)
            end = positionMax;
        if (end < positionMin)
            end = positionMin;
        if (end < from || k == sectionCount)
            end = positionMax;
        spans.push_back({from, end, k});
        if (end == positionMax)
            break;
        from = end;
    }
    return spans;
}

QList<QPoint> arcSegmentPoints(double degrees1, double degrees2, double r1, double r2,
                               QPoint center)
{
    const double lo = std::min(degrees1, degrees2);
    const double hi = std::max(degrees1, degrees2);
    const double step = (hi - lo) / kArcSteps;
    QList<QPoint> points;
    points.reserve(r1 == r2 ? kArcSteps + 1 : 2 * kArcSteps + 3);
    for (int i = 0; i <= kArcSteps; ++i)
        points.append(GetXYRadPoint(lo + i * step, r1, center));
    if (r1 == r2)
        return points;
    for (int i = kArcSteps; i >= 0; --i)
        points.append(GetXYRadPoint(lo + i * step, r2, center));
    points.append(points.front());
    return points;
}

QList<QPointF> arcSegmentPointsExact(double degrees1, double degrees2, double r1, double r2,
                                     QPoint center)
{
    const double lo = std::min(degrees1, degrees2);
    const double hi = std::max(degrees1, degrees2);
    const double step = (hi - lo) / kArcSteps;
    const auto at = [&](double degrees, double r) {
        const double t = degrees * std::numbers::pi / 180.0;
        return QPointF(center.x() + r * std::cos(t), center.y() - r * std::sin(t));
    };
    QList<QPointF> points;
    points.reserve(r1 == r2 ? kArcSteps + 1 : 2 * kArcSteps + 3);
    for (int i = 0; i <= kArcSteps; ++i)
        points.append(at(lo + i * step, r1));
    if (r1 == r2)
        return points;
    for (int i = kArcSteps; i >= 0; --i)
        points.append(at(lo + i * step, r2));
    points.append(points.front());
    return points;
}

PointerShape pointerShape(TiAngularGaugePointerStyle style, double degrees, int arcRadius,
                          int margin, int size, bool drawScaleSide, QPoint center)
{
    PointerShape shape;
    const bool outside = style == iagpsArrow && drawScaleSide;
    const int tipRadius = outside ? arcRadius + margin : arcRadius - margin;
    const int baseRadius = outside ? arcRadius + margin + size : arcRadius - margin - size;
    shape.tip = GetXYRadPoint(degrees, tipRadius, center);
    const auto wings = [&](QPoint base) {
        return QList<QPoint>{GetXYRadPoint(degrees + 90, size / 2.0, base),
                             GetXYRadPoint(degrees - 90, size / 2.0, base), shape.tip};
    };
    switch (style) {
    case iagpsArrowLine:
        shape.hasLine = true;
        shape.triangle = wings(GetXYRadPoint(degrees, baseRadius, center));
        break;
    case iagpsArrow:
        shape.triangle = wings(GetXYRadPoint(degrees, baseRadius, center));
        break;
    case iagpsLine:
        shape.hasLine = true;
        shape.hit = QRegion(shape.tip.x() - 4, shape.tip.y() - 4, 8, 8);
        return shape;
    case iagpsTriangle:
        shape.hasLine = true;
        shape.triangle = wings(center);
        break;
    }
    shape.hit = QRegion(QPolygon(shape.triangle), Qt::OddEvenFill);
    return shape;
}

TiRect labelRect(TiLabelAlignment alignment, QPoint anchor, int w, int h, double degrees)
{
    const int x = anchor.x();
    const int y = anchor.y();
    const int hw = w / 2;
    const int hh = h / 2;
    if (alignment == ilaCenter)
        return {x - hw, y - hh, x + hw, y + hh};
    // The dial's own angles run past 360 and below 0; they are read as the
    // direction they point in.
    double t = std::fmod(degrees, 360.0);
    if (t < 0)
        t += 360.0;
    if (sameAngle(t, 360.0))
        t = 0;
    if (sameAngle(t, 0))
        return {x, y - hh, x + w, y + hh};
    if (t < 90 && !sameAngle(t, 90))
        return {x, y - h, x + w, y};
    if (sameAngle(t, 90))
        return {x - hw, y - h, x + hw, y};
    if (t < 180 && !sameAngle(t, 180))
        return {x - w, y - h, x, y};
    if (sameAngle(t, 180))
        return {x - w, y - hh, x, y + hh};
    if (t < 270 && !sameAngle(t, 270))
        return {x - w, y, x, y + h};
    if (sameAngle(t, 270))
        return {x - hw, y, x + hw, y + h};
    return {x, y, x + w, y + h};
}

QPoint autoCenter(QPoint plainCenter, int width, int height, int hubSize, int bandRadius,
                  const std::vector<double>& bandAngles,
                  const std::vector<TiRect>& labelRectsAtOrigin, int offsetX, int offsetY)
{
    QPoint c = plainCenter;
    const int hub = hubSize / 2;
    int left = c.x() - hub;
    int top = c.y() - hub;
    int right = c.x() + hub;
    int bottom = c.y() + hub;
    for (double a : bandAngles) {
        const QPoint p = GetXYRadPoint(a, bandRadius, c);
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    for (const TiRect& r0 : labelRectsAtOrigin) {
        const TiRect r = r0.Offset(c.x(), c.y());
        left = std::min(left, r.Left);
        right = std::max(right, r.Right);
        top = std::min(top, r.Top);
        bottom = std::max(bottom, r.Bottom);
    }
    c.rx() -= tiDiv(left + right - width, 2);
    c.ry() -= tiDiv(top + bottom - height, 2);
    c.rx() += offsetX;
    c.ry() -= offsetY;
    return c;
}

std::vector<double> bandSampleAngles(double positionMin, double positionMax, int arcStart,
                                     int arcRange, bool reverse)
{
    std::vector<double> angles;
    if (!(positionMax > positionMin))
        return angles;
    for (int k = 0; k < 10; ++k) {
        const double v = positionMin + (positionMax - positionMin) * k / 10;
        angles.push_back(positionToDegrees(v, positionMin, positionMax, arcStart, arcRange, reverse));
    }
    return angles;
}

int autoSizeRadius(const std::vector<TiRect>& labelRectsAtOrigin, int width, int height,
                   int arcRange, int outerMargin, int hubSize)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    for (const TiRect& r : labelRectsAtOrigin) {
        left = std::min(left, r.Left);
        top = std::min(top, r.Top);
        right = std::max(right, r.Right);
        bottom = std::max(bottom, r.Bottom);
    }
    const int available = std::min(height + top - bottom, width + left - right);
    if (arcRange > 180)
        return tiRound(available / 2.0) - outerMargin;
    if (arcRange > 90)
        return tiRound(available / ((arcRange - 90) / 90.0 + 1)) - outerMargin;
    return available - outerMargin - hubSize;
}

GaugeLayout gaugeLayout(const GaugeLayoutInput& in)
{
    const auto radiiFor = [&](int arcRadius) {
        return radii(arcRadius, in.tickMargin, in.majorLength, in.minorLength, in.minorAlignment,
                     in.showInnerArc, in.showOuterArc, in.labelMargin);
    };
    const auto labelRectsAt = [&](QPoint center, int arcRadius) {
        const int r = radiiFor(arcRadius).label;
        std::vector<TiRect> rects;
        for (std::size_t i = 0; i < in.labelDegrees.size() && i < in.labelSizes.size(); ++i) {
            const double degrees = in.labelDegrees[i];
            rects.push_back(labelRect(in.labelAlignment, GetXYRadPoint(degrees, r, center),
                                      in.labelSizes[i].width(), in.labelSizes[i].height(), degrees));
        }
        return rects;
    };
    GaugeLayout layout;
    layout.arcRadius = in.autoSize ? autoSizeRadius(labelRectsAt(QPoint(0, 0), 0), in.width, in.height,
                                                    in.arcRange, in.outerMargin, in.hubSize)
                                   : in.arcRadius;
    layout.radii = radiiFor(layout.arcRadius);
    layout.center = in.plainCenter;
    if (in.autoCenter || in.autoSize) {
        const std::vector<double> angles =
            bandSampleAngles(in.positionMin, in.positionMax, in.arcStart, in.arcRange, in.reverse);
        layout.center = autoCenter(in.plainCenter, in.width, in.height, in.hubSize,
                                   in.tickMargin + layout.arcRadius + in.minorLength, angles,
                                   labelRectsAt(QPoint(0, 0), layout.arcRadius), in.offsetX, in.offsetY);
    }
    layout.labelRects = labelRectsAt(layout.center, layout.arcRadius);
    return layout;
}

double dragDegrees(QPoint center, QPoint mouse, int arcStart)
{
    const double d = std::atan2(mouse.y() - center.y(), mouse.x() - center.x()) * 180.0
                     / std::numbers::pi;
    return std::max(d, static_cast<double>(-arcStart));
}

double dragValueDelta(double previous, double current, int arcRange, double positionMin,
                      double positionMax, bool reverse)
{
    if (arcRange == 0)
        return 0;
    double swept = previous - current;
    while (swept > 200)
        swept -= 360;
    while (swept <= -200)
        swept += 360;
    const double delta = swept / arcRange * (positionMax - positionMin);
    return reverse ? delta : -delta;
}

} // namespace TiAngularGaugeMath
