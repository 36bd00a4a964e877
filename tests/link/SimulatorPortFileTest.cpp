#include "link/PortDiscovery.h"
#include "link/PortNames.h"
#include "link/SimulatorPortFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SimulatorPortFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runtime_.isValid());
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        hadOld_ = old != nullptr;
        if (hadOld_)
            old_ = old;
        ::setenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override
    {
        if (hadOld_)
            ::setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    void writeFile(const std::string& content)
    {
        ::mkdir((runtime_.path().toStdString() + "/hxconsole").c_str(), 0700);
        std::ofstream(SimulatorPortFile::path()) << content;
    }
    // A pid that certainly names no process any more.
    static pid_t deadPid()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        ::waitpid(child, nullptr, 0);
        return child;
    }

    QTemporaryDir runtime_;
    bool hadOld_ = false;
    std::string old_;
};

TEST_F(SimulatorPortFileTest, LivesInTheRuntimeFolder)
{
    EXPECT_EQ(SimulatorPortFile::path(), runtime_.path().toStdString() + "/hxconsole/sim.port");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SimulatorPortFile::path(), "/tmp/hxconsole-" + std::to_string(::getuid()) + "/sim.port");
}

TEST_F(SimulatorPortFileTest, PublishedPortIsFoundWhileItsProcessRuns)
{
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "");
    ASSERT_TRUE(SimulatorPortFile::publish("/dev/null"));
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "/dev/null");
    SimulatorPortFile::withdraw();
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "");
}

TEST_F(SimulatorPortFileTest, TheNewestIsOfferedAndTheOlderGetsTheListBack)
{
    // An older simulator (another live process) holds the list.
    writeFile("/dev/zero\n" + std::to_string(::getppid()) + "\n");
    const auto previous = SimulatorPortFile::running();
    ASSERT_TRUE(previous.has_value());
    EXPECT_EQ(previous->device, "/dev/zero");
    EXPECT_EQ(previous->pid, ::getppid());

    ASSERT_TRUE(SimulatorPortFile::publish("/dev/null"));
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "/dev/null");
    EXPECT_TRUE(SimulatorPortFile::withdraw(previous));
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "/dev/zero");

    // Not ours any more: a second withdraw leaves the older one's entry alone.
    EXPECT_FALSE(SimulatorPortFile::withdraw());
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "/dev/zero");

    // An older one that has gone meanwhile is not brought back.
    ASSERT_TRUE(SimulatorPortFile::publish("/dev/null"));
    EXPECT_FALSE(SimulatorPortFile::withdraw(SimulatorPortFile::Running{"/dev/zero", deadPid()}));
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "");
}

TEST_F(SimulatorPortFileTest, DiscoveryOffersARunningSimulatorFirst)
{
    auto items = discoverPortItems();
    ASSERT_GE(items.size(), 9U);
    EXPECT_EQ(items.front(), "COM1");
    EXPECT_EQ(items[8], "COM9");

    ASSERT_TRUE(SimulatorPortFile::publish("/dev/null"));
    items = discoverPortItems();
    ASSERT_GE(items.size(), 10U);
    EXPECT_EQ(items.front(), PortNames::simulatorItem("/dev/null"));
    EXPECT_EQ(items[1], "COM1");
    SimulatorPortFile::withdraw();
}

TEST_F(SimulatorPortFileTest, StaleOrBrokenFilesAreIgnored)
{
    writeFile("/dev/null\n" + std::to_string(deadPid()) + "\n");
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "") << "simulator gone";

    writeFile("/dev/no-such-pts\n" + std::to_string(::getpid()) + "\n");
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "") << "device gone";

    for (const std::string broken : {"", "/dev/null\n", "/dev/null\nabc\n", "/dev/null\n-1\n", "dev/null\n1\n",
                                     "/dev/null\n99999999999999999999\n"}) {
        writeFile(broken);
        EXPECT_EQ(SimulatorPortFile::runningDevice(), "") << broken;
    }

    writeFile("/dev/null\n" + std::to_string(::getpid()) + "\n");
    ::chmod((runtime_.path().toStdString() + "/hxconsole").c_str(), 0777);
    EXPECT_EQ(SimulatorPortFile::runningDevice(), "") << "a folder anyone could write to";
}

} // namespace
