#include "link/Mbap.h"

#include "link/Crc16.h"
#include "link/Frames.h"

#include <algorithm>

namespace Mbap {

namespace {

constexpr std::size_t kCrcBytes = 2;

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] * 256U + bytes[at + 1]);
}

void putWord(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void appendCrc(std::vector<std::uint8_t>& frame)
{
    const std::uint16_t crc = Crc16(frame.data(), frame.size());
    putWord(frame, crc);
}

bool usableLength(std::uint16_t length)
{
    // A unit id and at least a function code.
    return length >= 2 && length <= kMaxLength;
}

} // namespace

std::optional<MbapHeader> header(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    return MbapHeader{word(bytes, 0), word(bytes, 2), word(bytes, 4), bytes[6]};
}

std::vector<std::uint8_t> fromRtu(std::span<const std::uint8_t> rtu, std::uint16_t transactionId)
{
    if (rtu.size() < 2 + kCrcBytes)
        return {};
    const std::size_t pduLength = rtu.size() - 1 - kCrcBytes;
    std::vector<std::uint8_t> frame;
    frame.reserve(kHeaderSize + pduLength);
    putWord(frame, transactionId);
    putWord(frame, 0);
    putWord(frame, static_cast<std::uint16_t>(1 + pduLength));
    frame.insert(frame.end(), rtu.begin(), rtu.end() - kCrcBytes);
    return frame;
}

std::vector<std::uint8_t> toRtu(std::span<const std::uint8_t> frame)
{
    const auto size = frameSize(frame);
    if (!size || *size == 0 || frame.size() < *size)
        return {};
    std::vector<std::uint8_t> rtu(frame.begin() + kHeaderSize - 1, frame.begin() + static_cast<std::ptrdiff_t>(*size));
    appendCrc(rtu);
    return rtu;
}

std::optional<std::size_t> frameSize(std::span<const std::uint8_t> stream)
{
    const auto head = header(stream);
    if (!head)
        return 0;
    if (head->protocolId != 0 || !usableLength(head->length))
        return std::nullopt;
    return kHeaderSize - 1 + head->length;
}

std::optional<std::size_t> replyPduLength(std::span<const std::uint8_t> pdu)
{
    if (pdu.empty())
        return std::nullopt;
    const std::uint8_t function = pdu[0];
    if ((function & 0x80) != 0)
        return 2;   // exception: function and code
    switch (function) {
    case Frames::Function::ReadCoils:
    case Frames::Function::ReadDiscreteInputs:
    case Frames::Function::ReadHoldingRegisters:
    case Frames::Function::ReadInputRegisters:
        if (pdu.size() < 2)
            return std::nullopt;
        return 2 + static_cast<std::size_t>(pdu[1]);
    case Frames::Function::WriteCoil:
    case Frames::Function::WriteRegister:
    case Frames::Function::WriteRegisters:
        return 5;
    default:
        return std::nullopt;
    }
}

ReplyCheck checkReply(std::span<const std::uint8_t> stream, std::uint16_t transactionId, std::uint8_t unitId,
                      std::size_t rtuReplyLength)
{
    ReplyCheck check;
    check.seen = header(stream);
    const auto size = frameSize(stream);
    if (size && (*size == 0 || stream.size() < *size))
        return check;

    bool accepted = false;
    std::span<const std::uint8_t> pdu;
    if (size) {
        check.consumed = *size;
        pdu = stream.subspan(kHeaderSize, *size - kHeaderSize);
        const auto implied = replyPduLength(pdu);
        accepted = check.seen->transactionId == transactionId && check.seen->unitId == unitId && implied
            && *implied == pdu.size();
    } else {
        // No header to frame by: nothing after it can be trusted either.
        check.consumed = stream.size();
    }

    if (accepted) {
        check.status = ReplyCheck::Status::Accepted;
        check.rtu.push_back(unitId);
        check.rtu.insert(check.rtu.end(), pdu.begin(), pdu.end());
        appendCrc(check.rtu);
        return check;
    }
    check.status = ReplyCheck::Status::Refused;
    check.rtu.assign(std::max<std::size_t>(rtuReplyLength, 2 + kCrcBytes), 0);
    check.rtu[0] = static_cast<std::uint8_t>(~unitId);
    std::copy_n(pdu.begin(), std::min(pdu.size(), check.rtu.size() - 1 - kCrcBytes), check.rtu.begin() + 1);
    return check;
}

std::size_t rtuReplyLength(std::span<const std::uint8_t> rtuRequest)
{
    if (rtuRequest.size() < 6)
        return 0;
    return Frames::replyLength(rtuRequest[1], word(rtuRequest, 4));
}

std::string describe(const MbapHeader& header)
{
    std::string text = "tid " + std::to_string(header.transactionId) + " unit " + std::to_string(header.unitId);
    if (header.protocolId != 0)
        text += " protocol " + std::to_string(header.protocolId);
    return text;
}

} // namespace Mbap
