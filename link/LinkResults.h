#pragma once

#include <string_view>

class ParameterSet;
struct FanCurve;
struct LinkState;

// What the transaction engine learns from the controller, as values: the
// console core takes them and its handlers decide what the window shows.
// Every call comes from inside a tick, after the state is updated and
// before the exchange's message box.
class LinkResults {
public:
    virtual ~LinkResults() = default;

    // A valid reply (and some wrong ones) keeps the link watchdog alive:
    // one step of the link indicator.
    virtual void linkStepped() {}
    // Poll step `step` (0 to 3) was read into `state`.
    virtual void pollStepRead(const LinkState& /*state*/, int /*step*/) {}
    // Read All answered: every parameter the reply carries.
    virtual void parametersRead(const ParameterSet& /*parameters*/) {}
    // The firmware version answered: its text (at most 18 characters).
    virtual void firmwareRead(std::string_view /*text*/) {}
    // The controller answered the debug temperature (valid or wrong reply):
    // the value typed for it is used up.
    virtual void debugTemperatureTaken() {}
    // The controller confirmed the forced-on output as `on`.
    virtual void forceOnConfirmed(bool /*on*/) {}
    // A fan pair's curve was fetched (`external`: the external fans').
    virtual void fanCurveRead(const FanCurve& /*curve*/, bool /*external*/) {}
};
