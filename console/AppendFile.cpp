#include "console/AppendFile.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

AppendFile::~AppendFile() { close(); }

std::string AppendFile::open(const std::string& path)
{
    close();
    const QString folder = QFileInfo(QString::fromStdString(path)).absolutePath();
    if (!QDir().mkpath(folder))
        return std::string("Cannot make the folder ") + folder.toStdString() + " for " + path;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return "Cannot open " + path + ": " + std::strerror(errno);
    struct stat st {};
    size_ = ::fstat(fd, &st) == 0 ? std::int64_t(st.st_size) : 0;
    fd_ = fd;
    path_ = path;
    return {};
}

std::string AppendFile::append(std::string_view bytes)
{
    if (fd_ < 0)
        return "Cannot write " + path_ + ": the file is not open";
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return "Cannot write " + path_ + ": " + std::strerror(n < 0 ? errno : ENOSPC);
        size_ += n;
        bytes.remove_prefix(std::size_t(n));
    }
    return {};
}

void AppendFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}
