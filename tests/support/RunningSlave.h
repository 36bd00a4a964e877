#pragma once

#include "sim/FaultInjector.h"
#include "sim/RtuSlave.h"
#include "sim/SimController.h"

#include <atomic>
#include <string>
#include <thread>

// The simulator's slave running in this process on its own thread over a
// real pseudo-terminal, with a model clock the test moves by hand.
class RunningSlave {
public:
    explicit RunningSlave(const FaultSettings& faults = {}, const SimController::Options& options = {});
    ~RunningSlave();
    RunningSlave(const RunningSlave&) = delete;
    RunningSlave& operator=(const RunningSlave&) = delete;

    bool ok() const { return ok_; }
    const std::string& device() const { return slave_.device(); }
    void advance(SimMillis millis) { clock_ += millis; }
    SimController& controller() { return controller_; }

    static constexpr SimMillis kStart = 1000000;

private:
    std::atomic<SimMillis> clock_{kStart};
    SimController controller_;
    FaultInjector faults_;
    RtuSlave slave_;
    std::thread thread_;
    bool ok_ = false;
};
