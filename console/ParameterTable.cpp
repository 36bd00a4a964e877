#include "console/ParameterTable.h"

#include "console/ConfigCommands.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The combo boxes' items: ExtInput's contact type is the one that is not
// an enable.
constexpr int kContactTypeRegister = 38;
constexpr std::string_view kEnableItems = "Disable|Enable";
constexpr std::string_view kContactItems = "NO|NC";

struct RangeTest {
    int reg;
    bool (*accepted)(std::int32_t);
};

constexpr std::array<RangeTest, 5> kRangeTests = {{
    {27, &ConfigCommands::deviceAddressAccepted},
    {39, &ConfigCommands::voltAlarmHighAccepted},
    {40, &ConfigCommands::voltAlarmLowAccepted},
    {41, &ConfigCommands::compStartTempAccepted},
    {42, &ConfigCommands::compDeltTempAccepted},
}};

std::vector<ParameterEntry> build()
{
    std::vector<ParameterEntry> params;
    for (const RegisterMap::Entry& entry : RegisterMap::kEntries) {
        if (entry.group == RegisterMap::kNoGroup)
            continue;
        ParameterEntry param{&entry, {}, nullptr};
        if (entry.isChoice)
            param.items = entry.reg == kContactTypeRegister ? kContactItems : kEnableItems;
        for (const RangeTest& test : kRangeTests) {
            if (test.reg == entry.reg)
                param.accepted = test.accepted;
        }
        params.push_back(param);
    }
    return params;
}

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

std::span<const ParameterEntry> all()
{
    static const std::vector<ParameterEntry> params = build();
    return params;
}

const ParameterEntry* find(std::string_view name)
{
    for (const ParameterEntry& param : all()) {
        if (name == param.name())
            return &param;
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
