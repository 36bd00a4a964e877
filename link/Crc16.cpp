#include "link/Crc16.h"

#include <array>

namespace {

// The two byte tables of the table-driven MODBUS CRC (reflected polynomial
// 0xA001): entry i is the register after shifting byte i through eight
// steps; the "high" table holds its low byte, the "low" table its high byte.
struct CrcTables {
    std::array<std::uint8_t, 256> high{};
    std::array<std::uint8_t, 256> low{};
};

constexpr CrcTables makeTables()
{
    CrcTables tables;
    for (unsigned i = 0; i < 256; ++i) {
        unsigned reg = i;
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1U) ? (reg >> 1) ^ 0xA001U : reg >> 1;
        tables.high[i] = static_cast<std::uint8_t>(reg & 0xFFU);
        tables.low[i] = static_cast<std::uint8_t>(reg >> 8);
    }
    return tables;
}

constexpr CrcTables kTables = makeTables();

static_assert(kTables.high[1] == 0xC1 && kTables.low[1] == 0xC0);
static_assert(kTables.high[2] == 0x81 && kTables.low[2] == 0xC1);
static_assert(kTables.high[255] == 0x40 && kTables.low[255] == 0x40);

} // namespace

std::uint16_t Crc16(const std::uint8_t* data, std::size_t length)
{
    std::uint8_t a = 0xFF;
    std::uint8_t b = 0xFF;
    for (std::size_t n = 0; n < length; ++n) {
        const std::uint8_t i = data[n] ^ a;
        a = kTables.high[i] ^ b;
        b = kTables.low[i];
    }
    return static_cast<std::uint16_t>(a * 256U + b);
}
