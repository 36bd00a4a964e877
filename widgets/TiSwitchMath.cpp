#include "widgets/TiSwitchMath.h"

#include "widgets/TiGeometry.h"

#include <algorithm>

#include <cmath>
#include <numbers>

namespace TiSwitchMath {

bool positionLabelsFit(const QString& labels)
{
    return labels.size() <= kMaxPositionLabelsLength;
}

QStringList parsePositionLabels(const QString& labels, int maxPositions)
{
    QStringList result;
    const QStringList pieces = labels.split(QLatin1Char(','));
    for (int i = 0; i < pieces.size(); ++i) {
        if (maxPositions > 0 && result.size() >= maxPositions)
            break;
        const QString piece = pieces[i].trimmed();
        const bool last = i == pieces.size() - 1;
        if (piece.isEmpty()) {
            if (!last)
                result.append(QStringLiteral("???"));
        } else {
            result.append(piece);
        }
    }
    return result;
}

double effectiveSpacing(double desiredSpacing, int positionCount)
{
    double spacing = desiredSpacing;
    if (positionCount > 4 && spacing > 45)
        spacing = 45;
    if (positionCount > 8 && spacing > 22.5)
        spacing = 22.5;
    return spacing;
}

double positionAngle(int k, double startDegrees, double spacing)
{
    double a = std::fmod(startDegrees - k * spacing, 360.0);
    if (a < 0)
        a += 360.0;
    return a;
}

int gotoPosition(double x, double y, double cx, double cy, double startDegrees, double spacing,
                 int positionCount)
{
    if (spacing <= 0)
        return -1;
    double a = std::atan2(y - cy, x - cx) * 180.0 / std::numbers::pi;
    if (a < 0)
        a += 360.0;
    double g = a + startDegrees + spacing / 2;
    if (g >= 360.0)
        g -= 360.0;
    if (g > positionCount * spacing + spacing / 2)
        return -1;
    return static_cast<int>(std::trunc(g / spacing));
}

int labelRadius(int pointerLength, int labelMargin, bool showIndicators, int indicatorMargin,
                int indicatorSize)
{
    int r = pointerLength + labelMargin + 4;
    if (showIndicators)
        r += indicatorMargin + indicatorSize;
    return r;
}

QPoint knobCentreOffset(double startDegrees, double spacing, int positionCount, double outerRadius,
                        int pointerLength)
{
    if (positionCount <= 0)
        return {};
    const QPoint origin(0, 0);
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool first = true;
    const auto take = [&](QPoint p) {
        if (first) {
            minX = maxX = p.x();
            minY = maxY = p.y();
            first = false;
            return;
        }
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    };
    for (int k = 0; k < positionCount; ++k)
        take(GetXYRadPoint(positionAngle(k, startDegrees, spacing), outerRadius, origin));
    for (int k = 1; k < positionCount; ++k)
        take(GetXYRadPoint(positionAngle(k, startDegrees, spacing), -pointerLength, origin));
    return QPoint(tiRound((minX + maxX) / 2.0), tiRound((minY + maxY) / 2.0));
}

namespace {
// Point at `along` on the knob's axis and `across` to its left (counter-clockwise side).
QPoint knobPoint(QPoint centre, double degrees, double along, double across)
{
    const double a = degrees * std::numbers::pi / 180.0;
    const double x = along * std::cos(a) - across * std::sin(a);
    const double y = along * std::sin(a) + across * std::cos(a);
    return QPoint(centre.x() + tiRound(x), centre.y() - tiRound(y));
}
} // namespace

QList<QPoint> pointerPolygon(QPoint centre, double degrees, int length, int height)
{
    const double shoulder = length - 2.0 * height;
    return {knobPoint(centre, degrees, length, 0), knobPoint(centre, degrees, shoulder, height),
            knobPoint(centre, degrees, -length, height), knobPoint(centre, degrees, -length, -height),
            knobPoint(centre, degrees, shoulder, -height)};
}

QList<QPoint> barPolygon(QPoint centre, double degrees, int length, int height)
{
    return {knobPoint(centre, degrees, length, height), knobPoint(centre, degrees, -length, height),
            knobPoint(centre, degrees, -length, -height), knobPoint(centre, degrees, length, -height)};
}

double clockHour(double degrees)
{
    double h = std::fmod(3.0 - degrees / 30.0, 12.0);
    if (h <= 0)
        h += 12.0;
    return h;
}

} // namespace TiSwitchMath
