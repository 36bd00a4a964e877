#include "SimEngineRig.h"

#include <QTest>

SimController::Options SimEngineRig::simOptions()
{
    SimController::Options options;
    options.supplyDips = false;
    return options;
}

SimEngineRig::SimEngineRig(const FaultSettings& faults, int tickWaitMs)
    : slave(faults, simOptions()), tickWaitMs_(tickWaitMs)
{
    if (!slave.ok() || !port.open(slave.device()))
        return;
    LineSettings settings;
    settings.baudRate = 9600;
    ok_ = port.setSettings(settings);
}

void SimEngineRig::tick()
{
    engine.tick();
    for (int waited = 0; waited < tickWaitMs_ && port.bytesWaiting() <= 0; ++waited)
        QTest::qWait(1);
}

bool SimEngineRig::runCommand(std::uint8_t code, int tab, int maxTicks)
{
    view.tab = tab;
    state.CommandCode = code;
    state.CommandArmed = 1;
    state.LinkBusy = 1;
    for (int i = 0; i < maxTicks && state.LinkBusy == 1; ++i)
        tick();
    return state.LinkBusy == 0;
}

bool SimEngineRig::runLiveAction(std::uint8_t action, int maxTicks)
{
    view.tab = 1;
    state.LiveAction = action;
    state.CommandArmed = 1;
    state.PollStep = 0;
    for (int i = 0; i < maxTicks && state.LiveAction != LiveActionCode::None; ++i)
        tick();
    return state.LiveAction == LiveActionCode::None;
}

bool SimEngineRig::runPollCycles(int cycles, int maxTicks)
{
    view.tab = 1;
    int passed = 0;
    for (int i = 0; i < maxTicks && passed < cycles; ++i) {
        const std::uint8_t before = state.PollStep;
        tick();
        if (before == 3 && state.PollStep == 0)
            ++passed;
    }
    return passed == cycles;
}
