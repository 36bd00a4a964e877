#include "support/FakeController.h"

namespace {

template <std::size_t N>
void unpack(std::array<bool, N>& bits, std::initializer_list<std::uint8_t> bytes)
{
    std::size_t n = 0;
    for (std::uint8_t byte : bytes) {
        for (int bit = 0; bit < 8 && n < N; ++bit, ++n)
            bits[n] = (byte >> bit & 1) != 0;
    }
}

} // namespace

FakeSerialPort::Bytes FakeController::answer(const FakeSerialPort::Bytes& rq)
{
    if (rq.size() < 8 || rq[0] != address)
        return {};
    const std::uint8_t fn = rq[1];
    const std::size_t first = rq[2] * 256U + rq[3];
    const std::size_t n = rq[4] * 256U + rq[5];
    switch (fn) {
    case 0x01:
    case 0x02: {
        const auto& bits = fn == 0x01 ? coils : discrete;
        FakeSerialPort::Bytes body{address, fn, static_cast<std::uint8_t>((n + 7) / 8)};
        body.resize(3 + (n + 7) / 8, 0);
        for (std::size_t i = 0; i < n && first + i < bits.size(); ++i)
            if (bits[first + i])
                body[3 + i / 8] |= static_cast<std::uint8_t>(1U << (i % 8));
        return withCrc(body);
    }
    case 0x03:
    case 0x04: {
        const auto* regs = fn == 0x03 ? holding.data() : input.data();
        const std::size_t size = fn == 0x03 ? holding.size() : input.size();
        std::vector<std::uint16_t> words;
        for (std::size_t i = 0; i < n; ++i)
            words.push_back(first + i < size ? regs[first + i] : 0);
        return registerReply(address, fn, words);
    }
    case 0x05:
        if (first < coils.size())
            coils[first] = n == 0xFF00;
        return echoReply(rq);
    case 0x06:
        if (first < holding.size())
            holding[first] = static_cast<std::uint16_t>(n);
        return echoReply(rq);
    case 0x10:
        for (std::size_t i = 0; i < n && first + i < holding.size() && 8 + 2 * i < rq.size(); ++i)
            holding[first + i] = static_cast<std::uint16_t>(rq[7 + 2 * i] * 256U + rq[8 + 2 * i]);
        return echoReply(rq);
    default:
        return {};
    }
}

FakeSerialPort::Responder FakeController::responder()
{
    return [this](const FakeSerialPort::Bytes& request) { return answer(request); };
}

void FakeController::setCoilBytes(std::initializer_list<std::uint8_t> bytes)
{
    unpack(coils, bytes);
}

void FakeController::setDiscreteBytes(std::initializer_list<std::uint8_t> bytes)
{
    unpack(discrete, bytes);
}

FakeSerialPort::Bytes registerReply(std::uint8_t address, std::uint8_t function, const std::vector<std::uint16_t>& words)
{
    FakeSerialPort::Bytes body{address, function, static_cast<std::uint8_t>(2 * words.size())};
    for (std::uint16_t w : words) {
        body.push_back(static_cast<std::uint8_t>(w >> 8));
        body.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    return withCrc(body);
}

FakeSerialPort::Bytes echoReply(const FakeSerialPort::Bytes& request)
{
    return withCrc(FakeSerialPort::Bytes(request.begin(), request.begin() + 6));
}
