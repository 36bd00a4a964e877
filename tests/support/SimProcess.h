#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// The hx-sim program started as the console's user would start it, with a
// runtime folder of its own so that its port file never meets that of a
// simulator the developer is running. Killed when the object goes.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> arguments);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // The simulator's port file inside its runtime folder.
    std::string portFile() const;
    // The device the simulator serves, from the first line it prints (bounded
    // wait); empty when it printed none.
    const std::string& device();

    // Everything the program prints until it ends or `lines` lines are in
    // (bounded wait).
    std::string output(int lines = 1 << 30);
    // Exit status once the program has ended (128 + signal when killed);
    // -1 when it does not end within a bounded wait.
    int exitStatus();
    void kill();
    // Stops the process without ending it: its line stays open but nothing
    // answers, as with a controller that hangs.
    void pause();

private:
    std::string runtime_;
    int out_[2] = {-1, -1};
    pid_t pid_ = -1;
    std::string device_;
    bool deviceRead_ = false;
};
