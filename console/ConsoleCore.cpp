#include "console/ConsoleCore.h"

#include "console/FormControls.h"
#include "link/LinkView.h"
#include "link/SerialPort.h"

#include <QDateTime>

#include <algorithm>

namespace {

constexpr int kLiveTab = 1;

}

ConsoleCore::ConsoleCore(SerialPort& port, LinkView& view, FormControls* controls, LiveView* live, GraphView* graph,
                         std::string adapterFolder)
    : port_(port)
    , view_(view)
    , engine_(state_, port, view, *this)
    , watch_(port, std::move(adapterFolder))
    , commands_(state_, controls,
          [controls, &view](const std::string& text, const std::string& caption) {
              if (controls)
                  controls->showMessage(text, caption);
              else
                  view.showMessage(text, caption);
          },
          [this] { return portOpen(); })
{
    if (live)
        liveDisplay_ = std::make_unique<LiveDisplay>(state_, *live, [this] { return portOpen(); });
    if (graph && controls)
        fanCurveGraph_ = std::make_unique<FanCurveGraph>(state_, *controls, *graph, [this] { return portOpen(); });
    engine_.setObserver(this);
}

ConsoleCore::~ConsoleCore()
{
    engine_.setObserver(nullptr);
}

void ConsoleCore::addListener(Listener& listener)
{
    listeners_.push_back(&listener);
}

void ConsoleCore::removeListener(Listener& listener)
{
    std::erase(listeners_, &listener);
}

template <class Call>
void ConsoleCore::tell(Call call)
{
    // A listener may remove itself while it is told.
    const std::vector<Listener*> listeners = listeners_;
    for (Listener* listener : listeners)
        call(*listener);
}

ConsoleCore::OpenResult ConsoleCore::open(const std::string& device, int baudRate, int dataBits)
{
    if (!port_.open(device))
        return OpenResult::CannotOpen;
    LineSettings settings;
    if (!port_.getSettings(settings)) {
        port_.close();
        return OpenResult::NoSettings;
    }
    // The line always runs without parity and with one stop bit.
    settings.baudRate = baudRate;
    settings.dataBits = dataBits;
    settings.parity = Parity::None;
    settings.stopBits = StopBits::One;
    if (!port_.setSettings(settings)) {
        port_.close();
        return OpenResult::SettingsRefused;
    }
    watch_.watch(device, settings);
    setPortState(PortState::Open);
    return OpenResult::Opened;
}

void ConsoleCore::close()
{
    watch_.stop();
    port_.close();
    notePolling(false);
    setPortState(PortState::Closed);
}

bool ConsoleCore::watchTick()
{
    if (!watch_.tick())
        return false;
    engine_.startOver();
    setPortState(PortState::Open);
    return true;
}

void ConsoleCore::setPortState(PortState state)
{
    if (portState_ == state)
        return;
    portState_ = state;
    tell([state](Listener& l) { l.portStateChanged(state); });
}

void ConsoleCore::notePolling(bool polling)
{
    if (polling_ && !polling) {
        answeredSteps_ = 0;
        tell([](Listener& l) { l.pollingStopped(); });
    }
    polling_ = polling;
}

void ConsoleCore::tick()
{
    if (scanning_)
        return;
    // A cycle is complete when the engine, polling on the live tab, moves
    // from the last step back to the first.
    const bool onLiveTab = view_.currentTab() == kLiveTab;
    const bool polledBefore = onLiveTab && state_.EngineTab == kLiveTab && state_.LiveAction == LiveActionCode::None;
    const std::uint8_t stepBefore = state_.PollStep;
    engine_.tick();
    if (watch_.noticeLoss()) {
        notePolling(false);
        setPortState(watch_.state() == PortWatch::State::Lost ? PortState::Lost : PortState::Gone);
        return;
    }
    notePolling(onLiveTab && portOpen());
    if (polledBefore && stepBefore == 3 && state_.PollStep == 0 && state_.LiveAction == LiveActionCode::None) {
        const QDateTime now = QDateTime::currentDateTime();
        const LiveQuantities::Sample sample
            = LiveQuantities::sampleOf(state_, answeredSteps_, now.toMSecsSinceEpoch(), now.offsetFromUtc());
        answeredSteps_ = 0;
        tell([&sample](Listener& l) { l.liveSample(sample); });
    }
}

void ConsoleCore::pauseForScan(bool paused)
{
    scanning_ = paused;
    state_.LinkBusy = paused ? 1 : 0;
    if (!paused)
        state_.CommandCode = Command::None;
}

void ConsoleCore::startPollCycle(std::uint8_t address)
{
    state_.SlaveAddress = address;
    state_.LiveAction = LiveActionCode::None;
    state_.PollStep = 0;
    state_.CommandArmed = 1;
    state_.EngineTab = kLiveTab;
    answeredSteps_ = 0;
}

void ConsoleCore::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                              std::size_t replyLength)
{
    if (!scanning_ && engine_.underWay() == TransactionId{TransactionId::Kind::PollStep, 0})
        answeredSteps_ = 0;
    if (traffic_)
        traffic_->requestSent(at, frame, written, replyLength);
}

void ConsoleCore::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    if (traffic_)
        traffic_->bytesReceived(at, bytes);
}

void ConsoleCore::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    if (traffic_)
        traffic_->bytesDiscarded(at, count);
}

void ConsoleCore::portNote(const LinkTime& at, const PortNote& note)
{
    if (traffic_)
        traffic_->portNote(at, note);
}

void ConsoleCore::outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode)
{
    if (traffic_)
        traffic_->outcome(at, outcome, exceptionCode);
    // The scan's own exchanges are its business.
    if (scanning_)
        return;
    const TransactionOutcome ended{engine_.underWay(), engine_.underWayAddress(), outcome, exceptionCode};
    if (ended.id.kind == TransactionId::Kind::PollStep && outcome == LinkOutcome::Valid)
        answeredSteps_ |= 1U << ended.id.code;
    tell([&ended](Listener& l) { l.transactionEnded(ended); });
}

void ConsoleCore::linkStepped()
{
    if (liveDisplay_)
        liveDisplay_->linkStep();
}

void ConsoleCore::pollStepRead(const LinkState&, int step)
{
    if (liveDisplay_)
        liveDisplay_->showPolled(step);
}

void ConsoleCore::firmwareRead(std::string_view text)
{
    commands_.firmwareRead(std::string(text));
}

void ConsoleCore::debugTemperatureTaken()
{
    commands_.debugTemperatureTaken();
}

void ConsoleCore::forceOnConfirmed(bool on)
{
    if (liveDisplay_)
        liveDisplay_->forceOnConfirmed(on);
}

void ConsoleCore::fanCurveRead(const FanCurve& curve, bool external)
{
    if (fanCurveGraph_)
        fanCurveGraph_->DrawFanCurve(curve, external ? FanCurveGraph::ExtfanChannel : FanCurveGraph::IntfanChannel);
}

void ConsoleCore::parametersRead(const ParameterSet& parameters)
{
    parameters_ = parameters;
    const bool shown = commands_.readAllShown();
    tell([&parameters, shown](Listener& l) { l.parametersRead(parameters, shown); });
}
