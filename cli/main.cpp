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

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    std::vector<std::string> args(argv + 1, argv + argc);
    ConsolePort port;
    const HxCtl::Io io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1, &interrupted};
    return HxCtl::run(args, io, port, HxCtl::timerPacer());
}
