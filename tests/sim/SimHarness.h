#pragma once

#include "sim/FaultInjector.h"
#include "sim/RtuSlave.h"
#include "sim/SimController.h"

#include <modbus/modbus.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The simulator's slave running on its own thread over a real
// pseudo-terminal, with a model clock the test moves by hand.
class RunningSlave {
public:
    explicit RunningSlave(const FaultSettings& faults = {}, const SimController::Options& options = {});
    ~RunningSlave();

    bool ok() const { return ok_; }
    const std::string& device() const { return slave_.device(); }
    void advance(SimMillis millis) { clock_ += millis; }
    SimController& controller() { return controller_; }

    static constexpr SimMillis kStart = 1000000;

private:
    std::atomic<SimMillis> clock_{kStart};
    SimController controller_;
    FaultInjector faults_;
    RtuSlave slave_;
    std::thread thread_;
    bool ok_ = false;
};

// libmodbus as the master: a MODBUS stack nobody here wrote.
class ModbusMaster {
public:
    ModbusMaster(const std::string& device, int slave, int timeoutMs = 1000);
    ~ModbusMaster();

    bool ok() const { return ok_; }
    modbus_t* ctx() const { return ctx_; }
    int fd() const { return modbus_get_socket(ctx_); }

    // Sends address + function + data (libmodbus adds the CRC) and returns
    // the reply's length as libmodbus receives it (-1 on error); the reply
    // lands in `reply`.
    int exchange(const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>& reply);
    // Sends the request and collects the raw bytes that come back until
    // `expected` bytes are in or the line stays silent for `quietMs`.
    std::vector<std::uint8_t> rawExchange(const std::vector<std::uint8_t>& request, std::size_t expected,
                                          int quietMs = 300);
    // Writes bytes as they are, CRC included.
    void writeRaw(const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> readRaw(std::size_t expected, int quietMs);

private:
    modbus_t* ctx_ = nullptr;
    bool ok_ = false;
};

// The request with its CRC appended, low byte first as on the wire.
std::vector<std::uint8_t> withCrc(std::vector<std::uint8_t> request);
// Whether the last two bytes are a correct CRC of the rest.
bool crcGood(const std::vector<std::uint8_t>& frame);
