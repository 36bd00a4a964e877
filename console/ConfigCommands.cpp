#include "console/ConfigCommands.h"

#include "console/FormControls.h"
#include "console/TextConversions.h"
#include "link/LinkState.h"
#include "link/RegisterMap.h"

#include <optional>
#include <utility>
#include <vector>

using namespace TextConversions;

namespace {

const std::string kBusyText = "Systerm Busy,Please Wait";

}

ConfigCommands::ConfigCommands(LinkState& state, FormControls& controls, PortOpen portOpen)
    : state_(state)
    , controls_(controls)
    , portOpen_(std::move(portOpen))
{
}

std::string ConfigCommands::text(const std::string& control) const
{
    return controls_.text(control);
}

bool ConfigCommands::portClosed()
{
    if (portOpen_())
        return false;
    controls_.showMessage("ComPort Not Open!!", "Comm Error");
    return true;
}

bool ConfigCommands::busy(const std::string& text, const std::string& caption)
{
    if (state_.LinkBusy != 1)
        return false;
    controls_.showMessage(text, caption);
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

bool ConfigCommands::refuseRange()
{
    controls_.showMessage("Data out of range!!", "Set Unsuccessfully");
    return false;
}

std::optional<std::int64_t> ConfigCommands::converted(const RegisterMap::Entry& entry) const
{
    const std::string control(entry.control);
    if (entry.isChoice)
        return controls_.itemIndex(control);
    return typedRegisterValue(text(control), entry);
}

// Converts the group's controls in the handler's order and stores each
// field. A run of double-tenths fields is converted whole before any of it
// is stored, so a bad second value leaves the first field unchanged. A
// value its register cannot hold is refused where it would be stored: what
// was stored before stays, nothing is queued.
bool ConfigCommands::storeGroup(std::uint8_t commandCode)
{
    std::vector<std::pair<const RegisterMap::Entry*, std::optional<std::int64_t>>> run;
    const auto storeRun = [&] {
        for (const auto& [entry, value] : run) {
            if (!value)
                return false;
        }
        for (const auto& [entry, value] : run)
            entry->field.write(state_, *value);
        run.clear();
        return true;
    };
    for (const RegisterMap::Entry* entry : RegisterMap::conversionOrder(commandCode)) {
        if (entry->input == RegisterMap::Input::DoubleTenths) {
            run.emplace_back(entry, converted(*entry));
            continue;
        }
        if (!storeRun())
            return refuseRange();
        const std::optional<std::int64_t> value = converted(*entry);
        if (!value)
            return refuseRange();
        entry->field.write(state_, *value);
    }
    return storeRun() || refuseRange();
}

void ConfigCommands::SetClick()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    if (storeGroup(Command::SetIntfan))
        queue(Command::SetIntfan);
}

void ConfigCommands::Button10Click()
{
    if (refusedAtStart("Set Extfan1!"))
        return;
    if (storeGroup(Command::SetExtfan))
        queue(Command::SetExtfan);
}

void ConfigCommands::Button15Click()
{
    // The heater's busy box has its text and caption the other way round.
    if (portClosed() || busy("Set Heater!", kBusyText))
        return;
    if (storeGroup(Command::SetHeater))
        queue(Command::SetHeater);
}

void ConfigCommands::Button11Click()
{
    if (refusedAtStart("Set Alarm TEMP!"))
        return;
    if (storeGroup(Command::SetTempAlarm))
        queue(Command::SetTempAlarm);
}

void ConfigCommands::Button3Click()
{
    if (refusedAtStart("Calibrate Temp!"))
        return;
    if (storeGroup(Command::SetCalibration))
        queue(Command::SetCalibration);
}

void ConfigCommands::Button4Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    if (storeGroup(Command::SetExtInput))
        queue(Command::SetExtInput);
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

void ConfigCommands::Button7Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    if (!storeGroup(Command::SetAddress))
        return;
    if (!deviceAddressAccepted(state_.Settings.NewDeviceAddress)) {
        refuseRange();
        return;
    }
    queue(Command::SetAddress);
}

void ConfigCommands::Button9Click()
{
    if (refusedAtStart("Set Alarm TEMP!"))
        return;
    if (!storeGroup(Command::SetVoltAlarm))
        return;
    const DeviceSettings& s = state_.Settings;
    if (!voltAlarmHighAccepted(s.VoltAlarmHigh) || !voltAlarmLowAccepted(s.VoltAlarmLow)) {
        refuseRange();
        return;
    }
    queue(Command::SetVoltAlarm);
}

void ConfigCommands::Button14Click()
{
    if (refusedAtStart("Set Alarm TEMP!"))
        return;
    if (!storeGroup(Command::SetCompressor))
        return;
    const DeviceSettings& s = state_.Settings;
    if (!compStartTempAccepted(s.CompStartTemp) || !compDeltTempAccepted(s.CompDeltTemp)) {
        refuseRange();
        return;
    }
    queue(Command::SetCompressor);
}

void ConfigCommands::Button8Click()
{
    // The console's own addressing: no port needed, nothing queued.
    const auto address = static_cast<std::uint32_t>(toInteger(text("Edit17")));
    state_.SlaveAddress = address > 255 ? 1 : address;
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
    for (const RegisterMap::Entry& entry : RegisterMap::kEntries) {
        if (entry.group != RegisterMap::kNoGroup)
            controls_.setText(std::string(entry.control), "");
    }
}

void ConfigCommands::BitBtn2Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    queue(Command::FactoryReset);
}

void ConfigCommands::Button5Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    queue(Command::ReadVersion);
}
