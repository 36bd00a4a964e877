#include "cli/OutcomeWatch.h"

void OutcomeWatch::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                               std::size_t replyLength)
{
    if (next_)
        next_->requestSent(at, frame, written, replyLength);
}

void OutcomeWatch::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    if (next_)
        next_->bytesReceived(at, bytes);
}

void OutcomeWatch::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    if (next_)
        next_->bytesDiscarded(at, count);
}

void OutcomeWatch::outcome(const LinkTime& at, LinkOutcome outcome)
{
    ++judged_;
    if (outcome == LinkOutcome::Valid)
        ++valid_;
    if (next_)
        next_->outcome(at, outcome);
}
