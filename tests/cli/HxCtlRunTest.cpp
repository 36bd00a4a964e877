#include "cli/HxCtl.h"
#include "console/ParameterBackups.h"
#include "console/ParameterFile.h"
#include "console/TrendCsv.h"
#include "link/QtSerialPort.h"
#include "support/FakeController.h"
#include "support/ScratchDisk.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// A controller holding values every Set handler accepts.
void fillValid(FakeController& c, const char* firmware = "HX-CTRL TEST")
{
    for (std::size_t r = 0; r < 44; ++r)
        c.holding[r] = static_cast<std::uint16_t>(100 + r);
    for (int r : {9, 10, 20, 21, 26, 37, 38})
        c.holding[static_cast<std::size_t>(r)] = 1;
    c.holding[23] = 20;    // heater hysteresis, whole degrees
    c.holding[27] = 1;     // bus address
    c.holding[39] = 600;   // supply alarm high, 60.0 V
    c.holding[40] = 300;
    c.holding[41] = 350;   // compressor start, 35.0 °C
    c.holding[42] = 30;
    // Each minimum below its maximum.
    c.holding[1] = 2200;   // internal fans 800 to 2200 rpm, 20.0 to 35.0 °C, stop at 5.0 °C
    c.holding[2] = 800;
    c.holding[4] = 350;
    c.holding[5] = 200;
    c.holding[6] = 50;
    c.holding[12] = 2400;  // external fans 900 to 2400 rpm, 25.0 to 40.0 °C, stop at 15.0 °C
    c.holding[13] = 900;
    c.holding[15] = 400;
    c.holding[16] = 250;
    c.holding[17] = 150;
    c.holding[24] = 30;    // heater current 0.5 to 3.0 A
    c.holding[25] = 5;
    c.holding[29] = 50;    // temperature alarm 5.0 to 12.8 °C
    char text[18] = {};
    std::strncpy(text, firmware, sizeof text);
    for (std::size_t k = 0; k < 9; ++k)
        c.input[15 + k] = static_cast<std::uint16_t>((static_cast<unsigned char>(text[2 * k]) << 8)
                                                     | static_cast<unsigned char>(text[2 * k + 1]));
}

// hxctl in-process on a scripted port: every pacer step is one tick, and
// the line moves on by one step after it.
struct Rig {
    FakeSerialPort port;
    FakeController controller;
    std::ostringstream out, err;
    QTemporaryDir dir;

    explicit Rig(bool answering = true)
    {
        fillValid(controller);
        if (answering)
            port.setResponder(controller.responder());
    }
    int run(const std::vector<std::string>& args)
    {
        const HxCtl::Io io{out, err, false, nullptr};
        return HxCtl::run(args, io, port, [this](const std::function<bool()>& step, const std::function<int()>&) {
            for (int i = 0; i < 200000 && step(); ++i)
                port.advance();
        });
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    void writeFile(const char* name, const std::string& text) const { std::ofstream(path(name)) << text; }
};

TEST(HxCtlRun, ReadPrintsTheControllersParametersAsAFileWithItsFirmware)
{
    Rig rig;
    ASSERT_EQ(rig.run({"read", "--port", "/dev/fake"}), HxCtl::Success) << rig.err.str();
    const ParameterFile::Checked file = ParameterFile::parse(rig.out.str());
    ASSERT_TRUE(file.document) << rig.out.str();
    EXPECT_EQ(file.document->firmware, "HX-CTRL TEST");
    EXPECT_EQ(file.document->busAddress, 1);
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i)
        EXPECT_EQ(file.document->values[i], rig.controller.holding[static_cast<std::size_t>(params[i].reg())]) << params[i].name();
    EXPECT_TRUE(rig.err.str().empty()) << rig.err.str();
}

TEST(HxCtlRun, WriteSendsTheFilesGroupsAndCompareThenFindsNoDifference)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);

    Rig target;
    target.controller.holding.fill(0);
    target.controller.holding[27] = 1;
    // A blank controller holds values no parameter file can carry: no backup without --no-backup.
    EXPECT_EQ(target.run({"write", "--port", "/dev/fake", source.path("a.json")}), HxCtl::Differences);
    EXPECT_EQ(target.out.str(), "");
    ASSERT_EQ(target.run({"write", "--port", "/dev/fake", "--no-backup", source.path("a.json")}), HxCtl::Success)
        << target.err.str();
    EXPECT_EQ(target.out.str(),
              "Internal Fan\twritten\nExternal Fan\twritten\nHeater\twritten\nTemp. Alarm\twritten\n"
              "Calibration\twritten\nExtInput\twritten\nVoltageAlarm\twritten\nCompressor\twritten\n");
    for (const ParameterEntry& param : ParameterTable::all()) {
        const auto reg = static_cast<std::size_t>(param.reg());
        EXPECT_EQ(target.controller.holding[reg], source.controller.holding[reg]) << param.name();
    }
    target.out.str("");
    EXPECT_EQ(target.run({"compare", "--port", "/dev/fake", source.path("a.json")}), HxCtl::Success);
    EXPECT_EQ(target.out.str(), "");
}

TEST(HxCtlRun, CompareListsEachDifferenceWithBothValuesAndTheUnit)
{
    Rig rig;
    ASSERT_EQ(rig.run({"read", "--port", "/dev/fake", "--out", rig.path("a.json")}), HxCtl::Success);
    rig.controller.holding[41] = 400;    // compressor start 40.0 °C
    rig.controller.holding[1] = 2500;
    EXPECT_EQ(rig.run({"compare", "--port", "/dev/fake", rig.path("a.json")}), HxCtl::Differences);
    EXPECT_EQ(rig.out.str(), "Intfan1 MaxSpeed\t2200\t2500\trpm\nCompressor StartTemp\t35.0\t40.0\t°C\n");
}

struct Failing {
    const char* what;
    std::vector<std::string> args;
    bool answering;
    int code;
    std::string errorStart;
    bool sendsNothing = true;
};

void PrintTo(const Failing& f, std::ostream* os)
{
    *os << f.what;
}

class HxCtlFails : public testing::TestWithParam<Failing> {};

TEST_P(HxCtlFails, WithItsExitCodeAndAOneLineMessageAndNothingSentWhenItsInputIsBad)
{
    const Failing& f = GetParam();
    Rig rig(f.answering);
    rig.writeFile("notjson.json", "{ this is not json");
    ASSERT_EQ(::mkfifo(rig.path("fifo").c_str(), 0600), 0);
    std::vector<std::string> args;
    for (const std::string& a : f.args)
        args.push_back(a.rfind("@", 0) == 0 ? rig.path(a.c_str() + 1) : a);
    EXPECT_EQ(rig.run(args), f.code) << f.what << "\n" << rig.err.str();
    const std::string err = rig.err.str();
    EXPECT_EQ(err.rfind("hxctl: " + f.errorStart, 0), 0u) << f.what << ": " << err;
    if (f.sendsNothing) {
        EXPECT_TRUE(rig.port.written().empty()) << f.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HxCtlFails, testing::Values(
    Failing{"unknown option", {"read", "--port", "/dev/fake", "--fast"}, true, HxCtl::BadInput, "'read' has no option --fast"},
    Failing{"bad address", {"version", "--port", "/dev/fake", "--address", "300"}, true, HxCtl::BadInput,
            "--address takes a bus address from 1 to 255, not '300'"},
    Failing{"missing file", {"write", "--port", "/dev/fake", "@missing.json"}, true, HxCtl::BadInput, ""},
    Failing{"file that is not JSON", {"compare", "--port", "/dev/fake", "@notjson.json"}, true, HxCtl::BadInput, ""},
    Failing{"unwritable log", {"version", "--port", "/dev/fake", "--log", "/nonexistent-dir/bus.log"}, true,
            HxCtl::BadInput, "cannot write the log /nonexistent-dir/bus.log"},
    Failing{"unwritable output", {"read", "--port", "/dev/fake", "--out", "/nonexistent-dir/a.json"}, true,
            HxCtl::BadInput, "", false},
    Failing{"FIFO as parameter file", {"write", "--port", "/dev/fake", "@fifo"}, true, HxCtl::BadInput,
            "Cannot read "},
    Failing{"FIFO as log", {"version", "--port", "/dev/fake", "--log", "@fifo"}, true, HxCtl::BadInput,
            "cannot write the log "},
    Failing{"FIFO as output", {"read", "--port", "/dev/fake", "--out", "@fifo"}, true, HxCtl::BadInput,
            "Cannot write ", false},
    Failing{"silent controller, version", {"version", "--port", "/dev/fake"}, false, HxCtl::NoAnswer,
            "no answer from the controller at address 1 on /dev/fake (firmware version)", false},
    Failing{"silent controller, read", {"read", "--port", "/dev/fake", "--address", "9"}, false, HxCtl::NoAnswer,
            "no answer from the controller at address 9 on /dev/fake (Read All)", false},
    Failing{"silent controller, live", {"live", "--port", "/dev/fake", "--count", "2"}, false, HxCtl::NoAnswer,
            "no answer in a poll cycle", false},
    Failing{"port that is not a device", {"version", "--port", "COM"}, true, HxCtl::PortUnusable,
            "the port COM names no port (COM1 to COM9, a device path, socket://HOST:PORT or tcp://HOST:PORT)"}));

TEST(HxCtlRun, ALogThatCannotBeWrittenToTheEndFailsTheRun)
{
    ScratchDisk disk;
    Rig rig;
    const std::string log = disk.path("bus.log");
    disk.fill();
    EXPECT_EQ(rig.run({"version", "--port", "/dev/fake", "--log", log}), HxCtl::BadInput) << rig.err.str();
    EXPECT_NE(rig.err.str().find(log), std::string::npos) << rig.err.str();
}

TEST(HxCtlRun, APortThatCannotBeOpenedOrSetUpExitsWithFour)
{
    std::ostringstream out, err;
    QtSerialPort port;
    const HxCtl::Io io{out, err, false, nullptr};
    const auto pacer = [](const std::function<bool()>&, const std::function<int()>&) {};
    EXPECT_EQ(HxCtl::run({"version", "--port", "/nonexistent/tty"}, io, port, pacer), HxCtl::PortUnusable);
    EXPECT_EQ(err.str(), "hxctl: the port /nonexistent/tty cannot be opened (missing, in use or not permitted)\n");

    Rig rig;
    rig.port.setRejectSettings(true);
    EXPECT_EQ(rig.run({"version", "--port", "/dev/fake", "--baud", "115200"}), HxCtl::PortUnusable);
    EXPECT_EQ(rig.err.str(), "hxctl: the port /dev/fake refuses 115200 baud with 8 data bits\n");
}

TEST(HxCtlRun, WriteToASilentControllerStopsAfterTheFirstGroup)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);
    Rig silent(false);
    EXPECT_EQ(silent.run({"write", "--port", "/dev/fake", "--no-backup", source.path("a.json")}), HxCtl::NoAnswer);
    const std::string out = silent.out.str();
    EXPECT_EQ(out.substr(0, out.find('\n')), "Internal Fan\tfailed\tno answer from the controller (time-out)");
    EXPECT_NE(out.find("Compressor\tnot sent\tthe link failed\n"), std::string::npos);
    EXPECT_EQ(silent.port.written().size(), 1u);
}

TEST(HxCtlRun, WriteKeepsABackupOfTheControllerFirstAndWritesNothingWithoutOne)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);

    Rig rig;
    rig.controller.holding[1] = 2500;
    const auto before = rig.controller.holding;
    ASSERT_EQ(rig.run({"write", "--port", "/dev/fake", source.path("a.json")}), HxCtl::Success) << rig.err.str();
    const std::vector<std::string> backups = ParameterBackups::list(ParameterBackups::defaultFolder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(rig.err.str(), "hxctl: backup of address 1 on /dev/fake saved as " + backups[0] + "\n");
    const ParameterFile::Checked backup = ParameterFile::parse(fileBytes(backups[0]));
    ASSERT_TRUE(backup.document);
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i)
        EXPECT_EQ(backup.document->values[i], before[static_cast<std::size_t>(params[i].reg())]) << params[i].name();

    Rig silent(false);
    EXPECT_EQ(silent.run({"write", "--port", "/dev/fake", source.path("a.json")}), HxCtl::NoAnswer);
    EXPECT_EQ(silent.out.str(), "");
    EXPECT_NE(silent.err.str().find("no backup could be taken, so nothing was written"), std::string::npos) << silent.err.str();
    EXPECT_EQ(silent.port.written().size(), 1u) << "only the backup's Read All";
}

TEST(HxCtlRun, AGroupTheControllerDoesNotAcknowledgeFailsAndTheRestGoOn)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);
    Rig rig;
    // The heater block is answered from another bus address.
    rig.port.setResponder([&rig](const FakeSerialPort::Bytes& request) {
        FakeSerialPort::Bytes reply = rig.controller.answer(request);
        if (request.at(1) == 0x10 && request.at(3) == 22)
            reply = echoReply(withCrc({7, 0x10, 0, 22, 0, 5}));
        return reply;
    });
    EXPECT_EQ(rig.run({"write", "--port", "/dev/fake", source.path("a.json")}), HxCtl::Differences);
    EXPECT_NE(rig.out.str().find("External Fan\twritten\nHeater\tfailed\tthe controller's reply was not an "
                                 "acknowledgement\nTemp. Alarm\twritten\n"), std::string::npos) << rig.out.str();
    EXPECT_TRUE(rig.err.str().ends_with("\nhxctl: 1 of 8 groups were not written\n")) << rig.err.str();
}

TEST(HxCtlRun, AFileValueOutOfItsGroupsRangeIsRefusedBeforeAnythingIsSent)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake"}), HxCtl::Success);
    std::string text = source.out.str();
    const std::string from = "\"VoltAlarm High\": { \"register\": 39, \"value\": 60.0";
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, from.size(), "\"VoltAlarm High\": { \"register\": 39, \"value\": 80.0");
    Rig rig;
    rig.writeFile("high.json", text);
    EXPECT_EQ(rig.run({"write", "--port", "/dev/fake", rig.path("high.json")}), HxCtl::BadInput);
    EXPECT_NE(rig.err.str().find("VoltAlarm High"), std::string::npos) << rig.err.str();
    EXPECT_TRUE(rig.port.written().empty());
}

TEST(HxCtlRun, AFileThatBreaksPlausibilityRulesIsWrittenOnlyWithForce)
{
    Rig source;
    source.controller.holding[2] = 9500;     // minimum speed above the maximum
    source.controller.holding[28] = 0xFF38;  // high temperature alarm -20.0 below the low 5.0
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);
    const std::string rules = "Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (2200 rpm)\n"
                              "TempAlarm Low (5.0 °C) is not below TempAlarm High (-20.0 °C)\n";
    Rig refused;
    EXPECT_EQ(refused.run({"write", "--port", "/dev/fake", source.path("a.json")}), HxCtl::BadInput);
    EXPECT_EQ(refused.err.str(), "hxctl: " + source.path("a.json")
                                     + " breaks these rules; nothing was sent (--force writes it anyway):\n" + rules);
    EXPECT_TRUE(refused.port.written().empty());

    Rig forced;
    EXPECT_EQ(forced.run({"write", "--port", "/dev/fake", "--force", "--no-backup", source.path("a.json")}), HxCtl::Success);
    EXPECT_EQ(forced.err.str(), "hxctl: " + source.path("a.json") + " breaks these rules; written anyway (--force):\n" + rules);
    EXPECT_EQ(forced.controller.holding[2], 9500);
}

TEST(HxCtlRun, LiveLinesCarryTheReadingsInTheTabsUnitsAndGapsForUnansweredSteps)
{
    LinkState state;
    state.Intfan1.Speed = 1500;
    state.Extfan2.Speed = 65535;
    state.Live.IndoorTemp = -200;
    state.Live.OutdoorTemp = -5;
    state.Live.SupplyVoltage = 481;
    state.Live.CompSpeed = -5;
    CtlSession::LiveRow row;
    row.alarms = {"HighTempAlarm", "SupplyAlarm1"};
    struct Case {
        unsigned answeredSteps;
        const char* line;
    };
    const Case cases[] = {
        {0b1111, "T\t1500\t0\t0\t65535\t-20.0\t-0.5\t48.1\t0.0\t0.0\t-5\tHighTempAlarm SupplyAlarm1\n"},
        {0b0111, "T\t\t\t\t\t\t\t\t\t\t\tHighTempAlarm SupplyAlarm1\n"},   // the measurements timed out
        {0b1101, "T\t1500\t0\t0\t65535\t-20.0\t-0.5\t48.1\t0.0\t0.0\t-5\t\n"},   // the alarm inputs did not answer
    };
    for (const Case& c : cases) {
        row.sample = LiveQuantities::sampleOf(state, c.answeredSteps, 0, 0);
        EXPECT_EQ(HxCtl::liveLine("T", row, false), c.line) << c.answeredSteps;
    }
    // The CSV form is the trend log's, read back by the trend window.
    row.sample.wallMs = 1796857198000;
    row.sample.utcOffsetSeconds = 3600;
    row.sample.values[*LiveQuantities::indexOf("indoor_temp")] = -20.5;
    const std::string csv = HxCtl::liveHeader(true) + HxCtl::liveLine("T", row, true);
    const TrendCsv::ReadResult read = TrendCsv::parse(csv);
    ASSERT_TRUE(read.table) << read.error.text();
    ASSERT_EQ(read.table->samples.size(), 1U);
    EXPECT_EQ(read.table->samples[0].values, row.sample.values);
    EXPECT_EQ(read.table->samples[0].wallMs, row.sample.wallMs);
}

}

namespace {

TEST(HxCtlRun, CompareLeavesOutTheBusAddressThatWriteNeverSends)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);
    Rig other;
    other.controller.address = 12;
    other.controller.holding[27] = 12;
    EXPECT_EQ(other.run({"compare", "--port", "/dev/fake", "--address", "12", source.path("a.json")}), HxCtl::Success)
        << other.out.str();
    EXPECT_EQ(other.out.str(), "");
}

}

namespace {

TEST(HxCtlRun, CtrlCDuringWriteGivesUpTheRestAndSaysSo)
{
    Rig source;
    ASSERT_EQ(source.run({"read", "--port", "/dev/fake", "--out", source.path("a.json")}), HxCtl::Success);
    Rig rig;
    volatile std::sig_atomic_t stop = 0;
    // Ctrl+C arrives while the second group waits for its reply.
    rig.port.setResponder([&](const FakeSerialPort::Bytes& request) {
        if (request.at(1) == 0x10 && request.at(3) == 11)
            stop = 1;
        return rig.controller.answer(request);
    });
    const HxCtl::Io io{rig.out, rig.err, false, &stop};
    const int code = HxCtl::run({"write", "--port", "/dev/fake", "--no-backup", source.path("a.json")}, io, rig.port,
        [&rig](const std::function<bool()>& step, const std::function<int()>&) {
            for (int i = 0; i < 200000 && step(); ++i)
                rig.port.advance();
        });
    EXPECT_EQ(code, HxCtl::Differences);
    EXPECT_EQ(rig.out.str().substr(0, rig.out.str().find("Heater")),
              "Internal Fan\twritten\nExternal Fan\tfailed\tinterrupted (Ctrl+C)\n");
    EXPECT_NE(rig.out.str().find("Compressor\tnot sent\tinterrupted (Ctrl+C)\n"), std::string::npos);
    EXPECT_EQ(rig.port.written().size(), 2u);
}

}

TEST(CtlSession, OnePollCycleAtTheAddressAskedFor)
{
    Rig rig;
    CtlSession session(rig.port, [&rig](const std::function<bool()>& step, const std::function<int()>&) {
        for (int i = 0; i < 20000 && step(); ++i)
            rig.port.advance();
    });
    ASSERT_EQ(session.open("/dev/fake", 9600, 8), "");
    const std::size_t indoor = *LiveQuantities::indexOf("indoor_temp");

    const std::optional<LiveQuantities::Sample> answered = session.pollCycle(1);
    ASSERT_TRUE(answered);
    EXPECT_TRUE(answered->values[indoor]);

    // Nobody at 2: the cycle still ends, every value a gap.
    const std::optional<LiveQuantities::Sample> silent = session.pollCycle(2);
    ASSERT_TRUE(silent);
    for (const std::optional<double>& value : silent->values)
        EXPECT_FALSE(value);
    EXPECT_EQ(rig.port.written().back().front(), 2);
    EXPECT_EQ(session.address(), 1) << "the session's own address is kept";
}
