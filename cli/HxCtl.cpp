#include "cli/HxCtl.h"

#include "cli/BusLogWriter.h"
#include "cli/BusServe.h"
#include "cli/CliOptions.h"
#include "console/AtomicFile.h"
#include "console/ParameterBackups.h"
#include "console/ParameterValues.h"
#include "console/PlausibilityRules.h"
#include "console/ServiceJournal.h"
#include "console/TrendCsv.h"
#include "link/BusAddresses.h"
#include "link/FirmwareReadCommand.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"

#include <QDateTime>
#include <QFileInfo>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include <ostream>

namespace HxCtl {

namespace {

using Command = CliOptions::Command;

// Parameter files are a few kilobytes; anything much larger is not one.
constexpr std::size_t kLargestFile = 1 << 20;

struct Context {
    const CliOptions& options;
    Io io;
    CtlSession& session;
    // Hears the writes and Compares (write and compare only).
    ServiceJournal* journal = nullptr;

    void fail(const std::string& message) const { io.err << "hxctl: " << message << "\n"; }
    std::string where() const
    {
        return "address " + std::to_string(session.address()) + " on " + options.port;
    }
    int noAnswer(const std::string& what) const
    {
        fail("no answer from the controller at " + where() + " (" + what + ")");
        return NoAnswer;
    }
};

std::string absolute(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
}

std::optional<ParameterFile::Document> loadFile(const Context& c)
{
    const AtomicFile::ReadResult file = AtomicFile::read(c.options.file, kLargestFile);
    if (!file.bytes) {
        c.fail(file.error);
        return std::nullopt;
    }
    ParameterFile::Checked checked = ParameterFile::parse(*file.bytes);
    if (!checked.document) {
        c.io.err << "hxctl: " << ParameterFile::report(c.options.file + " is not a usable parameter file; nothing was sent.",
                                                     checked.problems) << "\n";
        return std::nullopt;
    }
    return std::move(checked.document);
}

// A file that breaks a plausibility rule is written only with --force; the
// rules are named either way.
bool plausibleOrForced(const Context& c, const ParameterFile::Document& document)
{
    const auto broken = PlausibilityRules::check(PlausibilityRules::fromValues(document.values));
    if (broken.empty())
        return true;
    c.fail(c.options.file + (c.options.force ? " breaks these rules; written anyway (--force):\n"
                                             : " breaks these rules; nothing was sent (--force writes it anyway):\n")
           + PlausibilityRules::describe(broken));
    return c.options.force;
}

// The controller's parameters as a parameter file with its identity; on
// failure `code` says how the command ends.
std::optional<ParameterFile::Document> readDocument(const Context& c, int& code)
{
    if (!c.session.readAll()) {
        code = c.noAnswer("Read All");
        return std::nullopt;
    }
    ParameterFile::Checked held = c.session.heldParameters();
    if (!held.document) {
        c.io.err << "hxctl: " << ParameterFile::report("the controller holds values a parameter file cannot carry; nothing was written.",
                                                     held.problems) << "\n";
        code = Differences;
        return std::nullopt;
    }
    ParameterFile::Document& document = *held.document;
    const std::optional<std::string> firmware = c.session.readVersion();
    if (!firmware)
        c.fail("the controller did not send its firmware text; the file goes without it");
    document.firmware = firmware.value_or("");
    document.console = HX_VERSION;
    document.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    document.busAddress = c.session.address();
    return std::move(held.document);
}

int readCommand(const Context& c)
{
    int code = Success;
    const std::optional<ParameterFile::Document> document = readDocument(c, code);
    if (!document)
        return code;
    const std::string json = ParameterFile::toJson(*document);
    if (c.options.out.empty()) {
        c.io.out << json;
        return Success;
    }
    if (const std::string error = AtomicFile::write(c.options.out, json); !error.empty()) {
        c.fail(error);
        return BadInput;
    }
    return Success;
}

// Keeps what the controller holds before Write All changes it; false (with
// `code`) when there is no backup, and then nothing may be written.
bool backUp(const Context& c, int& code)
{
    const std::optional<ParameterFile::Document> document = readDocument(c, code);
    if (!document) {
        c.fail("no backup could be taken, so nothing was written (--no-backup writes without one)");
        return false;
    }
    const ParameterBackups::Saved saved = ParameterBackups::save(
        ParameterBackups::defaultFolder(), *document, ParameterBackups::Action::WriteAll, QDateTime::currentDateTime());
    if (!saved.error.empty()) {
        c.fail(saved.error + "; without a backup nothing was written (--no-backup writes without one)");
        code = BadInput;
        return false;
    }
    c.io.err << "hxctl: backup of " << c.where() << " saved as " << saved.path << "\n";
    if (c.journal)
        c.journal->recordBackup(static_cast<std::uint8_t>(c.session.address()), saved.path, "Write All",
                                ServiceJournal::registersOf(*document));
    return true;
}

int writeCommand(const Context& c, const ParameterFile::Document& document)
{
    if (int code = Success; !c.options.noBackup && !backUp(c, code))
        return code;
    const std::vector<WriteAllRun::Outcome> outcomes = c.session.writeAll(document);
    int written = 0;
    bool timedOutFirst = false;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const WriteAllRun::Outcome& o = outcomes[i];
        c.io.out << ParameterTable::groupName(o.command) << '\t';
        switch (o.status) {
        case WriteAllRun::Status::Written:
            c.io.out << "written";
            ++written;
            break;
        case WriteAllRun::Status::Refused:
            c.io.out << "refused\t" << o.reason;
            break;
        case WriteAllRun::Status::Failed:
            c.io.out << "failed\t" << o.reason;
            timedOutFirst = timedOutFirst || (i == 0 && o.reason.find("time-out") != std::string::npos);
            break;
        case WriteAllRun::Status::NotSent:
            c.io.out << "not sent\t" << o.reason;
            break;
        }
        c.io.out << '\n';
    }
    if (written == static_cast<int>(outcomes.size()))
        return Success;
    if (timedOutFirst)
        return c.noAnswer("Write All");
    c.fail(std::to_string(outcomes.size() - static_cast<std::size_t>(written)) + " of "
           + std::to_string(outcomes.size()) + " groups were not written");
    return Differences;
}

int compareCommand(const Context& c, const ParameterFile::Document& document)
{
    if (!c.session.readAll())
        return c.noAnswer("Read All");
    std::vector<ParameterDifference> differences;
    const auto params = ParameterTable::all();
    const auto written = ParameterTable::writeAllGroups();
    for (std::size_t i = 0; i < params.size(); ++i) {
        const ParameterEntry& param = params[i];
        // The bus address is in the file for information only and write
        // never sends it: every cabinet set from one file keeps its own.
        if (std::find(written.begin(), written.end(), param.command()) == written.end())
            continue;
        const ParameterValues::Converted held = ParameterValues::checked(param, c.session.parameters()->value(*param.entry));
        const std::int32_t fileValue = document.values.at(i);
        if (held.value == fileValue)
            continue;
        differences.push_back({std::string(param.name()), held.value ? ParameterValues::withUnit(param, *held.value) : held.problem,
                               ParameterValues::withUnit(param, fileValue)});
        c.io.out << param.name() << '\t' << ParameterValues::unitText(param, fileValue) << '\t'
                 << (held.value ? ParameterValues::unitText(param, *held.value) : held.problem) << '\t' << param.unit()
                 << '\n';
    }
    if (c.journal)
        c.journal->recordCompare(static_cast<std::uint8_t>(c.session.address()), absolute(c.options.file), differences);
    return differences.empty() ? Success : Differences;
}

int versionCommand(const Context& c)
{
    const std::optional<std::string> firmware = c.session.readVersion();
    if (!firmware)
        return c.noAnswer("firmware version");
    c.io.out << *firmware << '\n';
    return Success;
}

int liveCommand(const Context& c)
{
    // Cycles in a row without one valid reply before the controller counts as gone.
    constexpr int kSilentCycles = 3;
    if (c.options.csv)
        c.io.out << TrendCsv::comments({HX_VERSION, c.options.port, c.session.address(), {}});
    c.io.out << liveHeader(c.options.csv) << std::flush;
    int printed = 0;
    int silent = 0;
    bool lost = false;
    bool gone = false;
    const auto portChanged = [&](ConsoleCore::PortState state) {
        if (state == ConsoleCore::PortState::Lost) {
            lost = true;
            c.fail("lost the port " + c.options.port + "; opening it again once a second (Ctrl+C stops)");
        } else if (state == ConsoleCore::PortState::Open && lost) {
            lost = false;
            c.fail("the port " + c.options.port + " is back; polling goes on");
        } else if (state == ConsoleCore::PortState::Gone) {
            gone = true;
        }
    };
    c.session.live([&](const CtlSession::LiveRow& row) {
        if (row.validReplies == 0) {
            ++silent;
            c.fail("no answer in a poll cycle at " + c.where());
            return silent < kSilentCycles;
        }
        silent = 0;
        const std::string time = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
        c.io.out << liveLine(time, row, c.options.csv) << std::flush;
        ++printed;
        return !c.options.count || printed < *c.options.count;
    }, portChanged);
    if (lost || gone) {
        c.fail("the port " + c.options.port + (gone ? " went away for good" : " was still lost") + "; polling stopped");
        return NoAnswer;
    }
    if (silent >= kSilentCycles)
        return c.noAnswer("live poll");
    return Success;
}

int scanCommand(const Context& c)
{
    int shownProgress = -1;
    const auto found = c.session.scan(c.options.from, c.options.to, c.options.timeoutMs, [&](const BusScan& scan) {
        if (!c.io.errIsTerminal || scan.done() == shownProgress)
            return;
        shownProgress = scan.done();
        c.io.err << "\rscanning " << c.options.port << ": address " << scan.current() << " (" << scan.done() << " of "
                 << scan.total() << " done, " << scan.found().size() << " found)   " << std::flush;
    });
    if (c.io.errIsTerminal)
        c.io.err << "\n";
    for (const BusScan::Found& f : found)
        c.io.out << f.address << '\t' << Firmware::toUtf8(f.firmware) << '\n';
    if (c.io.stop && *c.io.stop != 0)
        c.fail("the scan was interrupted (Ctrl+C) before its last address");
    if (found.empty()) {
        c.fail("no controller answered at addresses " + std::to_string(c.options.from) + " to "
               + std::to_string(c.options.to) + " on " + c.options.port);
        return NoAnswer;
    }
    return Success;
}

int serveCommand(const Context& c, LinkObserver* busLog)
{
    BusServe serve(c.session, {c.options.port, c.options.addresses, c.options.intervalMs, busLog}, c.io.err);
    if (const std::string error = serve.listen(c.options.listen); !error.empty()) {
        c.fail(error);
        return BadInput;
    }
    QHostAddress host;
    quint16 unused = 0;
    MetricsServer::parseListen(c.options.listen, host, unused);
    const QString shown = host.protocol() == QAbstractSocket::IPv6Protocol ? "[" + host.toString() + "]" : host.toString();
    c.io.out << "http://" << shown.toStdString() << ":" << serve.listeningPort() << "/metrics" << std::endl;
    c.io.err << "hxctl: polling addresses " << BusAddresses::text(c.options.addresses) << " on " << c.options.port
             << "; Ctrl+C stops\n";
    return serve.run(c.io.stop);
}

// Exact decimal text of a value in tenths: -205 is "-20.5".
std::string tenths(int value)
{
    const int whole = value < 0 ? -value : value;
    return (value < 0 ? "-" : "") + std::to_string(whole / 10) + "." + std::to_string(whole % 10);
}

} // namespace

std::string liveHeader(bool csv)
{
    if (csv)
        return TrendCsv::headerRow();
    const char sep = '\t';
    std::string line;
    for (const char* name : {"time", "intfan1_rpm", "intfan2_rpm", "extfan1_rpm", "extfan2_rpm", "indoor_C", "outdoor_C",
                             "supply_V", "heater_A", "compressor_A", "compressor_rpm", "alarms"}) {
        if (!line.empty())
            line += sep;
        line += name;
    }
    return line + "\n";
}

std::string liveLine(const std::string& time, const CtlSession::LiveRow& row, bool csv)
{
    if (csv)
        return TrendCsv::row(row.sample);
    // A step that got no answer in this cycle leaves its columns empty:
    // the previous cycle's values are never shown as this one's.
    const auto value = [&row](std::string_view name) { return row.sample.values[*LiveQuantities::indexOf(name)]; };
    const char sep = '\t';
    std::string line = time;
    for (const char* fan : {"intfan1_speed", "intfan2_speed", "extfan1_speed", "extfan2_speed"}) {
        line += sep;
        if (const auto rpm = value(fan))
            line += std::to_string(static_cast<long>(*rpm));
    }
    for (const char* name : {"indoor_temp", "outdoor_temp", "supply_voltage", "heater_current", "compressor_current"}) {
        line += sep;
        if (const auto v = value(name))
            line += tenths(static_cast<int>(std::lround(*v * 10)));
    }
    line += sep;
    if (const auto rpm = value("compressor_speed"))
        line += std::to_string(static_cast<long>(*rpm));
    std::string alarms;
    if (value("intfan1_alarm"))
        for (const std::string& a : row.alarms)
            alarms += (alarms.empty() ? "" : " ") + a;
    return line + sep + alarms + "\n";
}

CtlSession::Pacer timerPacer()
{
    return [](const std::function<bool()>& step, const std::function<int()>& interval) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            if (step())
                timer.start(interval());
            else
                loop.quit();
        });
        timer.start(interval());
        loop.exec();
    };
}

int run(const std::vector<std::string>& args, Io io, SerialPort& port, CtlSession::Pacer pacer)
{
    if (args.size() == 1 && args.front() == "--version") {
        io.out << "hxctl " HX_VERSION "\n";
        return Success;
    }
    const ParsedOptions parsed = parseOptions(args);
    if (!parsed.options) {
        if (parsed.error.empty()) {
            io.out << usageText();
            return Success;
        }
        io.err << "hxctl: " << parsed.error << "\n" << "Try 'hxctl --help'.\n";
        return BadInput;
    }
    const CliOptions& options = *parsed.options;
    if (options.help) {
        io.out << helpText(options.command);
        return Success;
    }
    if (options.command == Command::Ports) {
        for (const std::string& item : discoverPortItems())
            io.out << item << '\n';
        return Success;
    }

    CtlSession session(port, std::move(pacer));
    session.setStopFlag(io.stop);
    // Writes and Compares go into the service journal, as the window's do.
    std::optional<ServiceJournal> journal;
    if (options.command == Command::Write || options.command == Command::Compare) {
        journal.emplace(session.core(), ServiceJournal::defaultPath(), [&options] { return options.port; },
                        [&io](const std::string& message) {
                            io.err << "hxctl: " << message << "; the service journal may lack this run\x27s entries\n";
                        });
        journal->setRunSource([&options] { return std::optional<ServiceJournal::Run>({"Write All", absolute(options.file)}); });
    }
    const Context c{options, io, session, journal ? &*journal : nullptr};

    // The file is checked before the port is touched: a bad file sends nothing.
    std::optional<ParameterFile::Document> document;
    if (options.command == Command::Write || options.command == Command::Compare) {
        document = loadFile(c);
        if (!document)
            return BadInput;
    }
    if (options.command == Command::Write && !plausibleOrForced(c, *document))
        return BadInput;

    BusLogWriter logWriter;
    if (!options.log.empty()) {
        if (const std::string error = logWriter.open(options.log); !error.empty()) {
            c.fail(error);
            return BadInput;
        }
        session.setLog(&logWriter.log());
    }

    std::string device = PortNames::deviceForPortText(options.port);
    if (device.empty()) {
        c.fail("the port " + options.port
               + " names no port (COM1 to COM9, a device path, socket://HOST:PORT or tcp://HOST:PORT)");
        return PortUnusable;
    }
    if (options.extraWaitMs)
        device = PortNames::withWait(device, *options.extraWaitMs);
    if (const std::string error = session.open(device, options.baud, options.dataBits); !error.empty()) {
        c.fail("the port " + options.port + (device != options.port ? " (" + device + ")" : std::string()) + " " + error);
        return PortUnusable;
    }
    if (options.address)
        session.setAddress(*options.address);

    int code = Success;
    switch (options.command) {
    case Command::Read:
        code = readCommand(c);
        break;
    case Command::Write:
        code = writeCommand(c, *document);
        break;
    case Command::Compare:
        code = compareCommand(c, *document);
        break;
    case Command::Version:
        code = versionCommand(c);
        break;
    case Command::Live:
        code = liveCommand(c);
        break;
    case Command::Scan:
        code = scanCommand(c);
        break;
    case Command::Serve:
        code = serveCommand(c, options.log.empty() ? nullptr : &logWriter.log());
        break;
    case Command::Ports:
        break;
    }
    for (const auto& [text, caption] : session.messages())
        c.fail(caption + ": " + text);
    // A log that could not be written is a failed run, whatever the controller said.
    bool logFailed = false;
    if (!logWriter.failure().empty()) {
        c.fail(logWriter.failure());
        logFailed = true;
    }
    if (const std::string error = logWriter.close(); !error.empty()) {
        c.fail(error);
        logFailed = true;
    }
    if (logFailed && code == Success)
        code = BadInput;
    port.close();
    return code;
}

}
