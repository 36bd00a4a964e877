#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Lists of bus addresses as people type them: "1-4,7" is 1, 2, 3, 4 and 7.
namespace BusAddresses {

// The addresses `text` names, ascending and each once, from 1 to `highest`
// (0 is the broadcast, never a controller's own). Nothing, and why in
// `error`, when a part is not a number or a range of them in bounds.
std::optional<std::vector<std::uint8_t>> parse(std::string_view text, int highest, std::string& error);

// "1-4,7" again, for messages.
std::string text(const std::vector<std::uint8_t>& addresses);

} // namespace BusAddresses
