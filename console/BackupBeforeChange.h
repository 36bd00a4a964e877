#pragma once

#include "console/ParameterBackups.h"

#include <functional>
#include <optional>
#include <string>

// Takes a backup before a change of the whole controller: reads its
// parameters without showing them, saves them as a backup file, then lets
// the change go on. When the read or the save fails the operator decides
// whether to go on without a backup; nothing is changed unless they do.
class BackupBeforeChange {
public:
    using Document = ParameterFile::Document;
    using Action = ParameterBackups::Action;
    // The read's result: the parameters, or nothing and why not.
    using ReadDone = std::function<void(std::optional<Document> document, const std::string& why)>;

    struct Hooks {
        // Starts reading the controller's parameters; calls `done` once.
        std::function<void(ReadDone done)> read;
        std::function<ParameterBackups::Saved(const Document&, Action)> save;
        // Asks the question; true when the operator goes on without a backup.
        std::function<bool(const std::string& question)> goOnWithout;
        // A backup was written to `path` (for the journal and the status strip).
        std::function<void(const std::string& path, const Document&, Action)> taken;
    };

    explicit BackupBeforeChange(Hooks hooks);

    // Backs up, then runs `change` (also when the operator chooses to go
    // on without a backup). A second run while one waits for its read is
    // refused and returns false.
    bool run(Action action, std::function<void()> change);
    bool waiting() const { return waiting_; }

    // "No backup could be taken before Default: no answer from address 1
    // (time-out).\nGo on without a backup?"
    static std::string question(Action action, const std::string& why);

private:
    void readDone(Action action, const std::function<void()>& change, std::optional<Document> document,
                  const std::string& why);

    Hooks hooks_;
    bool waiting_ = false;
};
