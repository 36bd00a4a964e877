#pragma once

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// Puts the simulated controller's line on the network for one client at a
// time, on its own thread. As a serial device server it passes the bytes
// between the client and the line unchanged; as a MODBUS TCP gateway it
// sends each request frame down the line as RTU and returns the reply under
// the request's header, or exception 0x0B when the line gives no usable one.
class NetworkListener {
public:
    enum class Mode { Rtu, ModbusTcp };

    // `lineDevice` is the controller's end for a master (RtuSlave::device()).
    NetworkListener(Mode mode, std::string lineDevice);
    ~NetworkListener();
    NetworkListener(const NetworkListener&) = delete;
    NetworkListener& operator=(const NetworkListener&) = delete;

    // Listens on 127.0.0.1:`port` (0: a free port) and starts serving;
    // false with errorText() when it cannot.
    bool start(std::uint16_t port);
    void stop();

    std::uint16_t port() const { return port_; }
    // The name the console opens: "socket://127.0.0.1:N" or "tcp://127.0.0.1:N".
    std::string portName() const;
    const std::string& errorText() const { return error_; }

    // Longest wait for the line's reply to one MODBUS TCP request.
    static constexpr int kLineWaitMs = 1000;
    // Exception a gateway answers when the device behind it does not.
    static constexpr std::uint8_t kTargetFailedToRespond = 0x0B;

private:
    void run();
    void serveClient();
    bool forward(int from, int to);
    // One MODBUS TCP request from the client's stream, if complete.
    bool gatewayStep();
    std::vector<std::uint8_t> lineReply(const std::vector<std::uint8_t>& request);
    bool sendAll(int fd, const std::vector<std::uint8_t>& bytes);

    Mode mode_;
    std::string lineDevice_;
    std::string error_;
    std::uint16_t port_ = 0;
    int listen_ = -1;
    int line_ = -1;
    int client_ = -1;
    int wake_[2] = {-1, -1};
    std::vector<std::uint8_t> stream_;
    std::thread thread_;
};
