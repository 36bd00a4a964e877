#pragma once

#include "console/ServiceJournalEntry.h"
#include "console/ServiceReport.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QDateEdit;
class QLabel;
class QTableWidget;
class QTextBrowser;
class ServiceJournal;

// The service journal on screen: its entries, newest last, filtered by bus
// address and a range of days, and the service report of what is shown,
// previewed and exported as an HTML page. It reads the journal file when
// it opens and on "Reload", and adds the entries the console makes while
// it is open (also those the file did not take).
class JournalWindow : public QWidget {
    Q_OBJECT
public:
    using FileQuestion = std::function<QString(const QString& suggested)>;

    explicit JournalWindow(ServiceJournal& journal, QWidget* parent = nullptr);

    void reload();
    void entryMade(const ServiceJournalEntry& entry);

    // The filter: an address (none: every one) and the days from and to, both included.
    void setFilter(std::optional<int> address, const QDate& from, const QDate& to);
    ServiceReport::Scope scope() const;
    int shownCount() const;
    QTableWidget& table() { return *table_; }
    QTextBrowser& preview() { return *preview_; }
    QString status() const;

    // Writes the report of what is shown to `path`; empty on success, else why not.
    QString exportReport(const QString& path);
    void setFileQuestion(FileQuestion question) { askFile_ = std::move(question); }
    void setMessageSink(std::function<void(const QString&)> sink) { showMessage_ = std::move(sink); }

private:
    void refresh();
    void fillAddresses();
    void askAndExport();
    std::string rangeText() const;

    ServiceJournal& journal_;
    std::vector<ServiceJournalEntry> entries_;
    std::vector<ServiceJournalEntry::Problem> problems_;
    QString readError_;
    QComboBox* address_;
    QDateEdit* from_;
    QDateEdit* to_;
    QTableWidget* table_;
    QTextBrowser* preview_;
    QLabel* status_;
    FileQuestion askFile_;
    std::function<void(const QString&)> showMessage_;
    bool filling_ = false;
};
