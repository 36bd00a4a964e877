#include "link/PortWatch.h"

#include "link/PortDiscovery.h"

#include <utility>

PortWatch::PortWatch(SerialPort& port, std::string adapterFolder)
    : port_(port), adapterFolder_(std::move(adapterFolder))
{
}

void PortWatch::watch(const std::string& device, const LineSettings& settings)
{
    device_ = stableAdapterName(device, adapterFolder_);
    settings_ = settings;
    state_ = State::Watching;
}

void PortWatch::stop()
{
    state_ = State::Idle;
}

bool PortWatch::noticeLoss()
{
    if (state_ != State::Watching || port_.isOpen())
        return false;
    // A pseudo-terminal's number goes to whichever program asks next: what
    // shows up under it later is not our device.
    state_ = device_.starts_with("/dev/pts/") ? State::Gone : State::Lost;
    return true;
}

bool PortWatch::tick()
{
    noticeLoss();
    if (state_ != State::Lost || !port_.open(device_))
        return false;
    // Something that came back under the name but cannot take our line
    // settings is not the device we lost; try again on the next tick.
    if (!port_.setSettings(settings_)) {
        port_.close();
        return false;
    }
    state_ = State::Watching;
    return true;
}
