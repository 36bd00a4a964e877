#pragma once

#include "link/Frames.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class LinkTap;
class SerialPort;

// Looks for controllers on the line when nobody knows their bus address:
// asks each address of a range in turn for its address register and, where
// one answers, for its firmware text. Only reads are sent, never a write.
// A silent address costs one short time-out, so a whole bus is searched in
// seconds instead of the engine's second per attempt.
//
// Like the engine it is driven by ticks that never block; time-outs are
// measured on `Clock` (monotonic milliseconds), which tests advance by hand.
class BusScan {
public:
    using Clock = std::function<std::int64_t()>;

    struct Found {
        int address = 0;
        // The controller's firmware text; empty when it did not send one.
        std::string firmware;
        bool firmwareRead = false;
    };

    static constexpr int kAddressRegister = 27;
    static constexpr int kDefaultTimeoutMs = 100;
    // The firmware reply is three times as long as the address reply; the
    // controller is known to be there, so it gets a longer wait.
    static constexpr int kFirmwareWaitFactor = 3;

    // `tap` (may be nullptr) sees the scan's traffic as it sees the engine's.
    BusScan(SerialPort& port, LinkTap* tap, Clock clock);

    // Starts at `from`; the caller keeps 1 <= from <= to <= 255.
    void start(int from, int to, int timeoutMs);
    void tick();
    void cancel();

    bool running() const { return phase_ != Phase::Idle; }
    bool cancelled() const { return cancelled_; }
    // The address being asked now (or last asked).
    int current() const { return address_; }
    // Addresses finished so far, and the number in the range.
    int done() const { return done_; }
    int total() const { return to_ - from_ + 1; }
    const std::vector<Found>& found() const { return found_; }

    // The firmware text of a valid reply to the firmware read: the
    // characters before the first NUL, at most 18, as the window shows them.
    static std::string firmwareText(std::span<const std::uint8_t> reply);

private:
    enum class Phase { Idle, AskAddress, AskFirmware };

    void transmit();
    void receive();
    void nextAddress();
    std::size_t replyLength() const;
    std::uint8_t function() const;
    int timeoutMs() const;

    SerialPort& port_;
    LinkTap* tap_;
    Clock clock_;
    Phase phase_ = Phase::Idle;
    bool armed_ = false;
    bool cancelled_ = false;
    int from_ = 1;
    int to_ = 0;
    int address_ = 0;
    int done_ = 0;
    int timeoutMs_ = kDefaultTimeoutMs;
    std::int64_t sentAt_ = 0;
    Frames::TxBuffer tx_{};
    std::vector<std::uint8_t> rx_;
    std::vector<Found> found_;
};
