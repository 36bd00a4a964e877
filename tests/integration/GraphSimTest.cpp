// The Graph sheet of the real window against the simulated controller (the
// hx-sim program) over a pseudo-terminal, with the window's own timers.
#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "link/LinkState.h"
#include "link/QtSerialPort.h"
#include "plot/TiXYPlot.h"
#include "support/RecordingMessageBoxes.h"
#include "support/SimProcess.h"
#include "support/TimerRun.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Point = std::pair<double, double>;

constexpr int kGraphTab = 2;

class GraphSimTest : public testing::Test {
protected:
    GraphSimTest()
    {
        installFontSubstitutions();
        auto recorded = std::make_unique<RecordingMessageBoxes>();
        boxes = recorded.get();
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::move(recorded));
    }

    void openPort(SimProcess& sim)
    {
        ASSERT_FALSE(sim.device().empty());
        form->setText("rdCOM", sim.device());
        click("Button1");
        ASSERT_EQ(form->text("Button1"), "Close") << boxes->last().text;
    }

    void click(const char* name) { form->findChild<QAbstractButton*>(name)->click(); }

    // Lets the window's timers run until `done` holds or the engine has
    // ticked `tickBudget` times; a fetch without answer ends after about
    // 110 ticks.
    bool runUntil(const std::function<bool()>& done, int tickBudget = 400)
    {
        return runUntilTicked(form->timer2(), done, tickBudget);
    }

    // Shows the sheet and lets the engine arrive at it: the arrival itself
    // abandons what another sheet left unfinished.
    void showTab(int index)
    {
        form->pages().setCurrentIndex(index);
        ASSERT_TRUE(runUntil([this, index] { return form->linkState().EngineTab == index; }));
    }

    // Clicks the button and waits until the engine is free again.
    void clickAndWait(const char* button)
    {
        click(button);
        ASSERT_EQ(form->linkState().LinkBusy, 1) << button << " did not queue";
        ASSERT_TRUE(runUntil([this] { return form->linkState().LinkBusy == 0; })) << button;
    }

    std::vector<Point> points(int channel) const
    {
        TiXYPlotChannel& c = *form->plot().GetChannel(channel);
        std::vector<Point> result;
        for (int i = 0; i < c.GetCount(); ++i)
            result.emplace_back(c.GetDataX(i), c.GetDataY(i));
        return result;
    }

    RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(GraphSimTest, BothCurvesShowTheSimulatorsParametersAndFollowASet)
{
    SimProcess sim({"--steady"});
    openPort(sim);
    showTab(kGraphTab);

    clickAndWait("Button16");
    clickAndWait("Button17");
    const std::vector<Point> internal = points(0), external = points(1);
    ASSERT_EQ(internal.size(), 22u);
    ASSERT_EQ(external.size(), 22u);
    // The simulator's factory curves: internal stop 5, restart 10, 800 rpm
    // from 20, 2200 at 35, +300 from 40; external stop 15, restart 20,
    // 900 rpm from 25, 2400 at 40, +300 from 45.
    EXPECT_EQ(internal[0], Point(5, 800));
    EXPECT_EQ(internal[7], Point(10, 0));
    EXPECT_EQ(internal[17], Point(20, 800));
    EXPECT_EQ(internal[18], Point(35, 2200));
    EXPECT_EQ(internal[21], Point(80, 2500));
    EXPECT_EQ(external[0], Point(15, 900));
    EXPECT_EQ(external[7], Point(20, 0));
    EXPECT_EQ(external[17], Point(25, 900));
    EXPECT_EQ(external[18], Point(40, 2400));
    EXPECT_EQ(external[21], Point(80, 2700));
    EXPECT_EQ(form->plot().GetChannel(1)->Layer(), 101);
    EXPECT_TRUE(boxes->empty()) << boxes->last().text;

    // The operator reads the parameters, changes the internal fans' minimum
    // speed and stop temperature, and sets the group.
    showTab(0);
    clickAndWait("BitBtn1");
    form->findChild<QLineEdit*>("Edit13")->setText("1000");
    form->findChild<QLineEdit*>("Edit6")->setText("-2.5");
    boxes->clear();
    clickAndWait("Set");
    ASSERT_EQ(boxes->last().text, "Set Successfully!");

    showTab(kGraphTab);
    clickAndWait("Button16");
    const std::vector<Point> redrawn = points(0);
    ASSERT_EQ(redrawn.size(), 22u);
    EXPECT_EQ(redrawn[0], Point(-2.5, 1000));
    EXPECT_EQ(redrawn[1], Point(-2.5, 500));
    EXPECT_EQ(redrawn[7], Point(2.5, 0));
    EXPECT_EQ(redrawn[17], Point(20, 1000));
    EXPECT_EQ(points(1), external);
    EXPECT_EQ(form->plot().GetChannel(0)->Layer(), 101);
    EXPECT_EQ(form->plot().GetChannel(1)->Layer(), 100);
}

TEST_F(GraphSimTest, FaultModesApplyToCurveFetches)
{
    // Every reply lost, corrupted or from another address: the fetch ends
    // silently and the channel stays empty.
    for (const char* fault : {"--wrong-address", "--corrupt-crc", "--drop"}) {
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::make_unique<RecordingMessageBoxes>());
        boxes = static_cast<RecordingMessageBoxes*>(&form->messageBoxes());
        SimProcess sim({"--steady", fault, "1"});
        openPort(sim);
        showTab(kGraphTab);
        clickAndWait("Button17");
        EXPECT_TRUE(points(1).empty()) << fault;
        EXPECT_EQ(form->linkState().CommandCode, Command::None) << fault;
        EXPECT_TRUE(boxes->empty()) << fault << ": " << boxes->last().text;
    }
}
