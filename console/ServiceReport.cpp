#include "console/ServiceReport.h"

#include "console/TrendCsv.h"

#include <QString>

#include <algorithm>
#include <map>
#include <set>

namespace ServiceReport {

namespace {

using Entry = ServiceJournalEntry;

// Qt's text browser reads the table attributes, other browsers the style.
constexpr const char* kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">";

constexpr const char* kStyle = R"(<style>
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10pt; color: #202020; margin: 16px; }
h1 { font-size: 17pt; margin-bottom: 2px; }
h2 { font-size: 12pt; margin-top: 18px; border-bottom: 1px solid #808080; }
p.scope { color: #505050; margin-top: 0; }
table { border-collapse: collapse; margin-bottom: 10px; }
th, td { border: 1px solid #b0b0b0; padding: 3px 8px; text-align: left; vertical-align: top; }
th { background-color: #e4ebf2; }
td.ok { color: #1a6b30; }
td.fail { color: #b00000; font-weight: bold; }
td.changed { font-weight: bold; }
.none { color: #707070; font-style: italic; }
</style>)";

std::string esc(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

std::string cell(const std::string& text, const std::string& attributes = {})
{
    return "<td" + attributes + ">" + esc(text) + "</td>";
}

std::string headRow(std::initializer_list<const char*> titles)
{
    std::string row = "<tr>";
    for (const char* title : titles)
        row += std::string("<th>") + title + "</th>";
    return row + "</tr>\n";
}

std::string timeOf(const Entry& e) { return shownTime(e.wallMs, e.utcOffsetSeconds); }

std::string joined(const std::set<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "not known" : text;
}

std::string identity(const std::vector<Entry>& entries)
{
    struct Seen {
        std::set<std::string> ports;
        std::string firmware;   // the latest known
    };
    std::map<int, Seen> byAddress;
    for (const Entry& e : entries) {
        Seen& seen = byAddress[e.address];
        if (!e.port.empty())
            seen.ports.insert(e.port);
        if (!e.firmware.empty())
            seen.firmware = e.firmware;
    }
    std::string out = "<h2>Controller</h2>\n" + std::string(kTable) + "\n" + headRow({"Bus address", "Firmware", "Port"});
    for (const auto& [address, seen] : byAddress)
        out += "<tr>" + cell(std::to_string(address)) + cell(seen.firmware.empty() ? "not known" : seen.firmware)
            + cell(joined(seen.ports)) + "</tr>\n";
    return out + "</table>\n";
}

// Every parameter the write sent or had a value before for, in that order.
std::vector<std::string> parametersOf(const Entry& e)
{
    std::vector<std::string> names;
    for (const Entry::Value& v : e.sent)
        names.push_back(v.name);
    for (const Entry::Value& v : e.before.value_or(std::vector<Entry::Value>{})) {
        if (std::find(names.begin(), names.end(), v.name) == names.end())
            names.push_back(v.name);
    }
    return names;
}

std::string valueIn(const std::vector<Entry::Value>& values, const std::string& name, const std::string& otherwise)
{
    for (const Entry::Value& v : values) {
        if (v.name == name)
            return v.text;
    }
    return otherwise;
}

// What the controller holds after the write, as far as the console knows.
std::string afterOf(const Entry& e, const std::string& name)
{
    // After Default the controller holds its factory values, which the console does not know.
    return valueIn(e.sent, name, e.action == "Default" ? "factory value" : "not sent");
}

std::string changes(const std::vector<Entry>& writes)
{
    std::string out = "<h2>Changes</h2>\n";
    if (writes.empty())
        return out + "<p class=\"none\">No write was made in this range.</p>\n";
    out += std::string(kTable) + "\n" + headRow({"Time", "Address", "Action", "Outcome", "Parameter", "Before", "After"});
    for (const Entry& e : writes) {
        std::vector<std::string> names = parametersOf(e);
        const std::string span = names.size() > 1 ? " rowspan=\"" + std::to_string(names.size()) + "\"" : "";
        std::string action = e.action;
        if (!e.run.empty())
            action += " (" + e.run + (e.file.empty() ? "" : " of " + e.file) + ")";
        const std::string outcome = cell(e.outcomeText(), span + (e.outcome == Entry::Outcome::Written ? " class=\"ok\"" : " class=\"fail\""));
        out += "<tr>" + cell(timeOf(e), span) + cell(std::to_string(e.address), span) + cell(action, span) + outcome;
        if (names.empty()) {
            out += "<td class=\"none\" colspan=\"3\">no parameter values</td></tr>\n";
            continue;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string before = e.before ? valueIn(*e.before, names[i], "") : "";
            const std::string after = afterOf(e, names[i]);
            // A value known to have changed stands out from those sent again.
            const std::string mark = !before.empty() && before != after ? " class=\"changed\"" : "";
            out += (i > 0 ? "<tr>" : "") + cell(names[i], mark) + cell(before.empty() ? "not known" : before)
                + cell(after, mark) + "</tr>\n";
        }
    }
    return out + "</table>\n";
}

std::string backups(const std::vector<Entry>& taken)
{
    std::string out = "<h2>Backups</h2>\n";
    if (taken.empty())
        return out + "<p class=\"none\">No backup was taken in this range.</p>\n";
    out += std::string(kTable) + "\n" + headRow({"Time", "Address", "Before", "File"});
    for (const Entry& e : taken)
        out += "<tr>" + cell(timeOf(e)) + cell(std::to_string(e.address)) + cell(e.run) + cell(e.file) + "</tr>\n";
    return out + "</table>\n";
}

std::string compares(const std::vector<Entry>& runs)
{
    std::string out = "<h2>Compare results</h2>\n";
    if (runs.empty())
        return out + "<p class=\"none\">No Compare was run in this range.</p>\n";
    out += std::string(kTable) + "\n" + headRow({"Time", "Address", "File", "Parameter", "Controller", "File value"});
    for (const Entry& e : runs) {
        const std::size_t rows = std::max<std::size_t>(1, e.differences.size());
        const std::string span = rows > 1 ? " rowspan=\"" + std::to_string(rows) + "\"" : "";
        out += "<tr>" + cell(timeOf(e), span) + cell(std::to_string(e.address), span) + cell(e.file, span);
        if (e.differences.empty()) {
            out += "<td class=\"none\" colspan=\"3\">no differences</td></tr>\n";
            continue;
        }
        for (std::size_t i = 0; i < e.differences.size(); ++i) {
            const Entry::Difference& d = e.differences[i];
            out += (i > 0 ? "<tr>" : "") + cell(d.parameter) + cell(d.controller) + cell(d.file) + "</tr>\n";
        }
    }
    return out + "</table>\n";
}

}

bool Scope::contains(const ServiceJournalEntry& entry) const
{
    return (!address || entry.address == *address) && (!fromMs || entry.wallMs >= *fromMs)
        && (!toMs || entry.wallMs < *toMs);
}

std::vector<ServiceJournalEntry> select(const std::vector<ServiceJournalEntry>& entries, const Scope& scope)
{
    std::vector<ServiceJournalEntry> chosen;
    std::copy_if(entries.begin(), entries.end(), std::back_inserter(chosen),
                 [&scope](const ServiceJournalEntry& e) { return scope.contains(e); });
    return chosen;
}

std::string shownTime(std::int64_t wallMs, int utcOffsetSeconds)
{
    const std::string iso = TrendCsv::timeText(wallMs, utcOffsetSeconds);   // 2026-12-09T22:30:05.120+01:00
    return iso.substr(0, 10) + " " + iso.substr(11, 8) + " " + iso.substr(iso.size() - 6);
}

std::string changeText(const ServiceJournalEntry& entry)
{
    std::string text;
    const auto add = [&text](const std::string& part) { text += (text.empty() ? "" : ", ") + part; };
    switch (entry.kind) {
    case Entry::Kind::Backup:
        return "before " + entry.run + ": " + entry.file;
    case Entry::Kind::Compare:
        for (const Entry::Difference& d : entry.differences)
            add(d.parameter + " " + d.controller + " (file " + d.file + ")");
        return text.empty() ? "no differences with " + entry.file : text;
    case Entry::Kind::Write:
        break;
    }
    // Values the controller held already are left out.
    const std::vector<std::string> names = parametersOf(entry);
    for (const std::string& name : names) {
        const std::string before = entry.before ? valueIn(*entry.before, name, "") : "";
        const std::string after = afterOf(entry, name);
        if (before != after)
            add(name + " " + (before.empty() ? "" : before + " ") + "\u2192 " + after);
    }
    return text.empty() && !names.empty() ? "no change (" + std::to_string(names.size()) + " values sent again)" : text;
}

std::string html(const std::vector<ServiceJournalEntry>& entries, const Scope& scope, const std::string& range,
                 const std::string& made)
{
    const std::vector<Entry> chosen = select(entries, scope);
    std::vector<Entry> writes, taken, runs;
    for (const Entry& e : chosen)
        (e.kind == Entry::Kind::Write ? writes : e.kind == Entry::Kind::Backup ? taken : runs).push_back(e);
    const std::string who = scope.address ? "bus address " + std::to_string(*scope.address) : "every bus address";
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Service report, "
        + esc(who) + "</title>\n" + kStyle + "\n</head>\n<body>\n<h1>Service report</h1>\n<p class=\"scope\">Controller at "
        + esc(who) + ", " + esc(range) + ". " + esc(made) + "</p>\n";
    if (chosen.empty())
        out += "<p class=\"none\">The journal holds nothing for this controller in this range.</p>\n";
    else
        out += identity(chosen);
    return out + changes(writes) + backups(taken) + compares(runs) + "</body>\n</html>\n";
}

}
