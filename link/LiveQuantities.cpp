#include "link/LiveQuantities.h"

namespace LiveQuantities {

std::optional<std::size_t> indexOf(std::string_view name)
{
    for (std::size_t i = 0; i < kCount; ++i)
        if (kQuantities[i].name == name)
            return i;
    return std::nullopt;
}

Sample sampleOf(const LinkState& state, unsigned answeredSteps, std::int64_t wallMs, int utcOffsetSeconds)
{
    Sample sample;
    sample.wallMs = wallMs;
    sample.utcOffsetSeconds = utcOffsetSeconds;
    for (std::size_t i = 0; i < kCount; ++i) {
        const Quantity& q = kQuantities[i];
        if (answeredSteps & (1U << q.pollStep))
            sample.values[i] = q.read(state);
    }
    return sample;
}

} // namespace LiveQuantities
