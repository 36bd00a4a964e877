#pragma once

#include "console/ParameterTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A parameter's text as its control holds it, and the register value it
// stands for. Texts convert exactly as the parameter's Set handler converts
// them (TextConversions::typedRegisterValue: fits the register or is refused),
// then must pass the handler's range test.
namespace ParameterValues {

struct Converted {
    std::optional<std::int32_t> value;
    std::string problem;   // why there is no value, for the operator
};

Converted toRegister(const ParameterEntry& param, std::string_view text);

// A register value the controller holds, checked as a typed one is: a
// choice must name an item, a value must fit the register and pass the Set
// handler's range test.
Converted checked(const ParameterEntry& param, std::int32_t value);
// The same for a value that may not be known ("not read").
Converted checked(const ParameterEntry& param, std::optional<std::int32_t> value);

// The register value in the tab's units at the register's full resolution:
// "300", "-2.5", "20.0", or the choice's item text ("Enable", "NC").
std::string unitText(const ParameterEntry& param, std::int32_t value);

// The text Load puts into the parameter's control, the form Read All gives
// the register ("35" for 35.0 °C, "-3.2", "Enable").
std::string controlText(const ParameterEntry& param, std::int32_t value);

// unitText followed by the unit where there is one: "20.0 °C".
std::string withUnit(const ParameterEntry& param, std::int32_t value);

}
