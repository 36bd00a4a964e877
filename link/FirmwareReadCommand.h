#pragma once

#include "link/Transaction.h"

#include <string>
#include <string_view>

// Configuration command 10: reads the firmware text from input registers
// 15 to 23 into FirmwareText and hands the text on.
class FirmwareReadCommand : public Transaction {
public:
    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 200; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override;
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;
};

// The firmware text as the console shows, logs and files it.
namespace Firmware {

// The controller's bytes as characters (Latin-1 to UTF-8), so whatever it
// sent makes valid UTF-8 text.
std::string toUtf8(std::string_view bytes);
// The text last read into FirmwareText, up to its terminator; empty before.
std::string text(const LinkState& state);

}
