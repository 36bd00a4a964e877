#include "sim/MuteFile.h"

#include "files/RegularFile.h"
#include "link/BusAddresses.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
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
    // Read without blocking: a FIFO put there by mistake never hangs the line.
    std::string text;
    std::error_code missing;
    if (std::filesystem::exists(path_, missing)) {
        RegularFile::ReadResult file = RegularFile::read(path_, kLongestFile);
        if (!file.bytes) {
            if (file.error != lastError_)
                problem_ = file.error + "; the muted addresses stay as they were";
            lastError_ = file.error;
            return std::find(muted_.begin(), muted_.end(), address) != muted_.end();
        }
        text = trimmed(*file.bytes);
    }
    lastError_.clear();
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
