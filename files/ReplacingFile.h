#pragma once

#include "files/FileDescriptor.h"

#include <string>
#include <string_view>

// Writes a file whole or not at all. The bytes go to a temporary file in
// the target's folder; every write is checked, the file is flushed to the
// disk and only then renamed over the target. The target keeps its
// permissions, a symbolic link is followed and replaced where it points
// (the link stays), and on any failure the old file is left byte for byte
// and the temporary file is removed.
//
//   std::string error = ReplacingFile::write(path, bytes);   // one call
//
//   ReplacingFile file;                                      // in pieces
//   if (!file.open(path) || !file.write(a) || !file.write(b) || !file.commit())
//       report(file.error());
//
// error() is "Cannot write <path>: <reason>". An object destroyed before
// commit() leaves the target as it was.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Empty on success, otherwise why `path` was not written.
    static std::string write(const std::string& path, std::string_view bytes);

    bool open(const std::string& path);
    bool write(std::string_view bytes);
    bool commit();
    // Drops what was written; the target stays as it was.
    void discard();

    bool isOpen() const { return fd_.valid(); }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }
    // The reason alone, as in error(): "No space left on device".
    const std::string& reason() const { return reason_; }

private:
    bool fail(int error);
    bool fail(std::string_view reason);

    std::string path_;       // as the caller named it
    std::string target_;     // where the links lead
    std::string temporary_;
    FileDescriptor fd_;
    std::string error_;
    std::string reason_;
};
