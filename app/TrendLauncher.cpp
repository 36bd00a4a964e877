#include "app/TrendLauncher.h"

#include "app/TrendWindow.h"
#include "app/WindowPlacement.h"

#include <QDateTime>
#include <QPushButton>
#include <QShortcut>


TrendLauncher::TrendLauncher(QWidget& form, ConsoleCore& core, const std::string& logFolder)
    : QObject(&form)
    , form_(form)
    , core_(core)
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
    showMessage_ = [this](const QString& text) { showWarningBeside(form_, tr("Trend log"), text); };
    recorder_.addListener(&log_);
    core_.addListener(*this);
}

TrendLauncher::~TrendLauncher()
{
    core_.removeListener(*this);
    window_.reset();
    recorder_.removeListener(&log_);
}

void TrendLauncher::transactionEnded(const TransactionOutcome& outcome)
{
    if (outcome.address != log_.header().address) {
        TrendCsv::Header header = log_.header();
        header.address = outcome.address;
        setController(header);
    }
    if (!outcome.isWrite())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    recordWrite(now.toMSecsSinceEpoch(), now.offsetFromUtc(), outcome.name(), outcome.result == LinkOutcome::Valid);
}

void TrendLauncher::pollingStopped()
{
    const QDateTime now = QDateTime::currentDateTime();
    recordGap(now.toMSecsSinceEpoch(), now.offsetFromUtc());
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
