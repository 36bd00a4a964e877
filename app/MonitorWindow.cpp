#include "app/MonitorWindow.h"

#include "widgets/FileDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kCountersMs = 1000;

} // namespace

MonitorWindow::MonitorWindow(QWidget* parent, std::size_t capacity)
    : QWidget(parent, Qt::Window), log_(capacity)
{
    setObjectName("MonitorWindow");
    setWindowTitle(tr("Bus Monitor"));
    resize(900, 480);

    counters_ = new QLabel(this);
    counters_->setObjectName("MonitorCounters");
    counters_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // New figures never ask the window for a new layout.
    counters_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    counters_->setFixedHeight(3 * fontMetrics().lineSpacing() + 2);

    pause_ = new QPushButton(tr("Pause"), this);
    pause_->setObjectName("MonitorPause");
    pause_->setCheckable(true);
    auto* clearButton = new QPushButton(tr("Clear"), this);
    clearButton->setObjectName("MonitorClear");
    errorsOnly_ = new QCheckBox(tr("Errors only"), this);
    errorsOnly_->setObjectName("MonitorErrorsOnly");
    followBox_ = new QCheckBox(tr("Follow"), this);
    followBox_->setObjectName("MonitorFollow");
    followBox_->setChecked(true);
    auto* copyButton = new QPushButton(tr("Copy"), this);
    copyButton->setObjectName("MonitorCopy");
    auto* saveButton = new QPushButton(tr("Save Log..."), this);
    saveButton->setObjectName("MonitorSave");
    autoSaveBox_ = new QCheckBox(tr("Auto-save"), this);
    autoSaveBox_->setObjectName("MonitorAutoSave");
    autoSaveLabel_ = new QLabel(this);

    auto* buttons = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{pause_, clearButton, errorsOnly_, followBox_, copyButton,
                                                      saveButton, autoSaveBox_, autoSaveLabel_})
        buttons->addWidget(w);
    buttons->addStretch();

    table_ = new QTableView(this);
    table_->setObjectName("MonitorTable");
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(false);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);
    table_->setColumnWidth(MonitorModel::TimeColumn, 96);
    table_->setColumnWidth(MonitorModel::DirectionColumn, 32);
    table_->setColumnWidth(MonitorModel::OutcomeColumn, 90);
    table_->setColumnWidth(MonitorModel::HexColumn, 250);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(counters_);
    layout->addLayout(buttons);
    layout->addWidget(table_);

    connect(pause_, &QPushButton::toggled, this, &MonitorWindow::setPaused);
    connect(clearButton, &QPushButton::clicked, this, &MonitorWindow::clear);
    connect(errorsOnly_, &QCheckBox::toggled, this, &MonitorWindow::setErrorsOnly);
    connect(followBox_, &QCheckBox::toggled, this, [this](bool on) {
        follow_ = on;
        followTail();
    });
    connect(copyButton, &QPushButton::clicked, this, &MonitorWindow::copySelection);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        const QString path = askFile_(tr("Save Log"), false);
        if (!path.isEmpty())
            saveLog(path);
    });
    connect(autoSaveBox_, &QCheckBox::clicked, this, [this](bool on) {
        if (!on) {
            stopAutoSave();
            return;
        }
        const QString path = askFile_(tr("Auto-save to"), true);
        if (path.isEmpty() || !startAutoSave(path))
            autoSaveBox_->setChecked(false);
    });
    // Queued: a failing write is noticed inside an engine tick, which must
    // finish before anything is shown.
    connect(&autoSave_, &MonitorAutoSave::failed, this, &MonitorWindow::report, Qt::QueuedConnection);
    connect(&autoSave_, &MonitorAutoSave::stopped, this, [this] {
        autoSaveBox_->setChecked(false);
        autoSaveLabel_->clear();
    });
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &MonitorWindow::followTail);
    connect(&model_, &QAbstractItemModel::modelReset, this, &MonitorWindow::followTail);
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, &MonitorWindow::scrolled);

    countersTimer_ = new QTimer(this);
    countersTimer_->setInterval(kCountersMs);
    connect(countersTimer_, &QTimer::timeout, this, &MonitorWindow::refreshCounters);
    refreshCounters();

    askFile_ = [this](const QString& caption, bool append) {
        return FileDialogs::saveFileName(this, caption, QStringLiteral("monitor-logs"),
                                         tr("Text log (*.txt *.log);;CSV (*.csv)"), QString(), !append);
    };
    showMessage_ = [this](const QString& message) {
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Bus Monitor"), message, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();   // no nested loop: the console's timers go on as they were
    };
}

MonitorWindow::~MonitorWindow() = default;

void MonitorWindow::setPaused(bool paused)
{
    pause_->setChecked(paused);
    model_.setPaused(paused);
}

void MonitorWindow::clear()
{
    log_.clear();
    refreshCounters();
}

void MonitorWindow::setErrorsOnly(bool errorsOnly)
{
    errorsOnly_->setChecked(errorsOnly);
    model_.setErrorsOnly(errorsOnly);
}

void MonitorWindow::copySelection()
{
    QList<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows())
        rows << index.row();
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(model_.linesOf(rows));
}

bool MonitorWindow::saveLog(const QString& path)
{
    std::string error;
    if (TrafficLogFile::save(path.toStdString(), log_.entries(), error))
        return true;
    report(tr("Cannot save the monitor log to %1: %2.").arg(path, QString::fromStdString(error)));
    return false;
}

bool MonitorWindow::startAutoSave(const QString& path)
{
    if (!autoSave_.start(path))
        return false;
    autoSaveBox_->setChecked(true);
    autoSaveLabel_->setText(path);
    return true;
}

void MonitorWindow::stopAutoSave()
{
    autoSave_.stop();
}

QString MonitorWindow::countersText() const
{
    const TrafficCounters& c = log_.counters();
    const double rate = 100.0 * log_.timeoutRate(linkTimeNow().monotonicUs);
    const QString trip = c.roundTrips == 0
        ? tr("-")
        : tr("%1 ms (mean %2 ms)")
              .arg(static_cast<double>(c.lastRoundTripUs) / 1000.0, 0, 'f', 1)
              .arg(static_cast<double>(c.totalRoundTripUs) / 1000.0 / static_cast<double>(c.roundTrips), 0, 'f', 1);
    return tr("Requests %1   Valid %2   Time-outs %3   CRC errors %4   Wrong %5   Exceptions %6\n"
              "TX %7 B   RX %8 B   Time-outs last minute %9 %   Entries %10, dropped %11\n"
              "Round trip %12   Port lost %13 times")
        .arg(c.requests)
        .arg(c.validReplies)
        .arg(c.timeouts)
        .arg(c.crcErrors)
        .arg(c.wrongReplies)
        .arg(c.exceptionReplies)
        .arg(c.bytesOut)
        .arg(c.bytesIn)
        .arg(rate, 0, 'f', 1)
        .arg(log_.size())
        .arg(log_.dropped())
        .arg(trip)
        .arg(c.portLosses);
}

void MonitorWindow::refreshCounters()
{
    counters_->setText(countersText());
}

bool MonitorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MonitorWindow::followTail()
{
    if (!follow_)
        return;
    scrolling_ = true;
    table_->scrollToBottom();
    scrolling_ = false;
}

// The figures and the scrolling cost nothing while the window is hidden.
void MonitorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refreshCounters();
    countersTimer_->start();
    followTail();
}

void MonitorWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    countersTimer_->stop();
}

// Scrolling up leaves the newest rows alone; back at the bottom, the view
// follows them again.
void MonitorWindow::scrolled(int value)
{
    if (scrolling_)
        return;
    const bool atBottom = value >= table_->verticalScrollBar()->maximum();
    if (atBottom != follow_)
        followBox_->setChecked(atBottom);
}

void MonitorWindow::report(const QString& message)
{
    showMessage_(message);
}
