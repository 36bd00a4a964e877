#pragma once

#include "console/ParameterControls.h"
#include "link/RegisterMap.h"

#include <cstdint>
#include <span>
#include <string_view>

// One controller parameter as the Configuration tab shows it: its row of the
// register map, plus what the tab adds to it (the choices of its combo box
// and the range test of its Set handler, where it has one).
struct ParameterEntry {
    const RegisterMap::Entry* entry;
    std::string_view items;             // choices: the combo box's items, '|' separated
    bool (*accepted)(std::int32_t);     // nullptr: no range test beyond the register's

    std::string_view name() const { return entry->name; }
    int reg() const { return entry->reg; }
    std::string_view control() const { return ParameterControls::controlOf(*entry); }
    std::uint8_t command() const { return entry->group; }
    std::string_view unit() const { return entry->unit; }
    RegisterMap::Input input() const { return entry->input; }
    bool isChoice() const { return entry->isChoice; }
};

namespace ParameterTable {

// Every parameter a configuration command writes, in register order; the
// debug temperature of the RealTimeData tab is not one of them.
std::span<const ParameterEntry> all();
// Nullptr for a name that is not a parameter.
const ParameterEntry* find(std::string_view name);

// Caption of the group a write command sets ("Internal Fan", ...).
const char* groupName(std::uint8_t command);
// The write commands a full set of parameters covers, in the order Write
// All sends them; the bus address is not among them.
std::span<const std::uint8_t> writeAllGroups();

}
