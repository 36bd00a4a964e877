#pragma once

#include "link/LinkState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Every value the live poll reads, with the one name and unit used wherever
// it is shown or stored: trend channels, log and CSV headers, metrics.
namespace LiveQuantities {

enum class Kind : std::uint8_t {
    Measurement,  // a reading in its unit
    Output,       // a coil the controller drives, 0/1
    Alarm,        // an alarm input, 0/1
};

struct Quantity {
    std::string_view name;   // snake_case, e.g. "indoor_temp"
    std::string_view label;  // for people, e.g. "Indoor temperature"
    std::string_view unit;   // "rpm", "°C", "V", "A" or "0/1"
    Kind kind;
    std::uint8_t pollStep;   // the poll step whose reply carries it (0 coils, 1 inputs, 3 input registers)
    double (*read)(const LinkState&);
};

// clang-format off
inline constexpr std::array kQuantities{
    Quantity{"intfan1_speed",      "Internal fan 1 speed", "rpm", Kind::Measurement, 3, [](const LinkState& s) { return double(s.Intfan1.Speed); }},
    Quantity{"intfan2_speed",      "Internal fan 2 speed", "rpm", Kind::Measurement, 3, [](const LinkState& s) { return double(s.Intfan2.Speed); }},
    Quantity{"extfan1_speed",      "External fan 1 speed", "rpm", Kind::Measurement, 3, [](const LinkState& s) { return double(s.Extfan1.Speed); }},
    Quantity{"extfan2_speed",      "External fan 2 speed", "rpm", Kind::Measurement, 3, [](const LinkState& s) { return double(s.Extfan2.Speed); }},
    Quantity{"indoor_temp",        "Indoor temperature",   "°C",  Kind::Measurement, 3, [](const LinkState& s) { return s.Live.IndoorTemp / 10.0; }},
    Quantity{"outdoor_temp",       "Outdoor temperature",  "°C",  Kind::Measurement, 3, [](const LinkState& s) { return s.Live.OutdoorTemp / 10.0; }},
    Quantity{"supply_voltage",     "Supply voltage",       "V",   Kind::Measurement, 3, [](const LinkState& s) { return s.Live.SupplyVoltage / 10.0; }},
    Quantity{"compressor_speed",   "Compressor speed",     "rpm", Kind::Measurement, 3, [](const LinkState& s) { return double(s.Live.CompSpeed); }},
    Quantity{"compressor_current", "Compressor current",   "A",   Kind::Measurement, 3, [](const LinkState& s) { return s.Live.CompGauge / 10.0; }},
    Quantity{"heater_current",     "Heater current",       "A",   Kind::Measurement, 3, [](const LinkState& s) { return s.Live.HeaterCurrent / 10.0; }},
    Quantity{"intfan1_running",    "Internal fan 1 on",    "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Intfan1.Running); }},
    Quantity{"intfan2_running",    "Internal fan 2 on",    "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Intfan2.Running); }},
    Quantity{"extfan1_running",    "External fan 1 on",    "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Extfan1.Running); }},
    Quantity{"extfan2_running",    "External fan 2 on",    "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Extfan2.Running); }},
    Quantity{"compressor_running", "Compressor on",        "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Live.CompRunning); }},
    Quantity{"heater_running",     "Heater on",            "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Live.HeaterRunning); }},
    Quantity{"force_on",           "Forced on",            "0/1", Kind::Output,      0, [](const LinkState& s) { return double(s.Live.ForceOn); }},
    Quantity{"intfan1_alarm",      "Internal fan 1 alarm", "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Intfan1.Alarm); }},
    Quantity{"intfan2_alarm",      "Internal fan 2 alarm", "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Intfan2.Alarm); }},
    Quantity{"extfan1_alarm",      "External fan 1 alarm", "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Extfan1.Alarm); }},
    Quantity{"extfan2_alarm",      "External fan 2 alarm", "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Extfan2.Alarm); }},
    Quantity{"compressor_alarm1",  "Compressor alarm 1",   "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.CompAlarm1); }},
    Quantity{"compressor_alarm2",  "Compressor alarm 2",   "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.CompAlarm2); }},
    Quantity{"heater_alarm",       "Heater alarm",         "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.HeaterAlarm); }},
    Quantity{"sensor1_alarm",      "Sensor 1 alarm",       "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.Sensor1Alarm); }},
    Quantity{"sensor2_alarm",      "Sensor 2 alarm",       "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.Sensor2Alarm); }},
    Quantity{"supply_alarm1",      "Supply alarm 1",       "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.SupplyAlarm1); }},
    Quantity{"supply_alarm2",      "Supply alarm 2",       "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.SupplyAlarm2); }},
    Quantity{"high_temp_alarm",    "High temperature alarm", "0/1", Kind::Alarm,     1, [](const LinkState& s) { return double(s.Live.HighTempAlarm); }},
    Quantity{"low_temp_alarm",     "Low temperature alarm",  "0/1", Kind::Alarm,     1, [](const LinkState& s) { return double(s.Live.LowTempAlarm); }},
    Quantity{"high_pressure_alarm", "High pressure alarm", "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.HighPressureAlarm); }},
    Quantity{"low_pressure_alarm", "Low pressure alarm",   "0/1", Kind::Alarm,       1, [](const LinkState& s) { return double(s.Live.LowPressureAlarm); }},
};
// clang-format on

inline constexpr std::size_t kCount = kQuantities.size();

// Index of the quantity called `name`, if any.
std::optional<std::size_t> indexOf(std::string_view name);

// One completed poll cycle: when it ended and every quantity's value, or
// nothing where the step that reads it got no valid answer in that cycle.
struct Sample {
    std::int64_t wallMs = 0;        // milliseconds since 1970-01-01 UTC
    int utcOffsetSeconds = 0;       // the local time's offset when it was taken
    std::array<std::optional<double>, kCount> values{};
};

// The sample a cycle makes of `state`: a quantity gets its value when its
// poll step (bit n of `answeredSteps` for step n) got a valid reply.
Sample sampleOf(const LinkState& state, unsigned answeredSteps, std::int64_t wallMs, int utcOffsetSeconds);

} // namespace LiveQuantities
