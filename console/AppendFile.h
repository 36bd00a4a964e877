#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A file that only grows: every append goes straight to the system (no
// buffer of ours), so a crash of the console loses nothing appended.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens (creating) `path` for appending, making its folder first.
    // Empty on success, otherwise why it could not be opened.
    std::string open(const std::string& path);
    // Empty on success, otherwise why the bytes did not all reach the file.
    std::string append(std::string_view bytes);
    void close();

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // Bytes in the file, as last opened or appended.
    std::int64_t size() const { return size_; }

private:
    int fd_ = -1;
    std::string path_;
    std::int64_t size_ = 0;
};
