#include "console/LiveWidgets.h"

#include "link/FloatText.h"

namespace LiveWidgets {

namespace {

double tenths(std::int16_t value)
{
    return value * 0.1;
}

// Rotary switches: position 0 reads "On", 1 "Off".
double knob(std::uint8_t on)
{
    return on != 0 ? 0 : 1;
}

} // namespace

// clang-format off
const std::array<Row, 31> kRows{{
    {"iLedRound1", "Active", 0, [](const LinkState& s) -> double { return s.Intfan1.Running; }, nullptr, true},
    {"iLedRound2", "Active", 0, [](const LinkState& s) -> double { return s.Intfan2.Running; }, nullptr, true},
    {"iLedRound3", "Active", 0, [](const LinkState& s) -> double { return s.Extfan1.Running; }, nullptr, true},
    {"iLedRound4", "Active", 0, [](const LinkState& s) -> double { return s.Extfan2.Running; }, nullptr, true},
    {"iSwitchRotary2", "Position", 0, [](const LinkState& s) { return knob(s.Live.CompRunning); }, nullptr, false},
    {"iSwitchRotary1", "Position", 0, [](const LinkState& s) { return knob(s.Live.HeaterRunning); }, nullptr, false},
    {"iSwitchLed1", "Active", 0, [](const LinkState& s) -> double { return s.Live.ForceOn; }, nullptr, true},

    {"Edit3", nullptr, 2, nullptr, [](const LinkState& s) { return tenthsText(s.Live.PolledCompStartTemp); }, false},
    {"Edit32", nullptr, 2, nullptr, [](const LinkState& s) { return tenthsText(s.Live.PolledCompDeltTemp); }, false},

    {"Edit19", nullptr, 3, nullptr, [](const LinkState& s) { return std::to_string(s.Intfan1.Speed); }, true},
    {"iAngularGauge1", "Position", 3, [](const LinkState& s) -> double { return s.Intfan1.Speed; }, nullptr, true},
    {"iOdometer1", "Value", 3, [](const LinkState& s) -> double { return s.Intfan1.Speed; }, nullptr, true},
    {"iAngularGauge2", "Position", 3, [](const LinkState& s) -> double { return s.Intfan2.Speed; }, nullptr, true},
    {"iOdometer2", "Value", 3, [](const LinkState& s) -> double { return s.Intfan2.Speed; }, nullptr, true},
    {"Edit20", nullptr, 3, nullptr, [](const LinkState& s) { return std::to_string(s.Extfan1.Speed); }, true},
    {"iAngularGauge3", "Position", 3, [](const LinkState& s) -> double { return s.Extfan1.Speed; }, nullptr, true},
    {"iOdometer3", "Value", 3, [](const LinkState& s) -> double { return s.Extfan1.Speed; }, nullptr, true},
    {"iAngularGauge4", "Position", 3, [](const LinkState& s) -> double { return s.Extfan2.Speed; }, nullptr, true},
    {"iOdometer4", "Value", 3, [](const LinkState& s) -> double { return s.Extfan2.Speed; }, nullptr, true},
    {"iAnalogOutput3", "Value", 3, [](const LinkState& s) { return tenths(s.Live.IndoorTemp); }, nullptr, true},
    {"iThermometer1", "Position", 3, [](const LinkState& s) { return tenths(s.Live.IndoorTemp); }, nullptr, true},
    {"iAnalogOutput4", "Value", 3, [](const LinkState& s) { return tenths(s.Live.OutdoorTemp); }, nullptr, true},
    {"iThermometer2", "Position", 3, [](const LinkState& s) { return tenths(s.Live.OutdoorTemp); }, nullptr, true},
    {"iAnalogOutput5", "Value", 3, [](const LinkState& s) { return tenths(s.Live.SupplyVoltage); }, nullptr, true},
    {"iAngularGauge5", "Position", 3, [](const LinkState& s) { return tenths(s.Live.SupplyVoltage); }, nullptr, true},
    {"iOdometer5", "Value", 3, [](const LinkState& s) -> double { return s.Live.CompSpeed; }, nullptr, true},
    {"iAnalogOutput1", "Value", 3, [](const LinkState& s) { return tenths(s.Live.CompGauge); }, nullptr, true},
    {"iAngularGauge7", "Position", 3, [](const LinkState& s) { return tenths(s.Live.CompGauge); }, nullptr, true},
    {"iAnalogOutput2", "Value", 3, [](const LinkState& s) { return tenths(s.Live.HeaterCurrent); }, nullptr, true},
    {"iAngularGauge6", "Position", 3, [](const LinkState& s) { return tenths(s.Live.HeaterCurrent); }, nullptr, true},

    {"iSwitchLed3", "Active", kNoStep, nullptr, nullptr, true},
}};
// clang-format on

}
