#include "link/FactoryResetCommand.h"

#include "link/Frames.h"

namespace {

constexpr std::uint16_t kResetCoil = 20;

}

std::size_t FactoryResetCommand::buildRequest(LinkState& state) const
{
    return Frames::buildWriteCoil(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), kResetCoil,
                                  Frames::CoilOn);
}

std::uint8_t FactoryResetCommand::function() const
{
    return Frames::Function::WriteCoil;
}

bool FactoryResetCommand::acceptsContent(std::span<const std::uint8_t> reply) const
{
    return Frames::wordAt(reply, 2) == kResetCoil;
}

void FactoryResetCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    const bool done = Frames::wordAt(reply, 4) == Frames::CoilOn;
    context.commandAnswered();
    context.view.showMessage(done ? "Parameter Reset Successfully" : "Parameter Reset Failed!", "Parameter");
}

void FactoryResetCommand::onWrongReply(EngineContext& context) const
{
    context.endCommand();
}

void FactoryResetCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}
