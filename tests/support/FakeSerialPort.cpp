#include "support/FakeSerialPort.h"

#include <algorithm>
#include <cstring>
#include <utility>

bool FakeSerialPort::open(const std::string& /*deviceName*/)
{
    if (open_ || unplugged_)
        return false;
    open_ = true;
    return true;
}

bool FakeSerialPort::isOpen() const
{
    return open_;
}

void FakeSerialPort::close()
{
    open_ = false;
}

bool FakeSerialPort::getSettings(LineSettings& settings)
{
    if (!usable())
        return false;
    settings = settings_;
    return true;
}

bool FakeSerialPort::setSettings(const LineSettings& settings)
{
    if (!usable() || rejectSettings_)
        return false;
    settings_ = settings;
    return true;
}

long FakeSerialPort::bytesWaiting()
{
    if (!usable())
        return -1;
    releaseDue();
    return static_cast<long>(available_.size());
}

bool FakeSerialPort::discardReceived()
{
    if (!usable())
        return false;
    ++discards_;
    releaseDue();
    available_.clear();
    return true;
}

long FakeSerialPort::read(std::uint8_t* buffer, std::size_t maxBytes)
{
    if (!usable())
        return -1;
    releaseDue();
    const std::size_t n = std::min(maxBytes, available_.size());
    if (n != 0)
        std::memcpy(buffer, available_.data(), n);
    available_.erase(available_.begin(), available_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<long>(n);
}

long FakeSerialPort::write(const std::uint8_t* data, std::size_t length)
{
    if (!usable())
        return -1;
    Bytes frame(data, data + length);
    written_.push_back(frame);
    if (responder_) {
        Bytes reply = responder_(frame);
        if (!reply.empty())
            deliver(reply, replyAfter_);
    }
    return static_cast<long>(length);
}

void FakeSerialPort::advance(int steps)
{
    now_ += steps;
    releaseDue();
}

void FakeSerialPort::deliver(const Bytes& bytes, int afterSteps)
{
    scheduled_.push_back({now_ + afterSteps, bytes});
    releaseDue();
}

void FakeSerialPort::deliverInPieces(const Bytes& bytes, const std::vector<std::size_t>& sizes, int firstAfter, int every)
{
    std::size_t at = 0;
    int when = firstAfter;
    for (std::size_t size : sizes) {
        const std::size_t n = std::min(size, bytes.size() - at);
        deliver(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + n)), when);
        at += n;
        when += every;
    }
    if (at < bytes.size())
        deliver(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end()), when);
}

void FakeSerialPort::setResponder(Responder responder, int replyAfterSteps)
{
    responder_ = std::move(responder);
    replyAfter_ = replyAfterSteps;
}

void FakeSerialPort::clearResponder()
{
    responder_ = nullptr;
}

// Moves due bytes onto the receive queue, earliest first; bytes due at the
// same step keep the order they were scheduled in.
void FakeSerialPort::releaseDue()
{
    std::stable_sort(scheduled_.begin(), scheduled_.end(),
                     [](const Scheduled& a, const Scheduled& b) { return a.due < b.due; });
    auto due = std::stable_partition(scheduled_.begin(), scheduled_.end(),
                                     [this](const Scheduled& s) { return s.due <= now_; });
    for (auto it = scheduled_.begin(); it != due; ++it)
        available_.insert(available_.end(), it->bytes.begin(), it->bytes.end());
    scheduled_.erase(scheduled_.begin(), due);
}
