#include "link/ReadAllCommand.h"

#include "link/FloatText.h"
#include "link/Frames.h"
#include "link/RegisterMap.h"

#include <string>

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
    for (const RegisterMap::Entry& e : RegisterMap::kEntries) {
        if (e.group == RegisterMap::kNoGroup)
            continue;
        const auto word = Frames::registerValue(reply, e.reg);
        if (!word)
            continue;
        const std::string control(e.control);
        const auto value = static_cast<std::int16_t>(*word);
        if (e.isChoice)
            context.view.setComboIndex(control, value);
        else if (e.scale == RegisterMap::Scale::Tenths)
            context.view.setControlText(control, tenthsText(value));
        else
            context.view.setControlText(control, e.isSigned ? std::to_string(value) : std::to_string(*word));
    }
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
