// The RealTimeData sheet of the real window against the simulated controller
// (the hx-sim program) over a pseudo-terminal, with the window's own timers.
#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "link/LinkState.h"
#include "link/QtSerialPort.h"
#include "support/RecordingMessageBoxes.h"
#include "support/SimProcess.h"
#include "widgets/TiSwitchLed.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class LiveSimTest : public testing::Test {
protected:
    LiveSimTest()
    {
        installFontSubstitutions();
        auto recorded = std::make_unique<RecordingMessageBoxes>();
        boxes = recorded.get();
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::move(recorded));
        form->show();
    }

    // Opens the simulator's port through the port box and "Open", then shows
    // the RealTimeData sheet.
    void openPort(SimProcess& sim)
    {
        ASSERT_FALSE(sim.device().empty());
        form->setText("rdCOM", sim.device());
        button("Button1").click();
        ASSERT_EQ(form->text("Button1"), "Close") << boxes->last().text;
        form->pages().setCurrentIndex(1);
    }

    void clickSwitch(const char* name)
    {
        auto& led = *form->findChild<TiSwitchLed*>(name);
        QTest::mouseClick(&led, Qt::LeftButton, Qt::NoModifier, led.rect().center());
    }

    QAbstractButton& button(const char* name) { return *form->findChild<QAbstractButton*>(name); }
    double property(const char* widget, const char* name) const { return form->widgetProperty(widget, name); }
    bool active(const char* widget) const { return property(widget, "Active") != 0; }

    // Lets the window's timers run in short steps until `done` holds or the
    // bound of steps is used up; `each` runs after every step.
    bool runUntil(const std::function<bool()>& done, int steps = 600, const std::function<void()>& each = {})
    {
        for (int i = 0; i < steps; ++i) {
            if (done())
                return true;
            QTest::qWait(20);
            if (each)
                each();
        }
        return done();
    }

    bool filled() const
    {
        const double supply = property("iAnalogOutput5", "Value");
        return supply > 40 && property("iAngularGauge5", "Position") == supply
            && std::to_string(static_cast<int>(property("iOdometer1", "Value"))) == form->text("Edit19")
            && property("iOdometer1", "Value") > 0 && form->text("Edit3") != "0";
    }

    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};

TEST_F(LiveSimTest, SheetFillsBlinksSwitchesAndRecoversFromALostController)
{
    auto sim = std::make_unique<SimProcess>(std::vector<std::string>{"--steady", "--alarm", "high-pressure"});
    openPort(*sim);

    // Filled within two poll cycles: count the cycles the engine completes.
    int cycles = 0;
    int lastStep = form->linkState().PollStep;
    const auto countCycles = [&] {
        const int step = form->linkState().PollStep;
        if (step == 0 && lastStep == 3)
            ++cycles;
        lastStep = step;
    };
    ASSERT_TRUE(runUntil([&] { return filled() || cycles > 2; }, 600, countCycles));
    EXPECT_TRUE(filled());
    EXPECT_LE(cycles, 2);
    EXPECT_NEAR(property("iAnalogOutput5", "Value"), 48.0, 1.0);
    EXPECT_EQ(property("iAnalogOutput3", "Value"), property("iThermometer1", "Position"));
    EXPECT_EQ(static_cast<int>(property("iLedBar1", "SectionColor1")), 0x0040FF00);

    // The simulated high pressure blinks its lamp; the fan lamps stay dark.
    bool lit = false;
    bool darkAfterLit = false;
    bool fanLampLit = false;
    runUntil([&] { return darkAfterLit; }, 300, [&] {
        const bool now = active("iLedRound10");
        darkAfterLit = darkAfterLit || (lit && !now);
        lit = lit || now;
        fanLampLit = fanLampLit || active("iLedRound5");
    });
    EXPECT_TRUE(lit);
    EXPECT_TRUE(darkAfterLit);
    EXPECT_FALSE(fanLampLit);

    if (const QByteArray dir = qgetenv("HX_SNAPSHOT_DIR"); !dir.isEmpty()) {
        runUntil([&] { return active("iLedRound10"); }, 100);
        form->grab().save(QString::fromLocal8Bit(dir) + "/LiveSim.png");
    }

    // "On": the controller confirms, the switch and the self-check lamp light.
    boxes->clear();
    clickSwitch("iSwitchLed1");
    ASSERT_TRUE(runUntil([&] { return !boxes->empty(); }));
    EXPECT_EQ(boxes->last().text, "Force Successfully!");
    EXPECT_EQ(boxes->last().caption, "Force Status");
    EXPECT_TRUE(runUntil([&] { return form->linkState().Live.ForceOn == 1 && active("iSwitchLed1") && active("iLedRound18"); }));

    // "ReC": the re-check starts; while it runs a second "ReC" is refused.
    boxes->clear();
    clickSwitch("iSwitchLed3");
    ASSERT_TRUE(runUntil([&] { return !boxes->empty(); }));
    EXPECT_EQ(boxes->last().text, "Force Successfully!");
    ASSERT_TRUE(runUntil([&] { return form->linkState().Live.SelfCheckRunning == 1; }));
    EXPECT_TRUE(runUntil([&] { return active("iSwitchLed3"); }));
    boxes->clear();
    clickSwitch("iSwitchLed3");
    EXPECT_EQ(boxes->last().text, "SelfCheck Running, Please try later!!!");
    EXPECT_EQ(boxes->last().caption, "Please try later");
    EXPECT_EQ(form->linkState().LiveAction, 0);

    // The controller dies: within the countdown the bar turns red and the
    // displays drop to zero.
    sim->kill();
    EXPECT_TRUE(runUntil([&] {
        return static_cast<int>(property("iLedBar1", "SectionColor1")) == 0x000000FF
            && property("iLedBar1", "Position") == 100;
    }, 1000));
    EXPECT_EQ(property("iAnalogOutput5", "Value"), 0);
    EXPECT_EQ(property("iOdometer1", "Value"), 0);
    EXPECT_EQ(form->text("Edit19"), "0");
    EXPECT_FALSE(active("iLedRound10"));

    // Back again: a new simulator, the port reopened, the values return.
    // The lost port's button reads "Open"; its click lets go of the lost
    // device and opens the one the port box names now (which may be the
    // same pseudo-terminal number again).
    ASSERT_TRUE(runUntil([&] { return form->text("Button1") == "Open"; }));
    sim = std::make_unique<SimProcess>(std::vector<std::string>{"--steady"});
    openPort(*sim);
    EXPECT_TRUE(runUntil([&] { return filled(); }));
    EXPECT_TRUE(runUntil([&] { return static_cast<int>(property("iLedBar1", "SectionColor1")) == 0x0040FF00; }));
}

} // namespace
