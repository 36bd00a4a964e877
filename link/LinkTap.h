#pragma once

#include "link/LinkObserver.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

class SerialPort;

// The engine's end of the link monitor. With no observer every call is one
// test of a null pointer; with one, it stamps the event and hands it on.
// It never changes what the engine does with the port or its state.
class LinkTap {
public:
    using Clock = std::function<LinkTime()>;

    void setObserver(LinkObserver* observer) { observer_ = observer; }
    LinkObserver* observer() const { return observer_; }
    bool active() const { return observer_ != nullptr; }
    // Tests give a clock of their own; the default reads the system clocks.
    void setClock(Clock clock) { clock_ = std::move(clock); }

    void requestSent(std::span<const std::uint8_t> frame, long written, std::size_t replyLength)
    {
        if (observer_)
            sent(frame, written, replyLength);
    }
    void bytesReceived(std::span<const std::uint8_t> bytes)
    {
        if (observer_ && !bytes.empty())
            observer_->bytesReceived(now(), bytes);
    }
    // Call right before the receive queue is dropped: counts what it holds.
    void discarding(SerialPort& port)
    {
        if (observer_)
            reportDiscard(port);
    }
    // Reports the transaction's outcome unless it already has one.
    void outcome(LinkOutcome outcome, std::uint8_t exceptionCode = 0)
    {
        if (observer_ && !judged_) {
            judged_ = true;
            observer_->outcome(now(), outcome, exceptionCode);
        }
    }

    // Hands on what the port has noted, and empties its notes either way.
    void portNotes(SerialPort& port);

private:
    void sent(std::span<const std::uint8_t> frame, long written, std::size_t replyLength);
    void reportDiscard(SerialPort& port);
    LinkTime now() const { return clock_ ? clock_() : linkTimeNow(); }

    LinkObserver* observer_ = nullptr;
    Clock clock_;
    bool judged_ = false;
};
