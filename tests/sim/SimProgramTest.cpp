#include "SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const std::string kProgram = std::string(HX_BINARY_DIR) + "/sim/hx-sim";

// hx-sim started as the console's user would start it, with its own
// runtime folder so it never meets a simulator the developer is running.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args)
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
        args.insert(args.begin(), kProgram);
        std::vector<char*> argv, envp;
        for (std::string& a : args)
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

    ~SimProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_[0]);
        std::remove(portFile().c_str());
        ::rmdir((runtime_ + "/hxconsole").c_str());
        ::rmdir(runtime_.c_str());
    }

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    std::string portFile() const { return runtime_ + "/hxconsole/sim.port"; }

    // Everything the program prints until it ends or `lines` lines are in.
    std::string output(int lines = 1 << 30)
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

    // Exit status once the program has ended; -1 when it does not end.
    int exitStatus()
    {
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

private:
    std::string runtime_;
    int out_[2] = {-1, -1};
    pid_t pid_ = -1;
};

TEST(SimProgram, PublishesItsPortServesAndWithdrawsOnTerminate)
{
    SimProcess sim({"--address", "3", "--steady"});
    ASSERT_TRUE(sim.started());
    std::string device = sim.output(1);
    ASSERT_FALSE(device.empty());
    device.pop_back();
    EXPECT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;

    std::ifstream file(sim.portFile());
    std::string line1, line2;
    std::getline(file, line1);
    std::getline(file, line2);
    EXPECT_EQ(line1, device);
    EXPECT_EQ(line2, std::to_string(sim.pid()));

    for (int round = 0; round < 2; ++round) {
        ModbusMaster master(device, 3);
        ASSERT_TRUE(master.ok());
        std::uint16_t address = 0;
        ASSERT_EQ(modbus_read_registers(master.ctx(), 27, 1, &address), 1);
        EXPECT_EQ(address, 3);
    }

    ::kill(sim.pid(), SIGTERM);
    EXPECT_EQ(sim.exitStatus(), 0);
    struct stat info {};
    EXPECT_NE(::stat(sim.portFile().c_str(), &info), 0);
}

TEST(SimProgram, HelpAndBadOptions)
{
    SimProcess help({"--help"});
    ASSERT_TRUE(help.started());
    const std::string text = help.output();
    EXPECT_NE(text.find("--corrupt-crc"), std::string::npos);
    EXPECT_NE(text.find("high-temp"), std::string::npos);
    EXPECT_EQ(help.exitStatus(), 0);

    SimProcess bad({"--corrupt-crc", "1.5"});
    ASSERT_TRUE(bad.started());
    EXPECT_EQ(bad.exitStatus(), 2);
}

} // namespace
