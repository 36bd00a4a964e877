#pragma once

#include "link/Transaction.h"

// Configuration command 9: reads every holding register of the map and
// hands the parameters on as a ParameterSet. The settings fields stay as
// the operator last set them.
class ReadAllCommand : public Transaction {
public:
    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 100; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override;
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;
};
