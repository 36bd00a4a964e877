#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The far end of a network port: a listening socket on the loopback
// interface that takes one connection at a time and trades bytes with
// bounded waits.
class LoopbackPeer {
public:
    using Bytes = std::vector<std::uint8_t>;

    // Listens on 127.0.0.1:`port`; 0 takes a free port.
    explicit LoopbackPeer(std::uint16_t port = 0);
    ~LoopbackPeer();
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    void stopListening();
    // "scheme://127.0.0.1:port".
    std::string name(const char* scheme) const;
    std::uint16_t port() const { return port_; }

    // Takes the connection waiting (bounded wait); false when none came.
    bool accept();
    void hangUp();
    // Exactly `count` bytes, or what came before the wait ran out.
    Bytes receive(std::size_t count);
    // True when all of `bytes` went.
    bool send(const Bytes& bytes);

    static constexpr int kWaitMs = 5000;

private:
    int listen_ = -1;
    int client_ = -1;
    std::uint16_t port_ = 0;
};
