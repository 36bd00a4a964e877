#include "app/ScanDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

ScanDialog::ScanDialog(BusScan& scan, QWidget* parent)
    : QDialog(parent), scan_(scan)
{
    setObjectName("ScanDialog");
    setWindowTitle("Scan the bus");

    from_ = new QSpinBox(this);
    from_->setObjectName("ScanFrom");
    from_->setRange(1, 255);
    from_->setValue(1);
    to_ = new QSpinBox(this);
    to_->setObjectName("ScanTo");
    to_->setRange(1, 255);
    to_->setValue(247);
    timeout_ = new QSpinBox(this);
    timeout_->setObjectName("ScanTimeout");
    timeout_->setRange(10, 10000);
    timeout_->setValue(BusScan::kDefaultTimeoutMs);
    timeout_->setSuffix(" ms");

    auto* range = new QHBoxLayout;
    range->addWidget(new QLabel("From", this));
    range->addWidget(from_);
    range->addWidget(new QLabel("to", this));
    range->addWidget(to_);
    range->addSpacing(12);
    range->addWidget(new QLabel("Time-out", this));
    range->addWidget(timeout_);
    range->addStretch();

    progress_ = new QProgressBar(this);
    progress_->setObjectName("ScanProgress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = new QLabel("Asks each address for its address register; nothing is written.", this);
    status_->setObjectName("ScanStatus");

    found_ = new QListWidget(this);
    found_->setObjectName("ScanFound");
    found_->setMinimumHeight(120);

    startButton_ = new QPushButton("Start", this);
    startButton_->setObjectName("ScanStart");
    startButton_->setDefault(true);
    useButton_ = new QPushButton("Use Address", this);
    useButton_->setObjectName("ScanUse");
    useButton_->setEnabled(false);
    cancelButton_ = new QPushButton("Close", this);
    cancelButton_->setObjectName("ScanCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(startButton_);
    buttons->addStretch();
    buttons->addWidget(useButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addWidget(new QLabel("Controllers found:", this));
    layout->addWidget(found_);
    layout->addLayout(buttons);
    resize(420, 320);

    timer_.setInterval(kStepMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ScanDialog::step);
    connect(startButton_, &QPushButton::clicked, this, &ScanDialog::start);
    connect(cancelButton_, &QPushButton::clicked, this, &ScanDialog::cancelOrClose);
    connect(useButton_, &QPushButton::clicked, this, &ScanDialog::useSelected);
    connect(found_, &QListWidget::itemDoubleClicked, this, &ScanDialog::useSelected);
    connect(found_, &QListWidget::currentRowChanged, this,
            [this](int row) { useButton_->setEnabled(row >= 0 && !scan_.running()); });
}

ScanDialog::~ScanDialog()
{
    // Closed while running (Escape, the window's close box): the port is
    // handed back all the same.
    if (scan_.running()) {
        scan_.cancel();
        emit runningChanged(false);
    }
}

void ScanDialog::start()
{
    if (scan_.running())
        return;
    if (from_->value() > to_->value()) {
        status_->setText("\"From\" must not be above \"to\".");
        return;
    }
    found_->clear();
    listed_ = 0;
    useButton_->setEnabled(false);
    emit runningChanged(true);
    scan_.start(from_->value(), to_->value(), timeout_->value());
    progress_->setRange(0, scan_.total());
    progress_->setValue(0);
    startButton_->setEnabled(false);
    from_->setEnabled(false);
    to_->setEnabled(false);
    timeout_->setEnabled(false);
    cancelButton_->setText("Cancel");
    showProgress();
    timer_.start();
}

void ScanDialog::step()
{
    if (!scan_.running())
        return;
    scan_.tick();
    showProgress();
    if (!scan_.running())
        finish();
}

void ScanDialog::showProgress()
{
    const auto& found = scan_.found();
    // An address joins the list once its firmware text is in (or not coming).
    const std::size_t complete = scan_.running() && !found.empty() && found.back().address == scan_.current()
        ? found.size() - 1
        : found.size();
    for (; listed_ < complete; ++listed_) {
        const BusScan::Found& f = found[listed_];
        const QString firmware = f.firmwareRead ? QString::fromLatin1(f.firmware.data(), static_cast<qsizetype>(f.firmware.size()))
                                                : QStringLiteral("(no firmware text)");
        auto* item = new QListWidgetItem(QString("%1\t%2").arg(f.address).arg(firmware), found_);
        item->setData(Qt::UserRole, f.address);
    }
    progress_->setValue(scan_.done());
    if (scan_.running())
        status_->setText(QString("Asking address %1 ...").arg(scan_.current()));
}

void ScanDialog::finish()
{
    timer_.stop();
    const auto count = scan_.found().size();
    QString text = scan_.cancelled() ? QString("Cancelled after %1 of %2 addresses; ").arg(scan_.done()).arg(scan_.total())
                                     : QString("%1 addresses asked; ").arg(scan_.total());
    text += count == 0 ? QString("no controller answered.")
                       : QString("%1 answered. Choose one to use its address.").arg(count);
    status_->setText(text);
    startButton_->setEnabled(true);
    from_->setEnabled(true);
    to_->setEnabled(true);
    timeout_->setEnabled(true);
    cancelButton_->setText("Close");
    useButton_->setEnabled(found_->currentRow() >= 0);
    if (found_->count() > 0 && found_->currentRow() < 0)
        found_->setCurrentRow(0);
    emit runningChanged(false);
}

void ScanDialog::cancelOrClose()
{
    if (scan_.running()) {
        scan_.cancel();
        showProgress();
        finish();
        return;
    }
    reject();
}

void ScanDialog::reject()
{
    if (scan_.running()) {
        scan_.cancel();
        finish();
    }
    QDialog::reject();
}

void ScanDialog::useSelected()
{
    if (scan_.running())
        return;
    const QListWidgetItem* item = found_->currentItem();
    if (!item)
        return;
    chosen_ = item->data(Qt::UserRole).toInt();
    accept();
}
