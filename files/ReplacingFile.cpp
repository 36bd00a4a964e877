#include "files/ReplacingFile.h"

#include "files/RegularFile.h"

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

ReplacingFile::~ReplacingFile()
{
    discard();
}

std::string ReplacingFile::write(const std::string& path, std::string_view bytes)
{
    ReplacingFile file;
    if (file.open(path) && file.write(bytes) && file.commit())
        return {};
    return file.error();
}

bool ReplacingFile::open(const std::string& path)
{
    discard();
    path_ = path;
    error_.clear();
    reason_.clear();
    target_ = RegularFile::followLinks(path);
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return fail(std::string_view("it is a folder"));
    if (exists && !S_ISREG(old.st_mode))
        return fail(std::string_view("it is not a regular file"));

    static std::atomic<unsigned> counter{0};
    const std::string folder = RegularFile::folderOf(target_);
    const std::size_t slash = target_.find_last_of('/');
    const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    temporary_ = folder + "/." + name + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    // A new file gets the usual mode (0666 less the umask); a replaced one
    // its old mode, set before any byte is written so that a private file
    // is never readable by others meanwhile.
    fd_ = FileDescriptor(::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666));
    if (!fd_.valid()) {
        temporary_.clear();
        return fail(errno);
    }
    if (exists) {
        // Another owner can only be kept by root; the mode is kept anyway.
        [[maybe_unused]] const int owned = ::fchown(fd_.get(), old.st_uid, old.st_gid);
        if (::fchmod(fd_.get(), old.st_mode & 07777) != 0)
            return fail(errno);
    }
    return true;
}

bool ReplacingFile::write(std::string_view bytes)
{
    if (!fd_.valid())
        return false;
    if (const int error = RegularFile::writeAll(fd_.get(), bytes); error != 0)
        return fail(error);
    return true;
}

bool ReplacingFile::commit()
{
    if (!fd_.valid())
        return false;
    // A full disk often shows only here: the data reaches it on fsync().
    if (::fsync(fd_.get()) != 0)
        return fail(errno);
    if (const int error = fd_.close(); error != 0)
        return fail(error);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0)
        return fail(errno);
    temporary_.clear();
    // The rename reaches the disk with the folder; should that fail, the new
    // file is in place all the same, so it is not reported.
    if (FileDescriptor dir(::open(RegularFile::folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        dir.valid())
        ::fsync(dir.get());
    return true;
}

void ReplacingFile::discard()
{
    fd_.close();
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

bool ReplacingFile::fail(int error)
{
    return fail(std::string_view(std::strerror(error)));
}

bool ReplacingFile::fail(std::string_view reason)
{
    reason_ = reason;
    error_ = RegularFile::failure("write", path_, reason);
    discard();
    return false;
}
