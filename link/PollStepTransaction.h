#pragma once

#include "link/Transaction.h"

// One step of the endless live poll on the RealTimeData tab:
// 0 coils 0-15, 1 discrete inputs 0-17, 2 the compressor's holding registers,
// 3 input registers 0-12. Each valid reply is decoded into the live state,
// then handed on as the step's readings; polling never shows a message.
class PollStepTransaction : public Transaction {
public:
    // `step` is 0 to 3.
    explicit PollStepTransaction(std::uint8_t step);

    std::size_t buildRequest(LinkState& state) const override;
    int replyDelay() const override { return 300; }
    std::uint8_t function() const override;
    std::size_t replyLength() const override;
    void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const override;
    void onWrongReply(EngineContext& context) const override;
    void onCrcMismatch(EngineContext& context) const override;
    void onTimeout(EngineContext& context) const override;

private:
    void moveOn(LinkState& state) const;
    static void decodeCoils(LinkState& state, std::span<const std::uint8_t> reply);
    static void decodeInputs(LinkState& state, std::span<const std::uint8_t> reply);
    static void decodeCompressorSettings(LinkState& state, std::span<const std::uint8_t> reply);
    static void decodeMeasurements(LinkState& state, std::span<const std::uint8_t> reply);

    std::uint8_t step_;
};
