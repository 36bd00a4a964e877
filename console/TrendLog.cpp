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
    put(TrendCsv::dayText(sample.wallMs, sample.utcOffsetSeconds), TrendCsv::row(sample));
}

void TrendLog::markRecorded(const TrendMark& mark)
{
    put(TrendCsv::dayText(mark.wallMs, mark.utcOffsetSeconds), TrendCsv::markLine(mark));
}

void TrendLog::put(const std::string& day, const std::string& text)
{
    if (!enabled_ || failed_)
        return;
    if (!file_.isOpen() || day != day_ || file_.size() + std::int64_t(text.size()) > splitBytes_) {
        if (!file_.isOpen() || day != day_)
            part_ = 0;
        if (!openFor(day))
            return;
    }
    const std::string error = file_.append(text);
    if (!error.empty())
        fail(error);
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
    std::string error = file_.open(path);
    if (error.empty())
        error = file_.append(TrendCsv::comments(header_) + TrendCsv::headerRow());
    if (!error.empty()) {
        fail(error);
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
