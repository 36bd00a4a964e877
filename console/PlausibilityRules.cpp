#include "console/PlausibilityRules.h"

#include "console/ParameterValues.h"

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
