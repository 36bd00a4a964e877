#include "link/TransactionEngine.h"

#include "link/CurveFetchTransaction.h"
#include "link/FactoryResetCommand.h"
#include "link/FirmwareReadCommand.h"
#include "link/Frames.h"
#include "link/LiveActionTransaction.h"
#include "link/PollStepTransaction.h"
#include "link/ReadAllCommand.h"
#include "link/WriteCommand.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kConfigurationTab = 0;
constexpr int kLiveTab = 1;
constexpr int kGraphTab = 2;
// No tab has it: the next tick arrives at whichever tab is shown.
constexpr std::uint8_t kNoTab = 0xFF;

}

TransactionEngine::TransactionEngine(LinkState& state, SerialPort& port, LinkView& view, LinkResults& results)
    : state_(state), port_(port), view_(view), context_(state, port, view, results)
{
}

void TransactionEngine::tick()
{
    step();
    // A loss the tick ran into is noted here.
    context_.tap.portNotes(port_);
}

void TransactionEngine::step()
{
    view_.setWindowSize(kWindowWidth, kWindowHeight);
    if (waiting() > kQueueLimit) {
        context_.discardReceived();
        return;
    }
    switch (view_.currentTab()) {
    case kConfigurationTab:
        serveConfiguration();
        break;
    case kLiveTab:
        serveLive();
        break;
    case kGraphTab:
        serveGraph();
        break;
    default:
        state_.EngineTab = kLiveTab;
        context_.discardReceived();
        break;
    }
}

void TransactionEngine::startOver()
{
    state_.EngineTab = kNoTab;
}

bool TransactionEngine::arrivedAt(int tab)
{
    if (state_.EngineTab == tab)
        return false;
    switch (tab) {
    case kConfigurationTab:
        // Whatever was pending or under way elsewhere is abandoned here.
        context_.endCommand();
        break;
    case kLiveTab:
        // The poll starts over; a pending live action goes out afresh.
        state_.PollStep = 0;
        state_.CommandArmed = 1;
        break;
    default:
        break;
    }
    state_.EngineTab = static_cast<std::uint8_t>(tab);
    context_.discardReceived();
    return true;
}

void TransactionEngine::serveConfiguration()
{
    if (arrivedAt(kConfigurationTab))
        return;
    const std::uint8_t code = state_.CommandCode;
    if (code > Command::FactoryReset) {
        state_.LinkBusy = 0;
        return;
    }
    if (state_.LinkBusy != 1)
        return;
    switch (code) {
    case Command::ReadAll:
        serve(ReadAllCommand(), {TransactionId::Kind::Command, code});
        break;
    case Command::ReadVersion:
        serve(FirmwareReadCommand(), {TransactionId::Kind::Command, code});
        break;
    case Command::FactoryReset:
        serve(FactoryResetCommand(), {TransactionId::Kind::Command, code});
        break;
    default:
        serve(WriteCommand(code), {TransactionId::Kind::Command, code});
        break;
    }
}

void TransactionEngine::serveLive()
{
    if (arrivedAt(kLiveTab))
        return;
    const std::uint8_t action = state_.LiveAction;
    if (action != LiveActionCode::None) {
        if (action == LiveActionCode::DebugTemperature || action == LiveActionCode::ForceOutput
            || action == LiveActionCode::ReCheck)
            serve(LiveActionTransaction(action), {TransactionId::Kind::LiveAction, action});
        return;
    }
    if (state_.PollStep > 3) {
        state_.PollStep = 0;
        state_.CommandArmed = 1;
        return;
    }
    serve(PollStepTransaction(state_.PollStep), {TransactionId::Kind::PollStep, state_.PollStep});
}

void TransactionEngine::serveGraph()
{
    if (arrivedAt(kGraphTab))
        return;
    if (state_.LinkBusy != 1)
        return;
    const std::uint8_t code = state_.CommandCode;
    if (code == Command::FetchIntCurve || code == Command::FetchExtCurve)
        serve(CurveFetchTransaction(code), {TransactionId::Kind::CurveFetch, code});
    else
        context_.discardReceived();
}

void TransactionEngine::serve(const Transaction& transaction, TransactionId id)
{
    if (state_.CommandArmed == 1)
        transmit(transaction, id);
    else
        receive(transaction);
}

void TransactionEngine::transmit(const Transaction& transaction, TransactionId id)
{
    underWay_ = id;
    underWayAddress_ = static_cast<std::uint8_t>(state_.SlaveAddress);
    state_.TxLength = static_cast<std::int32_t>(transaction.buildRequest(state_));
    // A failed write is not reported: the exchange ends by its time-out.
    const long written = port_.write(state_.TxFrame.data(), static_cast<std::size_t>(state_.TxLength));
    context_.tap.portNotes(port_);
    context_.tap.requestSent({state_.TxFrame.data(), static_cast<std::size_t>(state_.TxLength)}, written,
                             transaction.replyLength());
    context_.discardReceived();
    state_.CommandArmed = 0;
    state_.RxLength = 0;
    state_.RxFrame.fill(0);
    state_.WaitTicks = 0;
    view_.setTimer2Interval(transaction.replyDelay() + port_.extraWaitMs());
}

void TransactionEngine::receive(const Transaction& transaction)
{
    view_.setTimer2Interval(kReadInterval);
    if (state_.WaitTicks >= kWaitLimit) {
        context_.tap.outcome(LinkOutcome::Timeout);
        transaction.onTimeout(context_);
        return;
    }
    ++state_.WaitTicks;

    // The tick has already dropped a babbling queue; read what is there.
    const long got = port_.read(state_.ReadBuffer.data(), state_.ReadBuffer.size());
    context_.tap.portNotes(port_);
    if (got > 0) {
        context_.tap.bytesReceived({state_.ReadBuffer.data(), static_cast<std::size_t>(got)});
        appendReceived(static_cast<std::size_t>(got));
    }

    // A refusal is shorter than any reply the console awaits: it ends the
    // exchange as soon as its five bytes are in.
    const std::span<const std::uint8_t> received(state_.RxFrame.data(),
                                                 std::min<std::size_t>(state_.RxLength, state_.RxFrame.size()));
    if (const auto code = Frames::exceptionCode(received, static_cast<std::uint8_t>(state_.SlaveAddress),
                                                transaction.function())) {
        context_.tap.outcome(LinkOutcome::Refused, *code);
        transaction.onRefused(context_, *code);
        return;
    }

    const std::size_t length = transaction.replyLength();
    if (state_.RxLength < length || length > state_.RxFrame.size())
        return;
    const std::span<const std::uint8_t> reply(state_.RxFrame.data(), length);
    switch (Frames::checkReply(reply, length, static_cast<std::uint8_t>(state_.SlaveAddress), transaction.function())) {
    case Frames::ReplyStatus::Incomplete:
        break;
    case Frames::ReplyStatus::WrongReply:
        context_.tap.outcome(LinkOutcome::WrongReply);
        transaction.onWrongReply(context_);
        break;
    case Frames::ReplyStatus::CrcMismatch:
        context_.tap.outcome(LinkOutcome::CrcMismatch);
        transaction.onCrcMismatch(context_);
        break;
    case Frames::ReplyStatus::Valid:
        if (transaction.acceptsContent(reply)) {
            context_.tap.outcome(LinkOutcome::Valid);
            transaction.onValidReply(context_, reply);
        } else {
            context_.tap.outcome(LinkOutcome::CrcMismatch);
            transaction.onCrcMismatch(context_);
        }
        break;
    }
}

long TransactionEngine::waiting()
{
    return std::max(port_.bytesWaiting(), 0L);
}

// Bytes beyond what RxFrame holds are dropped: no reply is that long, and
// the transaction then ends by its own rules on what it has.
void TransactionEngine::appendReceived(std::size_t count)
{
    const std::size_t have = std::min<std::size_t>(state_.RxLength, state_.RxFrame.size());
    const std::size_t room = state_.RxFrame.size() - have;
    const std::size_t kept = std::min({count, room, state_.ReadBuffer.size()});
    std::memcpy(state_.RxFrame.data() + have, state_.ReadBuffer.data(), kept);
    state_.RxLength = static_cast<std::uint32_t>(have + kept);
}
