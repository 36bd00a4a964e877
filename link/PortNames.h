#pragma once

#include <string>
#include <vector>

// How the text of the port box names a device, and which items it offers.
namespace PortNames {

// Label appended to the simulator's port in the port list.
inline constexpr const char* kSimulatorLabel = " (simulator)";

// The port box's text for what the operator typed: upper case, except a
// device path (starting with '/'), which is kept as typed.
std::string typedPortText(const std::string& typed);

// The device a port text opens: "COMn" (n = 1 to 256) is /dev/ttyS(n-1);
// a device path is itself, less a trailing simulator label. Any other text
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
