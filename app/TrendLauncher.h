#pragma once

#include "console/ConsoleCore.h"
#include "console/TrendCsv.h"
#include "console/TrendLog.h"
#include "console/TrendRecorder.h"

#include <QObject>

#include <functional>
#include <memory>

class QPushButton;
class QWidget;
class TrendWindow;

// The trend from the main window: a "Trend" button beside "Monitor" and
// Ctrl+T. The recorder and its log run from the start, whether the window
// is open or not; the window is made on first use.
//
// It listens to the console core: every completed live poll cycle becomes a
// sample, a stop of polling a gap, every write a mark (the three `record...`
// calls, which tests make directly).
class TrendLauncher : public QObject, private ConsoleCore::Listener {
    Q_OBJECT
public:
    TrendLauncher(QWidget& form, ConsoleCore& core, const std::string& logFolder = TrendLog::defaultFolder());
    ~TrendLauncher() override;

    // One completed poll cycle of the RealTimeData tab.
    void recordSample(const LiveQuantities::Sample& sample);
    // Polling stopped (another tab shown, port closed or lost) at that time.
    void recordGap(std::int64_t wallMs, int utcOffsetSeconds);
    // A write the console made (Set, Default, Write All, a live action).
    void recordWrite(std::int64_t wallMs, int utcOffsetSeconds, const std::string& what, bool succeeded);
    // Port, address and firmware for the log's comment lines and titles.
    void setController(const TrendCsv::Header& header);

    void show();
    TrendWindow& window();
    QPushButton& button() { return *button_; }
    TrendRecorder& recorder() { return recorder_; }
    TrendLog& log() { return log_; }
    // Where a failing log file is reported (a non-modal box by default).
    void setMessageSink(std::function<void(const QString&)> sink) { showMessage_ = std::move(sink); }

private:
    void transactionEnded(const TransactionOutcome& outcome) override;
    void liveSample(const LiveQuantities::Sample& sample) override { recordSample(sample); }
    void pollingStopped() override;

    QWidget& form_;
    ConsoleCore& core_;
    QPushButton* button_;
    std::function<void(const QString&)> showMessage_;
    TrendRecorder recorder_;
    TrendLog log_;
    std::unique_ptr<TrendWindow> window_;
};
