#include "console/PlausibilityRules.h"

#include "console/ConversionError.h"
#include "console/ParameterValues.h"
#include "console/TextConversions.h"

#include <algorithm>
#include <stdexcept>

namespace PlausibilityRules {

namespace {

const ParameterEntry& parameter(std::string_view name)
{
    const ParameterEntry* p = ParameterTable::find(name);
    if (!p)
        throw std::logic_error("plausibility rule names an unknown parameter: " + std::string(name));
    return *p;
}

bool holds(const Rule& rule, std::int32_t lower, std::int32_t upper)
{
    return rule.order == Order::Below ? lower < upper : lower <= upper;
}

std::optional<Broken> broken(const Rule& rule, const Lookup& value)
{
    const ParameterEntry& lowerParam = parameter(rule.lower);
    const ParameterEntry& upperParam = parameter(rule.upper);
    const std::optional<std::int32_t> lower = value(lowerParam);
    const std::optional<std::int32_t> upper = value(upperParam);
    if (!lower || !upper || holds(rule, *lower, *upper))
        return std::nullopt;
    std::string text(rule.lower);
    text += " (";
    text += ParameterValues::withUnit(lowerParam, *lower);
    text += rule.order == Order::Below ? ") is not below " : ") is above ";
    text += rule.upper;
    text += " (";
    text += ParameterValues::withUnit(upperParam, *upper);
    text += ")";
    return Broken{&rule, std::move(text)};
}

} // namespace

Lookup fromValues(std::span<const std::int32_t> values)
{
    return [values](const ParameterEntry& param) -> std::optional<std::int32_t> {
        const auto all = ParameterTable::all();
        const auto at = std::find_if(all.begin(), all.end(), [&](const ParameterEntry& p) { return &p == &param; });
        const auto index = static_cast<std::size_t>(at - all.begin());
        if (at == all.end() || index >= values.size())
            return std::optional<std::int32_t>();
        return std::optional<std::int32_t>(values[index]);
    };
}

Lookup fromTexts(std::function<std::string(const ParameterEntry&)> text)
{
    // The Set buttons' range tests do not apply: a controller may hold
    // values they would refuse, and those are the ones to name.
    return [text = std::move(text)](const ParameterEntry& param) -> std::optional<std::int32_t> {
        if (param.isChoice())
            return ParameterValues::toRegister(param, text(param)).value;
        try {
            if (const auto value = TextConversions::typedRegisterValue(text(param), *param.entry))
                return static_cast<std::int32_t>(*value);
        } catch (const ConversionError&) {
            // Not a number: this side is unknown.
        }
        return std::nullopt;
    };
}

std::vector<std::string_view> groupParameters(std::uint8_t command)
{
    std::vector<std::string_view> names;
    for (const ParameterEntry& param : ParameterTable::all())
        if (param.command() == command)
            names.push_back(param.name());
    return names;
}

std::vector<Broken> check(const Lookup& value)
{
    std::vector<Broken> out;
    for (const Rule& rule : kRules)
        if (auto b = broken(rule, value))
            out.push_back(std::move(*b));
    return out;
}

std::vector<Broken> checkTouching(const Lookup& value, const std::vector<std::string_view>& names)
{
    std::vector<Broken> out;
    for (const Rule& rule : kRules) {
        const bool touched = std::find(names.begin(), names.end(), rule.lower) != names.end()
                             || std::find(names.begin(), names.end(), rule.upper) != names.end();
        if (!touched)
            continue;
        if (auto b = broken(rule, value))
            out.push_back(std::move(*b));
    }
    return out;
}

std::string describe(const std::vector<Broken>& broken)
{
    std::string out;
    for (const Broken& b : broken) {
        if (!out.empty())
            out += '\n';
        out += b.text;
    }
    return out;
}

}
