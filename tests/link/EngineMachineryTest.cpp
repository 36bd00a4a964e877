// The common machinery of the engine: collecting a reply over ticks,
// judging it, time-outs, tab changes, queue hygiene and re-entrant ticks.
#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace {

using Bytes = FakeSerialPort::Bytes;

// Command 0 transmitted and waiting; returns the written request.
Bytes sendIntfan(EngineHarness& h)
{
    h.request(Command::SetIntfan);
    h.tick();
    EXPECT_EQ(h.port.written().size(), 1u);
    EXPECT_EQ(h.state.CommandArmed, 0);
    return h.port.lastWritten();
}

TEST(EngineReceive, ReplyInPiecesIsAcceptedWhenItsLastByteArrives)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    h.port.deliverInPieces(echoReply(rq), {3, 2, 2}, 1, 2);   // 8 bytes over ticks 1, 3, 5, 7

    for (int i = 0; i < 6; ++i) {
        h.tick();
        EXPECT_EQ(h.state.LinkBusy, 1) << "tick " << i;
        EXPECT_TRUE(h.view.messages.empty());
    }
    h.tick();
    EXPECT_TRUE(h.idle());
    ASSERT_EQ(h.view.messages.size(), 1u);
    EXPECT_EQ(h.view.messages[0].text, "Set Successfully!");
    EXPECT_EQ(h.view.messages[0].caption, "Set Intfan1");
}

TEST(EngineReceive, ReadAllNeedsAll93Bytes)
{
    EngineHarness h;
    h.request(Command::ReadAll);
    h.tick();
    std::vector<std::uint16_t> regs(44, 7);
    const Bytes reply = registerReply(1, 0x03, regs);
    ASSERT_EQ(reply.size(), 93u);
    h.port.deliver(Bytes(reply.begin(), reply.end() - 1));
    h.ticks(5);
    EXPECT_EQ(h.state.RxLength, 92u);
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_FALSE(h.view.hasText("Edit12"));

    h.port.deliver(Bytes(reply.end() - 1, reply.end()));
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.view.text("Edit12"), "7");
}

TEST(EngineReceive, ReplyFromAnotherAddressIsWrongAtOnce)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    Bytes other(rq.begin(), rq.begin() + 6);
    other[0] = 2;
    h.port.deliver(withCrc(other));
    const int discardsBefore = h.port.discardCount();
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
    EXPECT_EQ(h.view.linkSteps, 1);   // commands 0 to 2 step the indicator on a wrong reply
    EXPECT_EQ(h.state.LinkAliveCountdown, 10);
    EXPECT_EQ(h.port.discardCount(), discardsBefore);
}

TEST(EngineReceive, CrcMismatchWaitsAndTimesOutOnThe101stWaitingTickSilently)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    Bytes bad = echoReply(rq);
    bad.back() ^= 0x01;
    h.port.deliver(bad);

    h.ticks(100);
    EXPECT_EQ(h.state.WaitTicks, 100);
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.CommandCode, Command::SetIntfan);

    h.port.deliver(echoReply(rq));   // a good reply now comes too late: bytes 0-7 are judged
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
    EXPECT_EQ(h.view.linkSteps, 0);
    EXPECT_EQ(h.port.written().size(), 1u);   // never retransmitted
}

TEST(EngineReceive, IntervalsFollowTheTransaction)
{
    EngineHarness h;
    sendIntfan(h);
    EXPECT_EQ(h.view.lastInterval(), 200);
    h.tick();
    EXPECT_EQ(h.view.lastInterval(), 10);
    h.ticks(100);
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.view.lastInterval(), 10);

    h.request(Command::ReadAll);
    h.tick();
    EXPECT_EQ(h.view.lastInterval(), 100);
    EXPECT_EQ(h.view.windowWidth, 810);
    EXPECT_EQ(h.view.windowHeight, 646);
}

TEST(EngineReceive, ClosedOrUnpluggedPortEndsByTimeOut)
{
    for (bool unplugMidway : {false, true}) {
        EngineHarness h;
        if (!unplugMidway)
            h.port.close();
        h.request(Command::SetIntfan);
        h.tick();
        EXPECT_EQ(h.state.CommandArmed, 0);
        if (unplugMidway)
            h.port.unplug();
        h.ticks(100);
        EXPECT_EQ(h.state.LinkBusy, 1);
        h.tick();
        EXPECT_TRUE(h.idle());
        EXPECT_EQ(h.port.written().size(), unplugMidway ? 1u : 0u);
        EXPECT_TRUE(h.view.messages.empty());
    }
}

TEST(EngineQueue, MoreThan1024WaitingBytesAreDiscardedExactly1024AreRead)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    h.port.deliver(Bytes(1025, 0x55));
    const int before = h.port.discardCount();
    h.tick();
    EXPECT_EQ(h.port.discardCount(), before + 1);
    EXPECT_EQ(h.port.pending(), 0u);
    EXPECT_EQ(h.state.RxLength, 0u);
    EXPECT_EQ(h.state.WaitTicks, 0);   // the prologue ends the tick before the reading

    h.port.deliver(echoReply(rq));
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.view.messages.size(), 1u);

    EngineHarness full;
    sendIntfan(full);
    full.port.deliver(Bytes(1024, 0x01));
    full.tick();
    EXPECT_EQ(full.state.RxLength, 1000u);   // what RxFrame holds; the rest is dropped
    EXPECT_EQ(full.port.pending(), 0u);
}

TEST(EngineQueue, OverflowingRxFrameIsSafeAndTheTransactionEndsByItsRules)
{
    EngineHarness h;
    h.request(Command::ReadAll);
    h.tick();
    // Bytes that start right (address and function) but carry a bad CRC,
    // followed by far more than RxFrame holds, over several ticks.
    Bytes stream(3000, 0xA5);
    stream[0] = 1;
    stream[1] = 0x03;
    h.port.deliverInPieces(stream, {1000, 1000}, 1, 1);
    h.ticks(3);
    EXPECT_EQ(h.state.RxLength, 1000u);
    EXPECT_EQ(h.state.LinkBusy, 1);   // CRC mismatch: keeps waiting
    h.ticks(98);
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
}

TEST(EngineQueue, StrayByteBeforeTheReplyMakesItWrong)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    Bytes stream{0x00};
    const Bytes echo = echoReply(rq);
    stream.insert(stream.end(), echo.begin(), echo.end());
    h.port.deliver(stream);
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
}

TEST(EngineTabs, LeavingAndComingBackAbandonsACommandSilently)
{
    EngineHarness h;
    const Bytes rq = sendIntfan(h);
    h.view.tab = 1;
    h.tick();                     // arrival on the live tab
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.EngineTab, 1);
    h.port.deliver(echoReply(rq));
    h.view.tab = 0;
    const int discards = h.port.discardCount();
    h.tick();                     // arrival back on Configuration
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.port.discardCount(), discards + 1);
    h.ticks(5);
    EXPECT_TRUE(h.idle());
    EXPECT_TRUE(h.view.messages.empty());
}

TEST(EngineTabs, GraphWhileCommand1WaitsWaitsForACurveReplyAndTimesOut)
{
    EngineHarness h;
    h.request(Command::SetExtfan);
    h.tick();
    const Bytes rq = h.port.lastWritten();
    ASSERT_EQ(rq.size(), 31u);
    h.ticks(3);
    h.view.tab = 2;
    h.tick();                     // arrival on Graph
    EXPECT_EQ(h.state.EngineTab, 2);
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.CommandArmed, 0);

    h.port.deliver(echoReply(rq));   // the 8-byte write reply cannot complete 27 bytes
    h.ticks(97);
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.WaitTicks, 100);
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.state.CommandArmed, 1);   // a curve fetch re-arms when it ends
    EXPECT_TRUE(h.view.curves.empty());
    EXPECT_TRUE(h.view.messages.empty());
    EXPECT_EQ(h.port.written().size(), 1u);
}

TEST(EngineTabs, GraphWithAnotherCommandStaysBusyUntilConfigurationIsShown)
{
    EngineHarness h;
    h.request(Command::SetTempAlarm);
    h.tick();
    h.view.tab = 2;
    h.tick();
    const int discards = h.port.discardCount();
    h.ticks(300);
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.CommandCode, Command::SetTempAlarm);
    EXPECT_EQ(h.port.discardCount(), discards + 300);   // every tick drops the queue
    h.view.tab = 0;
    h.tick();
    EXPECT_TRUE(h.idle());
}

TEST(EngineTabs, UnknownCodesAndTabIndexes)
{
    EngineHarness h;
    h.request(12);
    h.tick();
    EXPECT_EQ(h.state.LinkBusy, 0);   // Configuration treats unknown codes as none pending
    EXPECT_TRUE(h.port.written().empty());

    h.view.tab = -1;                  // an unknown tab counts as live and drops the queue
    const int discards = h.port.discardCount();
    h.tick();
    EXPECT_EQ(h.state.EngineTab, 1);
    EXPECT_EQ(h.port.discardCount(), discards + 1);
}

TEST(EngineReentrancy, TicksInsideAMessageBoxSeeAnIdleEngine)
{
    EngineHarness h;
    h.state.Settings.NewDeviceAddress = 5;
    int inner = 0;
    h.view.onMessage = [&](const RecordingView::Message& m) {
        ASSERT_TRUE(m.state);
        EXPECT_EQ(m.state->LinkBusy, 0);
        EXPECT_EQ(m.state->CommandCode, Command::None);
        const auto written = h.port.written().size();
        for (int i = 0; i < 20; ++i) {
            h.tick();
            ++inner;
            EXPECT_TRUE(h.idle());
        }
        EXPECT_EQ(h.port.written().size(), written);
    };
    for (std::uint8_t code : {Command::SetIntfan, Command::SetExtfan, Command::SetHeater, Command::SetTempAlarm,
                              Command::SetCalibration, Command::SetExtInput, Command::SetAddress,
                              Command::SetVoltAlarm, Command::SetCompressor, Command::FactoryReset}) {
        FakeController controller;
        controller.address = static_cast<std::uint8_t>(h.state.SlaveAddress);
        h.port.setResponder([&](const Bytes& rq) { return controller.answer(rq); });
        h.request(code);
        h.ticks(2);
        EXPECT_TRUE(h.idle()) << int(code);
    }
    EXPECT_EQ(h.view.messages.size(), 10u);
    EXPECT_EQ(inner, 200);
}

} // namespace
