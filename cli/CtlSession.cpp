#include "cli/CtlSession.h"

#include "link/FirmwareReadCommand.h"
#include "link/PortAccess.h"
#include "link/SerialPort.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

constexpr int kConfigurationTab = 0;
constexpr int kLiveTab = 1;
// The scan reads whatever has arrived this often.
constexpr int kScanStepMs = 2;
// Attempts to open a lost port again.
constexpr int kReopenMs = 1000;

}

CtlSession::CtlSession(SerialPort& port, Pacer pacer)
    : port_(port), pacer_(std::move(pacer))
{
    core_.addListener(*this);
}

CtlSession::~CtlSession()
{
    core_.removeListener(*this);
}

void CtlSession::showMessage(const std::string& text, const std::string& caption)
{
    if (run_ && run_->takeMessage(text, caption))
        return;
    messages_.emplace_back(text, caption);
}

void CtlSession::transactionEnded(const TransactionOutcome& outcome)
{
    if (outcome.result == LinkOutcome::Valid)
        ++valid_;
    if (run_)
        run_->transactionEnded(outcome);
}

void CtlSession::liveSample(const LiveQuantities::Sample& sample)
{
    sample_ = sample;
}

std::string CtlSession::open(const std::string& device, int baud, int dataBits)
{
    switch (core_.open(device, baud, dataBits)) {
    case ConsoleCore::OpenResult::Opened:
        return {};
    case ConsoleCore::OpenResult::CannotOpen: {
        std::string why = PortAccess::permissionHint(device).full;
        if (why.empty())
            why = port_.openError();
        return why.empty() ? "cannot be opened (missing, in use or not permitted)" : "cannot be opened: " + why;
    }
    case ConsoleCore::OpenResult::NoSettings:
        return "does not tell its line settings";
    case ConsoleCore::OpenResult::SettingsRefused:
        break;
    }
    return "refuses " + std::to_string(baud) + " baud with " + std::to_string(dataBits) + " data bits";
}

void CtlSession::setAddress(int address)
{
    core_.commands().setCommAddress(static_cast<std::uint32_t>(address));
}

// A lost port is opened again once a second under the same name, as the
// window does; the work under way then starts afresh.
void CtlSession::tick()
{
    if (core_.portState() == ConsoleCore::PortState::Lost) {
        core_.watchTick();
        return;
    }
    core_.tick();
}

int CtlSession::interval() const
{
    return core_.portState() == ConsoleCore::PortState::Lost ? kReopenMs : timer2Interval_;
}

bool CtlSession::runCommand(const std::function<void()>& handler)
{
    tab_ = kConfigurationTab;
    valid_ = 0;
    handler();
    if (state_.LinkBusy != 1)
        return false;
    pacer_([this] {
        tick();
        return state_.LinkBusy == 1;
    }, [this] { return interval(); });
    return valid_ > 0;
}

bool CtlSession::readAll()
{
    // The parameters are the core's to keep; nothing is shown.
    return runCommand([this] { core_.readParameters(); });
}

std::optional<std::string> CtlSession::readVersion()
{
    if (!runCommand([this] { core_.commands().Button5Click(); }))
        return std::nullopt;
    return Firmware::text(state_);
}

ParameterFile::Checked CtlSession::heldParameters() const
{
    return ParameterFile::fromSet(core_.parameters().value_or(ParameterSet{}));
}

std::vector<WriteAllRun::Outcome> CtlSession::writeAll(const ParameterFile::Document& document)
{
    const ParameterSet parameters = ParameterFile::toSet(document);
    tab_ = kConfigurationTab;
    WriteAllRun run(state_, WriteAllRun::writing(core_.commands(), parameters));
    run_ = &run;
    run.start(ParameterTable::writeAllGroups());
    if (run.running()) {
        pacer_([this, &run] {
            // Ctrl+C: the group under way is given up, the rest not sent.
            if (stopped()) {
                run.cancel("interrupted (Ctrl+C)");
                return false;
            }
            tick();
            run.afterTick(tab_);
            return run.running();
        }, [this] { return interval(); });
    }
    run_ = nullptr;
    return run.outcomes();
}

void CtlSession::live(const std::function<bool(const LiveRow& row)>& row,
                      const std::function<void(ConsoleCore::PortState)>& portChanged)
{
    tab_ = kLiveTab;
    valid_ = 0;
    ConsoleCore::PortState port = core_.portState();
    sample_.reset();
    pacer_([this, &row, &portChanged, &port] {
        if (stopped())
            return false;
        tick();
        if (core_.portState() != port) {
            port = core_.portState();
            if (portChanged)
                portChanged(port);
            if (port == ConsoleCore::PortState::Gone)
                return false;
        }
        // The core says when a cycle is complete: it hands over its sample.
        if (!sample_)
            return true;
        LiveRow r;
        r.validReplies = valid_;
        valid_ = 0;
        r.sample = *sample_;
        sample_.reset();
        r.alarms = raisedAlarms(state_);
        return row(r) && !stopped();
    }, [this] { return interval(); });
}

std::optional<LiveQuantities::Sample> CtlSession::pollCycle(std::uint8_t address)
{
    const std::uint32_t own = state_.SlaveAddress;
    tab_ = kLiveTab;
    core_.startPollCycle(address);
    sample_.reset();
    // A port lost mid-cycle ends it without a sample: the caller decides
    // whether and when to reopen (serve marks every address down first).
    pacer_([this] {
        if (stopped())
            return false;
        core_.tick();
        return !sample_ && core_.portOpen();
    }, [this] { return timer2Interval_; });
    state_.SlaveAddress = own;
    return sample_;
}

std::vector<BusScan::Found> CtlSession::scan(int from, int to, int timeoutMs,
                                             const std::function<void(const BusScan&)>& progress)
{
    QElapsedTimer clock;
    clock.start();
    BusScan scan(port_, &core_.tap(), [&clock] { return clock.elapsed(); });
    scan.start(from, to, timeoutMs);
    core_.pauseForScan(true);
    pacer_([&] {
        if (stopped()) {
            scan.cancel();
            return false;
        }
        scan.tick();
        progress(scan);
        return scan.running();
    }, [] { return kScanStepMs; });
    core_.pauseForScan(false);
    return scan.found();
}


std::vector<std::string> CtlSession::raisedAlarms(const LinkState& state)
{
    const LiveStatus& live = state.Live;
    const std::pair<const char*, bool> flags[] = {
        {"Intfan1Alarm", state.Intfan1.Alarm == 1},
        {"Intfan2Alarm", state.Intfan2.Alarm == 1},
        {"Extfan1Alarm", state.Extfan1.Alarm == 1},
        {"Extfan2Alarm", state.Extfan2.Alarm == 1},
        {"HighPressureAlarm", live.HighPressureAlarm == 1},
        {"Sensor1Alarm", live.Sensor1Alarm == 1},
        {"Sensor2Alarm", live.Sensor2Alarm == 1},
        {"HighTempAlarm", live.HighTempAlarm == 1},
        {"LowTempAlarm", live.LowTempAlarm == 1},
        {"LowPressureAlarm", live.LowPressureAlarm == 1},
        {"CompAlarm1", live.CompAlarm1 == 1},
        {"CompAlarm2", live.CompAlarm2 == 1},
        {"SupplyAlarm1", live.SupplyAlarm1 == 1},
        {"SupplyAlarm2", live.SupplyAlarm2 == 1},
        {"HeaterAlarm", live.HeaterAlarm == 1},
    };
    std::vector<std::string> raised;
    for (const auto& [name, on] : flags) {
        if (on)
            raised.emplace_back(name);
    }
    return raised;
}
