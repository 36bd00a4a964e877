#pragma once

#include "console/TrendCsv.h"
#include "console/TrendRecorder.h"

#include <QWidget>

#include <array>
#include <deque>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TiPlotAxis;
class TiXYPlot;
class TiXYPlotChannel;
class TrendLog;

// The trend: every live quantity over time on one plot, one channel each
// (shown or hidden from the legend), one Y axis per unit stacked as bands,
// the time axis following the newest sample over a chosen span. "Pause"
// (or dragging the time axis) freezes the view while recording goes on;
// "Live" follows again. Marks show alarms raised or cleared and the
// console's writes. A recorded log can be opened and viewed without a port.
class TrendWindow : public QWidget, public TrendRecorder::Listener {
    Q_OBJECT
public:
    // Spans the view can follow over, in the order of the span box.
    static constexpr std::array<std::int64_t, 6> kSpanMs{60'000, 600'000, 3'600'000, 8 * 3'600'000,
                                                         TrendRecorder::kDayMs, 0};
    static constexpr int kAllSpan = 5;

    using FileQuestion = std::function<QString(const QString& caption, const QString& filter, bool save)>;

    // Shows `recorder` (and keeps showing what it records); `log` is the
    // file the "Log to file" box switches (none: the box is off and disabled).
    TrendWindow(TrendRecorder& recorder, TrendLog* log, QWidget* parent = nullptr);
    ~TrendWindow() override;

    TiXYPlot& plot() { return *plot_; }
    TiXYPlotChannel& channel(std::size_t quantity) { return *channels_.at(quantity); }
    TiPlotAxis& timeAxis();
    // The plot's X value of a wall-clock time (days since 1899-12-30, local).
    static double timeValue(std::int64_t wallMs, int utcOffsetSeconds);

    void setFileQuestion(FileQuestion question) { askFile_ = std::move(question); }
    void setMessageSink(std::function<void(const QString&)> sink) { showMessage_ = std::move(sink); }
    // Controller named in titles and exports.
    void setController(const TrendCsv::Header& header);

    // The buttons' work, callable directly.
    void setSpan(int index);
    int span() const { return span_; }
    void setPaused(bool paused);
    bool paused() const;
    void goLive();
    bool viewingFile() const { return viewing_ != &recorder_; }
    bool openLog(const QString& path);
    bool exportCsv(const QString& path);
    bool exportImage(const QString& path);
    // Places the data cursor at a pixel of the plot (hidden outside the data view).
    void moveCursorTo(int x, int y);
    // A channel's legend click: shows or hides it.
    void toggleChannel(int index);
    QCheckBox& logToFile() { return *logBox_; }
    int markCount() const { return int(markTimes_.size()); }

    void sampleRecorded(const LiveQuantities::Sample& sample) override;
    void markRecorded(const TrendMark& mark) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPlot();
    void display(const TrendRecorder& source);
    void addSample(const LiveQuantities::Sample& sample);
    void addMark(const TrendMark& mark);
    void dropOlderThan(double x);
    void follow(double newest);
    void updateTitle();
    QString rangeText() const;
    QString ask(const QString& caption, const QString& filter, bool save);
    void message(const QString& text);

    TrendRecorder& recorder_;
    TrendLog* log_;
    // What the plot shows: the live recorder or a log read from a file.
    const TrendRecorder* viewing_;
    std::unique_ptr<TrendRecorder> file_;
    QString fileName_;
    TrendCsv::Header header_;

    TiXYPlot* plot_;
    std::array<TiXYPlotChannel*, LiveQuantities::kCount> channels_{};
    std::deque<double> markTimes_;
    double newest_ = 0;
    double oldestKept_ = 0;
    int span_ = 1;

    QComboBox* spanBox_;
    QPushButton* pause_;
    QCheckBox* logBox_;
    QLabel* status_;
    FileQuestion askFile_;
    std::function<void(const QString&)> showMessage_;
};
