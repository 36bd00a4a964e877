#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// How a Set handler turns a control into its field, as the text conversions
// name them.
enum class FieldConversion {
    Integer,       // whole number of the register's unit (rpm, pulses, address)
    SingleTenths,  // decimal number, stored in tenths through single precision
    DoubleTenths,  // decimal number, stored in tenths through double precision
    WholeTenths,   // whole number, stored in tenths
    ItemIndex,     // the selected item of a combo box
};

// One controller parameter as the Configuration tab shows it: the holding
// register, the control that shows and sets it, the command that writes it,
// the unit of its text and how its Set handler converts it.
struct ParameterSpec {
    const char* name;
    int reg;
    const char* control;
    std::uint8_t command;
    const char* unit;             // "" for counts and choices
    FieldConversion conversion;
    // Register values that fit, in register units (tenths for tenths fields).
    std::int32_t lowest;
    std::int32_t highest;
    const char* items = nullptr;  // choices: the combo box's items, '|' separated
    // The handler's own range test, where it has one.
    bool (*accepted)(std::int32_t) = nullptr;
};

namespace ParameterTable {

// Every parameter the Configuration tab shows, in register order.
std::span<const ParameterSpec> all();
// Nullptr for a name that is not a parameter.
const ParameterSpec* find(std::string_view name);

// Caption of the group a write command sets ("Internal Fan", ...).
const char* groupName(std::uint8_t command);
// The write commands a full set of parameters covers, in the order Write
// All sends them; the bus address is not among them.
std::span<const std::uint8_t> writeAllGroups();

}
