#include "console/BackupBeforeChange.h"

#include <utility>

BackupBeforeChange::BackupBeforeChange(Hooks hooks)
    : hooks_(std::move(hooks))
{
}

bool BackupBeforeChange::run(Action action, std::function<void()> change)
{
    if (waiting_)
        return false;
    waiting_ = true;
    hooks_.read([this, action, change = std::move(change)](std::optional<Document> document, const std::string& why) {
        readDone(action, change, std::move(document), why);
    });
    return true;
}

std::string BackupBeforeChange::question(Action action, const std::string& why)
{
    return "No backup could be taken before " + std::string(ParameterBackups::displayName(action)) + ": " + why
        + ".\nGo on without a backup?";
}

void BackupBeforeChange::readDone(Action action, const std::function<void()>& change, std::optional<Document> document,
                                  const std::string& why)
{
    waiting_ = false;
    std::string problem = why;
    if (document) {
        const ParameterBackups::Saved saved = hooks_.save(*document, action);
        if (saved.error.empty()) {
            if (hooks_.taken)
                hooks_.taken(saved.path, *document, action);
            change();
            return;
        }
        problem = saved.error;
    }
    if (hooks_.goOnWithout(question(action, problem)))
        change();
}
