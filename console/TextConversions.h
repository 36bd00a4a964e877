#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions of the operator's typed texts into the numbers the controller
// stores. Each conversion trims the text first and throws ConversionError
// with the trimmed text when it is not a number of the expected kind.
namespace TextConversions {

// Leading and trailing blanks and control characters removed.
std::string trimmed(std::string_view text);

// Signed 32-bit integer: optional sign, then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Decimal values must lie in the
// signed 32-bit range; hexadecimal ones may use all 32 bits ("$FFFFFFFF" is -1).
std::int32_t toInteger(std::string_view text);

// Decimal number with optional sign, fraction and exponent ('.' separates
// the fraction), rounded once to the nearest single or double value.
// Values too large for the type are refused; values too small become zero.
float toSingle(std::string_view text);
double toDouble(std::string_view text);

// Exact value times ten, truncated toward zero; empty when the result does
// not fit in 64 bits.
std::optional<std::int64_t> truncatedTenths(float value);
std::optional<std::int64_t> truncatedTenths(double value);

// Text to tenths through single or double precision.
std::int64_t singleTenths(std::string_view text);
std::int64_t doubleTenths(std::string_view text);

// Integer text times ten, wrapping in 32 bits.
std::int32_t wholeTenths(std::string_view text);

}
