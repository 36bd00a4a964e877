#include "console/LiveDisplay.h"

#include "console/LiveView.h"
#include "console/LiveWidgets.h"
#include "link/LinkState.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr int WindowWidth = 810;
constexpr int WindowHeight = 646;
constexpr int BlinkLitMs = 1000;
constexpr int BlinkDarkMs = 500;
constexpr double BarFull = 100;
constexpr double BarWrapTo = 3;
constexpr std::int32_t CoilOn = 0xFF00;


} // namespace

LiveDisplay::LiveDisplay(LinkState& state, LiveView& view, std::function<bool()> portOpen)
    : state_(state), view_(view), portOpen_(std::move(portOpen))
{
}

void LiveDisplay::linkStep()
{
    view_.setWidgetProperty("iLedBar1", "Position", view_.widgetProperty("iLedBar1", "Position") + 1);
}

void LiveDisplay::showPolled(int step)
{
    LiveWidgets::showPolled(state_, step, view_);
}

void LiveDisplay::forceOnConfirmed(bool on)
{
    view_.setWidgetProperty("iSwitchLed1", "Active", on ? 1 : 0);
}

void LiveDisplay::Timer1Timer()
{
    view_.setWindowSize(WindowWidth, WindowHeight);

    if (state_.LinkAliveCountdown > 0) {
        --state_.LinkAliveCountdown;
        view_.setWidgetProperty("iLedBar1", "SectionColor1", LinkBarColor::Alive);
        const double position = view_.widgetProperty("iLedBar1", "Position");
        view_.setWidgetProperty("iLedBar1", "Position", position >= BarFull ? BarWrapTo : position + 1);
    } else {
        view_.setWidgetProperty("iLedBar1", "Position", BarFull);
        view_.setWidgetProperty("iLedBar1", "SectionColor1", LinkBarColor::Lost);
        linkLossReset();
    }

    alarmBlinkPhase_ = !alarmBlinkPhase_;
    view_.setTimer1Interval(alarmBlinkPhase_ ? BlinkLitMs : BlinkDarkMs);
    showAlarmLamps(alarmBlinkPhase_);
}

void LiveDisplay::showAlarmLamps(bool lit)
{
    const LiveStatus& live = state_.Live;
    // The two sums add 8-bit flags, so either flag being set lights the lamp.
    const std::uint8_t compAlarm = static_cast<std::uint8_t>(live.CompAlarm1 + live.CompAlarm2);
    const std::uint8_t supplyAlarm = static_cast<std::uint8_t>(live.SupplyAlarm1 + live.SupplyAlarm2);
    const std::array<std::pair<const char*, bool>, 13> lamps{{
        {"iLedRound5", state_.Intfan1.Alarm == 1},
        {"iLedRound7", state_.Intfan2.Alarm == 1},
        {"iLedRound8", state_.Extfan1.Alarm == 1},
        {"iLedRound9", state_.Extfan2.Alarm == 1},
        {"iLedRound10", live.HighPressureAlarm == 1},
        {"iLedRound11", live.Sensor1Alarm == 1},
        {"iLedRound12", live.Sensor2Alarm == 1},
        {"iLedRound13", live.HighTempAlarm == 1},
        {"iLedRound14", live.LowTempAlarm == 1},
        {"iLedRound15", live.LowPressureAlarm == 1},
        {"iLedRound16", compAlarm > 0},
        {"iLedRound17", supplyAlarm >= 1},
        {"iLedRound6", live.HeaterAlarm == 1},
    }};
    // In the dark phase every lamp is dark, whatever its alarm.
    for (const auto& [lamp, on] : lamps)
        view_.setWidgetProperty(lamp, "Active", lit && on ? 1 : 0);
}

// While the controller does not answer, nothing on the tab may go on showing
// a value from it: every alarm flag, every live reading and every running
// lamp drops to zero. The rotary switches and the compressor set-points keep
// what was last read, as do ForceOn and SelfCheckRunning.
void LiveDisplay::linkLossReset()
{
    for (FanRecord* fan : {&state_.Intfan1, &state_.Intfan2, &state_.Extfan1, &state_.Extfan2}) {
        fan->Alarm = 0;
        fan->Speed = 0;
    }
    LiveStatus& live = state_.Live;
    for (std::uint8_t* flag : {&live.CompAlarm1, &live.CompAlarm2, &live.HeaterAlarm, &live.Sensor1Alarm,
                               &live.Sensor2Alarm, &live.SupplyAlarm1, &live.SupplyAlarm2, &live.HighTempAlarm,
                               &live.LowTempAlarm, &live.HighPressureAlarm, &live.LowPressureAlarm})
        *flag = 0;
    for (std::int16_t* reading : {&live.IndoorTemp, &live.OutdoorTemp, &live.SupplyVoltage, &live.CompSpeed,
                                  &live.CompGauge, &live.HeaterCurrent})
        *reading = 0;
    LiveWidgets::zeroForLinkLoss(view_);
}

void LiveDisplay::Timer3Timer()
{
    const LiveStatus& live = state_.Live;
    if (live.ForceOn == 1 && live.SelfCheckRunning == 1) {
        view_.setWidgetProperty("iSwitchLed3", "Active", 1);
        const bool lit = view_.widgetProperty("iLedRound18", "Active") != 0;
        view_.setWidgetProperty("iLedRound18", "Active", lit ? 0 : 1);
    } else if (live.ForceOn == 1) {
        view_.setWidgetProperty("iLedRound18", "Active", 1);
        view_.setWidgetProperty("iSwitchLed3", "Active", 0);
    } else {
        view_.setWidgetProperty("iLedRound18", "Active", 0);
        view_.setWidgetProperty("iSwitchLed3", "Active", 0);
    }
}

bool LiveDisplay::portClosed()
{
    if (portOpen_())
        return false;
    view_.showMessage("ComPort Not Open!!", "Comm Error");
    return true;
}

void LiveDisplay::iSwitchLed1Click()
{
    if (portClosed())
        return;
    state_.CoilWriteValue = state_.Live.ForceOn == 1 ? 0 : CoilOn;
    state_.LiveAction = LiveActionCode::ForceOutput;
    state_.CommandArmed = 1;
    state_.PollStep = 0;
}

void LiveDisplay::iSwitchLed3Click()
{
    if (portClosed())
        return;
    if (state_.Live.SelfCheckRunning == 1) {
        view_.showMessage("SelfCheck Running, Please try later!!!", "Please try later");
        return;
    }
    state_.CoilWriteValue = CoilOn;
    state_.LiveAction = LiveActionCode::ReCheck;
    state_.CommandArmed = 1;
    state_.PollStep = 0;
}
