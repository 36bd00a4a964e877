#include "console/PlausibilityRules.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace PlausibilityRules;

namespace {

// A plausible configuration: the simulator's factory parameters.
std::map<std::string, std::int32_t> factory()
{
    return {
        {"Intfan1 MinSpeed", 800},   {"Intfan1 MaxSpeed", 2200}, {"Intfan1 MinTemp", 200},
        {"Intfan1 MaxTemp", 350},    {"Intfan1 StopTemp", 50},   {"Extfan1 MinSpeed", 900},
        {"Extfan1 MaxSpeed", 2400},  {"Extfan1 MinTemp", 250},   {"Extfan1 MaxTemp", 400},
        {"Extfan1 StopTemp", 150},   {"TempAlarm Low", -100},    {"TempAlarm High", 550},
        {"VoltAlarm Low", 420},      {"VoltAlarm High", 580},    {"Heater MinCurrent", 5},
        {"Heater MaxCurrent", 30},
    };
}

Lookup from(const std::map<std::string, std::int32_t>& values)
{
    return [&values](const ParameterEntry& p) -> std::optional<std::int32_t> {
        const auto it = values.find(std::string(p.name()));
        if (it == values.end())
            return std::nullopt;
        return it->second;
    };
}

} // namespace

TEST(PlausibilityRules, EveryRuleNamesKnownParametersAndTheFactorySetPasses)
{
    const auto values = factory();
    EXPECT_TRUE(check(from(values)).empty());
    for (const Rule& r : kRules) {
        EXPECT_NE(ParameterTable::find(r.lower), nullptr) << r.lower;
        EXPECT_NE(ParameterTable::find(r.upper), nullptr) << r.upper;
    }
}

TEST(PlausibilityRules, EachRuleBreaksOnItsOwnAndSaysWhy)
{
    struct Case {
        std::string parameter;
        std::int32_t value;
        std::string text;
    };
    const Case cases[] = {
        {"Intfan1 MinSpeed", 9500, "Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (2200 rpm)"},
        {"Intfan1 MinSpeed", 2200, "Intfan1 MinSpeed (2200 rpm) is not below Intfan1 MaxSpeed (2200 rpm)"},
        {"Intfan1 MaxTemp", 200, "Intfan1 MinTemp (20.0 °C) is not below Intfan1 MaxTemp (20.0 °C)"},
        {"Intfan1 StopTemp", 201, "Intfan1 StopTemp (20.1 °C) is above Intfan1 MinTemp (20.0 °C)"},
        {"Extfan1 MaxSpeed", 100, "Extfan1 MinSpeed (900 rpm) is not below Extfan1 MaxSpeed (100 rpm)"},
        {"Extfan1 MinTemp", 410, "Extfan1 MinTemp (41.0 °C) is not below Extfan1 MaxTemp (40.0 °C)"},
        {"Extfan1 StopTemp", 251, "Extfan1 StopTemp (25.1 °C) is above Extfan1 MinTemp (25.0 °C)"},
        {"TempAlarm High", -200, "TempAlarm Low (-10.0 °C) is not below TempAlarm High (-20.0 °C)"},
        {"VoltAlarm Low", 600, "VoltAlarm Low (60.0 V) is not below VoltAlarm High (58.0 V)"},
        {"Heater MinCurrent", 31, "Heater MinCurrent (3.1 A) is above Heater MaxCurrent (3.0 A)"},
    };
    for (const Case& c : cases) {
        auto values = factory();
        values[c.parameter] = c.value;
        const auto broken = check(from(values));
        ASSERT_EQ(broken.size(), 1u) << c.parameter << " = " << c.value;
        EXPECT_EQ(broken[0].text, c.text);
    }
    // Equal stop and minimum temperatures, and equal heater currents, are allowed.
    auto edge = factory();
    edge["Intfan1 StopTemp"] = 200;
    edge["Heater MinCurrent"] = 30;
    EXPECT_TRUE(check(from(edge)).empty());
}

TEST(PlausibilityRules, UnknownSidesAreNotCheckedAndGroupsSeeOnlyTheirRules)
{
    auto values = factory();
    values["Intfan1 MinSpeed"] = 9500;
    values["TempAlarm High"] = -200;
    values.erase("VoltAlarm High");
    values["VoltAlarm Low"] = 9999;
    EXPECT_EQ(check(from(values)).size(), 2u);
    EXPECT_EQ(describe(check(from(values))),
              "Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (2200 rpm)\n"
              "TempAlarm Low (-10.0 °C) is not below TempAlarm High (-20.0 °C)");
    const auto alarmsOnly = checkTouching(from(values), {"TempAlarm High", "TempAlarm Low"});
    ASSERT_EQ(alarmsOnly.size(), 1u);
    EXPECT_EQ(alarmsOnly[0].rule->upper, "TempAlarm High");
}
