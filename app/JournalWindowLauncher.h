#pragma once

#include "console/ServiceJournal.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class ConsoleCore;
class JournalWindow;
class QPushButton;
class QWidget;

// The service journal from the main window: the journal runs from the
// start; a "Journal..." button below "Scan..." (free space of the same
// sheet, in the same font) and Ctrl+J open its window, made on first use. A
// journal file that cannot be written is said once in a box that does not
// hold up the console.
class JournalWindowLauncher : public QObject {
    Q_OBJECT
public:
    JournalWindowLauncher(QWidget& form, const QWidget& above, ConsoleCore& core, std::function<std::string()> port,
                          const std::string& path = ServiceJournal::defaultPath());
    ~JournalWindowLauncher() override;

    ServiceJournal& journal() { return journal_; }
    void show();
    JournalWindow& window();
    QPushButton& button() { return *button_; }
    // Where a failing journal file is reported (a non-modal box by default).
    void setMessageSink(std::function<void(const QString&)> sink) { showMessage_ = std::move(sink); }

private:
    QWidget& form_;
    QPushButton* button_;
    std::function<void(const QString&)> showMessage_;
    ServiceJournal journal_;
    std::unique_ptr<JournalWindow> window_;
};
