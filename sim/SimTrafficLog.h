#pragma once

#include "link/LinkObserver.h"
#include "link/TrafficLogFile.h"
#include "sim/FaultInjector.h"

#include <cstdint>
#include <string>
#include <vector>

// Replies each fault struck, counted the way the console meets them: a
// reply hit by several faults counts once, under the first the console
// runs into (no reply at all, stray bytes ahead of the address, another
// address, a bad CRC).
struct FaultCounts {
    std::uint64_t replies = 0;
    std::uint64_t dropped = 0;
    std::uint64_t stray = 0;
    std::uint64_t otherAddress = 0;
    std::uint64_t badCrc = 0;

    void count(const FaultInjector::Decision& decision);
    std::string summary() const;
};

// The simulator's side of the line as monitor entries: every request it
// serves and the reply it sends (or withholds), with the faults put into
// it, written to a log file when one is given, and counted.
class SimTrafficLog {
public:
    // Starts writing to `path` (replacing it); false with a reason when it
    // cannot be opened.
    bool open(const std::string& path, std::string& error);

    // A request addressed to the controller and what went back; `reply`
    // holds the wire bytes, empty when the reply was dropped.
    void exchange(const LinkTime& requestAt, const std::vector<std::uint8_t>& request, const LinkTime& replyAt,
                  const std::vector<std::uint8_t>& reply, const FaultInjector::Decision& decision);

    const FaultCounts& faults() const { return faults_; }
    // Set when writing failed: the log then stops and says why here.
    const std::string& error() const { return error_; }
    // Writes the fault summary and closes the file; false (with error())
    // when that fails.
    bool close();

private:
    void write(const TrafficEntry& entry);

    TrafficLogFile file_;
    FaultCounts faults_;
    std::string error_;
};
