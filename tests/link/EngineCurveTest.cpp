// Fan-curve fetches on the Graph tab.
#include "EngineHarness.h"
#include "link/CurveFetchTransaction.h"

#include <gtest/gtest.h>

namespace {

using Bytes = FakeSerialPort::Bytes;

constexpr int kGraphTab = 2;

std::vector<std::uint16_t> curveRegisters()
{
    return {1500, 2800, 0xFFFF, 250, 400, 0xFFCE, 0x00C8, 30, 2, 1, 1};
}

TEST(EngineCurve, DecodesUnsignedSpeedsAndSignedTenths)
{
    const FanCurve c = CurveFetchTransaction::decodeCurve(registerReply(1, 0x03, curveRegisters()));
    EXPECT_EQ(c.StepRev, 1500u);
    EXPECT_EQ(c.MaxRev, 2800u);
    EXPECT_EQ(c.MinRev, 65535u);
    EXPECT_FLOAT_EQ(c.StepTemp, 25.0f);
    EXPECT_FLOAT_EQ(c.MaxTemp, 40.0f);
    EXPECT_FLOAT_EQ(c.MinTemp, -5.0f);
    EXPECT_FLOAT_EQ(c.StopTemp, 20.0f);
    EXPECT_FLOAT_EQ(c.DeltTemp, 3.0f);

    const FanCurve shortReply = CurveFetchTransaction::decodeCurve(withCrc({1, 0x03, 4, 0, 7, 0, 8}));
    EXPECT_EQ(shortReply.StepRev, 7u);
    EXPECT_EQ(shortReply.MinRev, 0u);
}

TEST(EngineCurve, FetchesDrawIntoTheirChannels)
{
    for (std::uint8_t code : {Command::FetchIntCurve, Command::FetchExtCurve}) {
        EngineHarness h(kGraphTab);
        h.request(code);
        h.tick();
        const std::uint8_t first = code == Command::FetchIntCurve ? 0 : 11;
        EXPECT_EQ(h.port.lastWritten(), withCrc({1, 0x03, 0x00, first, 0x00, 0x0B}));
        EXPECT_EQ(h.view.lastInterval(), 200);
        h.port.deliver(registerReply(1, 0x03, curveRegisters()));
        h.tick();
        ASSERT_EQ(h.view.curves.size(), 1u);
        EXPECT_EQ(h.view.curves[0].channel, code == Command::FetchIntCurve ? 0 : 1);
        EXPECT_FLOAT_EQ(h.view.curves[0].curve.StopTemp, 20.0f);
        const FanCurve& stored = code == Command::FetchIntCurve ? h.state.IntfanCurve : h.state.ExtfanCurve;
        EXPECT_EQ(stored.MinRev, 65535u);
        EXPECT_TRUE(h.idle());
        EXPECT_EQ(h.state.CommandArmed, 1);
        EXPECT_EQ(h.state.LinkAliveCountdown, 30);
        EXPECT_EQ(h.view.linkSteps, 1);
        EXPECT_TRUE(h.view.messages.empty());
    }
}

TEST(EngineCurve, ReplyFromAnotherAddressEndsWithoutDrawing)
{
    EngineHarness h(kGraphTab);
    h.request(Command::FetchIntCurve);
    h.tick();
    h.port.deliver(registerReply(5, 0x03, curveRegisters()));
    h.tick();
    EXPECT_TRUE(h.idle());
    EXPECT_EQ(h.state.CommandArmed, 1);
    EXPECT_TRUE(h.view.curves.empty());
    EXPECT_EQ(h.view.linkSteps, 0);
}

TEST(EngineCurve, OnlyTheConfigurationTabCancelsAFetch)
{
    EngineHarness h(kGraphTab);
    h.request(Command::FetchIntCurve);
    h.view.tab = 1;
    h.tick();                    // arrival on the live tab
    h.tick();                    // poll step 0 goes out
    h.view.tab = kGraphTab;
    h.tick();                    // back on Graph: still requested
    EXPECT_EQ(h.state.LinkBusy, 1);
    EXPECT_EQ(h.state.CommandCode, Command::FetchIntCurve);

    h.view.tab = 0;
    h.tick();
    EXPECT_TRUE(h.idle());
    h.view.tab = kGraphTab;
    h.ticks(3);
    EXPECT_EQ(h.port.written().size(), 1u);   // only the poll request ever went out
}

TEST(EngineCurve, FetchLeftArmedIsSentAfterAVisitToTheLiveTab)
{
    EngineHarness h(kGraphTab);
    h.request(Command::FetchExtCurve);
    h.view.tab = 1;
    h.tick();                    // arrival: the poll is armed, nothing sent yet
    h.view.tab = kGraphTab;
    h.tick();                    // arrival back
    h.tick();                    // the fetch goes out
    ASSERT_EQ(h.port.written().size(), 1u);
    EXPECT_EQ(h.port.lastWritten()[3], 11);
}

} // namespace
