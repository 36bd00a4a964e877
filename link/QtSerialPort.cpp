#include "link/QtSerialPort.h"

#include <QSerialPort>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <poll.h>

namespace {

QSerialPort::Parity toQt(Parity parity)
{
    switch (parity) {
    case Parity::None: return QSerialPort::NoParity;
    case Parity::Odd: return QSerialPort::OddParity;
    case Parity::Even: return QSerialPort::EvenParity;
    case Parity::Mark: return QSerialPort::MarkParity;
    case Parity::Space: return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(StopBits stopBits)
{
    switch (stopBits) {
    case StopBits::One: return QSerialPort::OneStop;
    case StopBits::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case StopBits::Two: return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

bool fromQt(QSerialPort::Parity parity, Parity& out)
{
    switch (parity) {
    case QSerialPort::NoParity: out = Parity::None; return true;
    case QSerialPort::OddParity: out = Parity::Odd; return true;
    case QSerialPort::EvenParity: out = Parity::Even; return true;
    case QSerialPort::MarkParity: out = Parity::Mark; return true;
    case QSerialPort::SpaceParity: out = Parity::Space; return true;
    }
    return false;
}

bool fromQt(QSerialPort::StopBits stopBits, StopBits& out)
{
    switch (stopBits) {
    case QSerialPort::OneStop: out = StopBits::One; return true;
    case QSerialPort::OneAndHalfStop: out = StopBits::OneAndHalf; return true;
    case QSerialPort::TwoStop: out = StopBits::Two; return true;
    }
    return false;
}

// The device a path names once every symbolic link is followed; empty when
// it does not exist. QSerialPort keys its lock file by the path text.
std::string canonicalDevice(const std::string& path)
{
    if (path.empty() || path.front() != '/')
        return {};
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return {};
    return resolved;
}

short pollNow(int fd)
{
    pollfd line{fd, POLLIN, 0};
    if (::poll(&line, 1, 0) < 0)
        return POLLERR;
    return line.revents;
}

// Hung up, pulled out or otherwise unusable.
bool lineGone(short events)
{
    return (events & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

} // namespace

QtSerialPort::QtSerialPort()
    : port_(std::make_unique<QSerialPort>())
{
    // After a hang-up QSerialPort reports a read fault again on every pass
    // of the event loop for as long as the port stays open: close at the
    // first. A full transmit queue is reported as a resource fault too,
    // so that one closes only if the line is really gone.
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [port = port_.get()](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::ReadError
                             || (error == QSerialPort::ResourceError && lineGone(pollNow(port->handle()))))
                             port->close();
                     });
}

QtSerialPort::~QtSerialPort() = default;

bool QtSerialPort::open(const std::string& deviceName)
{
    if (port_->isOpen())
        return false;
    const std::string device = canonicalDevice(deviceName);
    if (device.empty())
        return false;
    port_->setPortName(QString::fromStdString(device));
    if (!port_->open(QIODevice::ReadWrite))
        return false;
    // Whatever the line carried before we opened is not an answer to us.
    port_->clear(QSerialPort::Input);
    return port_->isOpen();
}

bool QtSerialPort::isOpen() const
{
    return port_->isOpen();
}

void QtSerialPort::close()
{
    port_->close();
}

bool QtSerialPort::getSettings(LineSettings& settings)
{
    if (!port_->isOpen())
        return false;
    LineSettings current;
    current.baudRate = port_->baudRate();
    current.dataBits = port_->dataBits();
    if (current.baudRate <= 0 || current.dataBits < 5 || current.dataBits > 8
        || !fromQt(port_->parity(), current.parity) || !fromQt(port_->stopBits(), current.stopBits))
        return false;
    settings = current;
    return true;
}

bool QtSerialPort::setSettings(const LineSettings& settings)
{
    if (!port_->isOpen() || settings.baudRate <= 0 || settings.dataBits < 5 || settings.dataBits > 8)
        return false;
    return port_->setBaudRate(settings.baudRate)
        && port_->setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits))
        && port_->setParity(toQt(settings.parity))
        && port_->setStopBits(toQt(settings.stopBits));
}

// Moves the bytes the system holds into the port's buffer without waiting,
// and closes the port if the line has hung up. What a full transmit queue
// held back at the last write goes out now.
bool QtSerialPort::takeReceived()
{
    if (!port_->isOpen())
        return false;
    if (port_->bytesToWrite() > 0 && !port_->flush() && !port_->isOpen())
        return false;
    const short events = pollNow(port_->handle());
    if (lineGone(events)) {
        port_->close();
        return false;
    }
    if ((events & POLLIN) != 0)
        port_->waitForReadyRead(0);
    return port_->isOpen();
}

long QtSerialPort::bytesWaiting()
{
    if (!takeReceived())
        return -1;
    return static_cast<long>(port_->bytesAvailable());
}

bool QtSerialPort::discardReceived()
{
    if (!port_->isOpen())
        return false;
    return port_->clear(QSerialPort::Input);
}

long QtSerialPort::read(std::uint8_t* buffer, std::size_t maxBytes)
{
    if (!takeReceived())
        return -1;
    const qint64 count = port_->read(reinterpret_cast<char*>(buffer),
                                     static_cast<qint64>(std::min<std::size_t>(maxBytes, LONG_MAX)));
    return static_cast<long>(count);
}

long QtSerialPort::write(const std::uint8_t* data, std::size_t length)
{
    if (!port_->isOpen())
        return -1;
    const qint64 count = port_->write(reinterpret_cast<const char*>(data), static_cast<qint64>(length));
    // No event loop may run before the next tick: hand the bytes to the
    // system now instead of when the write notifier fires.
    port_->flush();
    if (count < 0 || !port_->isOpen())
        return -1;
    return static_cast<long>(count);
}
