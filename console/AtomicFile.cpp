#include "console/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace AtomicFile {

namespace {

std::string failure(const std::string& what, const std::string& path, int error)
{
    return "Cannot " + what + " " + path + ": " + std::strerror(error);
}

// A descriptor that closes itself.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Returns errno of a failed close, 0 otherwise.
    int close()
    {
        if (fd_ < 0)
            return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::string temporaryName(const std::string& path)
{
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}

std::string write(const std::string& path, std::string_view bytes)
{
    const std::string temporary = temporaryName(path);
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid())
        return failure("write", path, errno);

    int error = 0;
    std::size_t done = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
    }
    if (error == 0 && ::fsync(fd.get()) != 0)
        error = errno;
    if (const int closed = fd.close(); error == 0)
        error = closed;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failure("write", path, error);
    }
    // The rename itself reaches the disk with the folder; should that fail,
    // the new file is in place all the same, so it is not reported.
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.valid())
        ::fsync(dir.get());
    return {};
}

ReadResult read(const std::string& path, std::size_t largest)
{
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return {std::nullopt, failure("read", path, errno)};
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            if (bytes.size() > largest)
                return {std::nullopt, "Cannot read " + path + ": it is too large for a parameter file"};
        } else if (n == 0)
            break;
        else if (errno != EINTR)
            return {std::nullopt, failure("read", path, errno)};
    }
    return {std::move(bytes), {}};
}

}
