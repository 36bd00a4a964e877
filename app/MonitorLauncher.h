#pragma once

#include <QObject>

#include <memory>

class MonitorWindow;
class QPushButton;
class QWidget;
class ConsoleCore;

// Opens the bus monitor from the main window: a small "Monitor" button in
// the status strip, right of the link bar, and Ctrl+M. The monitor is made
// on first use and from then on watches the engine until the window goes.
class MonitorLauncher : public QObject {
    Q_OBJECT
public:
    MonitorLauncher(QWidget& form, ConsoleCore& core);
    ~MonitorLauncher() override;

    // Shows the monitor beside the main window, making it on first use.
    void show();
    // The monitor, made (hidden) on first use.
    MonitorWindow& window();
    QPushButton& button() { return *button_; }

private:
    QWidget& form_;
    ConsoleCore& core_;
    QPushButton* button_;
    std::unique_ptr<MonitorWindow> window_;
};
