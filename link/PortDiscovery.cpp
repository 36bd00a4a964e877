#include "link/PortDiscovery.h"

#include "link/PortNames.h"
#include "link/SimulatorPortFile.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* kAdapterFolder = "/dev/serial/by-id";

// The adapter folder keeps one name per adapter whichever ttyUSBn it got.
std::vector<std::string> adapterPorts(const std::string& folder)
{
    std::vector<std::string> ports;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        ports.push_back(entry.path().string());
    std::sort(ports.begin(), ports.end());
    return ports;
}

// The device a path leads to once every link is followed; empty if none.
std::filesystem::path deviceBehind(const std::string& path)
{
    std::error_code error;
    std::filesystem::path device = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path() : device;
}

} // namespace

std::vector<std::string> discoverPortItems()
{
    std::vector<std::string> systemPorts;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        systemPorts.push_back(info.systemLocation().toStdString());
    std::sort(systemPorts.begin(), systemPorts.end());
    return PortNames::portItems(systemPorts, adapterPorts(kAdapterFolder), SimulatorPortFile::runningDevice());
}

std::string stableAdapterName(const std::string& device, const std::string& adapterFolder)
{
    const std::filesystem::path target = deviceBehind(device);
    if (target.empty() || std::filesystem::path(device).parent_path() == std::filesystem::path(adapterFolder))
        return device;
    for (const std::string& name : adapterPorts(adapterFolder)) {
        if (deviceBehind(name) == target)
            return name;
    }
    return device;
}
