#pragma once

#include <QApplication>

#include <functional>
#include <memory>

class MessageBoxes;

// The console's application object. Errors that escape an event handler are
// shown in a message box with their text and the loop goes on; an error while
// the window is created ends the program after being shown.
class HxApplication : public QApplication {
    Q_OBJECT
public:
    HxApplication(int& argc, char** argv);
    ~HxApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // Creates the main window, shows it and runs the loop until it closes.
    int run(const std::function<std::unique_ptr<QWidget>()>& createWindow);

    // Caption of the box that shows an escaped error.
    static std::string title();

private:
    void showError(const char* text);

    std::unique_ptr<MessageBoxes> boxes_;
};
