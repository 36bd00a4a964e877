#include "link/ParameterSet.h"

#include <stdexcept>

std::size_t ParameterSet::index(const RegisterMap::Entry& entry)
{
    // Rows are addressed by identity: a copy of a row is not one.
    for (std::size_t i = 0; i < RegisterMap::kEntries.size(); ++i) {
        if (&RegisterMap::kEntries[i] == &entry)
            return i;
    }
    throw std::logic_error("Not a row of the register map: " + std::string(entry.name));
}

void ParameterSet::setWord(const RegisterMap::Entry& entry, std::uint16_t word)
{
    set(entry, entry.isSigned ? static_cast<std::int16_t>(word) : static_cast<std::int32_t>(word));
}
