// The text the engine writes for register values in tenths.
#include "link/FloatText.h"

#include <gtest/gtest.h>

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

} // namespace
