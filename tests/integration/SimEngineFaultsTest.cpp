#include "SimEngineRig.h"

#include <gtest/gtest.h>

namespace {

// Replies that are due quickly come at once; only time-outs are waited out,
// so a short wait per tick keeps these tests brisk.
constexpr int kBriskTickMs = 2;

FaultSettings only(double FaultSettings::*mode, double share = 1.0)
{
    FaultSettings settings;
    settings.*mode = share;
    return settings;
}

bool shown(const RecordingView& view, const std::string& text, const std::string& caption)
{
    for (const auto& m : view.messages) {
        if (m.text == text && m.caption == caption)
            return true;
    }
    return false;
}

// A Read All that is refused writes no control at all.
void expectReadAllRefused(SimEngineRig& rig)
{
    rig.view.clear();
    ASSERT_TRUE(rig.runCommand(Command::ReadAll));
    EXPECT_TRUE(rig.view.texts.empty());
    EXPECT_TRUE(rig.view.comboIndexes.empty());
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(SimEngineFaults, LateRepliesWithinTheWindowSucceed)
{
    FaultSettings late;
    late.delayMs = 400;   // past the 200 and 300 ms reply delays, inside the reading ticks
    SimEngineRig rig(late);
    ASSERT_TRUE(rig.ok());
    rig.state.Settings.TempAlarmHigh = 500;
    ASSERT_TRUE(rig.runCommand(Command::SetTempAlarm));
    EXPECT_TRUE(shown(rig.view, "Set Successfully", "Set Alarm TEMP"));

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_GT(rig.state.Intfan1.Speed, 500u);
}

TEST(SimEngineFaults, RepliesAfterTheWindowEndByTimeOut)
{
    FaultSettings late;
    late.delayMs = 5000;
    SimEngineRig rig(late, kBriskTickMs);
    ASSERT_TRUE(rig.ok());
    ASSERT_TRUE(rig.runCommand(Command::SetTempAlarm));
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.state.CommandCode, Command::None);

    rig.state.CoilWriteValue = 0xFF00;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::ForceOutput));
    EXPECT_TRUE(shown(rig.view, "Force Fail!", "Force Status"));
    EXPECT_FALSE(shown(rig.view, "Force Successfully!", "Force Status"));
}

TEST(SimEngineFaults, CorruptedRepliesNeverPass)
{
    SimEngineRig rig(only(&FaultSettings::corruptCrc), kBriskTickMs);
    ASSERT_TRUE(rig.ok());
    expectReadAllRefused(rig);
    ASSERT_TRUE(rig.runCommand(Command::SetIntfan));
    ASSERT_TRUE(rig.runCommand(Command::ReadVersion));
    ASSERT_TRUE(rig.runCommand(Command::FetchIntCurve, 2));
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(rig.view.curves.empty());
    EXPECT_FALSE(rig.view.hasText("SWV"));

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_EQ(rig.state.Intfan1.Speed, 0u);
    EXPECT_FALSE(rig.view.hasText("Edit19"));
    EXPECT_EQ(rig.view.linkSteps, 0);

    rig.state.CoilWriteValue = 0xFF00;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::ForceOutput));
    EXPECT_TRUE(shown(rig.view, "Force Fail!", "Force Status"));
}

TEST(SimEngineFaults, StrayBytesMakeWrongReplies)
{
    SimEngineRig rig(only(&FaultSettings::stray), kBriskTickMs);
    ASSERT_TRUE(rig.ok());
    expectReadAllRefused(rig);
    ASSERT_TRUE(rig.runCommand(Command::SetIntfan));
    ASSERT_TRUE(rig.runCommand(Command::FactoryReset));
    EXPECT_TRUE(rig.view.messages.empty());

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(2));
    EXPECT_EQ(rig.state.Intfan1.Speed, 0u);
    EXPECT_FALSE(rig.view.hasText("Edit3"));

    rig.state.Settings.DebugTemperature = 250;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::DebugTemperature));
    EXPECT_TRUE(shown(rig.view, "Adopt Realtime Temperature!!", "Set Unsuccessfully"));
    EXPECT_FALSE(shown(rig.view, "Adopt Realtime Temperature!!", "Set Correctly"));
}

TEST(SimEngineFaults, RepliesFromAnotherAddressAreRefused)
{
    // Wrong replies end at once; the full wait only guards the count of link steps.
    SimEngineRig rig(only(&FaultSettings::wrongAddress));
    ASSERT_TRUE(rig.ok());
    expectReadAllRefused(rig);
    rig.view.clear();
    ASSERT_TRUE(rig.runCommand(Command::SetIntfan));
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.view.linkSteps, 1);   // a wrong reply to the fan commands still shows traffic

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(1));
    EXPECT_EQ(rig.state.Intfan1.Speed, 0u);

    rig.state.CoilWriteValue = 0xFF00;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::ReCheck));
    EXPECT_TRUE(shown(rig.view, "Force Fail!", "Force Status"));
}

TEST(SimEngineFaults, UnansweredRequestsEndByTimeOut)
{
    SimEngineRig rig(only(&FaultSettings::drop), kBriskTickMs);
    ASSERT_TRUE(rig.ok());
    expectReadAllRefused(rig);
    rig.state.Settings.DebugTemperature = 250;
    ASSERT_TRUE(rig.runLiveAction(LiveActionCode::DebugTemperature));
    EXPECT_TRUE(shown(rig.view, "Adopt Realtime Temperature!!", "Set Unsuccessfully"));
    EXPECT_FALSE(rig.view.hasText("Edit11"));   // kept for another try
    EXPECT_EQ(rig.view.linkSteps, 0);
}

TEST(SimEngineFaults, MixedFaultsNeverMislead)
{
    FaultSettings mixed;
    mixed.drop = 0.15;
    mixed.corruptCrc = 0.15;
    mixed.stray = 0.15;
    mixed.wrongAddress = 0.15;
    mixed.seed = 11;
    SimEngineRig rig(mixed, kBriskTickMs);
    ASSERT_TRUE(rig.ok());

    int good = 0;
    for (int round = 0; round < 8; ++round) {
        rig.view.clear();
        ASSERT_TRUE(rig.runCommand(Command::ReadAll));
        if (rig.view.texts.empty())
            continue;
        // Every control or none: a reply is taken whole or not at all.
        ++good;
        EXPECT_EQ(rig.view.texts.size(), 34u);
        EXPECT_EQ(rig.view.comboIndexes.size(), 7u);
        EXPECT_EQ(rig.view.text("Edit12"), "300");
        EXPECT_EQ(rig.view.text("Edit25"), "-10");
        EXPECT_EQ(rig.view.text("Edit31"), "4500");
    }
    EXPECT_GT(good, 0);

    rig.slave.advance(30000);
    ASSERT_TRUE(rig.runPollCycles(4));
    EXPECT_LE(rig.state.Intfan1.Speed, 2600u);
}

} // namespace
