#include "console/TrendCsv.h"
#include "console/ParameterFile.h"
#include "console/ServiceJournal.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>
#include <modbus/modbus.h>

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <cctype>
#include <csignal>
#include <fstream>
#include <memory>
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

// What a running program printed on standard output once it has printed
// `count` whole lines (the header and the first reading, say).
std::string firstLines(QProcess& process, long count)
{
    std::string out;
    while (std::count(out.begin(), out.end(), '\n') < count && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput().toStdString();
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

    const std::size_t journalled = ServiceJournal::read(ServiceJournal::defaultPath()).parsed.entries.size();
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
    // The Compare, the backup before the write and each group written are in the service journal.
    const std::vector<ServiceJournalEntry> journal = ServiceJournal::read(ServiceJournal::defaultPath()).parsed.entries;
    ASSERT_EQ(journal.size(), journalled + 10);
    EXPECT_EQ(journal[journalled + 1].kind, ServiceJournalEntry::Kind::Backup);
    EXPECT_EQ(journal[journalled].differences.size(), 2u);
    EXPECT_EQ(journal.back().action, "Set Compressor");
    EXPECT_EQ(journal.back().run, "Write All");
    EXPECT_EQ(journal.back().address, 7);
    EXPECT_EQ(journal.back().port, device.toStdString());

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
    // The trend log's form: it opens in the trend window.
    const TrendCsv::ReadResult read = TrendCsv::parse(csv.out);
    ASSERT_TRUE(read.table) << read.error.text() << "\n" << csv.out;
    EXPECT_EQ(read.table->header.address, 7);
    ASSERT_EQ(read.table->samples.size(), 1u) << csv.out;
    for (std::size_t i = 0; i < LiveQuantities::kCount; ++i)
        EXPECT_TRUE(read.table->samples[0].values[i]) << LiveQuantities::kQuantities[i].name;
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
    // Header and one reading, then Ctrl+C.
    std::string out = firstLines(process, 2);
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

// --- network ports -------------------------------------------------------

// A helper program started for one test; killed when the test ends.
class Peer {
public:
    Peer(const QString& program, const QStringList& args)
    {
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, args);
        process_.waitForStarted(10000);
    }
    ~Peer()
    {
        process_.kill();
        process_.waitForFinished(10000);
    }
    // Reads what it prints until `marker` shows up; the rest of that line.
    // Empty when the program ends or stays silent.
    std::string after(const std::string& marker)
    {
        std::string& seen = out_;
        for (;;) {
            if (const std::size_t at = seen.find(marker); at != std::string::npos) {
                const std::size_t end = seen.find('\n', at);
                if (end != std::string::npos)
                    return seen.substr(at + marker.size(), end - at - marker.size());
            }
            if (!process_.waitForReadyRead(10000))
                return {};
            out_ += process_.readAllStandardOutput().toStdString();
        }
    }
    int exitCode()
    {
        process_.waitForFinished(10000);
        return process_.exitCode();
    }
    const std::string& printed() const { return out_; }

private:
    QProcess process_;
    std::string out_;
};

// socat as a serial device server: TCP on the loopback interface, passed
// through to the simulator's pseudo-terminal. One connection, then it ends.
std::unique_ptr<Peer> deviceServer(const std::string& device, int port = 0)
{
    auto socat = std::make_unique<Peer>("socat", QStringList{"-d", "-d",
                                                              QString("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr").arg(port),
                                                              QString::fromStdString("FILE:" + device + ",raw,echo=0")});
    return socat;
}

class HxCtlNetwork : public testing::Test {
protected:
    // The peers are checked by what each command gives back; the file
    // written is the one read with one value changed.
    void readWriteVersionLive(const QString& port, int address, const std::string& firmware)
    {
        const QString addr = QString::number(address);
        const Result version = hxctl({"version", "--port", port, "--address", addr});
        EXPECT_EQ(version.code, 0) << version.err;
        EXPECT_EQ(version.out, firmware + "\n");

        const Result read = hxctl({"read", "--port", port, "--address", addr, "--out", dir.filePath("read.json")});
        ASSERT_EQ(read.code, 0) << read.err;
        std::ifstream in(dir.filePath("read.json").toStdString());
        const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ParameterFile::Checked file = ParameterFile::parse(saved);
        ASSERT_TRUE(file.document) << saved;
        EXPECT_EQ(file.document->firmware, firmware);
        const auto params = ParameterTable::all();
        std::size_t startTemp = 0;
        while (params[startTemp].name() != "Compressor StartTemp")
            ++startTemp;
        ParameterFile::Document changed = *file.document;
        changed.values[startTemp] = changed.values[startTemp] == 400 ? 410 : 400;
        std::ofstream(dir.filePath("changed.json").toStdString()) << ParameterFile::toJson(changed);

        const Result write = hxctl({"write", "--port", port, "--address", addr, dir.filePath("changed.json")});
        ASSERT_EQ(write.code, 0) << write.err;
        EXPECT_EQ(write.out.find("failed"), std::string::npos) << write.out;
        const Result compare = hxctl({"compare", "--port", port, "--address", addr, dir.filePath("changed.json")});
        EXPECT_EQ(compare.code, 0) << compare.out << compare.err;

        const Result live = hxctl({"live", "--port", port, "--address", addr, "--count", "3"});
        ASSERT_EQ(live.code, 0) << live.err;
        const std::vector<std::string> rows = lines(live.out);
        ASSERT_EQ(rows.size(), 4u) << live.out;
        for (const std::string& row : rows)
            EXPECT_EQ(fieldCount(row, '\t'), 12) << row;
    }

    QTemporaryDir dir;
};

TEST_F(HxCtlNetwork, TheSimulatorsListenersServeBothKindsOfNetworkPort)
{
    for (const char* listen : {"--listen-rtu", "--listen-tcp"}) {
        SCOPED_TRACE(listen);
        SimProcess sim{{listen, "0", "--address", "7", "--steady"}};
        ASSERT_TRUE(sim.started());
        const QString name = QString::fromStdString(sim.device());
        ASSERT_TRUE(name.startsWith(std::string_view(listen) == "--listen-rtu" ? "socket://127.0.0.1:" : "tcp://127.0.0.1:"))
            << name.toStdString();
        readWriteVersionLive(name, 7, "HX-CTRL V2.13 SIM");
    }
}

TEST_F(HxCtlNetwork, ThroughAPymodbusServer)
{
    const QString python = "/usr/bin/python3";
    if (!QFileInfo::exists(python))
        GTEST_SKIP() << "Debian's python3 is missing: run scripts/setup";
    Peer server(python, {QStringLiteral(HX_SOURCE_DIR "/tests/cli/modbus_tcp_peer.py")});
    const std::string port = server.after("");
    if (port.empty() || !std::isdigit(static_cast<unsigned char>(port.front()))) {
        if (server.exitCode() == 77)
            GTEST_SKIP() << "pymodbus is missing (Debian packages python3-pymodbus, python3-serial-asyncio): run scripts/setup";
        FAIL() << server.printed();
    }
    readWriteVersionLive(QString::fromStdString("tcp://127.0.0.1:" + port), 1, "PYMODBUS PEER V1");
}

TEST_F(HxCtlNetwork, ThroughSocatInFrontOfTheRtuSimulatorEvenWhenTheConnectionDrops)
{
    if (QStandardPaths::findExecutable("socat").isEmpty())
        GTEST_SKIP() << "socat is missing: run scripts/setup";
    SimProcess sim{{"--address", "7", "--steady"}};
    ASSERT_TRUE(sim.started());
    const std::string device = sim.device();
    ASSERT_FALSE(device.empty());

    auto socat = deviceServer(device);
    const std::string listening = socat->after("listening on AF=2 127.0.0.1:");
    ASSERT_FALSE(listening.empty()) << socat->printed();
    const int port = std::stoi(listening);
    const QString name = QString("socket://127.0.0.1:%1").arg(port);
    Result version = hxctl({"version", "--port", name, "--address", "7"});
    EXPECT_EQ(version.code, 0) << version.err;
    EXPECT_EQ(version.out, "HX-CTRL V2.13 SIM\n");

    // Live polling over a server that goes away after the first reading and
    // comes back: the run reconnects and finishes its three cycles.
    socat = deviceServer(device, port);
    ASSERT_FALSE(socat->after("listening on").empty()) << socat->printed();
    QProcess live;
    live.start(QStringLiteral(HXCTL_PROGRAM), {"live", "--port", name, "--address", "7", "--count", "3", "--log",
                                               dir.filePath("bus.log")});
    ASSERT_TRUE(live.waitForStarted(10000));
    std::string out = firstLines(live, 2);
    ASSERT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
    socat.reset();
    socat = deviceServer(device, port);
    ASSERT_FALSE(socat->after("listening on").empty()) << socat->printed();
    ASSERT_TRUE(live.waitForFinished(30000));
    out += live.readAllStandardOutput().toStdString();
    const std::string err = live.readAllStandardError().toStdString();
    EXPECT_EQ(live.exitCode(), 0) << err;
    EXPECT_NE(err.find("hxctl: lost the port " + name.toStdString() + "; opening it again once a second"),
              std::string::npos) << err;
    EXPECT_NE(err.find("is back; polling goes on"), std::string::npos) << err;
    EXPECT_EQ(lines(out).size(), 4u) << out;
    std::ifstream log(dir.filePath("bus.log").toStdString());
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find("port lost"), std::string::npos);
    EXPECT_NE(logged.find("port back"), std::string::npos);
}

}

TEST_F(HxCtlNetwork, CtrlCWhileThePortIsLostEndsLiveWithExitTwo)
{
    if (QStandardPaths::findExecutable("socat").isEmpty())
        GTEST_SKIP() << "socat is missing: run scripts/setup";
    SimProcess sim{{"--address", "7", "--steady"}};
    ASSERT_TRUE(sim.started());
    auto socat = deviceServer(sim.device());
    const std::string listening = socat->after("listening on AF=2 127.0.0.1:");
    ASSERT_FALSE(listening.empty()) << socat->printed();
    const QString name = QString("socket://127.0.0.1:%1").arg(std::stoi(listening));
    QProcess live;
    live.start(QStringLiteral(HXCTL_PROGRAM), {"live", "--port", name, "--address", "7"});
    ASSERT_TRUE(live.waitForStarted(10000));
    std::string out = firstLines(live, 2);
    ASSERT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
    socat.reset();
    live.setReadChannel(QProcess::StandardError);
    std::string err;
    while (err.find("lost the port") == std::string::npos && live.waitForReadyRead(10000))
        err += live.readAllStandardError().toStdString();
    ASSERT_NE(err.find("lost the port"), std::string::npos) << err;
    ::kill(static_cast<pid_t>(live.processId()), SIGINT);
    ASSERT_TRUE(live.waitForFinished(10000));
    err += live.readAllStandardError().toStdString();
    EXPECT_EQ(live.exitCode(), 2) << err;
    EXPECT_NE(err.find("was still lost; polling stopped"), std::string::npos) << err;
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
