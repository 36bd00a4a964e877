#include "widgets/TiAnalogOutputMath.h"

#include <gtest/gtest.h>

using namespace TiAnalogOutputMath;

TEST(AnalogOutputMath, FixedAndGeneralFormats)
{
    EXPECT_EQ(readoutText(12.346, 2, QStringLiteral("A")), QStringLiteral("12.35A"));
    EXPECT_EQ(readoutText(12.346, 0, QStringLiteral("A")), QStringLiteral("12A"));
    EXPECT_EQ(readoutText(230.46, 1, QStringLiteral("V")), QStringLiteral("230.5V"));
    EXPECT_EQ(readoutText(-3.5, 1, QStringLiteral("℃")), QStringLiteral("-3.5℃"));
    EXPECT_EQ(readoutText(0.5, -1, QString()), QStringLiteral("0.5"));
    EXPECT_EQ(readoutText(1e20, -1, QString()), QStringLiteral("1e+20"));
}

TEST(AnalogOutputMath, FixedFormatRoundsExactTiesToEvenAndKeepsTheSignOfZero)
{
    struct Case {
        double value;
        int precision;
        const char* text;
    };
    for (const Case& c : {Case{0.125, 2, "0.12"}, Case{0.375, 2, "0.38"}, Case{2.5, 0, "2"},
                          Case{3.5, 0, "4"}, Case{-2.5, 0, "-2"}, Case{-0.0, 1, "-0.0"},
                          Case{0.05, 1, "0.1"}, Case{1e20, -1, "1e+20"}, Case{-0.0, -1, "-0"}})
        EXPECT_EQ(readoutText(c.value, c.precision, QString()), QString::fromLatin1(c.text))
            << c.value << " at precision " << c.precision;
}

TEST(AnalogOutputMath, ClampingOnlyWithARange)
{
    EXPECT_EQ(clampValue(150, 0, 0), 150);
    EXPECT_EQ(clampValue(150, 0, 100), 100);
    EXPECT_EQ(clampValue(-5, 0, 100), 0);
    EXPECT_EQ(clampValue(-5, -10, 0), -5);
}

TEST(AnalogOutputMath, UnitsAndParsing)
{
    EXPECT_TRUE(normalizedUnits(QStringLiteral("  ")).isEmpty());
    EXPECT_EQ(normalizedUnits(QStringLiteral(" V")), QStringLiteral(" V"));
    double v = 0;
    EXPECT_TRUE(parseEditedText(QStringLiteral("12.5 a"), QStringLiteral("A"), &v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    v = 7;
    EXPECT_FALSE(parseEditedText(QStringLiteral("abc"), QStringLiteral("A"), &v));
    EXPECT_FALSE(parseEditedText(QStringLiteral("nan"), QString(), &v));
    EXPECT_EQ(v, 7);
    EXPECT_EQ(numberText(QStringLiteral("xyzV"), QStringLiteral(" v ")), QStringLiteral("xyz"));
}
