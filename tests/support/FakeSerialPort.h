#pragma once

#include "link/SerialPort.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A scripted peer behind the SerialPort interface. Time is counted in steps
// that the test advances itself (usually one per engine tick), so bytes can
// be made to arrive late, in pieces, or never, without any clock.
//
// Bytes scheduled for step n become waiting when advance() reaches n; bytes
// scheduled for the current step are waiting at once. A discard drops only
// what is already waiting: bytes still "on the wire" arrive later, as they
// would on a real line.
class FakeSerialPort : public SerialPort {
public:
    using Bytes = std::vector<std::uint8_t>;
    // Called with every frame written; returns the reply bytes (empty: silent).
    using Responder = std::function<Bytes(const Bytes& request)>;

    // The fake starts closed; open() succeeds for any name while plugged in.
    FakeSerialPort() = default;

    bool open(const std::string& deviceName) override;
    bool isOpen() const override;
    void close() override;
    bool getSettings(LineSettings& settings) override;
    bool setSettings(const LineSettings& settings) override;
    long bytesWaiting() override;
    bool discardReceived() override;
    long read(std::uint8_t* buffer, std::size_t maxBytes) override;
    long write(const std::uint8_t* data, std::size_t length) override;

    // --- scripting -------------------------------------------------------
    // Moves the clock on by `steps`, making due bytes available.
    void advance(int steps = 1);
    // Bytes that become available `afterSteps` steps from now (0: at once).
    void deliver(const Bytes& bytes, int afterSteps = 0);
    // Splits `bytes` into consecutive pieces of the given sizes (the rest
    // forms a last piece); piece i arrives firstAfter + i * every steps from now.
    void deliverInPieces(const Bytes& bytes, const std::vector<std::size_t>& sizes, int firstAfter = 1, int every = 1);
    // Replies produced by the responder arrive this many steps after the write.
    void setResponder(Responder responder, int replyAfterSteps = 1);
    void clearResponder();

    // setSettings() fails from now on (the port rejects the line settings).
    void setRejectSettings(bool reject) { rejectSettings_ = reject; }
    // Unplugged: the port closes itself, as a real one does when its device
    // vanishes, and nothing opens until it is plugged in again.
    void unplug()
    {
        unplugged_ = true;
        open_ = false;
    }
    void replug() { unplugged_ = false; }
    // Opens without going through the name checks (most engine tests).
    void openForTest() { open_ = true; }

    // --- inspection -------------------------------------------------------
    const std::vector<Bytes>& written() const { return written_; }
    Bytes lastWritten() const { return written_.empty() ? Bytes{} : written_.back(); }
    int discardCount() const { return discards_; }
    const LineSettings& settings() const { return settings_; }
    // Bytes waiting right now (what a read would return).
    std::size_t pending() const { return available_.size(); }

private:
    struct Scheduled {
        long due;
        Bytes bytes;
    };
    bool usable() const { return open_ && !unplugged_; }
    void releaseDue();

    bool open_ = false;
    bool unplugged_ = false;
    bool rejectSettings_ = false;
    LineSettings settings_;
    long now_ = 0;
    Bytes available_;
    std::vector<Scheduled> scheduled_;
    std::vector<Bytes> written_;
    Responder responder_;
    int replyAfter_ = 1;
    int discards_ = 0;
};
