#pragma once

#include "console/ConsoleCore.h"
#include "console/ParameterFile.h"
#include "console/WriteAllRun.h"
#include "link/BusScan.h"
#include "link/LinkState.h"
#include "link/LinkView.h"
#include "link/LiveQuantities.h"

#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class SerialPort;

// One hxctl run against one port: a console core without a window, and
// Write All runs. Every exchange goes through the same code as in the
// window; what is read comes back as values. For the engine it is the view:
// the tab the work calls for, Timer2's interval, and the messages shown.
// Only the pacing differs, and it is handed in: the program paces with a
// QTimer at the interval the engine asks for, tests call the steps themselves.
class CtlSession : private ConsoleCore::Listener, private LinkView {
public:
    // Calls `step` until it returns false, waiting `interval()` ms before
    // each call.
    using Pacer = std::function<void(const std::function<bool()>& step, const std::function<int()>& interval)>;

    CtlSession(SerialPort& port, Pacer pacer);
    ~CtlSession() override;

    // Opens the device exclusively with the line settings, as "Open" does.
    // Empty on success, else what the port did wrong ("cannot be opened ...").
    std::string open(const std::string& device, int baud, int dataBits);
    // The bus address the requests go to, set as the "Comm Address" Set does.
    void setAddress(int address);
    // Lets the bus monitor's log see every frame (nullptr: none).
    void setLog(LinkObserver* log) { core_.setTrafficObserver(log); }
    // Checked between steps: when it turns non-zero, live, scan and write stop.
    void setStopFlag(const volatile std::sig_atomic_t* flag) { stop_ = flag; }

    // Read All, kept by the core; false when the controller gave no valid reply.
    bool readAll();
    // The firmware text (UTF-8), or nothing when the controller did not answer.
    std::optional<std::string> readVersion();
    // The parameters the last Read All read, as a file would hold them.
    ParameterFile::Checked heldParameters() const;
    // The parameters the last Read All read; empty before one answered.
    const std::optional<ParameterSet>& parameters() const { return core_.parameters(); }
    int address() const { return static_cast<int>(state_.SlaveAddress); }

    // Writes the file's groups as Write All does; messages that are not
    // the run's are kept (messages()).
    std::vector<WriteAllRun::Outcome> writeAll(const ParameterFile::Document& document);

    // One live poll cycle: how many steps answered, the raised alarms and every quantity.
    struct LiveRow {
        int validReplies = 0;   // of the cycle's four steps
        std::vector<std::string> alarms;
        // Every live quantity of the cycle, empty where its step got no valid reply.
        LiveQuantities::Sample sample;
    };
    // Polls; `row` is called after each complete cycle and returns false to
    // stop. `portChanged` hears the port go and come back; polling ends when
    // it has gone for good.
    void live(const std::function<bool(const LiveRow& row)>& row,
              const std::function<void(ConsoleCore::PortState)>& portChanged = {});
    // One poll cycle at `address`: the sample it makes, or nothing when it
    // was stopped (Ctrl+C) or the port went first. The session's own address is kept.
    std::optional<LiveQuantities::Sample> pollCycle(std::uint8_t address);

    // Scans the bus; `progress` is called after every step.
    std::vector<BusScan::Found> scan(int from, int to, int timeoutMs, const std::function<void(const BusScan&)>& progress);

    // Messages the handlers and the engine showed that no run took.
    const std::vector<std::pair<std::string, std::string>>& messages() const { return messages_; }

    // Names of the alarms the poll has raised, in the order of the live tab's lamps.
    static std::vector<std::string> raisedAlarms(const LinkState& state);

    LinkState& state() { return core_.state(); }
    ConsoleCore& core() { return core_; }

private:
    // LinkView
    int currentTab() const override { return tab_; }
    void setWindowSize(int, int) override {}
    void setTimer2Interval(int milliseconds) override { timer2Interval_ = milliseconds; }
    void showMessage(const std::string& text, const std::string& caption) override;

    // ConsoleCore::Listener
    void transactionEnded(const TransactionOutcome& outcome) override;
    void liveSample(const LiveQuantities::Sample& sample) override;

    // Queues with `handler`, then ticks until the engine is idle again.
    bool runCommand(const std::function<void()>& handler);
    void tick();
    // Wait before the next step: the engine's, or the reopen pace while the port is lost.
    int interval() const;
    bool stopped() const { return stop_ && *stop_ != 0; }

    SerialPort& port_;
    Pacer pacer_;
    int tab_ = 0;
    int timer2Interval_ = 10;
    ConsoleCore core_{port_, *this, nullptr};
    LinkState& state_ = core_.state();
    // Valid replies since the last reset.
    int valid_ = 0;
    std::optional<LiveQuantities::Sample> sample_;
    WriteAllRun* run_ = nullptr;
    const volatile std::sig_atomic_t* stop_ = nullptr;
    std::vector<std::pair<std::string, std::string>> messages_;
};
