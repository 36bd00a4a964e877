#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How the text of the port box names a device, and which items it offers.
namespace PortNames {

// Label appended to the simulator's port in the port list.
inline constexpr const char* kSimulatorLabel = " (simulator)";

// What a port name reaches: a serial device, or a controller on the network,
// either through a serial device server passing the RTU bytes through a TCP
// connection ("socket://HOST:PORT") or through a MODBUS TCP gateway
// ("tcp://HOST:PORT"). Any name may end in "?wait=MS": time added to every
// reply delay for the round trip of the way there.
struct PortAddress {
    enum class Kind { Serial, RtuOverTcp, ModbusTcp };
    Kind kind = Kind::Serial;
    std::string device;           // Serial: the device path
    std::string host;             // network: name or address (IPv6 without brackets)
    std::uint16_t port = 0;
    std::optional<int> waitMs;    // as given in the name

    bool network() const { return kind != Kind::Serial; }
    // The wait added to every reply delay: as given, else none on a serial
    // line and kNetworkWaitMs on a network.
    int extraWaitMs() const;
};

inline constexpr int kNetworkWaitMs = 100;
inline constexpr int kLongestWaitMs = 10000;

struct ParsedPort {
    std::optional<PortAddress> address;
    std::string error;   // why the name reaches nothing, for the status strip
};

// Parses a name as deviceForPortText gives it.
ParsedPort parsePortName(const std::string& name);

// True for a name of the network kinds, whether or not the rest parses.
bool isNetworkName(const std::string& text);

// `name` with its wait set to `waitMs`, replacing any given.
std::string withWait(const std::string& name, int waitMs);

// The port box's text for what the operator typed: upper case, except a
// device path (starting with '/') or a network name, kept as typed.
std::string typedPortText(const std::string& typed);

// The device a port text opens: "COMn" (n = 1 to 256) is /dev/ttyS(n-1);
// a device path is itself, less a trailing simulator label; a network name
// is itself, its scheme in lower case. A "?wait=MS" is kept. Any other text
// names no device and yields an empty string, which no port opens.
std::string deviceForPortText(const std::string& text);

// The port list entry of a running simulator's device.
std::string simulatorItem(const std::string& device);

// The items of the port box: the simulator's item (when not empty) first,
// where a newcomer finds it, then COM1 to COM9, the given system ports and
// the stable USB adapter names, each once.
std::vector<std::string> portItems(const std::vector<std::string>& systemPorts,
                                   const std::vector<std::string>& adapterPorts,
                                   const std::string& simulatorDevice);

} // namespace PortNames
