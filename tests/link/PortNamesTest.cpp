#include "link/PortDiscovery.h"
#include "link/PortNames.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace PortNames;

TEST(PortNames, TypedTextIsUpperCasedUnlessAPath)
{
    EXPECT_EQ(typedPortText("com3"), "COM3");
    EXPECT_EQ(typedPortText("com"), "COM");
    EXPECT_EQ(typedPortText("/dev/serial/by-id/usb-FTDI_x-if00"), "/dev/serial/by-id/usb-FTDI_x-if00");
    EXPECT_EQ(typedPortText(""), "");
}

TEST(PortNames, DeviceForPortText)
{
    EXPECT_EQ(deviceForPortText("COM1"), "/dev/ttyS0");
    EXPECT_EQ(deviceForPortText("COM9"), "/dev/ttyS8");
    EXPECT_EQ(deviceForPortText("COM10"), "/dev/ttyS9");
    EXPECT_EQ(deviceForPortText("com2"), "/dev/ttyS1");
    EXPECT_EQ(deviceForPortText("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(deviceForPortText("/dev/pts/4 (simulator)"), "/dev/pts/4");
    EXPECT_EQ(deviceForPortText("/tmp/Odd Name"), "/tmp/Odd Name") << "used exactly as typed";

    for (const char* none : {"COM", "", "COM0", "COM01", "COM257", "COM1 ", "COM-1", "COMX", "ttyS0", "../dev/ttyS0",
                             "COM99999999999999999999"})
        EXPECT_EQ(deviceForPortText(none), "") << '"' << none << '"';
}

TEST(PortNames, ItemsListTheSimulatorFirstThenComPortsThenWhatTheSystemHas)
{
    const auto items = portItems({"/dev/ttyS0", "/dev/ttyUSB0"}, {"/dev/serial/by-id/usb-x", "/dev/ttyUSB0"}, "/dev/pts/3");
    const std::vector<std::string> expected{"/dev/pts/3 (simulator)", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6",
                                            "COM7", "COM8", "COM9", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/serial/by-id/usb-x"};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(deviceForPortText(items.front()), "/dev/pts/3");
    const auto withoutSimulator = portItems({}, {}, "");
    ASSERT_EQ(withoutSimulator.size(), 9U);
    EXPECT_EQ(withoutSimulator.front(), "COM1");
}

TEST(PortNames, StableAdapterNameLeadsToTheSameDevice)
{
    QTemporaryDir adapters;
    ASSERT_TRUE(adapters.isValid());
    const std::string folder = adapters.path().toStdString();
    const std::string stable = folder + "/usb-FTDI_FT232R_A1-if00-port0";
    ASSERT_EQ(::symlink("/dev/null", (folder + "/usb-other-if00").c_str()), 0);
    ASSERT_EQ(::symlink("/dev/zero", stable.c_str()), 0);

    EXPECT_EQ(stableAdapterName("/dev/zero", folder), stable) << "the adapter's stable name";
    EXPECT_EQ(stableAdapterName(stable, folder), stable) << "already stable";
    EXPECT_EQ(stableAdapterName("/dev/full", folder), "/dev/full") << "no stable name";
    EXPECT_EQ(stableAdapterName("/dev/no-such-tty", folder), "/dev/no-such-tty") << "gone";
    EXPECT_EQ(stableAdapterName("/dev/zero", folder + "/missing"), "/dev/zero") << "no adapter folder";
}
