#pragma once

#include "link/SerialPort.h"

#include <string>

// Keeps the port the operator opened in use across a pulled USB adapter or
// a peer that hangs up. The port closes itself when its device goes away;
// the watch notices that, and while the operator has not let go of the port
// it opens the same device again, with the same line settings, once it is
// back.
//
// Nothing here runs by itself: the window calls noticeLoss() after every
// engine tick and tick() once a second while the port is lost.
class PortWatch {
public:
    enum class State {
        Idle,      // no port of the operator's
        Watching,  // open, in use
        Lost,      // gone; reopened when it comes back
        Gone,      // gone for good: a pseudo-terminal whose number the
                   // system hands to the next program that asks for one
    };

    // `adapterFolder` holds the stable names of USB adapters.
    explicit PortWatch(SerialPort& port, std::string adapterFolder = "/dev/serial/by-id");

    // The operator opened `device` with `settings`. A device that has a
    // stable adapter name is watched under that name, so that it is found
    // again when it comes back as another ttyUSBn.
    void watch(const std::string& device, const LineSettings& settings);
    // The operator closed the port or let go of the lost one.
    void stop();

    // True once, when the watched port is found closed behind our back.
    bool noticeLoss();
    // One attempt to open the lost device again; true when it is open, with
    // its line settings applied.
    bool tick();

    State state() const { return state_; }
    bool lost() const { return state_ == State::Lost || state_ == State::Gone; }
    // The name the watch opens: the stable adapter name when there is one.
    const std::string& device() const { return device_; }

private:
    SerialPort& port_;
    std::string adapterFolder_;
    State state_ = State::Idle;
    std::string device_;
    LineSettings settings_;
};
