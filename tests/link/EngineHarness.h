#pragma once

#include "link/Crc16.h"
#include "link/LinkState.h"
#include "link/TransactionEngine.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

#include <array>
#include <cstdint>
#include <vector>

// An engine wired to a scripted port and a recording view, ticked one step
// of the port's clock at a time.
struct EngineHarness {
    using Bytes = FakeSerialPort::Bytes;

    LinkState state;
    FakeSerialPort port;
    RecordingView view{&state};
    TransactionEngine engine{state, port, view};

    explicit EngineHarness(int tab = 0)
    {
        port.openForTest();
        view.tab = tab;
        state.EngineTab = static_cast<std::uint8_t>(tab);
    }

    void tick()
    {
        port.advance();
        engine.tick();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            tick();
    }
    // What a handler does to queue a configuration command or curve fetch.
    void request(std::uint8_t code)
    {
        state.CommandCode = code;
        state.CommandArmed = 1;
        state.LinkBusy = 1;
    }
    // What a live-tab handler does to start an action.
    void startAction(std::uint8_t action)
    {
        state.LiveAction = action;
        state.CommandArmed = 1;
        state.PollStep = 0;
    }
    bool idle() const { return state.LinkBusy == 0 && state.CommandCode == Command::None; }
};

// `body` followed by its CRC, as a controller sends it.
inline FakeSerialPort::Bytes withCrc(FakeSerialPort::Bytes body)
{
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

// A read-registers reply carrying `words`.
inline FakeSerialPort::Bytes registerReply(std::uint8_t address, std::uint8_t function,
                                           const std::vector<std::uint16_t>& words)
{
    FakeSerialPort::Bytes body{address, function, static_cast<std::uint8_t>(2 * words.size())};
    for (std::uint16_t w : words) {
        body.push_back(static_cast<std::uint8_t>(w >> 8));
        body.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    return withCrc(body);
}

// Echo reply of a write: the first six bytes of the request.
inline FakeSerialPort::Bytes echoReply(const FakeSerialPort::Bytes& request)
{
    return withCrc(FakeSerialPort::Bytes(request.begin(), request.begin() + 6));
}

// A controller that answers every request correctly from its register
// images: writes are echoed and stored, reads are served.
struct FakeController {
    std::uint8_t address = 1;
    std::array<std::uint16_t, 64> holding{};
    std::array<std::uint16_t, 32> input{};
    std::array<bool, 32> coils{};
    std::array<bool, 32> discrete{};

    FakeSerialPort::Bytes answer(const FakeSerialPort::Bytes& rq);
};
