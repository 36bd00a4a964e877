#pragma once

#include "link/Transaction.h"

#include <array>
#include <cstdint>
#include <string>

// Configuration commands 0 to 8: each writes one block of holding registers
// from the settings fields with a single write-registers request.
class WriteCommand : public Transaction {
public:
    // `code` is 0 to 8.
    explicit WriteCommand(std::uint8_t code);

    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 200; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override { return 8; }
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;

    // Register images of the block, in register order.
    struct Block {
        std::uint16_t first = 0;
        std::array<std::uint16_t, 11> values{};
        std::size_t count = 0;
    };
    Block block(const LinkState& state) const;
    std::string successText() const;
    std::string successCaption() const;

private:
    // The fan and heater groups step the indicator on a wrong reply but
    // leave the countdown at 10 on success; the others do the opposite.
    bool isFanOrHeater() const { return code_ <= Command::SetHeater; }

    std::uint8_t code_;
};
