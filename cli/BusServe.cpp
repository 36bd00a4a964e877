#include "cli/BusServe.h"

#include "link/SerialPort.h"

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

void BusServe::CycleTap::requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                                     std::size_t replyLength)
{
    function_ = frame.size() > 1 ? frame[1] : 0;
    next_.requestSent(at, frame, written, replyLength);
    if (also_)
        also_->requestSent(at, frame, written, replyLength);
}

void BusServe::CycleTap::bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes)
{
    next_.bytesReceived(at, bytes);
    if (also_)
        also_->bytesReceived(at, bytes);
}

void BusServe::CycleTap::bytesDiscarded(const LinkTime& at, std::size_t count)
{
    next_.bytesDiscarded(at, count);
    if (also_)
        also_->bytesDiscarded(at, count);
}

void BusServe::CycleTap::outcome(const LinkTime& at, LinkOutcome outcome)
{
    // The live poll's steps 0 to 3 read with functions 1 to 4.
    if (outcome == LinkOutcome::Valid && function_ >= 1 && function_ <= 4)
        answered_ |= 1U << (function_ - 1);
    next_.outcome(at, outcome);
    if (also_)
        also_->outcome(at, outcome);
}

unsigned BusServe::CycleTap::takeAnswered()
{
    return std::exchange(answered_, 0U);
}

BusServe::BusServe(CtlSession& session, SerialPort& port, Settings settings, std::ostream& err)
    : session_(session), port_(port), settings_(std::move(settings)), err_(err), watch_(port),
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
    session_.setLog(&tap_);
    LineSettings line;
    if (port_.getSettings(line))
        watch_.watch(settings_.device, line);
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
        if (watch_.state() == PortWatch::State::Gone) {
            err_ << "hxctl: the port " << settings_.portText << " is gone and cannot come back under its name\n";
            return 4;
        }
        err_ << "hxctl: the port " << settings_.portText << " was lost; opening it again once it is back\n";
        while (!stopped(stop) && !watch_.tick())
            idle(kReopenMs, stop);
        if (!stopped(stop))
            err_ << "hxctl: the port " << settings_.portText << " is back\n";
    }
    return 0;
}

bool BusServe::pollRound(const volatile std::sig_atomic_t* stop)
{
    std::size_t next = 0;
    bool lost = false;
    session_.setAddress(settings_.addresses[next]);
    tap_.takeAnswered();
    session_.live([&](const CtlSession::LiveRow&) {
        const unsigned answered = tap_.takeAnswered();
        const int offset = QDateTime::currentDateTime().offsetFromUtc();
        MetricsExposition::AddressState& state = states_[next];
        state.record(LiveQuantities::sampleOf(session_.state(), answered, nowMs(), offset), answered != 0);
        state.counters = traffic_.counters(state.address);
        lost = watch_.noticeLoss();
        if (lost || ++next == settings_.addresses.size() || stopped(stop))
            return false;
        session_.setAddress(settings_.addresses[next]);
        return true;
    });
    return !lost;
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
