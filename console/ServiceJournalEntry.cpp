#include "console/ServiceJournalEntry.h"

#include "console/TrendCsv.h"
#include "link/LinkObserver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <utility>

namespace {

constexpr std::array<const char*, 3> kKindWords{"write", "compare", "backup"};
constexpr std::array<const char*, 6> kOutcomeWords{"", "written", "refused", "time-out", "wrong reply", "CRC mismatch"};

QString q(const std::string& text) { return QString::fromStdString(text); }

// Rows of strings, each row one value's parts.
QJsonArray rows(const std::vector<std::vector<std::string>>& table)
{
    QJsonArray out;
    for (const auto& row : table) {
        QJsonArray cells;
        for (const std::string& cell : row)
            cells.append(q(cell));
        out.append(cells);
    }
    return out;
}

std::vector<std::vector<std::string>> valueRows(const std::vector<ServiceJournalEntry::Value>& values)
{
    std::vector<std::vector<std::string>> table;
    for (const auto& v : values)
        table.push_back({v.name, v.text});
    return table;
}

// Reads rows of exactly `width` strings; false when the array is not that.
bool readRows(const QJsonValue& json, std::size_t width, std::vector<std::vector<std::string>>& table)
{
    if (!json.isArray())
        return false;
    for (const QJsonValue& row : json.toArray()) {
        if (!row.isArray() || std::size_t(row.toArray().size()) != width)
            return false;
        std::vector<std::string> cells;
        for (const QJsonValue& cell : row.toArray()) {
            if (!cell.isString())
                return false;
            cells.push_back(cell.toString().toStdString());
        }
        table.push_back(std::move(cells));
    }
    return true;
}

template <std::size_t N>
std::optional<std::size_t> wordIndex(const std::array<const char*, N>& words, const QString& word)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (word == QLatin1String(words[i]))
            return i;
    }
    return std::nullopt;
}

}

std::string ServiceJournalEntry::outcomeText() const
{
    if (outcome == Outcome::Refused)
        return "refused: " + refusalText(static_cast<std::uint8_t>(exceptionCode));
    return kOutcomeWords[std::size_t(outcome)];
}

std::string ServiceJournalEntry::line() const
{
    QJsonObject json;
    json["kind"] = kKindWords[std::size_t(kind)];
    json["port"] = q(port);
    json["address"] = address;
    if (!firmware.empty())
        json["firmware"] = q(firmware);
    json["action"] = q(action);
    if (!run.empty())
        json["run"] = q(run);
    if (!file.empty())
        json["file"] = q(file);
    if (outcome != Outcome::None)
        json["outcome"] = kOutcomeWords[std::size_t(outcome)];
    if (outcome == Outcome::Refused)
        json["code"] = exceptionCode;
    if (!sent.empty())
        json["sent"] = rows(valueRows(sent));
    if (before)
        json["before"] = rows(valueRows(*before));
    if (kind == Kind::Compare) {
        std::vector<std::vector<std::string>> table;
        for (const Difference& d : differences)
            table.push_back({d.parameter, d.controller, d.file});
        json["differences"] = rows(table);
    }
    return TrendCsv::timeText(wallMs, utcOffsetSeconds) + " "
        + QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

std::string ServiceJournalEntry::Problem::text() const
{
    return "line " + std::to_string(line) + ": " + reason;
}

std::optional<ServiceJournalEntry> ServiceJournalEntry::parseLine(std::string_view line, std::string& reason)
{
    const std::size_t space = line.find(' ');
    const std::optional<TrendCsv::Time> time = TrendCsv::parseTime(line.substr(0, space));
    if (space == std::string_view::npos || !time) {
        reason = "no time stamp at the start";
        return std::nullopt;
    }
    QJsonParseError error{};
    const std::string_view rest = line.substr(space + 1);
    const QJsonDocument document
        = QJsonDocument::fromJson(QByteArray(rest.data(), qsizetype(rest.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        reason = error.error != QJsonParseError::NoError
            ? "not a JSON object (" + error.errorString().toStdString() + ")"
            : std::string("not a JSON object");
        return std::nullopt;
    }
    const QJsonObject json = document.object();
    ServiceJournalEntry entry;
    entry.wallMs = time->wallMs;
    entry.utcOffsetSeconds = time->utcOffsetSeconds;
    const std::optional<std::size_t> kind = wordIndex(kKindWords, json["kind"].toString());
    if (!kind) {
        reason = "unknown kind of entry";
        return std::nullopt;
    }
    entry.kind = Kind(*kind);
    const int address = json["address"].toInt(-1);
    if (!json["address"].isDouble() || address < 0 || address > 255 || !json["action"].isString()) {
        reason = "no bus address (0 to 255) or no action";
        return std::nullopt;
    }
    entry.address = address;
    entry.port = json["port"].toString().toStdString();
    entry.firmware = json["firmware"].toString().toStdString();
    entry.action = json["action"].toString().toStdString();
    entry.run = json["run"].toString().toStdString();
    entry.file = json["file"].toString().toStdString();
    const std::optional<std::size_t> outcome = wordIndex(kOutcomeWords, json["outcome"].toString());
    if (!outcome || (entry.kind == Kind::Write) == (*outcome == 0)) {
        reason = entry.kind == Kind::Write ? "a write without a known outcome" : "an outcome on an entry that is no write";
        return std::nullopt;
    }
    entry.outcome = Outcome(*outcome);
    entry.exceptionCode = json["code"].toInt();
    std::vector<std::vector<std::string>> sent, before, differences;
    if ((json.contains("sent") && !readRows(json["sent"], 2, sent))
        || (json.contains("before") && !readRows(json["before"], 2, before))
        || (json.contains("differences") && !readRows(json["differences"], 3, differences))) {
        reason = "values that are not lists of texts";
        return std::nullopt;
    }
    for (auto& row : sent)
        entry.sent.push_back({std::move(row[0]), std::move(row[1])});
    if (json.contains("before")) {
        entry.before.emplace();
        for (auto& row : before)
            entry.before->push_back({std::move(row[0]), std::move(row[1])});
    }
    for (auto& row : differences)
        entry.differences.push_back({std::move(row[0]), std::move(row[1]), std::move(row[2])});
    return entry;
}

ServiceJournalEntry::Parsed ServiceJournalEntry::parse(std::string_view text)
{
    Parsed parsed;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        std::string reason;
        if (std::optional<ServiceJournalEntry> entry = parseLine(line, reason))
            parsed.entries.push_back(std::move(*entry));
        else
            parsed.problems.push_back({number, reason});
    }
    return parsed;
}
