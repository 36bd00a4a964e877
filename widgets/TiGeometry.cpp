#include "widgets/TiGeometry.h"

#include <cmath>
#include <numbers>

int tiRound(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5)
        result = lower + 1.0;
    else if (fraction == 0.5)
        result = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
    return static_cast<int>(result);
}

QPoint GetXYRadPoint(double degrees, double radius, QPoint center)
{
    const double theta = degrees * std::numbers::pi / 180.0;
    return QPoint(center.x() + tiRound(radius * std::cos(theta)), center.y() - tiRound(radius * std::sin(theta)));
}

QPoint tiCenterPoint(int width, int height, int offsetX, int offsetY)
{
    return QPoint(width / 2 + offsetX, height / 2 + offsetY);
}

QPointF tiCenterPointDouble(int width, int height)
{
    return QPointF((width - 1) / 2.0, (height - 1) / 2.0);
}
