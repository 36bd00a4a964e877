#pragma once

#include "link/TrafficEntry.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <string>

// A file of monitor entries, one line each: plain text, or CSV when the
// name ends in ".csv". Lines are buffered; flush() pushes them to the file.
// A failed open, write or flush leaves the file closed and says why in
// error(); nothing is retried.
class TrafficLogFile {
public:
    enum class Format { Text, Csv };

    static Format formatFor(const std::string& path);

    // Opens `path`; `append` keeps what the file held. A new or emptied CSV
    // file starts with its header line.
    bool open(const std::string& path, bool append);
    bool isOpen() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

    bool write(const TrafficEntry& entry);
    // A line of its own, such as a closing summary; CSV files, whose rows
    // all have the same columns, leave it out.
    bool writeNote(const std::string& line);
    bool flush();
    // Flushes and closes; false when the last flush or the close failed.
    bool close();

    // Writes every entry into `path` (replacing it) in the format its name
    // calls for; on failure `error` names the reason.
    static bool save(const std::string& path, const std::deque<TrafficEntry>& entries, std::string& error);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    bool fail(const char* what);
    bool put(const std::string& line);

    std::unique_ptr<std::FILE, Closer> file_;
    std::string path_;
    std::string error_;
    Format format_ = Format::Text;
};
