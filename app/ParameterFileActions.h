#pragma once

#include "console/ParameterComparison.h"
#include "console/ParameterFile.h"
#include "console/WriteAllRun.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class ConsoleCore;
class FormControls;
class ParameterDialogs;
struct LinkState;

// The four parameter-file buttons of the Configuration tab: "Save
// Parameters...", "Load Parameters...", "Write All" and "Compare...". Save
// and Compare may first run a Read All and go on when the engine has
// finished it; Write All runs the groups' Set handlers one by one. The
// window calls afterTick() after every engine tick and passes every
// message through takeMessage() first.
class ParameterFileActions {
public:
    ParameterFileActions(ConsoleCore& core, FormControls& controls);

    void setDialogs(ParameterDialogs& dialogs) { dialogs_ = &dialogs; }
    // Hears every Compare that was made: the file and what differed.
    using CompareSink = std::function<void(const std::string& file, const std::vector<ParameterDifference>& differences)>;
    void setCompareSink(CompareSink sink) { compareSink_ = std::move(sink); }

    void SaveParametersClick();
    void LoadParametersClick();
    // Load Parameters in the backups' folder.
    void RestoreBackupClick();
    void WriteAllClick();
    void CompareClick();

    void afterTick(int tab);
    bool takeMessage(const std::string& text, const std::string& caption);
    // The core's report of an exchange; Write All learns from it how its group went.
    void transactionEnded(const TransactionOutcome& outcome) { writeAll_.transactionEnded(outcome); }
    // The core's report of a Read All that answered.
    void parametersRead(bool shown);
    void portOpened();
    // The engine stops: whatever the buttons started ends, `reason` says why.
    void portClosed(const std::string& reason);

    bool writeAllRunning() const { return writeAll_.running(); }
    const WriteAllRun& writeAll() const { return writeAll_; }
    // Set by Load; what Write All sends.
    const std::optional<ParameterFile::Document>& loaded() const { return loaded_; }
    const std::string& loadedPath() const { return loadedPath_; }

private:
    enum class AfterReadAll { Nothing, Save, Compare };

    // Refuses with the busy box while a Write All or a Read All of ours runs.
    bool busy(const char* caption);
    bool portClosedOrLinkBusy(const char* caption);
    // Queues Read All through its button's handler; false when refused.
    bool startReadAll(AfterReadAll then);
    void readAllFinished(bool filled);
    void save();
    // The file chosen and read, with its path in `path`.
    std::optional<ParameterFile::Document> readFile(const std::string& caption, std::string& path);
    std::optional<ParameterFile::Document> readChosen(const std::string& path, const std::string& caption);
    // The busy refusals of Load and Restore.
    bool refusedToLoad(const char* caption);
    // A file read for Write All: into the controls, and what it sends.
    void takeLoaded(ParameterFile::Document document, const std::string& path);
    // Puts the loaded file's values into the parameter controls.
    void showLoaded();
    // Names the loaded file in Write All's summary.
    std::string writtenFrom() const;
    std::string controlText(const ParameterEntry& param) const;

    ConsoleCore& core_;
    LinkState& state_;
    FormControls& controls_;
    ParameterDialogs* dialogs_ = nullptr;
    // What Write All sends: the loaded file's values.
    ParameterSet writing_;
    WriteAllRun writeAll_;
    std::optional<ParameterFile::Document> loaded_;
    std::string loadedPath_;
    std::optional<ParameterFile::Document> compared_;
    std::string comparedPath_;
    CompareSink compareSink_;
    AfterReadAll afterReadAll_ = AfterReadAll::Nothing;
    // A Read All (ours or the button's) is under way.
    bool readAllSeen_ = false;
    // and the controller has answered it.
    bool readAllAnswered_ = false;
    bool filledFromController_ = false;
};
