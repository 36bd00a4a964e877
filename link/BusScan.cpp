#include "link/BusScan.h"

#include "link/LinkTap.h"
#include "link/SerialPort.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint16_t kFirmwareFirst = 15;
constexpr std::uint16_t kFirmwareCount = 9;
constexpr std::size_t kFirmwareStart = 3;
constexpr std::size_t kFirmwareChars = 18;
// No reply of the scan is longer; anything past it is noise.
constexpr std::size_t kLongestReply = 64;

}

BusScan::BusScan(SerialPort& port, LinkTap* tap, Clock clock)
    : port_(port), tap_(tap), clock_(std::move(clock))
{
}

void BusScan::start(int from, int to, int timeoutMs)
{
    from_ = from;
    to_ = to;
    timeoutMs_ = timeoutMs;
    address_ = from;
    done_ = 0;
    cancelled_ = false;
    found_.clear();
    phase_ = from <= to ? Phase::AskAddress : Phase::Idle;
    armed_ = true;
}

void BusScan::cancel()
{
    if (!running())
        return;
    cancelled_ = true;
    phase_ = Phase::Idle;
}

void BusScan::tick()
{
    if (!running())
        return;
    if (armed_)
        transmit();
    else
        receive();
}

std::uint8_t BusScan::function() const
{
    return phase_ == Phase::AskAddress ? Frames::Function::ReadHoldingRegisters
                                       : Frames::Function::ReadInputRegisters;
}

std::size_t BusScan::replyLength() const
{
    return phase_ == Phase::AskAddress ? Frames::replyLength(function(), 1)
                                       : Frames::replyLength(function(), kFirmwareCount);
}

int BusScan::timeoutMs() const
{
    const int wait = phase_ == Phase::AskAddress ? timeoutMs_ : timeoutMs_ * kFirmwareWaitFactor;
    return wait + port_.extraWaitMs();
}

void BusScan::transmit()
{
    const auto address = static_cast<std::uint8_t>(address_);
    const std::size_t length = phase_ == Phase::AskAddress
        ? Frames::buildRead(tx_, address, function(), kAddressRegister, 1)
        : Frames::buildRead(tx_, address, function(), kFirmwareFirst, kFirmwareCount);
    // Whatever a slow device sent for the previous address must not be
    // taken for this one's reply.
    if (tap_)
        tap_->discarding(port_);
    port_.discardReceived();
    const long written = port_.write(tx_.data(), length);
    if (tap_) {
        tap_->portNotes(port_);
        tap_->requestSent({tx_.data(), length}, written, replyLength());
    }
    rx_.clear();
    sentAt_ = clock_();
    armed_ = false;
}

void BusScan::receive()
{
    std::array<std::uint8_t, kLongestReply> buffer{};
    const long got = port_.read(buffer.data(), buffer.size());
    if (tap_)
        tap_->portNotes(port_);
    if (got > 0) {
        const auto count = static_cast<std::size_t>(got);
        if (tap_)
            tap_->bytesReceived({buffer.data(), count});
        const std::size_t kept = std::min(count, kLongestReply - std::min(rx_.size(), kLongestReply));
        rx_.insert(rx_.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(kept));
    }

    const std::size_t length = replyLength();
    if (rx_.size() >= length) {
        const std::span<const std::uint8_t> reply(rx_.data(), length);
        const Frames::ReplyStatus status = Frames::checkReply(reply, length, static_cast<std::uint8_t>(address_), function());
        if (status == Frames::ReplyStatus::Valid) {
            if (tap_)
                tap_->outcome(LinkOutcome::Valid);
            if (phase_ == Phase::AskAddress) {
                found_.push_back({address_, {}, false});
                phase_ = Phase::AskFirmware;
                armed_ = true;
            } else {
                found_.back().firmware = firmwareText(reply);
                found_.back().firmwareRead = true;
                nextAddress();
            }
            return;
        }
        // A spoilt or foreign frame: nothing at this address answered as a
        // controller does; the next request drops the rest.
        if (tap_)
            tap_->outcome(status == Frames::ReplyStatus::WrongReply ? LinkOutcome::WrongReply : LinkOutcome::CrcMismatch);
        nextAddress();
        return;
    }
    if (clock_() - sentAt_ >= timeoutMs()) {
        if (tap_)
            tap_->outcome(LinkOutcome::Timeout);
        nextAddress();
    }
}

void BusScan::nextAddress()
{
    ++done_;
    armed_ = true;
    if (address_ >= to_) {
        phase_ = Phase::Idle;
        return;
    }
    ++address_;
    phase_ = Phase::AskAddress;
}

std::string BusScan::firmwareText(std::span<const std::uint8_t> reply)
{
    std::string text;
    for (std::size_t i = kFirmwareStart; i < reply.size() && i < kFirmwareStart + kFirmwareChars; ++i) {
        if (reply[i] == 0)
            break;
        text.push_back(static_cast<char>(reply[i]));
    }
    return text;
}
