#pragma once

#include "files/AppendingFile.h"
#include "link/TrafficEntry.h"

#include <deque>
#include <string>

// A file of monitor entries, one line each: plain text, or CSV when the
// name ends in ".csv". Each line goes to the file as it is written, so a
// full disk shows on that very write; flush() pushes the file to the disk.
// A failed open, write or flush leaves the file closed and says why in
// error() ("cannot write: No space left on device"); nothing is retried.
class TrafficLogFile {
public:
    enum class Format { Text, Csv };

    static Format formatFor(const std::string& path);

    // Opens `path`; `append` keeps what the file held. A new or emptied CSV
    // file starts with its header line.
    bool open(const std::string& path, bool append);
    bool isOpen() const { return file_.isOpen(); }
    const std::string& path() const { return file_.path(); }
    const std::string& error() const { return error_; }

    bool write(const TrafficEntry& entry);
    // A line of its own, such as a closing summary; CSV files, whose rows
    // all have the same columns, leave it out.
    bool writeNote(const std::string& line);
    bool flush();
    // Flushes and closes; false when the last flush or the close failed.
    bool close();

    // Writes every entry into `path` in the format its name calls for,
    // replacing the file whole or not at all; on failure `error` names the
    // reason and the old file is as it was.
    static bool save(const std::string& path, const std::deque<TrafficEntry>& entries, std::string& error);

private:
    bool fail(const char* what);
    bool put(const std::string& line);

    AppendingFile file_;
    std::string error_;
    Format format_ = Format::Text;
};
