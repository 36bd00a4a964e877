#include "console/ServiceJournal.h"

#include "console/ParameterTable.h"
#include "console/ParameterValues.h"
#include "files/AppendingFile.h"
#include "files/RegularFile.h"
#include "link/FirmwareReadCommand.h"
#include "link/Frames.h"
#include "link/RegisterMap.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

// A journal of many years of service visits stays far below this.
constexpr std::size_t kLargestJournal = std::size_t(256) << 20;

using Kind = ServiceJournalEntry::Kind;
using Outcome = ServiceJournalEntry::Outcome;

ServiceJournalEntry::Value named(int reg, std::int32_t value)
{
    const RegisterMap::Entry* entry = RegisterMap::byRegister(reg);
    const ParameterEntry* shown = ParameterTable::find(entry->name);
    // The debug temperature is no parameter of the Configuration tab.
    const ParameterEntry param = shown ? *shown : ParameterEntry{entry, {}, nullptr};
    const auto items = std::count(param.items.begin(), param.items.end(), '|') + (param.items.empty() ? 0 : 1);
    if (param.isChoice() && (value < 0 || value >= items)) {
        // A combo box without a selection sends its -1, which an 8-bit field keeps as 255.
        return {std::string(entry->name), std::to_string(value) + " (no item)"};
    }
    return {std::string(entry->name), ParameterValues::withUnit(param, value)};
}

std::vector<ServiceJournalEntry::Value> namedAll(const ServiceJournal::Registers& registers)
{
    std::vector<ServiceJournalEntry::Value> values;
    for (const auto& [reg, value] : registers)
        values.push_back(named(reg, value));
    return values;
}

Outcome outcomeOf(LinkOutcome result)
{
    switch (result) {
    case LinkOutcome::Valid:
        return Outcome::Written;
    case LinkOutcome::Refused:
        return Outcome::Refused;
    case LinkOutcome::Timeout:
        return Outcome::Timeout;
    case LinkOutcome::WrongReply:
        return Outcome::WrongReply;
    case LinkOutcome::CrcMismatch:
        break;
    }
    return Outcome::CrcMismatch;
}

bool isCommand(const TransactionOutcome& outcome, std::uint8_t code)
{
    return outcome.id.kind == TransactionId::Kind::Command && outcome.id.code == code;
}

}

ServiceJournal::ServiceJournal(ConsoleCore& core, std::string path, std::function<std::string()> port, Report report)
    : core_(core), path_(std::move(path)), port_(std::move(port)), report_(std::move(report))
{
    core_.addListener(*this);
}

ServiceJournal::~ServiceJournal()
{
    core_.removeListener(*this);
}

std::string ServiceJournal::defaultPath()
{
    // The console's own data folder, whichever program writes: hxctl's
    // entries belong in the same journal as the window's.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("hxconsole/service-journal.log")
        .toStdString();
}

ServiceJournal::Registers ServiceJournal::known(std::uint8_t address) const
{
    const auto it = known_.find(address);
    return it == known_.end() ? Registers() : it->second;
}

void ServiceJournal::knownValues(std::uint8_t address, const Registers& values)
{
    known_[address] = values;
}

ServiceJournalEntry ServiceJournal::started(Kind kind, std::uint8_t address, std::string action)
{
    const QDateTime now = QDateTime::currentDateTime();
    ServiceJournalEntry entry;
    entry.wallMs = now.toMSecsSinceEpoch();
    entry.utcOffsetSeconds = now.offsetFromUtc();
    entry.kind = kind;
    entry.port = port_ ? port_() : std::string();
    entry.address = address;
    if (firmwareAddress_ == address)
        entry.firmware = Firmware::text(core_.state());
    entry.action = std::move(action);
    return entry;
}

void ServiceJournal::recordBackup(std::uint8_t address, const std::string& file, const std::string& action,
                                  const Registers& values)
{
    knownValues(address, values);
    ServiceJournalEntry entry = started(Kind::Backup, address, "Backup");
    entry.run = action;
    entry.file = file;
    append(entry);
}

ServiceJournal::Registers ServiceJournal::registersOf(const ParameterFile::Document& document)
{
    Registers values;
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size() && i < document.values.size(); ++i)
        values[params[i].reg()] = document.values[i];
    return values;
}

void ServiceJournal::recordCompare(std::uint8_t address, const std::string& file,
                                   const std::vector<ParameterDifference>& differences)
{
    ServiceJournalEntry entry = started(Kind::Compare, address, "Compare");
    entry.file = file;
    for (const ParameterDifference& d : differences)
        entry.differences.push_back({d.parameter, d.controller, d.file});
    append(entry);
}

ServiceJournal::Registers ServiceJournal::sentBy(const TransactionOutcome& outcome) const
{
    const LinkState& state = core_.state();
    Registers sent;
    if (outcome.id.kind == TransactionId::Kind::LiveAction) {
        if (outcome.id.code == LiveActionCode::DebugTemperature) {
            constexpr const RegisterMap::Entry& debug = RegisterMap::named("Debug Temperature");
            sent[debug.reg] = std::int32_t(debug.field.read(state));
        }
        return sent;
    }
    for (const RegisterMap::Entry* e : RegisterMap::group(outcome.id.code))
        sent[e->reg] = std::int32_t(e->field.read(state));
    return sent;
}

void ServiceJournal::parametersRead(const ParameterSet& parameters, bool /*shown*/)
{
    // What the controller holds now, whoever asked for the read.
    Registers held;
    for (const RegisterMap::Entry& e : RegisterMap::kEntries) {
        if (e.group == RegisterMap::kNoGroup)
            continue;
        if (const auto value = parameters.value(e))
            held[e.reg] = *value;
    }
    known_[static_cast<std::uint8_t>(core_.state().SlaveAddress)] = held;
}

void ServiceJournal::transactionEnded(const TransactionOutcome& outcome)
{
    const std::uint8_t address = outcome.address;
    if (outcome.result == LinkOutcome::Valid && isCommand(outcome, Command::ReadVersion))
        firmwareAddress_ = address;
    if (!outcome.isWrite())
        return;

    ServiceJournalEntry entry = started(Kind::Write, address, outcome.name());
    const Registers sent = sentBy(outcome);
    entry.sent = namedAll(sent);
    if (outcome.id.kind == TransactionId::Kind::LiveAction && outcome.id.code == LiveActionCode::ForceOutput)
        entry.sent.push_back({"Forced-on output", core_.state().CoilWriteValue == Frames::CoilOn ? "on" : "off"});
    const Registers held = known(address);
    // Default changes every parameter: all that was known is its "before".
    const bool everything = isCommand(outcome, Command::FactoryReset);
    std::vector<ServiceJournalEntry::Value> before;
    for (const auto& [reg, value] : held) {
        if (everything || sent.contains(reg))
            before.push_back(named(reg, value));
    }
    if (!before.empty())
        entry.before = std::move(before);
    if (outcome.id.kind == TransactionId::Kind::Command && runSource_) {
        if (const std::optional<Run> run = runSource_()) {
            entry.run = run->action;
            entry.file = run->file;
        }
    }
    entry.outcome = outcomeOf(outcome.result);
    entry.exceptionCode = outcome.exceptionCode;
    learn(outcome, sent);
    append(entry);
}

// Keeps what is known of the controller true after a write: a written value
// is now held, a write without a valid answer leaves its registers unknown,
// a refused one changed nothing.
void ServiceJournal::learn(const TransactionOutcome& outcome, const Registers& sent)
{
    if (outcome.result == LinkOutcome::Refused)
        return;
    const std::uint8_t address = outcome.address;
    if (isCommand(outcome, Command::FactoryReset)) {
        known_.erase(address);
        return;
    }
    Registers& held = known_[address];
    for (const auto& [reg, value] : sent) {
        if (outcome.result == LinkOutcome::Valid)
            held[reg] = value;
        else
            held.erase(reg);
    }
    if (outcome.result == LinkOutcome::Valid && isCommand(outcome, Command::SetAddress)) {
        // The same controller answers at its new address from now on.
        const int moved = sent.begin()->second;
        if (moved >= 0 && moved <= 255 && moved != address) {
            known_[std::uint8_t(moved)] = held;
            known_.erase(address);
        }
    }
}

void ServiceJournal::append(const ServiceJournalEntry& entry)
{
    unwritten_.push_back(entry);
    std::string lines;
    for (const ServiceJournalEntry& e : unwritten_)
        lines += e.line() + "\n";
    const std::string folder = RegularFile::folderOf(path_);
    AppendingFile file;
    std::string error;
    if (!QDir().mkpath(QString::fromStdString(folder)))
        error = "Cannot make the folder " + folder + " for the service journal " + path_;
    else if (!file.open(path_, AppendingFile::Start::Keep) || !file.append(lines) || !file.close())
        error = file.error();
    if (error.empty()) {
        unwritten_.clear();
        failing_ = false;
    } else if (!failing_) {
        failing_ = true;
        if (report_)
            report_(error);
    }
    if (entrySink_)
        entrySink_(entry);
}

ServiceJournal::ReadResult ServiceJournal::read(const std::string& path)
{
    ReadResult result;
    if (!QFileInfo::exists(QString::fromStdString(path)))
        return result;
    const RegularFile::ReadResult file = RegularFile::read(path, kLargestJournal);
    if (!file.bytes) {
        result.error = file.error;
        return result;
    }
    result.parsed = ServiceJournalEntry::parse(*file.bytes);
    return result;
}
