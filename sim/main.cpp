// hx-sim: the simulated controller on a pseudo-terminal.
#include "link/BusAddresses.h"
#include "link/SimulatorPortFile.h"
#include "sim/FaultInjector.h"
#include "sim/MuteFile.h"
#include "sim/NetworkListener.h"
#include "sim/RtuSlave.h"
#include "sim/SimController.h"
#include "sim/SimOptions.h"
#include "sim/SimTrafficLog.h"

#include <chrono>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

SimMillis steadyMillis()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main(int argc, char** argv)
{
    SimOptions options;
    std::string error;
    if (!parseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "hx-sim: " << error << "\n" << simUsage();
        return 2;
    }
    if (options.help) {
        std::cout << simUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "hx-sim " HX_VERSION "\n";
        return 0;
    }

    // Signals arrive as readable bytes, so the slave stops between
    // exchanges and the port file is withdrawn on the way out.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    const int signals = signalfd(-1, &stopSignals, SFD_CLOEXEC);
    if (signals < 0)
        sigprocmask(SIG_UNBLOCK, &stopSignals, nullptr);   // stop the plain way rather than never
    std::signal(SIGPIPE, SIG_IGN);

    // One controller per address, each with its own parameters and a plant
    // of its own seed, so that their readings differ.
    std::vector<std::unique_ptr<SimController>> controllers;
    for (std::size_t i = 0; i < options.addresses.size(); ++i)
        controllers.push_back(std::make_unique<SimController>(
            SimController::Options{options.addresses[i], options.seed + i, options.alarms, options.supplyDips,
                                   options.refuseFirst, options.refuseLast},
            steadyMillis()));
    FaultInjector faults(options.faults);
    RtuSlave slave(*controllers.front(), faults, steadyMillis);
    for (std::size_t i = 1; i < controllers.size(); ++i)
        slave.addController(*controllers[i]);
    MuteFile mute(options.muteFile);
    if (!options.muteFile.empty()) {
        slave.setMuted([&mute](std::uint8_t address) {
            const bool muted = mute.muted(address);
            if (const std::string problem = mute.takeProblem(); !problem.empty())
                std::cerr << "hx-sim: " << problem << "\n";
            return muted;
        });
    }
    if (!slave.open()) {
        std::cerr << "hx-sim: " << slave.errorText() << "\n";
        return 1;
    }
    if (options.verbose)
        slave.setLog([](const std::string& line) { std::cerr << "hx-sim: " << line << "\n"; });
    SimTrafficLog traffic;
    if (!options.logFile.empty() && !traffic.open(options.logFile, error)) {
        std::cerr << "hx-sim: " << error << "\n";
        return 1;
    }
    slave.setExchangeHook([&traffic](const LinkTime& requestAt, const std::vector<std::uint8_t>& request,
                                     const std::vector<std::uint8_t>& reply, const FaultInjector::Decision& decision) {
        const bool logging = traffic.error().empty();
        traffic.exchange(requestAt, request, linkTimeNow(), reply, decision);
        if (logging && !traffic.error().empty())
            std::cerr << "hx-sim: log stopped: " << traffic.error() << "\n";
    });

    // On the network the pseudo-terminal is the listener's: it is not offered
    // to local programs, and the name printed is the one to open instead.
    std::unique_ptr<NetworkListener> listener;
    if (options.listen != SimOptions::Listen::None) {
        listener = std::make_unique<NetworkListener>(options.listen == SimOptions::Listen::Rtu
                                                         ? NetworkListener::Mode::Rtu
                                                         : NetworkListener::Mode::ModbusTcp,
                                                     slave.device());
        if (!listener->start(static_cast<std::uint16_t>(options.listenPort))) {
            std::cerr << "hx-sim: " << listener->errorText() << "\n";
            return 1;
        }
    }
    const std::string shown = listener ? listener->portName() : slave.device();
    // The console offers the newest simulator; an older one still running
    // gets the list back when this one stops.
    const std::optional<SimulatorPortFile::Running> previous = SimulatorPortFile::running();
    const bool published = !listener && SimulatorPortFile::publish(slave.device());
    std::cout << shown << std::endl;
    std::cerr << "hx-sim: " << (controllers.size() > 1 ? "controllers at bus addresses " : "controller at bus address ")
              << BusAddresses::text(options.addresses) << " on " << shown;
    if (published && previous)
        std::cerr << " (offered in the console's port list in place of the simulator on " << previous->device
                  << ", process " << previous->pid << ", until this one stops)";
    else if (published)
        std::cerr << " (offered in the console's port list)";
    std::cerr << "; Ctrl+C stops it\n";
    if (!published && !listener)
        std::cerr << "hx-sim: could not write " << SimulatorPortFile::path()
                  << "; type the device into the console's port box\n";

    slave.run(signals);
    if (listener)
        listener->stop();
    std::cerr << "hx-sim: " << traffic.faults().summary() << "\n";
    if (!traffic.close())
        std::cerr << "hx-sim: " << traffic.error() << "\n";

    if (published && SimulatorPortFile::withdraw(previous))
        std::cerr << "hx-sim: the console's port list offers the simulator on " << previous->device << " again\n";
    if (signals >= 0)
        ::close(signals);
    return 0;
}
