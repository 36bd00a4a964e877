#include "EngineHarness.h"
#include "link/Crc16.h"
#include "link/Frames.h"
#include "link/LinkObserver.h"

#include <gtest/gtest.h>

using namespace Frames;

TEST(Crc16, EmptyRangeIsInitialValue)
{
    EXPECT_EQ(Crc16(nullptr, 0), 0xFFFF);
}

TEST(Crc16, MatchesBitwiseModbusCrcWithBytesSwapped)
{
    std::vector<std::uint8_t> data(300);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (std::size_t length : {1U, 2U, 7U, 255U, 300U}) {
        unsigned reg = 0xFFFF;
        for (std::size_t i = 0; i < length; ++i) {
            reg ^= data[i];
            for (int bit = 0; bit < 8; ++bit)
                reg = (reg & 1U) ? (reg >> 1) ^ 0xA001U : reg >> 1;
        }
        const unsigned swapped = ((reg & 0xFFU) << 8) | (reg >> 8);
        EXPECT_EQ(Crc16(data.data(), length), swapped) << "length " << length;
    }
}

TEST(Frames, EveryCatalogueRequestHasItsLengths)
{
    struct Entry {
        std::uint8_t function;
        std::uint16_t first;
        std::uint16_t quantity;
        std::size_t requestBytes;
        std::size_t replyBytes;
    };
    const Entry catalogue[] = {
        {0x10, 0, 11, 31, 8},  {0x10, 11, 11, 31, 8}, {0x10, 22, 5, 19, 8}, {0x10, 28, 2, 13, 8},
        {0x10, 33, 4, 17, 8},  {0x10, 37, 2, 13, 8},  {0x10, 27, 1, 11, 8}, {0x10, 39, 2, 13, 8},
        {0x10, 41, 3, 15, 8},  {0x03, 0, 44, 8, 93},  {0x04, 15, 9, 8, 23}, {0x05, 20, 0xFF00, 8, 8},
        {0x01, 0, 16, 8, 7},   {0x02, 0, 18, 8, 8},   {0x03, 41, 3, 8, 11}, {0x04, 0, 13, 8, 31},
        {0x06, 30, 0xFFCE, 8, 8}, {0x05, 12, 0x0000, 8, 8}, {0x05, 11, 0xFF00, 8, 8},
        {0x03, 0, 11, 8, 27},  {0x03, 11, 11, 8, 27},
    };
    for (const Entry& e : catalogue) {
        TxBuffer frame{};
        frame.fill(0xAA);
        std::size_t length = 0;
        if (e.function == Function::WriteRegisters) {
            const std::vector<std::uint16_t> values(e.quantity, 0x1234);
            length = buildWriteRegisters(frame, 1, e.first, values);
        } else if (e.function == Function::WriteCoil) {
            length = buildWriteCoil(frame, 1, e.first, e.quantity);
        } else if (e.function == Function::WriteRegister) {
            length = buildWriteRegister(frame, 1, e.first, e.quantity);
        } else {
            length = buildRead(frame, 1, e.function, e.first, e.quantity);
        }
        SCOPED_TRACE(testing::Message() << "function " << int(e.function) << " first " << e.first);
        EXPECT_EQ(length, e.requestBytes);
        EXPECT_EQ(frame[1], e.function);
        EXPECT_EQ(*wordAt(frame, 2), e.first);
        EXPECT_EQ(checkReply(std::span(frame.data(), length), length, 1, e.function), ReplyStatus::Valid)
            << "CRC covers bytes 0 to length - 3";
        EXPECT_EQ(frame[length], 0xAA) << "nothing written past the frame";
        EXPECT_EQ(replyLength(e.function, e.quantity), e.replyBytes);
    }
}

TEST(Frames, BuildersRefuseWhatDoesNotFit)
{
    TxBuffer frame{};
    EXPECT_EQ(buildWriteRegisters(frame, 1, 0, std::vector<std::uint16_t>(33, 1)), 75U);
    EXPECT_EQ(buildWriteRegisters(frame, 1, 0, std::vector<std::uint16_t>(34, 1)), 0U);
    EXPECT_EQ(buildWriteRegisters(frame, 1, 0, {}), 0U);
    EXPECT_EQ(buildRead(frame, 1, Function::WriteCoil, 0, 1), 0U);
    EXPECT_EQ(appendCrc(frame, 75), 0U);
    EXPECT_EQ(appendCrc(frame, 74), 76U);
    EXPECT_EQ(replyLength(0x07, 1), 0U);
}

TEST(Frames, ReplyAcceptance)
{
    const auto reply = withCrc({0x01, 0x10, 0x00, 0x1C, 0x00, 0x02});
    EXPECT_EQ(checkReply(reply, 8, 1, 0x10), ReplyStatus::Valid);
    EXPECT_EQ(checkReply(std::span(reply).first(7), 8, 1, 0x10), ReplyStatus::Incomplete);
    EXPECT_EQ(checkReply(reply, 8, 2, 0x10), ReplyStatus::WrongReply);
    EXPECT_EQ(checkReply(reply, 8, 1, 0x06), ReplyStatus::WrongReply);

    auto corrupted = reply;
    corrupted[4] ^= 0x01;
    EXPECT_EQ(checkReply(corrupted, 8, 1, 0x10), ReplyStatus::CrcMismatch);

    auto trailing = reply;
    trailing.push_back(0x55);
    EXPECT_EQ(checkReply(trailing, 8, 1, 0x10), ReplyStatus::Valid) << "bytes past the reply are ignored";

    EXPECT_EQ(checkReply(reply, 3, 1, 0x10), ReplyStatus::WrongReply);
}

TEST(Frames, ExceptionReplyIsNeverValid)
{
    // Illegal data address, padded to the length a write reply would have.
    auto exception = withCrc({0x01, 0x90, 0x02});
    EXPECT_EQ(checkReply(exception, exception.size(), 1, 0x10), ReplyStatus::WrongReply);
    exception = withCrc({0x01, 0x90, 0x02, 0x00, 0x00, 0x00});
    EXPECT_EQ(checkReply(exception, 8, 1, 0x10), ReplyStatus::WrongReply);
}

TEST(Frames, ExceptionCodeOnlyFromAWholeRefusalOfTheRequest)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> received;
        std::optional<std::uint8_t> code;
    };
    auto badCrc = withCrc({0x01, 0x90, 0x03});
    badCrc[4] ^= 0x01;
    const Case cases[] = {
        {"refusal", withCrc({0x01, 0x90, 0x03}), 0x03},
        {"refusal with bytes behind it", [] { auto r = withCrc({0x01, 0x90, 0x02}); r.push_back(0x55); return r; }(), 0x02},
        {"four bytes so far", {0x01, 0x90, 0x03, 0x00}, std::nullopt},
        {"CRC wrong", badCrc, std::nullopt},
        {"other address", withCrc({0x02, 0x90, 0x03}), std::nullopt},
        {"refusal of another function", withCrc({0x01, 0x83, 0x03}), std::nullopt},
        {"the acknowledgement itself", withCrc({0x01, 0x10, 0x00, 0x00, 0x00, 0x0B}), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exceptionCode(c.received, 1, 0x10), c.code) << c.name;
    EXPECT_EQ(refusalText(0x03), "illegal data value (03)");
    EXPECT_EQ(refusalText(0x2A), "unknown exception code (2A)");
}

TEST(Frames, RegisterAndBitReadersStayInsideTheReply)
{
    const auto reply = withCrc({0x01, 0x03, 0x04, 0xFF, 0xFF, 0x01, 0xC2});
    EXPECT_EQ(registerValue(reply, 0), 0xFFFF);
    EXPECT_EQ(signedRegisterValue(reply, 0), -1);
    EXPECT_EQ(signedRegisterValue(reply, 1), 450);
    EXPECT_FALSE(registerValue(reply, 2)) << "the CRC is not a register";
    EXPECT_FALSE(registerValue(std::span(reply).first(2), 0));
    EXPECT_FALSE(wordAt(reply, reply.size() - 1));
    EXPECT_FALSE(wordAt(reply, SIZE_MAX));

    const auto coils = withCrc({0x01, 0x01, 0x02, 0b0000'0101, 0b1000'0000});
    EXPECT_EQ(bitValue(coils, 0), true);
    EXPECT_EQ(bitValue(coils, 1), false);
    EXPECT_EQ(bitValue(coils, 2), true);
    EXPECT_EQ(bitValue(coils, 15), true);
    EXPECT_FALSE(bitValue(coils, 16));
}

TEST(Frames, FieldEncoding)
{
    FanRecord fan;
    DeviceSettings settings;
    fan.Enable = static_cast<std::uint8_t>(-1);  // combo without selection
    settings.ExtInputEnable = -1;
    EXPECT_EQ(encodeRegister(fan.Enable), 0x00FF);
    EXPECT_EQ(encodeRegister(settings.ExtInputEnable), 0xFFFF);

    fan.PulseNo = static_cast<std::uint8_t>(300);
    EXPECT_EQ(encodeRegister(fan.PulseNo), 44);
    fan.MaxRev = 70000;
    EXPECT_EQ(encodeRegister(fan.MaxRev), 70000 - 65536);

    settings.TempAlarmLow = -50;
    EXPECT_EQ(encodeRegister(settings.TempAlarmLow), 0xFFCE);
    EXPECT_EQ(encodeRegister(-32768), 0x8000);
}
