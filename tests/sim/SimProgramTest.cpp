#include "ModbusMaster.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

TEST(SimProgram, PublishesItsPortServesAndWithdrawsOnTerminate)
{
    SimProcess sim({"--address", "3", "--steady"});
    ASSERT_TRUE(sim.started());
    std::string device = sim.output(1);
    ASSERT_FALSE(device.empty());
    device.pop_back();
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;

    std::ifstream file(sim.portFile());
    std::string line1, line2;
    std::getline(file, line1);
    std::getline(file, line2);
    EXPECT_EQ(line1, device);
    EXPECT_EQ(line2, std::to_string(sim.pid()));

    for (int round = 0; round < 2; ++round) {
        ModbusMaster master(device, 3);
        ASSERT_TRUE(master.ok());
        std::uint16_t address = 0;
        ASSERT_EQ(modbus_read_registers(master.ctx(), 27, 1, &address), 1);
        EXPECT_EQ(address, 3);
    }

    ::kill(sim.pid(), SIGTERM);
    EXPECT_EQ(sim.exitStatus(), 0);
    struct stat info {};
    EXPECT_NE(::stat(sim.portFile().c_str(), &info), 0);
}

TEST(SimProgram, ControllersOnOneLineAnswerOnlyTheirOwnAddressUnlessMuted)
{
    const std::string muteFile = ::testing::TempDir() + "hx-sim-mute";
    std::remove(muteFile.c_str());
    SimProcess sim({"--address", "1-3", "--steady", "--mute-file", muteFile});
    ASSERT_TRUE(sim.started());
    const std::string device = sim.device();
    ASSERT_FALSE(device.empty());

    // Each its own parameters: a write to one leaves the others as they were.
    {
        ModbusMaster master(device, 2, 300);
        ASSERT_TRUE(master.ok());
        ASSERT_EQ(modbus_write_register(master.ctx(), 0, 1234), 1);
    }
    const auto readAt = [&](int address, int reg) -> int {
        ModbusMaster master(device, address, 300);
        std::uint16_t value = 0;
        return master.ok() && modbus_read_registers(master.ctx(), reg, 1, &value) == 1 ? value : -1;
    };
    for (int address : {1, 2, 3})
        EXPECT_EQ(readAt(address, 27), address);
    EXPECT_EQ(readAt(2, 0), 1234);
    EXPECT_NE(readAt(1, 0), 1234);
    EXPECT_EQ(readAt(4, 27), -1);

    std::ofstream(muteFile) << "2\n";
    EXPECT_EQ(readAt(2, 27), -1);
    EXPECT_EQ(readAt(3, 27), 3);
    std::ofstream(muteFile) << "";
    EXPECT_EQ(readAt(2, 27), 2);
}

TEST(SimProgram, HelpAndBadOptions)
{
    SimProcess help({"--help"});
    ASSERT_TRUE(help.started());
    const std::string text = help.output();
    EXPECT_NE(text.find("--corrupt-crc"), std::string::npos);
    EXPECT_NE(text.find("high-temp"), std::string::npos);
    EXPECT_EQ(help.exitStatus(), 0);

    SimProcess bad({"--corrupt-crc", "1.5"});
    ASSERT_TRUE(bad.started());
    EXPECT_EQ(bad.exitStatus(), 2);
}

} // namespace
