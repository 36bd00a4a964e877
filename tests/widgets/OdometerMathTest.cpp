#include "widgets/TiOdometerMath.h"

#include <gtest/gtest.h>

using namespace TiOdometerMath;

TEST(OdometerMath, WholeNumbersArePaddedOrLoseLeadingDigits)
{
    EXPECT_EQ(wheels(123, 4, 0).digits, QStringLiteral("0123"));
    EXPECT_EQ(wheels(12345, 4, 0).digits, QStringLiteral("2345"));
    EXPECT_EQ(wheels(0, 4, 0).digits, QStringLiteral("0000"));
    EXPECT_EQ(wheels(7, 0, 0).digits, QStringLiteral("7"));
}

TEST(OdometerMath, DecimalCellsTakeTheScaledValue)
{
    const Wheels w = wheels(12.5, 5, 1);
    EXPECT_EQ(w.digits, QStringLiteral("00125"));
    EXPECT_DOUBLE_EQ(w.fraction, 0.0);
    EXPECT_NEAR(wheels(19.6, 5, 1).fraction, 0.0, 1e-9);
    EXPECT_EQ(wheels(19.6, 5, 1).digits, QStringLiteral("00196"));
}

TEST(OdometerMath, FractionTurnsTheRightmostWheel)
{
    const Wheels w = wheels(1.96, 4, 0);
    EXPECT_EQ(w.digits, QStringLiteral("0001"));
    EXPECT_NEAR(w.fraction, 0.96, 1e-12);
    EXPECT_EQ(rollOffset(16, 0.5), 8);
    EXPECT_EQ(rollOffset(13, 0.5), 6); // 6.5 to even
    EXPECT_EQ(rollOffset(16, w.fraction), 15);
}

TEST(OdometerMath, HugeAndNonFiniteValuesStayReadable)
{
    EXPECT_EQ(wheels(1e20, 4, 0).digits, QStringLiteral("0000"));
    EXPECT_EQ(wheels(123456789012345678901.0, 4, 0).digits.size(), 4);
    EXPECT_EQ(wheels(std::numeric_limits<double>::infinity(), 4, 0).digits, QStringLiteral("0000"));
    EXPECT_EQ(wheels(std::numeric_limits<double>::quiet_NaN(), 4, 1).digits, QStringLiteral("0000"));
}

TEST(OdometerMath, WheelNeighbours)
{
    EXPECT_EQ(nextDigit(QLatin1Char('9')), QLatin1Char('0'));
    EXPECT_EQ(previousDigit(QLatin1Char('0')), QLatin1Char('9'));
    EXPECT_EQ(nextDigit(QLatin1Char('3')), QLatin1Char('4'));
    EXPECT_EQ(autoWidth(15, 6, 2), 94);
    EXPECT_EQ(autoWidth(15, 4, 0), 60);
}
