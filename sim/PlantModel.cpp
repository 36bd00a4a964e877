#include "sim/PlantModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

constexpr double kSubStep = 0.1;             // seconds per integration step
constexpr double kFanLag = 2.0;              // seconds for a fan to close most of a speed change
constexpr double kCompressorLag = 3.0;
constexpr double kCabinetLag = 120.0;        // the cabinet air follows slowly
constexpr double kOutdoorLag = 60.0;
constexpr double kStallGrace = 3.0;          // seconds a fan may take to get going
constexpr double kCabinetLoad = 14.0;        // degrees the electronics add without cooling
constexpr double kExchangerCooling = 10.0;
constexpr double kCompressorCooling = 14.0;
constexpr double kHeaterWarming = 10.0;
constexpr double kSensorLowest = -45.0;      // what the sensors can measure
constexpr double kSensorHighest = 125.0;
constexpr double kOpenSensor = -50.0;        // what an open sensor reads
constexpr double kScenarioMargin = 3.0;      // degrees beyond an alarm threshold

double approach(double value, double target, double dt, double lag)
{
    return value + (target - value) * (1.0 - std::exp(-dt / lag));
}

} // namespace

double fanCurveSpeed(const FanCurveParameters& curve, double t)
{
    if (t <= curve.minTemp)
        return curve.minRev;
    if (t < curve.maxTemp)
        return curve.minRev + (t - curve.minTemp) / (curve.maxTemp - curve.minTemp) * (curve.maxRev - curve.minRev);
    if (t < curve.maxTemp + curve.stepTemp)
        return curve.maxRev;
    return curve.maxRev + curve.stepRev;
}

bool fanPairRuns(bool running, const FanCurveParameters& curve, double t)
{
    return running ? t >= curve.stopTemp : t >= curve.stopTemp + curve.deltTemp;
}

PlantModel::PlantModel(std::uint64_t seed, std::set<AlarmScenario> scenarios, bool supplyDips)
    : random_(seed), scenarios_(std::move(scenarios)), supplyDips_(supplyDips)
{
}

void PlantModel::advance(double seconds, const PlantParameters& parameters, bool forceOn)
{
    while (seconds > 0) {
        const double dt = std::min(seconds, kSubStep);
        step(dt, parameters, forceOn);
        seconds -= dt;
    }
}

double PlantModel::controlTemperature(const PlantParameters& parameters) const
{
    return parameters.debugTemp ? *parameters.debugTemp : indoor_;
}

void PlantModel::step(double dt, const PlantParameters& p, bool forceOn)
{
    elapsed_ += dt;

    // Weather: a slow swing with some wander.
    outdoorWander_ = std::clamp(outdoorWander_ + 0.05 * random_.symmetric(), -2.0, 2.0);
    double outdoorTarget = 24.0 + 9.0 * std::sin(2.0 * std::numbers::pi * elapsed_ / 1200.0) + outdoorWander_;
    if (has(AlarmScenario::LowTemp))
        outdoorTarget = p.tempAlarmLow - 8.0;
    outdoor_ = approach(outdoor_, outdoorTarget, dt, kOutdoorLag);

    // Supply.
    voltage_ = 48.0 + 0.15 * random_.symmetric();
    if (supplyDips_ && std::fmod(elapsed_, kDipPeriod) >= kDipOffset
        && std::fmod(elapsed_, kDipPeriod) < kDipOffset + kDipLength)
        voltage_ = kDipVoltage;
    if (has(AlarmScenario::SupplyHigh))
        voltage_ = 61.0;
    if (has(AlarmScenario::SupplyLow))
        voltage_ = 38.5;

    const double t = controlTemperature(p);

    // Fans.
    const FanCurveParameters* curves[2] = {&p.internal, &p.external};
    for (int pair = 0; pair < 2; ++pair) {
        const FanCurveParameters& curve = *curves[pair];
        pairRunning_[pair] = fanPairRuns(pairRunning_[pair], curve, t);
        double target = pairRunning_[pair] ? fanCurveSpeed(curve, t) : 0.0;
        if (forceOn)
            target = curve.maxRev;
        const bool enabled[2] = {curve.enable1, curve.enable2};
        for (int k = 0; k < 2; ++k) {
            const int fan = 2 * pair + k;
            fanTarget_[fan] = enabled[k] ? std::max(target, 0.0) : 0.0;
            fanOnFor_[fan] = fanTarget_[fan] > 0 ? fanOnFor_[fan] + dt : 0.0;
            const bool stalled = fan == 1 && has(AlarmScenario::FanStall);
            fanSpeed_[fan] = approach(fanSpeed_[fan], stalled ? 0.0 : fanTarget_[fan], dt, kFanLag);
            fanNoise_[fan] = 0.004 * random_.symmetric();
        }
    }

    // Compressor: hysteresis on the cabinet temperature, held off by a low supply.
    if (p.compMaxRpm <= 0)
        compressorWanted_ = false;
    else if (compressorWanted_)
        compressorWanted_ = t >= p.compStart - p.compDelt;
    else
        compressorWanted_ = t >= p.compStart;
    const bool lockout = compressorWanted_ && voltage_ < p.voltAlarmLow;
    compressorTarget_ = 0;
    if (compressorWanted_ && !lockout)
        compressorTarget_ = p.compMaxRpm * std::clamp(0.4 + 0.12 * (t - p.compStart), 0.4, 1.0);
    const bool locked = has(AlarmScenario::Compressor);
    compressorSpeed_ = approach(compressorSpeed_, locked ? 0.0 : compressorTarget_, dt, kCompressorLag);

    // Heater.
    if (!p.heaterEnable)
        heaterOn_ = false;
    else if (heaterOn_)
        heaterOn_ = t <= p.heaterStart + p.heaterDelt;
    else
        heaterOn_ = t <= p.heaterStart;
    heaterNoise_ = 0.1 * random_.symmetric();

    // Cabinet air: electronics warm it, the exchanger and the compressor cool it.
    const double internalFlow = std::min((fanSpeed_[0] + fanSpeed_[1]) / 2.0 / 1500.0, 1.0);
    const double externalFlow = std::min((fanSpeed_[2] + fanSpeed_[3]) / 2.0 / 2000.0, 1.0);
    const double compressorShare = p.compMaxRpm > 0 ? std::min(compressorSpeed_ / p.compMaxRpm, 1.0) : 0.0;
    const double cabinetTarget = outdoor_ + kCabinetLoad - kExchangerCooling * internalFlow * externalFlow
        - kCompressorCooling * compressorShare + (heaterOn_ ? kHeaterWarming : 0.0);
    indoor_ = approach(indoor_, cabinetTarget, dt, kCabinetLag);
    if (has(AlarmScenario::HighTemp))
        indoor_ = std::max(indoor_, p.tempAlarmHigh + kScenarioMargin);
    if (has(AlarmScenario::LowTemp))
        indoor_ = std::min(indoor_, p.tempAlarmLow - kScenarioMargin);
}

PlantReadings PlantModel::readings(const PlantParameters& p) const
{
    PlantReadings r;
    for (int fan = 0; fan < 4; ++fan) {
        r.fanOutput[fan] = fanTarget_[fan] > 0;
        r.fanSpeed[fan] = std::max(fanSpeed_[fan] * (1.0 + fanNoise_[fan]), 0.0);
        r.fanStalled[fan] = r.fanOutput[fan] && fanOnFor_[fan] > kStallGrace && fanSpeed_[fan] < 0.1 * fanTarget_[fan];
    }
    r.indoor = controlTemperature(p) + p.calTemp1;
    if (has(AlarmScenario::Sensor))
        r.indoor = kOpenSensor;
    r.outdoor = outdoor_ + p.calTemp2;
    r.sensor1Fault = r.indoor < kSensorLowest || r.indoor > kSensorHighest;
    r.sensor2Fault = r.outdoor < kSensorLowest || r.outdoor > kSensorHighest;
    r.voltage = voltage_ + p.calVoltage;

    r.compressorOutput = compressorTarget_ > 0;
    r.compressorLockout = compressorWanted_ && compressorTarget_ <= 0;
    r.compressorLocked = has(AlarmScenario::Compressor) && r.compressorOutput;
    r.compressorSpeed = r.compressorLocked ? 0.0 : compressorSpeed_;
    if (r.compressorSpeed > 1.0 && p.compMaxRpm > 0)
        r.compressorCurrent = 4.0 + 18.0 * std::min(r.compressorSpeed / p.compMaxRpm, 1.0);

    r.heaterOutput = heaterOn_;
    if (heaterOn_ && !has(AlarmScenario::Heater))
        r.heaterCurrent = (p.heaterMaxCurrent + p.heaterMinCurrent) / 2.0 + heaterNoise_ + p.calCurrent;

    r.highPressure = has(AlarmScenario::HighPressure);
    r.lowPressure = has(AlarmScenario::LowPressure);
    return r;
}
