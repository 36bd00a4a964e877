#pragma once

#include <string>
#include <thread>

// Two pseudo-terminals joined back to back, like two serial ports linked by
// a null-modem cable: bytes written to one device path arrive at the other.
// The pair holds both terminal sides open itself, so the ends can be opened
// and closed by tests any number of times without the link breaking, and
// bytes sent to an end that nobody has opened wait in its receive queue.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    // False when the pseudo-terminals could not be created.
    bool ok() const { return ok_; }
    // Device paths of the two ends, e.g. "/dev/pts/7".
    const std::string& first() const { return paths_[0]; }
    const std::string& second() const { return paths_[1]; }

    // Cuts the cable as a vanished peer or a pulled USB adapter would:
    // whoever holds an end sees a hang-up from now on.
    void hangUp();

private:
    void relay();

    bool ok_ = false;
    int masters_[2] = {-1, -1};
    int slaves_[2] = {-1, -1};
    int wake_[2] = {-1, -1};
    std::string paths_[2];
    std::thread relay_;
};
