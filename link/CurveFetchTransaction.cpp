#include "link/CurveFetchTransaction.h"

#include "link/Frames.h"
#include "link/RegisterMap.h"

namespace {

// A curve is the fan pair's Set block: the curve parameters, then the pulse
// number and the enables, which are fetched but not kept.
RegisterMap::Block curveBlock(bool external)
{
    return RegisterMap::block(external ? Command::SetExtfan : Command::SetIntfan);
}

}

CurveFetchTransaction::CurveFetchTransaction(std::uint8_t code) : code_(code) {}

std::size_t CurveFetchTransaction::buildRequest(LinkState& state) const
{
    return Frames::buildRead(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), function(),
                             curveBlock(isExternal()).first, curveBlock(isExternal()).count);
}

std::uint8_t CurveFetchTransaction::function() const
{
    return Frames::Function::ReadHoldingRegisters;
}

std::size_t CurveFetchTransaction::replyLength() const
{
    return Frames::replyLength(function(), curveBlock(isExternal()).count);
}

FanCurve CurveFetchTransaction::decodeCurve(std::span<const std::uint8_t> reply)
{
    const auto speed = [&](std::size_t k) -> std::uint32_t { return Frames::registerValue(reply, k).value_or(0); };
    const auto degrees = [&](std::size_t k) {
        return static_cast<float>(Frames::signedRegisterValue(reply, k).value_or(0) * 0.1);
    };
    FanCurve c;
    c.StepRev = speed(0);
    c.MaxRev = speed(1);
    c.MinRev = speed(2);
    c.StepTemp = degrees(3);
    c.MaxTemp = degrees(4);
    c.MinTemp = degrees(5);
    c.StopTemp = degrees(6);
    c.DeltTemp = degrees(7);
    return c;
}

void CurveFetchTransaction::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    FanCurve& curve = isExternal() ? context.state.ExtfanCurve : context.state.IntfanCurve;
    curve = decodeCurve(reply);
    context.results.fanCurveRead(curve, isExternal());
    context.commandAnswered();
    context.state.CommandArmed = 1;
}

void CurveFetchTransaction::onWrongReply(EngineContext& context) const
{
    end(context);
}

void CurveFetchTransaction::onTimeout(EngineContext& context) const
{
    end(context);
}

void CurveFetchTransaction::end(EngineContext& context)
{
    context.state.CommandArmed = 1;
    context.endCommand();
}
