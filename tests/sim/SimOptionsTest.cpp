#include "sim/SimOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SimOptions, ReadsEveryOption)
{
    SimOptions o;
    std::string error;
    ASSERT_TRUE(parseSimOptions({"--address", "247", "--seed", "99", "--delay-ms", "250", "--drop", "0.25",
                                 "--corrupt-crc", "1", "--stray", "0", "--wrong-address", "0.5", "--alarm",
                                 "high-temp", "--alarm", "fan-stall", "--steady", "--verbose", "--listen-tcp", "1502",
                                 "--refuse-writes", "11-21"},
                                o, error))
        << error;
    EXPECT_EQ(o.addresses, std::vector<std::uint8_t>{247});
    EXPECT_EQ(o.seed, 99u);
    EXPECT_EQ(o.faults.seed, 99u);
    EXPECT_EQ(o.faults.delayMs, 250);
    EXPECT_DOUBLE_EQ(o.faults.drop, 0.25);
    EXPECT_DOUBLE_EQ(o.faults.corruptCrc, 1.0);
    EXPECT_DOUBLE_EQ(o.faults.wrongAddress, 0.5);
    EXPECT_EQ(o.alarms, (std::set<AlarmScenario>{AlarmScenario::HighTemp, AlarmScenario::FanStall}));
    EXPECT_FALSE(o.supplyDips);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.listen, SimOptions::Listen::ModbusTcp);
    EXPECT_EQ(o.listenPort, 1502);
    EXPECT_EQ(o.refuseFirst, 11);
    EXPECT_EQ(o.refuseLast, 21);

    ASSERT_TRUE(parseSimOptions({"--address", "7,1-3,2", "--mute-file", "/tmp/m"}, o, error)) << error;
    EXPECT_EQ(o.addresses, (std::vector<std::uint8_t>{1, 2, 3, 7}));
    EXPECT_EQ(o.muteFile, "/tmp/m");
}

TEST(SimOptions, RefusesWhatItCannotUse)
{
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {"--address", "0"}, {"--address", "256"}, {"--address", "1x"}, {"--address", "3-1"}, {"--address", "1,,2"}, {"--mute-file", ""}, {"--drop", "1.01"},
             {"--drop", "-0.1"}, {"--drop", "nan"}, {"--stray", ""}, {"--delay-ms", "-5"},
             {"--alarm", "fire"}, {"--seed"}, {"--frobnicate"}, {"--listen-rtu", "65536"},
             {"--listen-tcp", "x"}, {"--listen-rtu", "0", "--listen-tcp", "0"}, {"--refuse-writes", "21-11"},
             {"--refuse-writes", "a-3"}}) {
        SimOptions o;
        std::string error;
        EXPECT_FALSE(parseSimOptions(args, o, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
