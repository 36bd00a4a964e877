#pragma once

#include "link/TrafficLog.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <deque>

// The monitor's table over the traffic log: one row per entry, coloured by
// outcome. Rows can be limited to errors, and frozen (paused): the log goes
// on recording and counting, the rows catch up on resume.
class MonitorModel : public QAbstractTableModel, public TrafficListener {
    Q_OBJECT
public:
    enum Column { TimeColumn, DirectionColumn, OutcomeColumn, HexColumn, DecodedColumn, ColumnCount };

    explicit MonitorModel(TrafficLog& log, QObject* parent = nullptr);
    ~MonitorModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void setErrorsOnly(bool errorsOnly);
    bool errorsOnly() const { return errorsOnly_; }
    void setPaused(bool paused);
    bool paused() const { return paused_; }

    const TrafficEntry& entry(int row) const;
    // The rows as lines of the text log, in row order.
    QString linesOf(QList<int> rows) const;

    // Background of a row of this kind.
    static QColor colourOf(TrafficEntry::Kind kind);

    void entryAdded(const TrafficEntry& entry) override;
    void oldestDropped(std::size_t count) override;
    void cleared() override;

private:
    bool shows(const TrafficEntry& entry) const { return !errorsOnly_ || entry.isError(); }
    void rebuild();

    TrafficLog& log_;
    // Sequence numbers of the entries shown, oldest first.
    std::deque<std::uint64_t> rows_;
    bool errorsOnly_ = false;
    bool paused_ = false;
};
