#pragma once

#include "app/ControlBindings.h"
#include "app/ParameterDialogs.h"
#include "app/ParameterFileActions.h"
#include "console/BackupBeforeChange.h"
#include "console/ConsoleCore.h"
#include "console/CoreBackupReader.h"
#include "console/FormControls.h"
#include "console/GraphView.h"
#include "console/LiveView.h"
#include "link/LinkState.h"
#include "link/LinkView.h"
#include "widgets/TiErrorDisplay.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class MessageBoxes;
class MonitorLauncher;
class TrendLauncher;
class JournalWindowLauncher;
class ScanDialog;
class QLabel;
class QTabWidget;
class QTimer;
class SerialPort;
class TiXYPlot;

// The console's one window: the page control with the Configuration,
// RealTimeData and Graph sheets, the three timers, the serial port and the
// controller image. Handlers are public methods named after the layout;
// every control signal runs its handler through guarded(), which shows an
// escaping error in a message box and lets the event loop go on.
class TForm1 : public QWidget,
               public FormControls,
               public LinkView,
               public LiveView,
               public GraphView,
               private ConsoleCore::Listener {
    Q_OBJECT
public:
    TForm1();
    TForm1(std::unique_ptr<SerialPort> port, std::unique_ptr<MessageBoxes> messageBoxes);
    ~TForm1() override;

    void Button1Click();
    void CloseClick();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    // Once a second while the port's device is lost: opens it again when it
    // is back and carries on with the shown tab's work.
    void PortWatchTick();

    // Configuration commands, Read All, Default, firmware version and the
    // debug temperature's "Send".
    void SetClick();
    void Button10Click();
    void Button15Click();
    void Button11Click();
    void Button3Click();
    void Button4Click();
    void Button7Click();
    void Button9Click();
    void Button14Click();
    void Button8Click();
    void Button6Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void Button5Click();

    // Parameter files: "Save Parameters...", "Load Parameters...",
    // "Write All" and "Compare...".
    void SaveParametersClick();
    void LoadParametersClick();
    void RestoreBackupClick();
    void WriteAllClick();
    void CompareParametersClick();
    ParameterFileActions& parameterFiles() { return parameterFiles_; }

    // "Scan...": looks for controllers on the bus in a dialog that only
    // reads; the address chosen there is set as the "Comm Address" Set
    // does. The engine rests and every command is refused while it runs.
    void ScanBusClick();
    bool scanning() const { return core_.scanning(); }
    // Runs the scan dialog; by default exec(). Tests drive it themselves.
    void setScanDialogRunner(std::function<void(ScanDialog&)> runner) { scanDialogRunner_ = std::move(runner); }
    // The scan's time-outs are measured on this clock (milliseconds); by
    // default the monotonic clock.
    void setScanClock(std::function<std::int64_t()> clock) { scanClock_ = std::move(clock); }
    // Replaces the file choosers, the question and the compare window.
    void setParameterDialogs(std::unique_ptr<ParameterDialogs> dialogs);

    // The RealTimeData sheet's switch LEDs: "On" (forced-on output) and
    // "ReC" (re-check). They run on the click, before the LED flips itself.
    void iSwitchLed1Click();
    void iSwitchLed3Click();

    // The Graph sheet's "DrawIntfan" and "DrawExtfan".
    void Button16Click();
    void Button17Click();

    // Runs a handler; an error it throws is shown with its text under the
    // application title, as the event loop of a toolkit would.
    void guarded(const std::function<void()>& handler);

    ConsoleCore& core() { return core_; }
    LinkState& linkState() { return core_.state(); }
    SerialPort& port() { return *port_; }
    MessageBoxes& messageBoxes() { return *messageBoxes_; }
    QTabWidget& pages() { return *data_; }
    TiXYPlot& plot() const { return *plot_; }
    QTimer& timer1() { return *timer1_; }
    QTimer& timer2() { return *timer2_; }
    QTimer& timer3() { return *timer3_; }
    QTimer& portWatchTimer() { return *portWatchTimer_; }
    const PortWatch& portWatch() const { return core_.portWatch(); }
    // The strip below the sheets: the last command that failed (empty after
    // a success) or the plausibility rules a Set broke, then on a line of
    // its own the bus address in use when "Comm Address" says another.
    std::string failureLine() const;
    MonitorLauncher& monitor() { return *monitor_; }
    TrendLauncher& trend() { return *trend_; }
    JournalWindowLauncher& journal() { return *journal_; }

    // FormControls and LinkView, on the controls found by layout name.
    std::string text(const std::string& control) const override;
    void setText(const std::string& control, const std::string& text) override;
    int itemIndex(const std::string& control) const override;
    void showMessage(const std::string& text, const std::string& caption) override;

    int currentTab() const override;
    void setWindowSize(int width, int height) override;
    void setTimer2Interval(int milliseconds) override;
    // Selects an item of a combo box; an index outside its items leaves it
    // without selection and with empty text.
    void setComboIndex(const std::string& control, int index);

    // GraphView, on the channels of iXYPlot1.
    void clearChannel(int channel) override;
    void setChannelLayer(int channel, int layer) override;
    void addChannelPoint(int channel, double x, double y) override;

    // LiveView: published properties of the instrument widgets, read back
    // by name; throws std::logic_error for an unknown widget or property.
    double widgetProperty(const std::string& widget, const std::string& property) const override;
    void setWidgetProperty(const std::string& widget, const std::string& property, double value) override;
    void setControlText(const std::string& control, const std::string& text) override;
    void setTimer1Interval(int milliseconds) override;

    // Control of the given layout name and type; throws std::logic_error
    // when there is none or it is of another type.
    template <class Control>
    Control& control(const std::string& name) const;

protected:
    // Runs handler (guarded) when the named button is clicked.
    void connectHandler(const char* button, void (TForm1::*handler)());

private:
    QTimer* createTimer(const char* name, int interval, void (TForm1::*handler)());
    std::string devicePath() const;
    void moveToDesignedPosition();
    // ConsoleCore::Listener
    void transactionEnded(const TransactionOutcome& outcome) override;
    void portStateChanged(ConsoleCore::PortState state) override;
    void parametersRead(const ParameterSet& parameters, bool shown) override;

    void closePort();
    // The operator changed a port box while its device is awaited: they
    // have moved on, so it is no longer reopened behind their back.
    void stopAwaitingPort();
    void portLost();
    void portReopened();
    // The trend log's identity: this console, the port, the address and the
    // firmware text last read.
    void tellTrendController();
    // The strip over the tabs; `detail`, the whole story, shows on hovering it.
    void showPortStatus(const char* caption, const std::string& detail = {});
    void restyleOpenButton();
    void setPortSettingsEnabled(bool enabled);
    void showLineSettingsFree();
    void bindControls();
    void setUpBackups();
    // Puts the exchange line and the address line on the strip.
    void showStatusLines();

    std::unique_ptr<SerialPort> port_;
    bool lineSettingsFree_ = false;   // the line boxes may be enabled (port closed after use)
    std::unique_ptr<MessageBoxes> messageBoxes_;
    // Errors of the widgets' own key and focus handling (a read-out's text
    // that is not a number) go to the same message boxes as guarded()'s.
    TiErrorDisplay::Installation widgetErrors_;
    ConsoleCore core_{*port_, *this, this, this, this};
    ParameterFileActions parameterFiles_{core_, *this};
    std::unique_ptr<ParameterDialogs> parameterDialogs_;
    // Before Default, Write All and a new device address: the controller's
    // parameters kept as a backup file.
    std::unique_ptr<CoreBackupReader> backupReader_;
    std::unique_ptr<BackupBeforeChange> backup_;
    // The bus monitor's button, shortcut and window; declared after the
    // engine so that it is destroyed (and stops listening) first.
    std::unique_ptr<MonitorLauncher> monitor_;
    // The trend's button, shortcut, recorder, log and window.
    std::unique_ptr<TrendLauncher> trend_;
    // The service journal, its button, shortcut and window.
    std::unique_ptr<JournalWindowLauncher> journal_;
    // A version read answered in this tick: its text is stored after the
    // outcome is reported, so the trend hears of it once the tick is over.
    bool firmwareRead_ = false;
    QTabWidget* data_ = nullptr;
    TiXYPlot* plot_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    QTimer* timer3_ = nullptr;
    QTimer* portWatchTimer_ = nullptr;
    QLabel* failureLine_ = nullptr;
    // The last operator exchange's failure, or the rules its Set broke.
    std::string exchangeLine_;
    std::function<void(ScanDialog&)> scanDialogRunner_;
    std::function<std::int64_t()> scanClock_;
    // Layout controls by name, bound once after the layout is built: the
    // engine and Timer1 address widgets by name on every tick.
    ControlBindings bindings_;
};

template <class Control>
Control& TForm1::control(const std::string& name) const
{
    return bindings_.as<Control>(name);
}
