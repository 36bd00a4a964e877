#include "console/StatusStrip.h"

#include "console/ConversionError.h"
#include "console/TextConversions.h"

namespace StatusStrip {

std::string brokenBySet(const TransactionOutcome& outcome, const PlausibilityRules::Lookup& values)
{
    if (outcome.id.kind != TransactionId::Kind::Command || outcome.result != LinkOutcome::Valid)
        return {};
    const auto names = PlausibilityRules::groupParameters(outcome.id.code);
    if (names.empty())
        return {};
    std::string line;
    for (const PlausibilityRules::Broken& broken : PlausibilityRules::checkTouching(values, names))
        line += (line.empty() ? outcome.name() + " wrote values that break: " : std::string("; ")) + broken.text;
    return line;
}

std::string addressInUse(std::uint32_t slaveAddress, std::string_view commAddressText)
{
    try {
        // Read as the comm address' Set reads it.
        const auto typed = static_cast<std::uint32_t>(TextConversions::toInteger(commAddressText));
        if ((typed > 255 ? 1U : typed) == slaveAddress)
            return {};
    } catch (const ConversionError&) {
        // Not a number: the address in use is the one to name.
    }
    return "Talking to address " + std::to_string(slaveAddress) + " (\"Comm Address\" reads "
           + TextConversions::trimmed(commAddressText) + ")";
}

}
