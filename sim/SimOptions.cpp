#include "sim/SimOptions.h"

#include "link/BusAddresses.h"

#include <charconv>
#include <cstdlib>
#include <utility>

namespace {

const std::pair<const char*, AlarmScenario> kAlarmNames[] = {
    {"high-temp", AlarmScenario::HighTemp},
    {"low-temp", AlarmScenario::LowTemp},
    {"supply-high", AlarmScenario::SupplyHigh},
    {"supply-low", AlarmScenario::SupplyLow},
    {"fan-stall", AlarmScenario::FanStall},
    {"heater", AlarmScenario::Heater},
    {"sensor", AlarmScenario::Sensor},
    {"compressor", AlarmScenario::Compressor},
    {"high-pressure", AlarmScenario::HighPressure},
    {"low-pressure", AlarmScenario::LowPressure},
};

template <typename Number>
bool wholeNumber(const std::string& text, Number lowest, Number highest, Number& out)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    if (text.empty() || fault != std::errc() || stop != end || value < lowest || value > highest)
        return false;
    out = value;
    return true;
}

bool share(const std::string& text, double& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value >= 0.0 && value <= 1.0))
        return false;
    out = value;
    return true;
}

} // namespace

bool parseSimOptions(const std::vector<std::string>& args, SimOptions& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--version") {
            options.version = true;
            continue;
        }
        if (name == "--verbose" || name == "-v") {
            options.verbose = true;
            continue;
        }
        if (name == "--steady") {
            options.supplyDips = false;
            continue;
        }
        const bool takesValue = name == "--address" || name == "--seed" || name == "--delay-ms" || name == "--drop"
            || name == "--corrupt-crc" || name == "--stray" || name == "--wrong-address" || name == "--alarm"
            || name == "--log" || name == "--mute-file" || name == "--listen-rtu" || name == "--listen-tcp"
            || name == "--refuse-writes";
        if (!takesValue) {
            error = "unknown option '" + name + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "--listen-rtu" || name == "--listen-tcp") {
            ok = options.listen == SimOptions::Listen::None && wholeNumber(value, 0, 65535, options.listenPort);
            options.listen = name == "--listen-rtu" ? SimOptions::Listen::Rtu : SimOptions::Listen::ModbusTcp;
            if (!ok)
                error = name + " takes one TCP port from 0 (any free one) to 65535, not '" + value + "'";
        } else if (name == "--log") {
            ok = !value.empty();
            options.logFile = value;
            if (!ok)
                error = "--log needs a file name";
        } else if (name == "--refuse-writes") {
            // FIRST-LAST or one register.
            const std::size_t dash = value.find('-');
            const std::string first = value.substr(0, dash);
            const std::string last = dash == std::string::npos ? first : value.substr(dash + 1);
            ok = wholeNumber(first, 0, 65535, options.refuseFirst) && wholeNumber(last, 0, 65535, options.refuseLast)
                && options.refuseFirst <= options.refuseLast;
            if (!ok)
                error = "--refuse-writes takes registers FIRST-LAST (e.g. 0-10), not '" + value + "'";
        } else if (name == "--mute-file") {
            ok = !value.empty();
            options.muteFile = value;
            if (!ok)
                error = "--mute-file needs a file name";
        } else if (name == "--address") {
            std::string why;
            const auto addresses = BusAddresses::parse(value, 255, why);
            ok = addresses.has_value();
            if (ok)
                options.addresses = *addresses;
            else
                error = "--address: " + why;
        } else if (name == "--seed") {
            ok = wholeNumber<std::uint64_t>(value, 0, UINT64_MAX, options.seed);
            if (!ok)
                error = "--seed takes a whole number, not '" + value + "'";
        } else if (name == "--delay-ms") {
            ok = wholeNumber(value, 0, 60000, options.faults.delayMs);
            if (!ok)
                error = "--delay-ms takes milliseconds from 0 to 60000, not '" + value + "'";
        } else if (name == "--alarm") {
            ok = false;
            for (const auto& [alarmName, scenario] : kAlarmNames) {
                if (value == alarmName) {
                    options.alarms.insert(scenario);
                    ok = true;
                }
            }
            if (!ok)
                error = "--alarm does not know '" + value + "' (see --help)";
        } else {
            double* target = name == "--drop"          ? &options.faults.drop
                : name == "--corrupt-crc"             ? &options.faults.corruptCrc
                : name == "--stray"                   ? &options.faults.stray
                                                      : &options.faults.wrongAddress;
            ok = share(value, *target);
            if (!ok)
                error = name + " takes a share from 0 to 1, not '" + value + "'";
        }
        if (!ok)
            return false;
    }
    options.faults.seed = options.seed;
    return true;
}

std::string simUsage()
{
    std::string alarms;
    for (const auto& entry : kAlarmNames)
        alarms += std::string(alarms.empty() ? "" : ", ") + entry.first;
    return "Usage: hx-sim [options]\n"
           "Simulated heat-exchanger controller: a MODBUS RTU slave on a pseudo-terminal.\n"
           "Prints the device to open in the console and lists it in the console's port box\n"
           "as long as it runs.\n"
           "\n"
           "  --address LIST      bus addresses, 1 to 255 (default 1); a list such as 1,2,3\n"
           "                      or 1-4,7 puts one controller per address on the line,\n"
           "                      each with its own parameters and plant\n"
           "  --mute-file FILE    addresses listed in FILE (like --address) do not answer,\n"
           "                      as controllers that hang; FILE is read before every\n"
           "                      request, so writing it mutes and emptying it revives\n"
           "  --seed S            seed of the plant's noise and of the faults (default 1)\n"
           "  --alarm NAME        bring about an alarm condition; may be repeated. Names:\n"
           "                      " + alarms + "\n"
           "  --steady            no supply dips (by default the supply sags below its low\n"
           "                      alarm for 10 s every 3 minutes)\n"
           "  --verbose           log every request and reply on stderr\n"
           "  --log FILE          write every request and reply, decoded, with the faults\n"
           "                      injected, to FILE (CSV when it ends in .csv)\n"
           "  --listen-rtu PORT   serve on 127.0.0.1:PORT the RTU bytes over TCP, as a\n"
           "                      serial device server does (console: socket://127.0.0.1:PORT)\n"
           "  --listen-tcp PORT   serve MODBUS TCP on 127.0.0.1:PORT, as a gateway does\n"
           "                      (console: tcp://127.0.0.1:PORT). One client at a time;\n"
           "                      PORT 0 takes a free port. Prints the name to open.\n"
           "\n"
           "Faults (shares from 0 to 1, drawn reply by reply from the seed):\n"
           "  --delay-ms N        answer every request N ms late\n"
           "  --drop P            leave a share P of requests unanswered\n"
           "  --corrupt-crc P     spoil the CRC of a share P of replies\n"
           "  --stray P           put 1 to 3 stray bytes ahead of a share P of replies\n"
           "  --wrong-address P   answer a share P of requests from another bus address\n"
           "  --refuse-writes A-B answer every write touching holding registers A to B\n"
           "                      with exception 03 (illegal data value)\n"
           "  --help              this text\n"
           "  --version           the program's version\n"
           "On exit it reports how many replies each fault struck. A reply struck by\n"
           "several counts once, under the fault the console meets first: dropped, then\n"
           "stray bytes, then another address, then a bad CRC.\n";
}
