#pragma once

#include "cli/CtlSession.h"

#include <csignal>
#include <iosfwd>
#include <string>
#include <vector>

class SerialPort;

// hxctl's subcommands on top of CtlSession: arguments in, machine-readable
// lines on `out`, one-line errors on `err`, and the exit code.
namespace HxCtl {

enum ExitCode {
    Success = 0,
    Differences = 1,     // compare found some, write failed some groups
    NoAnswer = 2,
    BadInput = 3,        // arguments or file
    PortUnusable = 4,
};

struct Io {
    std::ostream& out;
    std::ostream& err;
    // Whether `err` is a terminal, which earns it a scan progress line.
    bool errIsTerminal = false;
    // Set by Ctrl+C; stops live and scan cleanly.
    const volatile std::sig_atomic_t* stop = nullptr;
};

// `args` without the program name. `port` is the serial port to use and
// `pacer` drives the ticks (see CtlSession).
int run(const std::vector<std::string>& args, Io io, SerialPort& port, CtlSession::Pacer pacer);

// The pacer of the program: a QTimer in a local event loop.
CtlSession::Pacer timerPacer();

// Tab-separated and CSV forms of a live row, and their header lines. The
// CSV form is the trend log's (its time is the sample's own), so a terminal
// log opens in the trend window.
std::string liveHeader(bool csv);
std::string liveLine(const std::string& time, const CtlSession::LiveRow& row, bool csv);

}
