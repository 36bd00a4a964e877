#pragma once

#include "console/ParameterTable.h"
#include "link/ParameterSet.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A controller's parameters as a file: a JSON document naming its format
// and version, the console's version, the date, the controller's firmware
// text and bus address when known, and every parameter of ParameterTable
// by its register-map name with its register and its value in the tab's
// units (choices by their item text).
//
//   {
//     "format": "hxconsole-parameters",
//     "version": 1,
//     "console": "0.1",
//     "date": "2026-12-09T13:05:00Z",
//     "firmware": "HX-CTRL V2.13",
//     "busAddress": 1,
//     "parameters": {
//       "Intfan1 StepSpeed": { "register": 0, "value": 300, "unit": "rpm" },
//       "Intfan1 StepTemp": { "register": 3, "value": 5.0, "unit": "°C" },
//       "Intfan1 Enable": { "register": 9, "value": "Enable" },
//       ...
//     }
//   }
namespace ParameterFile {

inline constexpr const char* kFormatName = "hxconsole-parameters";
inline constexpr int kVersion = 1;
// A problem report lists this many problems, then counts the rest.
inline constexpr std::size_t kReportedProblems = 20;

struct Document {
    std::string console;
    std::string date;
    std::string firmware;               // empty when not known
    std::optional<int> busAddress;
    // Register values, one per ParameterTable::all() entry, in its order.
    std::vector<std::int32_t> values;
};

struct Problem {
    std::string parameter;   // empty for a problem of the whole file
    std::string message;
    bool operator==(const Problem&) const = default;
};

struct Checked {
    std::optional<Document> document;   // set only when there is no problem
    std::vector<Problem> problems;
};

// The file's text: UTF-8, C locale, one parameter per line in register order.
std::string toJson(const Document& document);

// Checks the whole text: syntax, format name and version, every parameter
// known, present once, converting and within its limits. Any problem
// leaves the document unset.
Checked parse(std::string_view text);

// A document of the set's values; a value not known, or one its Set button
// would not send, is a problem.
Checked fromSet(const ParameterSet& parameters);
// The document's values as a set: every parameter known.
ParameterSet toSet(const Document& document);

// Values from the texts of the parameters' controls, as their Set handlers
// would convert them; `text` gives a parameter's control text.
Checked fromTexts(const std::function<std::string(const ParameterEntry&)>& text);

// `headline`, then the first kReportedProblems problems one per line with
// their parameter names, then how many more there are.
std::string report(std::string_view headline, const std::vector<Problem>& problems);

}
