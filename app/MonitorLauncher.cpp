#include "app/MonitorLauncher.h"

#include "app/MonitorWindow.h"
#include "console/ConsoleCore.h"

#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <QShortcut>

MonitorLauncher::MonitorLauncher(QWidget& form, ConsoleCore& core)
    : QObject(&form), form_(form), core_(core), button_(new QPushButton(tr("Monitor"), &form))
{
    button_->setObjectName("MonitorButton");
    // In the free space of the tab row, right of the link bar.
    button_->setGeometry(634, 1, 64, 21);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->raise();
    connect(button_, &QPushButton::clicked, this, &MonitorLauncher::show);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), &form);
    connect(shortcut, &QShortcut::activated, this, &MonitorLauncher::show);
}

MonitorLauncher::~MonitorLauncher()
{
    if (window_)
        core_.setTrafficObserver(nullptr);
}

MonitorWindow& MonitorLauncher::window()
{
    if (!window_) {
        window_ = std::make_unique<MonitorWindow>(&form_);
        core_.setTrafficObserver(&window_->log());
    }
    return *window_;
}

void MonitorLauncher::show()
{
    MonitorWindow& monitor = window();
    if (!monitor.isVisible()) {
        // Over the lower part of the main window, kept on the screen.
        const QRect main = form_.frameGeometry();
        QPoint at(main.left() + 40, main.top() + main.height() / 3);
        if (const QScreen* screen = form_.screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - monitor.frameGeometry().width())));
            at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - monitor.frameGeometry().height())));
        }
        monitor.move(at);
    }
    monitor.show();
    monitor.raise();
    monitor.activateWindow();
}
