#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// What the monitor needs to know of a holding register to show its value
// in the controller's terms: "reg 41 Compressor StartTemp = 35.0 °C".
struct RegisterDescription {
    std::string_view name;
    std::string_view unit;       // empty for plain numbers and choices
    double scale = 1.0;          // engineering value of one register unit
    bool isSigned = false;       // 16-bit two's complement
};

// Holding register `reg` of the controller's map; empty for a register the
// map does not hold.
std::optional<RegisterDescription> describeHoldingRegister(std::uint16_t reg);
