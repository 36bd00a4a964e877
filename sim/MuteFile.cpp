#include "sim/MuteFile.h"

#include "link/BusAddresses.h"

#include <algorithm>
#include <fstream>
#include <utility>

namespace {

// Far more than any list of addresses.
constexpr std::size_t kLongestFile = 4096;

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

bool MuteFile::muted(std::uint8_t address)
{
    std::ifstream in(path_, std::ios::binary);
    std::string text;
    if (in) {
        text.resize(kLongestFile);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    text = trimmed(text);
    if (text != lastText_) {
        lastText_ = text;
        std::string error;
        if (text.empty()) {
            muted_.clear();
        } else if (const auto addresses = BusAddresses::parse(text, 255, error)) {
            muted_ = *addresses;
        } else {
            problem_ = path_ + ": " + error + "; the muted addresses stay as they were";
        }
    }
    return std::find(muted_.begin(), muted_.end(), address) != muted_.end();
}

std::string MuteFile::takeProblem()
{
    return std::exchange(problem_, {});
}
