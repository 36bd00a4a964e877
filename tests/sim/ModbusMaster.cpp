#include "ModbusMaster.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

ModbusMaster::ModbusMaster(const std::string& device, int slave, int timeoutMs)
{
    ctx_ = modbus_new_rtu(device.c_str(), 9600, 'N', 8, 1);
    if (ctx_ == nullptr)
        return;
    modbus_set_slave(ctx_, slave);
    modbus_set_response_timeout(ctx_, static_cast<std::uint32_t>(timeoutMs / 1000),
                                static_cast<std::uint32_t>(timeoutMs % 1000) * 1000);
    ok_ = modbus_connect(ctx_) == 0;
}

ModbusMaster::~ModbusMaster()
{
    if (ctx_ != nullptr) {
        if (ok_)
            modbus_close(ctx_);
        modbus_free(ctx_);
    }
}

int ModbusMaster::exchange(const std::vector<std::uint8_t>& request, std::vector<std::uint8_t>& reply)
{
    reply.assign(MODBUS_RTU_MAX_ADU_LENGTH, 0);
    if (modbus_send_raw_request(ctx_, request.data(), static_cast<int>(request.size())) < 0)
        return -1;
    const int length = modbus_receive_confirmation(ctx_, reply.data());
    reply.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return length;
}

void ModbusMaster::writeRaw(const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd(), bytes.data() + done, bytes.size() - done);
        if (n <= 0 && errno != EINTR && errno != EAGAIN)
            return;
        if (n > 0)
            done += static_cast<std::size_t>(n);
    }
}

std::vector<std::uint8_t> ModbusMaster::readRaw(std::size_t expected, int quietMs)
{
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[256];
    for (;;) {
        // Once the expected count is in, only pick up what is already there.
        pollfd p{fd(), POLLIN, 0};
        if (::poll(&p, 1, bytes.size() >= expected ? 0 : quietMs) <= 0)
            break;
        const ssize_t n = ::read(fd(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

std::vector<std::uint8_t> ModbusMaster::rawExchange(const std::vector<std::uint8_t>& request, std::size_t expected,
                                                    int quietMs)
{
    writeRaw(withCrc(request));
    return readRaw(expected, quietMs);
}
