#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line of the service journal: a write the console made to a
// controller, a Compare of a parameter file with it, or a backup of its
// parameters. Values travel as the operator reads them: the parameter's
// name from the register map and its value with the unit ("300 rpm",
// "20.0 °C", "Enable").
//
// On disk each entry is one line: the local time with milliseconds and the
// UTC offset, a space, and a JSON object on that line (keys in any order):
//
//   2026-12-09T22:30:05.120+01:00 {"action":"Set Intfan","address":1,
//       "before":[["Intfan1 StepSpeed","300 rpm"],...],"firmware":"HX-CTRL V2.13",
//       "kind":"write","outcome":"written","port":"/dev/ttyUSB0",
//       "sent":[["Intfan1 StepSpeed","350 rpm"],...]}
//
// "run" names the Write All a Set belongs to and "file" the parameter file
// it wrote (a Compare's file, a backup's file); "code" is the controller's
// exception code of a refusal; a Compare lists "differences" as
// [parameter, controller, file] triples.
struct ServiceJournalEntry {
    enum class Kind { Write, Compare, Backup };
    enum class Outcome { None, Written, Refused, Timeout, WrongReply, CrcMismatch };

    struct Value {
        std::string name;
        std::string text;
        bool operator==(const Value&) const = default;
    };
    struct Difference {
        std::string parameter;
        std::string controller;
        std::string file;
        bool operator==(const Difference&) const = default;
    };

    std::int64_t wallMs = 0;
    int utcOffsetSeconds = 0;
    Kind kind = Kind::Write;
    std::string port;
    int address = 0;
    std::string firmware;              // empty: not known
    std::string action;                // "Set Intfan", "Default", "Debug temperature", "Compare", "Backup"
    std::string run;                   // "Write All" for a group of one; else empty
    std::string file;
    Outcome outcome = Outcome::None;   // writes only
    int exceptionCode = 0;             // with Outcome::Refused
    std::vector<Value> sent;
    std::optional<std::vector<Value>> before;   // what the controller held, when known
    std::vector<Difference> differences;

    bool operator==(const ServiceJournalEntry&) const = default;

    // "written", "refused: illegal data value (03)", "time-out", ...
    std::string outcomeText() const;
    // The entry's line, without the line end.
    std::string line() const;

    struct Problem {
        int line = 0;   // from 1
        std::string reason;
        // "line 7: <reason>"
        std::string text() const;
    };
    struct Parsed {
        std::vector<ServiceJournalEntry> entries;
        std::vector<Problem> problems;   // lines that were skipped
    };
    // Every entry of a journal's text. A line that is not an entry is
    // reported with its number and skipped; the others are kept. Empty
    // lines are passed over.
    static Parsed parse(std::string_view text);
    // One line, or why it is not an entry.
    static std::optional<ServiceJournalEntry> parseLine(std::string_view line, std::string& reason);
};
