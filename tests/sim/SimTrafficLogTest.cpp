// hx-sim --log: the simulator's side of the line as monitor entries, and
// the fault counts it reports.
#include "link/Crc16.h"
#include "sim/SimOptions.h"
#include "sim/SimTrafficLog.h"
#include "support/ScratchDisk.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withCrc(Bytes body)
{
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

FaultInjector::Decision decision(bool drop, bool crc, std::size_t stray, bool other)
{
    FaultInjector::Decision d;
    d.drop = drop;
    d.corruptCrc = crc;
    d.crcFlip = crc ? 0x21 : 0;
    d.stray.assign(stray, 0xA5);
    d.wrongAddress = other;
    return d;
}

TEST(SimFaultCounts, EachReplyCountsUnderTheFaultTheConsoleMeetsFirst)
{
    struct Case {
        FaultInjector::Decision d;
        std::uint64_t FaultCounts::*counter;
    };
    const Case cases[] = {
        {decision(true, true, 2, true), &FaultCounts::dropped},
        {decision(false, true, 2, true), &FaultCounts::stray},
        {decision(false, true, 0, true), &FaultCounts::otherAddress},
        {decision(false, true, 0, false), &FaultCounts::badCrc},
        {decision(false, false, 0, false), nullptr},
    };
    FaultCounts total;
    for (const Case& c : cases) {
        FaultCounts one;
        one.count(c.d);
        total.count(c.d);
        EXPECT_EQ(one.replies, 1u);
        const std::uint64_t struck = one.dropped + one.stray + one.otherAddress + one.badCrc;
        EXPECT_EQ(struck, c.counter ? 1u : 0u);
        if (c.counter) {
            EXPECT_EQ(one.*c.counter, 1u);
        }
    }
    EXPECT_EQ(total.summary(),
              "faults injected in 5 replies: 1 dropped, 1 with stray bytes, 1 from another address, 1 with a bad CRC");
}

TEST(SimTrafficLog, WritesRequestsAndRepliesDecodedWithTheirFaults)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("sim.log").toStdString();
    SimTrafficLog log;
    std::string error;
    ASSERT_TRUE(log.open(path, error)) << error;

    const Bytes request = withCrc({1, 0x01, 0, 0, 0, 16});
    const Bytes reply = withCrc({1, 0x01, 2, 0x15, 0x10});
    Bytes spoiled(2 + reply.size(), 0xA5);
    std::copy(reply.begin(), reply.end(), spoiled.begin() + 2);
    spoiled.back() ^= 0x21;
    log.exchange({1, 0}, request, {2, 0}, reply, decision(false, false, 0, false));
    log.exchange({3, 0}, request, {4, 0}, spoiled, decision(false, true, 2, false));
    log.exchange({5, 0}, request, {6, 0}, {}, decision(true, false, 0, false));
    ASSERT_TRUE(log.close());

    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 7u);
    const auto has = [&](std::size_t i, const std::string& part) {
        EXPECT_NE(lines[i].find(part), std::string::npos) << "line " << i << ": " << lines[i];
    };
    has(0, "RX  served  [01 01 00 00 00 10");
    has(0, "to 1: read coils 0-15 (16)");
    has(1, "TX  valid  [01 01 02 15 10");
    has(1, "from 1: coils 0-15 on: 0 internal fan 1");
    has(3, "TX  injected: 2 stray bytes, bad CRC  [A5 A5 01 01 02 15 10");
    has(3, "should be");
    has(5, "--  injected: dropped  []  reply withheld");
    has(6, "faults injected in 3 replies: 1 dropped, 1 with stray bytes, 0 from another address, 0 with a bad CRC");
    EXPECT_EQ(log.faults().replies, 3u);
}

TEST(SimTrafficLog, OptionAndUnwritableFile)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(parseSimOptions({"--log", "/tmp/x.csv", "--drop", "0.1"}, o, error)) << error;
    EXPECT_EQ(o.logFile, "/tmp/x.csv");
    SimOptions bad;
    EXPECT_FALSE(parseSimOptions({"--log"}, bad, error));
    EXPECT_FALSE(parseSimOptions({"--log", ""}, bad, error));
    EXPECT_EQ(error, "--log needs a file name");

    SimTrafficLog log;
    EXPECT_FALSE(log.open("/nonexistent-dir/sim.log", error));
    EXPECT_EQ(error, "/nonexistent-dir/sim.log: cannot open: No such file or directory");

    EXPECT_FALSE(log.open("/dev/null", error));
    EXPECT_EQ(error, "/dev/null: cannot open: it is not a regular file");

    ScratchDisk disk;
    SimTrafficLog full;
    ASSERT_TRUE(full.open(disk.path("sim.log"), error));
    disk.fill();
    full.exchange({}, withCrc({1, 0x01, 0, 0, 0, 16}), {}, {}, decision(true, false, 0, false));
    EXPECT_EQ(full.error().rfind(disk.path("sim.log") + ": cannot write: ", 0), 0u) << full.error();
    EXPECT_EQ(full.faults().dropped, 1u);   // counting goes on without the file
}

} // namespace
