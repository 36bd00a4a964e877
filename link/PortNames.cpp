#include "link/PortNames.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace PortNames {

namespace {

constexpr int kHighestComPort = 256;

bool isDevicePath(const std::string& text)
{
    return !text.empty() && text.front() == '/';
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// n of "COMn" without leading zeros, or 0 when the text is no such name.
int comNumber(const std::string& text)
{
    if (text.size() < 4 || text.size() > 6 || text.compare(0, 3, "COM") != 0 || text[3] == '0')
        return 0;
    int n = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n <= kHighestComPort ? n : 0;
}

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
    const std::string file = simulatorPortFile();
    struct stat info {};
    if (!ownFolder(runtimeFolder()) || ::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)
        || info.st_uid != ::getuid())
        return false;
    std::ifstream in(file);
    std::string pidText;
    if (!std::getline(in, device) || !std::getline(in, pidText) || pidText.empty() || pidText.size() > 10
        || !std::all_of(pidText.begin(), pidText.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    pid = std::stol(pidText);
    return true;
}

} // namespace

std::string typedPortText(const std::string& typed)
{
    if (isDevicePath(typed))
        return typed;
    std::string upper = typed;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string deviceForPortText(const std::string& text)
{
    if (isDevicePath(text)) {
        if (endsWith(text, kSimulatorLabel))
            return text.substr(0, text.size() - std::char_traits<char>::length(kSimulatorLabel));
        return text;
    }
    const int n = comNumber(typedPortText(text));
    if (n == 0)
        return {};
    return "/dev/ttyS" + std::to_string(n - 1);
}

std::string simulatorItem(const std::string& device)
{
    return device + kSimulatorLabel;
}

std::string simulatorPortFile()
{
    return runtimeFolder() + "/sim.port";
}

bool publishSimulatorPort(const std::string& device)
{
    const std::string folder = runtimeFolder();
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    if (!ownFolder(folder))
        return false;
    // Written aside and renamed, so a reader never sees half a file.
    const std::string file = simulatorPortFile();
    const std::string partial = file + "." + std::to_string(::getpid());
    {
        std::ofstream out(partial, std::ios::trunc);
        out << device << '\n' << ::getpid() << '\n';
        if (!out.flush())
            return false;
    }
    if (std::rename(partial.c_str(), file.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

void withdrawSimulatorPort()
{
    std::string device;
    long pid = 0;
    if (readPortFile(device, pid) && pid == ::getpid())
        std::remove(simulatorPortFile().c_str());
}

std::string runningSimulatorPort()
{
    std::string device;
    long pid = 0;
    if (!readPortFile(device, pid) || !isDevicePath(device) || !processAlive(pid))
        return {};
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0)
        return {};
    return device;
}

std::vector<std::string> portItems(const std::vector<std::string>& systemPorts,
                                   const std::vector<std::string>& adapterPorts,
                                   const std::string& simulatorDevice)
{
    std::vector<std::string> items;
    auto add = [&items](const std::string& item) {
        if (!item.empty() && std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(item);
    };
    if (!simulatorDevice.empty())
        add(simulatorItem(simulatorDevice));
    for (int n = 1; n <= 9; ++n)
        add("COM" + std::to_string(n));
    for (const std::string& port : systemPorts)
        add(port);
    for (const std::string& port : adapterPorts)
        add(port);
    return items;
}

} // namespace PortNames
