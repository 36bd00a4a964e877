#include "widgets/TiOdometerMath.h"

#include <cmath>
#include <cstdint>

namespace TiOdometerMath {

Wheels wheels(double value, int digitsCount, int decimals)
{
    Wheels w;
    if (digitsCount < 1)
        digitsCount = 1;
    if (decimals < 0)
        decimals = 0;
    const double scaled = std::isfinite(value) ? std::pow(10.0, decimals) * value : 0.0;
    const double whole = std::isfinite(scaled) ? std::trunc(std::fabs(scaled)) : 0.0;
    QString text;
    // Beyond 64 bits the value is still written out in full so that the
    // rightmost wheels keep showing its low digits.
    if (whole < 9.0e18)
        text = QString::number(static_cast<std::int64_t>(whole));
    else
        text = QString::number(whole, 'f', 0);
    while (text.size() < decimals)
        text.prepend(QLatin1Char('0'));
    if (std::isfinite(scaled))
        w.fraction = scaled - whole;
    while (text.size() < digitsCount)
        text.prepend(QLatin1Char('0'));
    w.digits = text.right(digitsCount);
    return w;
}

QChar nextDigit(QChar d)
{
    return d == QLatin1Char('9') ? QLatin1Char('0') : QChar(d.unicode() + 1);
}

QChar previousDigit(QChar d)
{
    return d == QLatin1Char('0') ? QLatin1Char('9') : QChar(d.unicode() - 1);
}

int rollOffset(int digitHeight, double fraction)
{
    return static_cast<int>(std::nearbyint(digitHeight * fraction));
}

int autoWidth(int digitWidth, int digitsCount, int borderMargin)
{
    return digitWidth * digitsCount + 2 * borderMargin;
}

} // namespace TiOdometerMath
