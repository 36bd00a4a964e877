#include "link/BusScan.h"
#include "link/LinkTap.h"
#include "support/FakeController.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

// Controllers at some addresses of the line; the rest is silence. Each
// answers only requests to its own address, one step after the request.
struct Line {
    std::map<std::uint8_t, FakeController> controllers;
    FakeSerialPort port;
    std::int64_t nowMs = 0;

    Line()
    {
        port.openForTest();
        port.setResponder([this](const FakeSerialPort::Bytes& request) {
            const auto it = controllers.find(request.at(0));
            return it == controllers.end() ? FakeSerialPort::Bytes{} : it->second.answer(request);
        });
    }
    FakeController& add(std::uint8_t address, const char* firmware)
    {
        FakeController& c = controllers[address];
        c.address = address;
        c.holding[BusScan::kAddressRegister] = address;
        char text[18] = {};
        // Eighteen bytes, no terminator: the registers hold the text alone.
        std::memcpy(text, firmware, strnlen(firmware, sizeof text));
        for (std::size_t k = 0; k < 9; ++k)
            c.input[15 + k] = static_cast<std::uint16_t>((static_cast<unsigned char>(text[2 * k]) << 8)
                                                         | static_cast<unsigned char>(text[2 * k + 1]));
        return c;
    }
    // Ticks every `stepMs` until the scan ends; bounded.
    void run(BusScan& scan, int stepMs = 5)
    {
        for (int i = 0; i < 100000 && scan.running(); ++i) {
            scan.tick();
            port.advance();
            nowMs += stepMs;
        }
    }
};

TEST(BusScan, FindsTheControllersAmongSilentAddressesAndReadsTheirFirmware)
{
    Line line;
    line.add(5, "HX-CTRL V2.13 SIM");
    line.add(9, "HX-B");
    BusScan scan(line.port, nullptr, [&] { return line.nowMs; });
    scan.start(1, 12, 100);
    line.run(scan);

    ASSERT_EQ(scan.found().size(), 2u);
    EXPECT_EQ(scan.found()[0].address, 5);
    EXPECT_EQ(scan.found()[0].firmware, "HX-CTRL V2.13 SIM");
    EXPECT_TRUE(scan.found()[0].firmwareRead);
    EXPECT_EQ(scan.found()[1].address, 9);
    EXPECT_EQ(scan.found()[1].firmware, "HX-B");
    EXPECT_EQ(scan.done(), 12);
    EXPECT_FALSE(scan.cancelled());

    // Every address asked once for register 27, the two found for their
    // firmware; nothing but reads went out.
    int addressReads = 0;
    for (const auto& frame : line.port.written()) {
        ASSERT_GE(frame.size(), 8u);
        EXPECT_TRUE(frame[1] == 0x03 || frame[1] == 0x04) << int(frame[1]);
        if (frame[1] == 0x03) {
            ++addressReads;
            EXPECT_EQ(frame[3], BusScan::kAddressRegister);
            EXPECT_EQ(frame[5], 1);
        }
    }
    EXPECT_EQ(addressReads, 12);
    EXPECT_EQ(line.port.written().size(), 14u);
}

TEST(BusScan, ASilentAddressCostsItsTimeOutOnTheClock)
{
    Line line;
    BusScan scan(line.port, nullptr, [&] { return line.nowMs; });
    scan.start(3, 4, 100);
    scan.tick();                       // asks address 3
    line.nowMs = 99;
    scan.tick();
    EXPECT_EQ(scan.current(), 3);
    line.nowMs = 100;
    scan.tick();                       // time-out
    EXPECT_EQ(scan.done(), 1);
    scan.tick();                       // asks address 4
    EXPECT_EQ(line.port.lastWritten().at(0), 4);
    line.nowMs = 200;
    scan.tick();
    EXPECT_FALSE(scan.running());
    EXPECT_TRUE(scan.found().empty());
}

struct BadReply {
    const char* what;
    std::function<FakeSerialPort::Bytes(const FakeSerialPort::Bytes&)> reply;
};

class BusScanRefuses : public testing::TestWithParam<BadReply> {};

TEST_P(BusScanRefuses, AReplyThatIsNotAControllersAnswer)
{
    Line line;
    line.port.setResponder([&](const FakeSerialPort::Bytes& request) { return GetParam().reply(request); });
    BusScan scan(line.port, nullptr, [&] { return line.nowMs; });
    scan.start(1, 3, 100);
    line.run(scan);
    EXPECT_TRUE(scan.found().empty()) << GetParam().what;
    EXPECT_EQ(scan.done(), 3);
}

FakeSerialPort::Bytes goodReply(const FakeSerialPort::Bytes& request)
{
    return registerReply(request.at(0), 0x03, {request.at(0)});
}

INSTANTIATE_TEST_SUITE_P(Replies, BusScanRefuses, testing::Values(
    BadReply{"bad CRC", [](const FakeSerialPort::Bytes& r) { auto b = goodReply(r); b.back() ^= 0xFF; return b; }},
    BadReply{"from another address", [](const FakeSerialPort::Bytes& r) {
        return registerReply(static_cast<std::uint8_t>(r.at(0) + 100), 0x03, {1}); }},
    BadReply{"exception reply", [](const FakeSerialPort::Bytes& r) {
        auto b = withCrc({r.at(0), 0x83, 0x02});
        b.resize(7, 0);
        return b; }},
    BadReply{"garbage", [](const FakeSerialPort::Bytes&) { return FakeSerialPort::Bytes(40, 0x55); }},
    BadReply{"a few bytes", [](const FakeSerialPort::Bytes&) { return FakeSerialPort::Bytes{0x01, 0x03}; }}));

TEST(BusScan, ALateReplyForTheLastAddressIsNotTakenForTheNextOne)
{
    Line line;
    // Address 1's reply comes long after its time-out, while 2 is asked.
    line.port.setResponder([](const FakeSerialPort::Bytes& request) {
        return request.at(0) == 1 && request.at(1) == 0x03 ? goodReply(request) : FakeSerialPort::Bytes{};
    }, 30);
    BusScan scan(line.port, nullptr, [&] { return line.nowMs; });
    scan.start(1, 2, 100);
    line.run(scan, 10);
    EXPECT_TRUE(scan.found().empty());
}

TEST(BusScan, CancelStopsAtOnceAndKeepsWhatWasFound)
{
    Line line;
    line.add(1, "A");
    BusScan scan(line.port, nullptr, [&] { return line.nowMs; });
    scan.start(1, 247, 100);
    for (int i = 0; i < 10; ++i) {
        scan.tick();
        line.port.advance();
        line.nowMs += 5;
    }
    ASSERT_EQ(scan.found().size(), 1u);
    scan.cancel();
    EXPECT_FALSE(scan.running());
    EXPECT_TRUE(scan.cancelled());
    const std::size_t sent = line.port.written().size();
    scan.tick();
    EXPECT_EQ(line.port.written().size(), sent);
    EXPECT_EQ(scan.found().size(), 1u);
}

TEST(BusScan, TheMonitorSeesOneOutcomePerQuestion)
{
    struct Counting : LinkObserver {
        int requests = 0, valid = 0, timeouts = 0;
        void requestSent(const LinkTime&, std::span<const std::uint8_t>, long, std::size_t) override { ++requests; }
        void bytesReceived(const LinkTime&, std::span<const std::uint8_t>) override {}
        void bytesDiscarded(const LinkTime&, std::size_t) override {}
        void outcome(const LinkTime&, LinkOutcome o, std::uint8_t) override
        {
            valid += o == LinkOutcome::Valid;
            timeouts += o == LinkOutcome::Timeout;
        }
    } counting;
    LinkTap tap;
    tap.setObserver(&counting);
    Line line;
    line.add(2, "A");
    BusScan scan(line.port, &tap, [&] { return line.nowMs; });
    scan.start(1, 3, 100);
    line.run(scan);
    EXPECT_EQ(counting.requests, 4);
    EXPECT_EQ(counting.valid, 2);
    EXPECT_EQ(counting.timeouts, 2);
}

TEST(BusScan, FirmwareTextStopsAtItsFirstNulAndAtEighteenCharacters)
{
    FakeSerialPort::Bytes reply(23, 0);
    const char* text = "ABCDEFGHIJKLMNOPQRST";
    std::memcpy(reply.data() + 3, text, 20);
    EXPECT_EQ(BusScan::firmwareText(reply), "ABCDEFGHIJKLMNOPQR");
    reply[3 + 4] = 0;
    EXPECT_EQ(BusScan::firmwareText(reply), "ABCD");
}

}
