#pragma once

#include "link/RegisterMap.h"

#include <array>
#include <cstdint>
#include <optional>

// The controller's parameters as values: one register value per row of the
// register map, each empty until it is known. A value is the register as
// the console reads it back (signed 16-bit where the row says so, else
// unsigned), the same number a Set handler stores for its typed text.
class ParameterSet {
public:
    std::optional<std::int32_t> value(const RegisterMap::Entry& entry) const { return values_[index(entry)]; }
    void set(const RegisterMap::Entry& entry, std::int32_t value) { values_[index(entry)] = value; }
    // The register word as the controller sent it, read as the row says.
    void setWord(const RegisterMap::Entry& entry, std::uint16_t word);
    void forget(const RegisterMap::Entry& entry) { values_[index(entry)].reset(); }

    bool operator==(const ParameterSet&) const = default;

private:
    static std::size_t index(const RegisterMap::Entry& entry);

    std::array<std::optional<std::int32_t>, RegisterMap::kEntries.size()> values_{};
};
