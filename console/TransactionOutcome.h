#pragma once

#include "link/LinkObserver.h"
#include "link/Transaction.h"

#include <cstdint>
#include <string>

// How one exchange with the controller ended, as the console core tells its
// listeners: which exchange, at which bus address, and the engine's verdict
// (with the controller's code when it refused).
struct TransactionOutcome {
    TransactionId id;
    std::uint8_t address = 0;
    LinkOutcome result = LinkOutcome::Timeout;
    std::uint8_t exceptionCode = 0;

    // What the operator started, as a status line names it: "Set Intfan",
    // "Read All", "Default", "DrawIntfan", "Debug temperature", "Poll step 2".
    std::string name() const;
    // True for every exchange that changes something in the controller:
    // the Set groups, Default, the live actions.
    bool isWrite() const;
    // A configuration command, a curve fetch or a live action: one the
    // operator started, as opposed to the endless poll.
    bool startedByOperator() const;
    // "Read All: no answer from address 1 (time-out)", "Set Intfan refused by
    // the controller: illegal data value (03)"; empty for a valid reply.
    std::string failureLine() const;
};
