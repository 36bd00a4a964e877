#pragma once

#include "link/PortNames.h"
#include "link/SerialPort.h"

#include <cstdint>
#include <string>
#include <vector>

// SerialPort on a TCP connection to a controller on the network: a serial
// device server that passes the RTU bytes through unchanged, or a MODBUS TCP
// gateway. For a gateway every request leaves as a MODBUS TCP frame and
// every reply is checked against it and handed on as the RTU reply the
// engine awaits (see Mbap::checkReply), so the engine cannot tell the two
// kinds of line apart.
//
// Like a serial port it never blocks once open: the socket is non-blocking
// and every call only takes what has already arrived. A connection the peer
// closes or resets closes the port, as a pulled adapter does. Line settings
// do not apply to a network; they are kept and reported back unchanged.
class NetworkPort : public SerialPort {
public:
    NetworkPort();
    ~NetworkPort() override;
    NetworkPort(const NetworkPort&) = delete;
    NetworkPort& operator=(const NetworkPort&) = delete;

    // Opening waits for the connection, but at most kConnectWaitMs (host
    // name lookup included): long enough for any network a technician
    // reaches a cabinet through, short enough that the window does not
    // freeze noticeably while a lost link is retried once a second.
    static constexpr int kConnectWaitMs = 500;

    // `name` is "socket://HOST:PORT" or "tcp://HOST:PORT", with or without "?wait=MS".
    bool open(const std::string& name) override;
    bool isOpen() const override { return fd_ >= 0; }
    void close() override;

    bool getSettings(LineSettings& settings) override;
    bool setSettings(const LineSettings& settings) override;

    long bytesWaiting() override;
    bool discardReceived() override;
    long read(std::uint8_t* buffer, std::size_t maxBytes) override;
    long write(const std::uint8_t* data, std::size_t length) override;

    std::string openError() const override { return error_; }
    int extraWaitMs() const override { return extraWaitMs_; }
    std::vector<PortNote> takeNotes() override;

    // Notes kept when nobody takes them.
    static constexpr std::size_t kNoteLimit = 64;

private:
    bool connectTo(const PortNames::PortAddress& address);
    // Takes what the system has received; closes the port on end of stream
    // or a fault. False when the port is closed.
    bool takeReceived();
    void frameReceived();
    void lose(const std::string& why);
    void note(PortNote note);

    int fd_ = -1;
    bool modbusTcp_ = false;
    std::string name_;
    std::string error_;
    int extraWaitMs_ = 0;
    LineSettings settings_;

    std::vector<std::uint8_t> stream_;    // MODBUS TCP bytes not yet framed
    std::vector<std::uint8_t> received_;  // bytes for the engine, as on a serial line
    std::uint16_t transactionId_ = 0;
    std::uint8_t unitId_ = 0;
    std::size_t replyLength_ = 0;
    bool awaitingReply_ = false;
    std::int64_t sentAtUs_ = 0;           // wall clock, as the kernel stamps arrivals
    bool timingReply_ = false;
    bool keepForRequest_ = false;         // sent; the discard after it has not come yet
    std::vector<PortNote> notes_;
};
