// The link tap: what an observer is told, and that being watched changes
// nothing the engine does.
#include "EngineHarness.h"

#include "link/LinkObserver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace {

using Bytes = FakeSerialPort::Bytes;

struct RecordingObserver : LinkObserver {
    std::vector<Bytes> sent;
    std::vector<std::size_t> replyLengths;
    Bytes received;
    std::vector<std::size_t> discarded;
    std::vector<LinkOutcome> outcomes;
    std::vector<std::int64_t> stamps;

    void requestSent(const LinkTime& at, std::span<const std::uint8_t> frame, long written,
                     std::size_t replyLength) override
    {
        EXPECT_EQ(written, static_cast<long>(frame.size()));
        sent.emplace_back(frame.begin(), frame.end());
        replyLengths.push_back(replyLength);
        stamps.push_back(at.monotonicUs);
    }
    void bytesReceived(const LinkTime& at, std::span<const std::uint8_t> bytes) override
    {
        received.insert(received.end(), bytes.begin(), bytes.end());
        stamps.push_back(at.monotonicUs);
    }
    void bytesDiscarded(const LinkTime& at, std::size_t count) override
    {
        discarded.push_back(count);
        stamps.push_back(at.monotonicUs);
    }
    void outcome(const LinkTime& at, LinkOutcome outcome, std::uint8_t) override
    {
        outcomes.push_back(outcome);
        stamps.push_back(at.monotonicUs);
    }
};

// Everything the engine does that anyone can see.
std::string footprint(const EngineHarness& h)
{
    const LinkState& s = h.state;
    std::string text = "code " + std::to_string(s.CommandCode) + " busy " + std::to_string(s.LinkBusy) + " armed "
        + std::to_string(s.CommandArmed) + " step " + std::to_string(s.PollStep) + " action "
        + std::to_string(s.LiveAction) + " wait " + std::to_string(s.WaitTicks) + " rx " + std::to_string(s.RxLength)
        + " countdown " + std::to_string(s.LinkAliveCountdown) + " discards " + std::to_string(h.port.discardCount())
        + " pending " + std::to_string(h.port.pending()) + " frame ";
    for (std::size_t i = 0; i < std::min<std::size_t>(s.RxLength, s.RxFrame.size()); ++i)
        text += std::to_string(s.RxFrame[i]) + ",";
    for (const std::string& call : h.view.log)
        text += "\n" + call;
    for (const Bytes& w : h.port.written())
        text += "\nwrote " + std::to_string(w.size());
    return text;
}

struct Scenario {
    const char* name;
    int tab;
    // Scripts the exchange on a fresh harness and runs it to its end.
    std::function<void(EngineHarness&)> run;
    std::vector<LinkOutcome> outcomes;
    std::vector<std::size_t> discarded;
};

Bytes strayThen(const Bytes& reply)
{
    Bytes stream(2 + reply.size(), 0x00);
    stream[1] = 0x7E;
    std::copy(reply.begin(), reply.end(), stream.begin() + 2);
    return stream;
}

const Scenario kScenarios[] = {
    {"reply in pieces", 0,
     [](EngineHarness& h) {
         h.request(Command::SetIntfan);
         h.tick();
         h.port.deliverInPieces(echoReply(h.port.lastWritten()), {3, 2, 2}, 1, 2);
         h.ticks(8);
     },
     {LinkOutcome::Valid}, {}},
    {"stray bytes ahead of the reply", 1,
     [](EngineHarness& h) {
         h.tick();   // step 0 goes out
         h.port.deliver(strayThen(withCrc({1, 0x01, 2, 0x15, 0x10})));
         h.tick();
     },
     {LinkOutcome::WrongReply}, {}},
    {"late reply is dropped with the next request", 0,
     [](EngineHarness& h) { h.lateReplyThenNextRequest(); },
     {LinkOutcome::Timeout}, {8}},
    {"CRC mismatch waits out its time-out as one outcome", 0,
     [](EngineHarness& h) { h.crcMismatchThenMoreBytes(); },
     {LinkOutcome::CrcMismatch}, {}},
    {"babbling line", 0,
     [](EngineHarness& h) {
         h.request(Command::SetIntfan);
         h.tick();
         h.port.deliver(Bytes(1025, 0x55));
         h.tick();
         h.port.deliver(echoReply(h.port.lastWritten()));
         h.tick();
     },
     {LinkOutcome::Valid}, {1025}},
    {"exception reply ends the exchange at once as a refusal", 1,
     [](EngineHarness& h) {
         h.tick();
         h.port.deliver(withCrc({1, 0x81, 0x02}));
         h.tick();
     },
     {LinkOutcome::Refused}, {}},
};

TEST(LinkTap, ObserverSeesEveryByteAndOneOutcomePerTransaction)
{
    for (const Scenario& sc : kScenarios) {
        SCOPED_TRACE(sc.name);
        EngineHarness h(sc.tab);
        RecordingObserver seen;
        h.engine.setObserver(&seen);
        std::int64_t clock = 0;
        h.engine.tap().setClock([&clock] { return LinkTime{++clock, 0}; });
        sc.run(h);

        EXPECT_EQ(seen.sent, h.port.written());
        ASSERT_EQ(seen.replyLengths.size(), seen.sent.size());
        // The first request's bytes received are exactly what the engine collected.
        if (seen.sent.size() == 1) {
            const Bytes collected(h.state.RxFrame.begin(), h.state.RxFrame.begin() + h.state.RxLength);
            if (sc.discarded.empty()) {
                EXPECT_EQ(seen.received, collected);
            }
        }
        EXPECT_EQ(seen.outcomes, sc.outcomes);
        EXPECT_EQ(seen.discarded, sc.discarded);
        EXPECT_TRUE(std::is_sorted(seen.stamps.begin(), seen.stamps.end()));
    }
}

TEST(LinkTap, WatchingChangesNothingTheEngineDoes)
{
    for (const Scenario& sc : kScenarios) {
        SCOPED_TRACE(sc.name);
        EngineHarness plain(sc.tab);
        EngineHarness watched(sc.tab);
        RecordingObserver seen;
        watched.engine.setObserver(&seen);
        sc.run(plain);
        sc.run(watched);
        EXPECT_EQ(footprint(plain), footprint(watched));
    }
}

TEST(LinkTap, PollAgainstAControllerGivesEachRequestItsOutcomeBeforeTheNextGoesOut)
{
    EngineHarness h(1);
    FakeController controller;
    int answered = 0;
    h.port.setResponder([&](const Bytes& rq) {
        // Every third reply is lost, every fifth spoiled.
        ++answered;
        if (answered % 3 == 0)
            return Bytes{};
        Bytes reply = controller.answer(rq);
        if (answered % 5 == 0)
            reply.back() ^= 0xFF;
        return reply;
    });
    struct Order : RecordingObserver {
        std::string sequence;
        void requestSent(const LinkTime& at, std::span<const std::uint8_t> f, long w, std::size_t n) override
        {
            sequence += 'S';
            RecordingObserver::requestSent(at, f, w, n);
        }
        void outcome(const LinkTime& at, LinkOutcome o, std::uint8_t code) override
        {
            sequence += 'O';
            RecordingObserver::outcome(at, o, code);
        }
    } seen;
    h.engine.setObserver(&seen);
    h.ticks(3000);
    ASSERT_GT(seen.sent.size(), 20u);
    // S O S O ... : never two requests without an outcome between them.
    EXPECT_EQ(seen.sequence.find("SS"), std::string::npos) << seen.sequence;
    EXPECT_EQ(seen.sequence.find("OO"), std::string::npos) << seen.sequence;
    EXPECT_GT(std::count(seen.outcomes.begin(), seen.outcomes.end(), LinkOutcome::Timeout), 0);
    EXPECT_GT(std::count(seen.outcomes.begin(), seen.outcomes.end(), LinkOutcome::CrcMismatch), 0);
    EXPECT_GT(std::count(seen.outcomes.begin(), seen.outcomes.end(), LinkOutcome::Valid), 0);
}

} // namespace
