#include "gui/LiveHarness.h"
#include "support/FakeController.h"

#include "link/LinkState.h"
#include "console/LiveDisplay.h"
#include "widgets/TiSwitchLed.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

using Bytes = FakeSerialPort::Bytes;

// The window with its port open through "Open", the RealTimeData sheet shown
// and the fake controller answering; the test ticks the timers itself.
struct LiveWindow : LiveHarness {
    FakeController controller;

    LiveWindow()
    {
        form->setText("rdCOM", "COM1");
        form->Button1Click();
        form->timer1().stop();
        form->timer2().stop();
        form->pages().setCurrentIndex(1);
        // The compressor set-points the poll reads, in tenths.
        controller.holding[41] = 250;
        controller.holding[42] = 20;
        port->setResponder(controller.responder());
    }

    void engineTick()
    {
        port->advance();
        form->Timer2Timer();
    }
    // Ticks the engine until a whole poll cycle (four steps) has been answered.
    void pollCycle()
    {
        const std::size_t before = port->written().size();
        for (int i = 0; i < 100 && port->written().size() < before + 4; ++i)
            engineTick();
        engineTick();
        engineTick();
    }
    bool active(const char* widget) const { return property(widget, "Active") != 0; }
};

TEST(LiveEngine, CoilReplySetsRunningLampsKnobsAndForceOnSwitch)
{
    LiveWindow w;
    w.controller.setCoilBytes({0x15, 0x10});
    w.pollCycle();

    EXPECT_TRUE(w.active("iLedRound1"));
    EXPECT_FALSE(w.active("iLedRound2"));
    EXPECT_TRUE(w.active("iLedRound3"));
    EXPECT_FALSE(w.active("iLedRound4"));
    EXPECT_EQ(w.property("iSwitchRotary2", "Position"), 0);   // "On"
    EXPECT_EQ(w.property("iSwitchRotary1", "Position"), 1);   // "Off"
    EXPECT_TRUE(w.active("iSwitchLed1"));
    EXPECT_EQ(w.form->linkState().Live.ForceOn, 1);
    EXPECT_TRUE(w.boxes->empty());
}

TEST(LiveEngine, InputRegistersReachTheRealWidgets)
{
    LiveWindow w;
    w.controller.input = {0xFFFF, 1200, 2300, 2400, 0xFF38, 255, 480, 1450, 125, 0, 32, 0, 0};
    w.pollCycle();

    EXPECT_EQ(w.form->text("Edit19"), "65535");
    EXPECT_EQ(w.form->text("Edit20"), "2300");
    EXPECT_DOUBLE_EQ(w.property("iAnalogOutput3", "Value"), -20.0);
    EXPECT_DOUBLE_EQ(w.property("iThermometer1", "Position"), -20.0);
    EXPECT_DOUBLE_EQ(w.property("iAnalogOutput4", "Value"), 25.5);
    EXPECT_DOUBLE_EQ(w.property("iAngularGauge5", "Position"), 48.0);
    EXPECT_DOUBLE_EQ(w.property("iOdometer5", "Value"), 1450);
    EXPECT_DOUBLE_EQ(w.property("iAngularGauge6", "Position"), 3.2);
    EXPECT_DOUBLE_EQ(w.property("iAngularGauge2", "Position"), 1200);
    EXPECT_DOUBLE_EQ(w.property("iOdometer4", "Value"), 2400);
    // The fan dial stops at its maximum; the text keeps the full unsigned speed.
    EXPECT_DOUBLE_EQ(w.property("iAngularGauge1", "Position"), 3000);
    EXPECT_EQ(w.form->text("Edit3"), "25");
    EXPECT_EQ(w.form->text("Edit32"), "2");
}

TEST(LiveEngine, AlarmLampBlinksLitThenDarkThroughTimer1)
{
    LiveWindow w;
    w.controller.setDiscreteBytes({0x01, 0x00, 0x00});   // Intfan1 alarm
    w.pollCycle();
    ASSERT_EQ(w.form->linkState().Intfan1.Alarm, 1);
    ASSERT_GT(w.form->linkState().LinkAliveCountdown, 0);

    w.form->Timer1Timer();
    EXPECT_TRUE(w.active("iLedRound5"));
    EXPECT_FALSE(w.active("iLedRound7"));
    EXPECT_EQ(w.form->timer1().interval(), 1000);
    w.form->Timer1Timer();
    EXPECT_FALSE(w.active("iLedRound5"));
    EXPECT_EQ(w.form->timer1().interval(), 500);
    w.form->Timer1Timer();
    EXPECT_TRUE(w.active("iLedRound5"));
    EXPECT_EQ(w.form->timer1().interval(), 1000);
    // Green and creeping while the link lives.
    EXPECT_EQ(static_cast<int>(w.property("iLedBar1", "SectionColor1")), LinkBarColor::Alive);
}

TEST(LiveEngine, LinkLossTurnsTheBarRedAndZeroesEveryDisplay)
{
    LiveWindow w;
    w.controller.setCoilBytes({0x0F, 0x10});
    w.controller.setDiscreteBytes({0xFF, 0xFF, 0x03});
    w.controller.input = {1500, 1200, 2300, 2400, 250, 255, 480, 1450, 125, 0, 32, 0, 0};
    w.pollCycle();
    w.form->Timer3Timer();
    ASSERT_TRUE(w.active("iSwitchLed1"));

    // The controller falls silent: the countdown runs out on Timer1 alone.
    w.port->clearResponder();
    for (int tick = 0; tick < 11; ++tick)
        w.form->Timer1Timer();

    EXPECT_DOUBLE_EQ(w.property("iLedBar1", "Position"), 100);
    EXPECT_EQ(static_cast<int>(w.property("iLedBar1", "SectionColor1")), LinkBarColor::Lost);
    EXPECT_EQ(w.form->text("Edit19"), "0");
    EXPECT_EQ(w.form->text("Edit20"), "0");
    for (const char* widget : {"iAngularGauge1", "iAngularGauge2", "iAngularGauge3", "iAngularGauge4", "iAngularGauge5",
                               "iAngularGauge6", "iAngularGauge7", "iThermometer1", "iThermometer2"})
        EXPECT_DOUBLE_EQ(w.property(widget, "Position"), 0) << widget;
    for (const char* widget : {"iOdometer1", "iOdometer2", "iOdometer3", "iOdometer4", "iOdometer5", "iAnalogOutput1",
                               "iAnalogOutput2", "iAnalogOutput3", "iAnalogOutput4", "iAnalogOutput5"})
        EXPECT_DOUBLE_EQ(w.property(widget, "Value"), 0) << widget;
    for (const char* lamp : {"iLedRound1", "iLedRound2", "iLedRound3", "iLedRound4", "iLedRound5", "iLedRound6",
                             "iLedRound7", "iLedRound8", "iLedRound9", "iLedRound10", "iLedRound11", "iLedRound12",
                             "iLedRound13", "iLedRound14", "iLedRound15", "iLedRound16", "iLedRound17",
                             "iSwitchLed1", "iSwitchLed3"})
        EXPECT_FALSE(w.active(lamp)) << lamp;
    // What was last read of the set-points and switches stays.
    EXPECT_EQ(w.form->text("Edit3"), "25");
    EXPECT_EQ(w.property("iSwitchRotary2", "Position"), 1);
}

TEST(LiveEngine, ReCheckWhileTheSelfCheckRunsIsRefusedAndQueuesNothing)
{
    LiveWindow w;
    w.controller.input[11] = 0x0001;
    w.pollCycle();
    ASSERT_EQ(w.form->linkState().Live.SelfCheckRunning, 1);
    const std::size_t sent = w.port->written().size();
    w.form->show();

    auto& recheck = w.find<TiSwitchLed>("iSwitchLed3");
    QTest::mouseClick(&recheck, Qt::LeftButton, Qt::NoModifier, recheck.rect().center());

    EXPECT_EQ(w.boxes->last().text, "SelfCheck Running, Please try later!!!");
    EXPECT_EQ(w.boxes->last().caption, "Please try later");
    EXPECT_EQ(w.form->linkState().LiveAction, 0);
    w.engineTick();
    w.engineTick();
    for (std::size_t i = sent; i < w.port->written().size(); ++i)
        EXPECT_NE(w.port->written()[i][1], 0x05) << "a coil write went out";
}

TEST(LiveEngine, ForceOnRoundTripLightsTheSwitchAndReportsSuccess)
{
    LiveWindow w;
    w.pollCycle();
    w.form->show();
    auto& force = w.find<TiSwitchLed>("iSwitchLed1");
    QTest::mouseClick(&force, Qt::LeftButton, Qt::NoModifier, force.rect().center());
    ASSERT_EQ(w.form->linkState().LiveAction, LiveActionCode::ForceOutput);

    for (int i = 0; i < 10 && w.boxes->empty(); ++i)
        w.engineTick();
    EXPECT_EQ(w.boxes->last().text, "Force Successfully!");
    EXPECT_EQ(w.boxes->last().caption, "Force Status");
    EXPECT_TRUE(w.active("iSwitchLed1"));
    EXPECT_EQ(w.form->linkState().LinkAliveCountdown, 10);
    const Bytes request = w.port->written().back();
    EXPECT_EQ(request[1], 0x05);
    EXPECT_EQ(request[3], 12);
    EXPECT_EQ(request[4], 0xFF);
}

TEST(LiveEngine, DebugTemperatureSendGoesThroughTheButton)
{
    LiveWindow w;
    w.pollCycle();
    w.form->setText("Edit11", "-5.5");
    w.find<QAbstractButton>("Button6").click();
    ASSERT_EQ(w.form->linkState().LiveAction, 1);
    for (int i = 0; i < 10 && w.boxes->empty(); ++i)
        w.engineTick();
    EXPECT_EQ(w.boxes->last().text, "Adopt Realtime Temperature!!");
    EXPECT_EQ(w.boxes->last().caption, "Set Correctly");
    EXPECT_EQ(w.form->text("Edit11"), "");

    w.boxes->clear();
    w.form->setText("Edit11", "abc");
    w.find<QAbstractButton>("Button6").click();
    EXPECT_THAT(w.boxes->last().text, testing::StartsWith("'abc' is not a valid floating point value"));
    EXPECT_EQ(w.form->linkState().LiveAction, 0);
}

// The engine and Timer1 ask for the window size and their intervals on every
// tick; an unchanged value must not restart a timer or resize the window.
TEST(LiveEngine, UnchangedSizeAndIntervalsTouchNothing)
{
    LiveWindow w;
    w.form->timer1().start(1000);
    w.form->timer2().start(10);
    const int timer1Id = w.form->timer1().timerId();
    const int timer2Id = w.form->timer2().timerId();
    w.form->setTimer1Interval(1000);
    w.form->setTimer2Interval(10);
    EXPECT_EQ(w.form->timer1().timerId(), timer1Id);
    EXPECT_EQ(w.form->timer2().timerId(), timer2Id);
    w.form->setTimer1Interval(500);
    EXPECT_EQ(w.form->timer1().interval(), 500);

    w.form->setWindowSize(810, 646);
    const QSize size = w.form->size();
    int resizes = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Resize)
                ++*count;
            return false;
        }
    } counter(&resizes);
    w.form->installEventFilter(&counter);
    w.form->setWindowSize(810, 646);
    EXPECT_EQ(w.form->size(), size);
    EXPECT_EQ(resizes, 0);
    w.form->removeEventFilter(&counter);
}

TEST(LiveEngine, UnknownWidgetOrPropertyIsAnError)
{
    LiveWindow w;
    EXPECT_THROW(w.form->widgetProperty("iNoSuchGauge", "Position"), std::logic_error);
    EXPECT_THROW(w.form->widgetProperty("iAngularGauge1", "NoSuchProperty"), std::logic_error);
    EXPECT_DOUBLE_EQ(w.form->widgetProperty("iLedBar1", "Position"), 5);
}

} // namespace
