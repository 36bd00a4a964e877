// Decoding for the monitor: every request and reply of the catalogue,
// exception replies, refused replies and garbage.
#include "EngineHarness.h"

#include "link/FrameDecoder.h"
#include "link/Frames.h"

#include <gtest/gtest.h>

namespace {

using Bytes = FakeSerialPort::Bytes;

Bytes read(std::uint8_t function, std::uint16_t first, std::uint16_t quantity)
{
    Frames::TxBuffer tx{};
    const std::size_t n = Frames::buildRead(tx, 1, function, first, quantity);
    return Bytes(tx.begin(), tx.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes writeCoil(std::uint16_t coil, std::uint16_t value)
{
    Frames::TxBuffer tx{};
    const std::size_t n = Frames::buildWriteCoil(tx, 1, coil, value);
    return Bytes(tx.begin(), tx.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes writeRegister(std::uint16_t reg, std::uint16_t value)
{
    Frames::TxBuffer tx{};
    const std::size_t n = Frames::buildWriteRegister(tx, 1, reg, value);
    return Bytes(tx.begin(), tx.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes writeRegisters(std::uint16_t first, std::vector<std::uint16_t> values)
{
    Frames::TxBuffer tx{};
    const std::size_t n = Frames::buildWriteRegisters(tx, 1, first, values);
    return Bytes(tx.begin(), tx.begin() + static_cast<std::ptrdiff_t>(n));
}

Bytes firmwareWords()
{
    const std::string text = "HX-CTRL V2.13 SIM";
    std::vector<std::uint16_t> words;
    for (std::size_t i = 0; i < 18; i += 2) {
        const unsigned hi = i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
        const unsigned lo = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        words.push_back(static_cast<std::uint16_t>(hi << 8 | lo));
    }
    return registerReply(1, 0x04, words);
}

Bytes badCrc(Bytes frame)
{
    frame.back() ^= 0x5A;
    return frame;
}

struct Case {
    const char* name;
    Bytes request;
    Bytes reply;        // empty: the request itself is decoded
    std::string text;   // the decoded text, or a part of it after "..."
};

TEST(FrameDecoder, DescribesEveryFrameOfTheCatalogue)
{
    const Bytes intfan = writeRegisters(0, {1500, 3000, 800, 250, 350, 150, 100, 20, 2, 1, 0});
    const Bytes compressor = writeRegisters(41, {350, 20, 3000});
    const std::vector<Case> cases{
        {"coils", read(0x01, 0, 16), {}, "to 1: read coils 0-15 (16)"},
        {"inputs", read(0x02, 0, 18), {}, "to 1: read inputs 0-17 (18)"},
        {"holding", read(0x03, 41, 3), {}, "to 1: read holding 41-43 (3)"},
        {"input regs", read(0x04, 0, 13), {}, "to 1: read input regs 0-12 (13)"},
        {"factory reset", writeCoil(20, 0xFF00), {}, "to 1: write coil 20 factory parameters = ON"},
        {"forced-on off", writeCoil(12, 0x0000), {}, "to 1: write coil 12 forced-on output = OFF"},
        {"debug temperature", writeRegister(30, 0xFF9C), {}, "to 1: write reg 30 Debug Temperature = -10.0 °C"},
        {"compressor block", compressor, {},
         "to 1: write regs 41-43: reg 41 Compressor StartTemp = 35.0 °C, reg 42 Compressor DeltTemp = 2.0 °C, "
         "reg 43 Compressor MaxSpeed = 3000 rpm"},
        {"fan block", intfan, {}, "...reg 0 Intfan1 StepSpeed = 1500 rpm, reg 1 Intfan1 MaxSpeed = 3000 rpm"},
        {"cut request", Bytes(intfan.begin(), intfan.begin() + 12), {}, "...(cut short)"},
        {"coil reply", read(0x01, 0, 16), withCrc({1, 0x01, 2, 0x15, 0x10}),
         "from 1: coils 0-15 on: 0 internal fan 1, 2 external fan 1, 4 compressor, 12 forced-on output"},
        {"input reply", read(0x02, 0, 18), withCrc({1, 0x02, 3, 0x00, 0x40, 0x02}),
         "from 1: inputs 0-17 on: 14 high temperature, 17 low pressure"},
        {"quiet inputs", read(0x02, 0, 18), withCrc({1, 0x02, 3, 0, 0, 0}), "from 1: inputs 0-17 none on"},
        {"holding reply", read(0x03, 41, 3), registerReply(1, 0x03, {350, 0xFFEC, 2800}),
         "from 1: reg 41 Compressor StartTemp = 35.0 °C, reg 42 Compressor DeltTemp = -2.0 °C, "
         "reg 43 Compressor MaxSpeed = 2800 rpm"},
        {"measurements", read(0x04, 0, 13), registerReply(1, 0x04, {0xFFFF, 0, 0, 0, 0xFF38, 0, 480, 0, 0, 0, 0, 0, 0}),
         "...in 0 internal fan 1 speed = 65535 rpm, in 1 internal fan 2 speed = 0 rpm"},
        {"signed temperature", read(0x04, 0, 13), registerReply(1, 0x04, {0, 0, 0, 0, 0xFF38, 0, 480, 0, 0, 0, 0, 0, 0}),
         "...in 4 indoor temperature = -20.0 °C, in 5 outdoor temperature = 0.0 °C, in 6 supply voltage = 48.0 V"},
        {"firmware", read(0x04, 15, 9), firmwareWords(), "from 1: firmware \"HX-CTRL V2.13 SIM\""},
        {"coil echo", writeCoil(12, 0xFF00), echoReply(writeCoil(12, 0xFF00)), "from 1: echo coil 12 forced-on output = ON"},
        {"register echo", writeRegister(30, 250), echoReply(writeRegister(30, 250)),
         "from 1: echo reg 30 Debug Temperature = 25.0 °C"},
        {"block written", intfan, echoReply(intfan), "from 1: wrote regs 0-10 (11)"},
        {"exception", read(0x03, 0, 44), withCrc({1, 0x83, 0x02}),
         "from 1: exception 2 Illegal data address (function 0x03)"},
        {"unknown exception", writeCoil(20, 0xFF00), withCrc({1, 0x85, 0x2A}), "...exception 42 unknown exception code"},
        {"other address", read(0x03, 41, 3), registerReply(2, 0x03, {350, 20, 2800}),
         "...address 2, awaited 1; from 2: reg 41 Compressor StartTemp = 35.0 °C"},
        {"other function", read(0x01, 0, 16), withCrc({1, 0x02, 2, 0, 0}), "function 0x02, awaited 0x01"},
        {"bad CRC", read(0x01, 0, 16), badCrc(withCrc({1, 0x01, 2, 0x01, 0x00})),
         "...should be ...; from 1: coils 0-15 on: 0 internal fan 1"},
        {"short", read(0x03, 0, 44), Bytes{1, 0x03, 0x58, 0, 7}, "5 of 93 bytes"},
        {"one byte", read(0x03, 0, 44), Bytes{0xFE}, "1 byte that makes no frame"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = c.reply.empty()
            ? FrameDecoder::describeRequest(c.request)
            : FrameDecoder::describeReply(FrameDecoder::headerOf(c.request), c.reply);
        if (c.text.rfind("...", 0) == 0) {
            // Every part between "..." must appear, in order.
            std::size_t at = 0;
            std::size_t from = 3;
            while (from < c.text.size()) {
                const std::size_t end = std::min(c.text.find("...", from), c.text.size());
                const std::string part = c.text.substr(from, end - from);
                at = text.find(part, at);
                ASSERT_NE(at, std::string::npos) << "missing '" << part << "' in: " << text;
                from = end + 3;
            }
        } else {
            EXPECT_EQ(text, c.text);
        }
    }
}

TEST(FrameDecoder, GarbageAndHex)
{
    EXPECT_EQ(FrameDecoder::describeNoise(Bytes{1, 2, 3}), "3 bytes that make no frame");
    EXPECT_EQ(FrameDecoder::describeRequest(Bytes{0x01, 0x03}), "2 bytes that make no frame");
    EXPECT_EQ(FrameDecoder::hex(Bytes{0x01, 0xAB, 0x00}), "01 AB 00");
    EXPECT_EQ(FrameDecoder::hex(Bytes{}), "");
    EXPECT_TRUE(FrameDecoder::isExceptionReply(withCrc({1, 0x83, 2}), 0x03));
    EXPECT_FALSE(FrameDecoder::isExceptionReply(badCrc(withCrc({1, 0x83, 2})), 0x03));
    EXPECT_FALSE(FrameDecoder::isExceptionReply(withCrc({1, 0x84, 2}), 0x03));
    EXPECT_FALSE(FrameDecoder::isExceptionReply(Bytes{1, 0x83, 2}, 0x03));
}

} // namespace
