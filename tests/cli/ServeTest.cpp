// hxctl serve as a program against the simulated multi-drop bus: every
// address answered and exported, bad HTTP requests refused while the poll
// goes on, a silent controller reported down, the text checked by promtool,
// and the whole chain scraped by a real Prometheus.
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

namespace {

// Bounds of every wait on a program; a round over three simulated
// controllers takes a few seconds.
constexpr int kStartMs = 15000;
constexpr int kRoundsMs = 30000;
constexpr int kPollMs = 250;

struct HttpReply {
    int status = 0;
    std::string body;
};

// One request as raw bytes; the answer read until the server closes.
HttpReply http(quint16 port, const QByteArray& request)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(kStartMs))
        return {};
    socket.write(request);
    QByteArray all;
    QDeadlineTimer deadline(kStartMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        all += socket.readAll();
    }
    all += socket.readAll();
    HttpReply reply;
    const std::string text = all.toStdString();
    if (text.rfind("HTTP/1.1 ", 0) == 0)
        reply.status = std::stoi(text.substr(9, 3));
    if (const std::size_t end = text.find("\r\n\r\n"); end != std::string::npos)
        reply.body = text.substr(end + 4);
    return reply;
}

HttpReply get(quint16 port, const std::string& target)
{
    return http(port, QByteArray::fromStdString("GET " + target + " HTTP/1.1\r\nHost: test\r\nConnection: close\r\n\r\n"));
}

// The value of the series `series` (name and labels as written) in a metrics text.
std::optional<double> valueOf(const std::string& text, const std::string& series)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(series + " ", 0) == 0)
            return std::stod(line.substr(series.size() + 1));
    }
    return std::nullopt;
}

// Asks `check` again every little while until it holds or `boundMs` ran out.
bool eventually(const std::function<bool()>& check, int boundMs = kRoundsMs)
{
    QDeadlineTimer deadline(boundMs);
    while (!check()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(kPollMs);
    }
    return true;
}

// A program the test started, ended when the object goes.
class Program {
public:
    Program(const QString& program, const QStringList& args)
    {
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.start(program, args);
    }
    ~Program()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(kStartMs)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QProcess& process() { return process_; }
    // The first line it prints (bounded wait).
    std::string firstLine()
    {
        QDeadlineTimer deadline(kStartMs);
        while (!process_.canReadLine() && !deadline.hasExpired())
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        return process_.readLine().trimmed().toStdString();
    }

private:
    QProcess process_;
};

// hxctl serve on the simulator's line, on a port of the system's choosing.
struct Serve {
    Program program;
    quint16 port = 0;

    Serve(const std::string& device, const std::string& addresses)
        : program(HXCTL_PROGRAM, {"serve", "--port", QString::fromStdString(device), "--addresses",
                                  QString::fromStdString(addresses), "--listen", "127.0.0.1:0", "--interval", "0.5"})
    {
        const std::string url = program.firstLine();
        std::smatch m;
        if (std::regex_match(url, m, std::regex(R"(http://127\.0\.0\.1:(\d+)/metrics)")))
            port = static_cast<quint16>(std::stoi(m[1]));
    }
    std::string metrics() { return get(port, "/metrics").body; }
    std::optional<double> value(const std::string& name, int address)
    {
        return valueOf(metrics(), name + "{port=\"" + device + "\",address=\"" + std::to_string(address) + "\"}");
    }
    std::string device;
};

struct Bus {
    QTemporaryDir dir;
    std::string muteFile = dir.filePath("mute").toStdString();
    std::string logFile = dir.filePath("sim.csv").toStdString();
    SimProcess sim{{"--address", "1-3", "--steady", "--mute-file", muteFile, "--log", logFile}};

    void mute(const std::string& addresses) { std::ofstream(muteFile) << addresses << "\n"; }
};

std::unique_ptr<Serve> serveOn(Bus& bus)
{
    auto serve = std::make_unique<Serve>(bus.sim.device(), "1-3");
    serve->device = bus.sim.device();
    return serve;
}

TEST(ServeProgram, ExportsEveryAddressRefusesBadRequestsAndReportsASilentOne)
{
    Bus bus;
    ASSERT_FALSE(bus.sim.device().empty());
    auto serve = serveOn(bus);
    ASSERT_NE(serve->port, 0) << "no URL printed";
    ASSERT_TRUE(eventually([&] {
        return serve->value("hx_up", 1) == 1.0 && serve->value("hx_up", 2) == 1.0 && serve->value("hx_up", 3) == 1.0;
    })) << serve->metrics();

    // A client that sends half a request and waits holds nothing up.
    QTcpSocket halfOpen;
    halfOpen.connectToHost(QHostAddress::LocalHost, serve->port);
    ASSERT_TRUE(halfOpen.waitForConnected(kStartMs));
    halfOpen.write("GET /metrics HTTP/1.1\r\n");
    ASSERT_TRUE(halfOpen.waitForBytesWritten(kStartMs));

    const double requestsBefore = serve->value("hx_requests_total", 1).value_or(-1);
    const struct {
        QByteArray request;
        int status;
    } bad[] = {
        {"GET /" + QByteArray(9000, 'a') + " HTTP/1.1\r\n\r\n", 431},
        {"GET /metrics HTTP/1.1\r\n" + QByteArray(9000, 'x'), 431},
        {"GET /admin HTTP/1.1\r\n\r\n", 404},
        {"POST /metrics HTTP/1.1\r\nContent-Length: 2\r\n\r\nhi", 405},
        {"GET /metrics HTTP/2.0\r\n\r\n", 505},
        {QByteArray("\x16\x03\x01\x00\xa5\x01\r\n\r\n", 10), 400},
    };
    for (const auto& b : bad)
        EXPECT_EQ(http(serve->port, b.request).status, b.status) << b.request.left(40).toStdString();
    const HttpReply page = get(serve->port, "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_NE(page.body.find("address 2: answering"), std::string::npos) << page.body;
    // The poll went on meanwhile.
    EXPECT_TRUE(eventually([&] { return serve->value("hx_requests_total", 1).value_or(-1) > requestsBefore; }));
    EXPECT_EQ(halfOpen.state(), QAbstractSocket::ConnectedState);

    bus.mute("2");
    ASSERT_TRUE(eventually([&] { return serve->value("hx_up", 2) == 0.0; })) << serve->metrics();
    const std::string text = serve->metrics();
    EXPECT_EQ(valueOf(text, "hx_up{port=\"" + serve->device + "\",address=\"1\"}"), 1.0);
    // Its last readings stay for a while, beside hx_up 0.
    EXPECT_TRUE(valueOf(text, "hx_indoor_temp_celsius{port=\"" + serve->device + "\",address=\"2\"}")) << text;
    EXPECT_GT(valueOf(text, "hx_timeouts_total{port=\"" + serve->device + "\",address=\"2\"}").value_or(0), 0.0);

    const QString promtool = QStandardPaths::findExecutable("promtool");
    if (promtool.isEmpty())
        GTEST_SKIP() << "promtool is not installed (Debian package prometheus; scripts/setup installs it): "
                        "the metrics text was not linted";
    QProcess check;
    check.start(promtool, {"check", "metrics"});
    ASSERT_TRUE(check.waitForStarted(kStartMs));
    check.write(QByteArray::fromStdString(text));
    check.closeWriteChannel();
    ASSERT_TRUE(check.waitForFinished(kStartMs));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString()
                                   << check.readAllStandardError().toStdString();
}

TEST(ServeProgram, OpensALostPortAgainOnceItIsBack)
{
    const QString socat = QStandardPaths::findExecutable("socat");
    if (socat.isEmpty())
        GTEST_SKIP() << "socat is not installed (scripts/setup installs it): no device that can come back";
    Bus bus;
    ASSERT_FALSE(bus.sim.device().empty());
    // A device under a stable name, as a USB adapter's by-id link, that the
    // test can pull and plug back.
    const QString link = bus.dir.filePath("bus");
    const QStringList bridge{"PTY,link=" + link + ",raw,echo=0", QString::fromStdString(bus.sim.device()) + ",raw,echo=0"};
    auto adapter = std::make_unique<Program>(socat, bridge);
    ASSERT_TRUE(eventually([&] { return QFileInfo::exists(link); }, kStartMs));
    Serve serve(link.toStdString(), "1-2");
    serve.device = link.toStdString();
    ASSERT_NE(serve.port, 0);
    const auto both = [&](double up) { return serve.value("hx_up", 1) == up && serve.value("hx_up", 2) == up; };
    ASSERT_TRUE(eventually([&] { return both(1.0); })) << serve.metrics();

    adapter.reset();
    EXPECT_TRUE(eventually([&] { return both(0.0); })) << serve.metrics();
    adapter = std::make_unique<Program>(socat, bridge);
    EXPECT_TRUE(eventually([&] { return both(1.0); })) << serve.metrics();
    EXPECT_EQ(serve.program.process().state(), QProcess::Running);
}

// The indoor temperatures (tenths of °C) each simulated controller sent, from its own log.
std::map<int, std::set<int>> indoorTemperaturesSent(const std::string& logFile)
{
    std::map<int, std::set<int>> sent;
    std::ifstream in(logFile);
    const std::regex frame(R"re("((?:[0-9A-F]{2} )+[0-9A-F]{2})")re");
    for (std::string line; std::getline(in, line);) {
        std::smatch m;
        if (!std::regex_search(line, m, frame))
            continue;
        std::vector<int> bytes;
        std::istringstream hex(m[1]);
        for (std::string b; hex >> b;)
            bytes.push_back(std::stoi(b, nullptr, 16));
        // The reply to a read of 13 input registers; the fifth is the indoor temperature.
        if (bytes.size() != 31 || bytes[1] != 0x04 || bytes[2] != 26)
            continue;
        sent[bytes[0]].insert(static_cast<std::int16_t>(bytes[3 + 8] << 8 | bytes[3 + 9]));
    }
    return sent;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

TEST(ServePrometheus, ARealPrometheusScrapesEveryControllerAndSeesOneGoDown)
{
    const QString prometheus = QStandardPaths::findExecutable("prometheus");
    if (prometheus.isEmpty())
        GTEST_SKIP() << "prometheus is not installed (Debian package prometheus; scripts/setup installs it)";

    Bus bus;
    ASSERT_FALSE(bus.sim.device().empty());
    auto serve = serveOn(bus);
    ASSERT_NE(serve->port, 0);

    const quint16 promPort = freePort();
    const QString config = bus.dir.filePath("prometheus.yml");
    std::ofstream(config.toStdString()) << "global:\n  scrape_interval: 1s\n  scrape_timeout: 1s\n"
                                           "scrape_configs:\n  - job_name: hx\n    static_configs:\n"
                                           "      - targets: ['127.0.0.1:"
                                        << serve->port << "']\n";
    Program server(prometheus, {"--config.file=" + config, "--storage.tsdb.path=" + bus.dir.filePath("tsdb"),
                                "--web.listen-address=127.0.0.1:" + QString::number(promPort),
                                "--log.level=warn"});
    ASSERT_TRUE(eventually([&] { return get(promPort, "/-/ready").status == 200; }, kStartMs))
        << server.process().readAllStandardError().toStdString();

    // Each address's latest value of `metric` as Prometheus holds it.
    const auto query = [&](const std::string& metric) {
        std::map<int, double> values;
        const HttpReply r = get(promPort, "/api/v1/query?query=" + metric);
        const QJsonArray result = QJsonDocument::fromJson(QByteArray::fromStdString(r.body))
                                      .object()["data"].toObject()["result"].toArray();
        for (const QJsonValue& series : result) {
            const QJsonObject o = series.toObject();
            values[o["metric"].toObject()["address"].toString().toInt()] =
                o["value"].toArray().at(1).toString().toDouble();
        }
        return values;
    };

    ASSERT_TRUE(eventually([&] { return query("hx_up") == std::map<int, double>{{1, 1.0}, {2, 1.0}, {3, 1.0}}; }))
        << get(promPort, "/api/v1/query?query=hx_up").body;
    std::map<int, double> indoor;
    ASSERT_TRUE(eventually([&] { return (indoor = query("hx_indoor_temp_celsius")).size() == 3; }));

    bus.mute("2");
    EXPECT_TRUE(eventually([&] { return query("hx_up") == std::map<int, double>{{1, 1.0}, {2, 0.0}, {3, 1.0}}; }))
        << get(promPort, "/api/v1/query?query=hx_up").body;

    // The simulator writes its log out as it stops.
    ::kill(bus.sim.pid(), SIGTERM);
    ASSERT_EQ(bus.sim.exitStatus(), 0);
    const auto sent = indoorTemperaturesSent(bus.logFile);
    for (const auto& [address, value] : indoor)
        EXPECT_TRUE(sent.contains(address) && sent.at(address).contains(static_cast<int>(std::lround(value * 10))))
            << "address " << address << ": Prometheus holds " << value << " °C, which the simulator never sent";
}

} // namespace
