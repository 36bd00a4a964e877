#include "link/NetworkPort.h"

#include "link/Mbap.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <span>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t wallMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

int msLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

// A host name lookup that the caller stops waiting for at `deadline`; the
// lookup itself may run on, and cleans up after itself when it ends.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int status = EAI_AGAIN;
    addrinfo* result = nullptr;
    ~Lookup()
    {
        if (result != nullptr)
            ::freeaddrinfo(result);
    }
};

std::shared_ptr<Lookup> resolve(const std::string& host, std::uint16_t port, Clock::time_point deadline)
{
    auto lookup = std::make_shared<Lookup>();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    const std::string service = std::to_string(port);
    // An address needs no lookup: answered at once, without a thread.
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    lookup->status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &lookup->result);
    if (lookup->status != EAI_NONAME) {
        lookup->finished = true;
        return lookup;
    }
    hints.ai_flags = AI_NUMERICSERV;
    std::thread([lookup, host, service, hints] {
        addrinfo* result = nullptr;
        const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &result);
        const std::lock_guard lock(lookup->mutex);
        lookup->status = status;
        lookup->result = result;
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock lock(lookup->mutex);
    lookup->done.wait_until(lock, deadline, [&lookup] { return lookup->finished; });
    return lookup;
}

// Connects a non-blocking socket to `to`, waiting until `deadline`; the
// socket, or -1 with `error` set.
int connectWithin(const addrinfo& to, Clock::time_point deadline, std::string& error)
{
    const int fd = ::socket(to.ai_family, to.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, to.ai_protocol);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    if (::connect(fd, to.ai_addr, to.ai_addrlen) != 0 && errno != EINPROGRESS) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    pollfd pending{fd, POLLOUT, 0};
    int ready = 0;
    do {
        ready = ::poll(&pending, 1, msLeft(deadline));
    } while (ready < 0 && errno == EINTR);
    int failure = 0;
    socklen_t size = sizeof failure;
    if (ready == 0) {
        error = "no connection within " + std::to_string(NetworkPort::kConnectWaitMs) + " ms";
    } else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &failure, &size) != 0) {
        error = std::strerror(errno);
    } else if (failure != 0) {
        error = std::strerror(failure);
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

NetworkPort::NetworkPort() = default;

NetworkPort::~NetworkPort()
{
    close();
}

bool NetworkPort::open(const std::string& name)
{
    if (isOpen()) {
        error_ = "the port is already open";
        return false;
    }
    const PortNames::ParsedPort parsed = PortNames::parsePortName(name);
    if (!parsed.address || !parsed.address->network()) {
        error_ = parsed.address ? name + " is not a network port" : parsed.error;
        return false;
    }
    name_ = name;
    modbusTcp_ = parsed.address->kind == PortNames::PortAddress::Kind::ModbusTcp;
    extraWaitMs_ = parsed.address->extraWaitMs();
    error_.clear();
    return connectTo(*parsed.address);
}

bool NetworkPort::connectTo(const PortNames::PortAddress& address)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kConnectWaitMs);
    const std::shared_ptr<Lookup> lookup = resolve(address.host, address.port, deadline);
    const std::lock_guard lock(lookup->mutex);
    if (!lookup->finished) {
        error_ = address.host + " not found within " + std::to_string(kConnectWaitMs) + " ms";
        return false;
    }
    if (lookup->status != 0) {
        error_ = address.host + " not found (" + ::gai_strerror(lookup->status) + ")";
        return false;
    }
    std::string why = "no address";
    for (const addrinfo* to = lookup->result; to != nullptr && fd_ < 0; to = to->ai_next)
        fd_ = connectWithin(*to, deadline, why);
    if (fd_ < 0) {
        error_ = why;
        return false;
    }
    const int on = 1;
    // Requests are small and each one waited for: send at once. Arrival
    // stamps give the round trip without the engine's tick in it.
    ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(fd_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    return true;
}

void NetworkPort::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    stream_.clear();
    received_.clear();
    awaitingReply_ = false;
    timingReply_ = false;
    keepForRequest_ = false;
}

void NetworkPort::lose(const std::string& why)
{
    close();
    error_ = why;
}

bool NetworkPort::getSettings(LineSettings& settings)
{
    if (!isOpen())
        return false;
    settings = settings_;
    return true;
}

bool NetworkPort::setSettings(const LineSettings& settings)
{
    if (!isOpen())
        return false;
    settings_ = settings;
    return true;
}

bool NetworkPort::takeReceived()
{
    while (isOpen()) {
        std::uint8_t buffer[512];
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
        iovec data{buffer, sizeof buffer};
        msghdr message{};
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t n = ::recvmsg(fd_, &message, MSG_DONTWAIT);
        if (n == 0) {
            lose("connection closed by the other end");
            break;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                lose(std::strerror(errno));
            break;
        }
        if (timingReply_) {
            timingReply_ = false;
            std::int64_t arrivedUs = wallMicros();
            for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
                if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
                    timespec stamp{};
                    std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
                    arrivedUs = std::int64_t{stamp.tv_sec} * 1000000 + stamp.tv_nsec / 1000;
                }
            }
            PortNote trip;
            trip.kind = PortNote::Kind::RoundTrip;
            trip.roundTripUs = std::max<std::int64_t>(arrivedUs - sentAtUs_, 0);
            note(std::move(trip));
        }
        auto& into = modbusTcp_ ? stream_ : received_;
        into.insert(into.end(), buffer, buffer + n);
    }
    return isOpen();
}

// Turns the MODBUS TCP frames that are in into the bytes a serial line would
// have carried.
void NetworkPort::frameReceived()
{
    while (!stream_.empty()) {
        if (awaitingReply_) {
            const Mbap::ReplyCheck check = Mbap::checkReply(stream_, transactionId_, unitId_, replyLength_);
            if (check.status == Mbap::ReplyCheck::Status::Incomplete)
                return;
            awaitingReply_ = false;
            if (check.seen)
                note({PortNote::Kind::HeaderReceived, *check.seen, 0, {}});
            received_.insert(received_.end(), check.rtu.begin(), check.rtu.end());
            stream_.erase(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(check.consumed));
            continue;
        }
        // Nothing asked for it: handed on as it came, for the engine to
        // ignore and the monitor to show.
        const auto size = Mbap::frameSize(stream_);
        if (size && (*size == 0 || stream_.size() < *size))
            return;
        const std::size_t taken = size ? *size : stream_.size();
        received_.insert(received_.end(), stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(taken));
        stream_.erase(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(taken));
    }
}

long NetworkPort::bytesWaiting()
{
    if (!takeReceived())
        return -1;
    // Until the discard that follows a request, what is in is its reply
    // and not for dropping (see discardReceived).
    if (keepForRequest_)
        return 0;
    frameReceived();
    return static_cast<long>(received_.size());
}

// A serial line may carry echo or noise up to the moment a request goes out,
// so the engine drops what is waiting right after sending. A TCP stream
// carries only what the far end sent, in order: write() drops everything
// that came before the request, and the first discard after it keeps what
// has arrived since, which a fast gateway's reply may already be.
bool NetworkPort::discardReceived()
{
    if (!isOpen())
        return false;
    if (std::exchange(keepForRequest_, false))
        return true;
    if (!takeReceived())
        return false;
    stream_.clear();
    received_.clear();
    return true;
}

long NetworkPort::read(std::uint8_t* buffer, std::size_t maxBytes)
{
    if (!takeReceived())
        return -1;
    frameReceived();
    const std::size_t count = std::min(maxBytes, received_.size());
    std::copy_n(received_.begin(), count, buffer);
    received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(count));
    return static_cast<long>(count);
}

long NetworkPort::write(const std::uint8_t* data, std::size_t length)
{
    if (!isOpen())
        return -1;
    // Whatever came before the request answers something else.
    if (!takeReceived())
        return -1;
    stream_.clear();
    received_.clear();
    const std::span<const std::uint8_t> rtu(data, length);
    std::vector<std::uint8_t> frame(rtu.begin(), rtu.end());
    if (modbusTcp_) {
        frame = Mbap::fromRtu(rtu, ++transactionId_);
        if (frame.empty())
            return -1;
        unitId_ = data[0];
        replyLength_ = Mbap::rtuReplyLength(rtu);
        awaitingReply_ = true;
        note({PortNote::Kind::HeaderSent, *Mbap::header(frame), 0, {}});
    }
    sentAtUs_ = wallMicros();
    std::size_t done = 0;
    while (done < frame.size()) {
        const ssize_t n = ::send(fd_, frame.data() + done, frame.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // A full send queue means the far end has stopped reading: this
        // request is lost, and the exchange ends by its time-out.
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return -1;
        lose(std::strerror(errno));
        return -1;
    }
    timingReply_ = true;
    keepForRequest_ = true;
    return static_cast<long>(length);
}

std::vector<PortNote> NetworkPort::takeNotes()
{
    return std::exchange(notes_, {});
}

void NetworkPort::note(PortNote note)
{
    if (notes_.size() >= kNoteLimit)
        notes_.erase(notes_.begin());
    notes_.push_back(std::move(note));
}
