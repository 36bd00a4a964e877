#pragma once

#include "console/ConfigCommands.h"
#include "console/FanCurveGraph.h"
#include "console/LiveDisplay.h"
#include "console/TransactionOutcome.h"
#include "link/LinkObserver.h"
#include "link/LinkResults.h"
#include "link/ParameterSet.h"
#include "link/LinkState.h"
#include "link/LiveQuantities.h"
#include "link/PortWatch.h"
#include "link/TransactionEngine.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FormControls;
class GraphView;
class LinkView;
class LiveView;
class SerialPort;

// The console without its window: the controller image, the transaction
// engine, the watch on the port and the operator handlers, driven alike by
// the window and by hxctl. Front ends open and close the port here, tick
// the engine and learn what happened from typed reports to their listeners;
// only the core and its handlers write the engine's flags.
class ConsoleCore : private LinkObserver, private LinkResults {
public:
    enum class PortState {
        Closed,
        Open,
        Lost,   // its device went away; reopened when it comes back
        Gone,   // went away for good (a pseudo-terminal's number is not ours any more)
    };
    enum class OpenResult { Opened, CannotOpen, NoSettings, SettingsRefused };

    // What front ends hear. Every call is made from inside a core call
    // (tick, open, close, watchTick), before any message box of the exchange.
    class Listener {
    public:
        virtual ~Listener() = default;
        // One per exchange with the controller.
        virtual void transactionEnded(const TransactionOutcome& /*outcome*/) {}
        virtual void portStateChanged(PortState /*state*/) {}
        // One per completed poll cycle.
        virtual void liveSample(const LiveQuantities::Sample& /*sample*/) {}
        // The poll has stopped (tab left, port closed or lost): the next
        // sample does not follow on from the last one.
        virtual void pollingStopped() {}
        // A Read All answered. `shown`: the operator's "Read All", whose
        // values the window puts into the Configuration tab; false for
        // readParameters(), which only the one who asked uses.
        virtual void parametersRead(const ParameterSet& /*parameters*/, bool /*shown*/) {}
    };

    // `controls`, `live` and `graph` are the window's Configuration tab,
    // live sheet and plot; without them (hxctl) only what works on values
    // is offered, and messages go to `view`.
    ConsoleCore(SerialPort& port, LinkView& view, FormControls* controls, LiveView* live = nullptr,
                GraphView* graph = nullptr, std::string adapterFolder = "/dev/serial/by-id");
    ~ConsoleCore() override;

    LinkState& state() { return state_; }
    const LinkState& state() const { return state_; }
    ConfigCommands& commands() { return commands_; }
    LiveDisplay& liveDisplay() { return *liveDisplay_; }
    FanCurveGraph& fanCurveGraph() { return *fanCurveGraph_; }
    const PortWatch& portWatch() const { return watch_; }

    void addListener(Listener& listener);
    void removeListener(Listener& listener);
    // The bus monitor's log (nullptr: none): sees every frame of the engine
    // and of the bus scan.
    void setTrafficObserver(LinkObserver* observer) { traffic_ = observer; }
    LinkTap& tap() { return engine_.tap(); }

    // The one way a port is opened: exclusively, then the line settings
    // (no parity, one stop bit), then watched for loss. A port that cannot
    // take the settings is closed again.
    OpenResult open(const std::string& device, int baudRate, int dataBits);
    // The operator lets go of the port (also of a lost one).
    void close();
    PortState portState() const { return portState_; }
    bool portOpen() const { return portState_ == PortState::Open; }
    // Once a second while lost: one attempt to open the device again; true
    // when it is back (the shown tab's work starts afresh).
    bool watchTick();

    bool busy() const { return state_.LinkBusy == 1; }
    // One Timer2 tick: the engine's step, the completed poll cycle's
    // sample, a port found lost. Does nothing while the bus scan runs.
    void tick();
    // The bus scan has the port to itself: the engine rests and every
    // handler finds the link busy; afterwards nothing is pending.
    void pauseForScan(bool paused);
    bool scanning() const { return scanning_; }

    // Reads the controller's parameters without showing them (a backup
    // before a change): a Read All whose set is kept and told to listeners
    // with `shown` false, while the Configuration tab keeps its texts.
    // False, without a message, when the port is not open or the link is
    // busy. The Configuration tab must be shown for it to run.
    bool readParameters() { return commands_.readAllQuietly(); }
    // The parameters of the last Read All that answered, shown or not.
    const std::optional<ParameterSet>& parameters() const { return parameters_; }

    // Starts a fresh poll cycle at `address` (the RealTimeData tab must be
    // shown): a headless front end polls several controllers in turn.
    void startPollCycle(std::uint8_t address);

private:
    // LinkObserver, from the engine's tap and the bus scan's.
    void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                     std::size_t replyLength) override;
    void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
    void bytesDiscarded(const LinkTime& at, std::size_t count) override;
    void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode) override;
    void portNote(const LinkTime& at, const PortNote& note) override;
    // LinkResults, from the engine: handed to the handlers that show them.
    void linkStepped() override;
    void pollStepRead(const LinkState& state, int step) override;
    void parametersRead(const ParameterSet& parameters) override;
    void firmwareRead(std::string_view text) override;
    void debugTemperatureTaken() override;
    void forceOnConfirmed(bool on) override;
    void fanCurveRead(const FanCurve& curve, bool external) override;

    void setPortState(PortState state);
    void notePolling(bool polling);
    template <class Call>
    void tell(Call call);

    SerialPort& port_;
    LinkView& view_;
    LinkState state_;
    TransactionEngine engine_;
    PortWatch watch_;
    ConfigCommands commands_;
    std::unique_ptr<LiveDisplay> liveDisplay_;
    std::unique_ptr<FanCurveGraph> fanCurveGraph_;
    std::optional<ParameterSet> parameters_;
    std::vector<Listener*> listeners_;
    LinkObserver* traffic_ = nullptr;
    PortState portState_ = PortState::Closed;
    bool scanning_ = false;
    bool polling_ = false;
    // Poll steps of the cycle under way that got a valid reply (bit n: step n).
    unsigned answeredSteps_ = 0;
};
