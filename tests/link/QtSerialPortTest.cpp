#include "link/QtSerialPort.h"
#include "support/PtyPair.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// A second, plain descriptor on a terminal: lets a test look at the line
// settings the port really has and wait for bytes without an event loop.
class RawEnd {
public:
    explicit RawEnd(const std::string& path)
        : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
    }
    ~RawEnd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    RawEnd(const RawEnd&) = delete;
    RawEnd& operator=(const RawEnd&) = delete;

    bool ok() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    termios settings() const
    {
        termios t{};
        ::tcgetattr(fd_, &t);
        return t;
    }
    void send(const std::string& bytes) const
    {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Waits until `count` bytes are queued on this terminal (bounded).
    bool waitQueued(int count) const
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            int queued = 0;
            if (::ioctl(fd_, FIONREAD, &queued) == 0 && queued >= count)
                return true;
            pollfd p{fd_, POLLIN, 0};
            ::poll(&p, 1, 10);
        }
        return false;
    }

private:
    int fd_;
};

std::string readAll(QtSerialPort& port)
{
    std::uint8_t buffer[64];
    const long n = port.read(buffer, sizeof buffer);
    return n > 0 ? std::string(reinterpret_cast<char*>(buffer), static_cast<std::size_t>(n)) : std::string();
}

} // namespace

TEST(QtSerialPort, RoundTripWithoutEventLoop)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QtSerialPort a;
    QtSerialPort b;
    ASSERT_TRUE(a.open(pair.first()));
    ASSERT_TRUE(b.open(pair.second()));
    RawEnd watchB(pair.second());

    const std::uint8_t request[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x2C, 0x44, 0x17};
    EXPECT_EQ(a.write(request, sizeof request), 8);
    ASSERT_TRUE(watchB.waitQueued(8));
    EXPECT_EQ(b.bytesWaiting(), 8);

    std::uint8_t got[8] = {};
    EXPECT_EQ(b.read(got, 3), 3) << "never more than asked for";
    EXPECT_EQ(b.bytesWaiting(), 5);
    EXPECT_EQ(b.read(got + 3, sizeof got), 5);
    EXPECT_TRUE(std::equal(std::begin(got), std::end(got), std::begin(request)));
    EXPECT_EQ(b.bytesWaiting(), 0);
    EXPECT_EQ(b.read(got, sizeof got), 0);
}

TEST(QtSerialPort, DiscardDropsWhatWaits)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.open(pair.second()));
    RawEnd peer(pair.first());
    RawEnd watch(pair.second());

    peer.send("abc");
    ASSERT_TRUE(watch.waitQueued(3));
    EXPECT_EQ(port.bytesWaiting(), 3) << "taken into the port's own buffer";
    peer.send("de");
    ASSERT_TRUE(watch.waitQueued(2));
    EXPECT_TRUE(port.discardReceived());
    EXPECT_EQ(port.bytesWaiting(), 0) << "both the port's buffer and the system queue";
    peer.send("f");
    ASSERT_TRUE(watch.waitQueued(1));
    EXPECT_EQ(readAll(port), "f");
}

TEST(QtSerialPort, AppliesLineSettings)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QtSerialPort port;
    LineSettings settings;
    EXPECT_FALSE(port.getSettings(settings)) << "closed port";
    EXPECT_FALSE(port.setSettings(settings));
    ASSERT_TRUE(port.open(pair.first()));
    RawEnd device(pair.first());

    ASSERT_TRUE(port.getSettings(settings));
    settings.baudRate = 19200;
    settings.stopBits = StopBits::Two;
    ASSERT_TRUE(port.setSettings(settings));
    termios t = device.settings();
    EXPECT_EQ(cfgetospeed(&t), B19200);
    EXPECT_TRUE(t.c_cflag & CSTOPB);

    settings.stopBits = StopBits::One;
    ASSERT_TRUE(port.setSettings(settings));
    LineSettings shown;
    ASSERT_TRUE(port.getSettings(shown));
    EXPECT_EQ(shown.baudRate, 19200);
    EXPECT_EQ(shown.dataBits, 8);
    EXPECT_EQ(shown.parity, Parity::None);
    EXPECT_EQ(shown.stopBits, StopBits::One);
    t = device.settings();
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & CSTOPB);

    // A pseudo-terminal always carries 8 bits without parity: a device
    // that cannot take a setting must say so.
    LineSettings unsupported = settings;
    unsupported.parity = Parity::Even;
    EXPECT_FALSE(port.setSettings(unsupported));
    unsupported = settings;
    unsupported.dataBits = 7;
    EXPECT_FALSE(port.setSettings(unsupported));

    settings.dataBits = 9;
    EXPECT_FALSE(port.setSettings(settings));
    settings.dataBits = 8;
    settings.baudRate = 0;
    EXPECT_FALSE(port.setSettings(settings));
}

TEST(QtSerialPort, OpenIsExclusive)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string link = dir.filePath("ttyLINK").toStdString();
    ASSERT_EQ(::symlink(pair.first().c_str(), link.c_str()), 0);

    QtSerialPort first;
    QtSerialPort second;
    ASSERT_TRUE(first.open(pair.first()));
    EXPECT_FALSE(first.open(pair.first())) << "already open";
    EXPECT_TRUE(first.isOpen());
    EXPECT_FALSE(second.open(pair.first()));
    EXPECT_FALSE(second.open(link)) << "a link names the same device";
    first.close();

    ASSERT_TRUE(second.open(link));
    EXPECT_FALSE(first.open(pair.first())) << "the target of an open link";
    second.close();
    EXPECT_TRUE(first.open(pair.first()));
}

TEST(QtSerialPort, OpenFailsForNamesThatAreNoDevice)
{
    QtSerialPort port;
    EXPECT_FALSE(port.open(""));
    EXPECT_FALSE(port.open("COM"));
    EXPECT_FALSE(port.open("/dev/no-such-tty"));
    EXPECT_FALSE(port.open("/dev/null"));
    EXPECT_FALSE(port.isOpen());
    std::uint8_t byte = 0;
    EXPECT_EQ(port.bytesWaiting(), -1);
    EXPECT_EQ(port.read(&byte, 1), -1);
    EXPECT_EQ(port.write(&byte, 1), -1);
    EXPECT_FALSE(port.discardReceived());
}

TEST(QtSerialPort, BytesSentBeforeOpenAreDiscarded)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    RawEnd peer(pair.first());
    {
        RawEnd watch(pair.second());
        peer.send("stale");
        ASSERT_TRUE(watch.waitQueued(5));
    }
    QtSerialPort port;
    ASSERT_TRUE(port.open(pair.second()));
    EXPECT_EQ(port.bytesWaiting(), 0);

    RawEnd watch(pair.second());
    peer.send("fresh");
    ASSERT_TRUE(watch.waitQueued(5));
    EXPECT_EQ(readAll(port), "fresh");
}

TEST(QtSerialPort, HangUpClosesWhenPolledOrWritten)
{
    for (bool writeFirst : {false, true}) {
        PtyPair pair;
        ASSERT_TRUE(pair.ok());
        QtSerialPort port;
        ASSERT_TRUE(port.open(pair.first()));
        pair.hangUp();

        std::uint8_t byte = 0;
        if (writeFirst) {
            EXPECT_EQ(port.write(&byte, 1), -1);
        }
        EXPECT_EQ(port.bytesWaiting(), -1);
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.read(&byte, 1), -1);
        EXPECT_EQ(port.write(&byte, 1), -1);
        LineSettings settings;
        EXPECT_FALSE(port.getSettings(settings));
    }
}

TEST(QtSerialPort, HangUpClosesFromTheEventLoop)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.open(pair.first()));
    pair.hangUp();

    // Only the event loop runs: the port's own read notifier meets the
    // hang-up. Without the fix it keeps failing while the port stays open.
    for (int pass = 0; pass < 1000 && port.isOpen(); ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(port.isOpen());
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    EXPECT_EQ(port.bytesWaiting(), -1);
}

TEST(QtSerialPort, WriteBeyondTheTransmitQueueGoesOutWhilePolled)
{
    PtyPair pair;
    ASSERT_TRUE(pair.ok());
    QtSerialPort port;
    ASSERT_TRUE(port.open(pair.first()));
    RawEnd peer(pair.second());

    std::vector<std::uint8_t> data(256 * 1024);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i % 251);
    ASSERT_EQ(port.write(data.data(), data.size()), static_cast<long>(data.size()));

    std::vector<std::uint8_t> got;
    for (int attempt = 0; attempt < 5000 && got.size() < data.size(); ++attempt) {
        ASSERT_GE(port.bytesWaiting(), 0);
        ASSERT_TRUE(peer.waitQueued(1));
        std::uint8_t buffer[8192];
        const ssize_t n = ::read(peer.fd(), buffer, sizeof buffer);
        if (n > 0)
            got.insert(got.end(), buffer, buffer + n);
    }
    EXPECT_TRUE(got == data);
}
