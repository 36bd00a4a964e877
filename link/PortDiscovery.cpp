#include "link/PortDiscovery.h"

#include "link/PortNames.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <filesystem>

namespace {

// /dev/serial/by-id keeps one name per adapter whichever ttyUSBn it got.
std::vector<std::string> adapterPorts()
{
    std::vector<std::string> ports;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/serial/by-id", error))
        ports.push_back(entry.path().string());
    std::sort(ports.begin(), ports.end());
    return ports;
}

} // namespace

std::vector<std::string> discoverPortItems()
{
    std::vector<std::string> systemPorts;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        systemPorts.push_back(info.systemLocation().toStdString());
    std::sort(systemPorts.begin(), systemPorts.end());
    return PortNames::portItems(systemPorts, adapterPorts(), PortNames::runningSimulatorPort());
}
