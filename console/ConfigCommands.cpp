#include "console/ConfigCommands.h"

#include "console/FormControls.h"
#include "console/TextConversions.h"
#include "link/LinkState.h"

#include <array>

using namespace TextConversions;

namespace {

const std::string kBusyText = "Systerm Busy,Please Wait";

// What Read All empties before the engine fills them from the reply.
constexpr std::array<const char*, 41> kReadAllControls = {
    "Edit12", "Edit13", "Edit14", "Edit27", "Edit9", "Edit41", "Edit15", "Edit16", "Edit5",
    "Edit6", "Edit7", "Edit8", "Edit10", "Edit30", "Edit31", "Edit4", "Edit34", "Edit35",
    "Edit36", "Edit37", "Edit38", "Edit39", "Edit40", "Edit50", "Edit51", "Edit52", "Edit53",
    "Edit1", "Edit2", "Edit24", "Edit25", "ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4",
    "ComboBox5", "ComboBox6", "ComboBox7", "Edit18", "Edit28", "Edit29",
};

}

ConfigCommands::ConfigCommands(LinkState& state, FormControls& controls)
    : state_(state)
    , controls_(controls)
{
}

std::string ConfigCommands::text(const char* control) const
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

// Field widths decide what survives of a typed value: the casts below keep
// the low-order bits, as the controller's registers do.
void ConfigCommands::setFans(FanRecord& first, FanRecord& second, const FanControls& names,
    std::uint8_t commandCode)
{
    first.StepRev = toInteger(text(names.stepRev));
    first.MaxRev = toInteger(text(names.maxRev));
    first.MinRev = toInteger(text(names.minRev));
    first.StepTemp = static_cast<std::int16_t>(singleTenths(text(names.stepTemp)));
    first.MaxTemp = static_cast<std::int16_t>(singleTenths(text(names.maxTemp)));
    first.MinTemp = static_cast<std::int16_t>(singleTenths(text(names.minTemp)));
    first.DeltTemp = static_cast<std::int16_t>(singleTenths(text(names.deltTemp)));
    first.StopTemp = static_cast<std::int16_t>(singleTenths(text(names.stopTemp)));
    first.PulseNo = static_cast<std::uint8_t>(toInteger(text(names.pulseNo)));
    first.Enable = static_cast<std::uint8_t>(controls_.itemIndex(names.enable1));
    second.Enable = static_cast<std::uint8_t>(controls_.itemIndex(names.enable2));
    queue(commandCode);
}

void ConfigCommands::SetClick()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    setFans(state_.Intfan1, state_.Intfan2,
        { "Edit12", "Edit5", "Edit13", "Edit14", "Edit27", "Edit9", "Edit7", "Edit6", "Edit41",
            "ComboBox1", "ComboBox2" },
        Command::SetIntfan);
}

void ConfigCommands::Button10Click()
{
    if (refusedAtStart("Set Extfan1!"))
        return;
    setFans(state_.Extfan1, state_.Extfan2,
        { "Edit34", "Edit8", "Edit35", "Edit36", "Edit37", "Edit15", "Edit39", "Edit38", "Edit40",
            "ComboBox3", "ComboBox4" },
        Command::SetExtfan);
}

void ConfigCommands::Button15Click()
{
    // The heater's busy box has its text and caption the other way round.
    if (portClosed() || busy("Set Heater!", kBusyText))
        return;
    DeviceSettings& s = state_.Settings;
    s.HeaterMaxCurrent = static_cast<std::int32_t>(singleTenths(text("Edit50")));
    s.HeaterMinCurrent = static_cast<std::int32_t>(singleTenths(text("Edit51")));
    s.HeaterStartTemp = static_cast<std::int16_t>(singleTenths(text("Edit52")));
    s.HeaterDeltTemp = static_cast<std::uint8_t>(wholeTenths(text("Edit53")));
    s.HeaterEnable = static_cast<std::uint8_t>(controls_.itemIndex("ComboBox5"));
    queue(Command::SetHeater);
}

void ConfigCommands::Button11Click()
{
    if (refusedAtStart("Set Alarm TEMP!"))
        return;
    const std::int64_t high = doubleTenths(text("Edit24"));
    const std::int64_t low = doubleTenths(text("Edit25"));
    state_.Settings.TempAlarmHigh = static_cast<std::int16_t>(high);
    state_.Settings.TempAlarmLow = static_cast<std::int16_t>(low);
    queue(Command::SetTempAlarm);
}

void ConfigCommands::Button3Click()
{
    if (refusedAtStart("Calibrate Temp!"))
        return;
    DeviceSettings& s = state_.Settings;
    s.CalTemp1 = static_cast<std::int16_t>(singleTenths(text("Edit1")));
    s.CalTemp2 = static_cast<std::int16_t>(singleTenths(text("Edit2")));
    s.CalCurrent = static_cast<std::int16_t>(singleTenths(text("Edit10")));
    s.CalVoltage = static_cast<std::int16_t>(singleTenths(text("Edit16")));
    queue(Command::SetCalibration);
}

void ConfigCommands::Button4Click()
{
    if (refusedAtStart("Set Intfan1!"))
        return;
    state_.Settings.ExtInputEnable = controls_.itemIndex("ComboBox6");
    state_.Settings.ExtInputType = controls_.itemIndex("ComboBox7");
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
    state_.Settings.NewDeviceAddress = toInteger(text("Edit4"));
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
    const std::int64_t high = doubleTenths(text("Edit18"));
    const std::int64_t low = doubleTenths(text("Edit28"));
    DeviceSettings& s = state_.Settings;
    s.VoltAlarmHigh = static_cast<std::int32_t>(high);
    s.VoltAlarmLow = static_cast<std::int32_t>(low);
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
    const std::int64_t start = doubleTenths(text("Edit30"));
    const std::int64_t delta = doubleTenths(text("Edit29"));
    DeviceSettings& s = state_.Settings;
    s.CompStartTemp = static_cast<std::int32_t>(start);
    s.CompDeltTemp = static_cast<std::int32_t>(delta);
    s.CompMaxRPM = toInteger(text("Edit31"));
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
    for (const char* control : kReadAllControls)
        controls_.setText(control, "");
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
