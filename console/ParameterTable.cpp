#include "console/ParameterTable.h"

#include "console/ConfigCommands.h"
#include "link/LinkState.h"

#include <array>
#include <stdexcept>

namespace {

using C = FieldConversion;

constexpr std::int32_t kS16Low = -32768;
constexpr std::int32_t kS16High = 32767;
constexpr const char* kEnableItems = "Disable|Enable";
constexpr const char* kContactItems = "NO|NC";
constexpr const char* kDegrees = "°C";

// Fan registers are unsigned on the wire and read back unsigned.
#define HX_FAN_PAIR(prefix, first, command, e1, e2, stepRev, maxRev, minRev, stepTemp, maxTemp, minTemp,   \
    stopTemp, deltTemp, pulseNo, enable1, enable2)                                                           \
    {prefix "StepRev", first + 0, stepRev, command, "rpm", C::Integer, 0, 65535},                            \
    {prefix "MaxRev", first + 1, maxRev, command, "rpm", C::Integer, 0, 65535},                              \
    {prefix "MinRev", first + 2, minRev, command, "rpm", C::Integer, 0, 65535},                              \
    {prefix "StepTemp", first + 3, stepTemp, command, kDegrees, C::SingleTenths, kS16Low, kS16High},         \
    {prefix "MaxTemp", first + 4, maxTemp, command, kDegrees, C::SingleTenths, kS16Low, kS16High},           \
    {prefix "MinTemp", first + 5, minTemp, command, kDegrees, C::SingleTenths, kS16Low, kS16High},           \
    {prefix "StopTemp", first + 6, stopTemp, command, kDegrees, C::SingleTenths, kS16Low, kS16High},         \
    {prefix "DeltTemp", first + 7, deltTemp, command, kDegrees, C::SingleTenths, kS16Low, kS16High},         \
    {prefix "PulseNo", first + 8, pulseNo, command, "", C::Integer, 0, 255},                                 \
    {e1 "Enable", first + 9, enable1, command, "", C::ItemIndex, 0, 1, kEnableItems},                        \
    {e2 "Enable", first + 10, enable2, command, "", C::ItemIndex, 0, 1, kEnableItems}

const auto kParameters = std::to_array<ParameterSpec>({
    HX_FAN_PAIR("Intfan", 0, Command::SetIntfan, "Intfan1", "Intfan2", "Edit12", "Edit5", "Edit13", "Edit14",
        "Edit27", "Edit9", "Edit6", "Edit7", "Edit41", "ComboBox1", "ComboBox2"),
    HX_FAN_PAIR("Extfan", 11, Command::SetExtfan, "Extfan1", "Extfan2", "Edit34", "Edit8", "Edit35", "Edit36",
        "Edit37", "Edit15", "Edit38", "Edit39", "Edit40", "ComboBox3", "ComboBox4"),
    {"HeaterStartTemp", 22, "Edit52", Command::SetHeater, kDegrees, C::SingleTenths, kS16Low, kS16High},
    {"HeaterDeltTemp", 23, "Edit53", Command::SetHeater, kDegrees, C::WholeTenths, 0, 255},
    {"HeaterMaxCurrent", 24, "Edit50", Command::SetHeater, "A", C::SingleTenths, kS16Low, kS16High},
    {"HeaterMinCurrent", 25, "Edit51", Command::SetHeater, "A", C::SingleTenths, kS16Low, kS16High},
    {"HeaterEnable", 26, "ComboBox5", Command::SetHeater, "", C::ItemIndex, 0, 1, kEnableItems},
    {"DeviceAddress", 27, "Edit4", Command::SetAddress, "", C::Integer, kS16Low, kS16High, nullptr,
        &ConfigCommands::deviceAddressAccepted},
    {"TempAlarmHigh", 28, "Edit24", Command::SetTempAlarm, kDegrees, C::DoubleTenths, kS16Low, kS16High},
    {"TempAlarmLow", 29, "Edit25", Command::SetTempAlarm, kDegrees, C::DoubleTenths, kS16Low, kS16High},
    {"CalTemp1", 33, "Edit1", Command::SetCalibration, kDegrees, C::SingleTenths, kS16Low, kS16High},
    {"CalTemp2", 34, "Edit2", Command::SetCalibration, kDegrees, C::SingleTenths, kS16Low, kS16High},
    {"CalCurrent", 35, "Edit10", Command::SetCalibration, "A", C::SingleTenths, kS16Low, kS16High},
    {"CalVoltage", 36, "Edit16", Command::SetCalibration, "V", C::SingleTenths, kS16Low, kS16High},
    {"ExtInputEnable", 37, "ComboBox6", Command::SetExtInput, "", C::ItemIndex, 0, 1, kEnableItems},
    {"ExtInputType", 38, "ComboBox7", Command::SetExtInput, "", C::ItemIndex, 0, 1, kContactItems},
    {"VoltAlarmHigh", 39, "Edit18", Command::SetVoltAlarm, "V", C::DoubleTenths, kS16Low, kS16High, nullptr,
        &ConfigCommands::voltAlarmHighAccepted},
    {"VoltAlarmLow", 40, "Edit28", Command::SetVoltAlarm, "V", C::DoubleTenths, kS16Low, kS16High, nullptr,
        &ConfigCommands::voltAlarmLowAccepted},
    {"CompStartTemp", 41, "Edit30", Command::SetCompressor, kDegrees, C::DoubleTenths, kS16Low, kS16High, nullptr,
        &ConfigCommands::compStartTempAccepted},
    {"CompDeltTemp", 42, "Edit29", Command::SetCompressor, kDegrees, C::DoubleTenths, kS16Low, kS16High, nullptr,
        &ConfigCommands::compDeltTempAccepted},
    {"CompMaxRPM", 43, "Edit31", Command::SetCompressor, "rpm", C::Integer, kS16Low, kS16High},
});

#undef HX_FAN_PAIR

constexpr std::array<const char*, 9> kGroupNames = {
    "Internal Fan", "External Fan", "Heater", "Temp. Alarm", "Calibration", "ExtInput", "Address",
    "VoltageAlarm", "Compressor",
};

constexpr std::array<std::uint8_t, 8> kWriteAllGroups = {
    Command::SetIntfan, Command::SetExtfan, Command::SetHeater, Command::SetTempAlarm,
    Command::SetCalibration, Command::SetExtInput, Command::SetVoltAlarm, Command::SetCompressor,
};

}

namespace ParameterTable {

std::span<const ParameterSpec> all()
{
    return kParameters;
}

const ParameterSpec* find(std::string_view name)
{
    for (const ParameterSpec& spec : kParameters) {
        if (name == spec.name)
            return &spec;
    }
    return nullptr;
}

const char* groupName(std::uint8_t command)
{
    if (command >= kGroupNames.size())
        throw std::out_of_range("No parameter group for command " + std::to_string(command));
    return kGroupNames[command];
}

std::span<const std::uint8_t> writeAllGroups()
{
    return kWriteAllGroups;
}

}
