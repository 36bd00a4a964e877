#pragma once

#include "cli/CtlSession.h"
#include "cli/MetricsExposition.h"
#include "cli/MetricsServer.h"
#include "link/LinkObserver.h"
#include "link/PortWatch.h"
#include "link/TrafficByAddress.h"

#include <csignal>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class SerialPort;

// `hxctl serve`: polls each controller of a bus in turn with the live poll
// (one cycle per address, the session's slave address set per cycle) and
// keeps what each answered, which the metrics endpoint turns into text
// whenever it is asked; a scrape never waits for the bus. A port lost
// behind its back is opened again once a second, as the window does.
class BusServe {
public:
    struct Settings {
        std::string portText;      // as typed: the port label of every series
        std::string device;        // what was opened
        std::vector<std::uint8_t> addresses;
        int intervalMs = 5000;
        LinkObserver* busLog = nullptr;   // the bus monitor's log file, when one is kept
    };

    BusServe(CtlSession& session, SerialPort& port, Settings settings, std::ostream& err);

    // Starts listening (text like "127.0.0.1:9464"); empty on success, else why not.
    std::string listen(const std::string& where);
    quint16 listeningPort() const { return server_.port(); }
    // Polls until `stop` turns non-zero or the port is gone for good; the
    // exit code (0, or 4 when the port cannot come back).
    int run(const volatile std::sig_atomic_t* stop);

    // One answer of the endpoint, from what is held now.
    HttpAnswer answer(const std::string& path) const;
    const std::vector<MetricsExposition::AddressState>& states() const { return states_; }

private:
    // Which poll steps got a valid reply in the cycle under way, told to
    // the per-address counts as well.
    class CycleTap : public LinkObserver {
    public:
        CycleTap(LinkObserver& next, LinkObserver* also) : next_(next), also_(also) {}
        void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                         std::size_t replyLength) override;
        void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override;
        void bytesDiscarded(const LinkTime& at, std::size_t count) override;
        void outcome(const LinkTime& at, LinkOutcome outcome) override;
        unsigned takeAnswered();

    private:
        LinkObserver& next_;
        LinkObserver* also_;
        std::uint8_t function_ = 0;
        unsigned answered_ = 0;
    };

    // One round over every address; false when the port was lost on the way.
    bool pollRound(const volatile std::sig_atomic_t* stop);
    // Runs the event loop (and so the endpoint) for `ms`, or until `stop`.
    void idle(int ms, const volatile std::sig_atomic_t* stop);
    void markAllDown();
    std::int64_t staleAfterMs() const;

    CtlSession& session_;
    SerialPort& port_;
    Settings settings_;
    std::ostream& err_;
    PortWatch watch_;
    TrafficByAddress traffic_;
    CycleTap tap_{traffic_, settings_.busLog};
    std::vector<MetricsExposition::AddressState> states_;
    std::int64_t lastRoundMs_ = 0;
    MetricsServer server_;
};
