#include "support/LoopbackPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

LoopbackPeer::LoopbackPeer(std::uint16_t port)
{
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(listen_, 4) == 0
        && ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port_ = ntohs(address.sin_port);
}

LoopbackPeer::~LoopbackPeer()
{
    hangUp();
    stopListening();
}

void LoopbackPeer::stopListening()
{
    if (listen_ >= 0)
        ::close(listen_);
    listen_ = -1;
}

std::string LoopbackPeer::name(const char* scheme) const
{
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_);
}

bool LoopbackPeer::accept()
{
    pollfd fd{listen_, POLLIN, 0};
    if (::poll(&fd, 1, kWaitMs) != 1)
        return false;
    client_ = ::accept(listen_, nullptr, nullptr);
    return client_ >= 0;
}

void LoopbackPeer::hangUp()
{
    if (client_ >= 0)
        ::close(client_);
    client_ = -1;
}

LoopbackPeer::Bytes LoopbackPeer::receive(std::size_t count)
{
    Bytes bytes;
    while (bytes.size() < count) {
        pollfd fd{client_, POLLIN, 0};
        if (::poll(&fd, 1, kWaitMs) != 1)
            break;
        std::uint8_t buffer[256];
        const ssize_t n = ::recv(client_, buffer, std::min(sizeof buffer, count - bytes.size()), 0);
        if (n <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

bool LoopbackPeer::send(const Bytes& bytes)
{
    return ::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
}
