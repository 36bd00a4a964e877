#pragma once

// Time source of the frame-rate gate. The widgets read the time through this
// so tests can drive the gate without waiting.
class TiClock {
public:
    virtual ~TiClock() = default;
    // Milliseconds from an arbitrary fixed origin; never goes back.
    virtual double NowMs() const = 0;

    // The monotonic clock of the machine, shared by every widget.
    static const TiClock& Steady();
};
