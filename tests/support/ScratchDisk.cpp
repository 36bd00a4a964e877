#include "support/ScratchDisk.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

ScratchDisk::ScratchDisk()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/hx-disk-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a scratch folder");
    folder_ = pattern;
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k,mode=0755") == 0;
}

ScratchDisk::~ScratchDisk()
{
    if (limited_)
        ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
    if (locked_)
        ::chmod(folder_.c_str(), 0755);
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void ScratchDisk::fill()
{
    if (mounted_) {
        const int fd = ::open(path(".filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
        return;
    }
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &oldLimit_);
    rlimit none = oldLimit_;
    none.rlim_cur = 0;
    limited_ = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
}

bool ScratchDisk::makeReadOnly(std::string& why)
{
    if (mounted_) {
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0)
            return true;
        why = "cannot remount the scratch tmpfs read-only";
        return false;
    }
    if (::geteuid() == 0) {
        why = "root may write in any folder and this process may not mount a read-only tmpfs";
        return false;
    }
    // As a read-only disk: neither the folder nor its files take a write.
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
        ::chmod(entry.path().c_str(), 0444);
    locked_ = ::chmod(folder_.c_str(), 0555) == 0;
    return locked_;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
