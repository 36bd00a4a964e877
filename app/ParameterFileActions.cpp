#include "app/ParameterFileActions.h"

#include "app/ParameterDialogs.h"
#include "console/AtomicFile.h"
#include "console/ConsoleCore.h"
#include "console/FormControls.h"
#include "console/ParameterBackups.h"
#include "console/ParameterComparison.h"
#include "console/ParameterValues.h"
#include "console/PlausibilityRules.h"
#include "link/FirmwareReadCommand.h"
#include "link/LinkState.h"

#include <QDateTime>
#include <QString>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kConfigurationTab = 0;
constexpr const char* kBusyText = "Systerm Busy,Please Wait";
constexpr const char* kSaveCaption = "Save Parameters";
constexpr const char* kLoadCaption = "Load Parameters";
constexpr const char* kRestoreCaption = "Restore Backup";
constexpr const char* kWriteAllCaption = "Write All";
constexpr const char* kCompareCaption = "Compare";
// Parameter files are a few kilobytes; anything far larger is not one.
constexpr std::size_t kLargestFile = 1 << 20;

std::vector<PlausibilityRules::Broken> brokenBy(const ParameterFile::Document& document)
{
    return PlausibilityRules::check(PlausibilityRules::fromValues(document.values));
}

// What the compare window lists under the differences: the rules each side breaks.
std::string brokenOnEitherSide(const ParameterFile::Document& file, const PlausibilityRules::Lookup& controller)
{
    std::string text;
    for (const auto& [side, broken] : {std::pair{"The file's values break:\n", brokenBy(file)},
                                       std::pair{"The controller's values break:\n",
                                                 PlausibilityRules::check(controller)}}) {
        if (broken.empty())
            continue;
        if (!text.empty())
            text += '\n';
        text += side + PlausibilityRules::describe(broken);
    }
    return text;
}

}

ParameterFileActions::ParameterFileActions(ConsoleCore& core, FormControls& controls)
    : core_(core)
    , state_(core.state())
    , controls_(controls)
    , writeAll_(core.state(), WriteAllRun::writing(core.commands(), writing_))
{
}

std::string ParameterFileActions::controlText(const ParameterEntry& param) const
{
    return controls_.text(std::string(param.control()));
}

bool ParameterFileActions::busy(const char* caption)
{
    if (!writeAll_.running() && afterReadAll_ == AfterReadAll::Nothing)
        return false;
    controls_.showMessage(kBusyText, caption);
    return true;
}

bool ParameterFileActions::portClosedOrLinkBusy(const char* caption)
{
    if (!core_.portOpen()) {
        controls_.showMessage("ComPort Not Open!!", "Comm Error");
        return true;
    }
    if (state_.LinkBusy == 1) {
        controls_.showMessage(kBusyText, caption);
        return true;
    }
    return false;
}

bool ParameterFileActions::startReadAll(AfterReadAll then)
{
    core_.commands().BitBtn1Click();
    if (state_.LinkBusy != 1 || state_.CommandCode != Command::ReadAll)
        return false;
    afterReadAll_ = then;
    return true;
}

void ParameterFileActions::afterTick(int tab)
{
    if (writeAll_.afterTick(tab)) {
        dialogs_->showReport(writeAll_.summary(writtenFrom()), kWriteAllCaption);
        return;
    }
    if (tab != kConfigurationTab)
        return;
    if (state_.LinkBusy == 1 && state_.CommandCode == Command::ReadAll) {
        // A read that is not the tab's (a backup) is not ours to follow.
        readAllSeen_ = core_.commands().readAllShown();
        return;
    }
    if (!readAllSeen_ || state_.LinkBusy == 1)
        return;
    readAllSeen_ = false;
    const bool answered = readAllAnswered_;
    readAllAnswered_ = false;
    readAllFinished(answered);
}

void ParameterFileActions::parametersRead(bool shown)
{
    if (shown)
        readAllAnswered_ = true;
}

void ParameterFileActions::readAllFinished(bool filled)
{
    filledFromController_ = filled;
    const AfterReadAll then = afterReadAll_;
    afterReadAll_ = AfterReadAll::Nothing;
    if (then == AfterReadAll::Nothing)
        return;
    const char* caption = then == AfterReadAll::Save ? kSaveCaption : kCompareCaption;
    if (!filled) {
        controls_.showMessage("Read All got no answer from the controller; nothing was "
                + std::string(then == AfterReadAll::Save ? "saved." : "compared."), caption);
        return;
    }
    if (then == AfterReadAll::Save) {
        save();
        return;
    }
    const ParameterFile::Document file = *compared_;
    compared_.reset();
    const ParameterSet& controller = *core_.parameters();
    const std::vector<ParameterDifference> differences = ParameterComparison::differences(file, controller);
    if (compareSink_)
        compareSink_(comparedPath_, differences);
    dialogs_->showDifferences(differences, brokenOnEitherSide(file, PlausibilityRules::fromSet(controller)));
}

bool ParameterFileActions::takeMessage(const std::string& text, const std::string& caption)
{
    return writeAll_.takeMessage(text, caption);
}

void ParameterFileActions::portOpened()
{
    filledFromController_ = false;
}

void ParameterFileActions::portClosed(const std::string& reason)
{
    afterReadAll_ = AfterReadAll::Nothing;
    compared_.reset();
    readAllSeen_ = false;
    readAllAnswered_ = false;
    if (writeAll_.running()) {
        writeAll_.cancel("interrupted: " + reason);
        dialogs_->showReport(writeAll_.summary(writtenFrom()), kWriteAllCaption);
    }
}

void ParameterFileActions::SaveParametersClick()
{
    if (busy(kSaveCaption))
        return;
    // A Read All is offered only where one can run.
    if (!filledFromController_ && core_.portOpen()) {
        switch (dialogs_->askReadAllFirst()) {
        case ParameterDialogs::Answer::Cancel:
            return;
        case ParameterDialogs::Answer::Yes:
            startReadAll(AfterReadAll::Save);
            return;
        case ParameterDialogs::Answer::No:
            break;
        }
    }
    save();
}

void ParameterFileActions::save()
{
    ParameterFile::Checked held = ParameterFile::fromTexts([this](const ParameterEntry& param) { return controlText(param); });
    if (!held.document) {
        dialogs_->showReport(ParameterFile::report("The parameters were not saved: these controls do not hold a "
                                                   "value their Set button would send.", held.problems),
            kSaveCaption);
        return;
    }
    const std::optional<std::string> path = dialogs_->saveFileName();
    if (!path)
        return;
    ParameterFile::Document& document = *held.document;
    document.console = HX_VERSION;
    document.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    document.firmware = Firmware::text(state_);
    if (core_.portOpen())
        document.busAddress = static_cast<int>(state_.SlaveAddress);
    const std::string error = AtomicFile::write(*path, ParameterFile::toJson(document));
    if (!error.empty()) {
        controls_.showMessage(error + "\nThe parameters were not saved.", kSaveCaption);
        return;
    }
    controls_.showMessage("Parameters saved to " + *path, kSaveCaption);
}

std::optional<ParameterFile::Document> ParameterFileActions::readFile(const std::string& caption,
                                                                     std::string& chosen)
{
    const std::optional<std::string> path = dialogs_->openFileName(caption + "...");
    if (!path)
        return std::nullopt;
    chosen = *path;
    return readChosen(*path, caption);
}

std::optional<ParameterFile::Document> ParameterFileActions::readChosen(const std::string& path, const std::string& caption)
{
    const AtomicFile::ReadResult file = AtomicFile::read(path, kLargestFile);
    if (!file.bytes) {
        controls_.showMessage(file.error, caption);
        return std::nullopt;
    }
    ParameterFile::Checked checked = ParameterFile::parse(*file.bytes);
    if (!checked.document) {
        dialogs_->showReport(
            ParameterFile::report(path + " was not used; no control was changed.", checked.problems), caption);
        return std::nullopt;
    }
    return std::move(checked.document);
}

void ParameterFileActions::LoadParametersClick()
{
    if (refusedToLoad(kLoadCaption))
        return;
    std::string path;
    std::optional<ParameterFile::Document> document = readFile(kLoadCaption, path);
    if (document)
        takeLoaded(std::move(*document), path);
}

void ParameterFileActions::RestoreBackupClick()
{
    if (refusedToLoad(kRestoreCaption))
        return;
    const std::optional<std::string> path = dialogs_->openBackupName(ParameterBackups::defaultFolder());
    if (!path)
        return;
    std::optional<ParameterFile::Document> document = readChosen(*path, kRestoreCaption);
    if (document)
        takeLoaded(std::move(*document), *path);
}

bool ParameterFileActions::refusedToLoad(const char* caption)
{
    if (busy(caption))
        return true;
    if (state_.LinkBusy == 1) {
        controls_.showMessage(kBusyText, caption);
        return true;
    }
    return false;
}

void ParameterFileActions::takeLoaded(ParameterFile::Document document, const std::string& path)
{
    loaded_ = std::move(document);
    loadedPath_ = path;
    showLoaded();
    filledFromController_ = false;
    // Loaded all the same: the operator may mean it, and Write All asks again.
    if (const auto broken = brokenBy(*loaded_); !broken.empty())
        dialogs_->showReport(path + " is loaded, but its values break these rules:\n"
                                 + PlausibilityRules::describe(broken),
                             kLoadCaption);
}

void ParameterFileActions::showLoaded()
{
    const auto params = ParameterTable::all();
    for (std::size_t i = 0; i < params.size(); ++i)
        controls_.setText(std::string(params[i].control()), ParameterValues::controlText(params[i], loaded_->values[i]));
}

std::string ParameterFileActions::writtenFrom() const
{
    return loaded_ ? "Parameters from " + loadedPath_ + "." : std::string();
}

void ParameterFileActions::WriteAllClick()
{
    if (busy(kWriteAllCaption))
        return;
    if (!loaded_) {
        controls_.showMessage("Load a parameter file first: Write All sends the groups of the loaded file.",
            kWriteAllCaption);
        return;
    }
    if (portClosedOrLinkBusy(kWriteAllCaption))
        return;
    if (!dialogs_->confirmWriteAll(loadedPath_))
        return;
    if (const auto broken = brokenBy(*loaded_);
        !broken.empty() && !dialogs_->writeDespiteBrokenRules(PlausibilityRules::describe(broken)))
        return;
    core_.commands().guardChange(ParameterBackups::Action::WriteAll, [this] {
        if (!core_.portOpen())
            return;
        // What is written is the loaded file, whatever a Read All or a
        // Compare has put into the controls since.
        showLoaded();
        writing_ = ParameterFile::toSet(*loaded_);
        writeAll_.start(ParameterTable::writeAllGroups());
        if (!writeAll_.running())
            dialogs_->showReport(writeAll_.summary(writtenFrom()), kWriteAllCaption);
    });
}

void ParameterFileActions::CompareClick()
{
    if (busy(kCompareCaption) || portClosedOrLinkBusy(kCompareCaption))
        return;
    std::string path;
    std::optional<ParameterFile::Document> document = readFile(kCompareCaption, path);
    if (!document)
        return;
    compared_ = std::move(document);
    comparedPath_ = path;
    if (!startReadAll(AfterReadAll::Compare))
        compared_.reset();
}
