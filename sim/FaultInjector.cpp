#include "sim/FaultInjector.h"

#include "link/Crc16.h"

namespace {

// Keeps the fault draws apart from the plant's noise drawn from the same seed.
constexpr std::uint64_t kFaultStream = 0x6661756C74730000ull;
constexpr int kMostStray = 3;

} // namespace

FaultInjector::FaultInjector(const FaultSettings& settings)
    : settings_(settings), random_(settings.seed ^ kFaultStream)
{
}

FaultInjector::Decision FaultInjector::next()
{
    Decision d;
    d.drop = random_.chance(settings_.drop);
    d.corruptCrc = random_.chance(settings_.corruptCrc);
    const bool stray = random_.chance(settings_.stray);
    d.wrongAddress = random_.chance(settings_.wrongAddress);
    const int strayCount = 1 + static_cast<int>(random_.next() % kMostStray);
    std::uint8_t strayBytes[kMostStray];
    for (std::uint8_t& b : strayBytes)
        b = static_cast<std::uint8_t>(random_.next());
    d.crcFlip = static_cast<std::uint8_t>(1 + random_.next() % 255);
    if (stray)
        d.stray.assign(strayBytes, strayBytes + strayCount);
    if (!d.corruptCrc)
        d.crcFlip = 0;
    return d;
}

std::uint8_t FaultInjector::otherAddress(std::uint8_t address)
{
    return address == 255 ? 1 : static_cast<std::uint8_t>(address + 1);
}

std::vector<std::uint8_t> FaultInjector::frame(std::uint8_t address, const std::vector<std::uint8_t>& pdu,
                                               const Decision& decision)
{
    if (decision.drop || pdu.empty())
        return {};
    std::vector<std::uint8_t> out(decision.stray);
    const std::size_t start = out.size();
    out.push_back(decision.wrongAddress ? otherAddress(address) : address);
    out.insert(out.end(), pdu.begin(), pdu.end());
    const std::uint16_t crc = Crc16(out.data() + start, out.size() - start);
    out.push_back(static_cast<std::uint8_t>(crc >> 8));
    out.push_back(static_cast<std::uint8_t>((crc & 0xFF) ^ decision.crcFlip));
    return out;
}
