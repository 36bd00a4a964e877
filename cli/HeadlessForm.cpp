#include "cli/HeadlessForm.h"

#include "console/ParameterTable.h"

#include <stdexcept>

namespace {

// Controls beyond the parameters that hxctl's handlers and engine touch:
// the comm address, the firmware text and the debug temperature a live
// action empties.
constexpr const char* kOtherTexts[] = {"Edit17", "SWV", "Edit11"};

}

HeadlessForm::HeadlessForm()
{
    for (const ParameterEntry& param : ParameterTable::all()) {
        if (param.isChoice())
            combos_[std::string(param.control())] = Combo{std::string(param.items), -1};
        else
            texts_[std::string(param.control())];
    }
    for (const char* name : kOtherTexts)
        texts_[name];
}

int HeadlessForm::indexOf(const Combo& combo, const std::string& text) const
{
    int index = 0;
    std::size_t from = 0;
    while (from <= combo.items.size()) {
        const std::size_t bar = combo.items.find('|', from);
        const std::size_t end = bar == std::string::npos ? combo.items.size() : bar;
        if (combo.items.compare(from, end - from, text) == 0)
            return index;
        if (bar == std::string::npos)
            break;
        from = bar + 1;
        ++index;
    }
    return -1;
}

std::string HeadlessForm::itemText(const Combo& combo, int index) const
{
    std::size_t from = 0;
    for (int i = 0; i < index; ++i) {
        from = combo.items.find('|', from);
        if (from == std::string::npos)
            return {};
        ++from;
    }
    const std::size_t bar = combo.items.find('|', from);
    return combo.items.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
}

std::string& HeadlessForm::textSlot(const std::string& control)
{
    const auto it = texts_.find(control);
    if (it == texts_.end())
        throw std::logic_error("No control named " + control);
    return it->second;
}

void HeadlessForm::setControlText(const std::string& control, const std::string& text)
{
    setText(control, text);
}

void HeadlessForm::setComboIndex(const std::string& control, int index)
{
    const auto it = combos_.find(control);
    if (it == combos_.end())
        throw std::logic_error("No combo box named " + control);
    const bool inRange = index >= 0 && !itemText(it->second, index).empty();
    it->second.index = inRange ? index : -1;
}

void HeadlessForm::showMessage(const std::string& text, const std::string& caption)
{
    if (sink_)
        sink_(text, caption);
}

std::string HeadlessForm::text(const std::string& control) const
{
    if (const auto combo = combos_.find(control); combo != combos_.end())
        return combo->second.index < 0 ? std::string() : itemText(combo->second, combo->second.index);
    const auto it = texts_.find(control);
    if (it == texts_.end())
        throw std::logic_error("No control named " + control);
    return it->second;
}

void HeadlessForm::setText(const std::string& control, const std::string& text)
{
    // As in the window, a combo box's selection follows its text.
    if (const auto combo = combos_.find(control); combo != combos_.end()) {
        combo->second.index = indexOf(combo->second, text);
        return;
    }
    textSlot(control) = text;
}

int HeadlessForm::itemIndex(const std::string& control) const
{
    const auto it = combos_.find(control);
    if (it == combos_.end())
        throw std::logic_error("No combo box named " + control);
    return it->second.index;
}
