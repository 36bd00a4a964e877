#pragma once

#include "link/TrafficLog.h"
#include "link/TrafficLogFile.h"

#include <string>

// hxctl's --log: the bus monitor's record of the line, each entry written
// to the file as it is made (text, or CSV by the name's extension), so a
// run cut short still leaves its log. A write failure is reported once and
// ends the logging, never the command.
class BusLogWriter : public TrafficListener {
public:
    // The log holds few entries itself: the file keeps them all.
    static constexpr std::size_t kHeld = 1000;

    BusLogWriter();
    ~BusLogWriter() override;
    BusLogWriter(const BusLogWriter&) = delete;
    BusLogWriter& operator=(const BusLogWriter&) = delete;

    // Empty on success, else why the file cannot be written.
    std::string open(const std::string& path);
    TrafficLog& log() { return log_; }
    // Why logging stopped; empty while it runs (or never ran).
    const std::string& failure() const { return failure_; }
    // Flushes and closes; empty on success, else why it failed.
    std::string close();

    void entryAdded(const TrafficEntry& entry) override;
    void oldestDropped(std::size_t) override {}
    void cleared() override {}

private:
    void fail();

    TrafficLog log_{kHeld};
    TrafficLogFile file_;
    std::string failure_;
};
