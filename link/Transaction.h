#pragma once

#include "link/EngineContext.h"

#include <cstddef>
#include <cstdint>
#include <span>

// Which exchange the engine has under way: a configuration command or a
// curve fetch (by its CommandCode), a poll step (0 to 3) or a live action
// (by its LiveAction code).
struct TransactionId {
    enum class Kind : std::uint8_t { Command, CurveFetch, PollStep, LiveAction };
    Kind kind = Kind::Command;
    std::uint8_t code = 0;

    friend bool operator==(const TransactionId&, const TransactionId&) = default;
};

// One request-reply exchange as the engine's common machinery sees it: the
// request, how long to wait before the first read, what the reply must look
// like, and what to do with each outcome.
//
// Outcome handlers run inside a timer tick and may open a modal message box,
// inside which further ticks run. So a handler finishes every state change
// before it shows its message, and shows it last.
class Transaction {
public:
    virtual ~Transaction() = default;

    // Writes the complete request, CRC included, into state.TxFrame and
    // returns its length.
    virtual std::size_t buildRequest(LinkState& state) const = 0;
    // Timer2 interval right after the transmission, in milliseconds.
    virtual int replyDelay() const = 0;
    virtual std::uint8_t function() const = 0;
    virtual std::size_t replyLength() const = 0;

    // Further test of a reply whose address, function and CRC are right.
    // A reply failing it is handled as a CRC mismatch.
    virtual bool acceptsContent(std::span<const std::uint8_t> /*reply*/) const { return true; }

    // `reply` is exactly replyLength() bytes.
    virtual void onValidReply(EngineContext& context, std::span<const std::uint8_t> reply) const = 0;
    virtual void onWrongReply(EngineContext& context) const = 0;
    // Default: keep waiting; more bytes cannot mend a frame already judged,
    // so the exchange ends by time-out.
    virtual void onCrcMismatch(EngineContext& /*context*/) const {}
    virtual void onTimeout(EngineContext& context) const = 0;
    // The controller answered with an exception reply carrying `code`. The
    // console treats a refusal as it treats a wrong reply; what it was is
    // told to the listeners of the outcome.
    virtual void onRefused(EngineContext& context, std::uint8_t /*code*/) const { onWrongReply(context); }
};
