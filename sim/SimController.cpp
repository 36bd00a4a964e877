#include "sim/SimController.h"

#include "link/Frames.h"
#include "sim/ParameterImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

namespace Function = Frames::Function;

constexpr int kMostBits = 2000;
constexpr int kMostRegisters = 125;
constexpr int kMostWritten = 123;

std::uint16_t word(const std::uint8_t* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]);
}

void putWord(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

std::vector<std::uint8_t> exception(std::uint8_t function, std::uint8_t code)
{
    return {static_cast<std::uint8_t>(function | 0x80), code};
}

// A measurement as the signed 16-bit register that carries it.
std::uint16_t signedRegister(double value)
{
    const double limited = std::clamp(std::round(value), -32768.0, 32767.0);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(limited));
}

std::uint16_t unsignedRegister(double value)
{
    return static_cast<std::uint16_t>(std::clamp(std::round(value), 0.0, 65535.0));
}

bool validAddress(std::uint16_t value)
{
    return value >= 1 && value <= 255;
}

} // namespace

SimController::SimController(const Options& options, SimMillis start)
    : address_(options.address),
      refuseFirst_(options.refuseFirst),
      refuseLast_(options.refuseLast),
      holding_(ParameterImage::factory(options.address)),
      selfCheckUntil_(std::numeric_limits<SimMillis>::min()),
      plantTime_(start),
      plant_(options.seed, options.scenarios, options.supplyDips)
{
}

void SimController::advanceTo(SimMillis now)
{
    if (now <= plantTime_)
        return;
    const SimMillis span = std::min(now - plantTime_, kLongestCatchUp);
    plant_.advance(static_cast<double>(span) / 1000.0, ParameterImage::decode(holding_), forceOn_);
    plantTime_ = now;
}

bool SimController::coilNow(int index, const PlantReadings& r, SimMillis now) const
{
    if (index >= 0 && index < 4)
        return r.fanOutput[index];
    switch (index) {
    case 4: return r.compressorOutput;
    case 5: return r.heaterOutput;
    case kSelfCheckCoil: return selfCheckRunning(now);
    case kForceOnCoil: return forceOn_;
    default: return false;
    }
}

bool SimController::discreteNow(int index, const PlantReadings& r, const PlantParameters& p) const
{
    if (index >= 0 && index < 4)
        return r.fanStalled[index];
    switch (index) {
    case 4: return r.compressorLockout;
    case 5: return r.compressorLocked;
    case 7: return r.heaterOutput && (r.heaterCurrent < p.heaterMinCurrent || r.heaterCurrent > p.heaterMaxCurrent);
    case 10: return r.sensor1Fault;
    case 11: return r.sensor2Fault;
    case 12: return r.voltage > p.voltAlarmHigh;
    case 13: return r.voltage < p.voltAlarmLow;
    case 14: return !r.sensor1Fault && r.indoor > p.tempAlarmHigh;
    case 15: return !r.sensor1Fault && r.indoor < p.tempAlarmLow;
    case 16: return r.highPressure;
    case 17: return r.lowPressure;
    default: return false;
    }
}

std::uint16_t SimController::inputNow(int index, const PlantReadings& r, SimMillis now) const
{
    if (index >= 0 && index < 4)
        return unsignedRegister(r.fanSpeed[index]);
    if (index >= kFirmwareRegister && index < kInputCount) {
        const std::size_t at = static_cast<std::size_t>(index - kFirmwareRegister) * 2;
        const std::size_t length = std::strlen(kFirmwareText);
        const std::uint8_t high = at < length ? static_cast<std::uint8_t>(kFirmwareText[at]) : 0;
        const std::uint8_t low = at + 1 < length ? static_cast<std::uint8_t>(kFirmwareText[at + 1]) : 0;
        return static_cast<std::uint16_t>(high << 8 | low);
    }
    switch (index) {
    case 4: return signedRegister(r.indoor * 10);
    case 5: return signedRegister(r.outdoor * 10);
    case 6: return signedRegister(r.voltage * 10);
    case 7: return signedRegister(r.compressorSpeed);
    case 8: return signedRegister(r.compressorCurrent * 10);
    case 10: return signedRegister(r.heaterCurrent * 10);
    case kSelfCheckRegister: return selfCheckRunning(now) ? 1 : 0;
    default: return 0;
    }
}

bool SimController::coil(int index, SimMillis now)
{
    advanceTo(now);
    return coilNow(index, plant_.readings(ParameterImage::decode(holding_)), now);
}

bool SimController::discreteInput(int index, SimMillis now)
{
    advanceTo(now);
    const PlantParameters p = ParameterImage::decode(holding_);
    return discreteNow(index, plant_.readings(p), p);
}

std::uint16_t SimController::inputRegister(int index, SimMillis now)
{
    advanceTo(now);
    return inputNow(index, plant_.readings(ParameterImage::decode(holding_)), now);
}

std::vector<std::uint8_t> SimController::serve(const std::uint8_t* pdu, std::size_t length, SimMillis now)
{
    if (length == 0)
        return {};
    advanceTo(now);
    switch (pdu[0]) {
    case Function::ReadCoils: return readBits(pdu, length, kCoilCount, now);
    case Function::ReadDiscreteInputs: return readBits(pdu, length, kDiscreteCount, now);
    case Function::ReadHoldingRegisters: return readRegisters(pdu, length, kHoldingCount, now);
    case Function::ReadInputRegisters: return readRegisters(pdu, length, kInputCount, now);
    case Function::WriteCoil: return writeCoil(pdu, length, now);
    case Function::WriteRegister: return writeRegister(pdu, length);
    case Function::WriteRegisters: return writeRegisters(pdu, length);
    default: return exception(pdu[0], kIllegalFunction);
    }
}

void SimController::finishExchange()
{
    if (pendingAddress_ != 0)
        address_ = pendingAddress_;
    pendingAddress_ = 0;
}

std::vector<std::uint8_t> SimController::readBits(const std::uint8_t* pdu, std::size_t length, int available,
                                                  SimMillis now)
{
    if (length != 5)
        return exception(pdu[0], kIllegalValue);
    const int first = word(pdu + 1);
    const int count = word(pdu + 3);
    if (count < 1 || count > kMostBits)
        return exception(pdu[0], kIllegalValue);
    if (first + count > available)
        return exception(pdu[0], kIllegalAddress);

    const PlantParameters p = ParameterImage::decode(holding_);
    const PlantReadings r = plant_.readings(p);
    const int bytes = (count + 7) / 8;
    std::vector<std::uint8_t> reply{pdu[0], static_cast<std::uint8_t>(bytes)};
    reply.resize(2 + static_cast<std::size_t>(bytes), 0);
    for (int i = 0; i < count; ++i) {
        const bool bit = pdu[0] == Function::ReadCoils ? coilNow(first + i, r, now) : discreteNow(first + i, r, p);
        if (bit)
            reply[2 + static_cast<std::size_t>(i / 8)] |= static_cast<std::uint8_t>(1u << (i % 8));
    }
    return reply;
}

std::vector<std::uint8_t> SimController::readRegisters(const std::uint8_t* pdu, std::size_t length, int available,
                                                       SimMillis now)
{
    if (length != 5)
        return exception(pdu[0], kIllegalValue);
    const int first = word(pdu + 1);
    const int count = word(pdu + 3);
    if (count < 1 || count > kMostRegisters)
        return exception(pdu[0], kIllegalValue);
    if (first + count > available)
        return exception(pdu[0], kIllegalAddress);

    const PlantReadings r = plant_.readings(ParameterImage::decode(holding_));
    std::vector<std::uint8_t> reply{pdu[0], static_cast<std::uint8_t>(2 * count)};
    for (int i = 0; i < count; ++i)
        putWord(reply, pdu[0] == Function::ReadHoldingRegisters ? holding_[static_cast<std::size_t>(first + i)]
                                              : inputNow(first + i, r, now));
    return reply;
}

std::vector<std::uint8_t> SimController::writeCoil(const std::uint8_t* pdu, std::size_t length, SimMillis now)
{
    if (length != 5)
        return exception(pdu[0], kIllegalValue);
    const int coil = word(pdu + 1);
    const std::uint16_t value = word(pdu + 3);
    if (value != Frames::CoilOn && value != Frames::CoilOff)
        return exception(pdu[0], kIllegalValue);
    const bool on = value == Frames::CoilOn;
    switch (coil) {
    case kSelfCheckCoil:
        selfCheckUntil_ = on ? now + kSelfCheckMillis : std::numeric_limits<SimMillis>::min();
        break;
    case kForceOnCoil:
        forceOn_ = on;
        break;
    case kFactoryResetCoil:
        // The bus address is kept: a reset must not take the controller
        // off the bus its technician is talking on.
        if (on)
            holding_ = ParameterImage::factory(address_);
        break;
    default:
        return exception(pdu[0], kIllegalAddress);
    }
    return {pdu, pdu + length};
}

std::vector<std::uint8_t> SimController::writeRegister(const std::uint8_t* pdu, std::size_t length)
{
    if (length != 5)
        return exception(pdu[0], kIllegalValue);
    const int first = word(pdu + 1);
    if (first >= kHoldingCount)
        return exception(pdu[0], kIllegalAddress);
    if (refused(first, 1) || !store(first, 1, pdu + 3))
        return exception(pdu[0], kIllegalValue);
    return {pdu, pdu + length};
}

std::vector<std::uint8_t> SimController::writeRegisters(const std::uint8_t* pdu, std::size_t length)
{
    if (length < 6)
        return exception(pdu[0], kIllegalValue);
    const int first = word(pdu + 1);
    const int count = word(pdu + 3);
    const std::size_t byteCount = pdu[5];
    if (count < 1 || count > kMostWritten || byteCount != 2u * static_cast<std::size_t>(count)
        || length != 6 + byteCount)
        return exception(pdu[0], kIllegalValue);
    if (first + count > kHoldingCount)
        return exception(pdu[0], kIllegalAddress);
    if (refused(first, count) || !store(first, count, pdu + 6))
        return exception(pdu[0], kIllegalValue);
    return {pdu, pdu + 5};
}

bool SimController::refused(int first, int count) const
{
    return refuseFirst_ >= 0 && first <= refuseLast_ && first + count - 1 >= refuseFirst_;
}

bool SimController::store(int first, int count, const std::uint8_t* values)
{
    const int addressAt = ParameterImage::kAddressRegister - first;
    if (addressAt >= 0 && addressAt < count && !validAddress(word(values + 2 * addressAt)))
        return false;
    for (int i = 0; i < count; ++i)
        holding_[static_cast<std::size_t>(first + i)] = word(values + 2 * i);
    if (addressAt >= 0 && addressAt < count)
        pendingAddress_ = static_cast<std::uint8_t>(holding_[ParameterImage::kAddressRegister]);
    return true;
}
