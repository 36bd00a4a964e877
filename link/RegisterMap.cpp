#include "link/RegisterMap.h"

#include <algorithm>

namespace RegisterMap {

namespace {

constexpr char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return lower(x) == lower(y);
    });
}

// The width column must match the field it names: what a write keeps of
// 0x1FFFF tells 8, 16 and 32 bits apart.
constexpr bool widthMatchesField(const Entry& e)
{
    LinkState s{};
    e.field.write(s, 0x1FFFF);
    const std::int64_t kept = e.field.read(s);
    switch (e.width) {
    case 8:
        return kept == 255;
    case 16:
        return kept == -1;
    case 32:
        return kept == 0x1FFFF;
    default:
        return false;
    }
}

constexpr bool tableIsConsistent()
{
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const Entry& e = kEntries[i];
        if (!widthMatchesField(e))
            return false;
        // Register order, each register once.
        if (i > 0 && kEntries[i - 1].reg >= e.reg)
            return false;
        // A 16-bit field that Read All read unsigned would come back changed.
        if (e.width == 16 && !e.isSigned)
            return false;
        if (e.isChoice != (e.input == Input::ItemIndex))
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            const Entry& earlier = kEntries[j];
            if (sameIgnoringCase(earlier.name, e.name))
                return false;
            if (earlier.group == e.group && earlier.order == e.order)
                return false;
        }
    }
    return true;
}
static_assert(tableIsConsistent(), "register map rows disagree with their fields or with each other");

// Each write command's registers are one block without gaps, as a single
// write-registers request needs.
constexpr bool groupsAreContiguous()
{
    for (std::size_t i = 1; i < kEntries.size(); ++i) {
        const std::uint8_t g = kEntries[i].group;
        if (g == kNoGroup || kEntries[i - 1].group == g)
            continue;
        for (std::size_t j = 0; j + 1 < i; ++j) {
            if (kEntries[j].group == g)
                return false;
        }
    }
    for (std::size_t i = 1; i < kEntries.size(); ++i) {
        if (kEntries[i].group == kEntries[i - 1].group && kEntries[i].reg != kEntries[i - 1].reg + 1)
            return false;
    }
    return true;
}
static_assert(groupsAreContiguous(), "a write command's registers must follow each other");

} // namespace

const Entry* byName(std::string_view name)
{
    for (const Entry& e : kEntries) {
        if (sameIgnoringCase(e.name, name))
            return &e;
    }
    return nullptr;
}

std::vector<const Entry*> group(std::uint8_t code)
{
    std::vector<const Entry*> rows;
    if (code == kNoGroup)
        return rows;
    for (const Entry& e : kEntries) {
        if (e.group == code)
            rows.push_back(&e);
    }
    return rows;
}

std::vector<const Entry*> conversionOrder(std::uint8_t code)
{
    std::vector<const Entry*> rows = group(code);
    std::sort(rows.begin(), rows.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
    return rows;
}

} // namespace RegisterMap
