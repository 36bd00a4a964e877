#pragma once

#include "link/ParameterSet.h"
#include "link/RegisterMap.h"

#include <array>
#include <string>
#include <string_view>

// The Configuration tab's control of each parameter, and how the tab shows
// a parameter set: the one list that both filling the tab and emptying it
// for Read All walk.
namespace ParameterControls {

struct Row {
    std::uint16_t reg;
    std::string_view control;   // layout name of its edit or combo box
};

// One row per register a configuration command writes, in register order.
// clang-format off
inline constexpr std::array<Row, 41> kRows{{
    {0, "Edit12"}, {1, "Edit5"}, {2, "Edit13"}, {3, "Edit14"}, {4, "Edit27"}, {5, "Edit9"}, {6, "Edit6"},
    {7, "Edit7"}, {8, "Edit41"}, {9, "ComboBox1"}, {10, "ComboBox2"},
    {11, "Edit34"}, {12, "Edit8"}, {13, "Edit35"}, {14, "Edit36"}, {15, "Edit37"}, {16, "Edit15"}, {17, "Edit38"},
    {18, "Edit39"}, {19, "Edit40"}, {20, "ComboBox3"}, {21, "ComboBox4"},
    {22, "Edit52"}, {23, "Edit53"}, {24, "Edit50"}, {25, "Edit51"}, {26, "ComboBox5"},
    {27, "Edit4"}, {28, "Edit24"}, {29, "Edit25"},
    {33, "Edit1"}, {34, "Edit2"}, {35, "Edit10"}, {36, "Edit16"}, {37, "ComboBox6"}, {38, "ComboBox7"},
    {39, "Edit18"}, {40, "Edit28"}, {41, "Edit30"}, {42, "Edit29"}, {43, "Edit31"},
}};
// clang-format on

// The control holding `entry`; throws std::logic_error for a register the
// tab does not show.
std::string_view controlOf(const RegisterMap::Entry& entry);

// The text an edit shows for a parameter's value: tenths as "25.5", "20",
// "-3.2", whole numbers as they are.
std::string shownText(const RegisterMap::Entry& entry, std::int32_t value);

// Fills the tab's controls with the set's known values in register order:
// a combo box gets the value as its item index (an index outside its items
// leaves it empty), an edit its shownText. `View` has setControlText and
// setComboIndex (the window, or a test's recorder).
template <class View>
void show(const ParameterSet& parameters, View& view)
{
    for (const Row& row : kRows) {
        const RegisterMap::Entry& entry = *RegisterMap::byRegister(row.reg);
        const std::optional<std::int32_t> value = parameters.value(entry);
        if (!value)
            continue;
        if (entry.isChoice)
            view.setComboIndex(std::string(row.control), *value);
        else
            view.setControlText(std::string(row.control), shownText(entry, *value));
    }
}

}
