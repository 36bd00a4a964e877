#pragma once

#include "console/ConsoleCore.h"
#include "console/ParameterComparison.h"
#include "console/ParameterFile.h"
#include "console/ServiceJournalEntry.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The per-user service journal: every write the console makes to a
// controller (each Set group, Default, the groups of a Write All, the
// address change, the live actions and the debug temperature) becomes one
// line, appended and flushed at once. It listens to the console core: the
// outcome of each exchange says what was written, where and how it went;
// the values sent are the fields the Set handler stored in the controller
// image. What the controller held before comes from the last Read All of
// that address, kept up to date by the writes that followed, or from
// knownValues() (a backup read).
//
// A journal file that cannot be written is reported once through `report`
// ("Cannot write <file>: <reason>"); its entries stay in memory
// (unwritten()) and go out with the next entry that can be written, and
// the console goes on as before.
class ServiceJournal : private ConsoleCore::Listener {
public:
    using Report = std::function<void(const std::string& message)>;
    // Register values by holding register number, as the registers hold them.
    using Registers = std::map<int, std::int32_t>;
    // A run of writes the operator started as one (Write All) and its file.
    struct Run {
        std::string action;
        std::string file;
    };

    // `port` names the port the console works on when an entry is made.
    ServiceJournal(ConsoleCore& core, std::string path, std::function<std::string()> port, Report report);
    ~ServiceJournal() override;

    // The journal file in the console's per-user data folder, shared by the
    // window and hxctl.
    static std::string defaultPath();
    const std::string& path() const { return path_; }

    // Asked at each write: the run it belongs to, if any.
    void setRunSource(std::function<std::optional<Run>()> source) { runSource_ = std::move(source); }
    // Every entry, as it is made (written or kept in memory).
    void setEntrySink(std::function<void(const ServiceJournalEntry&)> sink) { entrySink_ = std::move(sink); }

    // What the controller at `address` holds, read outside Read All (a
    // backup): the "before" of the writes that follow.
    void knownValues(std::uint8_t address, const Registers& values);
    // A backup of `address` saved to `file` before `action` ("Default");
    // its values become the known ones.
    void recordBackup(std::uint8_t address, const std::string& file, const std::string& action,
                      const Registers& values);
    // A parameter file's values by register.
    static Registers registersOf(const ParameterFile::Document& document);
    // A Compare of `file` with the controller at `address`.
    void recordCompare(std::uint8_t address, const std::string& file,
                       const std::vector<ParameterDifference>& differences);

    // What is known of the controller at `address` (empty: nothing).
    Registers known(std::uint8_t address) const;
    // Entries the file did not take yet.
    const std::vector<ServiceJournalEntry>& unwritten() const { return unwritten_; }

    struct ReadResult {
        ServiceJournalEntry::Parsed parsed;
        std::string error;   // the file could not be read; a missing file is an empty journal
    };
    static ReadResult read(const std::string& path);

private:
    void transactionEnded(const TransactionOutcome& outcome) override;
    void parametersRead(const ParameterSet& parameters, bool shown) override;
    ServiceJournalEntry started(ServiceJournalEntry::Kind kind, std::uint8_t address, std::string action);
    // What the write of `outcome` carried: its parameters' registers and values.
    Registers sentBy(const TransactionOutcome& outcome) const;
    void learn(const TransactionOutcome& outcome, const Registers& sent);
    void append(const ServiceJournalEntry& entry);

    ConsoleCore& core_;
    std::string path_;
    std::function<std::string()> port_;
    Report report_;
    std::function<std::optional<Run>()> runSource_;
    std::function<void(const ServiceJournalEntry&)> entrySink_;
    std::map<std::uint8_t, Registers> known_;
    std::optional<std::uint8_t> firmwareAddress_;
    std::vector<ServiceJournalEntry> unwritten_;
    bool failing_ = false;
};
