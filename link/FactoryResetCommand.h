#pragma once

#include "link/Transaction.h"

// Configuration command 11: switches coil 20 on, which makes the controller
// restore its factory parameters; the echoed value tells whether it did.
class FactoryResetCommand : public Transaction {
public:
    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 200; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override { return 8; }
    // The echo must name coil 20; another coil is not our answer yet.
    bool acceptsContent(std::span<const std::uint8_t> reply) const override;
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;
};
