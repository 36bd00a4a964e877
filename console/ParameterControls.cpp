#include "console/ParameterControls.h"

#include "link/FloatText.h"

#include <stdexcept>

namespace ParameterControls {

namespace {

// Every register a command writes has exactly one row, in register order,
// and no two rows share a control.
constexpr bool rowsMatchTheMap()
{
    std::size_t written = 0;
    for (const RegisterMap::Entry& entry : RegisterMap::kEntries) {
        if (entry.group == RegisterMap::kNoGroup)
            continue;
        if (written >= kRows.size() || kRows[written].reg != entry.reg)
            return false;
        ++written;
    }
    if (written != kRows.size())
        return false;
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (kRows[j].control == kRows[i].control)
                return false;
        }
    }
    return true;
}

static_assert(rowsMatchTheMap(), "the Configuration tab's controls do not match the register map");

}

std::string_view controlOf(const RegisterMap::Entry& entry)
{
    for (const Row& row : kRows) {
        if (row.reg == entry.reg)
            return row.control;
    }
    throw std::logic_error("No control shows " + std::string(entry.name));
}

std::string shownText(const RegisterMap::Entry& entry, std::int32_t value)
{
    if (entry.scale == RegisterMap::Scale::Tenths)
        return tenthsText(static_cast<std::int16_t>(value));
    return std::to_string(value);
}

}
