#include "app/MonitorAutoSave.h"

MonitorAutoSave::MonitorAutoSave(TrafficLog& log, QObject* parent) : QObject(parent), log_(log)
{
    flushTimer_.setInterval(kFlushMs);
    connect(&flushTimer_, &QTimer::timeout, this, &MonitorAutoSave::flush);
    log_.addListener(this);
}

MonitorAutoSave::~MonitorAutoSave()
{
    log_.removeListener(this);
    file_.close();
}

bool MonitorAutoSave::start(const QString& path)
{
    stop();
    if (!file_.open(path.toStdString(), true)) {
        fail();
        return false;
    }
    flushTimer_.start();
    return true;
}

void MonitorAutoSave::stop()
{
    if (!file_.isOpen())
        return;
    flushTimer_.stop();
    if (!file_.close()) {
        fail();
        return;
    }
    emit stopped();
}

void MonitorAutoSave::flush()
{
    if (!file_.isOpen() || !dirty_)
        return;
    dirty_ = false;
    if (!file_.flush())
        fail();
}

void MonitorAutoSave::entryAdded(const TrafficEntry& entry)
{
    if (!file_.isOpen())
        return;
    dirty_ = true;
    if (!file_.write(entry))
        fail();
}

void MonitorAutoSave::fail()
{
    flushTimer_.stop();
    file_.close();
    emit failed(tr("Cannot save the monitor log to %1: %2. Auto-save is off.")
                    .arg(QString::fromStdString(file_.path()), QString::fromStdString(file_.error())));
    emit stopped();
}
