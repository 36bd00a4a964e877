#pragma once

#include "console/ParameterTable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Pairs of parameters whose values only make sense in one order: a fan
// curve's minimum below its maximum, an alarm's low limit below its high one.
// The controller takes either order without complaint, so the console warns
// (a file that loads, Write All, Compare, hxctl write, a Set) but never
// changes what the operator chose.
namespace PlausibilityRules {

enum class Order : std::uint8_t {
    Below,     // lower < upper
    NotAbove,  // lower <= upper
};

struct Rule {
    std::string_view lower;  // parameter names of the register map
    std::string_view upper;
    Order order;
};

inline constexpr std::array kRules{
    Rule{"Intfan1 MinSpeed", "Intfan1 MaxSpeed", Order::Below},
    Rule{"Intfan1 MinTemp", "Intfan1 MaxTemp", Order::Below},
    Rule{"Intfan1 StopTemp", "Intfan1 MinTemp", Order::NotAbove},
    Rule{"Extfan1 MinSpeed", "Extfan1 MaxSpeed", Order::Below},
    Rule{"Extfan1 MinTemp", "Extfan1 MaxTemp", Order::Below},
    Rule{"Extfan1 StopTemp", "Extfan1 MinTemp", Order::NotAbove},
    Rule{"TempAlarm Low", "TempAlarm High", Order::Below},
    Rule{"VoltAlarm Low", "VoltAlarm High", Order::Below},
    Rule{"Heater MinCurrent", "Heater MaxCurrent", Order::NotAbove},
};

// A parameter's register value, or nothing when it is not known (a rule
// with an unknown side is not checked).
using Lookup = std::function<std::optional<std::int32_t>(const ParameterEntry&)>;

// Values in ParameterTable::all()'s order, as a parameter file holds them.
Lookup fromValues(std::span<const std::int32_t> values);
// The parameters' texts (as Read All shows them), converted as their Set
// handlers convert them but without their range tests; a text that does
// not convert leaves its parameter unknown.
Lookup fromTexts(std::function<std::string(const ParameterEntry&)> text);

struct Broken {
    const Rule* rule;
    std::string text;  // "Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (9000 rpm)"
};

// Every rule the values break, in the table's order.
std::vector<Broken> check(const Lookup& value);
// Only the rules with a side among `names` (the parameters one Set group writes).
std::vector<Broken> checkTouching(const Lookup& value, const std::vector<std::string_view>& names);

// The names of the parameters one write command sends.
std::vector<std::string_view> groupParameters(std::uint8_t command);

// The broken rules' texts, one per line.
std::string describe(const std::vector<Broken>& broken);

}
