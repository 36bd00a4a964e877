#pragma once

#include <cstdint>
#include <functional>

class LiveView;
struct LinkState;

// Colours of the link watchdog bar, 0x00BBGGRR.
namespace LinkBarColor {
constexpr std::int32_t Alive = 0x0040FF00;  // RGB(0, 255, 64)
constexpr std::int32_t Lost = 0x000000FF;   // RGB(255, 0, 0)
}

// The RealTimeData tab's own refresh besides the live poll: the link
// watchdog bar and the reset of the displays when the controller stops
// answering, the blinking alarm lamps (Timer1), the self-check lamp and the
// "ReC" switch LED (Timer3), and the "On" / "ReC" switch handlers that queue
// live actions for the engine.
class LiveDisplay {
public:
    // `portOpen`: whether the operator has a port open.
    LiveDisplay(LinkState& state, LiveView& view, std::function<bool()> portOpen);

    void Timer1Timer();
    void Timer3Timer();
    void iSwitchLed1Click();
    void iSwitchLed3Click();
    // The engine stepped the link indicator: the bar creeps on by one.
    void linkStep();
    // Poll step `step` was read: its displays show it.
    void showPolled(int step);
    // The controller confirmed the forced-on output: the "On" LED follows.
    void forceOnConfirmed(bool on);

    bool alarmBlinkPhase() const { return alarmBlinkPhase_; }

private:
    bool portClosed();
    void linkLossReset();
    void showAlarmLamps(bool lit);

    LinkState& state_;
    LiveView& view_;
    std::function<bool()> portOpen_;
    bool alarmBlinkPhase_ = false;
};
