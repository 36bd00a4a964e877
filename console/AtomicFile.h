#pragma once

#include "files/RegularFile.h"
#include "files/ReplacingFile.h"

#include <cstddef>
#include <string>
#include <string_view>

// Whole-file reads and writes for the parameter files, on the shared rules
// of files/: a write never leaves half a file behind, a read never blocks
// and takes only a regular file of bounded size.
namespace AtomicFile {

using ReadResult = RegularFile::ReadResult;

// Empty on success, otherwise why the file was not written; the old file
// (if any) is then untouched and no temporary file is left.
inline std::string write(const std::string& path, std::string_view bytes)
{
    return ReplacingFile::write(path, bytes);
}

// Refuses files longer than `largest` bytes.
inline ReadResult read(const std::string& path, std::size_t largest)
{
    return RegularFile::read(path, largest);
}

}
