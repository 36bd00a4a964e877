#include "link/TrafficEntry.h"

#include <cstdio>
#include <ctime>

bool TrafficEntry::isError() const
{
    switch (kind) {
    case Kind::Request:
    case Kind::Reply:
    case Kind::Served:
    case Kind::PortRestored:
        return false;
    default:
        return true;
    }
}

namespace TrafficText {

namespace {

std::tm localTime(std::int64_t wallUs)
{
    const std::time_t seconds = static_cast<std::time_t>(wallUs / 1000000);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts;
}

std::string injectedFaults(std::uint8_t faults, std::uint32_t stray)
{
    std::string text;
    const auto add = [&text](const std::string& what) { text += (text.empty() ? "" : ", ") + what; };
    if (faults & TrafficEntry::Dropped)
        add("dropped");
    if (faults & TrafficEntry::Stray)
        add(std::to_string(stray) + " stray byte" + (stray == 1 ? "" : "s"));
    if (faults & TrafficEntry::OtherAddress)
        add("other address");
    if (faults & TrafficEntry::BadCrc)
        add("bad CRC");
    return "injected: " + text;
}

std::string csvField(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::string time(const TrafficEntry& entry)
{
    const std::tm t = localTime(entry.time.wallUs);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", t.tm_hour, t.tm_min, t.tm_sec,
                  static_cast<int>(entry.time.wallUs % 1000000 / 1000));
    return text;
}

std::string fullTime(const TrafficEntry& entry)
{
    const std::tm t = localTime(entry.time.wallUs);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%06d", t.tm_year + 1900, t.tm_mon + 1,
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, static_cast<int>(entry.time.wallUs % 1000000));
    return text;
}

std::string direction(const TrafficEntry& entry)
{
    switch (entry.direction) {
    case TrafficEntry::Direction::Out: return "TX";
    case TrafficEntry::Direction::In: return "RX";
    default: return "";
    }
}

std::string hex(const TrafficEntry& entry)
{
    return FrameDecoder::hex(entry.bytes);
}

namespace {

std::string decodedFrame(const TrafficEntry& entry)
{
    using Kind = TrafficEntry::Kind;
    switch (entry.kind) {
    case Kind::Request:
    case Kind::NotSent:
    case Kind::Served:
        return FrameDecoder::describeRequest(entry.bytes);
    case Kind::Reply:
    case Kind::WrongReply:
    case Kind::CrcError:
    case Kind::ExceptionReply:
    case Kind::Incomplete:
        if (entry.count > 0)
            return FrameDecoder::describeReply(entry.request, entry.bytes) + " (" + std::to_string(entry.count)
                   + (entry.count == 1 ? " stray byte" : " stray bytes") + " came first)";
        return FrameDecoder::describeReply(entry.request, entry.bytes);
    case Kind::Unframed:
        return FrameDecoder::describeNoise(entry.bytes);
    case Kind::Discarded:
        return std::to_string(entry.count) + " unread byte" + (entry.count == 1 ? "" : "s") + " dropped";
    case Kind::Timeout:
        return "no valid reply in time (" + FrameDecoder::describeAwaited(entry.request) + ")";
    case Kind::Injected: {
        if (entry.faults & TrafficEntry::Dropped)
            return "reply withheld";
        const std::size_t stray = entry.count < entry.bytes.size() ? entry.count : entry.bytes.size();
        const std::span<const std::uint8_t> reply(entry.bytes.data() + stray, entry.bytes.size() - stray);
        FrameDecoder::RequestHeader request = entry.request;
        if (entry.faults & TrafficEntry::OtherAddress && !reply.empty())
            request[0] = reply[0];   // read it as the reply it pretends to be
        return FrameDecoder::describeReply(request, reply);
    }
    case Kind::PortLost:
    case Kind::PortRestored:
        return entry.note;
    }
    return {};
}

} // namespace

std::string decoded(const TrafficEntry& entry)
{
    if (entry.mbap)
        // Appended rather than "literal" + string: GCC 12's Release build warns on that falsely.
        return std::string("[").append(Mbap::describe(*entry.mbap)).append("] ").append(decodedFrame(entry));
    return decodedFrame(entry);
}

std::string outcome(const TrafficEntry& entry)
{
    using Kind = TrafficEntry::Kind;
    switch (entry.kind) {
    case Kind::Request: return "request";
    case Kind::NotSent: return "not sent";
    case Kind::Reply: return "valid";
    case Kind::WrongReply: return "wrong reply";
    case Kind::CrcError: return "CRC error";
    case Kind::ExceptionReply: return "exception";
    case Kind::Incomplete: return "incomplete";
    case Kind::Unframed: return "no frame";
    case Kind::Discarded: return "discarded";
    case Kind::Timeout: return "time-out";
    case Kind::Served: return "served";
    case Kind::Injected: return injectedFaults(entry.faults, entry.count);
    case Kind::PortLost: return "port lost";
    case Kind::PortRestored: return "port back";
    }
    return {};
}

std::string textLine(const TrafficEntry& entry)
{
    std::string line = fullTime(entry) + "  ";
    const std::string dir = direction(entry);
    line += dir.empty() ? "--" : dir;
    line += "  " + outcome(entry) + "  [" + hex(entry) + "]  " + decoded(entry);
    return line;
}

std::string csvHeader()
{
    return "time,monotonic_us,direction,outcome,hex,decoded";
}

std::string csvLine(const TrafficEntry& entry)
{
    return csvField(fullTime(entry)) + "," + std::to_string(entry.time.monotonicUs) + "," + csvField(direction(entry))
        + "," + csvField(outcome(entry)) + "," + csvField(hex(entry)) + "," + csvField(decoded(entry));
}

} // namespace TrafficText
