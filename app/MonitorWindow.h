#pragma once

#include "app/MonitorAutoSave.h"
#include "app/MonitorModel.h"
#include "link/TrafficLog.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

// The bus monitor: a window of its own beside the console, showing every
// frame on the line as the link tap reports it, decoded and coloured by
// outcome, with live counters, pause, clear, an errors-only filter, a view
// that follows the newest row until the user scrolls up, copy, saving and
// auto-save. It only watches: nothing here changes what the link does.
class MonitorWindow : public QWidget {
    Q_OBJECT
public:
    // Asks for a file name (to append to, or to replace); tests answer
    // without a dialog.
    using FileQuestion = std::function<QString(const QString& caption, bool append)>;

    explicit MonitorWindow(QWidget* parent = nullptr, std::size_t capacity = TrafficLog::kDefaultCapacity);
    ~MonitorWindow() override;

    TrafficLog& log() { return log_; }
    MonitorModel& model() { return model_; }
    MonitorAutoSave& autoSave() { return autoSave_; }
    QTableView& table() { return *table_; }
    bool followsTail() const { return follow_; }

    void setFileQuestion(FileQuestion question) { askFile_ = std::move(question); }
    // Failures are shown here; tests catch them instead.
    void setMessageSink(std::function<void(const QString&)> sink) { showMessage_ = std::move(sink); }

    // The buttons' work, callable directly.
    void setPaused(bool paused);
    void clear();
    void setErrorsOnly(bool errorsOnly);
    void copySelection();
    bool saveLog(const QString& path);
    bool startAutoSave(const QString& path);
    void stopAutoSave();
    // Counter line as shown.
    QString countersText() const;
    void refreshCounters();
    // Brings the newest row into view unless the user has scrolled up.
    void followTail();

protected:
    // Ctrl+C on the table copies whole rows, not the current cell.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void scrolled(int value);
    void report(const QString& message);

    // The model and the auto-save go before the log they listen to.
    TrafficLog log_;
    MonitorModel model_{log_};
    MonitorAutoSave autoSave_{log_};
    QTableView* table_ = nullptr;
    QLabel* counters_ = nullptr;
    QLabel* autoSaveLabel_ = nullptr;
    QPushButton* pause_ = nullptr;
    QCheckBox* errorsOnly_ = nullptr;
    QCheckBox* followBox_ = nullptr;
    QCheckBox* autoSaveBox_ = nullptr;
    QTimer* countersTimer_ = nullptr;
    FileQuestion askFile_;
    std::function<void(const QString&)> showMessage_;
    bool follow_ = true;
    bool scrolling_ = false;
};
