#include "app/JournalWindow.h"

#include "console/AtomicFile.h"
#include "console/ServiceJournal.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <set>

namespace {

enum Column { Time, Address, Action, Outcome, Changes, Port, Firmware, ColumnCount };

QString q(const std::string& text) { return QString::fromStdString(text); }

QDate dayOf(const ServiceJournalEntry& entry)
{
    return QDateTime::fromMSecsSinceEpoch(entry.wallMs).date();
}

QString outcomeOf(const ServiceJournalEntry& entry)
{
    switch (entry.kind) {
    case ServiceJournalEntry::Kind::Compare:
        return QObject::tr("%n difference(s)", nullptr, int(entry.differences.size()));
    case ServiceJournalEntry::Kind::Backup:
        return QObject::tr("saved");
    case ServiceJournalEntry::Kind::Write:
        break;
    }
    return q(entry.outcomeText());
}

}

JournalWindow::JournalWindow(ServiceJournal& journal, QWidget* parent)
    : QWidget(parent, Qt::Window), journal_(journal)
{
    setObjectName("JournalWindow");
    setWindowTitle(tr("Service Journal"));
    resize(1100, 700);

    address_ = new QComboBox(this);
    address_->setObjectName("JournalAddress");
    from_ = new QDateEdit(this);
    from_->setObjectName("JournalFrom");
    to_ = new QDateEdit(this);
    to_->setObjectName("JournalTo");
    for (QDateEdit* edit : {from_, to_}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setDate(QDate::currentDate());
        connect(edit, &QDateEdit::dateChanged, this, [this] { refresh(); });
    }
    connect(address_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    auto* reloadButton = new QPushButton(tr("Reload"), this);
    reloadButton->setObjectName("JournalReload");
    connect(reloadButton, &QPushButton::clicked, this, &JournalWindow::reload);
    auto* exportButton = new QPushButton(tr("Export Report..."), this);
    exportButton->setObjectName("JournalExport");
    connect(exportButton, &QPushButton::clicked, this, &JournalWindow::askAndExport);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName("JournalTable");
    table_->setHorizontalHeaderLabels(
        {tr("Time"), tr("Address"), tr("Action"), tr("Outcome"), tr("Values (before \u2192 after)"), tr("Port"), tr("Firmware")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->setVisible(false);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(Changes, QHeaderView::Stretch);
    preview_ = new QTextBrowser(this);
    preview_->setObjectName("JournalReport");
    preview_->setOpenLinks(false);
    status_ = new QLabel(this);
    status_->setObjectName("JournalStatus");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("Address:"), this));
    filters->addWidget(address_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(tr("From:"), this));
    filters->addWidget(from_);
    filters->addWidget(new QLabel(tr("To:"), this));
    filters->addWidget(to_);
    filters->addStretch(1);
    filters->addWidget(reloadButton);
    filters->addWidget(exportButton);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(preview_);
    split->setSizes({300, 400});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addWidget(status_);

    showMessage_ = [this](const QString& text) { status_->setText(text); };
    reload();
}

void JournalWindow::reload()
{
    const ServiceJournal::ReadResult read = ServiceJournal::read(journal_.path());
    entries_ = read.parsed.entries;
    problems_ = read.parsed.problems;
    readError_ = q(read.error);
    // What the file did not take is shown all the same.
    entries_.insert(entries_.end(), journal_.unwritten().begin(), journal_.unwritten().end());
    filling_ = true;
    if (!entries_.empty()) {
        from_->setDate(dayOf(entries_.front()));
        to_->setDate(std::max(QDate::currentDate(), dayOf(entries_.back())));
    }
    fillAddresses();
    filling_ = false;
    refresh();
}

void JournalWindow::entryMade(const ServiceJournalEntry& entry)
{
    entries_.push_back(entry);
    filling_ = true;
    if (to_->date() < dayOf(entry))
        to_->setDate(dayOf(entry));
    fillAddresses();
    filling_ = false;
    refresh();
}

void JournalWindow::fillAddresses()
{
    const QVariant chosen = address_->currentData();
    std::set<int> addresses;
    for (const ServiceJournalEntry& e : entries_)
        addresses.insert(e.address);
    // An address chosen stays on offer while nothing is journalled for it.
    if (chosen.isValid())
        addresses.insert(chosen.toInt());
    address_->clear();
    address_->addItem(tr("Every address"));
    for (int a : addresses)
        address_->addItem(QString::number(a), a);
    const int at = address_->findData(chosen);
    address_->setCurrentIndex(chosen.isValid() && at >= 0 ? at : 0);
}

void JournalWindow::setFilter(std::optional<int> address, const QDate& from, const QDate& to)
{
    filling_ = true;
    from_->setDate(from);
    to_->setDate(to);
    if (address && address_->findData(*address) < 0)
        address_->addItem(QString::number(*address), *address);
    address_->setCurrentIndex(address ? address_->findData(*address) : 0);
    filling_ = false;
    refresh();
}

ServiceReport::Scope JournalWindow::scope() const
{
    ServiceReport::Scope scope;
    if (address_->currentData().isValid())
        scope.address = address_->currentData().toInt();
    scope.fromMs = from_->date().startOfDay().toMSecsSinceEpoch();
    scope.toMs = to_->date().addDays(1).startOfDay().toMSecsSinceEpoch();
    return scope;
}

std::string JournalWindow::rangeText() const
{
    const QString from = from_->date().toString(Qt::ISODate);
    const QString to = to_->date().toString(Qt::ISODate);
    return (from == to ? from : from + tr(" to ") + to).toStdString();
}

void JournalWindow::refresh()
{
    if (filling_)
        return;
    const std::vector<ServiceJournalEntry> shown = ServiceReport::select(entries_, scope());
    table_->setRowCount(int(shown.size()));
    for (int row = 0; row < int(shown.size()); ++row) {
        const ServiceJournalEntry& e = shown[std::size_t(row)];
        const QString cells[ColumnCount] = {
            q(ServiceReport::shownTime(e.wallMs, e.utcOffsetSeconds)),
            QString::number(e.address),
            q(e.action + (e.run.empty() || e.kind == ServiceJournalEntry::Kind::Backup ? "" : " (" + e.run + ")")),
            outcomeOf(e),
            q(ServiceReport::changeText(e)),
            q(e.port),
            q(e.firmware),
        };
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(cells[column]);
            if (column == Outcome && e.kind == ServiceJournalEntry::Kind::Write
                && e.outcome != ServiceJournalEntry::Outcome::Written)
                item->setForeground(QColor(176, 0, 0));
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnToContents(Time);
    table_->resizeColumnToContents(Action);
    table_->resizeColumnToContents(Outcome);
    table_->scrollToBottom();
    preview_->setHtml(q(ServiceReport::html(entries_, scope(), rangeText(), "")));

    QString text = tr("%1 of %2 entries shown. Journal: %3").arg(shown.size()).arg(entries_.size()).arg(q(journal_.path()));
    if (!readError_.isEmpty())
        text += " " + readError_ + ".";
    if (!problems_.empty())
        text += tr(" %n line(s) skipped (first: %1).", nullptr, int(problems_.size())).arg(q(problems_.front().text()));
    if (!journal_.unwritten().empty())
        text += tr(" %n entry(ies) not yet written to the file.", nullptr, int(journal_.unwritten().size()));
    status_->setText(text);
}

int JournalWindow::shownCount() const { return table_->rowCount(); }

QString JournalWindow::status() const { return status_->text(); }

QString JournalWindow::exportReport(const QString& path)
{
    const std::string made = "Made " + ServiceReport::shownTime(QDateTime::currentMSecsSinceEpoch(),
                                                               QDateTime::currentDateTime().offsetFromUtc())
        + " by hxconsole " HX_VERSION ".";
    const std::string error = AtomicFile::write(path.toStdString(), ServiceReport::html(entries_, scope(), rangeText(), made));
    return q(error);
}

void JournalWindow::askAndExport()
{
    const ServiceReport::Scope s = scope();
    const QString suggested = QStringLiteral("service-report%1-%2.html")
                                  .arg(s.address ? QStringLiteral("-address-%1").arg(*s.address) : QString())
                                  .arg(to_->date().toString(Qt::ISODate));
    QString path = askFile_ ? askFile_(suggested)
                            : QFileDialog::getSaveFileName(this, tr("Export Report"), suggested, tr("HTML pages (*.html)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".html");
    const QString error = exportReport(path);
    showMessage_(error.isEmpty() ? tr("Report written to %1").arg(path) : error + tr(". The report was not written."));
}
