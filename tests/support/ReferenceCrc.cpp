#include "support/ReferenceCrc.h"

namespace {

std::uint16_t bitwiseCrc(const std::uint8_t* bytes, std::size_t count)
{
    std::uint16_t crc = 0xFFFF;
    for (std::size_t i = 0; i < count; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

} // namespace

std::vector<std::uint8_t> withCrc(std::vector<std::uint8_t> frame)
{
    const std::uint16_t crc = bitwiseCrc(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    return frame;
}

bool crcGood(const std::vector<std::uint8_t>& frame)
{
    if (frame.size() < 3)
        return false;
    const std::uint16_t crc = bitwiseCrc(frame.data(), frame.size() - 2);
    return frame[frame.size() - 2] == (crc & 0xFF) && frame[frame.size() - 1] == (crc >> 8);
}
