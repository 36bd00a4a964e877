#pragma once

#include <modbus/modbus.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// A MODBUS RTU slave at address 1 from libmodbus (a stack nobody in this
// project wrote), serving its register map on `device` from a thread of its
// own as soon as it is connected.
class ModbusSlave {
public:
    explicit ModbusSlave(const std::string& device);
    ~ModbusSlave();
    ModbusSlave(const ModbusSlave&) = delete;
    ModbusSlave& operator=(const ModbusSlave&) = delete;

    bool ok() const { return connected_; }

    // Stops answering; the device end stays quiet from now on.
    void stop();

    std::uint16_t holding(int reg);
    void setHolding(int reg, std::uint16_t value);
    void setInput(int reg, std::uint16_t value);
    std::uint8_t coil(int address);
    void setCoil(int address, bool on);
    void setDiscrete(int address, bool on);

private:
    void serve();

    modbus_t* ctx_ = nullptr;
    modbus_mapping_t* mapping_ = nullptr;
    bool connected_ = false;
    std::atomic<bool> stopping_ = false;
    std::mutex mutex_;
    std::thread thread_;
};
