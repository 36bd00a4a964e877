#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace RegisterMap {
struct Entry;
}

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

// A decimal text times ten, truncated toward zero in exact decimal
// arithmetic (2.3 -> 23, -0.05 -> 0, 2.35 -> 23); `exact` tells whether
// non-zero digits were cut off. Empty when the result does not fit in 64
// bits. The text is taken as it is, not trimmed, and must be a decimal number.
struct DecimalTenths {
    std::int64_t tenths = 0;
    bool exact = true;
};
std::optional<DecimalTenths> decimalTenths(std::string_view text);

// Decimal text to tenths. Texts that toSingle or toDouble refuse stay
// conversion errors, so does a result outside 64 bits; the value itself is
// taken exactly, not through the binary floating-point value.
std::int64_t singleTenths(std::string_view text);
std::int64_t doubleTenths(std::string_view text);

// Integer text times ten.
std::int64_t wholeTenths(std::string_view text);

// The value a Set handler stores for `entry`'s typed text, converted as the
// entry's input says; empty when the register cannot hold it, that is when
// Read All would not give it back. Throws ConversionError for a text that
// is not a number of the entry's kind and std::logic_error for a choice.
std::optional<std::int64_t> typedRegisterValue(std::string_view text, const RegisterMap::Entry& entry);

}
