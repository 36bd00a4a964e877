#include "link/ConsolePort.h"

#include "link/NetworkPort.h"
#include "link/PortNames.h"
#include "link/QtSerialPort.h"

#include <utility>

std::unique_ptr<SerialPort> openPort(const std::string& name, std::string& error)
{
    const PortNames::ParsedPort parsed = PortNames::parsePortName(name);
    if (!parsed.address) {
        error = parsed.error;
        return nullptr;
    }
    std::unique_ptr<SerialPort> port;
    if (parsed.address->network())
        port = std::make_unique<NetworkPort>();
    else
        port = std::make_unique<QtSerialPort>();
    if (!port->open(parsed.address->network() ? name : parsed.address->device)) {
        error = port->openError();
        if (error.empty())
            error = parsed.address->device + " cannot be opened (missing, in use or not permitted)";
        return nullptr;
    }
    error.clear();
    return port;
}

bool ConsolePort::open(const std::string& name)
{
    if (isOpen()) {
        error_ = "the port is already open";
        return false;
    }
    port_ = openPort(name, error_);
    if (!port_)
        return false;
    name_ = name;
    extraWaitMs_ = PortNames::parsePortName(name).address->extraWaitMs();
    inUse_ = true;
    restored_ = !lostName_.empty() && lostName_ == name;
    lostName_.clear();
    return true;
}

bool ConsolePort::isOpen() const
{
    return port_ && port_->isOpen();
}

void ConsolePort::close()
{
    if (port_)
        port_->close();
    inUse_ = false;
    lostName_.clear();
}

bool ConsolePort::getSettings(LineSettings& settings)
{
    return isOpen() && port_->getSettings(settings);
}

bool ConsolePort::setSettings(const LineSettings& settings)
{
    return isOpen() && port_->setSettings(settings);
}

long ConsolePort::bytesWaiting()
{
    return isOpen() ? port_->bytesWaiting() : -1;
}

bool ConsolePort::discardReceived()
{
    return isOpen() && port_->discardReceived();
}

long ConsolePort::read(std::uint8_t* buffer, std::size_t maxBytes)
{
    return isOpen() ? port_->read(buffer, maxBytes) : -1;
}

long ConsolePort::write(const std::uint8_t* data, std::size_t length)
{
    return isOpen() ? port_->write(data, length) : -1;
}

std::string ConsolePort::openError() const
{
    // After a loss the port tells why it went.
    if (port_ && !isOpen() && !port_->openError().empty())
        return port_->openError();
    return error_;
}

std::vector<PortNote> ConsolePort::takeNotes()
{
    std::vector<PortNote> notes = port_ ? port_->takeNotes() : std::vector<PortNote>{};
    if (restored_) {
        restored_ = false;
        notes.insert(notes.begin(), PortNote{PortNote::Kind::Restored, {}, 0, name_});
    }
    if (inUse_ && !isOpen()) {
        inUse_ = false;
        lostName_ = name_;
        const std::string why = port_->openError();
        notes.push_back({PortNote::Kind::Lost, {}, 0, why.empty() ? name_ : name_ + ": " + why});
    }
    return notes;
}
