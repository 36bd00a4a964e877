#include "link/FirmwareReadCommand.h"

#include "link/Frames.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::uint16_t kFirst = 15;
constexpr std::uint16_t kCount = 9;
constexpr std::size_t kTextStart = 3;
constexpr std::size_t kMaxChars = 18;

}

std::size_t FirmwareReadCommand::buildRequest(LinkState& state) const
{
    return Frames::buildRead(state.TxFrame, static_cast<std::uint8_t>(state.SlaveAddress), function(), kFirst, kCount);
}

std::uint8_t FirmwareReadCommand::function() const
{
    return Frames::Function::ReadInputRegisters;
}

std::size_t FirmwareReadCommand::replyLength() const
{
    return Frames::replyLength(function(), kCount);
}

void FirmwareReadCommand::onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const
{
    // The copy takes the frame's CRC along into indexes 18 and 19; the
    // terminator at 18 keeps it out of the text.
    auto& text = context.state.FirmwareText;
    text.fill(0);
    if (reply.size() > kTextStart) {
        const auto body = reply.subspan(kTextStart);
        std::copy_n(body.begin(), std::min(body.size(), text.size()), text.begin());
    }
    text[kMaxChars] = 0;
    const auto end = std::find(text.begin(), text.begin() + kMaxChars, '\0');
    context.results.firmwareRead(std::string_view(text.data(), static_cast<std::size_t>(end - text.begin())));

    context.commandAnswered();
}

void FirmwareReadCommand::onWrongReply(EngineContext& context) const
{
    context.endCommand();
}

void FirmwareReadCommand::onTimeout(EngineContext& context) const
{
    context.endCommand();
}

namespace Firmware {

std::string toUtf8(std::string_view bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (b >> 6)));
            text.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return text;
}

std::string text(const LinkState& state)
{
    const auto& bytes = state.FirmwareText;
    const auto end = std::find(bytes.begin(), bytes.end(), '\0');
    return toUtf8(std::string_view(bytes.data(), static_cast<std::size_t>(end - bytes.begin())));
}

}
