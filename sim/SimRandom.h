#pragma once

#include <cstdint>

// Small seeded generator (splitmix64). Its sequence is fixed by the seed on
// every platform, which the standard distributions do not promise.
class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Uniform in [-1, 1).
    double symmetric() { return 2.0 * unit() - 1.0; }

    // True with probability p (never for p <= 0, always for p >= 1).
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};
