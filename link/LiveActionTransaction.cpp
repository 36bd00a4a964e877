#include "link/LiveActionTransaction.h"

#include "link/Frames.h"
#include "link/RegisterMap.h"

namespace {

constexpr std::uint16_t kDebugTemperatureRegister = RegisterMap::named("Debug Temperature").reg;
constexpr std::uint16_t kReCheckCoil = 11;
constexpr std::uint16_t kForceOnCoil = 12;

constexpr const char* kRealtime = "Adopt Realtime Temperature!!";
constexpr const char* kSimulant = "Adopt Simulant Temperature!!";
constexpr const char* kForceOk = "Force Successfully!";
constexpr const char* kForceFail = "Force Fail!";
constexpr const char* kForceCaption = "Force Status";

}

LiveActionTransaction::LiveActionTransaction(std::uint8_t action) : action_(action) {}

std::size_t LiveActionTransaction::buildRequest(LinkState& state) const
{
    const auto address = static_cast<std::uint8_t>(state.SlaveAddress);
    switch (action_) {
    case LiveActionCode::DebugTemperature:
        return Frames::buildWriteRegister(state.TxFrame, address, kDebugTemperatureRegister,
                                          Frames::encodeRegister(state.Settings.DebugTemperature));
    case LiveActionCode::ForceOutput:
        return Frames::buildWriteCoil(state.TxFrame, address, kForceOnCoil,
                                      Frames::encodeRegister(state.CoilWriteValue));
    default:
        // The echo of the re-check is compared with CoilWriteValue like the
        // forced-on output's, so it must hold what goes out.
        state.CoilWriteValue = Frames::CoilOn;
        return Frames::buildWriteCoil(state.TxFrame, address, kReCheckCoil, Frames::CoilOn);
    }
}

std::uint8_t LiveActionTransaction::function() const
{
    return isDebugTemperature() ? Frames::Function::WriteRegister : Frames::Function::WriteCoil;
}

void LiveActionTransaction::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    LinkState& s = context.state;
    const std::uint16_t echo = Frames::wordAt(reply, 4).value_or(0);
    // The indicator step below leaves the countdown at 10, so the poll that
    // resumes inside the box keeps the link watchdog fed from there.
    context.backToPolling();
    context.discardReceived();
    context.stepLinkIndicator();

    if (isDebugTemperature()) {
        const bool adopted = static_cast<std::int16_t>(echo) == s.Settings.DebugTemperature;
        context.results.debugTemperatureTaken();
        context.view.showMessage(adopted ? kRealtime : kSimulant, "Set Correctly");
        return;
    }
    const bool confirmed = echo == s.CoilWriteValue;
    if (confirmed && action_ == LiveActionCode::ForceOutput)
        context.results.forceOnConfirmed(s.CoilWriteValue == Frames::CoilOn);
    context.view.showMessage(confirmed ? kForceOk : kForceFail, kForceCaption);
}

void LiveActionTransaction::onWrongReply(EngineContext& context) const
{
    context.stepLinkIndicator();
    context.backToPolling();
    if (isDebugTemperature())
        context.results.debugTemperatureTaken();
    showFailure(context);
}

void LiveActionTransaction::onTimeout(EngineContext& context) const
{
    context.backToPolling();
    showFailure(context);
}

void LiveActionTransaction::showFailure(EngineContext& context) const
{
    if (isDebugTemperature())
        context.view.showMessage(kRealtime, "Set Unsuccessfully");
    else
        context.view.showMessage(kForceFail, kForceCaption);
}
