// The general floating-point text the engine writes for values in tenths.
#include "link/FloatText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(EngineTextForms, TenthsOfRegisterValues)
{
    EXPECT_EQ(tenthsText(255), "25.5");
    EXPECT_EQ(tenthsText(200), "20");
    EXPECT_EQ(tenthsText(-32), "-3.2");
    EXPECT_EQ(tenthsText(0), "0");
    EXPECT_EQ(tenthsText(-1), "-0.1");
    EXPECT_EQ(tenthsText(3), "0.3");       // 0.30000000000000004 rounds away at 15 digits
    EXPECT_EQ(tenthsText(32767), "3276.7");
    EXPECT_EQ(tenthsText(-32768), "-3276.8");
    EXPECT_EQ(tenthsText(7), "0.7");
}

TEST(EngineTextForms, GeneralFormBeyondTheRegisterRange)
{
    EXPECT_EQ(generalFloatText(0.0001), "0.0001");
    EXPECT_EQ(generalFloatText(0.00001), "1E-5");
    EXPECT_EQ(generalFloatText(-0.000015), "-1.5E-5");
    EXPECT_EQ(generalFloatText(123456789012345.0), "123456789012345");
    EXPECT_EQ(generalFloatText(1e15), "1E15");
    EXPECT_EQ(generalFloatText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(generalFloatText(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(generalFloatText(100.0), "100");
    EXPECT_EQ(generalFloatText(std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(generalFloatText(-std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(generalFloatText(std::nan("")), "NAN");
}

} // namespace
