#pragma once

#include "sim/SimRandom.h"

#include <cstdint>
#include <vector>

// Ways the simulator can misbehave on purpose, each with the share of
// replies it touches (0 never, 1 always).
struct FaultSettings {
    int delayMs = 0;            // every reply this late
    double drop = 0;            // no reply at all
    double corruptCrc = 0;      // reply with a wrong CRC
    double stray = 0;           // a few bytes of noise ahead of the reply
    double wrongAddress = 0;    // reply carries another bus address
    std::uint64_t seed = 1;
};

// Decides, reply by reply, which faults strike, and builds the reply bytes
// accordingly. Every decision draws the same numbers whatever is enabled,
// so with one seed each fault strikes the same replies in every run.
class FaultInjector {
public:
    struct Decision {
        bool drop = false;
        bool corruptCrc = false;
        bool wrongAddress = false;
        std::vector<std::uint8_t> stray;
        std::uint8_t crcFlip = 0;   // never 0 when corruptCrc is set
    };

    explicit FaultInjector(const FaultSettings& settings);

    Decision next();
    int delayMs() const { return settings_.delayMs; }

    // The wire bytes of a reply PDU from `address` under `decision`; empty
    // when the reply is dropped.
    static std::vector<std::uint8_t> frame(std::uint8_t address, const std::vector<std::uint8_t>& pdu,
                                           const Decision& decision);
    // The address a misdirected reply carries.
    static std::uint8_t otherAddress(std::uint8_t address);

private:
    FaultSettings settings_;
    SimRandom random_;
};
