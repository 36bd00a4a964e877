#pragma once

#include <string>
#include <vector>

// The items of the port box as the system stands now: a running simulator's
// port, COM1 to COM9, every serial port the system reports and the stable
// names of USB adapters.
std::vector<std::string> discoverPortItems();

// The stable name under which `device` shows in `adapterFolder` (normally
// /dev/serial/by-id): a name there that leads to the same device, or
// `device` itself when it is already there or has none.
std::string stableAdapterName(const std::string& device, const std::string& adapterFolder);
