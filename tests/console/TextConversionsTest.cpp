#include "console/ConversionError.h"
#include "console/TextConversions.h"
#include "link/RegisterMap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace TextConversions;

namespace {

std::string integerError(const std::string& text)
{
    try {
        toInteger(text);
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "no error";
}

std::string floatError(const std::string& text)
{
    try {
        toDouble(text);
    } catch (const ConversionError& e) {
        return e.what();
    }
    return "no error";
}

}

TEST(TextConversions, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(trimmed(" \t 12\r\n "), "12");
    EXPECT_EQ(trimmed("  "), "");
    EXPECT_EQ(trimmed("1 2"), "1 2");
    EXPECT_EQ(trimmed("\xE2\x84\x83"), "\xE2\x84\x83"); // UTF-8 bytes are not blanks
}

TEST(TextConversions, IntegerDecimalAndSigns)
{
    EXPECT_EQ(toInteger("0"), 0);
    EXPECT_EQ(toInteger("  255 "), 255);
    EXPECT_EQ(toInteger("+17"), 17);
    EXPECT_EQ(toInteger("-5"), -5);
    EXPECT_EQ(toInteger("007"), 7);
    EXPECT_EQ(toInteger("2147483647"), 2147483647);
    EXPECT_EQ(toInteger("-2147483648"), INT32_MIN);
}

TEST(TextConversions, IntegerHexadecimalPrefixes)
{
    EXPECT_EQ(toInteger("$1F"), 31);
    EXPECT_EQ(toInteger("0x1F"), 31);
    EXPECT_EQ(toInteger("0X1f"), 31);
    EXPECT_EQ(toInteger("x1F"), 31);
    EXPECT_EQ(toInteger("X1F"), 31);
    EXPECT_EQ(toInteger("-$10"), -16);
    EXPECT_EQ(toInteger("$FFFFFFFF"), -1);
    EXPECT_EQ(toInteger("$000000001"), 1);
}

TEST(TextConversions, IntegerRefusals)
{
    EXPECT_EQ(integerError(""), "'' is not a valid integer value.");
    EXPECT_EQ(integerError("  2.5 "), "'2.5' is not a valid integer value.");
    EXPECT_EQ(integerError("2147483648"), "'2147483648' is not a valid integer value.");
    EXPECT_EQ(integerError("-2147483649"), "'-2147483649' is not a valid integer value.");
    EXPECT_EQ(integerError("$100000000"), "'$100000000' is not a valid integer value.");
    for (const char* bad : { "-", "+", "$", "0x", "x", "1F", "- 5", "1 2", "12a", "$G", "--1", "99999999999999999999" })
        EXPECT_NE(integerError(bad), "no error") << bad;
}

TEST(TextConversions, FloatingPointForms)
{
    EXPECT_DOUBLE_EQ(toDouble("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(toDouble(" -2.5 "), -2.5);
    EXPECT_DOUBLE_EQ(toDouble("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(toDouble("5."), 5.0);
    EXPECT_DOUBLE_EQ(toDouble("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(toDouble("25E-1"), 2.5);
    EXPECT_EQ(toSingle("0.3"), 0.3f);
    EXPECT_EQ(toDouble("0.3"), 0.3);
}

TEST(TextConversions, FloatingPointRefusals)
{
    EXPECT_EQ(floatError(""), "'' is not a valid floating point value.");
    EXPECT_EQ(floatError(" abc "), "'abc' is not a valid floating point value.");
    for (const char* bad : { ".", "-", "1e", "1e+", "0x1F", "$1F", "inf", "nan", "1,5", "1.2.3", "1 e2", "1e400" })
        EXPECT_NE(floatError(bad), "no error") << bad;
    EXPECT_THROW(toSingle("1e39"), ConversionError);
}

TEST(TextConversions, TinyValuesBecomeZero)
{
    EXPECT_EQ(toSingle("1e-50"), 0.0f);
    EXPECT_EQ(toDouble("-1e-400"), 0.0);
    EXPECT_EQ(singleTenths("1e-50"), 0);
}

// Both tenths kinds take the text as an exact decimal and truncate toward
// zero at the tenths digit. They differ only in which texts are numbers:
// single precision refuses magnitudes from about 3.4e38 on.
TEST(TextConversions, TenthsAreTheExactDecimalTruncated)
{
    constexpr std::nullopt_t kError = std::nullopt;
    struct Case {
        const char* text;
        std::optional<std::int64_t> single;
        std::optional<std::int64_t> dual;
    };
    const Case cases[] = {
        {"2.3", 23, 23},
        {"-33.3", -333, -333},
        {"0.3", 3, 3},
        {"70.09", 700, 700},
        {"70.1", 701, 701},
        {"-0.05", 0, 0},
        {"1e1", 100, 100},
        {"2.35", 23, 23},
        {"2.5e-1", 2, 2},
        {"12.3456789", 123, 123},
        {"-0", 0, 0},
        {"-0.0e5", 0, 0},
        {"-2.5", -25, -25},
        {" +.5 ", 5, 5},
        {"5.", 50, 50},
        {"0.0001E4", 10, 10},
        {"1e-50", 0, 0},
        {"17.99", 179, 179},
        {"00049.990", 499, 499},
        {"9.2e17", 9200000000000000000LL, 9200000000000000000LL},
        {"-922337203685477580.8", INT64_MIN, INT64_MIN},
        {"1e18", kError, kError},
        {"1e39", kError, kError},
        {"", kError, kError},
        {"abc", kError, kError},
        {"0x1F", kError, kError},
        {"$1F", kError, kError},
        {"1,5", kError, kError},
        {"1e", kError, kError},
        {"1.2.3", kError, kError},
        {"inf", kError, kError},
    };
    const auto converted = [](std::int64_t (*convert)(std::string_view),
                               const char* text) -> std::optional<std::int64_t> {
        try {
            return convert(text);
        } catch (const ConversionError&) {
            return std::nullopt;
        }
    };
    for (const Case& c : cases) {
        EXPECT_EQ(converted(singleTenths, c.text), c.single) << "single " << c.text;
        EXPECT_EQ(converted(doubleTenths, c.text), c.dual) << "double " << c.text;
    }

    // Whether digits were cut off decides the debug temperature's bounds.
    EXPECT_TRUE(decimalTenths("-40.0")->exact);
    EXPECT_FALSE(decimalTenths("-40.05")->exact);
    EXPECT_EQ(decimalTenths("-40.05")->tenths, -400);
    EXPECT_TRUE(decimalTenths("2.30000")->exact);
}

TEST(TextConversions, WholeTenthsAreIntegersTimesTen)
{
    EXPECT_EQ(wholeTenths("26"), 260);
    EXPECT_EQ(wholeTenths("-3"), -30);
    EXPECT_EQ(wholeTenths("214748365"), 2147483650LL);
    EXPECT_THROW(wholeTenths("2.5"), ConversionError);
}

// A value is refused when its register cannot hold it as typed, by the
// field's width and the signedness with which Read All reads it back.
TEST(TextConversions, TypedRegisterValueRefusesWhatReadAllWouldNotGiveBack)
{
    constexpr std::int64_t kRefused = INT64_MIN;
    struct Case {
        const char* parameter;
        const char* text;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"Intfan1 StepTemp", "5000", kRefused},
        {"Intfan1 StepTemp", "3276.7", 32767},
        {"Intfan1 StepTemp", "3276.8", kRefused},
        {"Intfan1 StepTemp", "-3276.8", -32768},
        {"Intfan1 StepTemp", "2.3", 23},
        {"Intfan1 MaxSpeed", "70000", kRefused},
        {"Intfan1 MaxSpeed", "65535", 65535},
        {"Intfan1 MaxSpeed", "$FFFF", 65535},
        {"Intfan1 MaxSpeed", "-1", kRefused},
        {"Extfan1 PulseNo", "300", kRefused},
        {"Extfan1 PulseNo", "255", 255},
        {"Extfan1 PulseNo", "-1", kRefused},
        {"Heater DeltTemp", "26", kRefused},
        {"Heater DeltTemp", "25", 250},
        {"Heater MaxCurrent", "3276.8", kRefused},
        {"Compressor MaxSpeed", "-5", -5},
        {"Compressor MaxSpeed", "70000", kRefused},
        {"VoltAlarm High", "70.1", 701},
        {"Device Address", "32768", kRefused},
    };
    for (const Case& c : cases) {
        const RegisterMap::Entry* entry = RegisterMap::byName(c.parameter);
        ASSERT_NE(entry, nullptr) << c.parameter;
        EXPECT_EQ(typedRegisterValue(c.text, *entry).value_or(kRefused), c.expected) << c.parameter << " " << c.text;
    }
    EXPECT_THROW(typedRegisterValue("2.5", *RegisterMap::byName("Heater DeltTemp")), ConversionError);
    EXPECT_THROW(typedRegisterValue("1", *RegisterMap::byName("Heater Enable")), std::logic_error);
}

// A pasted page is quoted by its first 40 characters, never cut inside one.
TEST(TextConversions, ErrorsQuoteAtMostFortyCharacters)
{
    const std::string forty(40, '7');
    EXPECT_EQ(integerError(forty), "'" + forty + "' is not a valid integer value.");
    EXPECT_EQ(integerError(forty + "77"), "'" + forty + "…' is not a valid integer value.");
    EXPECT_EQ(floatError(std::string(10000, 'x')), "'" + std::string(40, 'x') + "…' is not a valid floating point value.");
    std::string degrees;
    for (int i = 0; i < 50; ++i)
        degrees += "℃";
    EXPECT_EQ(ConversionError::quoted(degrees), degrees.substr(0, 40 * 3) + "…");
}
