#pragma once
// What the digit wheels of the odometer show for a value.
#include <QString>

namespace TiOdometerMath {

struct Wheels {
    QString digits;       // exactly `digitsCount` characters, most significant first
    double fraction = 0;  // how far the turning wheels have moved towards the next digit
};

// `decimals` is the number of decimal cells shown (0 when tenths are off).
Wheels wheels(double value, int digitsCount, int decimals);

// Digit above (`next`) and below (`previous`) the given digit on its wheel.
QChar nextDigit(QChar d);
QChar previousDigit(QChar d);

// Pixels the turning wheels move up: round(h * f), ties to even.
int rollOffset(int digitHeight, double fraction);

// Width kept by AutoSize.
int autoWidth(int digitWidth, int digitsCount, int borderMargin);

} // namespace TiOdometerMath
