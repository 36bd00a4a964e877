#pragma once

#include "link/LinkObserver.h"
#include "sim/FaultInjector.h"
#include "sim/RequestAssembler.h"
#include "sim/SimTypes.h"

#include <functional>
#include <cstdint>
#include <string>
#include <vector>

class SimController;

// The controllers' end of the serial line: a pseudo-terminal whose other
// end (device()) the console opens. Cuts requests out of the byte stream,
// has the controller whose bus address a request carries serve it (every
// controller serves a broadcast) and writes the replies, through the fault
// injector. Several controllers on one line make a multi-drop bus. The console may close and reopen its end at
// will: while nobody holds it the slave just waits.
class RtuSlave {
public:
    using Clock = std::function<SimMillis()>;
    using Log = std::function<void(const std::string&)>;

    // `modelClock` times the controller's plant; line timing always uses
    // the steady clock.
    RtuSlave(SimController& controller, FaultInjector& faults, Clock modelClock);
    // Another controller on the same line; it must outlive the slave.
    void addController(SimController& controller) { controllers_.push_back(&controller); }
    // Asked before each request: a controller whose address it names stays
    // silent, as one that hangs or loses its supply.
    using Muted = std::function<bool(std::uint8_t address)>;
    void setMuted(Muted muted) { muted_ = std::move(muted); }
    ~RtuSlave();
    RtuSlave(const RtuSlave&) = delete;
    RtuSlave& operator=(const RtuSlave&) = delete;

    // Creates the pseudo-terminal; false (with errorText()) when it cannot.
    bool open();
    const std::string& device() const { return device_; }
    const std::string& errorText() const { return error_; }

    // Serves requests until stop() is called or `stopFd` becomes readable.
    void run(int stopFd = -1);
    // Ends run(); callable from any thread.
    void stop();

    // Receives one line per request and per reply when set.
    void setLog(Log log) { log_ = std::move(log); }
    // Told, once the reply has gone, of every request addressed to the
    // controller (with the time it was complete), the reply bytes sent
    // (empty when dropped) and the faults put into them.
    using ExchangeHook = std::function<void(const LinkTime& requestAt, const std::vector<std::uint8_t>& request,
                                            const std::vector<std::uint8_t>& reply,
                                            const FaultInjector::Decision& decision)>;
    void setExchangeHook(ExchangeHook hook) { exchangeHook_ = std::move(hook); }

    // A request frame is over when the line stays silent this long.
    static constexpr int kFrameGapMs = 50;
    // A pseudo-terminal delivers a request at once; a 9600-baud line takes
    // its transmission time, and the slave then keeps 3.5 characters of
    // silence. The reply waits that long, so the master's discard after
    // transmitting meets an empty queue as it would on a real bus.
    static int turnaroundMs(std::size_t requestBytes);
    // How often a slave whose far end is closed looks whether it was reopened.
    static constexpr int kReopenPollMs = 20;

private:
    enum class Wait { Ready, TimedOut, Stopped };
    // Waits up to `timeoutMs` (-1 forever) for input on the line (unless
    // `withLine` is false) or for a stop.
    Wait waitFor(bool withLine, int timeoutMs, int stopFd);
    // Reads what is waiting; false when the far end is closed.
    bool readLine();
    bool farEndClosed();
    void handle(const std::vector<std::uint8_t>& frame, int stopFd);
    void writeLine(const std::vector<std::uint8_t>& bytes);
    void note(const char* what, const std::vector<std::uint8_t>& bytes);

    SimController* controllerAt(std::uint8_t address) const;

    std::vector<SimController*> controllers_;
    Muted muted_;
    FaultInjector& faults_;
    Clock modelClock_;
    Log log_;
    ExchangeHook exchangeHook_;
    RequestAssembler assembler_;
    int master_ = -1;
    int wake_[2] = {-1, -1};
    std::string device_;
    std::string error_;
    bool stopped_ = false;
};
