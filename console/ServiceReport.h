#pragma once

#include "console/ServiceJournalEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The service report: what the journal holds for one controller and a time
// range, as a self-contained HTML page (the style inline, nothing fetched)
// that a customer or a colleague opens in any browser: the controller's
// identity, every change with the values before and after, the backups
// taken and the Compare results.
namespace ServiceReport {

// Which entries a listing or a report takes.
struct Scope {
    std::optional<int> address;          // every address when empty
    std::optional<std::int64_t> fromMs;  // from this time on
    std::optional<std::int64_t> toMs;    // before this time
    bool contains(const ServiceJournalEntry& entry) const;
};

std::vector<ServiceJournalEntry> select(const std::vector<ServiceJournalEntry>& entries, const Scope& scope);

// "2026-12-09 22:30:05 +01:00": an entry's time as the report and the
// journal window show it.
std::string shownTime(std::int64_t wallMs, int utcOffsetSeconds);

// An entry's values on one line, for a listing: "Intfan1 MaxSpeed 3000 rpm
// -> 3200 rpm, ...", a Compare's differences, a backup's file.
std::string changeText(const ServiceJournalEntry& entry);

// The page for the entries of `scope`; `range` says the range in words
// ("2026-12-01 to 2026-12-09"), `made` when and by what the report was made.
std::string html(const std::vector<ServiceJournalEntry>& entries, const Scope& scope, const std::string& range,
                 const std::string& made);

}
