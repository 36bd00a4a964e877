#pragma once

#include <cstddef>
#include <cstdint>

// MODBUS RTU CRC-16 over `length` bytes. The result holds the low-order byte
// of the CRC register in its high byte, so storing it high byte first puts
// the CRC on the wire in the order the bus expects.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t length);
