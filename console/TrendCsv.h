#pragma once

#include "console/TrendRecorder.h"
#include "link/LiveQuantities.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The trend log's text form, written by the console's log, `hxctl live --csv`
// and the trend window's export, and read back by "Open Log...":
//
//   # hxconsole trend log          comment lines first: console version,
//   # console 1.4.0                port, bus address, firmware when known
//   time,intfan1_speed [rpm],...   then `time` and one `name [unit]` column
//   2026-12-09T18:30:01.250+01:00,1500,...   per live quantity; an empty
//                                             cell is a value not read
namespace TrendCsv {

struct Header {
    std::string console;   // the program's version
    std::string port;
    int address = 0;       // 0: not known
    std::string firmware;  // empty: not known
};

// The `#` lines that open a file.
std::string comments(const Header& header);
// "name [unit]" of one quantity.
std::string columnTitle(std::size_t quantity);
// `time` and every quantity's column, with the line end.
std::string headerRow();
// ISO 8601 local time with milliseconds and the UTC offset.
std::string timeText(std::int64_t wallMs, int utcOffsetSeconds);
// The shortest text that reads back as the same double.
std::string valueText(double value);
// One sample's row, with the line end.
std::string row(const LiveQuantities::Sample& sample);
// A mark as a comment line ("# mark <time> raised Heater alarm raised"),
// which other programs skip and "Open Log..." shows again.
std::string markLine(const TrendMark& mark);

// The local calendar day of a time, as "YYYY-MM-DD".
std::string dayText(std::int64_t wallMs, int utcOffsetSeconds);

struct Time {
    std::int64_t wallMs = 0;
    int utcOffsetSeconds = 0;
};
// Reads what timeText writes ("Z" for UTC, fractions of any length).
std::optional<Time> parseTime(std::string_view text);

struct Table {
    Header header;
    std::vector<LiveQuantities::Sample> samples;
    std::vector<TrendMark> marks;
};

struct Error {
    int line = 0;    // from 1
    int column = 0;  // field from 1
    std::string reason;
    std::string text() const;
};

struct ReadResult {
    std::optional<Table> table;
    Error error;  // when there is no table
};

// Columns may come in any order and any may be missing (those quantities
// read as not read); an unknown column, a row of the wrong length, a bad
// time or a cell that is not a number refuses the whole text.
ReadResult parse(std::string_view text);
// The file at `path`, refused above `largest` bytes.
ReadResult readFile(const std::string& path, std::size_t largest = std::size_t(512) << 20);

} // namespace TrendCsv
