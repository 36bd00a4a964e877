#pragma once

#include <cstdint>
#include <vector>

// MODBUS CRC for test peers, worked out bit by bit: independent of the
// table-driven Crc16 under test.

// The frame with its CRC appended, low byte first as on the wire.
std::vector<std::uint8_t> withCrc(std::vector<std::uint8_t> frame);
// Whether the last two bytes are a correct CRC of the rest.
bool crcGood(const std::vector<std::uint8_t>& frame);
