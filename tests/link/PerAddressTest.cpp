// Bus address lists as typed, and the monitor's counts kept per address.
#include "link/BusAddresses.h"
#include "link/Crc16.h"
#include "link/Frames.h"
#include "link/TrafficByAddress.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BusAddresses, ParsesListsAndRangesAndRefusesTheRest)
{
    const struct {
        const char* text;
        std::vector<std::uint8_t> addresses;   // empty: refused
        const char* shown;
    } cases[] = {
        {"1", {1}, "1"},
        {"1-4,7", {1, 2, 3, 4, 7}, "1-4,7"},
        {"7,1-2,2", {1, 2, 7}, "1,2,7"},
        {"247", {247}, "247"},
        {"0", {}, ""},
        {"248", {}, ""},
        {"4-1", {}, ""},
        {"1,,2", {}, ""},
        {"", {}, ""},
        {"1-", {}, ""},
        {" 1", {}, ""},
        {"a", {}, ""},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto parsed = BusAddresses::parse(c.text, 247, error);
        if (c.addresses.empty()) {
            EXPECT_FALSE(parsed) << c.text;
            EXPECT_NE(error.find("1-4,7"), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(parsed) << c.text << ": " << error;
        EXPECT_EQ(*parsed, c.addresses) << c.text;
        EXPECT_EQ(BusAddresses::text(*parsed), c.shown);
    }
}

Bytes withCrc(Bytes frame)
{
    const std::uint16_t crc = Crc16(frame.data(), frame.size());
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return frame;
}

TEST(TrafficByAddress, EachAddressGetsTheCountsOfItsOwnExchanges)
{
    TrafficByAddress traffic;
    const LinkTime at{};
    const auto exchange = [&](std::uint8_t address, const Bytes& reply, LinkOutcome outcome) {
        Frames::TxBuffer request{};
        const std::size_t length = Frames::buildRead(request, address, 0x03, 0, 1);
        traffic.requestSent(at, {request.data(), length}, static_cast<long>(length), 7);
        if (!reply.empty())
            traffic.bytesReceived(at, reply);
        traffic.outcome(at, outcome, outcome == LinkOutcome::Refused ? 2 : 0);
    };
    exchange(1, withCrc({1, 3, 2, 0, 5}), LinkOutcome::Valid);
    exchange(2, {}, LinkOutcome::Timeout);
    exchange(1, {1, 3, 2, 0, 5, 0, 0}, LinkOutcome::CrcMismatch);
    exchange(3, withCrc({3, 0x83, 2}), LinkOutcome::Refused);
    exchange(3, withCrc({9, 3, 2, 0, 5}), LinkOutcome::WrongReply);
    exchange(1, withCrc({1, 3, 2, 0, 6}), LinkOutcome::Valid);

    const TrafficCounters one = traffic.counters(1), two = traffic.counters(2), three = traffic.counters(3);
    EXPECT_EQ(one.requests, 3u);
    EXPECT_EQ(one.validReplies, 2u);
    EXPECT_EQ(one.crcErrors, 1u);
    EXPECT_EQ(two.requests, 1u);
    EXPECT_EQ(two.timeouts, 1u);
    EXPECT_EQ(two.validReplies, 0u);
    EXPECT_EQ(three.exceptionReplies, 1u);
    EXPECT_EQ(three.timeouts, 0u);
    EXPECT_EQ(three.wrongReplies, 1u);
    EXPECT_EQ(traffic.counters(4).requests, 0u);
}

} // namespace
