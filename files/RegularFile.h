#pragma once

#include "files/FileDescriptor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The rules every reader and writer of the operator's files shares: a file
// is opened without blocking (a FIFO or a device never hangs the program)
// and only a regular file is accepted. Messages name the file and the
// reason: "Cannot read /x/y.json: it is not a regular file".
namespace RegularFile {

struct ReadResult {
    std::optional<std::string> bytes;   // set on success
    std::string error;                  // set on failure
    std::string reason;                 // the reason alone, as in error
};

// The whole of `path`, refused when longer than `largest` bytes.
ReadResult read(const std::string& path, std::size_t largest);

// Opens `path` with `flags` (O_RDONLY, O_WRONLY | O_APPEND | O_CREAT, ...)
// plus O_NONBLOCK and O_CLOEXEC and checks that it is a regular file; on
// failure the descriptor is invalid and `error` is "Cannot <verb> <path>:
// <reason>" (and `reason`, when given, the reason alone).
FileDescriptor open(const std::string& path, int flags, std::string_view verb, std::string& error,
                    std::string* reason = nullptr);

// The file a chain of symbolic links ends at (it need not exist yet), so
// that a file is replaced where the link points and the link stays.
std::string followLinks(const std::string& path);

// The folder holding `path` ("." for a bare name).
std::string folderOf(const std::string& path);

// "Cannot <verb> <path>: <reason>".
std::string failure(std::string_view verb, const std::string& path, std::string_view reason);
std::string failure(std::string_view verb, const std::string& path, int error);

// Writes all of `bytes`, retrying interrupted and partial writes; 0 or the
// errno of the failure (EIO for a write that made no progress).
int writeAll(int fd, std::string_view bytes);

}
