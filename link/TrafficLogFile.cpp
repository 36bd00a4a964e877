#include "link/TrafficLogFile.h"

#include "files/ReplacingFile.h"

#include <algorithm>
#include <cctype>

TrafficLogFile::Format TrafficLogFile::formatFor(const std::string& path)
{
    std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".csv" ? Format::Csv : Format::Text;
}

bool TrafficLogFile::open(const std::string& path, bool append)
{
    close();
    error_.clear();
    format_ = formatFor(path);
    if (!file_.open(path, append ? AppendingFile::Start::Keep : AppendingFile::Start::Empty))
        return fail("cannot open");
    if (format_ == Format::Csv && file_.size() == 0)
        return put(TrafficText::csvHeader());
    return true;
}

bool TrafficLogFile::write(const TrafficEntry& entry)
{
    if (!file_.isOpen())
        return false;
    return put(format_ == Format::Csv ? TrafficText::csvLine(entry) : TrafficText::textLine(entry));
}

bool TrafficLogFile::writeNote(const std::string& line)
{
    if (!file_.isOpen())
        return false;
    return format_ == Format::Csv || put(line);
}

bool TrafficLogFile::flush()
{
    if (!file_.isOpen())
        return false;
    return file_.sync() || fail("cannot write");
}

bool TrafficLogFile::close()
{
    if (!file_.isOpen())
        return error_.empty();
    return file_.close() || fail("cannot close");
}

bool TrafficLogFile::put(const std::string& line)
{
    return file_.append(line + '\n') || fail("cannot write");
}

bool TrafficLogFile::fail(const char* what)
{
    error_ = std::string(what) + ": " + file_.reason();
    return false;
}

bool TrafficLogFile::save(const std::string& path, const std::deque<TrafficEntry>& entries, std::string& error)
{
    const bool csv = formatFor(path) == Format::Csv;
    std::string text;
    if (csv)
        text = TrafficText::csvHeader() + '\n';
    for (const TrafficEntry& entry : entries)
        text += (csv ? TrafficText::csvLine(entry) : TrafficText::textLine(entry)) + '\n';
    ReplacingFile file;
    if (file.open(path) && file.write(text) && file.commit())
        return true;
    error = "cannot write: " + file.reason();
    return false;
}
