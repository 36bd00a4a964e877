#pragma once

#include "link/LinkObserver.h"
#include "link/TrafficEntry.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// Running totals of the link monitor.
struct TrafficCounters {
    std::uint64_t requests = 0;
    std::uint64_t validReplies = 0;
    std::uint64_t timeouts = 0;
    std::uint64_t crcErrors = 0;
    std::uint64_t wrongReplies = 0;   // exception replies not included
    std::uint64_t exceptionReplies = 0;
    std::uint64_t bytesOut = 0;
    std::uint64_t bytesIn = 0;
    // Request sent to first reply byte in, as the port measured it.
    std::uint64_t roundTrips = 0;
    std::int64_t lastRoundTripUs = 0;
    std::int64_t totalRoundTripUs = 0;
    std::uint64_t portLosses = 0;
};

// Told of every entry as it is added, and of old entries as the bound
// pushes them out.
class TrafficListener {
public:
    virtual ~TrafficListener() = default;
    virtual void entryAdded(const TrafficEntry& entry) = 0;
    virtual void oldestDropped(std::size_t count) = 0;
    virtual void cleared() = 0;
};

// The monitor's record of the line: watches the engine through the link
// tap, groups the received chunks into the frames the engine judged (by the
// length of the reply it awaited and the outcome it decided), keeps the
// newest `capacity` entries, and counts.
class TrafficLog : public LinkObserver {
public:
    static constexpr std::size_t kDefaultCapacity = 100000;

    explicit TrafficLog(std::size_t capacity = kDefaultCapacity);

    void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                     std::size_t replyLength) override;
    void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
    void bytesDiscarded(const LinkTime& at, std::size_t count) override;
    void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode) override;
    void portNote(const LinkTime& at, const PortNote& note) override;

    // Adds an entry made elsewhere (the simulator's side of the line).
    void add(TrafficEntry entry);
    // Forgets every entry and every count.
    void clear();

    void addListener(TrafficListener* listener);
    void removeListener(TrafficListener* listener);

    std::size_t size() const { return entries_.size(); }
    std::size_t capacity() const { return capacity_; }
    // Entry n, counted from the first entry ever added (the sequence number).
    std::uint64_t firstSequence() const { return dropped_; }
    std::uint64_t endSequence() const { return dropped_ + entries_.size(); }
    const TrafficEntry& at(std::uint64_t sequence) const { return entries_[sequence - dropped_]; }
    const std::deque<TrafficEntry>& entries() const { return entries_; }
    // Entries pushed out by the bound since the last clear.
    std::uint64_t dropped() const { return dropped_; }

    const TrafficCounters& counters() const { return counters_; }
    // Share of the transactions judged in the minute before `nowUs`
    // (monotonic) that ended by time-out; 0 when there were none.
    double timeoutRate(std::int64_t nowUs) const;

private:
    // Turns the bytes of the transaction under way that no outcome has
    // claimed into an entry.
    void flushPending(TrafficEntry::Kind kind);
    void addBytes(const LinkTime& at, TrafficEntry::Kind kind, TrafficEntry::Direction direction,
                  std::vector<std::uint8_t> bytes, std::optional<MbapHeader> mbap = std::nullopt,
                  std::uint32_t stray = 0);
    void countOutcome(std::int64_t atUs, bool timedOut);

    struct Judged {
        std::int64_t atUs;
        bool timedOut;
    };

    std::size_t capacity_;
    std::deque<TrafficEntry> entries_;
    std::uint64_t dropped_ = 0;
    TrafficCounters counters_;
    std::deque<Judged> lastMinute_;
    std::vector<TrafficListener*> listeners_;

    // Nothing is recorded of an exchange whose request came before the
    // log was set up or cleared: it starts at the next request.
    bool started_ = false;
    // The transaction under way.
    FrameDecoder::RequestHeader request_{};
    std::size_t replyLength_ = 0;
    bool judged_ = true;
    std::vector<std::uint8_t> pending_;
    LinkTime pendingSince_;
    // MODBUS TCP headers noted for the request about to be logged and for
    // the reply under way.
    std::optional<MbapHeader> requestHeader_;
    std::optional<MbapHeader> replyHeader_;
};
