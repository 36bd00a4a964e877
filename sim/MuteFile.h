#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A file naming the bus addresses that must not answer, read afresh on
// every question so that a test or a person can mute and revive controllers
// of a running simulator by writing it. A missing or empty file mutes
// nobody; a file that cannot be read or names no addresses keeps the last
// list and says so once.
class MuteFile {
public:
    explicit MuteFile(std::string path) : path_(std::move(path)) {}

    bool muted(std::uint8_t address);
    // What went wrong with the file's text since the last call (empty: nothing).
    std::string takeProblem();

private:
    std::string path_;
    std::vector<std::uint8_t> muted_;
    std::string lastText_;
    std::string lastError_;
    std::string problem_;
};
