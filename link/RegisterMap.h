#pragma once

#include "link/LinkState.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// The controller's holding registers as the console uses them: one row per
// register, saying which field of LinkState fills it, how Read All reads
// it, its name, width, scale and unit, and which write command carries it. Read All's decoding, the write commands' register
// blocks and the Set handlers' field lists are all walked off this table.
// Registers 31 and 32 are not used by the console and have no row.
namespace RegisterMap {

enum class Scale : std::uint8_t {
    Whole,   // the register is the value (rpm, counts, choices)
    Tenths,  // the register is the value times ten (0.1 °C, 0.1 A, 0.1 V)
};

// How the Set handler turns the operator's typed value into the field.
enum class Input : std::uint8_t {
    Integer,       // integer text
    SingleTenths,  // decimal text, times ten
    DoubleTenths,  // decimal text, times ten; a group's run of these is converted whole before any is stored
    WholeTenths,   // integer text, times ten
    ItemIndex,     // the index of the item chosen, -1 for none
};

// Reads and writes one LinkState field; write keeps the low-order bits the
// field is wide (two's complement), as the controller's registers do.
struct FieldAccess {
    std::int64_t (*read)(const LinkState&);
    void (*write)(LinkState&, std::int64_t);
};

template <auto Record, auto Member>
constexpr FieldAccess fieldOf()
{
    return {
        [](const LinkState& s) -> std::int64_t { return (s.*Record).*Member; },
        [](LinkState& s, std::int64_t value) {
            auto& field = (s.*Record).*Member;
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
        },
    };
}

// Written by no configuration command (the debug temperature goes out as a
// live action of the RealTimeData tab).
constexpr std::uint8_t kNoGroup = 0xFF;

struct Entry {
    std::uint16_t reg;           // holding register number
    std::string_view name;       // group and parameter, e.g. "Intfan1 MinSpeed"
    std::string_view fieldName;  // e.g. "Intfan1.MinRev"
    FieldAccess field;
    std::uint8_t width;          // bits of the LinkState field: 8, 16 or 32
    bool isSigned;               // Read All reads the register as a signed 16-bit number
    Scale scale;
    std::string_view unit;       // "rpm", "°C", "A", "V", or "" for counts and choices
    bool isChoice;               // a combo box index
    std::uint8_t group;          // CommandCode of the write carrying it, or kNoGroup
    Input input;
    std::uint8_t order;          // position in its Set handler's conversion order
};

using LS = LinkState;
using FR = FanRecord;
using DS = DeviceSettings;
using S = Scale;
using I = Input;

// clang-format off
inline constexpr std::array kEntries{
    Entry{0,  "Intfan1 StepSpeed", "Intfan1.StepRev",  fieldOf<&LS::Intfan1, &FR::StepRev>(),  32, false, S::Whole,  "rpm", false, Command::SetIntfan, I::Integer,      0},
    Entry{1,  "Intfan1 MaxSpeed",  "Intfan1.MaxRev",   fieldOf<&LS::Intfan1, &FR::MaxRev>(),   32, false, S::Whole,  "rpm", false, Command::SetIntfan, I::Integer,      1},
    Entry{2,  "Intfan1 MinSpeed",  "Intfan1.MinRev",   fieldOf<&LS::Intfan1, &FR::MinRev>(),   32, false, S::Whole,  "rpm", false, Command::SetIntfan, I::Integer,      2},
    Entry{3,  "Intfan1 StepTemp",  "Intfan1.StepTemp", fieldOf<&LS::Intfan1, &FR::StepTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetIntfan, I::SingleTenths, 3},
    Entry{4,  "Intfan1 MaxTemp",   "Intfan1.MaxTemp",  fieldOf<&LS::Intfan1, &FR::MaxTemp>(),  16, true,  S::Tenths, "°C",  false, Command::SetIntfan, I::SingleTenths, 4},
    Entry{5,  "Intfan1 MinTemp",   "Intfan1.MinTemp",  fieldOf<&LS::Intfan1, &FR::MinTemp>(),  16, true,  S::Tenths, "°C",  false, Command::SetIntfan, I::SingleTenths, 5},
    Entry{6,  "Intfan1 StopTemp",  "Intfan1.StopTemp", fieldOf<&LS::Intfan1, &FR::StopTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetIntfan, I::SingleTenths, 7},
    Entry{7,  "Intfan1 DeltTemp",  "Intfan1.DeltTemp", fieldOf<&LS::Intfan1, &FR::DeltTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetIntfan, I::SingleTenths, 6},
    Entry{8,  "Intfan1 PulseNo",   "Intfan1.PulseNo",  fieldOf<&LS::Intfan1, &FR::PulseNo>(),  8,  false, S::Whole,  "",    false, Command::SetIntfan, I::Integer,      8},
    Entry{9,  "Intfan1 Enable",    "Intfan1.Enable",   fieldOf<&LS::Intfan1, &FR::Enable>(),   8,  true,  S::Whole,  "",    true, Command::SetIntfan, I::ItemIndex,    9},
    Entry{10, "Intfan2 Enable",    "Intfan2.Enable",   fieldOf<&LS::Intfan2, &FR::Enable>(),   8,  true,  S::Whole,  "",    true, Command::SetIntfan, I::ItemIndex,    10},

    Entry{11, "Extfan1 StepSpeed", "Extfan1.StepRev",  fieldOf<&LS::Extfan1, &FR::StepRev>(),  32, false, S::Whole,  "rpm", false, Command::SetExtfan, I::Integer,      0},
    Entry{12, "Extfan1 MaxSpeed",  "Extfan1.MaxRev",   fieldOf<&LS::Extfan1, &FR::MaxRev>(),   32, false, S::Whole,  "rpm", false, Command::SetExtfan, I::Integer,      1},
    Entry{13, "Extfan1 MinSpeed",  "Extfan1.MinRev",   fieldOf<&LS::Extfan1, &FR::MinRev>(),   32, false, S::Whole,  "rpm", false, Command::SetExtfan, I::Integer,      2},
    Entry{14, "Extfan1 StepTemp",  "Extfan1.StepTemp", fieldOf<&LS::Extfan1, &FR::StepTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetExtfan, I::SingleTenths, 3},
    Entry{15, "Extfan1 MaxTemp",   "Extfan1.MaxTemp",  fieldOf<&LS::Extfan1, &FR::MaxTemp>(),  16, true,  S::Tenths, "°C",  false, Command::SetExtfan, I::SingleTenths, 4},
    Entry{16, "Extfan1 MinTemp",   "Extfan1.MinTemp",  fieldOf<&LS::Extfan1, &FR::MinTemp>(),  16, true,  S::Tenths, "°C",  false, Command::SetExtfan, I::SingleTenths, 5},
    Entry{17, "Extfan1 StopTemp",  "Extfan1.StopTemp", fieldOf<&LS::Extfan1, &FR::StopTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetExtfan, I::SingleTenths, 7},
    Entry{18, "Extfan1 DeltTemp",  "Extfan1.DeltTemp", fieldOf<&LS::Extfan1, &FR::DeltTemp>(), 16, true,  S::Tenths, "°C",  false, Command::SetExtfan, I::SingleTenths, 6},
    Entry{19, "Extfan1 PulseNo",   "Extfan1.PulseNo",  fieldOf<&LS::Extfan1, &FR::PulseNo>(),  8,  false, S::Whole,  "",    false, Command::SetExtfan, I::Integer,      8},
    Entry{20, "Extfan1 Enable",    "Extfan1.Enable",   fieldOf<&LS::Extfan1, &FR::Enable>(),   8,  true,  S::Whole,  "",    true, Command::SetExtfan, I::ItemIndex,    9},
    Entry{21, "Extfan2 Enable",    "Extfan2.Enable",   fieldOf<&LS::Extfan2, &FR::Enable>(),   8,  true,  S::Whole,  "",    true, Command::SetExtfan, I::ItemIndex,    10},

    Entry{22, "Heater StartTemp",  "HeaterStartTemp",  fieldOf<&LS::Settings, &DS::HeaterStartTemp>(),  16, true, S::Tenths, "°C", false, Command::SetHeater, I::SingleTenths, 2},
    Entry{23, "Heater DeltTemp",   "HeaterDeltTemp",   fieldOf<&LS::Settings, &DS::HeaterDeltTemp>(),   8,  true, S::Tenths, "°C", false, Command::SetHeater, I::WholeTenths,  3},
    Entry{24, "Heater MaxCurrent", "HeaterMaxCurrent", fieldOf<&LS::Settings, &DS::HeaterMaxCurrent>(), 32, true, S::Tenths, "A",  false, Command::SetHeater, I::SingleTenths, 0},
    Entry{25, "Heater MinCurrent", "HeaterMinCurrent", fieldOf<&LS::Settings, &DS::HeaterMinCurrent>(), 32, true, S::Tenths, "A",  false, Command::SetHeater, I::SingleTenths, 1},
    Entry{26, "Heater Enable",     "HeaterEnable",     fieldOf<&LS::Settings, &DS::HeaterEnable>(),     8,  true, S::Whole,  "",   true, Command::SetHeater, I::ItemIndex,    4},

    Entry{27, "Device Address",    "NewDeviceAddress", fieldOf<&LS::Settings, &DS::NewDeviceAddress>(), 32, true, S::Whole,  "",   false, Command::SetAddress,   I::Integer,      0},
    Entry{28, "TempAlarm High",    "TempAlarmHigh",    fieldOf<&LS::Settings, &DS::TempAlarmHigh>(),    16, true, S::Tenths, "°C", false, Command::SetTempAlarm, I::DoubleTenths, 0},
    Entry{29, "TempAlarm Low",     "TempAlarmLow",     fieldOf<&LS::Settings, &DS::TempAlarmLow>(),     16, true, S::Tenths, "°C", false, Command::SetTempAlarm, I::DoubleTenths, 1},
    Entry{30, "Debug Temperature", "DebugTemperature", fieldOf<&LS::Settings, &DS::DebugTemperature>(), 16, true, S::Tenths, "°C", false, kNoGroup,              I::SingleTenths, 0},

    Entry{33, "Calibration Temp1",   "CalTemp1",       fieldOf<&LS::Settings, &DS::CalTemp1>(),       16, true, S::Tenths, "°C", false, Command::SetCalibration, I::SingleTenths, 0},
    Entry{34, "Calibration Temp2",   "CalTemp2",       fieldOf<&LS::Settings, &DS::CalTemp2>(),       16, true, S::Tenths, "°C", false, Command::SetCalibration, I::SingleTenths, 1},
    Entry{35, "Calibration Current", "CalCurrent",     fieldOf<&LS::Settings, &DS::CalCurrent>(),     16, true, S::Tenths, "A",  false, Command::SetCalibration, I::SingleTenths, 2},
    Entry{36, "Calibration Voltage", "CalVoltage",     fieldOf<&LS::Settings, &DS::CalVoltage>(),     16, true, S::Tenths, "V",  false, Command::SetCalibration, I::SingleTenths, 3},
    Entry{37, "ExtInput Enable",     "ExtInputEnable", fieldOf<&LS::Settings, &DS::ExtInputEnable>(), 32, true, S::Whole,  "",   true, Command::SetExtInput,    I::ItemIndex,    0},
    Entry{38, "ExtInput Type",       "ExtInputType",   fieldOf<&LS::Settings, &DS::ExtInputType>(),   32, true, S::Whole,  "",   true, Command::SetExtInput,    I::ItemIndex,    1},
    Entry{39, "VoltAlarm High",      "VoltAlarmHigh",  fieldOf<&LS::Settings, &DS::VoltAlarmHigh>(),  32, true, S::Tenths, "V",  false, Command::SetVoltAlarm,   I::DoubleTenths, 0},
    Entry{40, "VoltAlarm Low",       "VoltAlarmLow",   fieldOf<&LS::Settings, &DS::VoltAlarmLow>(),   32, true, S::Tenths, "V",  false, Command::SetVoltAlarm,   I::DoubleTenths, 1},
    Entry{41, "Compressor StartTemp", "CompStartTemp", fieldOf<&LS::Settings, &DS::CompStartTemp>(),  32, true, S::Tenths, "°C", false, Command::SetCompressor,  I::DoubleTenths, 0},
    Entry{42, "Compressor DeltTemp",  "CompDeltTemp",  fieldOf<&LS::Settings, &DS::CompDeltTemp>(),   32, true, S::Tenths, "°C", false, Command::SetCompressor,  I::DoubleTenths, 1},
    Entry{43, "Compressor MaxSpeed",  "CompMaxRPM",    fieldOf<&LS::Settings, &DS::CompMaxRPM>(),     32, true, S::Whole,  "rpm", false, Command::SetCompressor,  I::Integer,      2},
};
// clang-format on

// Read All reads the holding registers from 0 up to the last row.
constexpr std::uint16_t kReadAllCount = kEntries.back().reg + 1;

// The row of holding register `reg`, or nullptr.
constexpr const Entry* byRegister(int reg)
{
    for (const Entry& e : kEntries) {
        if (e.reg == reg)
            return &e;
    }
    return nullptr;
}

// The row of parameter `name` ("compressor starttemp" finds "Compressor
// StartTemp"), or nullptr.
const Entry* byName(std::string_view name);

// Row of `name` that must exist: a compile-time error when it does not.
consteval const Entry& named(std::string_view name)
{
    for (const Entry& e : kEntries) {
        if (e.name == name)
            return e;
    }
    throw "no register of that name";
}

// The rows command `code` writes, in register order; empty for codes that
// write no registers.
std::vector<const Entry*> group(std::uint8_t code);
// The same rows in the order their Set handler converts them.
std::vector<const Entry*> conversionOrder(std::uint8_t code);

// The first register and number of registers of a command's block.
struct Block {
    std::uint16_t first = 0;
    std::uint16_t count = 0;
};
constexpr Block block(std::uint8_t code)
{
    Block b;
    for (const Entry& e : kEntries) {
        if (e.group != code || code == kNoGroup)
            continue;
        if (b.count == 0)
            b.first = e.reg;
        ++b.count;
    }
    return b;
}

// The raw field values that survive the trip into the register and back
// through Read All: an 8-bit field is sent with a high byte of 0, wider
// fields keep their low 16 bits, which Read All reads signed or unsigned.
struct Range {
    std::int64_t min;
    std::int64_t max;
};
constexpr Range readBackRange(const Entry& e)
{
    if (e.width == 8)
        return {0, 255};
    return e.isSigned ? Range{-32768, 32767} : Range{0, 65535};
}

} // namespace RegisterMap
