#pragma once

#include "sim/SimTypes.h"

// The controller's parameter registers: their factory values and how the
// plant reads them.
namespace ParameterImage {

// Register numbers the simulator treats specially.
inline constexpr int kAddressRegister = 27;
inline constexpr int kDebugTemperatureRegister = 30;

// Register 30 holds a temperature to simulate only within this range
// (tenths); the console sends 1100 to hand control back to the sensor.
inline constexpr int kDebugLowest = -400;
inline constexpr int kDebugHighest = 999;

HoldingImage factory(std::uint8_t address);

PlantParameters decode(const HoldingImage& image);

// Reads a register as the signed 16-bit number it carries.
inline int asSigned(std::uint16_t value)
{
    return static_cast<std::int16_t>(value);
}

} // namespace ParameterImage
