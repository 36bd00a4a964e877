#pragma once

#include "link/EngineContext.h"
#include "link/Transaction.h"

#include <cstddef>


// All traffic with the controller. tick() is one step of Timer2: it either
// transmits the request of the transaction the shown tab calls for, or
// collects the bytes that have arrived and, once the reply is complete,
// judges it and runs the transaction's outcome. It never blocks: it reads
// only bytes already waiting.
class TransactionEngine {
public:
    TransactionEngine(LinkState& state, SerialPort& port, LinkView& view, LinkResults& results);

    void tick();
    // The port has just been opened again after its device was lost: what
    // was under way is dropped and the next tick starts the shown tab's
    // work afresh, as if the tab had just been shown.
    void startOver();

    // Lets `observer` watch every request, received chunk, dropped queue and
    // outcome; nullptr stops it. What the engine does stays the same.
    void setObserver(LinkObserver* observer) { context_.tap.setObserver(observer); }
    LinkTap& tap() { return context_.tap; }
    // The exchange last transmitted and the bus address it went to; what an
    // outcome reported to the observer belongs to.
    const TransactionId& underWay() const { return underWay_; }
    std::uint8_t underWayAddress() const { return underWayAddress_; }

    // Longest run of bytes a single read may bring in; more waiting than
    // this means the line is babbling, and the queue is dropped.
    static constexpr long kQueueLimit = 1024;
    // Reading ticks before a transaction gives up (it ends on the next one).
    static constexpr int kWaitLimit = 100;
    // Timer2 interval while waiting for bytes, in milliseconds.
    static constexpr int kReadInterval = 10;
    static constexpr int kWindowWidth = 810;
    static constexpr int kWindowHeight = 646;

private:
    void step();
    void serveConfiguration();
    void serveLive();
    void serveGraph();
    // Returns true when `tab` has just been shown; the tick then only
    // settles the change.
    bool arrivedAt(int tab);

    void serve(const Transaction& transaction, TransactionId id);
    void transmit(const Transaction& transaction, TransactionId id);
    void receive(const Transaction& transaction);
    // Bytes waiting, or 0 when the port cannot tell.
    long waiting();
    void appendReceived(std::size_t count);

    LinkState& state_;
    SerialPort& port_;
    LinkView& view_;
    EngineContext context_;
    TransactionId underWay_;
    std::uint8_t underWayAddress_ = 0;
};
