#pragma once

#include "files/FileDescriptor.h"

#include <string>
#include <string_view>

// A file that grows by appended records: logs, trend files. Each append()
// goes to the file at once in one checked write, so a failed or short
// write (full disk, file-size limit, the file's disk gone) is reported by
// that very call; sync() pushes what was appended to the disk. The file is
// opened without blocking and must be a regular file (a symbolic link is
// followed; a new file gets 0666 less the umask, an old one keeps its
// mode).
//
//   AppendingFile log;
//   if (!log.open(path, AppendingFile::Start::Keep))   // or Start::Empty
//       report(log.error());
//   if (!log.append(line + "\n"))                       // closes the file
//       report(log.error());
//   log.sync();                                         // now and then
//   log.close();                                        // syncs, then closes
//
// After a failure the file is closed, holds what it held before the failed
// append (no half record), and error() says "Cannot write <path>: <reason>".
class AppendingFile {
public:
    enum class Start {
        Keep,    // add to what the file holds
        Empty,   // start the file afresh
    };

    bool open(const std::string& path, Start start);
    bool append(std::string_view bytes);
    bool sync();
    // Syncs and closes; false when that failed (or an earlier call did).
    bool close();

    bool isOpen() const { return fd_.valid(); }
    // The file's length after the last append (0 for an empty file).
    unsigned long long size() const { return size_; }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }
    // The reason alone, as in error(): "No space left on device".
    const std::string& reason() const { return reason_; }

private:
    bool fail(int error);

    FileDescriptor fd_;
    std::string path_;
    std::string error_;
    std::string reason_;
    unsigned long long size_ = 0;
};
