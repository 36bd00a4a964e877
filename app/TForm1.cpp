#include "app/TForm1.h"

#include "app/ConfigurationLayout.h"
#include "app/GraphLayout.h"
#include "app/HxApplication.h"
#include "app/JournalWindowLauncher.h"
#include "app/LayoutBuilder.h"
#include "app/LiveLayout.h"
#include "app/MonitorLauncher.h"
#include "app/TrendLauncher.h"
#include "app/PortComboBox.h"
#include "app/QtParameterDialogs.h"
#include "app/ScanDialog.h"
#include "link/BusScan.h"
#include "console/LiveWidgets.h"
#include "console/ParameterControls.h"
#include "console/MessageBoxes.h"
#include "console/QtMessageBoxes.h"
#include "console/StatusStrip.h"
#include "console/TextConversions.h"
#include "link/FirmwareReadCommand.h"
#include "link/PortAccess.h"
#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/RegisterMap.h"
#include "link/ConsolePort.h"
#include "link/SerialPort.h"
#include "plot/TiXYPlot.h"
#include "widgets/TiLabel.h"
#include "widgets/TiSwitchLed.h"

#include <QDateTime>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace {

// clGradientInactiveCaption of the classic Windows scheme.
const QColor kWindowColour(215, 228, 242);
const QColor kSheetColour(252, 252, 252);

// Group frames run through the middle of their caption, as on Windows,
// which leaves room for the first row under the caption.
const char* const kGroupBoxStyle =
    "QGroupBox { border: 1px solid rgb(170, 170, 170); border-radius: 3px; margin-top: 9px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 7px;"
    " padding: 0px 2px; background-color: palette(window); }";

const char* const kLineSettings[] = {"baudrate", "databits", "parity", "stopbits"};

// Captions of the status strip over the tab row.
const char* const kLinkStatus = "Communication Satus";
const char* const kPortLostStatus = "Port lost";
const char* const kPortAwaitedStatus = "Port lost, waiting";
// Reopen attempts while the device is gone: often enough to be back within
// a second or two of replugging, rarely enough to cost nothing meanwhile.
constexpr int kPortWatchMs = 1000;

} // namespace

TForm1::TForm1()
    : TForm1(std::make_unique<ConsolePort>(), std::make_unique<QtMessageBoxes>())
{
}

TForm1::TForm1(std::unique_ptr<SerialPort> port, std::unique_ptr<MessageBoxes> messageBoxes)
    : port_(std::move(port))
    , messageBoxes_(std::move(messageBoxes))
    , widgetErrors_([this](const std::exception& error) { messageBoxes_->show(error.what(), HxApplication::title()); })
{
    Q_INIT_RESOURCE(glyphs);
    Q_INIT_RESOURCE(panel);

    setObjectName("Form1");
    setWindowTitle("Test GUI For DC Heat Exchanger");
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kWindowColour);
    setPalette(colours);
    setAutoFillBackground(true);
    QFont font("MS Sans Serif");
    font.setPixelSize(13);
    setFont(font);
    setFixedSize(815, 634);
    moveToDesignedPosition();

    buildLayout(*this, configurationLayout());
    buildLayout(*this, liveLayout());
    buildLayout(*this, graphLayout());
    bindControls();
    data_ = &control<QTabWidget>("Data");
    plot_ = &control<TiXYPlot>("iXYPlot1");
    data_->setCurrentIndex(0);
    for (int i = 0; i < data_->count(); ++i) {
        QWidget* sheet = data_->widget(i);
        QPalette sheetColours = sheet->palette();
        sheetColours.setColor(QPalette::Window, kSheetColour);
        sheet->setPalette(sheetColours);
        sheet->setAutoFillBackground(true);
    }
    setStyleSheet(kGroupBoxStyle);

    timer2_ = createTimer("Timer2", 10, &TForm1::Timer2Timer);
    timer1_ = createTimer("Timer1", 200, &TForm1::Timer1Timer);
    timer3_ = createTimer("Timer3", 200, &TForm1::Timer3Timer);
    portWatchTimer_ = createTimer("PortWatchTimer", kPortWatchMs, &TForm1::PortWatchTick);
    portWatchTimer_->stop();

    control<PortComboBox>("rdCOM").setItemSource([] {
        QStringList items;
        for (const std::string& item : discoverPortItems())
            items << QString::fromStdString(item);
        return items;
    });
    connect(&control<PortComboBox>("rdCOM"), &QComboBox::editTextChanged, this, [this] {
        showLineSettingsFree();
        stopAwaitingPort();
    });
    for (const char* name : kLineSettings)
        connect(&control<QComboBox>(name), &QComboBox::currentTextChanged, this, [this] { stopAwaitingPort(); });
    connectHandler("Button1", &TForm1::Button1Click);
    connectHandler("Set", &TForm1::SetClick);
    connectHandler("Button10", &TForm1::Button10Click);
    connectHandler("Button15", &TForm1::Button15Click);
    connectHandler("Button11", &TForm1::Button11Click);
    connectHandler("Button3", &TForm1::Button3Click);
    connectHandler("Button4", &TForm1::Button4Click);
    connectHandler("Button7", &TForm1::Button7Click);
    connectHandler("Button9", &TForm1::Button9Click);
    connectHandler("Button14", &TForm1::Button14Click);
    connectHandler("Button8", &TForm1::Button8Click);
    connectHandler("BitBtn1", &TForm1::BitBtn1Click);
    connectHandler("BitBtn2", &TForm1::BitBtn2Click);
    connectHandler("Button5", &TForm1::Button5Click);
    connectHandler("Button6", &TForm1::Button6Click);
    connectHandler("Button16", &TForm1::Button16Click);
    connectHandler("Button17", &TForm1::Button17Click);
    connectHandler("SaveParameters", &TForm1::SaveParametersClick);
    connectHandler("LoadParameters", &TForm1::LoadParametersClick);
    connectHandler("RestoreBackup", &TForm1::RestoreBackupClick);
    connectHandler("WriteAll", &TForm1::WriteAllClick);
    connectHandler("CompareParameters", &TForm1::CompareParametersClick);
    connectHandler("ScanBus", &TForm1::ScanBusClick);
    setParameterDialogs(std::make_unique<QtParameterDialogs>(this));
    // Direct connections: the handler sees the LED as it was before the
    // click, since the switch flips itself only after OnClick.
    for (const auto& [name, handler] : {std::pair{"iSwitchLed1", &TForm1::iSwitchLed1Click},
                                        std::pair{"iSwitchLed3", &TForm1::iSwitchLed3Click}}) {
        connect(&control<TiSwitchLed>(name), &TiComponent::OnClick, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); }, Qt::DirectConnection);
    }
    setUpBackups();
    monitor_ = std::make_unique<MonitorLauncher>(*this, core_);
    trend_ = std::make_unique<TrendLauncher>(*this, core_);
    journal_ = std::make_unique<JournalWindowLauncher>(*this, control<QWidget>("ScanBus"), core_,
                                                       [this] { return devicePath(); });
    journal_->journal().setRunSource([this]() -> std::optional<ServiceJournal::Run> {
        if (!parameterFiles_.writeAllRunning())
            return std::nullopt;
        return ServiceJournal::Run{"Write All", parameterFiles_.loadedPath()};
    });
    parameterFiles_.setCompareSink([this](const std::string& file, const std::vector<ParameterDifference>& differences) {
        journal_->journal().recordCompare(static_cast<std::uint8_t>(core_.state().SlaveAddress), file, differences);
    });

    // Below the sheets, in the window's free strip: long enough for a
    // command, an address and a reason, and two lines high for the address
    // in use below it.
    failureLine_ = new QLabel(this);
    failureLine_->setObjectName("FailureLine");
    failureLine_->setGeometry(8, 601, 770, 32);
    failureLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette failureColours = failureLine_->palette();
    failureColours.setColor(QPalette::WindowText, QColor(176, 0, 0));
    failureLine_->setPalette(failureColours);
    connect(&control<QLineEdit>("Edit17"), &QLineEdit::textChanged, this, [this] { showStatusLines(); });
    core_.addListener(*this);
}

void TForm1::setUpBackups()
{
    using Action = ParameterBackups::Action;
    backupReader_ = std::make_unique<CoreBackupReader>(core_, HX_VERSION);
    backup_ = std::make_unique<BackupBeforeChange>(BackupBeforeChange::Hooks{
        [this](BackupBeforeChange::ReadDone done) { backupReader_->start(std::move(done)); },
        [](const ParameterFile::Document& document, Action action) {
            return ParameterBackups::save(ParameterBackups::defaultFolder(), document, action, QDateTime::currentDateTime());
        },
        [this](const std::string& question) { return parameterDialogs_->goOnWithoutBackup(question); },
        [this](const std::string& path, const ParameterFile::Document& document, Action action) {
            journal_->journal().recordBackup(static_cast<std::uint8_t>(document.busAddress.value_or(0)), path,
                                             std::string(ParameterBackups::displayName(action)),
                                             ServiceJournal::registersOf(document));
        },
    });
    core_.commands().setBeforeChange([this](Action action, std::function<void()> change) {
        backup_->run(action, std::move(change));
    });
}

TForm1::~TForm1()
{
    core_.removeListener(*this);
}

QTimer* TForm1::createTimer(const char* name, int interval, void (TForm1::*handler)())
{
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(interval);
    connect(timer, &QTimer::timeout, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    timer->start();
    return timer;
}

void TForm1::connectHandler(const char* button, void (TForm1::*handler)())
{
    connect(&control<QAbstractButton>(button), &QAbstractButton::clicked, this,
            [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}

void TForm1::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        messageBoxes_->show(error.what(), HxApplication::title());
    }
}

void TForm1::Button1Click()
{
    if (core_.portState() == ConsoleCore::PortState::Open) {
        closePort();
        return;
    }
    // The button reads "Open" also while a lost device is awaited: the click
    // lets go of it and opens what the boxes name now.
    if (core_.portState() != ConsoleCore::PortState::Closed)
        closePort();

    // Both numbers are checked before the port is touched, so a bad text
    // leaves no port open behind an "Open" caption.
    const int baudRate = TextConversions::toInteger(text("baudrate"));
    const int dataBits = TextConversions::toInteger(text("databits"));

    // The parity and stop-bit boxes are shown but never applied.
    const std::string device = devicePath();
    switch (core_.open(device, baudRate, dataBits)) {
    case ConsoleCore::OpenResult::Opened:
        break;
    case ConsoleCore::OpenResult::CannotOpen: {
        // A device we may not open says how to get access; a network port
        // why it could not connect.
        const PortAccess::Hint hint = PortAccess::permissionHint(device);
        const std::string why = port_->openError();
        if (!hint.full.empty())
            showPortStatus(hint.brief.c_str(), hint.full);
        else
            showPortStatus(why.empty() ? kLinkStatus : why.c_str());
    }
        showMessage("Open Port Error!!", "Comm Error");
        return;
    case ConsoleCore::OpenResult::NoSettings:
    case ConsoleCore::OpenResult::SettingsRefused:
        // State first: the box runs a nested loop in which the timers tick.
        timer1_->stop();
        timer2_->stop();
        showMessage("通信端口设置错误!!!", "Set Error");
        return;
    }
    showPortStatus(kLinkStatus);
    timer1_->start();
    timer2_->start();
    setPortSettingsEnabled(false);
    control<QAbstractButton>("Button1").setText("Close");
    restyleOpenButton();
    showPortStatus(kLinkStatus);
    parameterFiles_.portOpened();
    tellTrendController();
}

// Closed by the operator: nothing is reopened behind their back.
void TForm1::closePort()
{
    portWatchTimer_->stop();
    core_.close();
    control<QAbstractButton>("Button1").setText("Open");
    restyleOpenButton();
    timer1_->stop();
    timer2_->stop();
    setPortSettingsEnabled(true);
    showPortStatus(kLinkStatus);
    parameterFiles_.portClosed("the port was closed");
}

void TForm1::stopAwaitingPort()
{
    if (core_.portState() == ConsoleCore::PortState::Lost)
        closePort();
}

// The device went away under an open port. The button reads "Open" again,
// and the port boxes are free, as for any closed port; the strip says why;
// no box, which would pile up while the adapter stays out. Until the
// operator changes a box or clicks "Open", the device is awaited and
// reopened when it is back. Timer1 runs on, so the live sheet's watchdog
// turns the bar red and clears the readings of the lost controller.
void TForm1::portLost()
{
    timer2_->stop();
    // A Write All or a Read All of the file buttons cannot go on without the engine.
    parameterFiles_.portClosed("the port's device went away");
    control<QAbstractButton>("Button1").setText("Open");
    restyleOpenButton();
    setPortSettingsEnabled(true);
    const bool awaited = core_.portState() == ConsoleCore::PortState::Lost;
    showPortStatus(awaited ? kPortAwaitedStatus : kPortLostStatus);
    if (awaited)
        portWatchTimer_->start();
}

void TForm1::PortWatchTick()
{
    if (core_.watchTick())
        portReopened();
}

void TForm1::portReopened()
{
    portWatchTimer_->stop();
    if (!timer1_->isActive())
        timer1_->start();
    timer2_->start();
    control<QAbstractButton>("Button1").setText("Close");
    restyleOpenButton();
    setPortSettingsEnabled(false);
    showPortStatus(kLinkStatus);
    parameterFiles_.portOpened();
    tellTrendController();
}

void TForm1::tellTrendController()
{
    const LinkState& state = core_.state();
    trend_->setController({HX_VERSION, devicePath(), static_cast<int>(state.SlaveAddress), Firmware::text(state)});
}

void TForm1::showPortStatus(const char* caption, const std::string& detail)
{
    auto& strip = control<TiLabel>("iLabel1");
    strip.SetCaption(QString::fromUtf8(caption));
    strip.setToolTip(QString::fromStdString(detail));
}

void TForm1::CloseClick()
{
    core_.close();
}

std::string TForm1::devicePath() const
{
    return PortNames::deviceForPortText(text("rdCOM"));
}

void TForm1::Timer1Timer()
{
    core_.liveDisplay().Timer1Timer();
}

void TForm1::Timer2Timer()
{
    // The bus scan has the port to itself while it runs.
    if (core_.scanning())
        return;
    core_.tick();
    backupReader_->afterTick();
    // A change of the bus address takes effect after its reply is reported.
    showStatusLines();
    if (firmwareRead_) {
        firmwareRead_ = false;
        tellTrendController();
    }
    if (core_.portOpen())
        parameterFiles_.afterTick(currentTab());
}

void TForm1::transactionEnded(const TransactionOutcome& outcome)
{
    parameterFiles_.transactionEnded(outcome);
    if (outcome.id.kind == TransactionId::Kind::Command && outcome.id.code == Command::ReadVersion
        && outcome.result == LinkOutcome::Valid)
        firmwareRead_ = true;
    if (!outcome.startedByOperator())
        return;
    // The live actions have their own failure boxes; a refusal is named here too.
    if (outcome.id.kind == TransactionId::Kind::LiveAction && outcome.result != LinkOutcome::Refused
        && outcome.result != LinkOutcome::Valid)
        return;
    exchangeLine_ = outcome.failureLine();
    if (exchangeLine_.empty())
        exchangeLine_ = StatusStrip::brokenBySet(
            outcome, PlausibilityRules::fromTexts([this](const ParameterEntry& p) { return text(std::string(p.control())); }));
    showStatusLines();
}

void TForm1::showStatusLines()
{
    const std::string address = StatusStrip::addressInUse(core_.state().SlaveAddress, text("Edit17"));
    const QString line = QString::fromStdString(
        exchangeLine_.empty() || address.empty() ? exchangeLine_ + address : exchangeLine_ + "\n" + address);
    if (failureLine_->text() != line)
        failureLine_->setText(line);
}

std::string TForm1::failureLine() const
{
    return failureLine_->text().toStdString();
}

// The operator's Read All fills the Configuration tab; a backup's leaves it.
void TForm1::parametersRead(const ParameterSet& parameters, bool shown)
{
    if (shown)
        ParameterControls::show(parameters, *this);
    parameterFiles_.parametersRead(shown);
}

void TForm1::portStateChanged(ConsoleCore::PortState state)
{
    if (state == ConsoleCore::PortState::Lost || state == ConsoleCore::PortState::Gone)
        portLost();
}

void TForm1::SetClick() { core_.commands().SetClick(); }
void TForm1::Button10Click() { core_.commands().Button10Click(); }
void TForm1::Button15Click() { core_.commands().Button15Click(); }
void TForm1::Button11Click() { core_.commands().Button11Click(); }
void TForm1::Button3Click() { core_.commands().Button3Click(); }
void TForm1::Button4Click() { core_.commands().Button4Click(); }
void TForm1::Button7Click() { core_.commands().Button7Click(); }
void TForm1::Button9Click() { core_.commands().Button9Click(); }
void TForm1::Button14Click() { core_.commands().Button14Click(); }
void TForm1::Button8Click()
{
    core_.commands().Button8Click();
    showStatusLines();
}
void TForm1::Button6Click() { core_.commands().Button6Click(); }
void TForm1::BitBtn1Click() { core_.commands().BitBtn1Click(); }
void TForm1::BitBtn2Click() { core_.commands().BitBtn2Click(); }
void TForm1::Button5Click() { core_.commands().Button5Click(); }
void TForm1::SaveParametersClick() { parameterFiles_.SaveParametersClick(); }
void TForm1::LoadParametersClick() { parameterFiles_.LoadParametersClick(); }
void TForm1::RestoreBackupClick() { parameterFiles_.RestoreBackupClick(); }
void TForm1::WriteAllClick() { parameterFiles_.WriteAllClick(); }
void TForm1::CompareParametersClick() { parameterFiles_.CompareClick(); }

void TForm1::ScanBusClick()
{
    if (!core_.portOpen()) {
        showMessage("ComPort Not Open!!", "Comm Error");
        return;
    }
    if (core_.busy()) {
        showMessage("Systerm Busy,Please Wait", "Scan");
        return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    BusScan scan(*port_, &core_.tap(), scanClock_ ? scanClock_ : [&elapsed] { return elapsed.elapsed(); });
    ScanDialog dialog(scan, this);
    // Busy as for a command, so every handler refuses while the scan runs;
    // afterwards nothing is pending.
    connect(&dialog, &ScanDialog::runningChanged, this, [this](bool running) { core_.pauseForScan(running); });
    if (scanDialogRunner_)
        scanDialogRunner_(dialog);
    else
        dialog.exec();
    if (const std::optional<int> address = dialog.chosenAddress()) {
        setText("Edit17", std::to_string(*address));
        Button8Click();
    }
}

void TForm1::setParameterDialogs(std::unique_ptr<ParameterDialogs> dialogs)
{
    parameterDialogs_ = std::move(dialogs);
    parameterFiles_.setDialogs(*parameterDialogs_);
}

void TForm1::Timer3Timer()
{
    core_.liveDisplay().Timer3Timer();
}

void TForm1::iSwitchLed1Click() { core_.liveDisplay().iSwitchLed1Click(); }
void TForm1::iSwitchLed3Click() { core_.liveDisplay().iSwitchLed3Click(); }

void TForm1::Button16Click() { core_.fanCurveGraph().Button16Click(); }
void TForm1::Button17Click() { core_.fanCurveGraph().Button17Click(); }

// The designed place, pulled back onto the screen when the screen is too
// small to show the whole window there.
void TForm1::moveToDesignedPosition()
{
    QPoint at(338, 66);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        at.setX(std::max(area.left(), std::min(at.x(), area.x() + area.width() - width())));
        at.setY(std::max(area.top(), std::min(at.y(), area.y() + area.height() - height())));
    }
    move(at);
}

void TForm1::restyleOpenButton()
{
    auto& button = control<QAbstractButton>("Button1");
    QFont font(QString::fromUtf8("隶书"));
    font.setPixelSize(19);
    button.setFont(font);
    QPalette colours = button.palette();
    colours.setColor(QPalette::ButtonText, Qt::black);
    button.setPalette(colours);
}

// Every name the console's tables address must be in the layout, with the
// property the table sets: a misspelt one stops the window from opening.
void TForm1::bindControls()
{
    bindings_.bind(*this);
    for (const ParameterControls::Row& row : ParameterControls::kRows) {
        const std::string name(row.control);
        if (RegisterMap::byRegister(row.reg)->isChoice)
            bindings_.as<QComboBox>(name);
        else
            bindings_.as<QLineEdit>(name);
    }
    for (const LiveWidgets::Row& row : LiveWidgets::kRows) {
        if (row.property == nullptr)
            bindings_.as<QLineEdit>(row.widget);
        else
            bindings_.requireProperty(row.widget, row.property);
    }
}

void TForm1::setPortSettingsEnabled(bool enabled)
{
    lineSettingsFree_ = enabled;
    control<QComboBox>("rdCOM").setEnabled(enabled);
    showLineSettingsFree();
}

// Line settings mean nothing to a network port: their boxes stay locked
// while one is named.
void TForm1::showLineSettingsFree()
{
    const bool network = PortNames::isNetworkName(text("rdCOM"));
    for (const char* name : kLineSettings) {
        auto& box = control<QComboBox>(name);
        box.setEnabled(lineSettingsFree_ && !network);
        box.setToolTip(network ? QStringLiteral("Line settings do not apply to a network port") : QString());
    }
}

std::string TForm1::text(const std::string& name) const
{
    return bindings_.text(name).toStdString();
}

void TForm1::setText(const std::string& name, const std::string& text)
{
    bindings_.setText(name, QString::fromStdString(text));
}

// What the operator sees is what is sent: the item whose text the box shows,
// none when the text was typed over or emptied.
int TForm1::itemIndex(const std::string& name) const
{
    const auto& combo = control<QComboBox>(name);
    return combo.findText(combo.currentText(), Qt::MatchExactly);
}

void TForm1::showMessage(const std::string& text, const std::string& caption)
{
    // A running Write All keeps its groups' boxes for its summary.
    if (parameterFiles_.takeMessage(text, caption))
        return;
    messageBoxes_->show(text, caption);
}

int TForm1::currentTab() const
{
    return data_->currentIndex();
}

void TForm1::setWindowSize(int width, int height)
{
    // The outer size includes the frame the window manager adds.
    // Both timers ask for it on every tick: only a real change may touch the
    // window, or each tick would cost a resize and a repaint.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client(width - frame.width(), height - frame.height());
    if (minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

void TForm1::setTimer2Interval(int milliseconds)
{
    // setInterval restarts a running timer; the engine asks every tick.
    if (timer2_->interval() != milliseconds)
        timer2_->setInterval(milliseconds);
}

void TForm1::setTimer1Interval(int milliseconds)
{
    if (timer1_->interval() != milliseconds)
        timer1_->setInterval(milliseconds);
}

double TForm1::widgetProperty(const std::string& widget, const std::string& property) const
{
    return bindings_.property(widget, property);
}

void TForm1::setControlText(const std::string& name, const std::string& text)
{
    setText(name, text);
}

void TForm1::setComboIndex(const std::string& name, int index)
{
    auto& combo = control<QComboBox>(name);
    if (index >= 0 && index < combo.count()) {
        combo.setCurrentIndex(index);
        return;
    }
    combo.setCurrentIndex(-1);
    combo.setEditText(QString());
}

void TForm1::setWidgetProperty(const std::string& widget, const std::string& property, double value)
{
    bindings_.setProperty(widget, property, value);
}

void TForm1::clearChannel(int channel)
{
    plot_->GetChannel(channel)->Clear();
}

void TForm1::setChannelLayer(int channel, int layer)
{
    plot_->GetChannel(channel)->SetLayer(layer);
}

void TForm1::addChannelPoint(int channel, double x, double y)
{
    plot_->GetChannel(channel)->AddXY(x, y);
}
