#pragma once

#include <string>
#include <sys/resource.h>

// A scratch folder that can be made full or read-only as a real disk is: a
// small tmpfs mounted on it where this process may mount one, otherwise a
// file-size limit (RLIMIT_FSIZE, SIGXFSZ ignored) for "full" and a folder
// and files without write permission for "read-only". Everything is undone and
// removed when the object goes.
class ScratchDisk {
public:
    ScratchDisk();
    ~ScratchDisk();
    ScratchDisk(const ScratchDisk&) = delete;
    ScratchDisk& operator=(const ScratchDisk&) = delete;

    const std::string& folder() const { return folder_; }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    bool mounted() const { return mounted_; }

    // From now on not one more byte fits.
    void fill();
    // From now on nothing in the folder can be made or changed; false with
    // the reason when this machine cannot do that (root without mounts).
    bool makeReadOnly(std::string& why);

private:
    std::string folder_;
    bool mounted_ = false;
    bool limited_ = false;
    bool locked_ = false;
    rlimit oldLimit_ {};
};

// The file's bytes, or "<missing>".
std::string fileBytes(const std::string& path);
