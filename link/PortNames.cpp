#include "link/PortNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <utility>

namespace PortNames {

namespace {

constexpr int kHighestComPort = 256;
constexpr const char* kWaitTag = "?wait=";
constexpr std::pair<const char*, PortAddress::Kind> kSchemes[] = {
    {"socket://", PortAddress::Kind::RtuOverTcp},
    {"tcp://", PortAddress::Kind::ModbusTcp},
};

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool startsWithNoCase(const std::string& text, const std::string& head)
{
    return text.size() >= head.size() && lower(text.substr(0, head.size())) == head;
}

// Where "?wait=" starts (any case), or npos.
std::size_t waitTagAt(const std::string& text)
{
    return lower(text).rfind(kWaitTag);
}

// A whole decimal number within [low, high]; nothing otherwise.
std::optional<int> number(const std::string& text, int low, int high)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || at != end || value < low || value > high)
        return std::nullopt;
    return value;
}

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

int PortAddress::extraWaitMs() const
{
    return waitMs.value_or(network() ? kNetworkWaitMs : 0);
}

bool isNetworkName(const std::string& text)
{
    return std::any_of(std::begin(kSchemes), std::end(kSchemes),
                       [&text](const auto& scheme) { return startsWithNoCase(text, scheme.first); });
}

ParsedPort parsePortName(const std::string& name)
{
    std::string rest = name;
    PortAddress address;
    if (const std::size_t tag = waitTagAt(rest); tag != std::string::npos) {
        address.waitMs = number(rest.substr(tag + std::char_traits<char>::length(kWaitTag)), 0, kLongestWaitMs);
        if (!address.waitMs)
            return {std::nullopt, "the wait in " + name + " is not a number of milliseconds from 0 to "
                                      + std::to_string(kLongestWaitMs)};
        rest.erase(tag);
    }
    if (!isNetworkName(rest)) {
        address.device = deviceForPortText(rest);
        if (address.device.empty())
            return {std::nullopt, (rest.empty() ? std::string("no port") : rest) + " names no serial device"};
        return {address, {}};
    }
    for (const auto& [scheme, kind] : kSchemes) {
        if (startsWithNoCase(rest, scheme)) {
            address.kind = kind;
            rest.erase(0, std::char_traits<char>::length(scheme));
        }
    }
    // HOST:PORT, an IPv6 host in brackets.
    std::string host;
    std::string port;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return {std::nullopt, name + " needs HOST:PORT"};
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 2);
    } else {
        const std::size_t colon = rest.rfind(':');
        if (colon == std::string::npos)
            return {std::nullopt, name + " needs HOST:PORT"};
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (host.find(':') != std::string::npos)
            return {std::nullopt, name + ": an IPv6 host goes in brackets"};
    }
    const bool plainHost = !host.empty() && std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == ':' || c == '%';
    });
    if (!plainHost)
        return {std::nullopt, name + " has no usable host name"};
    const auto portNumber = number(port, 1, 65535);
    if (!portNumber)
        return {std::nullopt, name + ": the TCP port must be a number from 1 to 65535"};
    address.host = host;
    address.port = static_cast<std::uint16_t>(*portNumber);
    return {address, {}};
}

std::string withWait(const std::string& name, int waitMs)
{
    std::string base = name;
    if (const std::size_t tag = waitTagAt(base); tag != std::string::npos)
        base.erase(tag);
    return base + kWaitTag + std::to_string(waitMs);
}

std::string typedPortText(const std::string& typed)
{
    // A network name on its way in is left alone too.
    const bool schemeTyped = std::any_of(std::begin(kSchemes), std::end(kSchemes), [&typed](const auto& scheme) {
        return std::string_view(scheme.first).starts_with(lower(typed.substr(0, 9)));
    });
    if (isDevicePath(typed) || isNetworkName(typed) || (!typed.empty() && schemeTyped))
        return typed;
    std::string upper = typed;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string deviceForPortText(const std::string& text)
{
    if (const std::size_t tag = waitTagAt(text); tag != std::string::npos) {
        const std::string device = deviceForPortText(text.substr(0, tag));
        return device.empty() ? device : device + lower(text.substr(tag));
    }
    if (isNetworkName(text)) {
        const std::size_t schemeEnd = text.find("://") + 3;
        return lower(text.substr(0, schemeEnd)) + text.substr(schemeEnd);
    }
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
