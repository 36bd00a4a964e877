// The console core as a front end drives it: the port's states, one typed
// outcome per exchange, a sample per poll cycle, the poll of a given address.
#include "console/ConsoleCore.h"
#include "link/Crc16.h"
#include "support/FakeController.h"
#include "support/FakeFormControls.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = FakeSerialPort::Bytes;
using PortState = ConsoleCore::PortState;

Bytes withCrc(Bytes body)
{
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

struct Heard : ConsoleCore::Listener {
    std::vector<TransactionOutcome> outcomes;
    std::vector<PortState> states;
    std::vector<LiveQuantities::Sample> samples;
    int stops = 0;

    void transactionEnded(const TransactionOutcome& o) override { outcomes.push_back(o); }
    void portStateChanged(PortState s) override { states.push_back(s); }
    void liveSample(const LiveQuantities::Sample& s) override { samples.push_back(s); }
    void pollingStopped() override { ++stops; }
};

struct Rig {
    FakeSerialPort port;
    LinkState dummy;
    RecordingView view{&dummy};
    FakeFormControls controls;
    ConsoleCore core{port, view, &controls, nullptr, nullptr, "/nonexistent"};
    FakeController controller;
    Heard heard;

    Rig() { core.addListener(heard); }
    void ticks(int n, const std::function<bool()>& until = [] { return false; })
    {
        for (int i = 0; i < n && !until(); ++i) {
            port.advance();
            core.tick();
        }
    }
};

TEST(ConsoleCore, PortStatesIncludingLostAndReopened)
{
    Rig rig;
    rig.port.setRejectSettings(true);
    EXPECT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::SettingsRefused);
    EXPECT_FALSE(rig.port.isOpen()) << "a port that cannot take the settings is let go";
    rig.port.setRejectSettings(false);
    ASSERT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::Opened);
    EXPECT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::CannotOpen);

    rig.view.tab = 1;
    rig.port.setResponder(rig.controller.responder());
    rig.ticks(5);
    rig.port.unplug();
    rig.ticks(1);
    EXPECT_EQ(rig.core.portState(), PortState::Lost);
    EXPECT_EQ(rig.heard.stops, 1) << "a lost port ends the poll";
    EXPECT_FALSE(rig.core.watchTick());
    rig.port.replug();
    EXPECT_TRUE(rig.core.watchTick());
    rig.core.close();
    EXPECT_EQ(rig.heard.states, (std::vector<PortState>{PortState::Open, PortState::Lost, PortState::Open, PortState::Closed}));

    // A pseudo-terminal's number is not ours once it has gone.
    ASSERT_EQ(rig.core.open("/dev/pts/7", 9600, 8), ConsoleCore::OpenResult::Opened);
    rig.port.unplug();
    rig.ticks(1);
    EXPECT_EQ(rig.core.portState(), PortState::Gone);
}

TEST(ConsoleCore, EveryExchangeEndsInOneTypedOutcome)
{
    enum class Reply { Valid, Wrong, Crc, Silent, Refuse };
    struct Case {
        const char* name;
        int tab;
        std::function<void(LinkState&)> queue;
        Reply reply;
        TransactionId id;
        LinkOutcome result;
        std::string line;
    };
    using K = TransactionId::Kind;
    const auto command = [](std::uint8_t code) {
        return [code](LinkState& s) {
            s.CommandCode = code;
            s.CommandArmed = 1;
            s.LinkBusy = 1;
        };
    };
    const auto action = [](std::uint8_t code) {
        return [code](LinkState& s) {
            s.LiveAction = code;
            s.CommandArmed = 1;
            s.PollStep = 0;
        };
    };
    const auto poll = [](LinkState&) {};
    const Case cases[] = {
        {"Set written", 0, command(Command::SetIntfan), Reply::Valid, {K::Command, 0}, LinkOutcome::Valid, ""},
        {"Set refused", 0, command(Command::SetHeater), Reply::Refuse, {K::Command, 2}, LinkOutcome::Refused,
         "Set Heater refused by the controller: illegal data value (03)"},
        {"Read All unanswered", 0, command(Command::ReadAll), Reply::Silent, {K::Command, 9}, LinkOutcome::Timeout,
         "Read All: no answer from address 1 (time-out)"},
        {"Version from elsewhere", 0, command(Command::ReadVersion), Reply::Wrong, {K::Command, 10},
         LinkOutcome::WrongReply, "Version: no valid answer from address 1 (wrong reply)"},
        {"Default garbled", 0, command(Command::FactoryReset), Reply::Crc, {K::Command, 11}, LinkOutcome::CrcMismatch,
         "Default: no valid answer from address 1 (CRC mismatch)"},
        {"curve fetched", 2, command(Command::FetchExtCurve), Reply::Valid, {K::CurveFetch, 2}, LinkOutcome::Valid, ""},
        {"poll step", 1, poll, Reply::Valid, {K::PollStep, 0}, LinkOutcome::Valid, ""},
        {"debug temperature refused", 1, action(LiveActionCode::DebugTemperature), Reply::Refuse,
         {K::LiveAction, 1}, LinkOutcome::Refused,
         "Debug temperature refused by the controller: illegal data value (03)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        ASSERT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::Opened);
        rig.view.tab = c.tab;
        rig.ticks(1);   // the tab is taken up
        c.queue(rig.core.state());
        rig.port.setResponder([&](const Bytes& request) {
            Bytes answer = rig.controller.answer(request);
            switch (c.reply) {
            case Reply::Valid:
                break;
            case Reply::Wrong:
                answer[0] = 9;
                break;
            case Reply::Crc:
                answer.back() ^= 0x01;
                break;
            case Reply::Silent:
                return Bytes{};
            case Reply::Refuse:
                return withCrc({request[0], static_cast<std::uint8_t>(request[1] | 0x80), 0x03});
            }
            return answer;
        });
        rig.ticks(200, [&] { return !rig.heard.outcomes.empty(); });
        ASSERT_EQ(rig.heard.outcomes.size(), 1u);
        const TransactionOutcome& o = rig.heard.outcomes.front();
        EXPECT_EQ(o.id, c.id);
        EXPECT_EQ(o.address, 1);
        EXPECT_EQ(o.result, c.result);
        EXPECT_EQ(o.exceptionCode, c.result == LinkOutcome::Refused ? 3 : 0);
        EXPECT_EQ(o.failureLine(), c.line);
        EXPECT_EQ(o.isWrite(), c.id.kind == K::LiveAction || (c.id.kind == K::Command && c.id.code != 9 && c.id.code != 10));
        if (c.result == LinkOutcome::Refused) {
            EXPECT_LE(rig.port.written().size(), 2u) << "a refusal ends the exchange at once";
        }
    }
}

TEST(ConsoleCore, OneSamplePerCycleWithGapsWhereAStepFailed)
{
    Rig rig;
    ASSERT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::Opened);
    rig.controller.input[4] = 215;   // indoor 21.5 °C
    rig.controller.setDiscreteBytes({0x01});
    int requests = 0;
    rig.port.setResponder([&](const Bytes& request) {
        // The first cycle's alarm inputs go unanswered.
        return ++requests == 2 ? Bytes{} : rig.controller.answer(request);
    });
    rig.view.tab = 1;
    rig.ticks(2000, [&] { return rig.heard.samples.size() == 2; });
    ASSERT_EQ(rig.heard.samples.size(), 2u);
    const std::size_t indoor = *LiveQuantities::indexOf("indoor_temp");
    const std::size_t alarm = *LiveQuantities::indexOf("intfan1_alarm");
    EXPECT_EQ(rig.heard.samples[0].values[indoor], 21.5);
    EXPECT_FALSE(rig.heard.samples[0].values[alarm]) << "the unanswered step leaves a gap";
    EXPECT_EQ(rig.heard.samples[1].values[alarm], 1.0);

    EXPECT_EQ(rig.heard.stops, 0);
    rig.view.tab = 0;
    rig.ticks(1);
    EXPECT_EQ(rig.heard.stops, 1) << "leaving the tab ends the poll";
}

TEST(ConsoleCore, PollCycleAtAGivenAddress)
{
    Rig rig;
    ASSERT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::Opened);
    rig.controller.address = 5;
    rig.port.setResponder(rig.controller.responder());
    rig.view.tab = 1;
    rig.core.startPollCycle(5);
    rig.ticks(2000, [&] { return !rig.heard.samples.empty(); });
    ASSERT_EQ(rig.heard.samples.size(), 1u);
    ASSERT_EQ(rig.port.written().size(), 4u);
    for (const Bytes& request : rig.port.written())
        EXPECT_EQ(request.front(), 5);
    const std::size_t indoor = *LiveQuantities::indexOf("indoor_temp");
    EXPECT_TRUE(rig.heard.samples[0].values[indoor]);
}

} // namespace

// Read All as the operator's button and as a quiet read (a backup before a
// change): both leave the parameters with the core and its listeners; only
// the button's are for the window, and only the button empties the tab.
TEST(ConsoleCore, ParametersReadShownOrQuietly)
{
    struct Reads : ConsoleCore::Listener {
        std::vector<std::pair<ParameterSet, bool>> heard;
        void parametersRead(const ParameterSet& p, bool shown) override { heard.emplace_back(p, shown); }
    } reads;
    Rig rig;
    rig.core.addListener(reads);
    EXPECT_FALSE(rig.core.readParameters()) << "no port, no read";
    ASSERT_EQ(rig.core.open("/dev/ttyUSB0", 9600, 8), ConsoleCore::OpenResult::Opened);
    rig.controller.holding[0] = 1500;
    rig.controller.holding[38] = 7;   // a choice no item stands for
    rig.port.setResponder(rig.controller.responder());
    rig.controls.texts["Edit12"] = "typed";

    ASSERT_TRUE(rig.core.readParameters());
    EXPECT_FALSE(rig.core.readParameters()) << "busy while one runs";
    rig.ticks(50, [&] { return !rig.core.busy(); });
    ASSERT_EQ(reads.heard.size(), 1u);
    EXPECT_FALSE(reads.heard[0].second);
    EXPECT_EQ(rig.controls.texts["Edit12"], "typed") << "a quiet read empties nothing";
    const ParameterSet& quiet = *rig.core.parameters();
    EXPECT_EQ(quiet.value(RegisterMap::named("Intfan1 StepSpeed")), 1500);
    EXPECT_EQ(quiet.value(RegisterMap::named("ExtInput Type")), 7);
    EXPECT_FALSE(quiet.value(RegisterMap::named("Debug Temperature"))) << "not a parameter";

    rig.controller.holding[0] = 1600;
    rig.core.commands().BitBtn1Click();
    EXPECT_EQ(rig.controls.texts["Edit12"], "") << "the button empties the tab";
    rig.ticks(50, [&] { return !rig.core.busy(); });
    ASSERT_EQ(reads.heard.size(), 2u);
    EXPECT_TRUE(reads.heard[1].second);
    EXPECT_EQ(rig.core.parameters()->value(RegisterMap::named("Intfan1 StepSpeed")), 1600);

    // An unanswered read keeps the last set.
    rig.port.setResponder({});
    ASSERT_TRUE(rig.core.readParameters());
    rig.ticks(200, [&] { return !rig.core.busy(); });
    EXPECT_EQ(reads.heard.size(), 2u);
    EXPECT_EQ(rig.core.parameters()->value(RegisterMap::named("Intfan1 StepSpeed")), 1600);
    rig.core.removeListener(reads);
}
