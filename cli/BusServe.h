#pragma once

#include "cli/CtlSession.h"
#include "cli/MetricsExposition.h"
#include "cli/MetricsServer.h"
#include "link/LinkObserver.h"
#include "link/TrafficByAddress.h"

#include <csignal>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// `hxctl serve`: polls each controller of a bus in turn, one poll cycle per
// address through the session's console core, and keeps what each answered,
// which the metrics endpoint turns into text whenever it is asked; a scrape
// never waits for the bus. A port lost behind its back is opened again once
// a second, as the window does.
class BusServe {
public:
    struct Settings {
        std::string portText;      // as typed: the port label of every series
        std::vector<std::uint8_t> addresses;
        int intervalMs = 5000;
        LinkObserver* busLog = nullptr;   // the bus monitor's log file, when one is kept
    };

    BusServe(CtlSession& session, Settings settings, std::ostream& err);

    // Starts listening (text like "127.0.0.1:9464"); empty on success, else why not.
    std::string listen(const std::string& where);
    quint16 listeningPort() const { return server_.port(); }
    // Polls until `stop` turns non-zero or the port is gone for good; the
    // exit code (0, or 4 when the port cannot come back).
    int run(const volatile std::sig_atomic_t* stop);

    // One answer of the endpoint, from what is held now.
    HttpAnswer answer(const std::string& path) const;

private:
    // Hands every event of the line to the per-address counts and to the
    // bus log when one is kept.
    class Tee : public LinkObserver {
    public:
        Tee(LinkObserver& first, LinkObserver* second) : first_(first), second_(second) {}
        void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                         std::size_t replyLength) override;
        void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
        void bytesDiscarded(const LinkTime& at, std::size_t count) override;
        void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t exceptionCode) override;

    private:
        LinkObserver& first_;
        LinkObserver* second_;
    };

    // One round over every address; false when the port was lost on the way.
    bool pollRound(const volatile std::sig_atomic_t* stop);
    // Runs the event loop (and so the endpoint) for `ms`, or until `stop`.
    void idle(int ms, const volatile std::sig_atomic_t* stop);
    void markAllDown();
    std::int64_t staleAfterMs() const;

    CtlSession& session_;
    Settings settings_;
    std::ostream& err_;
    TrafficByAddress traffic_;
    Tee tee_{traffic_, settings_.busLog};
    std::vector<MetricsExposition::AddressState> states_;
    std::int64_t lastRoundMs_ = 0;
    MetricsServer server_;
};
