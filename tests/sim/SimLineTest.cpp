#include "ModbusMaster.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

class SimLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(slave.ok());
        ASSERT_TRUE(master.ok());
    }

    RunningSlave slave;
    ModbusMaster master{slave.device(), 1};
};

struct CatalogueEntry {
    const char* sentFor;
    Bytes request;       // address, function, data; the CRC is added on the way
    int requestLength;
    int replyLength;
};

// Every request the console sends, with the lengths it relies on.
const CatalogueEntry kCatalogue[] = {
    {"command 0", {1, 0x10, 0, 0, 0, 11, 22, 1, 44, 8, 152, 3, 32, 0, 50, 1, 94, 0, 200, 0, 100, 0, 50, 0, 2, 0, 1, 0, 1}, 31, 8},
    {"command 1", {1, 0x10, 0, 11, 0, 11, 22, 1, 44, 9, 96, 3, 132, 0, 50, 1, 144, 0, 250, 0, 150, 0, 50, 0, 2, 0, 1, 0, 1}, 31, 8},
    {"command 2", {1, 0x10, 0, 22, 0, 5, 10, 0, 50, 0, 30, 0, 80, 0, 40, 0, 1}, 19, 8},
    {"command 3", {1, 0x10, 0, 28, 0, 2, 4, 1, 0xC2, 0xFF, 0xCE}, 13, 8},
    {"command 4", {1, 0x10, 0, 33, 0, 4, 8, 0, 5, 0xFF, 0xFB, 0, 0, 0, 0}, 17, 8},
    {"command 5", {1, 0x10, 0, 37, 0, 2, 4, 0, 1, 0, 1}, 13, 8},
    {"command 7", {1, 0x10, 0, 39, 0, 2, 4, 2, 0x58, 1, 0xA4}, 13, 8},
    {"command 8", {1, 0x10, 0, 41, 0, 3, 6, 1, 0x5E, 0, 30, 0x11, 0x94}, 15, 8},
    {"command 9", {1, 0x03, 0, 0, 0, 44}, 8, 93},
    {"command 10", {1, 0x04, 0, 15, 0, 9}, 8, 23},
    {"command 11", {1, 0x05, 0, 20, 0xFF, 0x00}, 8, 8},
    {"poll step 0", {1, 0x01, 0, 0, 0, 16}, 8, 7},
    {"poll step 1", {1, 0x02, 0, 0, 0, 18}, 8, 8},
    {"poll step 2", {1, 0x03, 0, 41, 0, 3}, 8, 11},
    {"poll step 3", {1, 0x04, 0, 0, 0, 13}, 8, 31},
    {"live action 1", {1, 0x06, 0, 30, 0x01, 0x2C}, 8, 8},
    {"live action 2", {1, 0x05, 0, 12, 0xFF, 0x00}, 8, 8},
    {"live action 4", {1, 0x05, 0, 11, 0xFF, 0x00}, 8, 8},
    {"curve fetch, internal fans", {1, 0x03, 0, 0, 0, 11}, 8, 27},
    {"curve fetch, external fans", {1, 0x03, 0, 11, 0, 11}, 8, 27},
    {"command 6", {1, 0x10, 0, 27, 0, 1, 2, 0, 1}, 11, 8},
};

TEST_F(SimLineTest, EveryCatalogueRequestGetsItsReply)
{
    for (const CatalogueEntry& entry : kCatalogue) {
        SCOPED_TRACE(entry.sentFor);
        EXPECT_EQ(static_cast<int>(entry.request.size()) + 2, entry.requestLength);
        Bytes reply;
        ASSERT_EQ(master.exchange(entry.request, reply), entry.replyLength);
        EXPECT_EQ(reply[0], 1);
        EXPECT_EQ(reply[1], entry.request[1]);
        EXPECT_TRUE(crcGood(reply));
        const std::uint8_t function = entry.request[1];
        if (function == 0x05 || function == 0x06) {
            EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 6), entry.request);
        } else if (function == 0x10) {
            EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 6), Bytes(entry.request.begin(), entry.request.begin() + 6));
        } else {
            EXPECT_EQ(reply[2], entry.replyLength - 5);
        }
    }
}

TEST_F(SimLineTest, WritesReadBack)
{
    const std::uint16_t alarms[] = {450, 0xFFCE};
    ASSERT_EQ(modbus_write_registers(master.ctx(), 28, 2, alarms), 2);
    ASSERT_EQ(modbus_write_register(master.ctx(), 30, 123), 1);
    std::uint16_t back[44] = {};
    ASSERT_EQ(modbus_read_registers(master.ctx(), 0, 44, back), 44);
    EXPECT_EQ(back[28], 450);
    EXPECT_EQ(back[29], 0xFFCE);
    EXPECT_EQ(back[30], 123);
    EXPECT_EQ(back[0], 300);

    ASSERT_EQ(modbus_write_bit(master.ctx(), 12, 1), 1);
    std::uint8_t coils[16] = {};
    ASSERT_EQ(modbus_read_bits(master.ctx(), 0, 16, coils), 16);
    EXPECT_EQ(coils[12], 1);
    ASSERT_EQ(modbus_write_bit(master.ctx(), 12, 0), 1);
    ASSERT_EQ(modbus_read_bits(master.ctx(), 12, 1, coils), 1);
    EXPECT_EQ(coils[0], 0);
}

TEST_F(SimLineTest, UnsupportedRangesGetExceptionReplies)
{
    std::uint16_t registers[10];
    EXPECT_EQ(modbus_read_registers(master.ctx(), 40, 10, registers), -1);
    EXPECT_EQ(errno, EMBXILADD);

    // The exception reply itself: function with bit 7 set, code, CRC.
    Bytes reply;
    ASSERT_EQ(master.exchange({1, 0x03, 0, 44, 0, 1}, reply), 5);
    EXPECT_EQ(reply[1], 0x83);
    EXPECT_EQ(reply[2], 0x02);
    EXPECT_TRUE(crcGood(reply));
    ASSERT_EQ(master.exchange({1, 0x07}, reply), 5);
    EXPECT_EQ(reply[1], 0x87);
    EXPECT_EQ(reply[2], 0x01);
}

TEST_F(SimLineTest, AddressChangesAfterTheReply)
{
    const std::uint16_t seven = 7;
    // Answered from the old address, so libmodbus accepts it.
    ASSERT_EQ(modbus_write_registers(master.ctx(), 27, 1, &seven), 1);
    std::uint16_t value = 0;
    // The old address gets no answer any more.
    EXPECT_TRUE(master.rawExchange({1, 0x03, 0, 27, 0, 1}, 7, 150).empty());
    modbus_set_slave(master.ctx(), 7);
    ASSERT_EQ(modbus_read_registers(master.ctx(), 27, 1, &value), 1);
    EXPECT_EQ(value, 7);
}

TEST_F(SimLineTest, SelfCheckEndsOnTheModelClock)
{
    ASSERT_EQ(modbus_write_bit(master.ctx(), 11, 1), 1);
    std::uint16_t state = 0;
    ASSERT_EQ(modbus_read_input_registers(master.ctx(), 11, 1, &state), 1);
    EXPECT_EQ(state, 1);
    slave.advance(SimController::kSelfCheckMillis);
    ASSERT_EQ(modbus_read_input_registers(master.ctx(), 11, 1, &state), 1);
    EXPECT_EQ(state, 0);
}

TEST_F(SimLineTest, SurvivesReopeningAndGarbage)
{
    master.writeRaw({0x01, 0x03, 0x00});              // cut short
    EXPECT_TRUE(master.readRaw(1, 2 * RtuSlave::kFrameGapMs).empty());
    master.writeRaw({0x55, 0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00});   // bad CRC
    EXPECT_TRUE(master.readRaw(1, 2 * RtuSlave::kFrameGapMs).empty());
    std::uint16_t value = 0;
    ASSERT_EQ(modbus_read_registers(master.ctx(), 0, 1, &value), 1);

    for (int round = 0; round < 3; ++round) {
        ModbusMaster again(slave.device(), 1);
        ASSERT_TRUE(again.ok());
        ASSERT_EQ(modbus_read_registers(again.ctx(), 27, 1, &value), 1);
        EXPECT_EQ(value, 1);
    }
    // A request to another slave on the bus is not answered.
    EXPECT_TRUE(master.rawExchange({2, 0x03, 0, 0, 0, 1}, 7, 150).empty());
    ASSERT_EQ(modbus_read_registers(master.ctx(), 0, 1, &value), 1);
}

// --- fault modes -------------------------------------------------------

FaultSettings fault(double FaultSettings::*mode, double share, std::uint64_t seed = 1)
{
    FaultSettings settings;
    settings.*mode = share;
    settings.seed = seed;
    return settings;
}

TEST(SimFaults, EachFaultModeSpoilsTheReplyItsWay)
{
    for (auto mode : {&FaultSettings::corruptCrc, &FaultSettings::wrongAddress, &FaultSettings::stray}) {
        const bool stray = mode == &FaultSettings::stray;
        RunningSlave slave(fault(mode, 1.0));
        ModbusMaster master(slave.device(), 1);
        ASSERT_TRUE(slave.ok() && master.ok());
        const Bytes raw = master.rawExchange({1, 0x01, 0, 0, 0, 16}, stray ? 8 : 7);
        // One to three stray bytes may come ahead of an intact reply.
        ASSERT_GE(raw.size(), stray ? 8u : 7u);
        ASSERT_LE(raw.size(), stray ? 10u : 7u);
        const Bytes reply(raw.end() - 7, raw.end());
        EXPECT_EQ(reply[0], mode == &FaultSettings::wrongAddress ? 2 : 1);
        EXPECT_EQ(reply[1], 0x01);
        EXPECT_EQ(crcGood(reply), mode != &FaultSettings::corruptCrc);
    }
}

TEST(SimFaults, DropFollowsTheSeed)
{
    // Requests of different lengths in one burst: the replies that come
    // back tell which were answered.
    const FaultSettings settings = fault(&FaultSettings::drop, 0.5, 7);
    FaultInjector twin(settings);
    std::vector<int> expected;
    std::size_t expectedBytes = 0;
    Bytes burst;
    for (int i = 1; i <= 8; ++i) {
        const Bytes request = withCrc({1, 0x03, 0, 0, 0, static_cast<std::uint8_t>(i)});
        burst.insert(burst.end(), request.begin(), request.end());
        if (!twin.next().drop) {
            expected.push_back(i);
            expectedBytes += 5 + 2 * static_cast<std::size_t>(i);
        }
    }
    ASSERT_GT(expected.size(), 0u);
    ASSERT_LT(expected.size(), 8u);

    RunningSlave slave(settings);
    ModbusMaster master(slave.device(), 1);
    ASSERT_TRUE(slave.ok() && master.ok());
    master.writeRaw(burst);
    const Bytes raw = master.readRaw(expectedBytes, 500);
    std::vector<int> answered;
    for (std::size_t at = 0; at + 3 <= raw.size();) {
        const std::size_t length = 5 + raw[at + 2];
        ASSERT_LE(at + length, raw.size());
        EXPECT_TRUE(crcGood(Bytes(raw.begin() + static_cast<std::ptrdiff_t>(at),
                                  raw.begin() + static_cast<std::ptrdiff_t>(at + length))));
        answered.push_back(raw[at + 2] / 2);
        at += length;
    }
    EXPECT_EQ(answered, expected);
}

TEST(SimFaults, LateRepliesStillArrive)
{
    FaultSettings settings;
    settings.delayMs = 80;
    RunningSlave slave(settings);
    ModbusMaster master(slave.device(), 1);
    ASSERT_TRUE(slave.ok() && master.ok());
    std::uint16_t value = 0;
    ASSERT_EQ(modbus_read_registers(master.ctx(), 43, 1, &value), 1);
    EXPECT_EQ(value, 4500);
}

} // namespace
