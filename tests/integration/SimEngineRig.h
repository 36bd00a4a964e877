#pragma once

#include "link/LinkState.h"
#include "link/QtSerialPort.h"
#include "link/TransactionEngine.h"
#include "support/RecordingView.h"
#include "support/RunningSlave.h"

// The console's transaction engine on a real QtSerialPort, talking over a
// pseudo-terminal to the simulated controller running on its own thread.
// Ticks are called by hand; between ticks the rig waits a little for
// bytes, never longer than `tickWaitMs`, and goes on as soon as any arrive.
class SimEngineRig {
public:
    explicit SimEngineRig(const FaultSettings& faults = {}, int tickWaitMs = 10);

    bool ok() const { return ok_; }

    // One Timer2 tick, then a short wait for bytes.
    void tick();
    // Queues a configuration command (tab 0) or curve fetch (tab 2) as the
    // console's handlers do and ticks until the engine is idle again.
    // False when it is still busy after `maxTicks`.
    bool runCommand(std::uint8_t code, int tab = 0, int maxTicks = 400);
    // Queues a live action and ticks until the engine has finished it.
    bool runLiveAction(std::uint8_t action, int maxTicks = 400);
    // Shows the RealTimeData tab and ticks until `cycles` poll cycles have
    // passed step 3 (successfully or not).
    bool runPollCycles(int cycles, int maxTicks = 2000);

    // First in, last out: the slave outlives the port that talks to it.
    RunningSlave slave;
    LinkState state;
    RecordingView view{&state};
    QtSerialPort port;
    TransactionEngine engine{state, port, view, view};

private:
    // Steady supply, so no alarm comes and goes while a test runs.
    static SimController::Options simOptions();

    int tickWaitMs_;
    bool ok_ = false;
};
