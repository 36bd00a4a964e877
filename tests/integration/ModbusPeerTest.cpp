#include "integration/ModbusSlave.h"
#include "link/Frames.h"
#include "link/QtSerialPort.h"
#include "support/PtyPair.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Frames;

namespace {

class ModbusPeer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pair_.ok());
        slave_ = std::make_unique<ModbusSlave>(pair_.second());
        ASSERT_TRUE(slave_->ok());
        ASSERT_TRUE(port_.open(pair_.first()));
        LineSettings settings;
        ASSERT_TRUE(port_.getSettings(settings));
        settings.baudRate = 9600;
        ASSERT_TRUE(port_.setSettings(settings));
    }
    void TearDown() override
    {
        port_.close();
        slave_.reset();
    }

    // Sends a request and collects the reply until `replyBytes` arrived.
    std::vector<std::uint8_t> exchange(const TxBuffer& frame, std::size_t length, std::size_t replyBytes)
    {
        EXPECT_EQ(port_.write(frame.data(), length), static_cast<long>(length));
        std::vector<std::uint8_t> reply;
        std::uint8_t buffer[256];
        for (int attempt = 0; attempt < 400 && reply.size() < replyBytes; ++attempt) {
            const long n = port_.read(buffer, sizeof buffer);
            if (n > 0)
                reply.insert(reply.end(), buffer, buffer + n);
            else
                QTest::qWait(5);
        }
        return reply;
    }

    PtyPair pair_;
    std::unique_ptr<ModbusSlave> slave_;
    QtSerialPort port_;
};

} // namespace

TEST_F(ModbusPeer, ReadAllReplyPassesOurChecks)
{
    for (int k = 0; k < 44; ++k)
        slave_->setHolding(k, static_cast<std::uint16_t>(k * 1000 + 7));
    slave_->setHolding(28, encodeRegister(-50));

    TxBuffer frame{};
    const std::size_t length = buildRead(frame, 1, Function::ReadHoldingRegisters, 0, 44);
    const std::size_t expected = replyLength(Function::ReadHoldingRegisters, 44);
    ASSERT_EQ(expected, 93U);
    const auto reply = exchange(frame, length, expected);
    ASSERT_EQ(reply.size(), expected);
    ASSERT_EQ(checkReply(reply, expected, 1, Function::ReadHoldingRegisters), ReplyStatus::Valid);
    for (std::size_t k = 0; k < 44; ++k) {
        if (k == 28)
            EXPECT_EQ(signedRegisterValue(reply, k), -50);
        else
            EXPECT_EQ(registerValue(reply, k), k * 1000 + 7) << "register " << k;
    }
}

TEST_F(ModbusPeer, WritesLandInTheSlave)
{
    TxBuffer frame{};
    const std::uint16_t alarms[] = {encodeRegister(450), encodeRegister(-50)};
    std::size_t length = buildWriteRegisters(frame, 1, 28, alarms);
    auto reply = exchange(frame, length, 8);
    EXPECT_EQ(checkReply(reply, 8, 1, Function::WriteRegisters), ReplyStatus::Valid);
    EXPECT_EQ(slave_->holding(28), 450);
    EXPECT_EQ(slave_->holding(29), 0xFFCE);

    length = buildWriteRegister(frame, 1, 30, encodeRegister(-1));
    reply = exchange(frame, length, 8);
    EXPECT_EQ(checkReply(reply, 8, 1, Function::WriteRegister), ReplyStatus::Valid);
    EXPECT_EQ(slave_->holding(30), 0xFFFF);

    length = buildWriteCoil(frame, 1, 20, CoilOn);
    reply = exchange(frame, length, 8);
    EXPECT_EQ(checkReply(reply, 8, 1, Function::WriteCoil), ReplyStatus::Valid);
    EXPECT_EQ(wordAt(reply, 4), CoilOn) << "the echoed coil value";
    EXPECT_EQ(slave_->coil(20), 1);
}

TEST_F(ModbusPeer, BitAndInputReadsPassOurChecks)
{
    slave_->setCoil(0, true);
    slave_->setCoil(12, true);
    slave_->setDiscrete(17, true);
    slave_->setInput(0, 65535);
    slave_->setInput(4, encodeRegister(-1));

    TxBuffer frame{};
    std::size_t length = buildRead(frame, 1, Function::ReadCoils, 0, 16);
    auto reply = exchange(frame, length, 7);
    ASSERT_EQ(checkReply(reply, 7, 1, Function::ReadCoils), ReplyStatus::Valid);
    EXPECT_EQ(bitValue(reply, 0), true);
    EXPECT_EQ(bitValue(reply, 11), false);
    EXPECT_EQ(bitValue(reply, 12), true);

    length = buildRead(frame, 1, Function::ReadDiscreteInputs, 0, 18);
    reply = exchange(frame, length, 8);
    ASSERT_EQ(checkReply(reply, 8, 1, Function::ReadDiscreteInputs), ReplyStatus::Valid);
    EXPECT_EQ(bitValue(reply, 17), true);
    EXPECT_EQ(bitValue(reply, 16), false);

    length = buildRead(frame, 1, Function::ReadInputRegisters, 0, 13);
    reply = exchange(frame, length, 31);
    ASSERT_EQ(checkReply(reply, 31, 1, Function::ReadInputRegisters), ReplyStatus::Valid);
    EXPECT_EQ(registerValue(reply, 0), 65535);
    EXPECT_EQ(signedRegisterValue(reply, 4), -1);
}

TEST_F(ModbusPeer, ExceptionReplyIsRefused)
{
    TxBuffer frame{};
    // Beyond the slave's 64 registers: it answers with an exception.
    const std::size_t length = buildRead(frame, 1, Function::ReadHoldingRegisters, 60, 44);
    const auto reply = exchange(frame, length, 5);
    ASSERT_EQ(reply.size(), 5U);
    EXPECT_EQ(reply[1], Function::ReadHoldingRegisters | 0x80);
    EXPECT_EQ(checkReply(reply, 5, 1, Function::ReadHoldingRegisters), ReplyStatus::WrongReply);
}
