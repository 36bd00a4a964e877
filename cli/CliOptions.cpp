#include "cli/CliOptions.h"

#include "link/BusAddresses.h"
#include "link/Frames.h"
#include "link/PortNames.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <set>
#include <utility>

namespace {

using Command = CliOptions::Command;

struct CommandInfo {
    const char* name;
    Command command;
    const char* synopsis;
    const char* what;
};

constexpr std::array<CommandInfo, 8> kCommands{{
    {"ports", Command::Ports, "hxctl ports",
     "Lists the ports the console would offer, one a line; a running simulator's port\n"
     "carries the mark \" (simulator)\"."},
    {"read", Command::Read, "hxctl read --port DEV [--address N] [--out FILE]",
     "Reads every parameter (Read All) and the firmware text into a parameter file,\n"
     "written to standard output or, atomically, to FILE."},
    {"write", Command::Write, "hxctl write --port DEV [--address N] [--force] FILE",
     "Checks the whole parameter file first (every problem listed, nothing sent), then\n"
     "writes the groups it covers one after another as Write All does. Prints one line\n"
     "per group: its name, then written, failed and why, or not sent and why.\n"
     "The bus address in the file is never written. A file whose values break a\n"
     "plausibility rule (a minimum not below its maximum, an alarm's low limit not\n"
     "below its high one) is refused with the rules it breaks, unless --force."},
    {"compare", Command::Compare, "hxctl compare --port DEV [--address N] FILE",
     "Reads the controller (Read All) and prints every parameter that differs from\n"
     "FILE: name, file value, controller value, unit. The bus address, which write\n"
     "never sends, is not compared."},
    {"version", Command::Version, "hxctl version --port DEV [--address N]",
     "Prints the controller's firmware text."},
    {"live", Command::Live, "hxctl live --port DEV [--address N] [--count K] [--csv]",
     "Polls the controller as the RealTimeData tab does and prints one line per poll\n"
     "cycle: time, fan speeds, temperatures, supply voltage, currents, compressor\n"
     "speed and the alarms raised. --count stops after K cycles; Ctrl+C stops cleanly."},
    {"scan", Command::Scan, "hxctl scan --port DEV [--from 1] [--to 247] [--timeout-ms 100]",
     "Asks each bus address in turn for its address register (holding register 27),\n"
     "never writing anything, and prints each address that answers with its firmware\n"
     "text. A silent address costs the time-out; a progress line goes to standard\n"
     "error when it is a terminal."},
    {"serve", Command::Serve,
     "hxctl serve --port DEV --addresses LIST [--listen HOST:PORT] [--interval S]",
     "Polls every controller of LIST (like 1-4,7) in turn with the live poll's reads,\n"
     "never writing anything, and serves the readings for Prometheus at\n"
     "http://HOST:PORT/metrics (default 127.0.0.1:9464; :9464 listens everywhere),\n"
     "a short page of the addresses and their state at /. A round over the\n"
     "addresses starts every S seconds (default 5; at once when a round takes\n"
     "longer). A lost port is opened again once it is back. Ctrl+C stops."},
}};

constexpr const char* kCommon =
    "Common options:\n"
    "  --baud B         2400, 4800, 9600 (default), 19200, 38400 or 115200\n"
    "  --data-bits D    4 to 8 (default 8); always no parity and one stop bit\n"
    "  --extra-wait MS  added to every reply delay (default 0 on a serial port,\n"
    "                   100 on a network port)\n"
    "  --log FILE       write the bus monitor's log of every frame (CSV for *.csv)\n"
    "  --help           this text\n"
    "Ports: COM1..COM9 (/dev/ttyS0..8), any device path, socket://HOST:PORT (RTU\n"
    "over TCP, a serial device server) or tcp://HOST:PORT (MODBUS TCP); a lost\n"
    "network connection is opened again every second.\n"
    "Exit codes: 0 success, 1 differences found (compare) or groups failed (write),\n"
    "2 no answer from the controller, 3 bad arguments or bad file, 4 the port cannot\n"
    "be opened.\n";

const CommandInfo* findCommand(const std::string& name)
{
    for (const CommandInfo& info : kCommands) {
        if (name == info.name)
            return &info;
    }
    return nullptr;
}

const CommandInfo& infoOf(Command command)
{
    for (const CommandInfo& info : kCommands) {
        if (info.command == command)
            return info;
    }
    return kCommands.front();
}

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// Which options each subcommand takes besides the common ones.
std::set<std::string> optionsOf(Command command)
{
    switch (command) {
    case Command::Ports:
        return {};
    case Command::Read:
        return {"--port", "--address", "--out"};
    case Command::Write:
        return {"--port", "--address", "--force"};
    case Command::Compare:
    case Command::Version:
        return {"--port", "--address"};
    case Command::Live:
        return {"--port", "--address", "--count", "--csv"};
    case Command::Scan:
        return {"--port", "--from", "--to", "--timeout-ms"};
    case Command::Serve:
        return {"--port", "--addresses", "--listen", "--interval"};
    }
    return {};
}

// Seconds as typed ("2", "0.5") in whole milliseconds.
std::optional<int> millisecondsOf(const std::string& text)
{
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, seconds, std::chars_format::fixed);
    if (text.empty() || ec != std::errc() || ptr != end || !(seconds >= 0 && seconds <= 1e7))
        return std::nullopt;
    return static_cast<int>(seconds * 1000.0 + 0.5);
}

bool takesValue(const std::string& option)
{
    return option != "--csv" && option != "--force" && option != "--help";
}

std::string rangeError(const std::string& option, const std::string& value, const std::string& range)
{
    return option + " takes " + range + ", not '" + value + "'";
}

} // namespace

const std::vector<int>& CliOptions::baudRates()
{
    static const std::vector<int> rates{2400, 4800, 9600, 19200, 38400, 115200};
    return rates;
}

const std::vector<int>& CliOptions::dataBitChoices()
{
    static const std::vector<int> bits{4, 5, 6, 7, 8};
    return bits;
}

namespace {

// 'name', built by appending: GCC 12 warns wrongly (-Wrestrict) about a
// literal put in front of a std::string.
std::string quoted(std::string_view name)
{
    std::string text = "'";
    text += name;
    text += "'";
    return text;
}

} // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args)
{
    if (args.empty())
        return {std::nullopt, "no command given (ports, read, write, compare, version, live, scan, serve)"};
    // Neither options nor an error: the overview is wanted.
    if (args.front() == "--help" || args.front() == "-h" || args.front() == "help")
        return {std::nullopt, {}};
    const CommandInfo* info = findCommand(args.front());
    if (!info) {
        return {std::nullopt, "unknown command " + quoted(args.front())};
    }

    CliOptions options;
    options.command = info->command;
    const std::set<std::string> own = optionsOf(info->command);
    const std::set<std::string> common{"--baud", "--data-bits", "--extra-wait", "--log", "--help"};
    std::vector<std::string> positional;
    std::set<std::string> seen;

    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool inlineValue = false;
        if (name.rfind("--", 0) == 0) {
            if (const std::size_t eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name = name.substr(0, eq);
                inlineValue = true;
            }
        } else if (name == "-h") {
            name = "--help";
        } else {
            positional.push_back(name);
            continue;
        }
        if (!own.contains(name) && !common.contains(name)) {
            return {std::nullopt, quoted(info->name) + " has no option " + name};
        }
        if (name == "--help") {
            options.help = true;
            continue;
        }
        if (!seen.insert(name).second)
            return {std::nullopt, name + " given twice"};
        if (takesValue(name) && !inlineValue) {
            if (i + 1 >= args.size())
                return {std::nullopt, name + " needs a value"};
            value = args[++i];
        } else if (!takesValue(name) && inlineValue) {
            return {std::nullopt, name + " takes no value"};
        }

        const std::optional<int> number = wholeNumber(value);
        if (name == "--port") {
            if (value.empty())
                return {std::nullopt, "--port needs a port name"};
            options.port = value;
        } else if (name == "--address") {
            if (!number || *number < 1 || *number > 255)
                return {std::nullopt, rangeError(name, value, "a bus address from 1 to 255")};
            options.address = *number;
        } else if (name == "--out" || name == "--log") {
            if (value.empty())
                return {std::nullopt, name + " needs a file name"};
            (name == "--out" ? options.out : options.log) = value;
        } else if (name == "--count") {
            if (!number || *number < 1)
                return {std::nullopt, rangeError(name, value, "a number of cycles from 1 up")};
            options.count = *number;
        } else if (name == "--csv") {
            options.csv = true;
        } else if (name == "--force") {
            options.force = true;
        } else if (name == "--from" || name == "--to") {
            if (!number || *number < 1 || *number > 255)
                return {std::nullopt, rangeError(name, value, "a bus address from 1 to 255")};
            (name == "--from" ? options.from : options.to) = *number;
        } else if (name == "--timeout-ms") {
            if (!number || *number < 10 || *number > 10000)
                return {std::nullopt, rangeError(name, value, "milliseconds from 10 to 10000")};
            options.timeoutMs = *number;
        } else if (name == "--addresses") {
            std::string why;
            const auto addresses = BusAddresses::parse(value, 247, why);
            if (!addresses)
                return {std::nullopt, "--addresses: " + why};
            options.addresses = *addresses;
        } else if (name == "--listen") {
            if (value.find(':') == std::string::npos)
                return {std::nullopt, rangeError(name, value, "HOST:PORT, like 127.0.0.1:9464")};
            options.listen = value;
        } else if (name == "--interval") {
            const std::optional<int> ms = millisecondsOf(value);
            if (!ms || *ms < 100 || *ms > 3600000)
                return {std::nullopt, rangeError(name, value, "seconds from 0.1 to 3600")};
            options.intervalMs = *ms;
        } else if (name == "--extra-wait") {
            if (!number || *number < 0 || *number > PortNames::kLongestWaitMs)
                return {std::nullopt, rangeError(name, value, "milliseconds from 0 to 10000")};
            options.extraWaitMs = *number;
        } else if (name == "--baud") {
            const auto& rates = CliOptions::baudRates();
            if (!number || std::find(rates.begin(), rates.end(), *number) == rates.end())
                return {std::nullopt, rangeError(name, value, "2400, 4800, 9600, 19200, 38400 or 115200")};
            options.baud = *number;
        } else if (name == "--data-bits") {
            const auto& bits = CliOptions::dataBitChoices();
            if (!number || std::find(bits.begin(), bits.end(), *number) == bits.end())
                return {std::nullopt, rangeError(name, value, "4, 5, 6, 7 or 8")};
            options.dataBits = *number;
        }
    }
    if (options.help)
        return {options, {}};

    const bool takesFile = info->command == Command::Write || info->command == Command::Compare;
    if (positional.size() > (takesFile ? 1u : 0u))
        return {std::nullopt, "unexpected argument " + quoted(positional.back())};
    if (takesFile) {
        if (positional.empty())
            return {std::nullopt, quoted(info->name) + " needs a parameter file"};
        options.file = positional.front();
    }
    if (info->command != Command::Ports && options.port.empty())
        return {std::nullopt, quoted(info->name) + " needs --port"};
    if (info->command == Command::Serve && options.addresses.empty())
        return {std::nullopt, "'serve' needs --addresses"};
    if (options.from > options.to)
        return {std::nullopt, "--from " + std::to_string(options.from) + " is above --to " + std::to_string(options.to)};
    if (const int shortest = shortestScanTimeoutMs(options.baud, options.dataBits);
        info->command == Command::Scan && options.timeoutMs < shortest)
        return {std::nullopt, "--timeout-ms " + std::to_string(options.timeoutMs) + " is shorter than one reply takes at "
                                  + std::to_string(options.baud) + " baud (" + std::to_string(shortest) + " ms)"};
    return {options, {}};
}

int shortestScanTimeoutMs(int baud, int dataBits)
{
    // A read request is 8 bytes; counted in half characters for the 3.5
    // characters of silence.
    constexpr std::size_t kReadRequest = 8;
    const std::size_t halfChars = 2 * (kReadRequest + Frames::replyLength(Frames::Function::ReadHoldingRegisters, 1)) + 7;
    const long bitsTimesTwo = static_cast<long>(halfChars) * (dataBits + 2);
    return static_cast<int>((bitsTimesTwo * 1000 + 2L * baud - 1) / (2L * baud));
}

std::string usageText()
{
    std::string text = "hxctl: the heat-exchanger console's functions from the command line.\n\nCommands:\n";
    for (const CommandInfo& info : kCommands)
        text += "  " + std::string(info.synopsis) + "\n";
    text += "  hxctl --version\n\n'hxctl COMMAND --help' tells more.\n\n";
    return text + kCommon;
}

std::string helpText(CliOptions::Command command)
{
    const CommandInfo& info = infoOf(command);
    return "Usage: " + std::string(info.synopsis) + "\n\n" + info.what + "\n\n" + kCommon;
}
