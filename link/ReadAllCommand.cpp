#include "link/ReadAllCommand.h"

#include "link/Frames.h"
#include "link/ParameterSet.h"
#include "link/RegisterMap.h"

using RegisterMap::kReadAllCount;

std::size_t ReadAllCommand::buildRequest(LinkState& state) const
{
    return Frames::buildRead(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), function(), 0,
                             kReadAllCount);
}

std::uint8_t ReadAllCommand::function() const
{
    return Frames::Function::ReadHoldingRegisters;
}

std::size_t ReadAllCommand::replyLength() const
{
    return Frames::replyLength(function(), kReadAllCount);
}

void ReadAllCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    ParameterSet parameters;
    for (const RegisterMap::Entry& e : RegisterMap::kEntries) {
        if (e.group == RegisterMap::kNoGroup)
            continue;
        if (const auto word = Frames::registerValue(reply, e.reg))
            parameters.setWord(e, *word);
    }
    context.results.parametersRead(parameters);
    context.commandAnswered();
}

void ReadAllCommand::onWrongReply(EngineContext& context) const
{
    context.endCommand();
}

void ReadAllCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}
