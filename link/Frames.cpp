#include "link/Frames.h"

#include "link/Crc16.h"

namespace Frames {

namespace {

constexpr std::size_t kHeaderBytes = 3;  // address, function, byte count
constexpr std::size_t kCrcBytes = 2;

void putWord(TxBuffer& frame, std::size_t offset, std::uint16_t value)
{
    frame[offset] = static_cast<std::uint8_t>(value >> 8);
    frame[offset + 1] = static_cast<std::uint8_t>(value & 0xFFU);
}

std::size_t buildFourByteRequest(TxBuffer& frame, std::uint8_t address, std::uint8_t function,
                                 std::uint16_t first, std::uint16_t second)
{
    frame[0] = address;
    frame[1] = function;
    putWord(frame, 2, first);
    putWord(frame, 4, second);
    return appendCrc(frame, 6);
}

bool isRead(std::uint8_t function)
{
    return function >= Function::ReadCoils && function <= Function::ReadInputRegisters;
}

} // namespace

std::size_t buildRead(TxBuffer& frame, std::uint8_t address, std::uint8_t function,
                      std::uint16_t first, std::uint16_t quantity)
{
    if (!isRead(function))
        return 0;
    return buildFourByteRequest(frame, address, function, first, quantity);
}

std::size_t buildWriteCoil(TxBuffer& frame, std::uint8_t address, std::uint16_t coil,
                           std::uint16_t value)
{
    return buildFourByteRequest(frame, address, Function::WriteCoil, coil, value);
}

std::size_t buildWriteRegister(TxBuffer& frame, std::uint8_t address, std::uint16_t reg,
                               std::uint16_t value)
{
    return buildFourByteRequest(frame, address, Function::WriteRegister, reg, value);
}

std::size_t buildWriteRegisters(TxBuffer& frame, std::uint8_t address, std::uint16_t first,
                                std::span<const std::uint16_t> values)
{
    const std::size_t length = 7 + 2 * values.size();
    if (values.empty() || length + kCrcBytes > frame.size())
        return 0;
    frame[0] = address;
    frame[1] = Function::WriteRegisters;
    putWord(frame, 2, first);
    putWord(frame, 4, static_cast<std::uint16_t>(values.size()));
    frame[6] = static_cast<std::uint8_t>(2 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        putWord(frame, 7 + 2 * i, values[i]);
    return appendCrc(frame, length);
}

std::size_t appendCrc(TxBuffer& frame, std::size_t length)
{
    if (length > frame.size() - kCrcBytes)
        return 0;
    putWord(frame, length, Crc16(frame.data(), length));
    return length + kCrcBytes;
}

std::size_t replyLength(std::uint8_t function, std::uint16_t quantity)
{
    switch (function) {
    case Function::ReadCoils:
    case Function::ReadDiscreteInputs:
        return kHeaderBytes + (quantity + 7U) / 8U + kCrcBytes;
    case Function::ReadHoldingRegisters:
    case Function::ReadInputRegisters:
        return kHeaderBytes + 2U * quantity + kCrcBytes;
    case Function::WriteCoil:
    case Function::WriteRegister:
    case Function::WriteRegisters:
        return 8;
    default:
        return 0;
    }
}

ReplyStatus checkReply(std::span<const std::uint8_t> received, std::size_t expectedLength,
                       std::uint8_t address, std::uint8_t function)
{
    if (received.size() < expectedLength)
        return ReplyStatus::Incomplete;
    // No reply shorter than address, function and CRC can carry either test.
    if (expectedLength < 2 + kCrcBytes)
        return ReplyStatus::WrongReply;
    if (received[0] != address || received[1] != function)
        return ReplyStatus::WrongReply;
    const std::size_t crcAt = expectedLength - kCrcBytes;
    const unsigned carried = received[crcAt] * 256U + received[crcAt + 1];
    if (carried != Crc16(received.data(), crcAt))
        return ReplyStatus::CrcMismatch;
    return ReplyStatus::Valid;
}

std::optional<std::uint8_t> exceptionCode(std::span<const std::uint8_t> received, std::uint8_t address,
                                          std::uint8_t function)
{
    if (received.size() < kExceptionReplyLength || received[0] != address || received[1] != (function | 0x80U))
        return std::nullopt;
    const unsigned carried = received[3] * 256U + received[4];
    if (carried != Crc16(received.data(), 3))
        return std::nullopt;
    return received[2];
}

std::optional<std::uint16_t> wordAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (offset >= bytes.size() || bytes.size() - offset < 2)
        return std::nullopt;
    return static_cast<std::uint16_t>(bytes[offset] * 256U + bytes[offset + 1]);
}

std::optional<std::uint16_t> registerValue(std::span<const std::uint8_t> reply, std::size_t k)
{
    if (reply.size() < kHeaderBytes + kCrcBytes)
        return std::nullopt;
    const std::size_t dataBytes = reply.size() - kHeaderBytes - kCrcBytes;
    if (k >= dataBytes / 2)
        return std::nullopt;
    return wordAt(reply, kHeaderBytes + 2 * k);
}

std::optional<std::int16_t> signedRegisterValue(std::span<const std::uint8_t> reply, std::size_t k)
{
    const auto value = registerValue(reply, k);
    if (!value)
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<bool> bitValue(std::span<const std::uint8_t> reply, std::size_t n)
{
    if (reply.size() < kHeaderBytes + kCrcBytes)
        return std::nullopt;
    const std::size_t dataBytes = reply.size() - kHeaderBytes - kCrcBytes;
    if (n / 8 >= dataBytes)
        return std::nullopt;
    return ((reply[kHeaderBytes + n / 8] >> (n % 8)) & 1U) != 0;
}

} // namespace Frames
