#include "files/RegularFile.h"

#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>

namespace RegularFile {

std::string failure(std::string_view verb, const std::string& path, std::string_view reason)
{
    return "Cannot " + std::string(verb) + " " + path + ": " + std::string(reason);
}

std::string failure(std::string_view verb, const std::string& path, int error)
{
    return failure(verb, path, std::strerror(error));
}

FileDescriptor open(const std::string& path, int flags, std::string_view verb, std::string& error,
                    std::string* reason)
{
    const auto refuse = [&](std::string_view why) {
        error = failure(verb, path, why);
        if (reason)
            *reason = why;
        return FileDescriptor();
    };
    FileDescriptor fd(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.valid()) {
        const int cause = errno;
        // A FIFO nobody reads refuses a writer with ENXIO, which says little.
        struct stat info {};
        if (cause == ENXIO && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return refuse("it is not a regular file");
        return refuse(cause == EISDIR ? "it is a folder" : std::strerror(cause));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return refuse(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file");
    // Regular files never block; the flag only had to keep open() from it.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

ReadResult read(const std::string& path, std::size_t largest)
{
    std::string error;
    std::string reason;
    FileDescriptor fd = open(path, O_RDONLY, "read", error, &reason);
    if (!fd.valid())
        return {std::nullopt, error, reason};
    const auto refuse = [&](std::string why) { return ReadResult{std::nullopt, failure("read", path, why), why}; };
    const std::string tooLarge = "it is too large (over " + std::to_string(largest) + " bytes)";
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && static_cast<unsigned long long>(info.st_size) > largest)
        return refuse(tooLarge);
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            // The file may have grown since fstat().
            if (bytes.size() > largest)
                return refuse(tooLarge);
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            return refuse(std::strerror(errno));
        }
    }
    return {std::move(bytes), {}, {}};
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string followLinks(const std::string& path)
{
    std::string current = path;
    // The kernel's own limit on a chain; a loop ends here too, and the
    // write then fails on the last link with ELOOP's message.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
        if (n < 0)
            return current;
        const std::string next(target, static_cast<std::size_t>(n));
        current = next.front() == '/' || current.find('/') == std::string::npos ? next : folderOf(current) + "/" + next;
    }
    return current;
}

int writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0)
            return EIO;
        else if (errno != EINTR)
            return errno;
    }
    return 0;
}

}
