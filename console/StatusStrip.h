#pragma once

#include "console/PlausibilityRules.h"
#include "console/TransactionOutcome.h"

#include <cstdint>
#include <string>
#include <string_view>

// The lines of the window's status strip below the sheets that are not a
// failed exchange: what a Set left implausible, and the bus address in use.
namespace StatusStrip {

// After a Set group's write went through: "Set Intfan wrote values that
// break: Intfan1 MinSpeed (9500 rpm) is not below Intfan1 MaxSpeed (9000 rpm)"
// (several rules joined by "; "), or empty. `values` gives what was sent.
std::string brokenBySet(const TransactionOutcome& outcome, const PlausibilityRules::Lookup& values);

// The address the console talks to when "Comm Address" (`commAddressText`)
// says another, as after a change of the controller's bus address:
// "Talking to address 7 (\"Comm Address\" reads 1)"; else empty.
std::string addressInUse(std::uint32_t slaveAddress, std::string_view commAddressText);

}
