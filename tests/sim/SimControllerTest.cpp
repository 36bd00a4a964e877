#include "sim/ParameterImage.h"
#include "sim/SimController.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr SimMillis kStart = 500000;

class SimControllerTest : public ::testing::Test {
protected:
    explicit SimControllerTest(SimController::Options options = steadyOptions()) : sim(options, kStart) {}

    static SimController::Options steadyOptions()
    {
        SimController::Options o;
        o.supplyDips = false;
        return o;
    }

    Bytes serve(const Bytes& pdu) { return sim.serve(pdu.data(), pdu.size(), now); }
    Bytes writeRegisters(int first, const std::vector<std::uint16_t>& values)
    {
        Bytes pdu{0x10, 0, static_cast<std::uint8_t>(first), 0, static_cast<std::uint8_t>(values.size()),
                  static_cast<std::uint8_t>(2 * values.size())};
        for (std::uint16_t v : values) {
            pdu.push_back(static_cast<std::uint8_t>(v >> 8));
            pdu.push_back(static_cast<std::uint8_t>(v & 0xFF));
        }
        return serve(pdu);
    }
    int indoor() { return static_cast<std::int16_t>(sim.inputRegister(4, now)); }
    void wait(SimMillis millis) { now += millis; }

    SimController sim;
    SimMillis now = kStart;
};

TEST_F(SimControllerTest, WhatItDoesNotServeGetsAnExceptionReply)
{
    EXPECT_EQ(serve({0x2B, 0x0E, 1, 0}), (Bytes{0xAB, 0x01}));        // unknown function
    EXPECT_EQ(serve({0x03, 0, 40, 0, 5}), (Bytes{0x83, 0x02}));       // past register 43
    EXPECT_EQ(serve({0x04, 0, 20, 0, 5}), (Bytes{0x84, 0x02}));       // past the firmware text
    EXPECT_EQ(serve({0x01, 0, 16, 0, 1}), (Bytes{0x81, 0x02}));       // past coil 15
    EXPECT_EQ(serve({0x02, 0, 10, 0, 9}), (Bytes{0x82, 0x02}));       // past input 17
    EXPECT_EQ(serve({0x03, 0, 0, 0, 0}), (Bytes{0x83, 0x03}));        // nothing asked for
    EXPECT_EQ(serve({0x05, 0, 0, 0xFF, 0x00}), (Bytes{0x85, 0x02}));  // a fan output is not for writing
    EXPECT_EQ(serve({0x05, 0, 12, 0x12, 0x34}), (Bytes{0x85, 0x03})); // neither on nor off
    EXPECT_EQ(serve({0x06, 0, 44, 0, 1}), (Bytes{0x86, 0x02}));
    EXPECT_EQ(serve({0x10, 0, 0, 0, 2, 3, 0, 1, 0}), (Bytes{0x90, 0x03}));  // byte count disagrees
    EXPECT_EQ(writeRegisters(42, {1, 2, 3}), (Bytes{0x90, 0x02}));
    EXPECT_EQ(sim.holding()[42], 30);                                        // nothing written
}

TEST(SimControllerRefusal, WritesTouchingTheRangeGetExceptionThree)
{
    SimController::Options options;
    options.refuseFirst = 11;
    options.refuseLast = 21;
    SimController sim(options, kStart);
    const auto write = [&](const Bytes& pdu) { return sim.serve(pdu.data(), pdu.size(), kStart); };
    EXPECT_EQ(write({0x10, 0, 0, 0, 1, 2, 0, 9}), (Bytes{0x10, 0, 0, 0, 1}));        // before the range
    EXPECT_EQ(write({0x10, 0, 10, 0, 2, 4, 0, 9, 0, 9}), (Bytes{0x90, 0x03}));      // reaches into it
    EXPECT_EQ(write({0x06, 0, 21, 0, 9}), (Bytes{0x86, 0x03}));
    EXPECT_EQ(write({0x06, 0, 22, 0, 9}), (Bytes{0x06, 0, 22, 0, 9}));              // after it
    EXPECT_EQ(sim.holding()[21], ParameterImage::factory(1)[21]);                    // nothing written
    EXPECT_EQ(write({0x03, 0, 11, 0, 1}).front(), 0x03) << "reads are served";
}

TEST_F(SimControllerTest, NewBusAddressTakesEffectAfterTheReply)
{
    EXPECT_EQ(writeRegisters(27, {7}), (Bytes{0x10, 0, 27, 0, 1}));
    EXPECT_EQ(sim.address(), 1);
    sim.finishExchange();
    EXPECT_EQ(sim.address(), 7);
    EXPECT_EQ(sim.holding()[27], 7);

    // An address no bus can use is refused, and the whole block with it.
    EXPECT_EQ(writeRegisters(26, {0, 0}), (Bytes{0x90, 0x03}));
    EXPECT_EQ(writeRegisters(27, {256}), (Bytes{0x90, 0x03}));
    sim.finishExchange();
    EXPECT_EQ(sim.address(), 7);
    EXPECT_EQ(sim.holding()[26], 1);
}

TEST_F(SimControllerTest, FactoryResetRestoresParametersButKeepsTheAddress)
{
    writeRegisters(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0});
    writeRegisters(39, {650, 300});
    writeRegisters(27, {9});
    sim.finishExchange();
    EXPECT_EQ(serve({0x05, 0, 20, 0xFF, 0x00}), (Bytes{0x05, 0, 20, 0xFF, 0x00}));
    HoldingImage expected = ParameterImage::factory(9);
    EXPECT_EQ(sim.holding(), expected);
    EXPECT_EQ(sim.address(), 9);

    // Switching the reset coil off changes nothing.
    writeRegisters(0, {1});
    serve({0x05, 0, 20, 0x00, 0x00});
    EXPECT_EQ(sim.holding()[0], 1);
}

TEST_F(SimControllerTest, ForcedOutputReadsBackAndDrivesEnabledFansAtMaximum)
{
    serve({0x05, 0, 12, 0xFF, 0x00});
    EXPECT_EQ(serve({0x01, 0, 12, 0, 1}), (Bytes{0x01, 1, 0x01}));
    writeRegisters(21, {0});                      // external fan 2 disabled
    wait(30000);
    EXPECT_NEAR(sim.inputRegister(0, now), 2200, 2200 * 0.01);
    EXPECT_NEAR(sim.inputRegister(2, now), 2400, 2400 * 0.01);
    EXPECT_EQ(sim.inputRegister(3, now), 0);
    EXPECT_FALSE(sim.coil(3, now));
    serve({0x05, 0, 12, 0x00, 0x00});
    EXPECT_FALSE(sim.coil(12, now));
}

TEST_F(SimControllerTest, DebugTemperatureDrivesIndoorReadingAndRegulation)
{
    serve({0x06, 0, 30, 0x01, 0x13});             // 27.5 degrees
    EXPECT_EQ(indoor(), 275);
    wait(30000);
    // Internal curve 800..2200 rpm over 20..35 degrees; external 900..2400 over 25..40.
    EXPECT_NEAR(sim.inputRegister(0, now), 1500, 15);
    EXPECT_NEAR(sim.inputRegister(1, now), 1500, 15);
    EXPECT_NEAR(sim.inputRegister(2, now), 1150, 12);

    writeRegisters(33, {15});                     // sensor 1 calibrated by +1.5 degrees
    EXPECT_EQ(indoor(), 290);

    serve({0x06, 0, 30, 0x04, 0x4C});             // 1100: back to the sensor
    EXPECT_NE(indoor(), 290);
}

TEST_F(SimControllerTest, AlarmsFollowTheThresholds)
{
    serve({0x06, 0, 30, 0x02, 0x58});             // 60.0 degrees, above the 55.0 alarm
    EXPECT_TRUE(sim.discreteInput(14, now));
    EXPECT_FALSE(sim.discreteInput(15, now));
    writeRegisters(28, {700, 0xFF9C});            // alarm raised to 70.0
    EXPECT_FALSE(sim.discreteInput(14, now));
    serve({0x06, 0, 30, 0xFF, 0x6A});             // -15.0, below the -10.0 alarm
    EXPECT_TRUE(sim.discreteInput(15, now));

    writeRegisters(39, {500, 490});               // nominal 48 V is now below the low limit
    EXPECT_TRUE(sim.discreteInput(13, now));
    EXPECT_FALSE(sim.discreteInput(12, now));
    writeRegisters(39, {470, 240});
    EXPECT_TRUE(sim.discreteInput(12, now));
}

TEST_F(SimControllerTest, HeaterWorksBelowItsStartTemperature)
{
    serve({0x06, 0, 30, 0, 20});                  // 2.0 degrees, heater starts at 5.0
    wait(1000);
    EXPECT_TRUE(sim.coil(5, now));
    EXPECT_NEAR(static_cast<std::int16_t>(sim.inputRegister(10, now)), 60, 2);
    EXPECT_FALSE(sim.discreteInput(7, now));
    serve({0x06, 0, 30, 0, 90});                  // 9.0: above start plus hysteresis
    wait(1000);
    EXPECT_FALSE(sim.coil(5, now));
    EXPECT_EQ(sim.inputRegister(10, now), 0);
}

TEST_F(SimControllerTest, CompressorStartsAndStopsWithHysteresis)
{
    serve({0x06, 0, 30, 0x01, 0x6D});             // 36.5, start at 35.0
    wait(20000);
    EXPECT_TRUE(sim.coil(4, now));
    EXPECT_GT(static_cast<std::int16_t>(sim.inputRegister(7, now)), 1800);
    EXPECT_GT(static_cast<std::int16_t>(sim.inputRegister(8, now)), 40);
    serve({0x06, 0, 30, 0x01, 0x4A});             // 33.0: within the 3.0 hysteresis
    wait(1000);
    EXPECT_TRUE(sim.coil(4, now));
    serve({0x06, 0, 30, 0x01, 0x2C});             // 30.0: below it
    wait(1000);
    EXPECT_FALSE(sim.coil(4, now));
}

TEST_F(SimControllerTest, FanStopsBelowStopTemperatureAndRestartsAboveHysteresis)
{
    serve({0x06, 0, 30, 0, 40});                  // 4.0, internal stop at 5.0
    wait(20000);
    EXPECT_FALSE(sim.coil(0, now));
    EXPECT_LT(sim.inputRegister(0, now), 20);
    serve({0x06, 0, 30, 0, 90});                  // 9.0: still below 5.0 + 5.0
    wait(1000);
    EXPECT_FALSE(sim.coil(0, now));
    serve({0x06, 0, 30, 0, 100});
    wait(1000);
    EXPECT_TRUE(sim.coil(0, now));
}

TEST(SimControllerScenario, StalledFanRaisesItsAlarmAfterSpinUp)
{
    SimController::Options options;
    options.scenarios = {AlarmScenario::FanStall};
    SimController sim(options, kStart);
    sim.discreteInput(1, kStart);
    EXPECT_FALSE(sim.discreteInput(1, kStart + 1000));
    EXPECT_TRUE(sim.discreteInput(1, kStart + 10000));
    EXPECT_TRUE(sim.coil(1, kStart + 10000));
    EXPECT_FALSE(sim.discreteInput(0, kStart + 10000));
}

TEST(SimControllerScenario, EachScenarioLightsItsInput)
{
    const std::pair<AlarmScenario, int> cases[] = {
        {AlarmScenario::HighTemp, 14},   {AlarmScenario::LowTemp, 15},     {AlarmScenario::SupplyHigh, 12},
        {AlarmScenario::SupplyLow, 13},  {AlarmScenario::Sensor, 10},      {AlarmScenario::HighPressure, 16},
        {AlarmScenario::LowPressure, 17},
    };
    for (const auto& [scenario, input] : cases) {
        SimController::Options options;
        options.supplyDips = false;
        options.scenarios = {scenario};
        SimController sim(options, kStart);
        EXPECT_TRUE(sim.discreteInput(input, kStart + 2000)) << "input " << input;
    }
}

TEST(SimControllerScenario, SupplyDipsNowAndThen)
{
    SimController sim({}, 0);
    EXPECT_FALSE(sim.discreteInput(13, 100000));
    EXPECT_TRUE(sim.discreteInput(13, 155000));
    EXPECT_FALSE(sim.discreteInput(13, 170000));
    EXPECT_TRUE(sim.discreteInput(13, 335000));
}

} // namespace
