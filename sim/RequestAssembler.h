#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Cuts the byte stream from the master into request frames. A frame whose
// CRC fails is dropped together with everything received after it, so the
// next frame is looked for once the line has been silent.
class RequestAssembler {
public:
    void add(const std::uint8_t* bytes, std::size_t count);

    // The next complete frame with a good CRC, if one is there.
    std::optional<std::vector<std::uint8_t>> next();
    // The line has been silent: a frame of unknown length ends here, any
    // other partial frame is dropped.
    std::optional<std::vector<std::uint8_t>> silence();

    bool pending() const { return !buffer_.empty(); }
    // Frames dropped for a bad CRC or for ending early.
    int dropped() const { return dropped_; }

    // Longest run of bytes kept without finding a frame in it.
    static constexpr std::size_t kMostBuffered = 512;

private:
    std::vector<std::uint8_t> buffer_;
    int dropped_ = 0;
};
