#include "link/TrafficLogFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

TrafficLogFile::Format TrafficLogFile::formatFor(const std::string& path)
{
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".csv" ? Format::Csv : Format::Text;
}

bool TrafficLogFile::open(const std::string& path, bool append)
{
    close();
    path_ = path;
    error_.clear();
    format_ = formatFor(path);
    errno = 0;
    file_.reset(std::fopen(path.c_str(), append ? "a" : "w"));
    if (!file_)
        return fail("cannot open");
    // Room for several seconds of traffic: the disk is written on flush().
    std::setvbuf(file_.get(), nullptr, _IOFBF, 1 << 16);
    std::fseek(file_.get(), 0, SEEK_END);
    if (format_ == Format::Csv && std::ftell(file_.get()) == 0)
        return put(TrafficText::csvHeader());
    return true;
}

bool TrafficLogFile::write(const TrafficEntry& entry)
{
    if (!file_)
        return false;
    return put(format_ == Format::Csv ? TrafficText::csvLine(entry) : TrafficText::textLine(entry));
}

bool TrafficLogFile::writeNote(const std::string& line)
{
    if (!file_)
        return false;
    return format_ == Format::Csv || put(line);
}

bool TrafficLogFile::flush()
{
    if (!file_)
        return false;
    errno = 0;
    if (std::fflush(file_.get()) != 0)
        return fail("cannot write");
    return true;
}

bool TrafficLogFile::close()
{
    if (!file_)
        return error_.empty();
    const bool flushed = flush();
    if (!file_)
        return false;
    errno = 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (!closed && flushed)
        error_ = "cannot close: " + std::string(std::strerror(errno));
    return flushed && closed;
}

bool TrafficLogFile::put(const std::string& line)
{
    errno = 0;
    if (std::fputs(line.c_str(), file_.get()) < 0 || std::fputc('\n', file_.get()) == EOF)
        return fail("cannot write");
    return true;
}

bool TrafficLogFile::fail(const char* what)
{
    const int cause = errno;
    error_ = std::string(what) + ": " + (cause != 0 ? std::strerror(cause) : "unknown error");
    // The stream is given up as it stands; what it still buffers is lost.
    file_.reset();
    return false;
}

bool TrafficLogFile::save(const std::string& path, const std::deque<TrafficEntry>& entries, std::string& error)
{
    TrafficLogFile file;
    bool ok = file.open(path, false);
    for (auto it = entries.begin(); ok && it != entries.end(); ++it)
        ok = file.write(*it);
    ok = ok && file.close();
    error = file.error();
    return ok;
}
