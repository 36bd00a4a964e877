#pragma once

#include "support/ReferenceCrc.h"
#include "support/RunningSlave.h"

#include <modbus/modbus.h>

#include <cstdint>
#include <string>
#include <vector>

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
