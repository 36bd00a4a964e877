#include "sim/NetworkListener.h"

#include "link/Crc16.h"
#include "link/Mbap.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

std::size_t readSome(int fd, std::vector<std::uint8_t>& into)
{
    std::uint8_t buffer[512];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0)
        return 0;
    into.insert(into.end(), buffer, buffer + n);
    return static_cast<std::size_t>(n);
}

} // namespace

NetworkListener::NetworkListener(Mode mode, std::string lineDevice)
    : mode_(mode), lineDevice_(std::move(lineDevice))
{
}

NetworkListener::~NetworkListener()
{
    stop();
    closeFd(listen_);
    closeFd(line_);
    closeFd(client_);
    closeFd(wake_[0]);
    closeFd(wake_[1]);
}

bool NetworkListener::start(std::uint16_t port)
{
    if (::pipe2(wake_, O_NONBLOCK | O_CLOEXEC) != 0) {
        error_ = std::string("cannot create a pipe: ") + std::strerror(errno);
        return false;
    }
    line_ = ::open(lineDevice_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (line_ < 0) {
        error_ = "cannot open " + lineDevice_ + ": " + std::strerror(errno);
        return false;
    }
    termios raw{};
    if (::tcgetattr(line_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(line_, TCSANOW, &raw);
    }
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listen_, 1) != 0 || ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        error_ = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        return false;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
    return true;
}

void NetworkListener::stop()
{
    if (!thread_.joinable())
        return;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
    thread_.join();
}

std::string NetworkListener::portName() const
{
    return std::string(mode_ == Mode::Rtu ? "socket" : "tcp") + "://127.0.0.1:" + std::to_string(port_);
}

void NetworkListener::run()
{
    for (;;) {
        pollfd fds[4] = {{wake_[0], POLLIN, 0}, {listen_, POLLIN, 0}, {client_, POLLIN, 0}, {-1, POLLIN, 0}};
        // Between requests a serial device server passes on whatever the line says.
        if (mode_ == Mode::Rtu)
            fds[3].fd = client_ >= 0 ? line_ : -1;
        if (::poll(fds, 4, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents != 0)
            return;
        if (fds[1].revents & POLLIN) {
            const int accepted = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
            // One client at a time: a second is turned away at once.
            if (client_ >= 0) {
                if (accepted >= 0)
                    ::close(accepted);
            } else if (accepted >= 0) {
                client_ = accepted;
                const int on = 1;
                ::setsockopt(client_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
                stream_.clear();
                // What the line said to nobody is not for this client.
                std::vector<std::uint8_t> stale;
                while (readSome(line_, stale) > 0)
                    stale.clear();
            }
        }
        if (client_ >= 0 && fds[2].revents != 0)
            serveClient();
        if (client_ >= 0 && (fds[3].revents & POLLIN) && !forward(line_, client_))
            closeFd(client_);
    }
}

void NetworkListener::serveClient()
{
    if (mode_ == Mode::Rtu) {
        if (!forward(client_, line_))
            closeFd(client_);
        return;
    }
    if (readSome(client_, stream_) == 0) {
        closeFd(client_);
        return;
    }
    while (client_ >= 0 && gatewayStep()) {
    }
}

bool NetworkListener::forward(int from, int to)
{
    std::vector<std::uint8_t> bytes;
    if (readSome(from, bytes) == 0)
        return from == line_;   // the line may be quiet; the client has gone
    return sendAll(to, bytes);
}

bool NetworkListener::gatewayStep()
{
    const auto size = Mbap::frameSize(stream_);
    if (!size) {
        // No framing to be had: a gateway drops the connection.
        closeFd(client_);
        return false;
    }
    if (*size == 0 || stream_.size() < *size)
        return false;
    const std::vector<std::uint8_t> frame(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(*size));
    stream_.erase(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(*size));
    const MbapHeader header = *Mbap::header(frame);
    std::vector<std::uint8_t> reply = lineReply(Mbap::toRtu(frame));
    if (reply.empty())
        reply = {header.unitId, static_cast<std::uint8_t>(frame[7] | 0x80), kTargetFailedToRespond, 0, 0};
    std::vector<std::uint8_t> answer = Mbap::fromRtu(reply, header.transactionId);
    if (!sendAll(client_, answer))
        closeFd(client_);
    return client_ >= 0;
}

// The RTU reply the line gives to `request`: complete, from the address
// asked, with a good CRC; empty otherwise.
std::vector<std::uint8_t> NetworkListener::lineReply(const std::vector<std::uint8_t>& request)
{
    std::vector<std::uint8_t> stale;
    while (readSome(line_, stale) > 0)
        stale.clear();
    if (!sendAll(line_, request))
        return {};
    const std::size_t wanted = Mbap::rtuReplyLength(request);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLineWaitMs);
    std::vector<std::uint8_t> reply;
    for (;;) {
        // Stray bytes ahead of the reply are skipped up to its address.
        while (!reply.empty() && reply.front() != request[0])
            reply.erase(reply.begin());
        const bool exception = reply.size() >= 2 && (reply[1] & 0x80) != 0;
        const std::size_t length = exception ? 5 : wanted;
        if (length > 0 && reply.size() >= length) {
            reply.resize(length);
            const unsigned crc = reply[length - 2] * 256U + reply[length - 1];
            return crc == Crc16(reply.data(), length - 2) ? reply : std::vector<std::uint8_t>{};
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fds[2] = {{line_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (left.count() <= 0 || ::poll(fds, 2, static_cast<int>(left.count())) <= 0 || fds[1].revents != 0)
            return {};
        readSome(line_, reply);
    }
}

bool NetworkListener::sendAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == ENOTSOCK) {
            // The line is a terminal, not a socket.
            const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (w > 0) {
                done += static_cast<std::size_t>(w);
                continue;
            }
            if (w < 0 && errno == EAGAIN) {
                pollfd out{fd, POLLOUT, 0};
                if (::poll(&out, 1, kLineWaitMs) > 0)
                    continue;
            }
        }
        return false;
    }
    return true;
}
