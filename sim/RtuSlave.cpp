#include "sim/RtuSlave.h"

#include "sim/FaultInjector.h"
#include "sim/SimController.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kWriteWaitMs = 200;

SimMillis steadyMillis()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::string hex(const std::vector<std::uint8_t>& bytes)
{
    std::string text;
    char cell[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(cell, sizeof cell, "%02X ", b);
        text += cell;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

} // namespace

RtuSlave::RtuSlave(SimController& controller, FaultInjector& faults, Clock modelClock)
    : controllers_{&controller}, faults_(faults), modelClock_(std::move(modelClock))
{
}

RtuSlave::~RtuSlave()
{
    closeFd(master_);
    closeFd(wake_[0]);
    closeFd(wake_[1]);
}

bool RtuSlave::open()
{
    if (::pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        error_ = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    termios raw{};
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B9600);
    int slave = -1;
    char name[128] = {};
    if (::openpty(&master_, &slave, name, &raw, nullptr) != 0) {
        error_ = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    // Only the console holds the far end: when it closes, the line hangs up
    // and whatever was still queued for it is dropped, as on a real port.
    ::close(slave);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    device_ = name;
    return true;
}

void RtuSlave::stop()
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
}

RtuSlave::Wait RtuSlave::waitFor(bool withLine, int timeoutMs, int stopFd)
{
    pollfd fds[3] = {{wake_[0], POLLIN, 0}, {stopFd, POLLIN, 0}, {withLine ? master_ : -1, POLLIN, 0}};
    const int ready = ::poll(fds, 3, timeoutMs);
    if (fds[0].revents != 0 || fds[1].revents != 0) {
        stopped_ = true;
        return Wait::Stopped;
    }
    if (ready <= 0)
        return Wait::TimedOut;
    return Wait::Ready;
}

bool RtuSlave::farEndClosed()
{
    pollfd fd{master_, POLLIN, 0};
    return ::poll(&fd, 1, 0) == 1 && (fd.revents & POLLHUP) != 0 && (fd.revents & POLLIN) == 0;
}

bool RtuSlave::readLine()
{
    std::uint8_t buffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            assembler_.add(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: all read. EIO (or end of file): nobody holds the far end.
        return n < 0 && errno == EAGAIN;
    }
}

void RtuSlave::run(int stopFd)
{
    SimMillis lastByte = steadyMillis();
    while (!stopped_) {
        if (farEndClosed()) {
            // The far end is closed: a request cut short is gone with it.
            assembler_.silence();
            waitFor(false, kReopenPollMs, stopFd);
            continue;
        }
        int timeout = -1;
        if (assembler_.pending())
            timeout = static_cast<int>(std::max<SimMillis>(0, lastByte + kFrameGapMs - steadyMillis()));
        const Wait wait = waitFor(true, timeout, stopFd);
        if (wait == Wait::Stopped)
            break;
        if (wait == Wait::TimedOut) {
            if (auto frame = assembler_.silence())
                handle(*frame, stopFd);
            continue;
        }
        readLine();
        lastByte = steadyMillis();
        while (!stopped_) {
            auto frame = assembler_.next();
            if (!frame)
                break;
            handle(*frame, stopFd);
        }
    }
}

SimController* RtuSlave::controllerAt(std::uint8_t address) const
{
    for (SimController* controller : controllers_) {
        if (controller->address() == address)
            return controller;
    }
    return nullptr;
}

void RtuSlave::handle(const std::vector<std::uint8_t>& frame, int stopFd)
{
    const LinkTime requestAt = linkTimeNow();
    note("request", frame);
    const std::uint8_t address = frame[0];
    if (address == 0) {
        for (SimController* controller : controllers_) {
            controller->serve(frame.data() + 1, frame.size() - 3, modelClock_());
            controller->finishExchange();
        }
        return;
    }
    SimController* controller = controllerAt(address);
    if (!controller || (muted_ && muted_(address)))
        return;
    const std::vector<std::uint8_t> pdu = controller->serve(frame.data() + 1, frame.size() - 3, modelClock_());
    const FaultInjector::Decision decision = faults_.next();
    if (waitFor(false, std::max(faults_.delayMs(), turnaroundMs(frame.size())), stopFd) == Wait::Stopped)
        return;
    const std::vector<std::uint8_t> reply = FaultInjector::frame(address, pdu, decision);
    if (reply.empty())
        note("reply dropped", reply);
    else
        writeLine(reply);
    if (exchangeHook_)
        exchangeHook_(requestAt, frame, reply, decision);
    controller->finishExchange();
}

int RtuSlave::turnaroundMs(std::size_t requestBytes)
{
    // One character of 8N1 at 9600 baud is 10 bits, 1.0417 ms.
    constexpr double kCharMs = 10.0 * 1000.0 / 9600.0;
    return static_cast<int>(std::ceil((static_cast<double>(requestBytes) + 3.5) * kCharMs));
}

void RtuSlave::writeLine(const std::vector<std::uint8_t>& bytes)
{
    note("reply", bytes);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return;
        // The console is not reading: give it a moment, then let the reply go.
        pollfd fd{master_, POLLOUT, 0};
        if (::poll(&fd, 1, kWriteWaitMs) <= 0 || (fd.revents & POLLOUT) == 0)
            return;
    }
}

void RtuSlave::note(const char* what, const std::vector<std::uint8_t>& bytes)
{
    if (log_)
        log_(std::string(what) + (bytes.empty() ? "" : ": ") + hex(bytes));
}
