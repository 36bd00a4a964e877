#pragma once

#include "link/LinkObserver.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Line settings of a serial port as the console reads and writes them.
enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

struct LineSettings {
    std::int32_t baudRate = 9600;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
};

// The one serial port the console talks through. Every operation is
// synchronous and never blocks: the engine only reads bytes already waiting.
// Operations on a closed port fail (return false / -1) without side effects.
// A port whose device goes away (the peer hangs up, the adapter is pulled)
// closes itself, so isOpen() tells whether the device is still there.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the named device exclusively for reading and writing.
    virtual bool open(const std::string& deviceName) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    virtual bool getSettings(LineSettings& settings) = 0;
    virtual bool setSettings(const LineSettings& settings) = 0;

    // Number of received bytes waiting, or -1 when the port is unusable.
    virtual long bytesWaiting() = 0;
    // Discards the receive queue; the transmit queue is never touched.
    virtual bool discardReceived() = 0;
    // Reads up to maxBytes waiting bytes; returns the count read or -1.
    virtual long read(std::uint8_t* buffer, std::size_t maxBytes) = 0;
    // Writes a frame; returns the count written or -1.
    virtual long write(const std::uint8_t* data, std::size_t length) = 0;

    // Why the last open failed, for the status strip; empty when it cannot tell.
    virtual std::string openError() const { return {}; }
    // Time added to every reply delay for the way to the controller and
    // back (a network's round trip); 0 for a serial line.
    virtual int extraWaitMs() const { return 0; }
    // What the port has seen of its own line since the last call: loss and
    // return, frame headers, round trips. For the bus monitor only.
    virtual std::vector<PortNote> takeNotes() { return {}; }
};
