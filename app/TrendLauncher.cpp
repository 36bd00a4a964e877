#include "app/TrendLauncher.h"

#include "app/TrendWindow.h"
#include "app/WindowPlacement.h"

#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>


TrendLauncher::TrendLauncher(QWidget& form, const std::string& logFolder)
    : QObject(&form)
    , form_(form)
    , button_(new QPushButton(tr("Trend"), &form))
    , log_(logFolder, [this](const std::string& message) {
        if (showMessage_)
            showMessage_(QString::fromStdString(message));
    })
{
    button_->setObjectName("TrendButton");
    // Right of "Monitor", in the free end of the tab row.
    button_->setGeometry(700, 1, 56, 21);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->raise();
    connect(button_, &QPushButton::clicked, this, &TrendLauncher::show);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), &form);
    connect(shortcut, &QShortcut::activated, this, &TrendLauncher::show);
    showMessage_ = [this](const QString& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Trend log"), text, QMessageBox::Ok, &form_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    };
    recorder_.addListener(&log_);
}

TrendLauncher::~TrendLauncher()
{
    window_.reset();
    recorder_.removeListener(&log_);
}

void TrendLauncher::recordSample(const LiveQuantities::Sample& sample) { recorder_.record(sample); }

void TrendLauncher::recordGap(std::int64_t wallMs, int utcOffsetSeconds) { recorder_.gap(wallMs, utcOffsetSeconds); }

void TrendLauncher::recordWrite(std::int64_t wallMs, int utcOffsetSeconds, const std::string& what, bool succeeded)
{
    recorder_.write(wallMs, utcOffsetSeconds, what, succeeded);
}

void TrendLauncher::setController(const TrendCsv::Header& header)
{
    log_.setHeader(header);
    if (window_)
        window_->setController(header);
}

TrendWindow& TrendLauncher::window()
{
    if (!window_) {
        window_ = std::make_unique<TrendWindow>(recorder_, &log_, &form_);
        window_->setController(log_.header());
    }
    return *window_;
}

void TrendLauncher::show() { showBesideForm(window(), form_, QPoint(60, 40)); }
