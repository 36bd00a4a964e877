#include "console/TextConversions.h"

#include "console/ConversionError.h"
#include "link/RegisterMap.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <system_error>

namespace TextConversions {

namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigitValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Layout of a decimal floating-point text, as far as the range decision
// needs it.
struct DecimalShape {
    bool valid = false;
    bool negative = false;
    // Power of ten of the leading non-zero digit; unset when every digit is 0.
    std::optional<long long> leadingExponent;
};

DecimalShape decimalShape(std::string_view s)
{
    DecimalShape shape;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        shape.negative = s[i] == '-';
        ++i;
    }
    long long digitsBeforePoint = 0;
    long long zerosAfterPoint = 0;
    bool anyDigit = false;
    bool nonZeroSeen = false;
    for (; i < s.size() && isDigit(s[i]); ++i) {
        anyDigit = true;
        if (s[i] != '0')
            nonZeroSeen = true;
        if (nonZeroSeen)
            ++digitsBeforePoint;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (; i < s.size() && isDigit(s[i]); ++i) {
            anyDigit = true;
            if (!nonZeroSeen) {
                if (s[i] != '0')
                    nonZeroSeen = true;
                else
                    ++zerosAfterPoint;
            }
        }
    }
    if (!anyDigit)
        return shape;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        if (i == s.size() || !isDigit(s[i]))
            return shape;
        // Saturate: any exponent this large is far outside every range anyway.
        for (; i < s.size() && isDigit(s[i]); ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 1'000'000'000LL);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != s.size())
        return shape;
    shape.valid = true;
    if (nonZeroSeen)
        shape.leadingExponent = (digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -(zerosAfterPoint + 1)) + exponent;
    return shape;
}

template <typename Real>
Real toReal(std::string_view text)
{
    const std::string t = trimmed(text);
    const DecimalShape shape = decimalShape(t);
    if (!shape.valid)
        throw ConversionError::floatingPoint(t);
    // from_chars is locale independent but takes no leading '+'.
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (*first == '+')
        ++first;
    Real value = 0;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent: it rounds to zero. Too large: refused.
        if (shape.leadingExponent && *shape.leadingExponent < 0)
            return shape.negative ? -Real(0) : Real(0);
        throw ConversionError::floatingPoint(t);
    }
    if (ec != std::errc() || end != last)
        throw ConversionError::floatingPoint(t);
    return value;
}

}

std::string trimmed(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankOrControl(text[first]))
        ++first;
    while (last > first && isBlankOrControl(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

std::int32_t toInteger(std::string_view text)
{
    const std::string t = trimmed(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < t.size() && t[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (i < t.size() && (t[i] == 'x' || t[i] == 'X')) {
        hex = true;
        ++i;
    }

    if (i == t.size())
        throw ConversionError::integer(t);

    // Decimal magnitudes may reach 2^31 for a negative value; hexadecimal
    // ones fill all 32 bits.
    const std::uint64_t limit = hex ? 0xFFFFFFFFULL : (negative ? 0x80000000ULL : 0x7FFFFFFFULL);
    const int base = hex ? 16 : 10;
    std::uint64_t magnitude = 0;
    for (; i < t.size(); ++i) {
        const int digit = hex ? hexDigitValue(t[i]) : (isDigit(t[i]) ? t[i] - '0' : -1);
        if (digit < 0)
            throw ConversionError::integer(t);
        magnitude = magnitude * base + static_cast<std::uint64_t>(digit);
        if (magnitude > limit)
            throw ConversionError::integer(t);
    }
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative)
        bits = 0U - bits;
    return static_cast<std::int32_t>(bits);
}

float toSingle(std::string_view text)
{
    return toReal<float>(text);
}

double toDouble(std::string_view text)
{
    return toReal<double>(text);
}

std::optional<DecimalTenths> decimalTenths(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // The significant digits (leading zeros dropped) and the power of ten of
    // the last one.
    std::string digits;
    long long lastDigitExponent = 0;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(text[i]))
            break;
        if (!digits.empty() || text[i] != '0')
            digits.push_back(text[i]);
        if (afterPoint)
            --lastDigitExponent;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        long long exponent = 0;
        // Saturate: any exponent this large is far outside every range anyway.
        for (; i < text.size() && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
        lastDigitExponent += negativeExponent ? -exponent : exponent;
    }
    // Tenths: one power of ten more. Digits below the tenths are cut off.
    const long long shift = lastDigitExponent + 1;
    DecimalTenths result;
    std::string_view kept = digits;
    if (shift < 0) {
        const auto cut = static_cast<std::size_t>(std::min<long long>(-shift, static_cast<long long>(digits.size())));
        const std::string_view dropped = kept.substr(kept.size() - cut);
        result.exact = dropped.find_first_not_of('0') == std::string_view::npos;
        kept.remove_suffix(cut);
    }
    const std::uint64_t limit = negative ? 0x8000000000000000ULL : 0x7FFFFFFFFFFFFFFFULL;
    std::uint64_t magnitude = 0;
    const auto append = [&](int digit) {
        if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / 10)
            return false;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(digit);
        return true;
    };
    for (char c : kept) {
        if (!append(c - '0'))
            return std::nullopt;
    }
    for (long long zeros = kept.empty() ? 0 : shift; zeros > 0; --zeros) {
        if (!append(0))
            return std::nullopt;
    }
    result.tenths = negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
    return result;
}

namespace {

template <typename Real>
std::int64_t tenthsOf(std::string_view text)
{
    // The binary value only decides, as before, which texts are numbers.
    toReal<Real>(text);
    const std::string t = trimmed(text);
    const auto tenths = decimalTenths(t);
    if (!tenths)
        throw ConversionError::floatingPoint(t);
    return tenths->tenths;
}

}

std::int64_t singleTenths(std::string_view text)
{
    return tenthsOf<float>(text);
}

std::int64_t doubleTenths(std::string_view text)
{
    return tenthsOf<double>(text);
}

std::int64_t wholeTenths(std::string_view text)
{
    return static_cast<std::int64_t>(toInteger(text)) * 10;
}

std::optional<std::int64_t> typedRegisterValue(std::string_view text, const RegisterMap::Entry& entry)
{
    std::int64_t value = 0;
    switch (entry.input) {
    case RegisterMap::Input::Integer:
        value = toInteger(text);
        break;
    case RegisterMap::Input::SingleTenths:
        value = singleTenths(text);
        break;
    case RegisterMap::Input::DoubleTenths:
        value = doubleTenths(text);
        break;
    case RegisterMap::Input::WholeTenths:
        value = wholeTenths(text);
        break;
    case RegisterMap::Input::ItemIndex:
        throw std::logic_error(std::string(entry.name) + " is a choice, not a typed value");
    }
    const RegisterMap::Range range = RegisterMap::readBackRange(entry);
    if (value < range.min || value > range.max)
        return std::nullopt;
    return value;
}

}
