#pragma once

#include "link/TrafficLog.h"
#include "link/TrafficLogFile.h"

#include <QObject>
#include <QTimer>

// Appends every new log entry to a file as it arrives and pushes the file
// to the disk once a second. A failed write, noticed by the write itself,
// stops the auto-save and reports the file and the reason through
// failed(); the link is not touched.
class MonitorAutoSave : public QObject, public TrafficListener {
    Q_OBJECT
public:
    static constexpr int kFlushMs = 1000;

    explicit MonitorAutoSave(TrafficLog& log, QObject* parent = nullptr);
    ~MonitorAutoSave() override;

    // Starts appending to `path`; false (after failed()) when it cannot be opened.
    bool start(const QString& path);
    // Flushes and closes the file.
    void stop();
    bool active() const { return file_.isOpen(); }
    QString path() const { return QString::fromStdString(file_.path()); }

    // Pushes the file to the disk (the timer calls it every second).
    void flush();

    void entryAdded(const TrafficEntry& entry) override;
    void oldestDropped(std::size_t) override {}
    void cleared() override {}

signals:
    // "Cannot save the monitor log to <file>: <reason>. Auto-save is off."
    void failed(const QString& message);
    void stopped();

private:
    void fail();

    TrafficLog& log_;
    TrafficLogFile file_;
    QTimer flushTimer_;
    bool dirty_ = false;
};
