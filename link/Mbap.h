#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The header a MODBUS TCP frame carries in place of the RTU address and CRC:
// transaction id, protocol id (0), the count of bytes that follow it (unit
// id and PDU) and the unit id, which is the bus address behind a gateway.
struct MbapHeader {
    std::uint16_t transactionId = 0;
    std::uint16_t protocolId = 0;
    std::uint16_t length = 0;
    std::uint8_t unitId = 0;
};

namespace Mbap {

constexpr std::size_t kHeaderSize = 7;
// Unit id and the longest PDU, 253 bytes.
constexpr std::uint16_t kMaxLength = 254;

// The header at the start of `bytes`; empty when fewer than seven bytes.
std::optional<MbapHeader> header(std::span<const std::uint8_t> bytes);

// The MODBUS TCP frame of an RTU frame (address, PDU, CRC): the header with
// `transactionId` and unit id = the address, then the PDU, no CRC. Empty
// when `rtu` is shorter than address, function and CRC.
std::vector<std::uint8_t> fromRtu(std::span<const std::uint8_t> rtu, std::uint16_t transactionId);
// The RTU frame of a complete MODBUS TCP frame: unit id, PDU and their CRC.
// Empty when `frame` is shorter than its header says or the header is unusable.
std::vector<std::uint8_t> toRtu(std::span<const std::uint8_t> frame);

// Bytes of the frame at the head of a MODBUS TCP stream: 0 while its header
// is incomplete, nothing when the header cannot start a frame (protocol not
// 0, length out of range), which leaves the stream without framing.
std::optional<std::size_t> frameSize(std::span<const std::uint8_t> stream);

// The PDU length a reply's own function code and byte count imply; empty for
// a function the console never asks for or a PDU too short to tell.
std::optional<std::size_t> replyPduLength(std::span<const std::uint8_t> pdu);

// What the console makes of the bytes a MODBUS TCP stream has brought.
struct ReplyCheck {
    enum class Status {
        Incomplete,  // wait for more
        Accepted,    // `rtu` is the reply as a serial line carries it
        Refused,     // header or length wrong: `rtu` is a reply the engine refuses
    };
    Status status = Status::Incomplete;
    std::size_t consumed = 0;         // bytes of the stream the verdict used up
    std::optional<MbapHeader> seen;   // the header read, when there was one
    std::vector<std::uint8_t> rtu;
};

// Judges the frame at the head of `stream` as the reply to a request sent
// with `transactionId` to `unitId` whose RTU reply is `rtuReplyLength` bytes
// long. A refused reply is handed on as `rtuReplyLength` bytes whose address
// is not `unitId`, so the engine judges it a wrong reply like any other.
ReplyCheck checkReply(std::span<const std::uint8_t> stream, std::uint16_t transactionId, std::uint8_t unitId,
                      std::size_t rtuReplyLength);

// Length of the RTU reply to an RTU request; 0 for a request the console
// never sends.
std::size_t rtuReplyLength(std::span<const std::uint8_t> rtuRequest);

// "tid 7 unit 1" (and "protocol 3" when it is not 0), for the bus monitor.
std::string describe(const MbapHeader& header);

} // namespace Mbap
