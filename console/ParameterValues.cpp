#include "console/ParameterValues.h"

#include "console/ConversionError.h"
#include "console/TextConversions.h"
#include "link/FloatText.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace ParameterValues {

namespace {

std::vector<std::string> itemsOf(const ParameterEntry& param)
{
    std::vector<std::string> items;
    std::string_view rest = param.items;
    while (!rest.empty()) {
        const std::size_t bar = rest.find('|');
        items.emplace_back(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    return items;
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::string doesNotFit(const ParameterEntry& param)
{
    const RegisterMap::Range fits = RegisterMap::readBackRange(*param.entry);
    return "does not fit the register (" + withUnit(param, static_cast<std::int32_t>(fits.min)) + " to "
        + withUnit(param, static_cast<std::int32_t>(fits.max)) + ").";
}

Converted withinLimits(const ParameterEntry& param, std::int32_t value, const std::string& shown)
{
    if (param.accepted && !param.accepted(value))
        return {std::nullopt, "'" + shown + "' is outside the limits of the Set button (Data out of range!!)."};
    return {value, {}};
}

}

Converted toRegister(const ParameterEntry& param, std::string_view text)
{
    if (param.isChoice()) {
        const std::vector<std::string> items = itemsOf(param);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == text)
                return {static_cast<std::int32_t>(i), {}};
        }
        return {std::nullopt, std::string("'").append(text).append("' is not one of ").append(joined(items)).append(".")};
    }
    std::optional<std::int64_t> value;
    try {
        value = TextConversions::typedRegisterValue(text, *param.entry);
    } catch (const ConversionError& error) {
        return {std::nullopt, error.what()};
    }
    const std::string shown = TextConversions::trimmed(text);
    if (!value)
        return {std::nullopt, "'" + shown + "' " + doesNotFit(param)};
    return withinLimits(param, static_cast<std::int32_t>(*value), shown);
}

Converted checked(const ParameterEntry& param, std::int32_t value)
{
    const std::string shown = std::to_string(value);
    if (param.isChoice()) {
        const std::vector<std::string> items = itemsOf(param);
        if (value < 0 || static_cast<std::size_t>(value) >= items.size())
            return {std::nullopt, "item " + shown + " is not one of " + joined(items) + "."};
        return {value, {}};
    }
    const RegisterMap::Range fits = RegisterMap::readBackRange(*param.entry);
    if (value < fits.min || value > fits.max)
        return {std::nullopt, "'" + shown + "' " + doesNotFit(param)};
    // Only what the Set handler could have made of a typed text: a heater
    // hysteresis of 4.5 degrees is read but cannot be typed.
    Converted typed = toRegister(param, controlText(param, value));
    if (typed.value && *typed.value != value)
        return {std::nullopt, "'" + shown + "' has no text its Set button takes."};
    return typed;
}

Converted checked(const ParameterEntry& param, std::optional<std::int32_t> value)
{
    return value ? checked(param, *value) : Converted{std::nullopt, "not read"};
}

std::string unitText(const ParameterEntry& param, std::int32_t value)
{
    if (param.isChoice()) {
        const std::vector<std::string> items = itemsOf(param);
        if (value < 0 || static_cast<std::size_t>(value) >= items.size())
            throw std::out_of_range("No item " + std::to_string(value) + " for " + std::string(param.name()));
        return items[static_cast<std::size_t>(value)];
    }
    if (param.entry->scale != RegisterMap::Scale::Tenths)
        return std::to_string(value);
    // Integer arithmetic: no locale and no binary fraction gets in the way.
    const long long magnitude = std::llabs(static_cast<long long>(value));
    return std::string(value < 0 ? "-" : "")
        .append(std::to_string(magnitude / 10))
        .append(".")
        .append(std::to_string(magnitude % 10));
}

std::string controlText(const ParameterEntry& param, std::int32_t value)
{
    // Tenths read as Read All writes them ("35", "-3.2"), which also gives
    // whole degrees where the handler reads an integer.
    if (!param.isChoice() && param.entry->scale == RegisterMap::Scale::Tenths)
        return tenthsText(static_cast<std::int16_t>(value));
    return unitText(param, value);
}

std::string withUnit(const ParameterEntry& param, std::int32_t value)
{
    const std::string text = unitText(param, value);
    return param.unit().empty() ? text : text + " " + std::string(param.unit());
}

}
