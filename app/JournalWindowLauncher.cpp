#include "app/JournalWindowLauncher.h"

#include "app/JournalWindow.h"
#include "app/WindowPlacement.h"

#include <QPushButton>
#include <QShortcut>

JournalWindowLauncher::JournalWindowLauncher(QWidget& form, const QWidget& above, ConsoleCore& core,
                                             std::function<std::string()> port,
                                             const std::string& path)
    : QObject(&form)
    , form_(form)
    , button_(new QPushButton(tr("Journal..."), above.parentWidget()))
    , journal_(core, path, std::move(port), [this](const std::string& message) {
        if (showMessage_)
            showMessage_(QString::fromStdString(message)
                         + tr(".\nThe journal keeps its new entries in memory and writes them with the next one."));
    })
{
    button_->setObjectName("JournalButton");
    button_->setGeometry(above.geometry().translated(0, above.height() + 4));
    button_->setFont(above.font());
    connect(button_, &QPushButton::clicked, this, &JournalWindowLauncher::show);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), &form);
    connect(shortcut, &QShortcut::activated, this, &JournalWindowLauncher::show);
    showMessage_ = [this](const QString& text) { showWarningBeside(form_, tr("Service journal"), text); };
    journal_.setEntrySink([this](const ServiceJournalEntry& entry) {
        if (window_)
            window_->entryMade(entry);
    });
}

JournalWindowLauncher::~JournalWindowLauncher()
{
    journal_.setEntrySink({});
    window_.reset();
}

JournalWindow& JournalWindowLauncher::window()
{
    if (!window_)
        window_ = std::make_unique<JournalWindow>(journal_, &form_);
    return *window_;
}

void JournalWindowLauncher::show() { showBesideForm(window(), form_, QPoint(40, 60)); }
