#include "link/FrameDecoder.h"

#include "link/Crc16.h"
#include "link/Frames.h"
#include "link/RegisterMap.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string_view>

namespace FrameDecoder {

namespace {

namespace Function = Frames::Function;

constexpr std::uint8_t kExceptionBit = 0x80;
constexpr std::size_t kExceptionLength = 5;

struct Named {
    int index;
    std::string_view name;
};

// Outputs, alarm inputs and measurements as the console reads them.
constexpr Named kCoils[] = {
    {0, "internal fan 1"}, {1, "internal fan 2"}, {2, "external fan 1"}, {3, "external fan 2"},
    {4, "compressor"}, {5, "heater"}, {11, "re-check"}, {12, "forced-on output"}, {20, "factory parameters"},
};
constexpr Named kInputs[] = {
    {0, "internal fan 1 alarm"}, {1, "internal fan 2 alarm"}, {2, "external fan 1 alarm"},
    {3, "external fan 2 alarm"}, {4, "compressor alarm 1"}, {5, "compressor alarm 2"}, {7, "heater alarm"},
    {10, "sensor 1 fault"}, {11, "sensor 2 fault"}, {12, "supply alarm 1"}, {13, "supply alarm 2"},
    {14, "high temperature"}, {15, "low temperature"}, {16, "high pressure"}, {17, "low pressure"},
};
struct Measurement {
    int index;
    std::string_view name;
    std::string_view unit;
    double scale;
    bool isSigned;
};
constexpr Measurement kMeasurements[] = {
    {0, "internal fan 1 speed", "rpm", 1, false}, {1, "internal fan 2 speed", "rpm", 1, false},
    {2, "external fan 1 speed", "rpm", 1, false}, {3, "external fan 2 speed", "rpm", 1, false},
    {4, "indoor temperature", "°C", 0.1, true}, {5, "outdoor temperature", "°C", 0.1, true},
    {6, "supply voltage", "V", 0.1, true}, {7, "compressor speed", "rpm", 1, true},
    {8, "compressor gauge", "", 0.1, true}, {10, "heater current", "A", 0.1, true},
    {11, "re-check state", "", 1, false},
};
constexpr std::uint16_t kFirmwareFirst = 15;
constexpr std::uint16_t kFirmwareLast = 23;

template <std::size_t N>
std::string_view nameOf(const Named (&table)[N], int index)
{
    for (const Named& n : table) {
        if (n.index == index)
            return n.name;
    }
    return {};
}

const Measurement* measurement(int index)
{
    for (const Measurement& m : kMeasurements) {
        if (m.index == index)
            return &m;
    }
    return nullptr;
}

std::string format(const char* pattern, auto... values)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::uint16_t word(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return Frames::wordAt(bytes, at).value_or(0);
}

std::string scaled(std::uint16_t raw, double scale, bool isSigned, std::string_view unit)
{
    const double value = (isSigned ? static_cast<std::int16_t>(raw) : raw) * scale;
    // As many decimals as the scale carries: tenths show one.
    const int decimals = scale >= 1.0 ? 0 : static_cast<int>(std::lround(-std::log10(scale)));
    std::string text = format("%.*f", decimals, value);
    if (!unit.empty())
        text.append(" ").append(unit);
    return text;
}

std::string range(std::uint16_t first, std::uint16_t quantity)
{
    if (quantity <= 1)
        return std::to_string(first);
    return format("%u-%u", unsigned(first), unsigned(first + quantity - 1U));
}

std::string_view spaceName(std::uint8_t function)
{
    switch (function) {
    case Function::ReadCoils: return "coils";
    case Function::ReadDiscreteInputs: return "inputs";
    case Function::ReadHoldingRegisters: return "holding";
    case Function::ReadInputRegisters: return "input regs";
    default: return "";
    }
}

std::string holdingValue(std::uint16_t reg, std::uint16_t raw)
{
    std::string text = "reg " + std::to_string(reg);
    if (const RegisterMap::Entry* e = RegisterMap::byRegister(reg))
        text.append(" ").append(e->name);
    return text + " = " + registerValueText(reg, raw);
}

std::string inputValue(std::uint16_t reg, std::uint16_t raw)
{
    std::string text = "in " + std::to_string(reg);
    if (const Measurement* m = measurement(reg))
        return text.append(" ").append(m->name).append(" = ") + scaled(raw, m->scale, m->isSigned, m->unit);
    return text + " = " + std::to_string(raw);
}

std::string coilValue(std::uint16_t coil, std::uint16_t value)
{
    std::string text = "coil " + std::to_string(coil);
    const std::string_view name = nameOf(kCoils, coil);
    if (!name.empty())
        text.append(" ").append(name);
    if (value == Frames::CoilOn)
        return text + " = ON";
    if (value == Frames::CoilOff)
        return text + " = OFF";
    return text + format(" = 0x%04X (neither on nor off)", unsigned(value));
}

// Lists the set bits of a read-bits reply with their names.
std::string bitList(std::span<const std::uint8_t> reply, std::uint8_t function, std::uint16_t first,
                    std::uint16_t quantity)
{
    std::string on;
    for (std::uint16_t i = 0; i < quantity; ++i) {
        const auto bit = Frames::bitValue(reply, i);
        if (!bit)
            break;
        if (!*bit)
            continue;
        const int index = first + i;
        const std::string_view name =
            function == Function::ReadCoils ? nameOf(kCoils, index) : nameOf(kInputs, index);
        on.append(on.empty() ? "" : ", ").append(std::to_string(index));
        if (!name.empty())
            on.append(" ").append(name);
    }
    return on.empty() ? "none on" : "on: " + on;
}

std::string firmwareText(std::span<const std::uint8_t> reply, std::uint16_t first, std::uint16_t quantity)
{
    std::string text;
    for (std::uint16_t k = 0; k < quantity; ++k) {
        const std::uint16_t reg = first + k;
        if (reg < kFirmwareFirst || reg > kFirmwareLast)
            continue;
        const auto value = Frames::registerValue(reply, k);
        if (!value)
            break;
        for (const unsigned ch : {unsigned(*value >> 8), unsigned(*value & 0xFFU)}) {
            if (ch == 0)
                return text;
            text += ch >= 0x20 && ch < 0x7F ? static_cast<char>(ch) : '?';
        }
    }
    return text;
}

std::string registerValues(std::span<const std::uint8_t> reply, std::uint8_t function, std::uint16_t first,
                           std::uint16_t quantity)
{
    if (function == Function::ReadInputRegisters && first >= kFirmwareFirst && first <= kFirmwareLast)
        return "firmware \"" + firmwareText(reply, first, quantity) + "\"";
    std::string text;
    for (std::uint16_t k = 0; k < quantity; ++k) {
        const auto value = Frames::registerValue(reply, k);
        if (!value)
            break;
        const std::uint16_t reg = first + k;
        text += (k == 0 ? "" : ", ")
            + (function == Function::ReadHoldingRegisters ? holdingValue(reg, *value) : inputValue(reg, *value));
    }
    return text;
}

std::string body(std::uint8_t function, std::span<const std::uint8_t> frame, bool isRequest,
                 const RequestHeader& request)
{
    const std::uint16_t first = word(request, 2);
    const std::uint16_t second = word(request, 4);
    switch (function) {
    case Function::ReadCoils:
    case Function::ReadDiscreteInputs:
        if (isRequest)
            return format("read %s %s (%u)", spaceName(function).data(), range(first, second).c_str(), unsigned(second));
        return std::string(spaceName(function)) + " " + range(first, second) + " " + bitList(frame, function, first, second);
    case Function::ReadHoldingRegisters:
    case Function::ReadInputRegisters:
        if (isRequest)
            return format("read %s %s (%u)", spaceName(function).data(), range(first, second).c_str(), unsigned(second));
        return registerValues(frame, function, first, second);
    case Function::WriteCoil:
        return (isRequest ? "write " : "echo ") + coilValue(word(frame, 2), word(frame, 4));
    case Function::WriteRegister:
        return (isRequest ? "write " : "echo ") + holdingValue(word(frame, 2), word(frame, 4));
    case Function::WriteRegisters: {
        const std::uint16_t count = word(frame, 4);
        if (!isRequest)
            return format("wrote regs %s (%u)", range(word(frame, 2), count).c_str(), unsigned(count));
        std::string text = "write regs " + range(first, second) + ":";
        for (std::uint16_t k = 0; k < second; ++k) {
            const auto value = Frames::wordAt(frame, 7 + 2U * k);
            if (!value || 7 + 2U * k + 2 > frame.size() - 2)
                return text + " (cut short)";
            text += (k == 0 ? " " : ", ") + holdingValue(first + k, *value);
        }
        return text;
    }
    default:
        return format("function 0x%02X, %zu bytes", unsigned(function), frame.size());
    }
}

bool crcGood(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 4)
        return false;
    const std::size_t at = frame.size() - 2;
    return frame[at] * 256U + frame[at + 1] == Crc16(frame.data(), at);
}

// Some start of `bytes` is a frame with a good CRC: a reply, though
// perhaps from another slave or to another request.
bool framed(std::span<const std::uint8_t> bytes)
{
    for (std::size_t length = 4; length <= bytes.size(); ++length)
        if (crcGood(bytes.first(length)))
            return true;
    return false;
}

} // namespace

RequestHeader headerOf(std::span<const std::uint8_t> request)
{
    RequestHeader header{};
    for (std::size_t i = 0; i < header.size() && i < request.size(); ++i)
        header[i] = request[i];
    return header;
}

std::string describeRequest(std::span<const std::uint8_t> frame)
{
    if (frame.size() < 4)
        return describeNoise(frame);
    std::string text = "to " + std::to_string(frame[0]) + ": " + body(frame[1], frame, true, headerOf(frame));
    if (!crcGood(frame))
        text += " (bad CRC)";
    return text;
}

std::string describeReply(const RequestHeader& request, std::span<const std::uint8_t> reply)
{
    if (reply.size() < 2)
        return describeNoise(reply);
    const std::uint8_t address = reply[0];
    const std::uint8_t function = reply[1];
    // Read as a frame, line noise would pass for another slave's reply.
    if (address != request[0] && !framed(reply))
        return describeNoise(reply);
    if (isExceptionReply(reply, request[1])) {
        return format("from %u: exception %u %s (function 0x%02X)", unsigned(address), unsigned(reply[2]),
                      exceptionMeaning(reply[2]).c_str(), unsigned(request[1]));
    }
    std::string why;
    if (address != request[0])
        why = format("address %u, awaited %u; ", unsigned(address), unsigned(request[0]));
    if (function != request[1])
        return why + format("function 0x%02X, awaited 0x%02X", unsigned(function), unsigned(request[1]));
    const std::size_t length = Frames::replyLength(request[1], word(request, 4));
    if (reply.size() < length)
        return why + format("%zu of %zu bytes", reply.size(), length);
    if (!crcGood(reply.first(length))) {
        const std::size_t at = length - 2;
        const unsigned crc = Crc16(reply.data(), at);
        why += format("CRC %02X %02X, should be %02X %02X; ", unsigned(reply[at]), unsigned(reply[at + 1]), crc >> 8,
                      crc & 0xFFU);
    }
    return why + "from " + std::to_string(address) + ": " + body(function, reply.first(length), false, request);
}

std::string describeNoise(std::span<const std::uint8_t> bytes)
{
    return format("%zu %s no frame", bytes.size(), bytes.size() == 1 ? "byte that makes" : "bytes that make");
}

std::string describeAwaited(const RequestHeader& request)
{
    std::string text = "to " + std::to_string(request[0]) + ": ";
    switch (request[1]) {
    case Function::WriteRegisters:
        return text + "write regs " + range(word(request, 2), word(request, 4));
    case Function::ReadCoils:
    case Function::ReadDiscreteInputs:
    case Function::ReadHoldingRegisters:
    case Function::ReadInputRegisters:
    case Function::WriteCoil:
    case Function::WriteRegister:
        return text + body(request[1], request, true, request);
    default:
        return text + format("function 0x%02X", unsigned(request[1]));
    }
}

std::size_t strayBytesAhead(const RequestHeader& request, std::span<const std::uint8_t> bytes)
{
    const std::size_t length = Frames::replyLength(request[1], word(request, 4));
    for (std::size_t at = 1; at + Frames::kExceptionReplyLength <= bytes.size(); ++at) {
        const std::span<const std::uint8_t> rest = bytes.subspan(at);
        if (rest[0] != request[0])
            continue;
        if (isExceptionReply(rest, request[1]))
            return at;
        if (rest[1] == request[1] && rest.size() >= length && crcGood(rest.first(length)))
            return at;
    }
    return 0;
}

bool isExceptionReply(std::span<const std::uint8_t> reply, std::uint8_t function)
{
    return reply.size() >= kExceptionLength && reply[1] == (function | kExceptionBit)
        && crcGood(reply.first(kExceptionLength));
}

std::string exceptionMeaning(std::uint8_t code)
{
    switch (code) {
    case 0x01: return "Illegal function";
    case 0x02: return "Illegal data address";
    case 0x03: return "Illegal data value";
    case 0x04: return "Slave device failure";
    case 0x05: return "Acknowledge";
    case 0x06: return "Slave device busy";
    case 0x07: return "Negative acknowledge";
    case 0x08: return "Memory parity error";
    case 0x0A: return "Gateway path unavailable";
    case 0x0B: return "Gateway target device failed to respond";
    default: return "unknown exception code";
    }
}

std::string registerValueText(std::uint16_t reg, std::uint16_t raw)
{
    if (const RegisterMap::Entry* e = RegisterMap::byRegister(reg))
        return scaled(raw, e->scale == RegisterMap::Scale::Tenths ? 0.1 : 1.0, e->isSigned, e->unit);
    return std::to_string(raw);
}

std::string hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

} // namespace FrameDecoder
