#pragma once

#include "link/LinkObserver.h"
#include "link/TrafficLog.h"

#include <cstdint>
#include <map>

// The bus monitor's record kept apart for each bus address: every request
// and whatever follows it until the next request goes to the TrafficLog of
// the address the request was sent to, so that each controller on a bus has
// its own counts, judged exactly as the monitor judges them.
class TrafficByAddress : public LinkObserver {
public:
    // Each address keeps only this many entries; the counts are whole.
    explicit TrafficByAddress(std::size_t entriesPerAddress = 64) : capacity_(entriesPerAddress) {}

    void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                     std::size_t replyLength) override;
    void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
    void bytesDiscarded(const LinkTime& at, std::size_t count) override;
    void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode) override;

    // The counts of one address; all zero for one never asked.
    TrafficCounters counters(std::uint8_t address) const;

private:
    TrafficLog& logOf(std::uint8_t address);

    std::size_t capacity_;
    std::map<std::uint8_t, TrafficLog> logs_;
    TrafficLog* current_ = nullptr;   // the log of the request under way
};
