#include "console/ConfigCommands.h"

#include "console/FormControls.h"
#include "console/ParameterControls.h"
#include "console/TextConversions.h"
#include "link/LinkState.h"
#include "link/ParameterSet.h"
#include "link/RegisterMap.h"

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace TextConversions;

namespace {

const std::string kBusyText = "Systerm Busy,Please Wait";

}

ConfigCommands::ConfigCommands(LinkState& state, FormControls& controls, PortOpen portOpen)
    : ConfigCommands(state, &controls,
          [&controls](const std::string& text, const std::string& caption) { controls.showMessage(text, caption); },
          std::move(portOpen))
{
}

ConfigCommands::ConfigCommands(LinkState& state, FormControls* controls, ShowMessage showMessage, PortOpen portOpen)
    : state_(state)
    , controls_(controls)
    , showMessage_(std::move(showMessage))
    , portOpen_(std::move(portOpen))
{
}

FormControls& ConfigCommands::controls() const
{
    if (!controls_)
        throw std::logic_error("This handler needs the Configuration tab");
    return *controls_;
}

std::string ConfigCommands::text(const std::string& control) const
{
    return controls().text(control);
}

bool ConfigCommands::portClosed()
{
    if (portOpen_())
        return false;
    showMessage_("ComPort Not Open!!", "Comm Error");
    return true;
}

bool ConfigCommands::busy(const std::string& text, const std::string& caption)
{
    if (state_.LinkBusy != 1)
        return false;
    showMessage_(text, caption);
    return true;
}

bool ConfigCommands::refusedAtStart(const std::string& busyCaption)
{
    return portClosed() || busy(kBusyText, busyCaption);
}

void ConfigCommands::queue(std::uint8_t commandCode)
{
    state_.CommandArmed = 1;
    state_.CommandCode = commandCode;
    state_.LinkBusy = 1;
}

void ConfigCommands::guardChange(ParameterBackups::Action action, std::function<void()> change)
{
    if (beforeChange_)
        beforeChange_(action, std::move(change));
    else
        change();
}

void ConfigCommands::queueChange(ParameterBackups::Action action, std::uint8_t commandCode)
{
    guardChange(action, [this, commandCode] {
        if (portOpen_())
            queue(commandCode);
    });
}

bool ConfigCommands::refuseRange()
{
    showMessage_("Data out of range!!", "Set Unsuccessfully");
    return false;
}

ConfigCommands::Source ConfigCommands::fromControls() const
{
    return [this](const RegisterMap::Entry& entry) { return converted(entry); };
}

std::optional<std::int64_t> ConfigCommands::converted(const RegisterMap::Entry& entry) const
{
    const std::string control(ParameterControls::controlOf(entry));
    if (entry.isChoice)
        return controls().itemIndex(control);
    return typedRegisterValue(text(control), entry);
}

// Converts the group's values in the handler's order and stores each
// field. A run of double-tenths fields is converted whole before any of it
// is stored, so a bad second value leaves the first field unchanged. A
// value its register cannot hold is refused where it would be stored: what
// was stored before stays, nothing is queued.
bool ConfigCommands::storeGroup(std::uint8_t commandCode, const Source& value)
{
    std::vector<std::pair<const RegisterMap::Entry*, std::optional<std::int64_t>>> run;
    const auto storeRun = [&] {
        for (const auto& [entry, converted] : run) {
            if (!converted)
                return false;
        }
        for (const auto& [entry, converted] : run)
            entry->field.write(state_, *converted);
        run.clear();
        return true;
    };
    for (const RegisterMap::Entry* entry : RegisterMap::conversionOrder(commandCode)) {
        if (entry->input == RegisterMap::Input::DoubleTenths) {
            run.emplace_back(entry, value(*entry));
            continue;
        }
        if (!storeRun())
            return refuseRange();
        const std::optional<std::int64_t> converted = value(*entry);
        if (!converted)
            return refuseRange();
        entry->field.write(state_, *converted);
    }
    return storeRun() || refuseRange();
}

bool ConfigCommands::deviceAddressAccepted(std::int32_t address)
{
    // Compared unsigned, so negative addresses are refused with the large ones.
    const auto unsignedAddress = static_cast<std::uint32_t>(address);
    return unsignedAddress >= 1 && unsignedAddress <= 255;
}

bool ConfigCommands::voltAlarmHighAccepted(std::int32_t tenths)
{
    return tenths >= 500 && tenths <= 700;
}

bool ConfigCommands::voltAlarmLowAccepted(std::int32_t tenths)
{
    return tenths >= 240 && tenths <= 470;
}

bool ConfigCommands::compStartTempAccepted(std::int32_t tenths)
{
    return tenths >= 180 && tenths <= 500;
}

bool ConfigCommands::compDeltTempAccepted(std::int32_t tenths)
{
    return tenths >= 0 && tenths <= 50;
}

bool ConfigCommands::groupAccepted(std::uint8_t commandCode) const
{
    const DeviceSettings& s = state_.Settings;
    switch (commandCode) {
    case Command::SetAddress:
        return deviceAddressAccepted(s.NewDeviceAddress);
    case Command::SetVoltAlarm:
        return voltAlarmHighAccepted(s.VoltAlarmHigh) && voltAlarmLowAccepted(s.VoltAlarmLow);
    case Command::SetCompressor:
        return compStartTempAccepted(s.CompStartTemp) && compDeltTempAccepted(s.CompDeltTemp);
    default:
        return true;
    }
}

void ConfigCommands::setGroup(std::uint8_t commandCode, const Source& value)
{
    bool refused = false;
    switch (commandCode) {
    case Command::SetHeater:
        // The heater's busy box has its text and caption the other way round.
        refused = portClosed() || busy("Set Heater!", kBusyText);
        break;
    case Command::SetExtfan:
        refused = refusedAtStart("Set Extfan1!");
        break;
    case Command::SetTempAlarm:
    case Command::SetVoltAlarm:
    case Command::SetCompressor:
        refused = refusedAtStart("Set Alarm TEMP!");
        break;
    case Command::SetCalibration:
        refused = refusedAtStart("Calibrate Temp!");
        break;
    default:
        refused = refusedAtStart("Set Intfan1!");
        break;
    }
    if (refused || !storeGroup(commandCode, value))
        return;
    if (!groupAccepted(commandCode)) {
        refuseRange();
        return;
    }
    if (commandCode == Command::SetAddress && static_cast<std::uint32_t>(state_.Settings.NewDeviceAddress) != state_.SlaveAddress)
        queueChange(ParameterBackups::Action::AddressChange, commandCode);
    else
        queue(commandCode);
}

void ConfigCommands::SetClick() { setGroup(Command::SetIntfan, fromControls()); }
void ConfigCommands::Button10Click() { setGroup(Command::SetExtfan, fromControls()); }
void ConfigCommands::Button15Click() { setGroup(Command::SetHeater, fromControls()); }
void ConfigCommands::Button11Click() { setGroup(Command::SetTempAlarm, fromControls()); }
void ConfigCommands::Button3Click() { setGroup(Command::SetCalibration, fromControls()); }
void ConfigCommands::Button4Click() { setGroup(Command::SetExtInput, fromControls()); }
void ConfigCommands::Button7Click() { setGroup(Command::SetAddress, fromControls()); }
void ConfigCommands::Button9Click() { setGroup(Command::SetVoltAlarm, fromControls()); }
void ConfigCommands::Button14Click() { setGroup(Command::SetCompressor, fromControls()); }

void ConfigCommands::writeGroup(std::uint8_t commandCode, const ParameterSet& parameters)
{
    setGroup(commandCode, [&parameters](const RegisterMap::Entry& entry) -> std::optional<std::int64_t> {
        return parameters.value(entry);
    });
}

void ConfigCommands::Button8Click()
{
    // The console's own addressing: no port needed, nothing queued.
    setCommAddress(static_cast<std::uint32_t>(toInteger(text("Edit17"))));
}

void ConfigCommands::setCommAddress(std::uint32_t address)
{
    state_.SlaveAddress = address > 255 ? 1 : address;
}

void ConfigCommands::firmwareRead(const std::string& text)
{
    if (controls_)
        controls_->setText("SWV", text);
}

void ConfigCommands::debugTemperatureTaken()
{
    if (controls_)
        controls_->setText("Edit11", "");
}

void ConfigCommands::Button6Click()
{
    if (portClosed())
        return;
    const std::string typed = text("Edit11");
    // Conversion errors as for a single-precision number; the value is then
    // taken exactly, so the bounds are compared on the decimal text.
    toSingle(typed);
    const auto value = decimalTenths(trimmed(typed));
    const bool belowSensor = !value || value->tenths < -400 || (value->tenths == -400 && !value->exact);
    // Temperatures outside the sensor range go out as 1100 instead.
    if (belowSensor || value->tenths >= 1000)
        state_.Settings.DebugTemperature = 1100;
    else
        state_.Settings.DebugTemperature = static_cast<std::int16_t>(value->tenths);
    state_.LiveAction = LiveActionCode::DebugTemperature;
    state_.CommandArmed = 1;
    state_.PollStep = 0;
}

void ConfigCommands::BitBtn1Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    queue(Command::ReadAll);
    readAllShown_ = true;
    for (const ParameterControls::Row& row : ParameterControls::kRows)
        controls().setText(std::string(row.control), "");
}

bool ConfigCommands::readAllQuietly()
{
    if (!portOpen_() || state_.LinkBusy == 1)
        return false;
    queue(Command::ReadAll);
    readAllShown_ = false;
    return true;
}

void ConfigCommands::BitBtn2Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    queueChange(ParameterBackups::Action::Default, Command::FactoryReset);
}

void ConfigCommands::Button5Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    queue(Command::ReadVersion);
}
