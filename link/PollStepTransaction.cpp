#include "link/PollStepTransaction.h"

#include "link/Frames.h"
#include "link/RegisterMap.h"

#include <array>

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

std::int16_t signedWord(std::span<const std::uint8_t> reply, std::size_t k)
{
    return static_cast<std::int16_t>(word(reply, k));
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
    LinkState& s = context.state;
    switch (step_) {
    case 0:
        decodeCoils(s, reply);
        break;
    case 1:
        decodeInputs(s, reply);
        break;
    case 2:
        decodeCompressorSettings(s, reply);
        break;
    default:
        decodeMeasurements(s, reply);
        break;
    }
    context.results.pollStepRead(s, step_);
    moveOn(s);
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

void PollStepTransaction::decodeCoils(LinkState& s, std::span<const std::uint8_t> reply)
{
    s.Intfan1.Running = bit(reply, 0);
    s.Intfan2.Running = bit(reply, 1);
    s.Extfan1.Running = bit(reply, 2);
    s.Extfan2.Running = bit(reply, 3);
    s.Live.CompRunning = bit(reply, 4);
    s.Live.HeaterRunning = bit(reply, 5);
    s.Live.ForceOn = bit(reply, 12);
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

void PollStepTransaction::decodeCompressorSettings(LinkState& s, std::span<const std::uint8_t> reply)
{
    // The compressor's start temperature and hysteresis open the block read.
    s.Live.PolledCompStartTemp = signedWord(reply, 0);
    s.Live.PolledCompDeltTemp = signedWord(reply, 1);
}

void PollStepTransaction::decodeMeasurements(LinkState& s, std::span<const std::uint8_t> reply)
{
    s.Intfan1.Speed = word(reply, 0);
    s.Intfan2.Speed = word(reply, 1);
    s.Extfan1.Speed = word(reply, 2);
    s.Extfan2.Speed = word(reply, 3);
    s.Live.IndoorTemp = signedWord(reply, 4);
    s.Live.OutdoorTemp = signedWord(reply, 5);
    s.Live.SupplyVoltage = signedWord(reply, 6);
    s.Live.CompSpeed = signedWord(reply, 7);
    s.Live.CompGauge = signedWord(reply, 8);
    s.Live.HeaterCurrent = signedWord(reply, 10);
    s.Live.SelfCheckRunning = static_cast<std::uint8_t>(word(reply, 11) & 0xFFU);
}
