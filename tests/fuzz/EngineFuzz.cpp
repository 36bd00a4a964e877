// Feeds arbitrary bytes, split arbitrarily across ticks, to the engine while
// it runs each kind of transaction, and checks the invariants a modal box
// relies on. Built by run_fuzz.sh with libFuzzer and the sanitizers.
//
// Input: byte 0 picks the transaction, bytes 1-4 seed fields, then a script:
//   0x00-0xEF  n: the next n bytes arrive, then one tick
//   0xF0-0xF2     show tab 0, 1 or 2, then one tick
//   0xF3  b       600 copies of b arrive, then one tick
//   0xF4          twenty ticks with nothing arriving
//   0xF5  k       queue transaction k afresh
//   0xF6          a reply of the right length, address and function to the
//                 last request, its body from the input, with its CRC
//   others        one tick
#include "link/Crc16.h"
#include "link/Frames.h"
#include "link/TransactionEngine.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Run {
    LinkState state;
    FakeSerialPort port;
    RecordingView view{&state};
    TransactionEngine engine{state, port, view, view};
    int depth = 0;

    void check() const
    {
        if (state.RxLength > state.RxFrame.size() || state.WaitTicks > TransactionEngine::kWaitLimit)
            std::abort();
    }

    void tick()
    {
        port.advance();
        engine.tick();
        check();
    }

    // Kinds 0-11 configuration, 12-15 poll steps, 16-18 live actions, 19-20 curves.
    void queue(std::uint8_t kind)
    {
        kind %= 21;
        if (kind < 12) {
            view.tab = 0;
            state.CommandCode = kind;
            state.LinkBusy = 1;
            state.CommandArmed = 1;
        } else if (kind < 16) {
            view.tab = 1;
            state.LiveAction = LiveActionCode::None;
            state.PollStep = static_cast<std::uint8_t>(kind - 12);
            state.CommandArmed = 1;
        } else if (kind < 19) {
            static constexpr std::uint8_t kActions[] = {1, 2, 4};
            view.tab = 1;
            state.LiveAction = kActions[kind - 16];
            state.PollStep = 0;
            state.CommandArmed = 1;
        } else {
            view.tab = 2;
            state.CommandCode = static_cast<std::uint8_t>(kind - 18);
            state.LinkBusy = 1;
            state.CommandArmed = 1;
        }
        state.EngineTab = static_cast<std::uint8_t>(view.tab);
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    Run run;
    run.port.openForTest();
    run.state.SlaveAddress = data[1];
    run.state.Settings.DebugTemperature = static_cast<std::int16_t>(data[2] << 8 | data[3]);
    run.state.CoilWriteValue = (data[4] & 1) ? 0xFF00 : 0x0000;
    run.state.Settings.NewDeviceAddress = data[4];
    run.queue(data[0]);

    // A box opened by an outcome runs further ticks, as the nested loop of a
    // modal box does; by then the engine must have settled its state.
    run.view.onMessage = [&run](const RecordingView::Message&) {
        if (run.state.LinkBusy != 0 && run.view.tab != 1)
            std::abort();
        if (run.state.LiveAction != 0 && run.view.tab == 1)
            std::abort();
        if (run.depth > 2)
            return;
        ++run.depth;
        for (int i = 0; i < 3; ++i)
            run.tick();
        --run.depth;
    };

    run.tick();   // transmit
    std::size_t at = 5;
    while (at < size) {
        const std::uint8_t op = data[at++];
        if (op <= 0xEF) {
            const std::size_t n = std::min<std::size_t>(op, size - at);
            run.port.deliver(FakeSerialPort::Bytes(data + at, data + at + n));
            at += n;
            run.tick();
        } else if (op == 0xF6) {
            const FakeSerialPort::Bytes rq = run.port.lastWritten();
            if (rq.size() >= 6) {
                const std::size_t length = Frames::replyLength(rq[1], static_cast<std::uint16_t>(rq[4] << 8 | rq[5]));
                FakeSerialPort::Bytes reply{rq[0], rq[1]};
                while (reply.size() + 2 < length)
                    reply.push_back(at < size ? data[at++] : 0);
                const std::uint16_t crc = Crc16(reply.data(), reply.size());
                reply.push_back(static_cast<std::uint8_t>(crc >> 8));
                reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
                run.port.deliver(reply);
            }
            run.tick();
        } else if (op <= 0xF2) {
            run.view.tab = op - 0xF0;
            run.tick();
        } else if (op == 0xF3) {
            const std::uint8_t b = at < size ? data[at++] : 0;
            run.port.deliver(FakeSerialPort::Bytes(600, b));
            run.tick();
        } else if (op == 0xF4) {
            for (int i = 0; i < 20; ++i)
                run.tick();
        } else if (op == 0xF5) {
            run.queue(at < size ? data[at++] : 0);
        } else {
            run.tick();
        }
    }
    return 0;
}
