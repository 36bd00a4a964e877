#include "integration/ModbusSlave.h"

#include <chrono>

ModbusSlave::ModbusSlave(const std::string& device)
    : ctx_(modbus_new_rtu(device.c_str(), 9600, 'N', 8, 1)),
      mapping_(modbus_mapping_new(32, 32, 64, 32))
{
    if (ctx_ == nullptr || mapping_ == nullptr)
        return;
    modbus_set_slave(ctx_, 1);
    // Wake up regularly so that stop() is noticed.
    modbus_set_indication_timeout(ctx_, 0, 50'000);
    if (modbus_connect(ctx_) != 0)
        return;
    connected_ = true;
    thread_ = std::thread(&ModbusSlave::serve, this);
}

ModbusSlave::~ModbusSlave()
{
    stop();
    if (ctx_ != nullptr)
        modbus_free(ctx_);
    if (mapping_ != nullptr)
        modbus_mapping_free(mapping_);
}

void ModbusSlave::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (connected_)
        modbus_close(ctx_);
    connected_ = false;
}

std::uint16_t ModbusSlave::holding(int reg)
{
    const std::lock_guard lock(mutex_);
    return mapping_->tab_registers[reg];
}

void ModbusSlave::setHolding(int reg, std::uint16_t value)
{
    const std::lock_guard lock(mutex_);
    mapping_->tab_registers[reg] = value;
}

void ModbusSlave::setInput(int reg, std::uint16_t value)
{
    const std::lock_guard lock(mutex_);
    mapping_->tab_input_registers[reg] = value;
}

std::uint8_t ModbusSlave::coil(int address)
{
    const std::lock_guard lock(mutex_);
    return mapping_->tab_bits[address];
}

void ModbusSlave::setCoil(int address, bool on)
{
    const std::lock_guard lock(mutex_);
    mapping_->tab_bits[address] = on ? 1 : 0;
}

void ModbusSlave::setDiscrete(int address, bool on)
{
    const std::lock_guard lock(mutex_);
    mapping_->tab_input_bits[address] = on ? 1 : 0;
}

void ModbusSlave::serve()
{
    std::uint8_t request[MODBUS_RTU_MAX_ADU_LENGTH];
    while (!stopping_) {
        const int length = modbus_receive(ctx_, request);
        if (length <= 0)
            continue;
        // On a real line the request is still on the wire for ten bit
        // times per byte at 9600 baud; the master drops whatever it has
        // received right after writing, so an answer must not overtake it.
        std::this_thread::sleep_for(std::chrono::microseconds(length * 10 * 1'000'000 / 9600));
        const std::lock_guard lock(mutex_);
        modbus_reply(ctx_, request, length, mapping_);
    }
}
