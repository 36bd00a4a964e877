#include "link/ConsolePort.h"
#include "link/Crc16.h"
#include "link/LinkState.h"
#include "link/Mbap.h"
#include "link/NetworkPort.h"
#include "link/PortWatch.h"
#include "link/TrafficLog.h"
#include "link/TransactionEngine.h"
#include "support/LoopbackPeer.h"
#include "support/RecordingView.h"

#include <gtest/gtest.h>


#include <functional>
#include <map>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withCrc(Bytes frame)
{
    const std::uint16_t crc = Crc16(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return frame;
}

// The firmware version request and the controller's reply, as RTU frames.
const Bytes kVersionRequest = withCrc({0x01, 0x04, 0x00, 0x0F, 0x00, 0x09});
Bytes versionReply()
{
    Bytes reply{0x01, 0x04, 0x12};
    for (char c : std::string("HX-CTRL V2.13 NET\0", 18))
        reply.push_back(static_cast<std::uint8_t>(c));
    return withCrc(reply);
}

} // namespace

TEST(Mbap, RequestsLeaveWithTheHeaderAndWithoutTheCrc)
{
    struct Case {
        Bytes rtu;
        std::uint16_t transactionId;
        Bytes tcp;
    };
    const Case cases[] = {
        // Read All to address 1.
        {{0x01, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x44, 0x17}, 1, {0, 1, 0, 0, 0, 6, 0x01, 0x03, 0x00, 0x00, 0x00, 0x2C}},
        // Coil write to address 247, transaction id above 255.
        {withCrc({0xF7, 0x05, 0x00, 0x14, 0xFF, 0x00}), 0x1234, {0x12, 0x34, 0, 0, 0, 6, 0xF7, 0x05, 0x00, 0x14, 0xFF, 0x00}},
        // Two registers written.
        {withCrc({0x07, 0x10, 0x00, 0x1C, 0x00, 0x02, 0x04, 0x01, 0x5E, 0x00, 0x1E}), 0xFFFF,
         {0xFF, 0xFF, 0, 0, 0, 11, 0x07, 0x10, 0x00, 0x1C, 0x00, 0x02, 0x04, 0x01, 0x5E, 0x00, 0x1E}},
        // Too short to be a frame.
        {{0x01, 0x03, 0x00}, 1, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Mbap::fromRtu(c.rtu, c.transactionId), c.tcp);
        if (!c.tcp.empty()) {
            EXPECT_EQ(Mbap::toRtu(c.tcp), c.rtu) << "and back";
        }
    }
}

TEST(Mbap, RepliesAreCheckedThenHandedOnAsTheRtuReply)
{
    using Status = Mbap::ReplyCheck::Status;
    const Bytes rtu = versionReply();
    const Bytes good = Mbap::fromRtu(rtu, 9);
    auto changed = [&good](std::size_t at, std::uint8_t value) {
        Bytes frame = good;
        frame[at] = value;
        return frame;
    };
    // Length one short: the frame ends a byte early and the byte count no
    // longer fits it.
    Bytes shortLength = changed(5, static_cast<std::uint8_t>(good[5] - 1));
    struct Case {
        const char* what;
        Bytes stream;
        Status status;
        std::size_t consumed;
    };
    const Case cases[] = {
        {"matching", good, Status::Accepted, good.size()},
        {"transaction id", changed(1, 10), Status::Refused, good.size()},
        {"protocol id", changed(3, 1), Status::Refused, good.size()},
        {"length", shortLength, Status::Refused, good.size() - 1},
        {"unit id", changed(6, 2), Status::Refused, good.size()},
        {"header not all in", Bytes(good.begin(), good.begin() + 5), Status::Incomplete, 0},
        {"frame not all in", Bytes(good.begin(), good.end() - 1), Status::Incomplete, 0},
        {"length out of range", changed(5, 0), Status::Refused, good.size()},
    };
    for (const Case& c : cases) {
        const Mbap::ReplyCheck check = Mbap::checkReply(c.stream, 9, 0x01, rtu.size());
        EXPECT_EQ(check.status, c.status) << c.what;
        EXPECT_EQ(check.consumed, c.consumed) << c.what;
        if (c.status == Status::Accepted) {
            EXPECT_EQ(check.rtu, rtu) << c.what;
        }
        if (c.status == Status::Refused) {
            ASSERT_EQ(check.rtu.size(), rtu.size()) << c.what << ": as long as the awaited reply";
            EXPECT_NE(check.rtu[0], 0x01) << c.what << ": never from the address asked";
        }
    }
    // An exception reply is a consistent frame too.
    const Bytes exception = Mbap::fromRtu(withCrc({0x01, 0x84, 0x02}), 9);
    EXPECT_EQ(Mbap::checkReply(exception, 9, 0x01, rtu.size()).rtu, withCrc({0x01, 0x84, 0x02}));
}

// The engine's Read Version through a MODBUS TCP port whose peer answers with
// the reply spoiled one way or another: every mismatch is a wrong reply, and
// the monitor shows both headers and the round trip.
TEST(NetworkPort, MismatchedHeadersAreWrongRepliesToTheEngine)
{
    struct Case {
        const char* what;
        std::function<void(Bytes&)> spoil;
        bool valid;
    };
    const Case cases[] = {
        {"nothing", [](Bytes&) {}, true},
        {"transaction id", [](Bytes& f) { f[1] ^= 0x01; }, false},
        {"protocol id", [](Bytes& f) { f[3] = 0x01; }, false},
        {"length", [](Bytes& f) { f[8] = 0x10; }, false},   // byte count no longer fits the length
        {"unit id", [](Bytes& f) { f[6] = 0x02; }, false},
    };
    for (const Case& c : cases) {
        LoopbackPeer peer;
        NetworkPort port;
        ASSERT_TRUE(port.open(peer.name("tcp"))) << port.openError();
        ASSERT_TRUE(peer.accept());
        LinkState state;
        RecordingView view(&state);
        TransactionEngine engine(state, port, view, view);
        TrafficLog log;
        engine.setObserver(&log);
        state.EngineTab = 0;
        state.CommandCode = Command::ReadVersion;
        state.CommandArmed = 1;
        state.LinkBusy = 1;
        engine.tick();

        const Bytes request = peer.receive(12);
        ASSERT_EQ(request, Mbap::fromRtu(kVersionRequest, 1)) << c.what;
        Bytes reply = Mbap::fromRtu(versionReply(), 1);
        c.spoil(reply);
        ASSERT_TRUE(peer.send(reply));
        for (int i = 0; i < 3 && state.LinkBusy == 1; ++i)
            engine.tick();

        EXPECT_EQ(log.counters().validReplies, c.valid ? 1u : 0u) << c.what;
        EXPECT_EQ(log.counters().wrongReplies, c.valid ? 0u : 1u) << c.what;
        EXPECT_EQ(log.counters().roundTrips, 1u) << c.what;
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(TrafficText::decoded(log.entries()[0]).rfind("[tid 1 unit 1] ", 0), 0u)
            << TrafficText::decoded(log.entries()[0]);
        EXPECT_TRUE(log.entries()[1].mbap.has_value()) << c.what;
        if (c.valid) {
            EXPECT_EQ(view.text("SWV"), "HX-CTRL V2.13 NET");
        }
    }
}

TEST(NetworkPort, TheWaitForTheNetworkIsAddedToEveryReplyDelay)
{
    LoopbackPeer peer;
    std::map<std::string, int> delays;
    for (const auto& [suffix, wait] : std::vector<std::pair<std::string, int>>{{"", 100}, {"?wait=250", 250}, {"?wait=0", 0}}) {
        ConsolePort port;
        ASSERT_TRUE(port.open(peer.name("socket") + suffix)) << port.openError();
        EXPECT_EQ(port.extraWaitMs(), wait) << suffix;
        LinkState state;
        RecordingView view(&state);
        TransactionEngine engine(state, port, view, view);
        state.EngineTab = 0;
        state.CommandCode = Command::ReadVersion;
        state.CommandArmed = 1;
        state.LinkBusy = 1;
        engine.tick();
        ASSERT_FALSE(view.intervals.empty());
        delays[suffix] = view.intervals.back();
        ASSERT_TRUE(peer.accept());
        EXPECT_EQ(peer.receive(kVersionRequest.size()), kVersionRequest) << "RTU bytes as they are";
        peer.hangUp();
    }
    EXPECT_EQ(delays[""] - delays["?wait=0"], 100);
    EXPECT_EQ(delays["?wait=250"] - delays["?wait=0"], 250);
}

TEST(NetworkPort, NamesThatReachNothingFailToOpenAndSayWhy)
{
    LoopbackPeer closed;
    const std::string refused = closed.name("tcp");
    closed.stopListening();
    struct Case {
        std::string name;
        std::string reason;
    };
    const Case cases[] = {
        {refused, "refused"},
        {"tcp://127.0.0.1", "HOST:PORT"},
        {"socket://127.0.0.1:70000", "1 to 65535"},
        {"socket://127.0.0.1:502?wait=x", "wait"},
        {"tcp://no-such-host.invalid:502", "not found"},
        {"COM", "names no serial device"},
    };
    for (const Case& c : cases) {
        ConsolePort port;
        EXPECT_FALSE(port.open(c.name)) << c.name;
        EXPECT_FALSE(port.isOpen());
        EXPECT_NE(port.openError().find(c.reason), std::string::npos) << c.name << ": " << port.openError();
        EXPECT_EQ(port.write(kVersionRequest.data(), kVersionRequest.size()), -1);
    }
}

// A connection the peer closes is a lost port; the watch opens the same name
// again once the peer listens again, and the monitor records both.
TEST(NetworkPort, ALostConnectionIsReopenedUnderTheSameName)
{
    auto peer = std::make_unique<LoopbackPeer>();
    const std::uint16_t number = peer->port();
    const std::string name = peer->name("socket");
    ConsolePort port;
    ASSERT_TRUE(port.open(name));
    ASSERT_TRUE(peer->accept());
    PortWatch watch(port);
    watch.watch(name, LineSettings{});
    LinkState state;
    RecordingView view(&state);
    TransactionEngine engine(state, port, view, view);
    TrafficLog log;
    engine.setObserver(&log);

    peer.reset();   // the device server goes away
    engine.tick();
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(watch.noticeLoss());
    EXPECT_EQ(watch.state(), PortWatch::State::Lost);
    ASSERT_FALSE(log.entries().empty());
    EXPECT_EQ(log.entries().back().kind, TrafficEntry::Kind::PortLost);
    EXPECT_NE(log.entries().back().note.find("closed"), std::string::npos) << log.entries().back().note;
    EXPECT_NE(port.openError().find("closed by the other end"), std::string::npos) << port.openError();

    EXPECT_FALSE(watch.tick()) << "nobody listens yet";
    peer = std::make_unique<LoopbackPeer>(number);
    ASSERT_TRUE(watch.tick());
    ASSERT_TRUE(peer->accept());
    engine.startOver();
    engine.tick();
    EXPECT_EQ(log.entries().back().kind, TrafficEntry::Kind::PortRestored);
    EXPECT_EQ(log.counters().portLosses, 1u);
    EXPECT_EQ(port.write(kVersionRequest.data(), kVersionRequest.size()), static_cast<long>(kVersionRequest.size()));
    EXPECT_EQ(peer->receive(kVersionRequest.size()), kVersionRequest);
}

// The engine drops the receive queue right after sending; a gateway on the
// same machine can answer before that. Bytes from before the request are
// stale and dropped, the reply is kept.
TEST(NetworkPort, AReplyFasterThanTheDiscardAfterSendingIsKept)
{
    LoopbackPeer peer;
    NetworkPort port;
    ASSERT_TRUE(port.open(peer.name("tcp")));
    ASSERT_TRUE(peer.accept());
    ASSERT_TRUE(peer.send(Mbap::fromRtu(versionReply(), 7)));   // stale: answers nothing we asked
    ASSERT_EQ(port.write(kVersionRequest.data(), kVersionRequest.size()), static_cast<long>(kVersionRequest.size()));
    ASSERT_EQ(peer.receive(12), Mbap::fromRtu(kVersionRequest, 1));
    ASSERT_TRUE(peer.send(Mbap::fromRtu(versionReply(), 1)));
    EXPECT_EQ(port.bytesWaiting(), 0) << "nothing to drop";
    EXPECT_TRUE(port.discardReceived());
    Bytes got(64);
    long n = 0;
    for (int i = 0; i < 100 && n == 0; ++i)
        n = port.read(got.data(), got.size());
    got.resize(static_cast<std::size_t>(std::max(n, 0L)));
    EXPECT_EQ(got, versionReply());
}
