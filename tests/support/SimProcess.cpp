#include "support/SimProcess.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const std::string kProgram = std::string(HX_BINARY_DIR) + "/sim/hx-sim";

} // namespace

SimProcess::SimProcess(std::vector<std::string> arguments)
{
    char folder[] = "/tmp/hx-sim-test-XXXXXX";
    if (::mkdtemp(folder) == nullptr || ::pipe(out_) != 0)
        return;
    runtime_ = folder;
    std::vector<std::string> env{"XDG_RUNTIME_DIR=" + runtime_};
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string(*e).rfind("XDG_RUNTIME_DIR=", 0) != 0)
            env.emplace_back(*e);
    }
    arguments.insert(arguments.begin(), kProgram);
    std::vector<char*> argv, envp;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out_[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out_[0]);
    if (::posix_spawn(&pid_, kProgram.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out_[1]);
    out_[1] = -1;
}

SimProcess::~SimProcess()
{
    kill();
    if (out_[0] >= 0)
        ::close(out_[0]);
    if (runtime_.empty())
        return;
    std::remove(portFile().c_str());
    ::rmdir((runtime_ + "/hxconsole").c_str());
    ::rmdir(runtime_.c_str());
}

std::string SimProcess::portFile() const
{
    return runtime_ + "/hxconsole/sim.port";
}

const std::string& SimProcess::device()
{
    if (!deviceRead_) {
        deviceRead_ = true;
        device_ = output(1);
        if (!device_.empty() && device_.back() == '\n')
            device_.pop_back();
    }
    return device_;
}

std::string SimProcess::output(int lines)
{
    std::string text;
    char buffer[512];
    for (int polls = 0; polls < 200; ++polls) {
        pollfd p{out_[0], POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t n = ::read(out_[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (std::count(text.begin(), text.end(), '\n') >= lines)
            break;
    }
    return text;
}

int SimProcess::exitStatus()
{
    if (pid_ <= 0)
        return -1;
    int status = 0;
    for (int polls = 0; polls < 200; ++polls) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        pollfd none{-1, 0, 0};
        ::poll(&none, 1, 25);
    }
    return -1;
}

void SimProcess::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

void SimProcess::pause()
{
    if (pid_ > 0)
        ::kill(pid_, SIGSTOP);
}
