#include "cli/BusServe.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <ostream>

namespace {

// How often a lost port is tried again, and a stop request looked for while idle.
constexpr int kReopenMs = 1000;
constexpr int kStopCheckMs = 100;
// Values older than this many rounds are not exported.
constexpr int kStaleRounds = 3;

std::int64_t nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

bool stopped(const volatile std::sig_atomic_t* stop)
{
    return stop && *stop != 0;
}

} // namespace

void BusServe::Tee::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                                std::size_t replyLength)
{
    first_.requestSent(at, frame, written, replyLength);
    if (second_)
        second_->requestSent(at, frame, written, replyLength);
}

void BusServe::Tee::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    first_.bytesReceived(at, bytes);
    if (second_)
        second_->bytesReceived(at, bytes);
}

void BusServe::Tee::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    first_.bytesDiscarded(at, count);
    if (second_)
        second_->bytesDiscarded(at, count);
}

void BusServe::Tee::outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode)
{
    first_.outcome(at, outcome, exceptionCode);
    if (second_)
        second_->outcome(at, outcome, exceptionCode);
}

BusServe::BusServe(CtlSession& session, Settings settings, std::ostream& err)
    : session_(session), settings_(std::move(settings)), err_(err),
      server_([this](const std::string&, const std::string& path) { return answer(path); })
{
    for (const std::uint8_t address : settings_.addresses) {
        MetricsExposition::AddressState state;
        state.address = address;
        states_.push_back(state);
    }
}

std::string BusServe::listen(const std::string& where)
{
    QHostAddress address;
    quint16 port = 0;
    if (!MetricsServer::parseListen(where, address, port))
        return where + " is not HOST:PORT";
    if (const std::string error = server_.listen(address, port); !error.empty())
        return "cannot listen on " + where + ": " + error;
    return {};
}

HttpAnswer BusServe::answer(const std::string& path) const
{
    HttpAnswer reply;
    if (path == "/metrics") {
        reply.contentType = "text/plain; version=0.0.4; charset=utf-8";
        reply.body = MetricsExposition::text(settings_.portText, states_, nowMs(), staleAfterMs());
    } else if (path == "/") {
        reply.body = MetricsExposition::statusPage(settings_.portText, states_, nowMs());
    } else {
        reply = httpError(404);
    }
    return reply;
}

std::int64_t BusServe::staleAfterMs() const
{
    return kStaleRounds * std::max<std::int64_t>(settings_.intervalMs, lastRoundMs_);
}

int BusServe::run(const volatile std::sig_atomic_t* stop)
{
    using PortState = ConsoleCore::PortState;
    ConsoleCore& core = session_.core();
    session_.setLog(&tee_);
    while (!stopped(stop)) {
        QElapsedTimer round;
        round.start();
        if (pollRound(stop)) {
            lastRoundMs_ = round.elapsed();
            idle(static_cast<int>(std::max<std::int64_t>(0, settings_.intervalMs - round.elapsed())), stop);
            continue;
        }
        if (stopped(stop))
            break;
        markAllDown();
        if (core.portState() == PortState::Gone) {
            err_ << "hxctl: the port " << settings_.portText << " is gone and cannot come back under its name\n";
            return 4;
        }
        err_ << "hxctl: the port " << settings_.portText << " was lost; opening it again once it is back\n";
        while (!stopped(stop) && !core.watchTick())
            idle(kReopenMs, stop);
        if (!stopped(stop))
            err_ << "hxctl: the port " << settings_.portText << " is back\n";
    }
    return 0;
}

bool BusServe::pollRound(const volatile std::sig_atomic_t* stop)
{
    for (MetricsExposition::AddressState& state : states_) {
        const std::optional<LiveQuantities::Sample> sample = session_.pollCycle(state.address);
        if (!sample)
            return session_.core().portOpen();   // stopped (Ctrl+C), or the port went mid-cycle
        if (!session_.core().portOpen())
            return false;
        const bool answered = std::any_of(sample->values.begin(), sample->values.end(),
                                          [](const std::optional<double>& v) { return v.has_value(); });
        state.record(*sample, answered);
        state.counters = traffic_.counters(state.address);
        if (stopped(stop))
            return true;
    }
    return true;
}

void BusServe::idle(int ms, const volatile std::sig_atomic_t* stop)
{
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (stopped(stop))
            loop.quit();
    });
    end.start(ms);
    check.start(kStopCheckMs);
    loop.exec();
}

void BusServe::markAllDown()
{
    for (MetricsExposition::AddressState& state : states_)
        state.up = false;
}
