#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Turns frames of the console's catalogue into text a technician reads:
// address, function, the range asked for, the values with their names and
// units where the controller's map knows them, exception replies with the
// meaning of their code, and bytes that make no frame.
namespace FrameDecoder {

// The first six bytes of a request (address, function and the two 16-bit
// fields), enough to read the reply that answers it.
using RequestHeader = std::array<std::uint8_t, 6>;
RequestHeader headerOf(std::span<const std::uint8_t> request);

std::string describeRequest(std::span<const std::uint8_t> frame);
// A reply read against the request it answers; says why it is refused when
// its address, function or CRC is not the one awaited.
std::string describeReply(const RequestHeader& request, std::span<const std::uint8_t> reply);
// Bytes that make no frame.
std::string describeNoise(std::span<const std::uint8_t> bytes);
// What a request asked for, from its header: "to 1: read holding 0-43 (44)".
std::string describeAwaited(const RequestHeader& request);

// Where in `bytes` a whole reply to `request` (awaited address, its
// function or an exception, good CRC) begins after bytes that make no frame
// (noise on the line ahead of the reply); 0 when none does.
std::size_t strayBytesAhead(const RequestHeader& request, std::span<const std::uint8_t> bytes);

// True when `reply` is a complete exception reply (function with bit 7 set,
// code, good CRC) to `function`.
bool isExceptionReply(std::span<const std::uint8_t> reply, std::uint8_t function);
// "Illegal data address" and so on; the MODBUS meanings of codes 1 to 11.
std::string exceptionMeaning(std::uint8_t code);
// The register's value as the map shows it: "35.0 °C", "1500 rpm", "7".
std::string registerValueText(std::uint16_t reg, std::uint16_t raw);

std::string hex(std::span<const std::uint8_t> bytes);

} // namespace FrameDecoder
