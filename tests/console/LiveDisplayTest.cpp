#include "console/LiveDisplay.h"
#include "console/LiveView.h"
#include "console/LiveWidgets.h"
#include "link/LinkState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A window made of named numbers: enough to watch what the display timers do.
class MapLiveView : public LiveView {
public:
    double widgetProperty(const std::string& widget, const std::string& property) const override
    {
        auto it = props.find({widget, property});
        return it == props.end() ? 0 : it->second;
    }
    void setWidgetProperty(const std::string& widget, const std::string& property, double value) override
    {
        // The bar keeps its position within 0..PositionMax like the real widget.
        if (widget == "iLedBar1" && property == "Position")
            value = std::clamp(value, 0.0, 100.0);
        props[{widget, property}] = value;
    }
    void setControlText(const std::string& control, const std::string& text) override { texts[control] = text; }
    std::string text(const std::string& control) const override
    {
        auto it = texts.find(control);
        return it == texts.end() ? std::string() : it->second;
    }
    void setWindowSize(int width, int height) override { size = {width, height}; }
    void setTimer1Interval(int milliseconds) override { intervals.push_back(milliseconds); }
    void showMessage(const std::string& text, const std::string& caption) override { messages.push_back({text, caption}); }

    bool lit(const std::string& lamp) const { return widgetProperty(lamp, "Active") != 0; }

    std::map<std::pair<std::string, std::string>, double> props;
    std::map<std::string, std::string> texts;
    std::pair<int, int> size{0, 0};
    std::vector<int> intervals;
    std::vector<std::pair<std::string, std::string>> messages;
};

class LiveDisplayTest : public ::testing::Test {
protected:
    LinkState state;
    MapLiveView view;
    bool portOpen = true;
    LiveDisplay display{state, view, [this] { return portOpen; }};

    // Keeps the link alive across ticks, as replies arriving would.
    void tickAlive()
    {
        state.LinkAliveCountdown = 10;
        display.Timer1Timer();
    }
};

TEST_F(LiveDisplayTest, AlarmLampIsLitInTheLongPhaseAndDarkInTheShortOne)
{
    state.Live.HighTempAlarm = 1;
    tickAlive();
    EXPECT_TRUE(view.lit("iLedRound13"));
    EXPECT_EQ(view.intervals.back(), 1000);
    EXPECT_FALSE(view.lit("iLedRound14"));
    tickAlive();
    EXPECT_FALSE(view.lit("iLedRound13"));
    EXPECT_EQ(view.intervals.back(), 500);
    tickAlive();
    EXPECT_TRUE(view.lit("iLedRound13"));
    EXPECT_EQ(view.intervals.back(), 1000);
}

TEST_F(LiveDisplayTest, EitherFlagOfAPairLightsItsLamp)
{
    state.Live.CompAlarm2 = 1;
    state.Live.SupplyAlarm1 = 1;
    tickAlive();
    EXPECT_TRUE(view.lit("iLedRound16"));
    EXPECT_TRUE(view.lit("iLedRound17"));
    EXPECT_FALSE(view.lit("iLedRound6"));
}

TEST_F(LiveDisplayTest, EachAlarmFlagLightsItsOwnLampOnly)
{
    struct Case { std::uint8_t* flag; const char* lamp; };
    const std::vector<Case> cases{
        {&state.Intfan1.Alarm, "iLedRound5"},       {&state.Intfan2.Alarm, "iLedRound7"},
        {&state.Extfan1.Alarm, "iLedRound8"},       {&state.Extfan2.Alarm, "iLedRound9"},
        {&state.Live.HighPressureAlarm, "iLedRound10"}, {&state.Live.Sensor1Alarm, "iLedRound11"},
        {&state.Live.Sensor2Alarm, "iLedRound12"},  {&state.Live.HighTempAlarm, "iLedRound13"},
        {&state.Live.LowTempAlarm, "iLedRound14"},  {&state.Live.LowPressureAlarm, "iLedRound15"},
        {&state.Live.CompAlarm1, "iLedRound16"},    {&state.Live.SupplyAlarm2, "iLedRound17"},
        {&state.Live.HeaterAlarm, "iLedRound6"},
    };
    for (const Case& c : cases) {
        LinkState fresh;
        state = fresh;
        LiveDisplay lamps(state, view, [] { return true; });
        *c.flag = 1;
        state.LinkAliveCountdown = 10;
        lamps.Timer1Timer();
        for (int n = 5; n <= 17; ++n) {
            const std::string lamp = "iLedRound" + std::to_string(n);
            EXPECT_EQ(view.lit(lamp), lamp == c.lamp) << c.lamp << " vs " << lamp;
        }
    }
}

TEST_F(LiveDisplayTest, BarCreepsWhileAliveAndWrapsFromFullToThree)
{
    view.props[{"iLedBar1", "Position"}] = 5;
    tickAlive();
    EXPECT_EQ(view.widgetProperty("iLedBar1", "Position"), 6);
    EXPECT_EQ(view.widgetProperty("iLedBar1", "SectionColor1"), LinkBarColor::Alive);
    view.props[{"iLedBar1", "Position"}] = 100;
    tickAlive();
    EXPECT_EQ(view.widgetProperty("iLedBar1", "Position"), 3);
    display.linkStep();
    EXPECT_EQ(view.widgetProperty("iLedBar1", "Position"), 4);
    EXPECT_EQ(view.size, std::make_pair(810, 646));
}

TEST_F(LiveDisplayTest, CountdownRunningOutTurnsTheBarRedAndZeroesEveryDisplay)
{
    view.props[{"iLedBar1", "Position"}] = 40;
    state.LinkAliveCountdown = 3;
    state.Intfan1.Speed = 1500;
    state.Live.CompAlarm2 = 1;
    state.Live.HighPressureAlarm = 1;
    state.Live.LowPressureAlarm = 1;
    state.Live.ForceOn = 1;
    state.Live.SelfCheckRunning = 1;
    for (const char* w : {"iAngularGauge1", "iAngularGauge6", "iThermometer1", "iAngularGauge5"})
        view.props[{w, "Position"}] = 42;
    for (const char* w : {"iOdometer1", "iOdometer5", "iAnalogOutput2", "iAnalogOutput3"})
        view.props[{w, "Value"}] = 42;
    view.props[{"iSwitchRotary1", "Position"}] = 0;
    view.texts["Edit19"] = "1500";
    view.texts["Edit3"] = "25.5";

    for (int i = 0; i < 3; ++i)
        display.Timer1Timer();
    EXPECT_EQ(view.widgetProperty("iLedBar1", "SectionColor1"), LinkBarColor::Alive);
    EXPECT_EQ(state.LinkAliveCountdown, 0);
    display.Timer1Timer();

    EXPECT_EQ(view.widgetProperty("iLedBar1", "Position"), 100);
    EXPECT_EQ(view.widgetProperty("iLedBar1", "SectionColor1"), LinkBarColor::Lost);
    for (const char* w : {"iAngularGauge1", "iAngularGauge6", "iThermometer1", "iAngularGauge5"})
        EXPECT_EQ(view.widgetProperty(w, "Position"), 0) << w;
    for (const char* w : {"iOdometer1", "iOdometer5", "iAnalogOutput2", "iAnalogOutput3"})
        EXPECT_EQ(view.widgetProperty(w, "Value"), 0) << w;
    EXPECT_EQ(view.texts["Edit19"], "0");
    EXPECT_EQ(view.texts["Edit20"], "0");
    EXPECT_EQ(state.Intfan1.Speed, 0u);
    EXPECT_EQ(state.Live.CompAlarm2, 0);
    EXPECT_EQ(state.Live.HighPressureAlarm, 0);
    EXPECT_EQ(state.Live.LowPressureAlarm, 0);
    EXPECT_FALSE(view.lit("iSwitchLed1"));

    // Kept as last read: the knobs, the compressor set-point and the output flags.
    EXPECT_EQ(view.texts["Edit3"], "25.5");
    EXPECT_EQ(view.widgetProperty("iSwitchRotary1", "Position"), 0);
    EXPECT_EQ(state.Live.ForceOn, 1);
    EXPECT_EQ(state.Live.SelfCheckRunning, 1);
}

// The readings behind the zeroed displays drop to zero with them, so the
// next poll update cannot bring an old value back; the set-points read
// back from the controller stay.
TEST_F(LiveDisplayTest, LinkLossZeroesTheReadingsBehindTheDisplays)
{
    LiveStatus& live = state.Live;
    live.IndoorTemp = 215;
    live.OutdoorTemp = -40;
    live.SupplyVoltage = 480;
    live.CompSpeed = 3000;
    live.CompGauge = 12;
    live.HeaterCurrent = 31;
    live.PolledCompStartTemp = 250;
    state.Extfan2.Speed = 900;
    state.LinkAliveCountdown = 0;
    display.Timer1Timer();
    EXPECT_EQ(live.IndoorTemp, 0);
    EXPECT_EQ(live.OutdoorTemp, 0);
    EXPECT_EQ(live.SupplyVoltage, 0);
    EXPECT_EQ(live.CompSpeed, 0);
    EXPECT_EQ(live.CompGauge, 0);
    EXPECT_EQ(live.HeaterCurrent, 0);
    EXPECT_EQ(state.Extfan2.Speed, 0u);
    EXPECT_EQ(live.PolledCompStartTemp, 250);

    // Every display the reset zeroes is one the poll fills again, and no
    // display is listed twice.
    std::set<std::pair<std::string, std::string>> seen;
    for (const LiveWidgets::Row& row : LiveWidgets::kRows) {
        const std::string property = row.property == nullptr ? "" : row.property;
        EXPECT_TRUE(seen.emplace(row.widget, property).second) << row.widget;
        const bool hasSource = row.property == nullptr ? row.text != nullptr : row.value != nullptr;
        EXPECT_EQ(hasSource, row.step != LiveWidgets::kNoStep) << row.widget;
    }
}

TEST_F(LiveDisplayTest, BeforeAnyReplyEveryLampStaysDark)
{
    state.Live.HighTempAlarm = 1;
    state.Intfan2.Alarm = 1;
    for (int i = 0; i < 4; ++i) {
        display.Timer1Timer();
        for (int n = 5; n <= 17; ++n)
            EXPECT_FALSE(view.lit("iLedRound" + std::to_string(n)));
    }
}

TEST_F(LiveDisplayTest, SelfCheckLampBlinksOnlyWhileForcedAndChecking)
{
    state.Live.ForceOn = 1;
    state.Live.SelfCheckRunning = 1;
    display.Timer3Timer();
    const bool first = view.lit("iLedRound18");
    EXPECT_TRUE(view.lit("iSwitchLed3"));
    display.Timer3Timer();
    EXPECT_NE(view.lit("iLedRound18"), first);
    display.Timer3Timer();
    EXPECT_EQ(view.lit("iLedRound18"), first);

    state.Live.SelfCheckRunning = 0;
    display.Timer3Timer();
    EXPECT_TRUE(view.lit("iLedRound18"));
    EXPECT_FALSE(view.lit("iSwitchLed3"));

    state.Live.ForceOn = 0;
    display.Timer3Timer();
    EXPECT_FALSE(view.lit("iLedRound18"));
    EXPECT_FALSE(view.lit("iSwitchLed3"));
}

TEST_F(LiveDisplayTest, OnSwitchAsksForTheOppositeOfTheLastReadState)
{
    state.PollStep = 2;
    state.CommandArmed = 0;
    state.Live.ForceOn = 1;
    display.iSwitchLed1Click();
    EXPECT_EQ(state.CoilWriteValue, 0);
    EXPECT_EQ(state.LiveAction, LiveActionCode::ForceOutput);
    EXPECT_EQ(state.CommandArmed, 1);
    EXPECT_EQ(state.PollStep, 0);

    state.Live.ForceOn = 0;
    display.iSwitchLed1Click();
    EXPECT_EQ(state.CoilWriteValue, 0xFF00);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(LiveDisplayTest, ReCheckIsRefusedWhileTheSelfCheckRuns)
{
    state.Live.SelfCheckRunning = 1;
    state.PollStep = 2;
    display.iSwitchLed3Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], std::make_pair(std::string("SelfCheck Running, Please try later!!!"),
                                               std::string("Please try later")));
    EXPECT_EQ(state.LiveAction, 0);
    EXPECT_EQ(state.PollStep, 2);

    state.Live.SelfCheckRunning = 0;
    display.iSwitchLed3Click();
    EXPECT_EQ(state.LiveAction, LiveActionCode::ReCheck);
    EXPECT_EQ(state.CoilWriteValue, 0xFF00);
}

TEST_F(LiveDisplayTest, SwitchesQueueNothingWithoutAPort)
{
    portOpen = false;
    display.iSwitchLed1Click();
    display.iSwitchLed3Click();
    EXPECT_EQ(state.LiveAction, 0);
    ASSERT_EQ(view.messages.size(), 2u);
    EXPECT_EQ(view.messages[0], std::make_pair(std::string("ComPort Not Open!!"), std::string("Comm Error")));
}

} // namespace
