#pragma once

#include "link/LinkResults.h"
#include "link/LinkState.h"
#include "link/LinkTap.h"
#include "link/LinkView.h"
#include "link/SerialPort.h"

// What a transaction's outcome handlers may touch: the shared state, the
// port (only to discard its receive queue), the window's few engine
// concerns and the results it hands on as values, plus the few state
// changes every class of transaction shares.
struct EngineContext {
    EngineContext(LinkState& state, SerialPort& port, LinkView& view, LinkResults& results)
        : state(state), port(port), view(view), results(results) {}

    LinkState& state;
    SerialPort& port;
    LinkView& view;
    LinkResults& results;
    LinkTap tap;

    void discardReceived()
    {
        tap.discarding(port);
        port.discardReceived();
    }
    // Keeps the link watchdog alive and moves the indicator bar on by one.
    void stepLinkIndicator()
    {
        state.LinkAliveCountdown = 10;
        results.linkStepped();
    }
    // A configuration command or curve fetch is over, whatever its outcome.
    void endCommand()
    {
        state.CommandCode = Command::None;
        state.LinkBusy = 0;
    }
    // A configuration command or curve fetch got its answer: the rest of the
    // reply is dropped and the link watchdog gets the longer lease.
    void commandAnswered()
    {
        discardReceived();
        stepLinkIndicator();
        state.LinkAliveCountdown = 30;
        endCommand();
    }
    // A live action is over: the poll cycle starts again from its first step.
    void backToPolling()
    {
        state.LiveAction = LiveActionCode::None;
        state.PollStep = 0;
        state.CommandArmed = 1;
    }
};
