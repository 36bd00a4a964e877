#include "cli/BusLogWriter.h"

BusLogWriter::BusLogWriter()
{
    log_.addListener(this);
}

BusLogWriter::~BusLogWriter()
{
    log_.removeListener(this);
    close();
}

std::string BusLogWriter::open(const std::string& path)
{
    if (file_.open(path, false))
        return {};
    return "cannot write the log " + path + ": " + file_.error();
}

void BusLogWriter::entryAdded(const TrafficEntry& entry)
{
    if (!file_.isOpen())
        return;
    if (!file_.write(entry))
        fail();
}

void BusLogWriter::fail()
{
    failure_ = "the log " + file_.path() + " could not be written (" + file_.error() + "); logging stopped";
}

std::string BusLogWriter::close()
{
    if (!file_.isOpen())
        return {};
    const std::string path = file_.path();
    if (file_.close())
        return {};
    return "the log " + path + " could not be closed: " + file_.error();
}
