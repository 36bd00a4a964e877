// Write All through the real Set groups and the real engine, against a
// scripted controller that acknowledges, keeps silent or answers wrongly
// per register block.
#include "console/ConsoleCore.h"
#include "console/ParameterTable.h"
#include "console/WriteAllRun.h"
#include "link/Crc16.h"
#include "link/LinkState.h"
#include "link/TransactionEngine.h"
#include "support/FakeFormControls.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Message = std::pair<std::string, std::string>;
using Status = WriteAllRun::Status;

enum class Answer { Ack, Silent, WrongFunction, Refuse };

FakeSerialPort::Bytes withCrc(FakeSerialPort::Bytes body)
{
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

// Both message paths of the window (the handlers' and the engine's) go
// through the run first, as TForm1::showMessage does.
struct Rig {
    struct Controls : FakeFormControls {
        Rig* rig = nullptr;
        void showMessage(const std::string& text, const std::string& caption) override { rig->show(text, caption); }
    };
    struct View : RecordingView {
        Rig* rig = nullptr;
        void showMessage(const std::string& text, const std::string& caption) override { rig->show(text, caption); }
    };

    Rig()
    {
        controls.rig = this;
        view.rig = this;
        core.open("fake", 9600, 8);
        core.addListener(outcomes);
        for (const ParameterEntry& param : ParameterTable::all())
            parameters.set(*param.entry, param.isChoice() ? 1 : param.accepted ? accepted.at(param.reg()) : 0);
        port.setResponder([this](const FakeSerialPort::Bytes& request) {
            const int first = request.at(2) << 8 | request.at(3);
            firstRegisters.push_back(first);
            const auto it = answers.find(first);
            switch (it == answers.end() ? Answer::Ack : it->second) {
            case Answer::Silent:
                return FakeSerialPort::Bytes{};
            case Answer::WrongFunction:
                return withCrc({request[0], 0x03, request[2], request[3], request[4], request[5]});
            case Answer::Refuse:
                return withCrc({request[0], static_cast<std::uint8_t>(request[1] | 0x80), 0x03});
            case Answer::Ack:
                break;
            }
            return withCrc(FakeSerialPort::Bytes(request.begin(), request.begin() + 6));
        });
    }

    void show(const std::string& text, const std::string& caption)
    {
        if (!run.takeMessage(text, caption))
            shown.emplace_back(text, caption);
    }

    // Ticks until the run ends; checks on every tick that no other command
    // could start in between (the link stays busy while the run goes on).
    bool runToEnd(int maxTicks = 3000, const std::function<void(int)>& each = {})
    {
        for (int i = 0; i < maxTicks && run.running(); ++i) {
            port.advance();
            core.tick();
            if (run.afterTick(view.tab))
                return true;
            EXPECT_EQ(state.LinkBusy, 1) << "tick " << i;
            if (each)
                each(i);
        }
        return !run.running();
    }

    std::vector<Status> statuses() const
    {
        std::vector<Status> all;
        for (const WriteAllRun::Outcome& o : run.outcomes())
            all.push_back(o.status);
        return all;
    }

    // Registers whose handler has a range test, with a value it accepts.
    const std::map<int, std::int32_t> accepted = {{27, 1}, {39, 580}, {40, 420}, {41, 350}, {42, 30}};
    FakeSerialPort port;
    Controls controls;
    View view;
    ConsoleCore core{port, view, &controls};
    LinkState& state = core.state();
    ParameterSet parameters;
    WriteAllRun run{state, WriteAllRun::writing(core.commands(), parameters)};
    // The run hears how each exchange ended, as the window passes it on.
    struct Outcomes : ConsoleCore::Listener {
        WriteAllRun& run;
        explicit Outcomes(WriteAllRun& run) : run(run) {}
        void transactionEnded(const TransactionOutcome& outcome) override { run.transactionEnded(outcome); }
    } outcomes{run};
    std::map<int, Answer> answers;
    std::vector<int> firstRegisters;
    std::vector<Message> shown;
};

constexpr Status W = Status::Written;
constexpr Status F = Status::Failed;
constexpr Status R = Status::Refused;
constexpr Status N = Status::NotSent;

} // namespace

TEST(WriteAllRun, SendsEveryGroupButTheAddressAndSummarisesOnce)
{
    struct Case {
        const char* what;
        std::map<int, Answer> answers;
        // Values changed from the accepted ones, by parameter; empty: not in the set.
        std::map<std::string, std::optional<std::int32_t>> values;
        std::vector<Status> expected;
        std::vector<int> sent;
        std::string failure;
    };
    const std::vector<Case> cases = {
        {"all acknowledged", {}, {}, {W, W, W, W, W, W, W, W}, {0, 11, 22, 28, 33, 37, 39, 41}, ""},
        {"heater unanswered: the link failed, the rest is not sent", {{22, Answer::Silent}}, {},
            {W, W, F, N, N, N, N, N}, {0, 11, 22}, "Heater: failed, no answer from the controller (time-out)"},
        {"wrong reply: that group failed, the others go on", {{28, Answer::WrongFunction}}, {},
            {W, W, W, F, W, W, W, W}, {0, 11, 22, 28, 33, 37, 39, 41},
            "Temp. Alarm: failed, the controller's reply was not an acknowledgement"},
        {"heater refused by the controller: the others go on", {{22, Answer::Refuse}}, {},
            {W, W, R, W, W, W, W, W}, {0, 11, 22, 28, 33, 37, 39, 41},
            "Heater: refused by the controller: illegal data value (03)"},
        {"refused by its Set's range test: never sent", {}, {{"VoltAlarm High", 800}},
            {W, W, W, W, W, W, F, W}, {0, 11, 22, 28, 33, 37, 41}, "VoltageAlarm: failed, Data out of range!!"},
        {"a value the set lacks: never sent", {}, {{"Calibration Temp1", std::nullopt}},
            {W, W, W, W, F, W, W, W}, {0, 11, 22, 28, 37, 39, 41}, "Calibration: failed, Data out of range!!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        rig.answers = c.answers;
        for (const auto& [name, value] : c.values) {
            if (value)
                rig.parameters.set(*RegisterMap::byName(name), *value);
            else
                rig.parameters.forget(*RegisterMap::byName(name));
        }
        rig.run.start(ParameterTable::writeAllGroups());
        ASSERT_TRUE(rig.runToEnd());
        EXPECT_EQ(rig.statuses(), c.expected);
        EXPECT_EQ(rig.firstRegisters, c.sent);
        // No box per group: the run took every message.
        EXPECT_TRUE(rig.shown.empty()) << rig.shown.front().first;
        EXPECT_EQ(rig.state.LinkBusy, 0);
        const std::string summary = rig.run.summary();
        if (!c.failure.empty()) {
            EXPECT_NE(summary.find(c.failure), std::string::npos) << summary;
        }
    }
}

TEST(WriteAllRun, SummaryNamesWrittenFailedAndUnsentGroups)
{
    Rig rig;
    rig.answers = {{28, Answer::Silent}};
    rig.run.start(ParameterTable::writeAllGroups());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.run.summary(),
        "3 of 8 groups written.\n"
        "Internal Fan: written\n"
        "External Fan: written\n"
        "Heater: written\n"
        "Temp. Alarm: failed, no answer from the controller (time-out)\n"
        "Calibration: not sent (the link failed)\n"
        "ExtInput: not sent (the link failed)\n"
        "VoltageAlarm: not sent (the link failed)\n"
        "Compressor: not sent (the link failed)");
}

TEST(WriteAllRun, LeavingTheConfigurationTabCancelsTheRest)
{
    Rig rig;
    rig.run.start(ParameterTable::writeAllGroups());
    // The tab changes while the second group waits for its answer.
    ASSERT_TRUE(rig.runToEnd(3000, [&](int) {
        if (rig.firstRegisters.size() == 2)
            rig.view.tab = 1;
    }));
    EXPECT_EQ(rig.statuses(), (std::vector<Status>{W, F, N, N, N, N, N, N}));
    EXPECT_EQ(rig.run.outcomes()[1].reason, "interrupted: the Configuration tab was left");
    EXPECT_EQ(rig.firstRegisters, (std::vector<int>{0, 11}));

    // Back on the tab the engine abandons the unfinished write; nothing more goes out.
    rig.view.tab = 0;
    for (int i = 0; i < 300; ++i) {
        rig.port.advance();
        rig.core.tick();
        EXPECT_FALSE(rig.run.afterTick(rig.view.tab));
    }
    EXPECT_EQ(rig.state.LinkBusy, 0);
    EXPECT_EQ(rig.firstRegisters, (std::vector<int>{0, 11}));
}

TEST(WriteAllRun, OtherMessagesStillReachTheOperator)
{
    Rig rig;
    rig.run.start(ParameterTable::writeAllGroups());
    rig.show("Open Port Error!!", "Comm Error");
    EXPECT_EQ(rig.shown, (std::vector<Message>{{"Open Port Error!!", "Comm Error"}}));
    rig.run.cancel("interrupted: the port was closed");
    EXPECT_FALSE(rig.run.running());
    EXPECT_FALSE(rig.run.takeMessage("Set Successfully", "Set Extfan1!"));
}
