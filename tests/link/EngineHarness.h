#pragma once

#include "link/LinkState.h"
#include "link/TransactionEngine.h"
#include "support/FakeController.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

#include <cstdint>

// An engine wired to a scripted port and a recording view, ticked one step
// of the port's clock at a time.
struct EngineHarness {
    using Bytes = FakeSerialPort::Bytes;

    LinkState state;
    FakeSerialPort port;
    RecordingView view{&state};
    TransactionEngine engine{state, port, view, view};

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
    // A command times out, its echo arrives late, and the next request
    // (Read All) goes out with the late bytes still waiting.
    void lateReplyThenNextRequest()
    {
        request(Command::SetHeater);
        tick();
        const Bytes echo = echoReply(port.lastWritten());
        ticks(101);
        port.deliver(echo);
        request(Command::ReadAll);
        tick();
    }
    // A reply with a broken CRC, then two more bytes, and the time-out.
    void crcMismatchThenMoreBytes()
    {
        request(Command::SetIntfan);
        tick();
        Bytes bad = echoReply(port.lastWritten());
        bad.back() ^= 0x01;
        port.deliver(bad);
        ticks(3);
        port.deliver({0x55, 0x66});   // more bytes, read but never judged
        ticks(99);
    }
    bool idle() const { return state.LinkBusy == 0 && state.CommandCode == Command::None; }
};
