#pragma once

#include "link/SerialPort.h"

#include <memory>
#include <string>
#include <vector>

// Opens whatever a port name reaches (see PortNames::parsePortName): a serial
// device (QtSerialPort) or a controller on the network (NetworkPort). The
// port it returns is open; nullptr with `error` set (for the status strip)
// when the name reaches nothing or the device or connection cannot be opened.
std::unique_ptr<SerialPort> openPort(const std::string& name, std::string& error);

// The console's one port, which the engine, the bus scan and the port watch
// hold for the whole run: each open() opens the name afresh with openPort,
// so a serial device and a network controller take turns behind it. It
// notes the loss of whatever it has open and its return under the same
// name, for the bus monitor.
class ConsolePort : public SerialPort {
public:
    bool open(const std::string& name) override;
    bool isOpen() const override;
    void close() override;

    bool getSettings(LineSettings& settings) override;
    bool setSettings(const LineSettings& settings) override;

    long bytesWaiting() override;
    bool discardReceived() override;
    long read(std::uint8_t* buffer, std::size_t maxBytes) override;
    long write(const std::uint8_t* data, std::size_t length) override;

    std::string openError() const override;
    int extraWaitMs() const override { return extraWaitMs_; }
    std::vector<PortNote> takeNotes() override;

private:
    std::unique_ptr<SerialPort> port_;
    std::string name_;
    std::string error_;
    int extraWaitMs_ = 0;
    bool inUse_ = false;      // opened, and not closed by the operator
    std::string lostName_;    // what went away, until the operator lets go
    bool restored_ = false;
};
