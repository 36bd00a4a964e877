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

TEST(PortNames, NetworkNamesParse)
{
    using Kind = PortAddress::Kind;
    struct Case {
        std::string name;
        bool parses;
        Kind kind;
        std::string host;
        int port;
        int waitMs;
    };
    const Case cases[] = {
        {"socket://127.0.0.1:4001", true, Kind::RtuOverTcp, "127.0.0.1", 4001, 100},
        {"tcp://localhost:502", true, Kind::ModbusTcp, "localhost", 502, 100},
        {"TCP://gw-3.site.example:502?WAIT=250", true, Kind::ModbusTcp, "gw-3.site.example", 502, 250},
        {"tcp://[::1]:1502?wait=0", true, Kind::ModbusTcp, "::1", 1502, 0},
        {"/dev/ttyUSB0?wait=40", true, Kind::Serial, "", 0, 40},
        {"COM1", true, Kind::Serial, "", 0, 0},
        {"tcp://127.0.0.1", false, Kind::Serial, "", 0, 0},
        {"tcp://:502", false, Kind::Serial, "", 0, 0},
        {"tcp://127.0.0.1:0", false, Kind::Serial, "", 0, 0},
        {"tcp://127.0.0.1:65536", false, Kind::Serial, "", 0, 0},
        {"tcp://127.0.0.1:50x", false, Kind::Serial, "", 0, 0},
        {"tcp://::1:502", false, Kind::Serial, "", 0, 0},
        {"tcp://[::1:502", false, Kind::Serial, "", 0, 0},
        {"socket://a b:502", false, Kind::Serial, "", 0, 0},
        {"socket://127.0.0.1:502?wait=-1", false, Kind::Serial, "", 0, 0},
        {"socket://127.0.0.1:502?wait=10001", false, Kind::Serial, "", 0, 0},
        {"COM?wait=5", false, Kind::Serial, "", 0, 0},
    };
    for (const Case& c : cases) {
        const ParsedPort parsed = parsePortName(deviceForPortText(c.name).empty() ? c.name : deviceForPortText(c.name));
        ASSERT_EQ(parsed.address.has_value(), c.parses) << c.name << ": " << parsed.error;
        if (!c.parses) {
            EXPECT_FALSE(parsed.error.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(parsed.address->kind, c.kind) << c.name;
        EXPECT_EQ(parsed.address->host, c.host) << c.name;
        EXPECT_EQ(parsed.address->port, c.port) << c.name;
        EXPECT_EQ(parsed.address->extraWaitMs(), c.waitMs) << c.name;
    }
    // Typed as it stands, scheme in lower case for the port; a wait can be set on any name.
    EXPECT_EQ(typedPortText("tcp://gw:502"), "tcp://gw:502");
    EXPECT_EQ(typedPortText("socke"), "socke");
    EXPECT_EQ(deviceForPortText("SOCKET://Gw:4001"), "socket://Gw:4001");
    EXPECT_EQ(deviceForPortText("com2?wait=30"), "/dev/ttyS1?wait=30");
    EXPECT_EQ(withWait("tcp://gw:502?wait=5", 300), "tcp://gw:502?wait=300");
    EXPECT_TRUE(isNetworkName("Socket://x"));
    EXPECT_FALSE(isNetworkName("COM1"));
}
