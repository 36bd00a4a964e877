#include "console/ParameterValues.h"

#include "console/ConversionError.h"
#include "console/TextConversions.h"

#include <cstdlib>
#include <vector>

namespace ParameterValues {

namespace {

std::vector<std::string> itemsOf(const ParameterSpec& spec)
{
    std::vector<std::string> items;
    std::string_view rest = spec.items ? spec.items : "";
    while (!rest.empty()) {
        const std::size_t bar = rest.find('|');
        items.emplace_back(rest.substr(0, bar));
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    return items;
}

bool isTenths(const ParameterSpec& spec)
{
    return spec.conversion == FieldConversion::SingleTenths || spec.conversion == FieldConversion::DoubleTenths
        || spec.conversion == FieldConversion::WholeTenths;
}

// The handler's conversion, without the cut to the field's width: what
// does not fit is refused here instead of being cut.
std::int64_t converted(const ParameterSpec& spec, std::string_view text)
{
    switch (spec.conversion) {
    case FieldConversion::Integer:
        return TextConversions::toInteger(text);
    case FieldConversion::SingleTenths:
        return TextConversions::singleTenths(text);
    case FieldConversion::DoubleTenths:
        return TextConversions::doubleTenths(text);
    case FieldConversion::WholeTenths:
        return static_cast<std::int64_t>(TextConversions::toInteger(text)) * 10;
    case FieldConversion::ItemIndex:
        break;
    }
    throw std::logic_error(std::string("No number conversion for ") + spec.name);
}

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

}

bool isChoice(const ParameterSpec& spec)
{
    return spec.conversion == FieldConversion::ItemIndex;
}

Converted toRegister(const ParameterSpec& spec, std::string_view text)
{
    if (isChoice(spec)) {
        const std::vector<std::string> items = itemsOf(spec);
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i] == text)
                return {static_cast<std::int32_t>(i), {}};
        }
        return {std::nullopt, "'" + std::string(text) + "' is not one of " + joined(items) + "."};
    }
    std::int64_t value = 0;
    try {
        value = converted(spec, text);
    } catch (const ConversionError& error) {
        return {std::nullopt, error.what()};
    }
    const std::string shown = TextConversions::trimmed(text);
    if (value < spec.lowest || value > spec.highest) {
        return {std::nullopt, "'" + shown + "' does not fit the register (" + withUnit(spec, spec.lowest) + " to "
                + withUnit(spec, spec.highest) + ")."};
    }
    const auto fits = static_cast<std::int32_t>(value);
    if (spec.accepted && !spec.accepted(fits))
        return {std::nullopt, "'" + shown + "' is outside the limits of the Set button (Data out of range!!)."};
    return {fits, {}};
}

std::string unitText(const ParameterSpec& spec, std::int32_t value)
{
    if (isChoice(spec)) {
        const std::vector<std::string> items = itemsOf(spec);
        if (value < 0 || static_cast<std::size_t>(value) >= items.size())
            throw std::out_of_range(std::string("No item ") + std::to_string(value) + " for " + spec.name);
        return items[static_cast<std::size_t>(value)];
    }
    if (!isTenths(spec))
        return std::to_string(value);
    // Integer arithmetic: no locale and no binary fraction gets in the way.
    const std::int64_t magnitude = std::llabs(static_cast<long long>(value));
    return (value < 0 ? "-" : "") + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

std::string controlText(const ParameterSpec& spec, std::int32_t value)
{
    if (spec.conversion == FieldConversion::WholeTenths && value % 10 == 0)
        return std::to_string(value / 10);
    return unitText(spec, value);
}

std::string withUnit(const ParameterSpec& spec, std::int32_t value)
{
    const std::string text = unitText(spec, value);
    return *spec.unit ? text + " " + spec.unit : text;
}

}
