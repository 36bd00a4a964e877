#include "console/ParameterFile.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <QProcess>
#include <QTemporaryDir>

#include <array>
#include <csignal>
#include <fstream>
#include <sstream>

namespace {

struct Result {
    int code = -1;
    std::string out, err;
};

// The hxctl program run as a script would run it; bounded wait.
Result hxctl(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(HXCTL_PROGRAM), args);
    Result r;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput().toStdString();
    r.err = process.readAllStandardError().toStdString();
    return r;
}

// The simulator's holding registers read by libmodbus, a master nobody here wrote.
std::array<std::uint16_t, 44> simRegisters(const std::string& device, int address)
{
    std::array<std::uint16_t, 44> regs{};
    modbus_t* ctx = modbus_new_rtu(device.c_str(), 9600, 'N', 8, 1);
    if (ctx == nullptr)
        return regs;
    modbus_set_slave(ctx, address);
    modbus_set_response_timeout(ctx, 1, 0);
    if (modbus_connect(ctx) == 0) {
        EXPECT_EQ(modbus_read_registers(ctx, 0, 44, regs.data()), 44) << modbus_strerror(errno);
        modbus_close(ctx);
    }
    modbus_free(ctx);
    return regs;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

int fieldCount(const std::string& line, char sep)
{
    return 1 + static_cast<int>(std::count(line.begin(), line.end(), sep));
}

class HxCtlSim : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.started());
        device = QString::fromStdString(sim.device());
        ASSERT_FALSE(device.isEmpty());
    }
    QString path(const char* name) const { return dir.filePath(name); }

    SimProcess sim{{"--address", "7", "--steady"}};
    QString device;
    QTemporaryDir dir;
};

TEST_F(HxCtlSim, ReadCompareWriteAndTheSimulatorsRegistersFollowTheFile)
{
    const Result read = hxctl({"read", "--port", device, "--address", "7", "--out", path("cabinet.json")});
    ASSERT_EQ(read.code, 0) << read.err;
    std::ifstream in(path("cabinet.json").toStdString());
    const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ParameterFile::Checked file = ParameterFile::parse(saved);
    ASSERT_TRUE(file.document) << saved;
    EXPECT_EQ(file.document->firmware, "HX-CTRL V2.13 SIM");
    EXPECT_EQ(file.document->busAddress, 7);

    // The site's reference differs in two parameters.
    const auto params = ParameterTable::all();
    ParameterFile::Document reference = *file.document;
    std::size_t startTemp = 0, maxSpeed = 0;
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (params[i].name() == "Compressor StartTemp")
            startTemp = i;
        if (params[i].name() == "Extfan1 MaxSpeed")
            maxSpeed = i;
    }
    reference.values[startTemp] = reference.values[startTemp] == 400 ? 410 : 400;
    reference.values[maxSpeed] += 100;
    std::ofstream(path("reference.json").toStdString()) << ParameterFile::toJson(reference);

    const Result compare = hxctl({"compare", "--port", device, "--address", "7", path("reference.json")});
    EXPECT_EQ(compare.code, 1) << compare.err;
    const std::vector<std::string> differences = lines(compare.out);
    ASSERT_EQ(differences.size(), 2u) << compare.out;
    EXPECT_EQ(differences[0].rfind("Extfan1 MaxSpeed\t" + std::to_string(reference.values[maxSpeed]) + "\t", 0), 0u);
    EXPECT_EQ(differences[1].rfind("Compressor StartTemp\t", 0), 0u);
    EXPECT_TRUE(differences[1].ends_with("\t°C")) << differences[1];

    const Result write = hxctl({"write", "--port", device, "--address", "7", path("reference.json")});
    ASSERT_EQ(write.code, 0) << write.err;
    EXPECT_EQ(lines(write.out).size(), 8u) << write.out;
    EXPECT_EQ(write.out.find("failed"), std::string::npos) << write.out;

    const auto regs = simRegisters(device.toStdString(), 7);
    for (std::size_t i = 0; i < params.size(); ++i)
        EXPECT_EQ(static_cast<std::int16_t>(regs[static_cast<std::size_t>(params[i].reg())]),
                  static_cast<std::int16_t>(reference.values[i])) << params[i].name();

    const Result again = hxctl({"compare", "--port", device, "--address", "7", path("reference.json")});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out, "");
}

TEST_F(HxCtlSim, VersionAndTwoLiveCyclesWithALog)
{
    const Result version = hxctl({"version", "--port", device, "--address", "7"});
    EXPECT_EQ(version.code, 0) << version.err;
    EXPECT_EQ(version.out, "HX-CTRL V2.13 SIM\n");

    const Result live = hxctl({"live", "--port", device, "--address", "7", "--count", "2", "--log", path("bus.log")});
    ASSERT_EQ(live.code, 0) << live.err;
    const std::vector<std::string> rows = lines(live.out);
    ASSERT_EQ(rows.size(), 3u) << live.out;
    EXPECT_EQ(rows[0].rfind("time\tintfan1_rpm\t", 0), 0u);
    for (const std::string& row : rows)
        EXPECT_EQ(fieldCount(row, '\t'), 12) << row;
    std::ifstream log(path("bus.log").toStdString());
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_GE(std::count(logged.begin(), logged.end(), '\n'), 16) << logged;
    EXPECT_NE(logged.find("read coils 0-15"), std::string::npos) << logged.substr(0, 400);

    const Result csv = hxctl({"live", "--port", device, "--address", "7", "--count", "1", "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const std::vector<std::string> csvRows = lines(csv.out);
    ASSERT_EQ(csvRows.size(), 2u);
    EXPECT_EQ(fieldCount(csvRows[1], ','), 12) << csvRows[1];
}

TEST_F(HxCtlSim, ScanFindsTheSimulatorAtItsAddressAndNothingElse)
{
    const Result scan = hxctl({"scan", "--port", device, "--from", "1", "--to", "12"});
    EXPECT_EQ(scan.code, 0) << scan.err;
    EXPECT_EQ(scan.out, "7\tHX-CTRL V2.13 SIM\n");
    EXPECT_EQ(scan.err, "");

    const Result none = hxctl({"scan", "--port", device, "--from", "1", "--to", "6", "--timeout-ms", "50"});
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "hxctl: no controller answered at addresses 1 to 6 on " + device.toStdString() + "\n");
}

TEST_F(HxCtlSim, PortsListsTheRunningSimulatorFirstAndMarked)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString portFile = QString::fromStdString(sim.portFile());
    // The simulator's runtime folder holds "hxconsole/sim.port".
    env.insert("XDG_RUNTIME_DIR", portFile.left(portFile.lastIndexOf("/hxconsole/")));
    const Result ports = hxctl({"ports"}, env);
    ASSERT_EQ(ports.code, 0) << ports.err;
    const std::vector<std::string> items = lines(ports.out);
    ASSERT_GE(items.size(), 10u) << ports.out;
    EXPECT_EQ(items[0], device.toStdString() + " (simulator)");
    EXPECT_EQ(items[1], "COM1");
}

TEST_F(HxCtlSim, CtrlCStopsLiveCleanlyAfterWholeLines)
{
    QProcess process;
    process.start(QStringLiteral(HXCTL_PROGRAM), {"live", "--port", device, "--address", "7"});
    ASSERT_TRUE(process.waitForStarted(10000));
    std::string out;
    // Header and one reading, then Ctrl+C.
    while (std::count(out.begin(), out.end(), '\n') < 2 && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput().toStdString();
    ASSERT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    out += process.readAllStandardOutput().toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(out.back(), '\n');
    for (const std::string& row : lines(out))
        EXPECT_EQ(fieldCount(row, '\t'), 12) << row;
}

TEST_F(HxCtlSim, TheWrongAddressGetsNoAnswer)
{
    const Result version = hxctl({"version", "--port", device});
    EXPECT_EQ(version.code, 2);
    EXPECT_EQ(version.err, "hxctl: no answer from the controller at address 1 on " + device.toStdString()
                               + " (firmware version)\n");
}

}

TEST(HxCtlSimRefusing, WriteNamesTheRefusalOfEveryGroupAndExitsOne)
{
    SimProcess sim{{"--steady", "--refuse-writes", "0-43"}};
    ASSERT_TRUE(sim.started());
    const QString device = QString::fromStdString(sim.device());
    QTemporaryDir dir;
    const QString file = dir.filePath("held.json");
    const Result read = hxctl({"read", "--port", device, "--out", file});
    ASSERT_EQ(read.code, 0) << read.err;

    const Result write = hxctl({"write", "--port", device, file});
    EXPECT_EQ(write.code, 1) << write.err;
    const std::vector<std::string> groups = lines(write.out);
    ASSERT_EQ(groups.size(), 8u) << write.out;
    for (const std::string& group : groups)
        EXPECT_TRUE(group.ends_with("\trefused\trefused by the controller: illegal data value (03)")) << group;
    EXPECT_NE(write.err.find("8 of 8 groups were not written"), std::string::npos) << write.err;
}
