#include "link/FloatText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string generalFloatText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // "%.14e" rounds to exactly 15 significant digits: d.dddddddddddddde±x.
    char scientific[32];
    std::snprintf(scientific, sizeof scientific, "%.14e", value);
    std::string text(scientific);
    const bool negative = text[0] == '-';
    const std::size_t mantissaStart = negative ? 1 : 0;
    const std::size_t e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);

    std::string digits;
    for (std::size_t i = mantissaStart; i < e; ++i)
        if (text[i] != '.')
            digits += text[i];
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent > 14) {
        out += digits[0];
        if (digits.size() > 1)
            out.append(".").append(digits, 1);
        out.append("E").append(std::to_string(exponent));
        return out;
    }
    if (exponent < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        return out;
    }
    const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out += digits + std::string(intDigits - digits.size(), '0');
    } else {
        out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
    return out;
}

std::string tenthsText(std::int16_t tenths)
{
    return generalFloatText(tenths * 0.1);
}
