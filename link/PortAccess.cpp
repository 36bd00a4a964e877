#include "link/PortAccess.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace PortAccess {

namespace {

std::string userName()
{
    if (const passwd* entry = ::getpwuid(::getuid()))
        return entry->pw_name;
    return {};
}

} // namespace

DeviceAccess probe(const std::string& device)
{
    DeviceAccess access;
    struct stat info {};
    if (device.empty() || ::stat(device.c_str(), &info) != 0)
        return access;
    access.exists = true;
    access.permitted = ::access(device.c_str(), R_OK | W_OK) == 0;
    access.groupMayUse = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    std::vector<char> buffer(16384);
    group entry {};
    group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        access.group = found->gr_name;
        const std::string user = userName();
        bool listed = false;
        for (char** member = found->gr_mem; member && *member; ++member)
            listed = listed || user == *member;
        std::vector<gid_t> groups(::getgroups(0, nullptr) + 1);
        const int count = ::getgroups(int(groups.size()), groups.data());
        groups.resize(count > 0 ? count : 0);
        const bool effective = std::find(groups.begin(), groups.end(), info.st_gid) != groups.end();
        access.joinedSinceLogin = listed && !effective;
    }
    return access;
}

Hint permissionHint(const std::string& device, const DeviceAccess& access, const std::string& user)
{
    if (!access.exists || access.permitted)
        return {};
    const std::string denied = "no permission for " + device;
    // Joining root's group, or one the device does not let in, helps nobody.
    if (access.group.empty() || access.group == "root" || !access.groupMayUse)
        return {"No permission", denied};
    if (access.joinedSinceLogin)
        return {"Log in again", denied + ": you joined group " + access.group + " after logging in; log out and in again"};
    return {"Join group " + access.group,
            denied + " (group " + access.group + "): sudo usermod -aG " + access.group + " "
                + (user.empty() ? std::string("$USER") : user) + ", then log in again"};
}

Hint permissionHint(const std::string& device)
{
    return permissionHint(device, probe(device), userName());
}

} // namespace PortAccess
