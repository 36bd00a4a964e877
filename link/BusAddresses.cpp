#include "link/BusAddresses.h"

#include <algorithm>
#include <charconv>
#include <set>

namespace BusAddresses {

namespace {

std::optional<int> number(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    if (text.empty() || fault != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::vector<std::uint8_t>> parse(std::string_view text, int highest, std::string& error)
{
    std::set<std::uint8_t> found;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view part = text.substr(start, comma - start);
        const std::size_t dash = part.find('-');
        const std::optional<int> from = number(part.substr(0, dash));
        const std::optional<int> to = dash == std::string_view::npos ? from : number(part.substr(dash + 1));
        if (!from || !to || *from < 1 || *to > highest || *from > *to) {
            error = "'" + std::string(part) + "' is not a bus address or a range of them from 1 to "
                + std::to_string(highest) + " (a list reads like 1-4,7)";
            return std::nullopt;
        }
        for (int a = *from; a <= *to; ++a)
            found.insert(static_cast<std::uint8_t>(a));
        start = comma + 1;
    }
    return std::vector<std::uint8_t>(found.begin(), found.end());
}

std::string text(const std::vector<std::uint8_t>& addresses)
{
    std::string out;
    for (std::size_t i = 0; i < addresses.size();) {
        std::size_t j = i;
        while (j + 1 < addresses.size() && addresses[j + 1] == addresses[j] + 1)
            ++j;
        if (!out.empty())
            out += ',';
        out += std::to_string(addresses[i]);
        if (j > i)
            out += (j == i + 1 ? "," : "-") + std::to_string(addresses[j]);
        i = j + 1;
    }
    return out;
}

} // namespace BusAddresses
