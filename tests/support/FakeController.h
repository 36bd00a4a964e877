#pragma once

#include "support/FakeSerialPort.h"
#include "support/ReferenceCrc.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// A controller that answers every request correctly from its register
// images: writes are echoed and stored, reads are served. Hand
// responder() to a FakeSerialPort to put it on the line.
struct FakeController {
    std::uint8_t address = 1;
    std::array<std::uint16_t, 64> holding{};
    std::array<std::uint16_t, 32> input{};
    std::array<bool, 32> coils{};
    std::array<bool, 32> discrete{};

    FakeSerialPort::Bytes answer(const FakeSerialPort::Bytes& request);
    FakeSerialPort::Responder responder();

    // Sets the coils or discrete inputs from bit 0 on, packed as a read
    // reply carries them: the lowest bit of each byte first.
    void setCoilBytes(std::initializer_list<std::uint8_t> bytes);
    void setDiscreteBytes(std::initializer_list<std::uint8_t> bytes);
};

// A read-registers reply carrying `words`.
FakeSerialPort::Bytes registerReply(std::uint8_t address, std::uint8_t function, const std::vector<std::uint16_t>& words);
// Echo reply of a write: the first six bytes of the request.
FakeSerialPort::Bytes echoReply(const FakeSerialPort::Bytes& request);
