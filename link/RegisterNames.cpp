#include "link/RegisterNames.h"

std::optional<RegisterDescription> describeHoldingRegister(std::uint16_t /*reg*/)
{
    return std::nullopt;
}
