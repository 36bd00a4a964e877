#pragma once

#include "link/LinkObserver.h"

// Tells hxctl what became of the exchanges it started (did the controller
// answer at all?) and hands every event on to the bus log when one is kept.
class OutcomeWatch : public LinkObserver {
public:
    explicit OutcomeWatch(LinkObserver* next = nullptr) : next_(next) {}

    void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                     std::size_t replyLength) override;
    void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
    void bytesDiscarded(const LinkTime& at, std::size_t count) override;
    void outcome(const LinkTime& at, LinkOutcome outcome) override;
    void portNote(const LinkTime& at, const PortNote& note) override
    {
        if (next_)
            next_->portNote(at, note);
    }

    // Counts since the last reset.
    void reset() { valid_ = judged_ = 0; }
    int valid() const { return valid_; }
    int judged() const { return judged_; }

private:
    LinkObserver* next_;
    int valid_ = 0;
    int judged_ = 0;
};
