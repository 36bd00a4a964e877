#include "SimEngineRig.h"

#include <gtest/gtest.h>

namespace {

using Message = std::pair<std::string, std::string>;

Message lastMessage(const RecordingView& view)
{
    if (view.messages.empty())
        return {};
    return {view.messages.back().text, view.messages.back().caption};
}

class SimEngine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.ok()); }

    // Writes a block with a configuration command, then reads everything
    // back with Read All and returns the texts the controls received.
    void setThenReadAll(std::uint8_t code, const Message& expected)
    {
        SCOPED_TRACE(int(code));
        rig.view.clear();
        ASSERT_TRUE(rig.runCommand(code));
        EXPECT_EQ(lastMessage(rig.view), expected);
        rig.view.clear();
        ASSERT_TRUE(rig.runCommand(Command::ReadAll));
        EXPECT_TRUE(rig.view.messages.empty());
    }

    SimEngineRig rig;
};

TEST_F(SimEngine, EveryWriteCommandLandsAndReadsBack)
{
    LinkState& s = rig.state;
    s.Intfan1.StepRev = 250;
    s.Intfan1.MaxRev = 2100;
    s.Intfan1.MinRev = 700;
    s.Intfan1.StepTemp = 40;
    s.Intfan1.MaxTemp = 330;
    s.Intfan1.MinTemp = 180;
    s.Intfan1.StopTemp = -50;
    s.Intfan1.DeltTemp = 45;
    s.Intfan1.PulseNo = 4;
    s.Intfan1.Enable = 1;
    s.Intfan2.Enable = 0;
    setThenReadAll(Command::SetIntfan, {"Set Successfully!", "Set Intfan1"});
    EXPECT_EQ(rig.view.text("Edit12"), "250");
    EXPECT_EQ(rig.view.text("Edit6"), "-5");
    EXPECT_EQ(rig.view.text("Edit7"), "4.5");
    EXPECT_EQ(rig.view.text("Edit41"), "4");
    EXPECT_EQ(rig.view.comboIndexes.at("ComboBox2"), 0);

    s.Extfan1.StepRev = 100;
    s.Extfan1.MaxRev = 2600;
    s.Extfan1.MinRev = 1000;
    s.Extfan1.Enable = 1;
    s.Extfan2.Enable = 1;
    setThenReadAll(Command::SetExtfan, {"Set Successfully", "Set Extfan1!"});
    EXPECT_EQ(rig.view.text("Edit8"), "2600");

    s.Settings.HeaterStartTemp = 30;
    s.Settings.HeaterDeltTemp = 20;
    s.Settings.HeaterMaxCurrent = 75;
    s.Settings.HeaterMinCurrent = 35;
    s.Settings.HeaterEnable = 1;
    setThenReadAll(Command::SetHeater, {"Set Successfully", "Set Heater!"});
    EXPECT_EQ(rig.view.text("Edit50"), "7.5");

    s.Settings.TempAlarmHigh = 450;
    s.Settings.TempAlarmLow = -50;
    setThenReadAll(Command::SetTempAlarm, {"Set Successfully", "Set Alarm TEMP"});
    EXPECT_EQ(rig.view.text("Edit24"), "45");
    EXPECT_EQ(rig.view.text("Edit25"), "-5");

    s.Settings.CalTemp1 = 5;
    s.Settings.CalTemp2 = -3;
    setThenReadAll(Command::SetCalibration, {"Set Successfully", "Calibrate Temp"});
    EXPECT_EQ(rig.view.text("Edit2"), "-0.3");

    s.Settings.ExtInputEnable = 1;
    s.Settings.ExtInputType = 1;
    setThenReadAll(Command::SetExtInput, {"Set Successfully", "Extinput Option"});
    EXPECT_EQ(rig.view.comboIndexes.at("ComboBox7"), 1);

    s.Settings.VoltAlarmHigh = 600;
    s.Settings.VoltAlarmLow = 400;
    setThenReadAll(Command::SetVoltAlarm, {"Set Successfully", "Set Alarm Voltage"});
    EXPECT_EQ(rig.view.text("Edit18"), "60");

    s.Settings.CompStartTemp = 300;
    s.Settings.CompDeltTemp = 25;
    s.Settings.CompMaxRPM = 4000;
    setThenReadAll(Command::SetCompressor, {"Set Successfully", "Set Compressor"});
    EXPECT_EQ(rig.view.text("Edit31"), "4000");
    EXPECT_EQ(rig.view.text("Edit29"), "2.5");
}

TEST_F(SimEngine, NewAddressIsFollowedByBothSides)
{
    rig.state.Settings.NewDeviceAddress = 17;
    ASSERT_TRUE(rig.runCommand(Command::SetAddress));
    ASSERT_FALSE(rig.view.messages.empty());
    EXPECT_EQ(rig.view.messages.back().text, "Set Successfully");
    EXPECT_EQ(rig.state.SlaveAddress, 17u);
    rig.view.clear();
    ASSERT_TRUE(rig.runCommand(Command::ReadAll));
    EXPECT_EQ(rig.view.text("Edit4"), "17");
}

TEST_F(SimEngine, FirmwareAndFactoryReset)
{
    ASSERT_TRUE(rig.runCommand(Command::ReadVersion));
    EXPECT_EQ(rig.view.text("SWV"), "HX-CTRL V2.13 SIM");

    rig.state.Settings.CompMaxRPM = 1234;
    ASSERT_TRUE(rig.runCommand(Command::SetCompressor));
    ASSERT_TRUE(rig.runCommand(Command::FactoryReset));
    EXPECT_EQ(lastMessage(rig.view), (Message{"Parameter Reset Successfully", "Parameter"}));
    ASSERT_TRUE(rig.runCommand(Command::ReadAll));
    EXPECT_EQ(rig.view.text("Edit31"), "4500");
}

TEST_F(SimEngine, CurveFetchDrawsTheFactoryCurve)
{
    ASSERT_TRUE(rig.runCommand(Command::FetchIntCurve, 2));
    ASSERT_EQ(rig.view.curves.size(), 1u);
    EXPECT_EQ(rig.view.curves[0].channel, 0);
    EXPECT_EQ(rig.state.IntfanCurve.MaxRev, 2200u);
    EXPECT_FLOAT_EQ(rig.state.IntfanCurve.StopTemp, 5.0f);
    ASSERT_TRUE(rig.runCommand(Command::FetchExtCurve, 2));
    ASSERT_EQ(rig.view.curves.size(), 2u);
    EXPECT_EQ(rig.view.curves[1].channel, 1);
    EXPECT_EQ(rig.state.ExtfanCurve.MinRev, 900u);
}

TEST_F(SimEngine, LivePollAndActions)
{
    // Regulate on 30.0 degrees: internal fans at 800 + 10/15 of 1400 rpm.
    rig.state.Settings.DebugTemperature = 300;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::DebugTemperature));
    EXPECT_EQ(lastMessage(rig.view), (Message{"Adopt Realtime Temperature!!", "Set Correctly"}));

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_NEAR(rig.state.Intfan1.Speed, 1733, 20);
    EXPECT_EQ(rig.state.Intfan1.Running, 1);
    EXPECT_DOUBLE_EQ(rig.view.property("iThermometer1", "Position"), 30.0);
    EXPECT_EQ(rig.view.text("Edit3"), "35");
    EXPECT_NEAR(rig.view.property("iAngularGauge5", "Position"), 48.0, 0.3);

    rig.state.CoilWriteValue = 0xFF00;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::ForceOutput));
    EXPECT_EQ(lastMessage(rig.view), (Message{"Force Successfully!", "Force Status"}));
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::ReCheck));
    EXPECT_EQ(lastMessage(rig.view), (Message{"Force Successfully!", "Force Status"}));
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_EQ(rig.state.Live.ForceOn, 1);
    EXPECT_EQ(rig.state.Live.SelfCheckRunning, 1);
    rig.slave.advance(SimController::kSelfCheckMillis);
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_EQ(rig.state.Live.SelfCheckRunning, 0);

    // 60.0 degrees is above the factory alarm of 55.0.
    rig.state.Settings.DebugTemperature = 600;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::DebugTemperature));
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_EQ(rig.state.Live.HighTempAlarm, 1);
    EXPECT_EQ(rig.state.Live.LowTempAlarm, 0);
}

} // namespace
