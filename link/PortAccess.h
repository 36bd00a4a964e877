#pragma once

#include <string>

// What stands between the user and a serial device that would not open,
// and the one command that clears it.
namespace PortAccess {

struct DeviceAccess {
    bool exists = false;
    bool permitted = true;        // this process may read and write it
    std::string group;            // the device's group; empty when unknown
    bool groupMayUse = false;     // the group may read and write it
    bool joinedSinceLogin = false; // the user is in the group, this login session not yet
};

// Looks the device up for the process asking.
DeviceAccess probe(const std::string& device);

// Why a device refused to open, when it was for lack of permission: `full`
// names the device, its group and the command that gives the user access;
// `brief` says the gist in a few words for a narrow status line. Both are
// empty when permission is not what failed.
struct Hint {
    std::string brief;
    std::string full;
};

Hint permissionHint(const std::string& device, const DeviceAccess& access, const std::string& user);

// The same for the user running this program.
Hint permissionHint(const std::string& device);

} // namespace PortAccess
