#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// MODBUS RTU frames as the console sends and accepts them: byte 0 the bus
// address, byte 1 the function code, 16-bit fields high byte first, and the
// CRC of everything before it in the last two bytes.
namespace Frames {

namespace Function {
constexpr std::uint8_t ReadCoils = 0x01;
constexpr std::uint8_t ReadDiscreteInputs = 0x02;
constexpr std::uint8_t ReadHoldingRegisters = 0x03;
constexpr std::uint8_t ReadInputRegisters = 0x04;
constexpr std::uint8_t WriteCoil = 0x05;
constexpr std::uint8_t WriteRegister = 0x06;
constexpr std::uint8_t WriteRegisters = 0x10;
}

constexpr std::uint16_t CoilOn = 0xFF00;
constexpr std::uint16_t CoilOff = 0x0000;

using TxBuffer = std::array<std::uint8_t, 76>;

// Every builder writes a complete request, CRC included, from byte 0 of
// `frame` and returns its length. It writes nothing and returns 0 when the
// request would not fit or the function is not of its kind.

// Read coils, discrete inputs, holding or input registers (0x01 to 0x04).
std::size_t buildRead(TxBuffer& frame, std::uint8_t address, std::uint8_t function,
                      std::uint16_t first, std::uint16_t quantity);
// Write one coil (0x05); value CoilOn or CoilOff.
std::size_t buildWriteCoil(TxBuffer& frame, std::uint8_t address, std::uint16_t coil,
                           std::uint16_t value);
// Write one register (0x06).
std::size_t buildWriteRegister(TxBuffer& frame, std::uint8_t address, std::uint16_t reg,
                               std::uint16_t value);
// Write consecutive registers (0x10): 9 + 2N bytes, so at most 33 values.
std::size_t buildWriteRegisters(TxBuffer& frame, std::uint8_t address, std::uint16_t first,
                                std::span<const std::uint16_t> values);

// Stores the CRC of the first `length` bytes behind them; returns the new
// length, or 0 when the two bytes do not fit.
std::size_t appendCrc(TxBuffer& frame, std::size_t length);

// Length of the reply to a request of `function` for `quantity` coils,
// inputs or registers (ignored by the write functions); 0 for an unknown
// function.
std::size_t replyLength(std::uint8_t function, std::uint16_t quantity);

enum class ReplyStatus {
    Incomplete,   // fewer bytes than the reply needs
    WrongReply,   // address or function byte differ (exception replies too)
    CrcMismatch,
    Valid,
};

// Judges the first `expectedLength` bytes of `received`; bytes beyond them
// are ignored. Never reads outside `received`.
ReplyStatus checkReply(std::span<const std::uint8_t> received, std::size_t expectedLength,
                       std::uint8_t address, std::uint8_t function);

// Length of an exception reply: address, function | 0x80, code, CRC.
constexpr std::size_t kExceptionReplyLength = 5;

// The code of an exception reply to a request of `function` from `address`
// in the first five bytes of `received`: function byte with bit 7 set and a
// valid CRC. Empty for anything else, and while fewer bytes are in.
std::optional<std::uint8_t> exceptionCode(std::span<const std::uint8_t> received, std::uint8_t address,
                                          std::uint8_t function);

// 16-bit value, high byte first, at byte `offset`; empty outside `bytes`.
std::optional<std::uint16_t> wordAt(std::span<const std::uint8_t> bytes, std::size_t offset);
// Register k of a read-register reply (bytes 3 + 2k and 4 + 2k); empty when
// that register lies outside the data bytes before the CRC.
std::optional<std::uint16_t> registerValue(std::span<const std::uint8_t> reply, std::size_t k);
std::optional<std::int16_t> signedRegisterValue(std::span<const std::uint8_t> reply, std::size_t k);
// Coil or input n of a read-bits reply: bit n % 8 of data byte n / 8.
std::optional<bool> bitValue(std::span<const std::uint8_t> reply, std::size_t n);

// Register image of a field: the low 16 bits of its value, so an 8-bit
// field goes out with a high byte of 0 and a negative one as two's complement.
constexpr std::uint16_t encodeRegister(std::int32_t field)
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(field) & 0xFFFFU);
}

} // namespace Frames
