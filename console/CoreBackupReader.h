#pragma once

#include "console/BackupBeforeChange.h"
#include "console/ConsoleCore.h"

#include <optional>
#include <string>

// The read a backup needs, through the console core: a quiet Read All (the
// Configuration tab keeps its texts), its values as a parameter file with
// the controller's bus address and the firmware text when known, or why
// there is none. The answer is handed on from afterTick(), outside the
// engine's step, so the change it lets go on can queue its own command.
class CoreBackupReader : private ConsoleCore::Listener {
public:
    // `console` is this program's version, for the file.
    CoreBackupReader(ConsoleCore& core, std::string console);
    ~CoreBackupReader() override;
    CoreBackupReader(const CoreBackupReader&) = delete;
    CoreBackupReader& operator=(const CoreBackupReader&) = delete;

    // BackupBeforeChange's read.
    void start(BackupBeforeChange::ReadDone done);
    // After every core tick.
    void afterTick();

private:
    void parametersRead(const ParameterSet& parameters, bool shown) override;
    void transactionEnded(const TransactionOutcome& outcome) override;
    void portStateChanged(ConsoleCore::PortState state) override;
    void finish(std::optional<ParameterFile::Document> document, std::string why);

    ConsoleCore& core_;
    std::string console_;
    BackupBeforeChange::ReadDone done_;
    bool reading_ = false;
    bool finished_ = false;
    std::optional<ParameterFile::Document> document_;
    std::string why_;
};
