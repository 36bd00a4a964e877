#pragma once

#include <string>
#include <vector>

// The items of the port box as the system stands now: COM1 to COM9, every
// serial port the system reports, the stable names of USB adapters and a
// running simulator's port.
std::vector<std::string> discoverPortItems();
