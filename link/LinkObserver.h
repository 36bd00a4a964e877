#pragma once

#include "link/Mbap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// When something happened on the line: a monotonic clock for intervals and
// rates, the wall clock for people reading a log. Both in microseconds.
struct LinkTime {
    std::int64_t monotonicUs = 0;
    std::int64_t wallUs = 0;   // since 1970-01-01 UTC
};

// Both clocks read now.
LinkTime linkTimeNow();

// What the engine decided about the transaction under way. Each transaction
// gets exactly one: the first judgement of its reply, or its time-out when
// nothing was judged. A CRC mismatch that leaves the transaction waiting is
// that transaction's outcome; the time-out that follows it is not another.
enum class LinkOutcome {
    Valid,
    WrongReply,    // address or function byte differ
    CrcMismatch,   // also a reply whose content the transaction refuses
    Timeout,
    Refused,       // an exception reply: the controller declined the request
};

// What a port tells of its own line, beyond the bytes it carries.
struct PortNote {
    enum class Kind {
        Lost,            // the device or connection went away
        Restored,        // opened again under the same name
        HeaderSent,      // the MODBUS TCP header the request went out with
        HeaderReceived,  // the header the reply came with
        RoundTrip,       // request sent to first reply byte in
    };
    Kind kind = Kind::Lost;
    MbapHeader header{};
    std::int64_t roundTripUs = 0;
    std::string detail;   // Lost, Restored: the port's name and why
};

// Code of an exception reply (03: illegal data value) in words for people,
// e.g. "illegal data value (03)".
std::string refusalText(std::uint8_t exceptionCode);

// Watches the traffic of the device link without taking part in it. Every
// call is made from inside an engine tick, before the engine acts on what
// it reports, so a modal box the outcome opens comes after the report.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // A request went to the port; `written` is what the port took (-1 when
    // the write failed). `replyLength` is the length of the reply awaited.
    virtual void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                             std::size_t replyLength) = 0;
    // Bytes the engine read from the port, exactly as read.
    virtual void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) = 0;
    // The receive queue was dropped with `count` bytes unread in it.
    virtual void bytesDiscarded(const LinkTime& at, std::size_t count) = 0;
    // `exceptionCode` is the refusal's code for LinkOutcome::Refused, else 0.
    virtual void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode) = 0;
    // What the port noted of its line (see PortNote); ignored unless wanted.
    virtual void portNote(const LinkTime& /*at*/, const PortNote& /*note*/) {}
};
