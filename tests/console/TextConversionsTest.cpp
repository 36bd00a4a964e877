#include "console/ConversionError.h"
#include "console/TextConversions.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(TextConversions, TenthsTruncateTheExactProduct)
{
    EXPECT_EQ(singleTenths("2.3"), 22);
    EXPECT_EQ(doubleTenths("2.3"), 22);
    // 0.3f lies just above 0.3, the double just below it.
    EXPECT_EQ(singleTenths("0.3"), 3);
    EXPECT_EQ(doubleTenths("0.3"), 2);
    EXPECT_EQ(singleTenths("-0.05"), 0);
    EXPECT_EQ(doubleTenths("-0.05"), 0);
    EXPECT_EQ(singleTenths("-2.5"), -25);
    EXPECT_EQ(doubleTenths("70.09"), 700);
    EXPECT_EQ(doubleTenths("49.99"), 499);
    EXPECT_EQ(doubleTenths("17.99"), 179);
    EXPECT_EQ(singleTenths("45"), 450);
    EXPECT_EQ(singleTenths("99.9"), 999);
}

TEST(TextConversions, TenthsOutside64BitsAreRefused)
{
    EXPECT_EQ(doubleTenths("9.2e17"), 9200000000000000000LL);
    EXPECT_THROW(doubleTenths("1e18"), ConversionError);
    EXPECT_THROW(singleTenths("1e30"), ConversionError);
    EXPECT_FALSE(truncatedTenths(1e300).has_value());
}

TEST(TextConversions, WholeTenthsWrapIn32Bits)
{
    EXPECT_EQ(wholeTenths("26"), 260);
    EXPECT_EQ(wholeTenths("-3"), -30);
    EXPECT_EQ(wholeTenths("214748365"), static_cast<std::int32_t>(2147483650U));
    EXPECT_THROW(wholeTenths("2.5"), ConversionError);
}
