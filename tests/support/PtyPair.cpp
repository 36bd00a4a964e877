#include "support/PtyPair.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Writes all of `data` to `fd`, waiting for room; gives up when the stop
// pipe becomes readable or the other side is gone.
bool writeAll(int fd, const char* data, std::size_t length, int stopFd)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n > 0) {
            data += n;
            length -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd fds[2] = {{fd, POLLOUT, 0}, {stopFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            return false;
        if (fds[1].revents != 0)
            return false;
    }
    return true;
}

} // namespace

PtyPair::PtyPair()
{
    termios raw{};
    cfmakeraw(&raw);
    cfsetspeed(&raw, B9600);
    for (int i = 0; i < 2; ++i) {
        char name[128] = {};
        if (::openpty(&masters_[i], &slaves_[i], name, &raw, nullptr) != 0)
            return;
        paths_[i] = name;
        ::fcntl(masters_[i], F_SETFL, ::fcntl(masters_[i], F_GETFL) | O_NONBLOCK);
    }
    if (::pipe(wake_) != 0)
        return;
    relay_ = std::thread(&PtyPair::relay, this);
    ok_ = true;
}

PtyPair::~PtyPair()
{
    hangUp();
    for (int& fd : wake_)
        closeFd(fd);
}

void PtyPair::hangUp()
{
    if (relay_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t n = ::write(wake_[1], &stop, 1);
        relay_.join();
    }
    for (int i = 0; i < 2; ++i) {
        closeFd(slaves_[i]);
        closeFd(masters_[i]);
    }
}

void PtyPair::relay()
{
    char buffer[4096];
    for (;;) {
        pollfd fds[3] = {{masters_[0], POLLIN, 0}, {masters_[1], POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[2].revents != 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if ((fds[i].revents & POLLIN) == 0)
                continue;
            const ssize_t n = ::read(masters_[i], buffer, sizeof buffer);
            if (n > 0 && !writeAll(masters_[1 - i], buffer, static_cast<std::size_t>(n), wake_[0]))
                return;
        }
    }
}
