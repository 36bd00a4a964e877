#include "app/HxApplication.h"

#include "app/FontSubstitutions.h"
#include "app/ScreenFit.h"
#include "console/QtMessageBoxes.h"

#include <QScreen>
#include <QWidget>

#include <exception>

HxApplication::HxApplication(int& argc, char** argv)
    : QApplication(argc, argv)
    , boxes_(std::make_unique<QtMessageBoxes>())
{
    installFontSubstitutions();
}

HxApplication::~HxApplication() = default;

bool HxApplication::notify(QObject* receiver, QEvent* event)
{
    // Last resort: handlers guard themselves, but nothing may unwind
    // through Qt's frames.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showError(error.what());
    } catch (...) {
        showError("Unknown error");
    }
    return false;
}

int HxApplication::run(const std::function<std::unique_ptr<QWidget>()>& createWindow)
{
    try {
        const QScreen* screen = primaryScreen();
        std::unique_ptr<QWidget> window =
            ScreenFit::fitted(createWindow(), screen ? screen->availableGeometry() : QRect());
        window->show();
        return exec();
    } catch (const std::exception& error) {
        showError(error.what());
    }
    return 1;
}

std::string HxApplication::title()
{
    return QCoreApplication::applicationName().toStdString();
}

void HxApplication::showError(const char* text)
{
    boxes_->show(text, title());
}
