#include "link/TrafficLog.h"

#include "link/Frames.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::int64_t kMinuteUs = 60'000'000;

} // namespace

TrafficLog::TrafficLog(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void TrafficLog::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                             std::size_t replyLength)
{
    // Bytes of an abandoned exchange (tab change) that no outcome claimed.
    flushPending(TrafficEntry::Kind::Unframed);
    started_ = true;
    request_ = FrameDecoder::headerOf(frame);
    replyLength_ = replyLength;
    judged_ = false;
    ++counters_.requests;
    const bool sent = written >= 0 && static_cast<std::size_t>(written) == frame.size();
    if (written > 0)
        counters_.bytesOut += static_cast<std::uint64_t>(written);
    replyHeader_.reset();
    addBytes(at, sent ? TrafficEntry::Kind::Request : TrafficEntry::Kind::NotSent, TrafficEntry::Direction::Out,
             {frame.begin(), frame.end()}, std::exchange(requestHeader_, std::nullopt));
}

void TrafficLog::portNote(const LinkTime& at, const PortNote& note)
{
    switch (note.kind) {
    case PortNote::Kind::HeaderSent:
        requestHeader_ = note.header;
        return;
    case PortNote::Kind::HeaderReceived:
        replyHeader_ = note.header;
        return;
    case PortNote::Kind::RoundTrip:
        if (!started_)
            return;
        ++counters_.roundTrips;
        counters_.lastRoundTripUs = note.roundTripUs;
        counters_.totalRoundTripUs += note.roundTripUs;
        return;
    case PortNote::Kind::Lost:
    case PortNote::Kind::Restored: {
        const bool lost = note.kind == PortNote::Kind::Lost;
        if (lost)
            ++counters_.portLosses;
        TrafficEntry entry;
        entry.time = at;
        entry.kind = lost ? TrafficEntry::Kind::PortLost : TrafficEntry::Kind::PortRestored;
        entry.note = note.detail;
        add(std::move(entry));
        return;
    }
    }
}

void TrafficLog::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    if (!started_)
        return;
    counters_.bytesIn += bytes.size();
    if (judged_) {
        // Read after the reply was judged: the engine looks no further.
        addBytes(at, TrafficEntry::Kind::Unframed, TrafficEntry::Direction::In, {bytes.begin(), bytes.end()});
        return;
    }
    if (pending_.empty())
        pendingSince_ = at;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

void TrafficLog::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    if (!started_)
        return;
    TrafficEntry entry;
    entry.time = at;
    entry.kind = TrafficEntry::Kind::Discarded;
    entry.count = static_cast<std::uint32_t>(count);
    add(std::move(entry));
}

void TrafficLog::outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t)
{
    if (judged_)
        return;
    judged_ = true;
    using Kind = TrafficEntry::Kind;
    if (outcome == LinkOutcome::Timeout) {
        if (FrameDecoder::isExceptionReply(pending_, request_[1])) {
            ++counters_.exceptionReplies;
            flushPending(Kind::ExceptionReply);
        } else {
            flushPending(Kind::Incomplete);
        }
        ++counters_.timeouts;
        TrafficEntry entry;
        entry.time = at;
        entry.kind = Kind::Timeout;
        entry.request = request_;
        add(std::move(entry));
        countOutcome(at.monotonicUs, true);
        return;
    }

    // The engine judged the first replyLength bytes it collected, or the
    // five of a refusal.
    const std::size_t judgedLength = outcome == LinkOutcome::Refused ? Frames::kExceptionReplyLength : replyLength_;
    // Noise ahead of the reply shifted it out of the engine's view: the noise
    // is shown as such, the reply as a reply the engine did not take.
    const std::size_t stray = outcome == LinkOutcome::Valid || outcome == LinkOutcome::Refused
        ? 0
        : FrameDecoder::strayBytesAhead(request_, pending_);
    if (stray > 0) {
        addBytes(pendingSince_, Kind::Unframed, TrafficEntry::Direction::In,
                 {pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(stray)});
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(stray));
    }
    const std::size_t frameLength = stray > 0 && FrameDecoder::isExceptionReply(pending_, request_[1])
        ? Frames::kExceptionReplyLength
        : judgedLength;
    const std::size_t length = std::min(frameLength, pending_.size());
    std::vector<std::uint8_t> frame(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length));
    std::vector<std::uint8_t> rest(pending_.begin() + static_cast<std::ptrdiff_t>(length), pending_.end());
    pending_.clear();
    Kind kind = Kind::Reply;
    switch (outcome) {
    case LinkOutcome::Valid:
        ++counters_.validReplies;
        break;
    case LinkOutcome::Refused:
        kind = Kind::ExceptionReply;
        ++counters_.exceptionReplies;
        break;
    case LinkOutcome::WrongReply:
        if (FrameDecoder::isExceptionReply(frame, request_[1])) {
            kind = Kind::ExceptionReply;
            ++counters_.exceptionReplies;
        } else {
            kind = Kind::WrongReply;
            ++counters_.wrongReplies;
        }
        break;
    default:
        kind = Kind::CrcError;
        ++counters_.crcErrors;
        break;
    }
    addBytes(pendingSince_, kind, TrafficEntry::Direction::In, std::move(frame), std::exchange(replyHeader_, std::nullopt),
             static_cast<std::uint32_t>(stray));
    if (!rest.empty())
        addBytes(pendingSince_, Kind::Unframed, TrafficEntry::Direction::In, std::move(rest));
    countOutcome(at.monotonicUs, false);
}

void TrafficLog::flushPending(TrafficEntry::Kind kind)
{
    if (pending_.empty())
        return;
    addBytes(pendingSince_, kind, TrafficEntry::Direction::In, std::move(pending_));
    pending_.clear();
}

void TrafficLog::addBytes(const LinkTime& at, TrafficEntry::Kind kind, TrafficEntry::Direction direction,
                          std::vector<std::uint8_t> bytes, std::optional<MbapHeader> mbap, std::uint32_t stray)
{
    TrafficEntry entry;
    entry.count = stray;
    entry.time = at;
    entry.kind = kind;
    entry.direction = direction;
    entry.request = request_;
    entry.bytes = std::move(bytes);
    entry.mbap = mbap;
    add(std::move(entry));
}

void TrafficLog::add(TrafficEntry entry)
{
    entries_.push_back(std::move(entry));
    for (TrafficListener* listener : listeners_)
        listener->entryAdded(entries_.back());
    if (entries_.size() > capacity_) {
        entries_.pop_front();
        ++dropped_;
        for (TrafficListener* listener : listeners_)
            listener->oldestDropped(1);
    }
}

void TrafficLog::clear()
{
    entries_.clear();
    dropped_ = 0;
    counters_ = {};
    lastMinute_.clear();
    pending_.clear();
    started_ = false;
    judged_ = true;
    requestHeader_.reset();
    replyHeader_.reset();
    for (TrafficListener* listener : listeners_)
        listener->cleared();
}

void TrafficLog::addListener(TrafficListener* listener)
{
    listeners_.push_back(listener);
}

void TrafficLog::removeListener(TrafficListener* listener)
{
    std::erase(listeners_, listener);
}

void TrafficLog::countOutcome(std::int64_t atUs, bool timedOut)
{
    lastMinute_.push_back({atUs, timedOut});
    while (!lastMinute_.empty() && lastMinute_.front().atUs <= atUs - kMinuteUs)
        lastMinute_.pop_front();
}

double TrafficLog::timeoutRate(std::int64_t nowUs) const
{
    std::size_t judged = 0;
    std::size_t timedOut = 0;
    for (const Judged& j : lastMinute_) {
        if (j.atUs <= nowUs - kMinuteUs)
            continue;
        ++judged;
        timedOut += j.timedOut ? 1 : 0;
    }
    return judged == 0 ? 0.0 : static_cast<double>(timedOut) / static_cast<double>(judged);
}
