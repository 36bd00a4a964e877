#include "app/HxApplication.h"
#include "app/TForm1.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* kHelp =
    "Usage: hxconsole [Qt options]\n"
    "The test and configuration console for the controller of a DC-powered cabinet\n"
    "heat exchanger, a MODBUS RTU master on a serial port. One window with three tabs:\n"
    "Configuration writes and reads back the controller's parameter groups,\n"
    "RealTimeData shows fan speeds, temperatures, supply voltage, currents and alarms\n"
    "live, Graph draws the fans' speed curves.\n"
    "\n"
    "Options:\n"
    "  --help      this text\n"
    "  --version   the program's version\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "\n"
    "Ports: COM1..COM9 open /dev/ttyS0..8; any device path is used as typed.\n"
    "hx-sim runs a simulated controller whose port the console lists.\n";

bool isOnly(int argc, char** argv, const char* option)
{
    return argc == 2 && std::strcmp(argv[1], option) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application object exists, so they need no display.
    if (isOnly(argc, argv, "--version")) {
        std::cout << "hxconsole " HX_VERSION "\n";
        return 0;
    }
    if (isOnly(argc, argv, "--help") || isOnly(argc, argv, "-h")) {
        std::cout << kHelp;
        return 0;
    }
    HxApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    HxApplication::setDesktopFileName(QStringLiteral(HX_APP_ID));
    return app.run([] { return std::make_unique<TForm1>(); });
}
