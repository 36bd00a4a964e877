#include "link/PollStepTransaction.h"

#include "link/FloatText.h"
#include "link/Frames.h"
#include "link/RegisterMap.h"

#include <array>
#include <string>

namespace {

struct StepRequest {
    std::uint8_t function;
    std::uint16_t first;
    std::uint16_t quantity;
};

constexpr std::array<StepRequest, 4> kSteps{{
    {Frames::Function::ReadCoils, 0, 16},
    {Frames::Function::ReadDiscreteInputs, 0, 18},
    {Frames::Function::ReadHoldingRegisters, RegisterMap::block(Command::SetCompressor).first,
     RegisterMap::block(Command::SetCompressor).count},
    {Frames::Function::ReadInputRegisters, 0, 13},
}};

std::uint8_t bit(std::span<const std::uint8_t> reply, std::size_t n)
{
    return Frames::bitValue(reply, n).value_or(false) ? 1 : 0;
}

std::uint16_t word(std::span<const std::uint8_t> reply, std::size_t k)
{
    return Frames::registerValue(reply, k).value_or(0);
}

double tenths(std::span<const std::uint8_t> reply, std::size_t k)
{
    return static_cast<std::int16_t>(word(reply, k)) * 0.1;
}

} // namespace

PollStepTransaction::PollStepTransaction(std::uint8_t step) : step_(step < kSteps.size() ? step : 0) {}

std::size_t PollStepTransaction::buildRequest(LinkState& state) const
{
    const StepRequest& r = kSteps[step_];
    return Frames::buildRead(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), r.function, r.first,
                             r.quantity);
}

std::uint8_t PollStepTransaction::function() const
{
    return kSteps[step_].function;
}

std::size_t PollStepTransaction::replyLength() const
{
    return Frames::replyLength(kSteps[step_].function, kSteps[step_].quantity);
}

void PollStepTransaction::moveOn(LinkState& state) const
{
    state.PollStep = static_cast<std::uint8_t>((step_ + 1) % kSteps.size());
    state.CommandArmed = 1;
}

void PollStepTransaction::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    switch (step_) {
    case 0:
        decodeCoils(context, reply);
        break;
    case 1:
        decodeInputs(context.state, reply);
        break;
    case 2:
        decodeCompressorSettings(context, reply);
        break;
    default:
        decodeMeasurements(context, reply);
        break;
    }
    moveOn(context.state);
    context.discardReceived();
    context.stepLinkIndicator();
}

void PollStepTransaction::onWrongReply(EngineContext& context) const
{
    context.stepLinkIndicator();
    moveOn(context.state);
}

void PollStepTransaction::onCrcMismatch(EngineContext& context) const
{
    // The alarm inputs are skipped at once; the other steps drop what came
    // and sit out their time-out (step 0 without even dropping it).
    if (step_ == 0)
        return;
    context.discardReceived();
    if (step_ == 1)
        moveOn(context.state);
}

void PollStepTransaction::onTimeout(EngineContext& context) const
{
    moveOn(context.state);
}

void PollStepTransaction::decodeCoils(EngineContext& context, std::span<const std::uint8_t> reply)
{
    LinkState& s = context.state;
    LinkView& v = context.view;
    FanRecord* fans[] = {&s.Intfan1, &s.Intfan2, &s.Extfan1, &s.Extfan2};
    const char* leds[] = {"iLedRound1", "iLedRound2", "iLedRound3", "iLedRound4"};
    for (std::size_t i = 0; i < 4; ++i) {
        fans[i]->Running = bit(reply, i);
        v.setWidgetProperty(leds[i], "Active", fans[i]->Running);
    }
    // Rotary switches: position 0 reads "On", 1 "Off".
    s.Live.CompRunning = bit(reply, 4);
    v.setWidgetProperty("iSwitchRotary2", "Position", s.Live.CompRunning ? 0 : 1);
    s.Live.HeaterRunning = bit(reply, 5);
    v.setWidgetProperty("iSwitchRotary1", "Position", s.Live.HeaterRunning ? 0 : 1);
    s.Live.ForceOn = bit(reply, 12);
    v.setWidgetProperty("iSwitchLed1", "Active", s.Live.ForceOn);
}

void PollStepTransaction::decodeInputs(LinkState& s, std::span<const std::uint8_t> reply)
{
    s.Intfan1.Alarm = bit(reply, 0);
    s.Intfan2.Alarm = bit(reply, 1);
    s.Extfan1.Alarm = bit(reply, 2);
    s.Extfan2.Alarm = bit(reply, 3);
    s.Live.CompAlarm1 = bit(reply, 4);
    s.Live.CompAlarm2 = bit(reply, 5);
    s.Live.HeaterAlarm = bit(reply, 7);
    s.Live.Sensor1Alarm = bit(reply, 10);
    s.Live.Sensor2Alarm = bit(reply, 11);
    s.Live.SupplyAlarm1 = bit(reply, 12);
    s.Live.SupplyAlarm2 = bit(reply, 13);
    s.Live.HighTempAlarm = bit(reply, 14);
    s.Live.LowTempAlarm = bit(reply, 15);
    s.Live.HighPressureAlarm = bit(reply, 16);
    s.Live.LowPressureAlarm = bit(reply, 17);
}

void PollStepTransaction::decodeCompressorSettings(EngineContext& context, std::span<const std::uint8_t> reply)
{
    // The compressor's start temperature and hysteresis open the block read.
    context.view.setControlText("Edit3", tenthsText(static_cast<std::int16_t>(word(reply, 0))));
    context.view.setControlText("Edit32", tenthsText(static_cast<std::int16_t>(word(reply, 1))));
}

void PollStepTransaction::decodeMeasurements(EngineContext& context, std::span<const std::uint8_t> reply)
{
    LinkState& s = context.state;
    LinkView& v = context.view;

    s.Intfan1.Speed = word(reply, 0);
    v.setControlText("Edit19", std::to_string(s.Intfan1.Speed));
    v.setWidgetProperty("iAngularGauge1", "Position", s.Intfan1.Speed);
    v.setWidgetProperty("iOdometer1", "Value", s.Intfan1.Speed);

    s.Intfan2.Speed = word(reply, 1);
    v.setWidgetProperty("iAngularGauge2", "Position", s.Intfan2.Speed);
    v.setWidgetProperty("iOdometer2", "Value", s.Intfan2.Speed);

    s.Extfan1.Speed = word(reply, 2);
    v.setControlText("Edit20", std::to_string(s.Extfan1.Speed));
    v.setWidgetProperty("iAngularGauge3", "Position", s.Extfan1.Speed);
    v.setWidgetProperty("iOdometer3", "Value", s.Extfan1.Speed);

    s.Extfan2.Speed = word(reply, 3);
    v.setWidgetProperty("iAngularGauge4", "Position", s.Extfan2.Speed);
    v.setWidgetProperty("iOdometer4", "Value", s.Extfan2.Speed);

    const double indoor = tenths(reply, 4);
    v.setWidgetProperty("iAnalogOutput3", "Value", indoor);
    v.setWidgetProperty("iThermometer1", "Position", indoor);

    const double outdoor = tenths(reply, 5);
    v.setWidgetProperty("iAnalogOutput4", "Value", outdoor);
    v.setWidgetProperty("iThermometer2", "Position", outdoor);

    const double supply = tenths(reply, 6);
    v.setWidgetProperty("iAnalogOutput5", "Value", supply);
    v.setWidgetProperty("iAngularGauge5", "Position", supply);

    v.setWidgetProperty("iOdometer5", "Value", static_cast<std::int16_t>(word(reply, 7)));

    const double compressor = tenths(reply, 8);
    v.setWidgetProperty("iAnalogOutput1", "Value", compressor);
    v.setWidgetProperty("iAngularGauge7", "Position", compressor);

    const double heater = tenths(reply, 10);
    v.setWidgetProperty("iAnalogOutput2", "Value", heater);
    v.setWidgetProperty("iAngularGauge6", "Position", heater);

    s.Live.SelfCheckRunning = static_cast<std::uint8_t>(word(reply, 11) & 0xFFU);
}
