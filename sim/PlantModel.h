#pragma once

#include "sim/SimRandom.h"
#include "sim/SimTypes.h"

#include <array>
#include <set>

// What the controller's sensors and outputs show at one moment.
struct PlantReadings {
    std::array<double, 4> fanSpeed{};     // rpm: internal 1, internal 2, external 1, external 2
    std::array<bool, 4> fanOutput{};      // the fan's output is switched on
    std::array<bool, 4> fanStalled{};     // switched on for a while but not turning
    double indoor = 0;                    // sensor 1, degrees, calibration applied
    double outdoor = 0;                   // sensor 2
    bool sensor1Fault = false;
    bool sensor2Fault = false;
    double voltage = 0;                   // supply, volts
    bool compressorOutput = false;
    double compressorSpeed = 0;           // rpm
    double compressorCurrent = 0;         // amperes
    bool compressorLockout = false;       // wanted but held off by a low supply
    bool compressorLocked = false;        // switched on but the rotor does not turn
    bool heaterOutput = false;
    double heaterCurrent = 0;             // amperes
    bool highPressure = false;
    bool lowPressure = false;
};

// Speed a running fan pair is driven at for temperature `t`: minimum speed
// up to the minimum temperature, a ramp to the maximum speed at the maximum
// temperature, then one step up beyond the maximum plus the step temperature.
double fanCurveSpeed(const FanCurveParameters& curve, double t);

// Whether a fan pair runs after seeing temperature `t`: it stops below the
// stop temperature and starts again only at stop plus hysteresis.
bool fanPairRuns(bool running, const FanCurveParameters& curve, double t);

// The cabinet and its machinery: temperatures drift, fans and compressor
// follow the controller's regulation, the supply wanders and dips now and
// then. Stepped by time only, so a test that moves the clock by hand sees
// exactly what the program would.
class PlantModel {
public:
    PlantModel(std::uint64_t seed, std::set<AlarmScenario> scenarios, bool supplyDips);

    void advance(double seconds, const PlantParameters& parameters, bool forceOn);
    PlantReadings readings(const PlantParameters& parameters) const;

    // Supply dips: every kDipPeriod seconds the supply sags for kDipLength
    // seconds, starting kDipOffset seconds into the period.
    static constexpr double kDipPeriod = 180;
    static constexpr double kDipOffset = 150;
    static constexpr double kDipLength = 10;
    static constexpr double kDipVoltage = 40.5;

private:
    void step(double dt, const PlantParameters& parameters, bool forceOn);
    bool has(AlarmScenario scenario) const { return scenarios_.count(scenario) != 0; }
    double controlTemperature(const PlantParameters& parameters) const;

    SimRandom random_;
    std::set<AlarmScenario> scenarios_;
    bool supplyDips_;
    double elapsed_ = 0;
    double indoor_ = 28;
    double outdoor_ = 24;
    double outdoorWander_ = 0;
    double voltage_ = 48;
    std::array<bool, 2> pairRunning_{true, true};
    std::array<double, 4> fanSpeed_{};
    std::array<double, 4> fanTarget_{};
    std::array<double, 4> fanOnFor_{};
    std::array<double, 4> fanNoise_{};
    bool compressorWanted_ = false;
    double compressorSpeed_ = 0;
    double compressorTarget_ = 0;
    bool heaterOn_ = false;
    double heaterNoise_ = 0;
};
