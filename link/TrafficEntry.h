#pragma once

#include "link/FrameDecoder.h"
#include "link/LinkObserver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One line of the link monitor: a request, a reply (or what came instead),
// or an event of the line such as a time-out or a dropped receive queue.
struct TrafficEntry {
    enum class Kind : std::uint8_t {
        Request,        // sent
        NotSent,        // the port refused the request
        Reply,          // valid reply
        WrongReply,     // address or function not the awaited one
        CrcError,
        ExceptionReply,
        Incomplete,     // part of a reply when the wait ran out
        Unframed,       // bytes outside any reply
        Discarded,      // receive queue dropped unread
        Timeout,
        // The simulator's side of the line.
        Served,         // a request it answered
        Injected,       // a reply it spoiled on purpose (see faults)
        // The port itself.
        PortLost,       // its device or connection went away (bytes: none; note: why)
        PortRestored,   // opened again under the same name
    };
    enum class Direction : std::uint8_t { Out, In, None };
    // Faults the simulator put into a reply.
    enum Fault : std::uint8_t { Dropped = 1, BadCrc = 2, Stray = 4, OtherAddress = 8 };

    LinkTime time;
    Kind kind = Kind::Request;
    Direction direction = Direction::None;
    std::uint8_t faults = 0;
    // Bytes discarded; stray bytes ahead of an injected reply, or ahead of
    // a reply the engine took for a wrong one because of them.
    std::uint32_t count = 0;
    FrameDecoder::RequestHeader request{};  // the request a reply answers
    std::vector<std::uint8_t> bytes;
    // The MODBUS TCP header the frame travelled with; bytes hold it as RTU.
    std::optional<MbapHeader> mbap;
    std::string note;   // PortLost, PortRestored: the port and why

    bool isError() const;
};

// The columns of the monitor, as the table shows them and the log files
// hold them.
namespace TrafficText {
std::string time(const TrafficEntry& entry);        // local hh:mm:ss.mmm
std::string fullTime(const TrafficEntry& entry);    // local yyyy-mm-dd hh:mm:ss.uuuuuu
std::string direction(const TrafficEntry& entry);   // "TX", "RX" or ""
std::string hex(const TrafficEntry& entry);
std::string decoded(const TrafficEntry& entry);
std::string outcome(const TrafficEntry& entry);

// One line of a text log, without the line end.
std::string textLine(const TrafficEntry& entry);
std::string csvHeader();
std::string csvLine(const TrafficEntry& entry);
} // namespace TrafficText
