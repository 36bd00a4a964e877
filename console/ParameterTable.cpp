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

std::vector<ParameterSpec> build()
{
    std::vector<ParameterSpec> specs;
    for (const RegisterMap::Entry& entry : RegisterMap::kEntries) {
        if (entry.group == RegisterMap::kNoGroup)
            continue;
        ParameterSpec spec{&entry, {}, nullptr};
        if (entry.isChoice)
            spec.items = entry.reg == kContactTypeRegister ? kContactItems : kEnableItems;
        for (const RangeTest& test : kRangeTests) {
            if (test.reg == entry.reg)
                spec.accepted = test.accepted;
        }
        specs.push_back(spec);
    }
    return specs;
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

std::span<const ParameterSpec> all()
{
    static const std::vector<ParameterSpec> specs = build();
    return specs;
}

const ParameterSpec* find(std::string_view name)
{
    for (const ParameterSpec& spec : all()) {
        if (name == spec.name())
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
