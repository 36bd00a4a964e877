#include "link/RegisterMap.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace RegisterMap;

namespace {

std::vector<int> registersOf(const std::vector<const Entry*>& rows)
{
    std::vector<int> regs;
    for (const Entry* e : rows)
        regs.push_back(e->reg);
    return regs;
}

} // namespace

TEST(RegisterMap, LookupsByRegisterAndByName)
{
    ASSERT_NE(byRegister(0), nullptr);
    EXPECT_EQ(byRegister(0)->name, "Intfan1 StepSpeed");
    EXPECT_EQ(byRegister(43)->name, "Compressor MaxSpeed");
    EXPECT_EQ(byRegister(30)->group, kNoGroup);
    for (int unused : {-1, 31, 32, 44})
        EXPECT_EQ(byRegister(unused), nullptr) << unused;

    ASSERT_NE(byName("compressor starttemp"), nullptr);
    EXPECT_EQ(byName("compressor starttemp")->reg, 41);
    EXPECT_EQ(byName("INTFAN1 MINSPEED")->fieldName, "Intfan1.MinRev");
    EXPECT_EQ(byName("Heater DeltTemp")->unit, "°C");
    EXPECT_EQ(byName("VoltAlarm High")->unit, "V");
    EXPECT_EQ(byName("Intfan1 MinSpeed "), nullptr);
    EXPECT_EQ(byName(""), nullptr);
    EXPECT_EQ(&named("Debug Temperature"), byRegister(30));
}

// What each write command carries: its block and the order in which its Set
// handler converts them.
TEST(RegisterMap, CommandGroups)
{
    struct Case {
        std::uint8_t code;
        std::uint16_t first;
        std::uint16_t count;
        std::vector<int> conversion;
    };
    const Case cases[] = {
        {Command::SetIntfan, 0, 11, {0, 1, 2, 3, 4, 5, 7, 6, 8, 9, 10}},
        {Command::SetExtfan, 11, 11, {11, 12, 13, 14, 15, 16, 18, 17, 19, 20, 21}},
        {Command::SetHeater, 22, 5, {24, 25, 22, 23, 26}},
        {Command::SetTempAlarm, 28, 2, {28, 29}},
        {Command::SetCalibration, 33, 4, {33, 34, 35, 36}},
        {Command::SetExtInput, 37, 2, {37, 38}},
        {Command::SetAddress, 27, 1, {27}},
        {Command::SetVoltAlarm, 39, 2, {39, 40}},
        {Command::SetCompressor, 41, 3, {41, 42, 43}},
        {Command::ReadAll, 0, 0, {}},
        {kNoGroup, 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        EXPECT_EQ(block(c.code).first, c.first);
        EXPECT_EQ(block(c.code).count, c.count);
        EXPECT_EQ(group(c.code).size(), c.count);
        EXPECT_EQ(registersOf(conversionOrder(c.code)), c.conversion);
    }
    EXPECT_EQ(kReadAllCount, 44);
}

// Every row reaches its own field: a distinct value written through each
// row reads back unchanged through it, and nothing else moved it.
TEST(RegisterMap, EveryRowOwnsItsField)
{
    LinkState state;
    for (const Entry& e : kEntries)
        e.field.write(state, e.reg + 1);
    for (const Entry& e : kEntries)
        EXPECT_EQ(e.field.read(state), e.reg + 1) << e.name;
    EXPECT_EQ(state.Intfan1.StepRev, 1);
    EXPECT_EQ(state.Extfan2.Enable, 22);
    EXPECT_EQ(state.Settings.CompMaxRPM, 44);
    EXPECT_EQ(state.Intfan2.StepRev, 0);
}

TEST(RegisterMap, ReadBackRangeFollowsWidthAndSignedness)
{
    struct Case {
        const char* name;
        std::int64_t min;
        std::int64_t max;
    };
    const Case cases[] = {
        {"Intfan1 StepSpeed", 0, 65535},       // 32-bit field, read back unsigned
        {"Intfan1 PulseNo", 0, 255},           // 8-bit field
        {"Heater DeltTemp", 0, 255},           // 8-bit field, read back signed: high byte is 0
        {"Extfan1 StopTemp", -32768, 32767},   // 16-bit signed
        {"Heater MaxCurrent", -32768, 32767},  // 32-bit field, read back signed
        {"Compressor MaxSpeed", -32768, 32767},
    };
    for (const Case& c : cases) {
        const Entry* e = byName(c.name);
        ASSERT_NE(e, nullptr) << c.name;
        EXPECT_EQ(readBackRange(*e).min, c.min) << c.name;
        EXPECT_EQ(readBackRange(*e).max, c.max) << c.name;
    }
}
