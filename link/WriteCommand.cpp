#include "link/WriteCommand.h"

#include "link/Frames.h"
#include "link/RegisterMap.h"

namespace {

struct Caption {
    const char* text;
    const char* caption;
};

constexpr std::array<Caption, 9> kMessages{{
    {"Set Successfully!", "Set Intfan1"},
    {"Set Successfully", "Set Extfan1!"},
    {"Set Successfully", "Set Heater!"},
    {"Set Successfully", "Set Alarm TEMP"},
    {"Set Successfully", "Calibrate Temp"},
    {"Set Successfully", "Extinput Option"},
    {"Set Successfully", "Set Address"},
    {"Set Successfully", "Set Alarm Voltage"},
    {"Set Successfully", "Set Compressor"},
}};

} // namespace

WriteCommand::WriteCommand(std::uint8_t code) : code_(code <= Command::SetCompressor ? code : Command::SetIntfan) {}

std::uint8_t WriteCommand::function() const
{
    return Frames::Function::WriteRegisters;
}

WriteCommand::Block WriteCommand::block(const LinkState& state) const
{
    Block block;
    block.first = RegisterMap::block(code_).first;
    for (const RegisterMap::Entry* e : RegisterMap::group(code_))
        block.values.at(block.count++) = Frames::encodeRegister(static_cast<std::int32_t>(e->field.read(state)));
    return block;
}

std::size_t WriteCommand::buildRequest(LinkState& state) const
{
    const Block b = block(state);
    return Frames::buildWriteRegisters(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), b.first,
                                       std::span<const std::uint16_t>(b.values.data(), b.count));
}

std::string WriteCommand::successText() const
{
    return kMessages[code_].text;
}

std::string WriteCommand::successCaption() const
{
    return kMessages[code_].caption;
}

void WriteCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t>) const
{
    context.discardReceived();
    context.endCommand();
    context.stepLinkIndicator();
    if (!isFanOrHeater())
        context.state.LinkAliveCountdown = 30;
    // The controller answers at its new address from now on; the comm
    // address edit keeps what the operator typed.
    if (code_ == Command::SetAddress)
        context.state.SlaveAddress = static_cast<std::uint32_t>(context.state.Settings.NewDeviceAddress);
    context.view.showMessage(successText(), successCaption());
}

void WriteCommand::onWrongReply(EngineContext& context) const
{
    if (isFanOrHeater())
        context.stepLinkIndicator();
    context.endCommand();
}

void WriteCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}
