// The live poll cycle and the one-shot live actions of the RealTimeData tab.
#include "EngineHarness.h"

#include <gtest/gtest.h>

namespace {

using Bytes = FakeSerialPort::Bytes;

constexpr int kLiveTab = 1;

// Runs the poll up to the transmission of `step`, from a fresh arrival.
void pollUntilSent(EngineHarness& h, std::uint8_t step)
{
    h.state.PollStep = step;
    h.state.CommandArmed = 1;
    h.tick();
    ASSERT_EQ(h.state.CommandArmed, 0);
}

TEST(EngineLivePoll, CycleOfFourRequestsRunsAgainstAController)
{
    EngineHarness h(kLiveTab);
    FakeController controller;
    controller.input[0] = 1234;
    h.port.setResponder([&](const Bytes& rq) { return controller.answer(rq); });
    h.tick();
    EXPECT_EQ(h.view.lastInterval(), 300);   // while a poll request waits
    h.ticks(15);
    const Bytes steps[] = {
        withCrc({1, 0x01, 0x00, 0x00, 0x00, 0x10}),
        withCrc({1, 0x02, 0x00, 0x00, 0x00, 0x12}),
        withCrc({1, 0x03, 0x00, 0x29, 0x00, 0x03}),
        withCrc({1, 0x04, 0x00, 0x00, 0x00, 0x0D}),
    };
    ASSERT_EQ(h.port.written().size(), 8u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(h.port.written()[i], steps[i % 4]) << "request " << i;
    EXPECT_EQ(h.view.linkSteps, 8);
    EXPECT_EQ(h.state.LinkAliveCountdown, 10);
    EXPECT_EQ(h.state.Intfan1.Speed, 1234u);
    EXPECT_TRUE(h.view.messages.empty());
}

TEST(EngineLivePoll, CoilReplySetsLampsKnobsAndForcedOnSwitch)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 0);
    h.port.deliver(withCrc({1, 0x01, 2, 0x15, 0x10}));
    h.tick();
    EXPECT_EQ(h.view.property("iLedRound1", "Active"), 1);
    EXPECT_EQ(h.view.property("iLedRound2", "Active"), 0);
    EXPECT_EQ(h.view.property("iLedRound3", "Active"), 1);
    EXPECT_EQ(h.view.property("iLedRound4", "Active"), 0);
    EXPECT_EQ(h.view.property("iSwitchRotary2", "Position"), 0);   // "On"
    EXPECT_EQ(h.view.property("iSwitchRotary1", "Position"), 1);   // "Off"
    EXPECT_EQ(h.view.property("iSwitchLed1", "Active"), 1);
    EXPECT_EQ(h.state.Intfan1.Running, 1);
    EXPECT_EQ(h.state.Extfan2.Running, 0);
    EXPECT_EQ(h.state.Live.CompRunning, 1);
    EXPECT_EQ(h.state.Live.HeaterRunning, 0);
    EXPECT_EQ(h.state.Live.ForceOn, 1);
    EXPECT_EQ(h.state.PollStep, 1);
    EXPECT_EQ(h.state.CommandArmed, 1);
    EXPECT_EQ(h.view.linkSteps, 1);
}

TEST(EngineLivePoll, DiscreteInputsGoToTheAlarmFlags)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 1);
    // inputs 0, 3, 5, 7, 10, 13, 14, 17
    h.port.deliver(withCrc({1, 0x02, 3, 0xA9, 0x64, 0x02}));
    h.tick();
    const LinkState& s = h.state;
    EXPECT_EQ(s.Intfan1.Alarm, 1);
    EXPECT_EQ(s.Intfan2.Alarm, 0);
    EXPECT_EQ(s.Extfan2.Alarm, 1);
    EXPECT_EQ(s.Live.CompAlarm1, 0);
    EXPECT_EQ(s.Live.CompAlarm2, 1);
    EXPECT_EQ(s.Live.HeaterAlarm, 1);
    EXPECT_EQ(s.Live.Sensor1Alarm, 1);
    EXPECT_EQ(s.Live.Sensor2Alarm, 0);
    EXPECT_EQ(s.Live.SupplyAlarm1, 0);
    EXPECT_EQ(s.Live.SupplyAlarm2, 1);
    EXPECT_EQ(s.Live.HighTempAlarm, 1);
    EXPECT_EQ(s.Live.LowTempAlarm, 0);
    EXPECT_EQ(s.Live.HighPressureAlarm, 0);
    EXPECT_EQ(s.Live.LowPressureAlarm, 1);
    EXPECT_EQ(s.PollStep, 2);
    EXPECT_TRUE(h.view.properties.empty());
}

TEST(EngineLivePoll, CompressorSettingsGoToTheirEdits)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 2);
    h.port.deliver(registerReply(1, 0x03, {255, 0xFFE0, 4500}));
    h.tick();
    EXPECT_EQ(h.view.text("Edit3"), "25.5");
    EXPECT_EQ(h.view.text("Edit32"), "-3.2");
    EXPECT_EQ(h.state.Live.PolledCompStartTemp, 255);
    EXPECT_EQ(h.state.Live.PolledCompDeltTemp, -32);
    EXPECT_EQ(h.state.Settings.CompStartTemp, 0);   // what the operator entered stays apart
    EXPECT_EQ(h.state.PollStep, 3);
}

TEST(EngineLivePoll, MeasurementsDecodeSignedAndUnsignedInOrder)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 3);
    h.view.clear();
    std::vector<std::uint16_t> regs{0xFFFF, 1200, 2300, 2400, 0xFF38, 255, 0xFFFF, 0xFFF6, 125, 9, 32, 0x0301, 0};
    h.port.deliver(registerReply(1, 0x04, regs));
    h.tick();

    EXPECT_EQ(h.state.Intfan1.Speed, 65535u);
    EXPECT_EQ(h.state.Extfan2.Speed, 2400u);
    EXPECT_EQ(h.state.Live.IndoorTemp, -200);
    EXPECT_EQ(h.state.Live.OutdoorTemp, 255);
    EXPECT_EQ(h.state.Live.SupplyVoltage, -1);
    EXPECT_EQ(h.state.Live.CompSpeed, -10);
    EXPECT_EQ(h.state.Live.CompGauge, 125);
    EXPECT_EQ(h.state.Live.HeaterCurrent, 32);
    EXPECT_EQ(h.state.Live.SelfCheckRunning, 1);
    EXPECT_EQ(h.state.PollStep, 0);

    const std::vector<std::string> expected{
        "text Edit19=65535", "prop iAngularGauge1.Position=65535", "prop iOdometer1.Value=65535",
        "prop iAngularGauge2.Position=1200", "prop iOdometer2.Value=1200",
        "text Edit20=2300", "prop iAngularGauge3.Position=2300", "prop iOdometer3.Value=2300",
        "prop iAngularGauge4.Position=2400", "prop iOdometer4.Value=2400",
        "prop iAnalogOutput3.Value=-20", "prop iThermometer1.Position=-20",
        "prop iAnalogOutput4.Value=25.5", "prop iThermometer2.Position=25.5",
        "prop iAnalogOutput5.Value=-0.1", "prop iAngularGauge5.Position=-0.1",
        "prop iOdometer5.Value=-10",
        "prop iAnalogOutput1.Value=12.5", "prop iAngularGauge7.Position=12.5",
        "prop iAnalogOutput2.Value=3.2", "prop iAngularGauge6.Position=3.2",
    };
    std::vector<std::string> seen;
    for (const std::string& e : h.view.log)
        if (e.rfind("text", 0) == 0 || e.rfind("prop", 0) == 0)
            seen.push_back(e);
    EXPECT_EQ(seen, expected);
}

TEST(EngineLivePoll, CrcMismatchMovesOnOnlyInStep1)
{
    for (std::uint8_t step = 0; step < 4; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        EngineHarness h(kLiveTab);
        FakeController controller;
        h.port.setResponder([&](const Bytes& rq) {
            Bytes reply = controller.answer(rq);
            reply.back() ^= 0xFF;
            return reply;
        });
        pollUntilSent(h, step);
        h.tick();
        if (step == 1) {
            EXPECT_EQ(h.state.PollStep, 2);
            EXPECT_EQ(h.state.CommandArmed, 1);
        } else {
            EXPECT_EQ(h.state.PollStep, step);
            EXPECT_EQ(h.state.CommandArmed, 0);
            h.ticks(99);
            EXPECT_EQ(h.state.PollStep, step);
            h.tick();
            EXPECT_EQ(h.state.PollStep, (step + 1) % 4);
        }
        EXPECT_EQ(h.view.linkSteps, 0);
        EXPECT_TRUE(h.view.properties.empty());
    }
}

TEST(EngineLivePoll, WrongReplyStepsTheIndicatorAndMovesOn)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 2);
    h.port.deliver(registerReply(1, 0x04, {1, 2, 3}));
    h.tick();
    EXPECT_EQ(h.state.PollStep, 3);
    EXPECT_EQ(h.view.linkSteps, 1);
    EXPECT_FALSE(h.view.hasText("Edit3"));
}

TEST(EngineLivePoll, WithNoControllerEveryStepTimesOutInTurnSilently)
{
    EngineHarness h(kLiveTab);
    std::vector<int> sentSteps;
    for (int round = 0; round < 5; ++round) {
        sentSteps.push_back(h.state.PollStep);
        h.tick();                 // transmit
        h.ticks(100);
        EXPECT_EQ(h.state.CommandArmed, 0);
        h.tick();                 // the 101st waiting tick
        EXPECT_EQ(h.state.CommandArmed, 1);
    }
    EXPECT_EQ(sentSteps, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(h.port.written().size(), 5u);
    EXPECT_TRUE(h.view.messages.empty());
    EXPECT_EQ(h.view.linkSteps, 0);
}

TEST(EngineLivePoll, ArrivalRestartsAtStep0AndAStrayStepIsReset)
{
    EngineHarness h(0);
    h.view.tab = kLiveTab;
    for (std::uint8_t step : {2, 9}) {   // arrival from Configuration, then a stray step on the live tab
        h.state.PollStep = step;
        h.state.CommandArmed = 0;
        h.tick();
        EXPECT_EQ(h.state.PollStep, 0);
        EXPECT_EQ(h.state.CommandArmed, 1);
        EXPECT_TRUE(h.port.written().empty());
    }
}

// --- live actions ---------------------------------------------------------

TEST(EngineLiveAction, DebugTemperatureEchoDecidesTheText)
{
    for (bool same : {true, false}) {
        EngineHarness h(kLiveTab);
        h.state.Settings.DebugTemperature = -125;
        h.startAction(LiveActionCode::DebugTemperature);
        h.tick();
        EXPECT_EQ(h.port.lastWritten(), withCrc({1, 0x06, 0x00, 0x1E, 0xFF, 0x83}));
        EXPECT_EQ(h.view.lastInterval(), 300);
        h.port.deliver(withCrc({1, 0x06, 0x00, 0x1E, 0xFF, static_cast<std::uint8_t>(same ? 0x83 : 0x84)}));
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        const auto& m = h.view.messages[0];
        EXPECT_EQ(m.text, same ? "Adopt Realtime Temperature!!" : "Adopt Simulant Temperature!!");
        EXPECT_EQ(m.caption, "Set Correctly");
        EXPECT_EQ(m.state->LiveAction, 0);
        EXPECT_EQ(m.state->PollStep, 0);
        EXPECT_EQ(m.state->CommandArmed, 1);
        EXPECT_EQ(m.state->LinkAliveCountdown, 10);
        EXPECT_EQ(h.view.text("Edit11"), "");
        EXPECT_EQ(h.view.linkSteps, 1);
    }
}

TEST(EngineLiveAction, DebugTemperatureFailures)
{
    {
        EngineHarness h(kLiveTab);
        h.startAction(LiveActionCode::DebugTemperature);
        h.tick();
        h.port.deliver(withCrc({2, 0x06, 0x00, 0x1E, 0x00, 0x00}));
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        EXPECT_EQ(h.view.messages[0].text, "Adopt Realtime Temperature!!");
        EXPECT_EQ(h.view.messages[0].caption, "Set Unsuccessfully");
        EXPECT_EQ(h.view.messages[0].state->LiveAction, 0);
        EXPECT_EQ(h.view.linkSteps, 1);
        EXPECT_TRUE(h.view.hasText("Edit11"));   // emptied
    }
    {
        EngineHarness h(kLiveTab);   // no controller
        h.startAction(LiveActionCode::DebugTemperature);
        h.ticks(101);
        EXPECT_TRUE(h.view.messages.empty());
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        EXPECT_EQ(h.view.messages[0].text, "Adopt Realtime Temperature!!");
        EXPECT_EQ(h.view.messages[0].caption, "Set Unsuccessfully");
        EXPECT_FALSE(h.view.hasText("Edit11"));  // keeps what the operator typed
        EXPECT_EQ(h.view.linkSteps, 0);
        EXPECT_EQ(h.state.PollStep, 0);
        EXPECT_EQ(h.state.CommandArmed, 1);
    }
}

TEST(EngineLiveAction, ForcedOnEchoDecidesTheTextAndTheSwitch)
{
    struct Case {
        std::uint16_t sent;
        std::uint8_t echoedHigh;
        const char* text;
        int switchActive;   // -1: left alone
    };
    const Case cases[] = {
        {0xFF00, 0xFF, "Force Successfully!", 1},
        {0x0000, 0x00, "Force Successfully!", 0},
        {0xFF00, 0x00, "Force Fail!", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sent);
        EngineHarness h(kLiveTab);
        h.state.CoilWriteValue = c.sent;
        h.startAction(LiveActionCode::ForceOutput);
        h.tick();
        EXPECT_EQ(h.port.lastWritten(), withCrc({1, 0x05, 0x00, 0x0C, static_cast<std::uint8_t>(c.sent >> 8), 0x00}));
        h.port.deliver(withCrc({1, 0x05, 0x00, 0x0C, c.echoedHigh, 0x00}));
        h.tick();
        ASSERT_EQ(h.view.messages.size(), 1u);
        EXPECT_EQ(h.view.messages[0].text, c.text);
        EXPECT_EQ(h.view.messages[0].caption, "Force Status");
        if (c.switchActive < 0) {
            EXPECT_FALSE(h.view.hasProperty("iSwitchLed1", "Active"));
        } else {
            EXPECT_EQ(h.view.property("iSwitchLed1", "Active"), c.switchActive);
        }
        EXPECT_EQ(h.state.LiveAction, 0);
        EXPECT_EQ(h.view.linkSteps, 1);
    }
}

TEST(EngineLiveAction, ReCheckSendsCoil11OnAndLeavesTheForcedOnSwitch)
{
    for (bool answered : {true, false}) {
        EngineHarness h(kLiveTab);
        h.state.CoilWriteValue = 0;
        h.startAction(LiveActionCode::ReCheck);
        h.tick();
        EXPECT_EQ(h.port.lastWritten(), withCrc({1, 0x05, 0x00, 0x0B, 0xFF, 0x00}));
        EXPECT_EQ(h.state.CoilWriteValue, 0xFF00);
        if (answered) {
            h.port.deliver(echoReply(h.port.lastWritten()));
            h.tick();
        } else {
            h.ticks(101);
        }
        ASSERT_EQ(h.view.messages.size(), 1u);
        EXPECT_EQ(h.view.messages[0].text, answered ? "Force Successfully!" : "Force Fail!");
        EXPECT_EQ(h.view.messages[0].state->LiveAction, 0);
        EXPECT_EQ(h.view.messages[0].state->CommandArmed, 1);
        EXPECT_FALSE(h.view.hasProperty("iSwitchLed1", "Active"));
    }
}

TEST(EngineLiveAction, ActionInterruptsThePollAndUnknownActionsIdle)
{
    EngineHarness h(kLiveTab);
    pollUntilSent(h, 2);
    h.startAction(LiveActionCode::ForceOutput);
    h.tick();
    EXPECT_EQ(h.port.lastWritten()[1], 0x05);

    h.state.LiveAction = 3;
    h.state.CommandArmed = 1;
    const auto written = h.port.written().size();
    h.ticks(5);
    EXPECT_EQ(h.port.written().size(), written);
    EXPECT_TRUE(h.view.messages.empty());
}

TEST(EngineLiveAction, TicksInsideTheBoxRunThePollCycle)
{
    EngineHarness h(kLiveTab);
    FakeController controller;
    h.port.setResponder([&](const Bytes& rq) { return controller.answer(rq); });
    std::vector<int> innerFunctions;
    h.view.onMessage = [&](const RecordingView::Message&) {
        EXPECT_EQ(h.state.LiveAction, 0);
        const auto before = h.port.written().size();
        for (int i = 0; i < 4; ++i)
            h.tick();
        for (auto k = before; k < h.port.written().size(); ++k)
            innerFunctions.push_back(h.port.written()[k][1]);
    };
    h.state.Settings.DebugTemperature = 250;
    h.startAction(LiveActionCode::DebugTemperature);
    h.ticks(2);
    ASSERT_EQ(h.view.messages.size(), 1u);
    EXPECT_EQ(innerFunctions, (std::vector<int>{1, 2}));
    // The outer tick changed nothing after its box closed.
    EXPECT_EQ(h.state.PollStep, 2);
    EXPECT_EQ(h.state.LiveAction, 0);
}

TEST(EngineLiveAction, PendingActionIsSentAfreshOnReturn)
{
    EngineHarness h(kLiveTab);
    h.startAction(LiveActionCode::DebugTemperature);
    h.tick();
    h.view.tab = 0;
    h.ticks(3);
    h.view.tab = kLiveTab;
    h.tick();   // arrival
    h.tick();   // retransmission
    EXPECT_EQ(h.port.written().size(), 2u);
    EXPECT_EQ(h.port.written()[0], h.port.written()[1]);
}

} // namespace
