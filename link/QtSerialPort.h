#pragma once

#include "link/SerialPort.h"

#include <memory>

class QSerialPort;

// SerialPort on QSerialPort. The engine polls it from timer ticks and tests
// call it without any event loop, so every call first takes over what the
// operating system has received, and every write leaves at once.
//
// A port that hangs up (peer gone, USB adapter pulled) is closed on the
// first fault; from then on every operation fails quietly.
class QtSerialPort : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;

    // `deviceName` is a device path; a symbolic link opens its target, so
    // one device cannot be opened twice under two names.
    bool open(const std::string& deviceName) override;
    bool isOpen() const override;
    void close() override;

    bool getSettings(LineSettings& settings) override;
    bool setSettings(const LineSettings& settings) override;

    long bytesWaiting() override;
    bool discardReceived() override;
    long read(std::uint8_t* buffer, std::size_t maxBytes) override;
    long write(const std::uint8_t* data, std::size_t length) override;

private:
    bool takeReceived();

    std::unique_ptr<QSerialPort> port_;
};
