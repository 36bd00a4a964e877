#include "link/SimulatorPortFile.h"

#include "files/RegularFile.h"
#include "files/ReplacingFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace SimulatorPortFile {

namespace {

std::string runtimeFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0')
        return std::string(runtime) + "/hxconsole";
    return "/tmp/hxconsole-" + std::to_string(::getuid());
}

bool processAlive(long pid)
{
    if (pid <= 0 || pid != static_cast<pid_t>(pid))
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A folder of ours that nobody else can have placed there for us to trust.
bool ownFolder(const std::string& folder)
{
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()
        && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The published device and pid, if the file is there and is ours.
bool readPortFile(std::string& device, long& pid)
{
    const std::string file = path();
    struct stat info {};
    if (!ownFolder(runtimeFolder()) || ::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_uid != ::getuid())
        return false;
    const RegularFile::ReadResult read = RegularFile::read(file, 4096);
    std::istringstream in(read.bytes.value_or(std::string()));
    std::string pidText;
    if (!std::getline(in, device) || !std::getline(in, pidText) || pidText.empty() || pidText.size() > 10
        || !std::all_of(pidText.begin(), pidText.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    pid = std::stol(pidText);
    return true;
}

} // namespace

std::string path()
{
    return runtimeFolder() + "/sim.port";
}

namespace {

bool publishFor(const std::string& device, long pid)
{
    const std::string folder = runtimeFolder();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    if (!ownFolder(folder))
        return false;
    // Written whole or not at all, so a reader never sees half a file.
    return ReplacingFile::write(path(), device + '\n' + std::to_string(pid) + '\n').empty();
}

} // namespace

bool publish(const std::string& device)
{
    return publishFor(device, ::getpid());
}

bool withdraw(const std::optional<Running>& previous)
{
    std::string device;
    long pid = 0;
    if (!readPortFile(device, pid) || pid != ::getpid())
        return false;
    std::remove(path().c_str());
    struct stat info {};
    return previous && previous->pid != ::getpid() && processAlive(previous->pid)
        && ::stat(previous->device.c_str(), &info) == 0 && publishFor(previous->device, previous->pid);
}

std::optional<Running> running()
{
    Running r;
    if (!readPortFile(r.device, r.pid) || r.device.empty() || r.device.front() != '/' || !processAlive(r.pid))
        return std::nullopt;
    struct stat info {};
    if (::stat(r.device.c_str(), &info) != 0)
        return std::nullopt;
    return r;
}

std::string runningDevice()
{
    const auto r = running();
    return r ? r->device : std::string();
}

} // namespace SimulatorPortFile
