#pragma once

#include <cstdint>
#include <string>

// The toolkit's general floating-point text: rounded to 15 significant
// digits, trailing zeros and a trailing point dropped; plain digits unless
// the decimal exponent is below -4 or above 14, then "d.dddEx" with the
// exponent's sign only when negative ("1E-5", "1.5E20"). NaN and infinities
// read "NAN", "INF" and "-INF".
std::string generalFloatText(double value);

// A register counted in tenths (0.1 degree, 0.1 A, 0.1 V) as the text the
// operator reads: 255 -> "25.5", 200 -> "20", -32 -> "-3.2".
std::string tenthsText(std::int16_t tenths);
