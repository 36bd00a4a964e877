#pragma once

#include "link/Transaction.h"

// The one-shot actions of the RealTimeData tab: 1 writes the debug
// temperature into its holding register, 2 switches the forced-on output (coil 12),
// 4 starts the controller's re-check (coil 11). Each reports the answer in
// a message box and then lets the poll cycle start again.
class LiveActionTransaction : public Transaction {
public:
    // `action` is 1, 2 or 4.
    explicit LiveActionTransaction(std::uint8_t action);

    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 300; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override { return 8; }
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;

private:
    bool isDebugTemperature() const { return action_ == LiveActionCode::DebugTemperature; }
    void showFailure(EngineContext& context) const;

    std::uint8_t action_;
};
