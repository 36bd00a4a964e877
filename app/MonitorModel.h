#pragma once

#include "link/TrafficLog.h"

#include <QAbstractTableModel>
#include <QTimer>

#include <cstdint>
#include <deque>

// The monitor's table over the traffic log: one row per entry, coloured by
// outcome. Rows can be limited to errors, and frozen (paused): the log goes
// on recording and counting, the rows catch up on resume. New entries join
// the table in batches, a few times a second: a view repaints itself whole
// for every insertion, and text layout is most of what the monitor costs.
class MonitorModel : public QAbstractTableModel, public TrafficListener {
    Q_OBJECT
public:
    enum Column { TimeColumn, DirectionColumn, OutcomeColumn, HexColumn, DecodedColumn, ColumnCount };
    static constexpr int kBatchMs = 500;
    // Longest text a cell shows; the tool tip, copies and files hold it all.
    static constexpr int kLongestCell = 160;

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

    // Adds the entries waiting for the next batch (the batch timer calls it).
    void flushPending();
    std::size_t pendingRows() const { return pending_.size(); }

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
    std::deque<std::uint64_t> pending_;
    QTimer batch_;
    bool errorsOnly_ = false;
    bool paused_ = false;
};
