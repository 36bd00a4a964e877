#include "sim/RequestAssembler.h"

#include "link/Crc16.h"

namespace {

constexpr int kAddressFunctionCrc = 4;

// Length of the RTU request that starts with `bytes` (address, function,
// ...): 0 while too few bytes are there to tell, -1 for a function whose
// requests have no length we know (such a frame ends with the line falling
// silent).
int rtuRequestLength(const std::uint8_t* bytes, std::size_t count)
{
    if (count < 2)
        return 0;
    switch (bytes[1]) {
    case 0x01:
    case 0x02:
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x06:
        return 8;
    case 0x07:
    case 0x0B:
    case 0x0C:
    case 0x11:
        return kAddressFunctionCrc;
    case 0x0F:
    case 0x10:
        // address, function, first (2), count (2), byte count, data, CRC
        return count < 7 ? 0 : 9 + bytes[6];
    default:
        return -1;
    }
}

// True when the last two of `count` bytes are the MODBUS CRC of the others.
bool rtuCrcMatches(const std::uint8_t* bytes, std::size_t count)
{
    if (count < 3)
        return false;
    const std::uint16_t sent = static_cast<std::uint16_t>(bytes[count - 2] << 8 | bytes[count - 1]);
    return Crc16(bytes, count - 2) == sent;
}

} // namespace

void RequestAssembler::add(const std::uint8_t* bytes, std::size_t count)
{
    buffer_.insert(buffer_.end(), bytes, bytes + count);
    if (buffer_.size() > kMostBuffered) {
        buffer_.clear();
        ++dropped_;
    }
}

std::optional<std::vector<std::uint8_t>> RequestAssembler::next()
{
    const int length = rtuRequestLength(buffer_.data(), buffer_.size());
    if (length <= 0 || buffer_.size() < static_cast<std::size_t>(length))
        return std::nullopt;
    const std::size_t size = static_cast<std::size_t>(length);
    if (!rtuCrcMatches(buffer_.data(), size)) {
        buffer_.clear();
        ++dropped_;
        return std::nullopt;
    }
    std::vector<std::uint8_t> frame(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(size));
    return frame;
}

std::optional<std::vector<std::uint8_t>> RequestAssembler::silence()
{
    if (buffer_.empty())
        return std::nullopt;
    std::vector<std::uint8_t> frame;
    frame.swap(buffer_);
    if (rtuRequestLength(frame.data(), frame.size()) == -1 && frame.size() >= kAddressFunctionCrc
        && rtuCrcMatches(frame.data(), frame.size()))
        return frame;
    ++dropped_;
    return std::nullopt;
}
