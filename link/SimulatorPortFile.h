#pragma once

#include <optional>
#include <string>

// The rendezvous between a running simulator and the console: a per-user
// file in which hx-sim publishes the device it serves, so that the console
// can offer it in its port list. No Qt here: the simulator uses this too.
namespace SimulatorPortFile {

// The file: $XDG_RUNTIME_DIR/hxconsole/sim.port, or
// /tmp/hxconsole-<uid>/sim.port without a runtime directory. Line 1 holds
// the device, line 2 the simulator's process id.
std::string path();

// A simulator the file names whose process runs and whose device exists.
struct Running {
    std::string device;
    long pid = 0;
};
std::optional<Running> running();

// Writes the file for this process; false when it cannot. The newest
// simulator is the one the console offers.
bool publish(const std::string& device);
// Removes the file if it names this process. When `previous` (the simulator
// this one took the list from) still runs, the file names it again; returns
// true then.
bool withdraw(const std::optional<Running>& previous = std::nullopt);

// Device of a running simulator, or empty when the file is missing, is not
// ours, names a process that is gone or a device that does not exist.
std::string runningDevice();

} // namespace SimulatorPortFile
