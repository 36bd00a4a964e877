#pragma once

#include "sim/FaultInjector.h"
#include "sim/SimTypes.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// What hx-sim is told on its command line.
struct SimOptions {
    std::vector<std::uint8_t> addresses{1};   // one controller per address, all on one line
    std::uint64_t seed = 1;
    FaultSettings faults;
    std::set<AlarmScenario> alarms;
    bool supplyDips = true;
    int refuseFirst = -1;   // holding registers whose writes are refused; -1: none
    int refuseLast = -1;
    bool verbose = false;
    std::string logFile;   // every request and reply, decoded; empty: none
    std::string muteFile;  // addresses listed in it do not answer; empty: none
    // Serve the controller on 127.0.0.1 at this TCP port (0: any free one)
    // instead of to a local program on the pseudo-terminal.
    enum class Listen { None, Rtu, ModbusTcp };
    Listen listen = Listen::None;
    int listenPort = 0;
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. On a bad argument returns
// false and says why in `error`.
bool parseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error);

std::string simUsage();
