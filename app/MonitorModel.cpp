#include "app/MonitorModel.h"

#include <QColor>
#include <QFont>

#include <algorithm>

namespace {

QString cellText(const std::string& text)
{
    const QString full = QString::fromStdString(text);
    if (full.size() <= MonitorModel::kLongestCell)
        return full;
    return full.left(MonitorModel::kLongestCell - 1) + QChar(0x2026);
}

} // namespace

MonitorModel::MonitorModel(TrafficLog& log, QObject* parent) : QAbstractTableModel(parent), log_(log)
{
    batch_.setSingleShot(true);
    batch_.setInterval(kBatchMs);
    connect(&batch_, &QTimer::timeout, this, &MonitorModel::flushPending);
    rebuild();
    log_.addListener(this);
}

MonitorModel::~MonitorModel()
{
    log_.removeListener(this);
}

int MonitorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MonitorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const TrafficEntry& MonitorModel::entry(int row) const
{
    return log_.at(rows_.at(static_cast<std::size_t>(row)));
}

QVariant MonitorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TrafficEntry& e = entry(index.row());
    if (role == Qt::BackgroundRole)
        return colourOf(e.kind);
    if (role == Qt::ToolTipRole && index.column() == DecodedColumn)
        return QString::fromStdString(TrafficText::decoded(e));
    if (role == Qt::ToolTipRole && index.column() == HexColumn)
        return QString::fromStdString(TrafficText::hex(e));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case TimeColumn: return QString::fromStdString(TrafficText::time(e));
    case DirectionColumn: return QString::fromStdString(TrafficText::direction(e));
    case OutcomeColumn: return QString::fromStdString(TrafficText::outcome(e));
    case HexColumn: return cellText(TrafficText::hex(e));
    case DecodedColumn: return cellText(TrafficText::decoded(e));
    default: return {};
    }
}

QVariant MonitorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn: return tr("Time");
    case DirectionColumn: return tr("Dir");
    case OutcomeColumn: return tr("Outcome");
    case HexColumn: return tr("Raw hex");
    case DecodedColumn: return tr("Decoded");
    default: return {};
    }
}

QColor MonitorModel::colourOf(TrafficEntry::Kind kind)
{
    using Kind = TrafficEntry::Kind;
    switch (kind) {
    case Kind::Request: return {232, 240, 255};
    case Kind::Reply:
    case Kind::Served:
    case Kind::PortRestored: return {214, 245, 214};
    case Kind::CrcError: return {255, 200, 120};
    case Kind::Timeout:
    case Kind::NotSent:
    case Kind::PortLost: return {255, 160, 160};
    case Kind::WrongReply:
    case Kind::Injected: return {255, 240, 140};
    case Kind::ExceptionReply: return {225, 190, 255};
    case Kind::Incomplete:
    case Kind::Unframed:
    case Kind::Discarded: return {215, 215, 215};
    }
    return Qt::white;
}

void MonitorModel::setErrorsOnly(bool errorsOnly)
{
    if (errorsOnly_ == errorsOnly)
        return;
    errorsOnly_ = errorsOnly;
    rebuild();
}

void MonitorModel::setPaused(bool paused)
{
    if (paused_ == paused)
        return;
    paused_ = paused;
    if (!paused_)
        rebuild();
}

QString MonitorModel::linesOf(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    QString text;
    for (int row : rows) {
        if (row >= 0 && row < rowCount())
            text += QString::fromStdString(TrafficText::textLine(entry(row))) + '\n';
    }
    return text;
}

void MonitorModel::entryAdded(const TrafficEntry& entry)
{
    if (paused_ || !shows(entry))
        return;
    pending_.push_back(log_.endSequence() - 1);
    if (!batch_.isActive())
        batch_.start();
}

void MonitorModel::flushPending()
{
    batch_.stop();
    if (pending_.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(pending_.size()) - 1);
    rows_.insert(rows_.end(), pending_.begin(), pending_.end());
    pending_.clear();
    endInsertRows();
}

void MonitorModel::oldestDropped(std::size_t)
{
    // Rows whose entries the log no longer holds go, frozen or not.
    while (!pending_.empty() && pending_.front() < log_.firstSequence())
        pending_.pop_front();
    std::size_t gone = 0;
    while (gone < rows_.size() && rows_[gone] < log_.firstSequence())
        ++gone;
    if (gone == 0)
        return;
    beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
    rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(gone));
    endRemoveRows();
}

void MonitorModel::cleared()
{
    rebuild();
}

void MonitorModel::rebuild()
{
    beginResetModel();
    batch_.stop();
    pending_.clear();
    rows_.clear();
    for (std::uint64_t s = log_.firstSequence(); s < log_.endSequence(); ++s) {
        if (shows(log_.at(s)))
            rows_.push_back(s);
    }
    endResetModel();
}
