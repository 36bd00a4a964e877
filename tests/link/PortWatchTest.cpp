#include "link/PortWatch.h"
#include "link/QtSerialPort.h"
#include "support/FakeSerialPort.h"
#include "support/PtyPair.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <memory>
#include <poll.h>
#include <unistd.h>

namespace {

LineSettings fastLine()
{
    LineSettings settings;
    settings.baudRate = 19200;
    settings.dataBits = 8;
    return settings;
}

// A watch on a scripted port the operator has opened.
struct Watched {
    FakeSerialPort port;
    PortWatch watch{port};

    Watched()
    {
        port.open("COM1");
        watch.watch("COM1", fastLine());
    }
};

TEST(PortWatch, LossIsNoticedOnceAndTheDeviceReopensWithItsSettingsWhenBack)
{
    Watched w;
    EXPECT_FALSE(w.watch.noticeLoss()) << "open and well";
    EXPECT_FALSE(w.watch.tick());
    EXPECT_EQ(w.watch.state(), PortWatch::State::Watching);

    w.port.unplug();
    EXPECT_TRUE(w.watch.noticeLoss());
    EXPECT_FALSE(w.watch.noticeLoss()) << "told once";
    EXPECT_EQ(w.watch.state(), PortWatch::State::Lost);
    for (int second = 0; second < 3; ++second)
        EXPECT_FALSE(w.watch.tick()) << "still gone";
    EXPECT_FALSE(w.port.isOpen());

    w.port.replug();
    EXPECT_TRUE(w.watch.tick());
    EXPECT_TRUE(w.port.isOpen());
    EXPECT_EQ(w.port.settings().baudRate, 19200);
    EXPECT_EQ(w.watch.state(), PortWatch::State::Watching);
    EXPECT_FALSE(w.watch.tick()) << "nothing more to do";

    // Lost again: tick() notices by itself too.
    w.port.unplug();
    w.port.replug();
    EXPECT_TRUE(w.watch.tick());
}

TEST(PortWatch, NothingIsReopenedOnceTheOperatorHasClosed)
{
    for (bool closedWhileLost : {false, true}) {
        Watched w;
        if (closedWhileLost) {
            w.port.unplug();
            ASSERT_TRUE(w.watch.noticeLoss());
        }
        w.watch.stop();
        w.port.close();
        w.port.replug();
        EXPECT_FALSE(w.watch.noticeLoss());
        EXPECT_FALSE(w.watch.tick());
        EXPECT_FALSE(w.port.isOpen()) << closedWhileLost;
        EXPECT_EQ(w.watch.state(), PortWatch::State::Idle);
    }
}

TEST(PortWatch, APseudoTerminalNamedDirectlyIsNotReopened)
{
    FakeSerialPort port;
    PortWatch watch(port);
    port.open("/dev/pts/7");
    watch.watch("/dev/pts/7", fastLine());
    port.unplug();
    EXPECT_TRUE(watch.noticeLoss());
    EXPECT_EQ(watch.state(), PortWatch::State::Gone);
    EXPECT_TRUE(watch.lost());
    port.replug();
    EXPECT_FALSE(watch.tick()) << "the number may now be another program's terminal";
    EXPECT_FALSE(port.isOpen());
}

TEST(PortWatch, ADeviceThatRefusesTheSettingsIsClosedAndTriedAgain)
{
    Watched w;
    w.port.unplug();
    w.port.replug();
    w.port.setRejectSettings(true);
    EXPECT_FALSE(w.watch.tick());
    EXPECT_FALSE(w.port.isOpen()) << "not left open half set up";
    EXPECT_EQ(w.watch.state(), PortWatch::State::Lost);
    w.port.setRejectSettings(false);
    EXPECT_TRUE(w.watch.tick());
}

// The byte that arrives at the terminal `path` next (bounded wait), or -1.
int nextByteAt(const std::string& path, const std::function<void()>& send)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    send();
    pollfd p{fd, POLLIN, 0};
    std::uint8_t byte = 0;
    const bool got = ::poll(&p, 1, 2000) == 1 && ::read(fd, &byte, 1) == 1;
    ::close(fd);
    return got ? byte : -1;
}

// A USB adapter on real terminals: its stable name is a link in the adapter
// folder; pulled, the terminal hangs up and the link goes; plugged in again
// it comes back as another terminal behind the same link.
TEST(PortWatch, FollowsTheStableAdapterNameToTheDeviceItComesBackAs)
{
    QTemporaryDir adapters;
    ASSERT_TRUE(adapters.isValid());
    const std::string stable = adapters.filePath("usb-FTDI_FT232R_A1-if00-port0").toStdString();
    auto before = std::make_unique<PtyPair>();
    ASSERT_TRUE(before->ok());
    ASSERT_EQ(::symlink(before->first().c_str(), stable.c_str()), 0);

    QtSerialPort port;
    PortWatch watch(port, adapters.path().toStdString());
    ASSERT_TRUE(port.open(before->first()));
    watch.watch(before->first(), fastLine());
    EXPECT_EQ(watch.device(), stable) << "typed as a terminal, watched by its stable name";

    before->hangUp();
    ::unlink(stable.c_str());
    EXPECT_EQ(port.bytesWaiting(), -1);
    EXPECT_TRUE(watch.noticeLoss());
    EXPECT_FALSE(watch.tick());

    PtyPair after;
    ASSERT_TRUE(after.ok());
    ASSERT_EQ(::symlink(after.first().c_str(), stable.c_str()), 0);
    ASSERT_TRUE(watch.tick());
    LineSettings settings;
    ASSERT_TRUE(port.getSettings(settings));
    EXPECT_EQ(settings.baudRate, 19200);

    const std::uint8_t byte = 0x5A;
    EXPECT_EQ(nextByteAt(after.second(), [&] { EXPECT_EQ(port.write(&byte, 1), 1); }), byte);
}

} // namespace
