#pragma once

#include "link/Transaction.h"

// Reads the speed-curve parameters of one fan pair (the block its Set
// command writes) and has the curve drawn into plot channel 0 or 1.
class CurveFetchTransaction : public Transaction {
public:
    // `code` is Command::FetchIntCurve or Command::FetchExtCurve.
    explicit CurveFetchTransaction(std::uint8_t code);

    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 200; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override;
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;

    // The curve record held by an 11-register read reply; registers outside
    // the reply read as 0.
    static FanCurve decodeCurve(std::span<const std::uint8_t> reply);

private:
    bool isExternal() const { return code_ == Command::FetchExtCurve; }
    static void end(EngineContext& context);

    std::uint8_t code_;
};
