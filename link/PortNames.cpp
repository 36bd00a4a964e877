#include "link/PortNames.h"

#include <algorithm>
#include <cctype>

namespace PortNames {

namespace {

constexpr int kHighestComPort = 256;

bool isDevicePath(const std::string& text)
{
    return !text.empty() && text.front() == '/';
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// n of "COMn" without leading zeros, or 0 when the text is no such name.
int comNumber(const std::string& text)
{
    if (text.size() < 4 || text.size() > 6 || text.compare(0, 3, "COM") != 0 || text[3] == '0')
        return 0;
    int n = 0;
    for (std::size_t i = 3; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n <= kHighestComPort ? n : 0;
}

} // namespace

std::string typedPortText(const std::string& typed)
{
    if (isDevicePath(typed))
        return typed;
    std::string upper = typed;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string deviceForPortText(const std::string& text)
{
    if (isDevicePath(text)) {
        if (endsWith(text, kSimulatorLabel))
            return text.substr(0, text.size() - std::char_traits<char>::length(kSimulatorLabel));
        return text;
    }
    const int n = comNumber(typedPortText(text));
    if (n == 0)
        return {};
    return "/dev/ttyS" + std::to_string(n - 1);
}

std::string simulatorItem(const std::string& device)
{
    return device + kSimulatorLabel;
}

std::vector<std::string> portItems(const std::vector<std::string>& systemPorts,
                                   const std::vector<std::string>& adapterPorts,
                                   const std::string& simulatorDevice)
{
    std::vector<std::string> items;
    auto add = [&items](const std::string& item) {
        if (!item.empty() && std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(item);
    };
    if (!simulatorDevice.empty())
        add(simulatorItem(simulatorDevice));
    for (int n = 1; n <= 9; ++n)
        add("COM" + std::to_string(n));
    for (const std::string& port : systemPorts)
        add(port);
    for (const std::string& port : adapterPorts)
        add(port);
    return items;
}

} // namespace PortNames
