#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// hxctl's command line: a subcommand and its options, checked whole before
// anything touches a port or a file.
struct CliOptions {
    enum class Command { Ports, Read, Write, Compare, Version, Live, Scan, Serve };

    Command command = Command::Ports;
    bool help = false;
    std::string port;                // as typed: COMn, a device path or a network name
    std::optional<int> address;      // the controller's bus address (default 1)
    std::string out;                 // read: file to write instead of stdout
    std::string file;                // write, compare: the parameter file
    std::optional<int> count;        // live: cycles before stopping
    bool csv = false;                // live
    bool force = false;              // write: even when the file breaks a plausibility rule
    int from = 1;                    // scan
    int to = 247;
    int timeoutMs = 100;
    int baud = 9600;
    int dataBits = 8;
    std::optional<int> extraWaitMs;  // added to every reply delay; else as the port's kind wants
    std::string log;                 // bus monitor log file
    std::vector<std::uint8_t> addresses;       // serve: the controllers on the bus
    std::string listen = "127.0.0.1:9464";     // serve: where /metrics is offered
    int intervalMs = 5000;                     // serve: one round over the addresses this often

    // The baud rates and data bits the window's boxes offer.
    static const std::vector<int>& baudRates();
    static const std::vector<int>& dataBitChoices();
};

struct ParsedOptions {
    std::optional<CliOptions> options;
    std::string error;               // one line, when options is empty
};

// The shortest scan timeout that can see a controller at `baud`: the
// request, the pause a slave waits before answering and the shortest
// reply, each character a start bit, `dataBits` and a stop bit.
int shortestScanTimeoutMs(int baud, int dataBits);

// `args` without the program name.
ParsedOptions parseOptions(const std::vector<std::string>& args);

// The overview (no or unknown subcommand) and each subcommand's --help.
std::string usageText();
std::string helpText(CliOptions::Command command);
