#include "console/CoreBackupReader.h"
#include "link/FirmwareReadCommand.h"

#include <QDateTime>

#include <utility>

CoreBackupReader::CoreBackupReader(ConsoleCore& core, std::string console)
    : core_(core)
    , console_(std::move(console))
{
    core_.addListener(*this);
}

CoreBackupReader::~CoreBackupReader()
{
    core_.removeListener(*this);
}

void CoreBackupReader::start(BackupBeforeChange::ReadDone done)
{
    done_ = std::move(done);
    finished_ = false;
    document_.reset();
    why_.clear();
    reading_ = core_.readParameters();
    if (!reading_)
        finish(std::nullopt, "the link is busy or the port is not open");
}

void CoreBackupReader::afterTick()
{
    if (!finished_)
        return;
    finished_ = false;
    // The receiver may start another read from inside the call.
    BackupBeforeChange::ReadDone done = std::move(done_);
    done(std::move(document_), why_);
}

void CoreBackupReader::parametersRead(const ParameterSet& parameters, bool shown)
{
    if (!reading_ || shown)
        return;
    ParameterFile::Checked held = ParameterFile::fromSet(parameters);
    if (!held.document) {
        finish(std::nullopt, ParameterFile::report("the controller holds values a parameter file cannot carry", held.problems));
        return;
    }
    ParameterFile::Document& document = *held.document;
    document.console = console_;
    document.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    const LinkState& state = core_.state();
    document.firmware = Firmware::text(state);
    document.busAddress = static_cast<int>(state.SlaveAddress);
    finish(std::move(held.document), {});
}

void CoreBackupReader::transactionEnded(const TransactionOutcome& outcome)
{
    if (reading_ && outcome.id == TransactionId{TransactionId::Kind::Command, Command::ReadAll}
        && outcome.result != LinkOutcome::Valid)
        finish(std::nullopt, outcome.failureLine());
}

void CoreBackupReader::portStateChanged(ConsoleCore::PortState state)
{
    if (reading_ && state != ConsoleCore::PortState::Open)
        finish(std::nullopt, "the port was closed");
}

void CoreBackupReader::finish(std::optional<ParameterFile::Document> document, std::string why)
{
    reading_ = false;
    finished_ = true;
    document_ = std::move(document);
    why_ = std::move(why);
}
