#pragma once

#include <array>
#include <cstdint>
#include <optional>

// Milliseconds on the simulator's model clock (steady time in the program,
// a hand-driven counter in tests).
using SimMillis = std::int64_t;

// Holding registers 0 to 43 as the controller keeps them.
inline constexpr int kHoldingCount = 44;
using HoldingImage = std::array<std::uint16_t, kHoldingCount>;

// Conditions the simulator can be told to bring about, so that the alarm
// lamps have something to show.
enum class AlarmScenario {
    HighTemp,
    LowTemp,
    SupplyHigh,
    SupplyLow,
    FanStall,
    Heater,
    Sensor,
    Compressor,
    HighPressure,
    LowPressure,
};

// One fan pair's speed curve, in rpm and degrees.
struct FanCurveParameters {
    double stepRev = 0;
    double maxRev = 0;
    double minRev = 0;
    double stepTemp = 0;
    double maxTemp = 0;
    double minTemp = 0;
    double stopTemp = 0;
    double deltTemp = 0;
    bool enable1 = false;
    bool enable2 = false;
};

// The holding registers read as engineering values.
struct PlantParameters {
    FanCurveParameters internal;
    FanCurveParameters external;
    double heaterStart = 0;
    double heaterDelt = 0;
    double heaterMaxCurrent = 0;
    double heaterMinCurrent = 0;
    bool heaterEnable = false;
    double tempAlarmHigh = 0;
    double tempAlarmLow = 0;
    std::optional<double> debugTemp;   // set while register 30 holds a usable temperature
    double calTemp1 = 0;
    double calTemp2 = 0;
    double calCurrent = 0;
    double calVoltage = 0;
    double voltAlarmHigh = 0;
    double voltAlarmLow = 0;
    double compStart = 0;
    double compDelt = 0;
    double compMaxRpm = 0;
};
