#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and writes for files the operator keeps. A write never
// leaves half a file behind: the bytes go to a temporary file beside the
// target, reach the disk, and only then replace the target by a rename.
namespace AtomicFile {

// Empty on success, otherwise why the file was not written; the old file
// (if any) is then untouched and no temporary file is left.
std::string write(const std::string& path, std::string_view bytes);

struct ReadResult {
    std::optional<std::string> bytes;
    std::string error;
};

// Refuses files longer than `largest` bytes.
ReadResult read(const std::string& path, std::size_t largest);

}
