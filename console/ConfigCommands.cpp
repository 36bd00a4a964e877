#include "console/ConfigCommands.h"

#include "console/FormControls.h"
#include "console/TextConversions.h"
#include "link/LinkState.h"
#include "link/RegisterMap.h"

#include <utility>
#include <vector>

using namespace TextConversions;

namespace {

const std::string kBusyText = "Systerm Busy,Please Wait";

}

ConfigCommands::ConfigCommands(LinkState& state, FormControls& controls)
    : state_(state)
    , controls_(controls)
{
}

std::string ConfigCommands::text(const std::string& control) const
{
    return controls_.text(control);
}

bool ConfigCommands::portClosed()
{
    if (controls_.text("Button1") != "Open")
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

void ConfigCommands::refuseRange()
{
    controls_.showMessage("Data out of range!!", "Set Unsuccessfully");
}

std::int64_t ConfigCommands::converted(const RegisterMap::Entry& entry) const
{
    const std::string control(entry.control);
    switch (entry.input) {
    case RegisterMap::Input::Integer:
        return toInteger(text(control));
    case RegisterMap::Input::SingleTenths:
        return singleTenths(text(control));
    case RegisterMap::Input::DoubleTenths:
        return doubleTenths(text(control));
    case RegisterMap::Input::WholeTenths:
        return wholeTenths(text(control));
    case RegisterMap::Input::ItemIndex:
        break;
    }
    return controls_.itemIndex(control);
}

// Converts the group's controls in the handler's order and stores each field
// at its width (the low-order bits survive, as in the controller's
// registers). A run of double-tenths fields is converted whole before any of
// it is stored, so a bad second value leaves the first field unchanged.
void ConfigCommands::storeGroup(std::uint8_t commandCode)
{
    std::vector<std::pair<const RegisterMap::Entry*, std::int64_t>> run;
    const auto storeRun = [&] {
        for (const auto& [entry, value] : run)
            entry->field.write(state_, value);
        run.clear();
    };
    for (const RegisterMap::Entry* entry : RegisterMap::conversionOrder(commandCode)) {
        if (entry->input == RegisterMap::Input::DoubleTenths) {
            run.emplace_back(entry, converted(*entry));
            continue;
        }
        storeRun();
        entry->field.write(state_, converted(*entry));
    }
    storeRun();
}

void ConfigCommands::SetClick()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    storeGroup(Command::SetIntfan);
    queue(Command::SetIntfan);
}

void ConfigCommands::Button10Click()
{
    if (refusedAtStart("Set Extfan1!"))
        return;
    storeGroup(Command::SetExtfan);
    queue(Command::SetExtfan);
}

void ConfigCommands::Button15Click()
{
    // The heater's busy box has its text and caption the other way round.
    if (portClosed() || busy("Set Heater!", kBusyText))
        return;
    storeGroup(Command::SetHeater);
    queue(Command::SetHeater);
}

void ConfigCommands::Button11Click()
{
    if (refusedAtStart("Set Alarm TEMP!"))
        return;
    storeGroup(Command::SetTempAlarm);
    queue(Command::SetTempAlarm);
}

void ConfigCommands::Button3Click()
{
    if (refusedAtStart("Calibrate Temp!"))
        return;
    storeGroup(Command::SetCalibration);
    queue(Command::SetCalibration);
}

void ConfigCommands::Button4Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    storeGroup(Command::SetExtInput);
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
    storeGroup(Command::SetAddress);
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
    storeGroup(Command::SetVoltAlarm);
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
    storeGroup(Command::SetCompressor);
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
    const float value = toSingle(text("Edit11"));
    // Temperatures outside the sensor range go out as 1100 instead.
    if (value < -40.0f || value >= 100.0f)
        state_.Settings.DebugTemperature = 1100;
    else
        state_.Settings.DebugTemperature = static_cast<std::int16_t>(*truncatedTenths(value));
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
