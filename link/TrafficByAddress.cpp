#include "link/TrafficByAddress.h"

void TrafficByAddress::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                                   std::size_t replyLength)
{
    current_ = frame.empty() ? nullptr : &logOf(frame[0]);
    if (current_)
        current_->requestSent(at, frame, written, replyLength);
}

void TrafficByAddress::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    if (current_)
        current_->bytesReceived(at, bytes);
}

void TrafficByAddress::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    if (current_)
        current_->bytesDiscarded(at, count);
}

void TrafficByAddress::outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode)
{
    if (current_)
        current_->outcome(at, outcome, exceptionCode);
}

TrafficCounters TrafficByAddress::counters(std::uint8_t address) const
{
    const auto it = logs_.find(address);
    return it == logs_.end() ? TrafficCounters{} : it->second.counters();
}

TrafficLog& TrafficByAddress::logOf(std::uint8_t address)
{
    return logs_.try_emplace(address, capacity_).first->second;
}
