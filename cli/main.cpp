#include "cli/HxCtl.h"
#include "link/ConsolePort.h"

#include <QCoreApplication>

#include <csignal>
#include <iostream>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

// Without SA_RESTART: a call that blocks (a read, a wait) ends with EINTR,
// so Ctrl+C and SIGTERM always end the program.
void catchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    catchInterrupts();

    std::vector<std::string> args(argv + 1, argv + argc);
    ConsolePort port;
    const HxCtl::Io io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, &interrupted};
    return HxCtl::run(args, io, port, HxCtl::timerPacer());
}
