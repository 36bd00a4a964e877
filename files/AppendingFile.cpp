#include "files/AppendingFile.h"

#include "files/RegularFile.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

bool AppendingFile::open(const std::string& path, Start start)
{
    close();
    path_ = path;
    error_.clear();
    reason_.clear();
    size_ = 0;
    // Not O_TRUNC: a FIFO or a device must be refused before anything is cut.
    fd_ = RegularFile::open(path, O_WRONLY | O_APPEND | O_CREAT, "write", error_, &reason_);
    if (!fd_.valid())
        return false;
    if (start == Start::Empty && ::ftruncate(fd_.get(), 0) != 0)
        return fail(errno);
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0)
        return fail(errno);
    size_ = static_cast<unsigned long long>(info.st_size);
    return true;
}

bool AppendingFile::append(std::string_view bytes)
{
    if (!fd_.valid())
        return false;
    if (const int error = RegularFile::writeAll(fd_.get(), bytes); error != 0) {
        // The part of the record that did fit is taken back: the file ends
        // with the last whole record. Cutting a file never needs room.
        [[maybe_unused]] const int cut = ::ftruncate(fd_.get(), static_cast<off_t>(size_));
        return fail(error);
    }
    size_ += bytes.size();
    return true;
}

bool AppendingFile::sync()
{
    if (!fd_.valid())
        return false;
    if (::fsync(fd_.get()) != 0)
        return fail(errno);
    return true;
}

bool AppendingFile::close()
{
    if (!fd_.valid())
        return error_.empty();
    if (!sync())
        return false;
    if (const int error = fd_.close(); error != 0)
        return fail(error);
    return true;
}

bool AppendingFile::fail(int error)
{
    reason_ = std::strerror(error);
    error_ = RegularFile::failure("write", path_, reason_);
    fd_.close();
    return false;
}
