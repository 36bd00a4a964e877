#include "console/TrendCsv.h"

#include "console/AtomicFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace TrendCsv {

namespace {

using LiveQuantities::kCount;
using LiveQuantities::kQuantities;

constexpr std::int64_t kMsPerDay = 86'400'000;

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

struct Civil {
    std::int64_t year;
    unsigned month, day;
};

Civil civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {std::int64_t(yoe) + era * 400 + (m <= 2), m, d};
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool digits(std::string_view s, std::size_t at, std::size_t n, int& out)
{
    if (at + n > s.size())
        return false;
    out = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

std::optional<double> number(std::string_view cell)
{
    double v = 0;
    const char* end = cell.data() + cell.size();
    const auto [ptr, ec] = std::from_chars(cell.data(), end, v);
    if (ec != std::errc() || ptr != end || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::vector<std::string_view> split(std::string_view line)
{
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return cells;
        start = comma + 1;
    }
}

ReadResult refuse(int line, int column, std::string reason)
{
    ReadResult r;
    r.error = Error{line, column, std::move(reason)};
    return r;
}

constexpr std::array<std::string_view, 4> kMarkWords{"raised", "cleared", "write", "failed"};

void readComment(std::string_view body, Table& table)
{
    Header& header = table.header;
    const std::size_t space = body.find(' ');
    const std::string_view key = body.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view() : body.substr(space + 1);
    if (key == "console")
        header.console = value;
    else if (key == "port")
        header.port = value;
    else if (key == "firmware")
        header.firmware = value;
    else if (key == "mark") {
        // "<time> <kind> <text>"; a mark that does not read is left out.
        const std::size_t a = value.find(' ');
        const std::size_t b = a == std::string_view::npos ? a : value.find(' ', a + 1);
        if (b == std::string_view::npos)
            return;
        const std::optional<Time> t = parseTime(value.substr(0, a));
        const auto word = std::find(kMarkWords.begin(), kMarkWords.end(), value.substr(a + 1, b - a - 1));
        if (t && word != kMarkWords.end())
            table.marks.push_back(TrendMark{t->wallMs, t->utcOffsetSeconds, TrendMark::Kind(word - kMarkWords.begin()),
                                            std::string(value.substr(b + 1))});
    } else if (key == "address") {
        int a = 0;
        const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), a);
        if (ec == std::errc() && ptr == value.data() + value.size())
            header.address = a;
    }
}

} // namespace

std::string comments(const Header& header)
{
    std::string out = "# hxconsole trend log\n# console " + header.console + "\n# port " + header.port + "\n";
    if (header.address > 0)
        out += std::string("# address ") + std::to_string(header.address) + "\n";
    if (!header.firmware.empty())
        out += "# firmware " + header.firmware + "\n";
    return out;
}

std::string columnTitle(std::size_t quantity)
{
    const LiveQuantities::Quantity& q = kQuantities.at(quantity);
    return std::string(q.name) + std::string(" [") + std::string(q.unit) + "]";
}

std::string headerRow()
{
    std::string out = "time";
    for (std::size_t i = 0; i < kCount; ++i)
        out += std::string(",") + columnTitle(i);
    return out + "\n";
}

std::string timeText(std::int64_t wallMs, int utcOffsetSeconds)
{
    const std::int64_t local = wallMs + std::int64_t(utcOffsetSeconds) * 1000;
    const std::int64_t days = floorDiv(local, kMsPerDay);
    const std::int64_t inDay = local - days * kMsPerDay;
    const Civil c = civilFromDays(days);
    const int off = std::abs(utcOffsetSeconds) / 60;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04lld-%02u-%02uT%02d:%02d:%02d.%03d%c%02d:%02d", static_cast<long long>(c.year),
                  c.month, c.day, int(inDay / 3'600'000), int(inDay / 60'000 % 60), int(inDay / 1000 % 60),
                  int(inDay % 1000), utcOffsetSeconds < 0 ? '-' : '+', off / 60, off % 60);
    return buf;
}

std::string dayText(std::int64_t wallMs, int utcOffsetSeconds) { return timeText(wallMs, utcOffsetSeconds).substr(0, 10); }

std::string valueText(double value)
{
    char buf[32];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

std::string row(const LiveQuantities::Sample& sample)
{
    std::string out = timeText(sample.wallMs, sample.utcOffsetSeconds);
    out.reserve(out.size() + kCount * 8);
    for (const std::optional<double>& v : sample.values) {
        out += ',';
        if (v)
            out += valueText(*v);
    }
    out += '\n';
    return out;
}

std::string markLine(const TrendMark& mark)
{
    std::string text = mark.text;
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return std::string("# mark ") + timeText(mark.wallMs, mark.utcOffsetSeconds) + std::string(" ") + std::string(kMarkWords[std::size_t(mark.kind)]) + " "
        + text + "\n";
}

std::optional<Time> parseTime(std::string_view s)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
    if (!digits(s, 0, 4, y) || s.size() < 19 || s[4] != '-' || !digits(s, 5, 2, mo) || s[7] != '-'
        || !digits(s, 8, 2, d) || (s[10] != 'T' && s[10] != ' ') || !digits(s, 11, 2, h) || s[13] != ':'
        || !digits(s, 14, 2, mi) || s[16] != ':' || !digits(s, 17, 2, se))
        return std::nullopt;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 59)
        return std::nullopt;
    std::size_t at = 19;
    int ms = 0;
    if (at < s.size() && s[at] == '.') {
        ++at;
        int scale = 100, n = 0;
        while (at < s.size() && s[at] >= '0' && s[at] <= '9') {
            ms += (s[at] - '0') * scale;
            scale /= 10;
            ++at;
            ++n;
        }
        if (n == 0)
            return std::nullopt;
    }
    int offset = 0;
    if (at < s.size() && s[at] == 'Z') {
        ++at;
    } else if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
        int oh = 0, om = 0;
        if (!digits(s, at + 1, 2, oh) || at + 3 >= s.size() || s[at + 3] != ':' || !digits(s, at + 4, 2, om)
            || oh > 18 || om > 59)
            return std::nullopt;
        offset = (oh * 3600 + om * 60) * (s[at] == '-' ? -1 : 1);
        at += 6;
    } else {
        return std::nullopt;
    }
    if (at != s.size())
        return std::nullopt;
    const Civil check = civilFromDays(daysFromCivil(y, unsigned(mo), unsigned(d)));
    if (int(check.month) != mo || int(check.day) != d)
        return std::nullopt;
    const std::int64_t local = daysFromCivil(y, unsigned(mo), unsigned(d)) * kMsPerDay + h * 3'600'000LL + mi * 60'000LL
        + se * 1000LL + ms;
    return Time{local - std::int64_t(offset) * 1000, offset};
}

std::string Error::text() const
{
    if (line == 0)
        return reason;
    return std::string("line ") + std::to_string(line) + std::string(", column ") + std::to_string(column) + ": " + reason;
}

ReadResult parse(std::string_view text)
{
    Table table;
    std::vector<int> columnOf;  // quantity index of each field after `time`
    bool haveHeader = false;
    int lineNo = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.front() == '#') {
            const std::string_view body = line.substr(line.size() > 1 && line[1] == ' ' ? 2 : 1);
            readComment(body, table);
            continue;
        }
        const std::vector<std::string_view> cells = split(line);
        if (!haveHeader) {
            if (cells[0] != "time")
                return refuse(lineNo, 1, std::string("the header row must begin with \"time\", not \"") + std::string(cells[0]) + "\"");
            for (std::size_t c = 1; c < cells.size(); ++c) {
                int found = -1;
                for (std::size_t q = 0; q < kCount; ++q)
                    if (cells[c] == columnTitle(q))
                        found = int(q);
                if (found < 0)
                    return refuse(lineNo, int(c) + 1, std::string("unknown column \"") + std::string(cells[c]) + "\"");
                for (int seen : columnOf)
                    if (seen == found)
                        return refuse(lineNo, int(c) + 1, std::string("column \"") + std::string(cells[c]) + "\" appears twice");
                columnOf.push_back(found);
            }
            haveHeader = true;
            continue;
        }
        if (cells.size() != columnOf.size() + 1)
            return refuse(lineNo, int(cells.size() < columnOf.size() + 1 ? cells.size() + 1 : columnOf.size() + 2),
                          std::to_string(cells.size()) + std::string(" cells where the header has ") + std::to_string(columnOf.size() + 1));
        const std::optional<Time> t = parseTime(cells[0]);
        if (!t)
            return refuse(lineNo, 1, std::string("\"") + std::string(cells[0]) + "\" is not a time like 2026-01-31T23:59:59.000+01:00");
        LiveQuantities::Sample sample;
        sample.wallMs = t->wallMs;
        sample.utcOffsetSeconds = t->utcOffsetSeconds;
        for (std::size_t c = 1; c < cells.size(); ++c) {
            if (cells[c].empty())
                continue;
            const std::optional<double> v = number(cells[c]);
            if (!v)
                return refuse(lineNo, int(c) + 1, std::string("\"") + std::string(cells[c]) + "\" is not a number");
            sample.values[std::size_t(columnOf[c - 1])] = *v;
        }
        table.samples.push_back(sample);
    }
    if (!haveHeader)
        return refuse(lineNo + 1, 1, "no header row (time,...) was found");
    ReadResult r;
    r.table = std::move(table);
    return r;
}

ReadResult readFile(const std::string& path, std::size_t largest)
{
    const AtomicFile::ReadResult file = AtomicFile::read(path, largest);
    if (!file.bytes)
        return refuse(0, 0, file.error);
    return parse(*file.bytes);
}

} // namespace TrendCsv
