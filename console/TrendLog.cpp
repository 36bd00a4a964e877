#include "console/TrendLog.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TrendLog::TrendLog(std::string folder, Report report, std::int64_t splitBytes)
    : folder_(std::move(folder)), report_(std::move(report)), splitBytes_(splitBytes)
{
}

std::string TrendLog::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("trend").toStdString();
}

std::string TrendLog::fileName(int address, const std::string& day, int part)
{
    return std::string("trend-address-") + std::to_string(address) + "-" + day + (part > 1 ? std::string("-") + std::to_string(part) : "")
        + ".csv";
}

void TrendLog::setHeader(const TrendCsv::Header& header)
{
    if (header.address != header_.address || header.port != header_.port)
        file_.close();
    header_ = header;
}

void TrendLog::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    failed_ = false;
    file_.close();
}

void TrendLog::sampleRecorded(const LiveQuantities::Sample& sample)
{
    put(TrendCsv::dayText(sample.wallMs, sample.utcOffsetSeconds), TrendCsv::row(sample), sample.wallMs);
}

void TrendLog::markRecorded(const TrendMark& mark)
{
    put(TrendCsv::dayText(mark.wallMs, mark.utcOffsetSeconds), TrendCsv::markLine(mark), mark.wallMs);
}

void TrendLog::put(const std::string& day, const std::string& text, std::int64_t wallMs)
{
    if (!enabled_ || failed_)
        return;
    if (!file_.isOpen() || day != day_ || std::int64_t(file_.size() + text.size()) > splitBytes_) {
        if (!file_.isOpen() || day != day_)
            part_ = 0;
        if (!openFor(day))
            return;
    }
    if (!file_.append(text)) {
        fail(file_.error());
        return;
    }
    if (wallMs - syncedMs_ >= 1000 || wallMs < syncedMs_) {
        syncedMs_ = wallMs;
        if (!file_.sync())
            fail(file_.error());
    }
}

bool TrendLog::openFor(const std::string& day)
{
    file_.close();
    // The next part whose name no earlier session or split has taken.
    std::string path;
    do {
        ++part_;
        path = QDir(QString::fromStdString(folder_))
                   .filePath(QString::fromStdString(fileName(header_.address, day, part_)))
                   .toStdString();
    } while (QFileInfo::exists(QString::fromStdString(path)));
    if (!QDir().mkpath(QString::fromStdString(folder_))) {
        fail("Cannot make the folder " + folder_ + " for " + path);
        return false;
    }
    if (!file_.open(path, AppendingFile::Start::Keep)
        || !file_.append(TrendCsv::comments(header_) + TrendCsv::headerRow())) {
        fail(file_.error());
        return false;
    }
    day_ = day;
    return true;
}

void TrendLog::fail(const std::string& reason)
{
    failed_ = true;
    file_.close();
    if (report_)
        report_(reason + ". The trend goes on in memory; switch \"Log to file\" off and on to try again.");
}
