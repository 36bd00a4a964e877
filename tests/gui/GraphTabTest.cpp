// The Graph sheet of the real window on a scripted port: "DrawIntfan" and
// "DrawExtfan", the curve fetch through the engine, and the plot's channels.
#include "gui/LiveHarness.h"
#include "support/FakeController.h"

#include "link/LinkState.h"
#include "plot/TiXYPlot.h"
#include "plot/TiXYPlotRenderer.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

using Point = std::pair<double, double>;
using Points = std::vector<Point>;

constexpr int kGraphTab = 2;

// A curve as the controller holds it: the first eight registers of a fan
// pair's block (speeds in rpm, temperatures in signed tenths).
struct CurveRegisters {
    std::uint16_t stepRev, maxRev, minRev, stepTemp, maxTemp, minTemp, stopTemp, deltTemp;
};

constexpr CurveRegisters kWorkedExample{300, 2500, 800, 50, 350, 200, 100, 50};

struct GraphWindow : LiveHarness {
    FakeController controller;

    GraphWindow()
    {
        form->setText("rdCOM", "COM1");
        form->Button1Click();
        form->timer1().stop();
        form->timer2().stop();
        form->pages().setCurrentIndex(kGraphTab);
        port->setResponder(controller.responder());
        engineTick();   // arrives at the Graph tab
    }

    void setCurve(int firstRegister, const CurveRegisters& c)
    {
        const std::array<std::uint16_t, 8> words{c.stepRev, c.maxRev,  c.minRev,   c.stepTemp,
                                                 c.maxTemp, c.minTemp, c.stopTemp, c.deltTemp};
        std::copy(words.begin(), words.end(), controller.holding.begin() + firstRegister);
    }

    void engineTick()
    {
        port->advance();
        form->Timer2Timer();
    }

    void click(const char* button) { find<QAbstractButton>(button).click(); }

    // Clicks the button and ticks until the fetch has ended (bounded).
    void fetch(const char* button)
    {
        click(button);
        ASSERT_EQ(form->linkState().LinkBusy, 1) << button << " did not queue";
        for (int i = 0; i < 200 && form->linkState().LinkBusy == 1; ++i)
            engineTick();
        ASSERT_EQ(form->linkState().LinkBusy, 0) << button << ": the fetch did not end";
    }

    TiXYPlotChannel& channel(int index) const { return *form->plot().GetChannel(index); }

    Points points(int index) const
    {
        Points result;
        for (int i = 0; i < channel(index).GetCount(); ++i)
            result.emplace_back(channel(index).GetDataX(i), channel(index).GetDataY(i));
        return result;
    }

    // Position of the channel in the plot's paint order (later is on top).
    long paintedAt(int index) const
    {
        form->plot().RenderToImage();
        const auto& order = form->plot().Renderer().LayerOrder();
        return std::find(order.begin(), order.end(), &channel(index)) - order.begin();
    }
};

const Points kWorkedExamplePoints{
    {10, 800}, {10, 400}, {9, 450},  {10, 400}, {11, 450}, {10, 400}, {10, 0},     {15, 0},
    {15, 400}, {15, 800}, {15, 400}, {14, 350}, {15, 400}, {16, 350}, {15, 400},   {15, 800},
    {10, 800}, {20, 800}, {35, 2500}, {40, 2500}, {40, 2800}, {80, 2800},
};

} // namespace

TEST(GraphTab, LayoutPlacesThePlotAndItsButtons)
{
    LiveHarness h;
    auto& sheet = h.find("TabSheet1");
    const struct {
        const char* name;
        QRect bounds;
        const char* caption;
    } controls[] = {
        {"iXYPlot1", QRect(112, 72, 633, 409), nullptr},
        {"Button16", QRect(13, 256, 81, 22), "DrawIntfan"},
        {"Button17", QRect(13, 296, 81, 22), "DrawExtfan"},
    };
    for (const auto& c : controls) {
        QWidget& control = h.find(c.name);
        EXPECT_EQ(control.parentWidget(), &sheet) << c.name;
        EXPECT_EQ(control.geometry(), c.bounds) << c.name;
        if (c.caption != nullptr) {
            EXPECT_EQ(h.form->text(c.name), c.caption);
            EXPECT_EQ(control.font().family(), QString::fromUtf8("隶书")) << c.name;
            EXPECT_EQ(control.font().pixelSize(), 15) << c.name;
        }
    }
    // Restored from the console's stored plot, not a default one.
    TiXYPlot& plot = h.form->plot();
    ASSERT_EQ(plot.ChannelCount(), 2);
    EXPECT_EQ(plot.GetChannel(1)->Name(), "Extfan");
    EXPECT_EQ(plot.GetChannel(1)->Layer(), 101);
}

TEST(GraphTab, WorkedExampleGivesExactlyItsPoints)
{
    GraphWindow w;
    w.setCurve(0, kWorkedExample);
    // Whatever the channel held before, it ends with the curve's 22 points.
    w.channel(0).AddXY(1, 2);
    w.fetch("Button16");
    EXPECT_EQ(w.points(0), kWorkedExamplePoints);
    EXPECT_EQ(w.form->linkState().IntfanCurve.MaxRev, 2500u);
    EXPECT_TRUE(w.boxes->empty());
}

TEST(GraphTab, MinimumSpeedSetsTheArrowheads)
{
    // R, h (tip of both arrowheads), and which Y the 22 points take.
    const struct {
        std::uint16_t minRev;
        double tip;
    } cases[] = {{801, 400}, {60, 30}, {0, 0}, {65535, 32767}};
    for (const auto& c : cases) {
        GraphWindow w;
        CurveRegisters curve = kWorkedExample;
        curve.minRev = c.minRev;
        w.setCurve(0, curve);
        w.fetch("Button16");
        const Points p = w.points(0);
        ASSERT_EQ(p.size(), 22u) << c.minRev;
        for (int i : {1, 3, 5, 8, 10, 12, 14})
            EXPECT_EQ(p[i].second, c.tip) << "R " << c.minRev << " point " << i + 1;
        // Down-arrow wings 50 rpm above the tip, up-arrow wings 50 below,
        // negative when R is under 100.
        for (int i : {2, 4})
            EXPECT_EQ(p[i].second, c.tip + 50) << "R " << c.minRev << " point " << i + 1;
        for (int i : {11, 13})
            EXPECT_EQ(p[i].second, c.tip - 50) << "R " << c.minRev << " point " << i + 1;
        for (int i : {0, 9, 15, 16, 17})
            EXPECT_EQ(p[i].second, c.minRev) << "R " << c.minRev << " point " << i + 1;
        EXPECT_EQ(p[6].second, 0);
        EXPECT_EQ(p[7].second, 0);
    }
}

TEST(GraphTab, TemperaturesAreSummedInDoublePrecision)
{
    GraphWindow w;
    CurveRegisters curve = kWorkedExample;
    curve.stopTemp = 151;   // 15.1
    curve.deltTemp = 49;    // 4.9
    curve.maxTemp = 0xFF9C; // -10.0
    curve.stepTemp = 3;     // 0.3
    curve.maxRev = 65535;
    curve.stepRev = 65535;
    w.setCurve(0, curve);
    w.fetch("Button16");
    const Points p = w.points(0);
    ASSERT_EQ(p.size(), 22u);
    const double stop = 15.1f, delt = 4.9f, step = 0.3f;
    EXPECT_EQ(p[7].first, stop + delt);
    // Summed in single precision the restart would come out as exactly 20.
    EXPECT_NE(p[7].first, 20.0);
    EXPECT_EQ(p[11].first, stop + delt - 1);
    EXPECT_EQ(p[2].first, stop - 1);
    EXPECT_EQ(p[18].first, -10.0);
    EXPECT_EQ(p[19].first, -10.0 + step);
    // V + P beyond 16 bits.
    EXPECT_EQ(p[20].second, 131070);
    EXPECT_EQ(p[21], Point(80, 131070));
}

TEST(GraphTab, TheCurveRequestedLastIsOnTopAndEachReplacesOnlyItsOwn)
{
    GraphWindow w;
    w.setCurve(0, kWorkedExample);
    CurveRegisters external = kWorkedExample;
    external.minRev = 1000;
    external.stopTemp = 200;
    w.setCurve(11, external);

    w.fetch("Button16");
    w.fetch("Button17");
    const Points externalPoints = w.points(1);
    ASSERT_EQ(externalPoints.size(), 22u);
    EXPECT_EQ(externalPoints[0], Point(20, 1000));
    EXPECT_EQ(w.points(0), kWorkedExamplePoints);
    EXPECT_EQ(w.channel(0).Layer(), 100);
    EXPECT_EQ(w.channel(1).Layer(), 101);
    EXPECT_GT(w.paintedAt(1), w.paintedAt(0));

    CurveRegisters changed = kWorkedExample;
    changed.minRev = 600;
    w.setCurve(0, changed);
    w.fetch("Button16");
    EXPECT_EQ(w.points(0)[0], Point(10, 600));
    EXPECT_EQ(w.points(1), externalPoints);
    EXPECT_EQ(w.channel(0).Layer(), 101);
    EXPECT_EQ(w.channel(1).Layer(), 100);
    EXPECT_GT(w.paintedAt(0), w.paintedAt(1));
    EXPECT_TRUE(w.boxes->empty());
}

TEST(GraphTab, FailedFetchLeavesTheRequestedChannelEmptyWithoutMessage)
{
    const struct {
        const char* name;
        FakeSerialPort::Responder responder;
    } failures[] = {
        {"no reply", [](const FakeSerialPort::Bytes&) { return FakeSerialPort::Bytes{}; }},
        {"another address", [](const FakeSerialPort::Bytes&) {
             return registerReply(2, 0x03, std::vector<std::uint16_t>(11, 0));
         }},
        {"wrong function", [](const FakeSerialPort::Bytes&) {
             return registerReply(1, 0x04, std::vector<std::uint16_t>(11, 0));
         }},
    };
    for (const auto& failure : failures) {
        GraphWindow w;
        w.setCurve(0, kWorkedExample);
        w.setCurve(11, kWorkedExample);
        w.fetch("Button16");
        w.fetch("Button17");
        ASSERT_EQ(w.points(0).size(), 22u);

        w.port->setResponder(failure.responder);
        w.fetch("Button16");
        EXPECT_TRUE(w.points(0).empty()) << failure.name;
        EXPECT_EQ(w.points(1), kWorkedExamplePoints) << failure.name;
        EXPECT_EQ(w.form->linkState().CommandCode, Command::None) << failure.name;
        EXPECT_TRUE(w.boxes->empty()) << failure.name << ": " << w.boxes->last().text;
    }
}

TEST(GraphTab, NoPortOrBusyLinkLeavesThePlotUntouched)
{
    using Message = RecordingMessageBoxes::Message;
    const struct {
        const char* name;
        bool closePort;
        Message expected;
    } cases[] = {
        {"no port", true, {"ComPort Not Open!!", "Comm Error"}},
        {"busy", false, {"Systerm Busy,Please Wait", "Set Intfan1!"}},
    };
    for (const auto& c : cases) {
        for (const char* button : {"Button16", "Button17"}) {
            GraphWindow w;
            w.setCurve(0, kWorkedExample);
            w.setCurve(11, kWorkedExample);
            w.fetch("Button16");
            w.fetch("Button17");
            if (c.closePort)
                w.form->Button1Click();
            else
                w.form->linkState().LinkBusy = 1;
            const std::uint8_t code = w.form->linkState().CommandCode;

            w.click(button);
            ASSERT_EQ(w.boxes->messages().size(), 1u) << c.name << " " << button;
            EXPECT_EQ(w.boxes->last().text, c.expected.text) << c.name << " " << button;
            EXPECT_EQ(w.boxes->last().caption, c.expected.caption) << c.name << " " << button;
            EXPECT_EQ(w.points(0), kWorkedExamplePoints) << c.name << " " << button;
            EXPECT_EQ(w.points(1), kWorkedExamplePoints) << c.name << " " << button;
            EXPECT_EQ(w.channel(0).Layer(), 100) << c.name << " " << button;
            EXPECT_EQ(w.channel(1).Layer(), 101) << c.name << " " << button;
            EXPECT_EQ(w.form->linkState().CommandCode, code) << c.name << " " << button;
        }
    }
}

TEST(GraphTab, ConfigurationTabCancelsARequestedFetchRealTimeDataDoesNot)
{
    GraphWindow w;
    w.setCurve(0, kWorkedExample);
    w.click("Button16");
    w.form->pages().setCurrentIndex(0);
    w.engineTick();
    EXPECT_EQ(w.form->linkState().LinkBusy, 0);
    EXPECT_EQ(w.form->linkState().CommandCode, Command::None);
    w.form->pages().setCurrentIndex(kGraphTab);
    for (int i = 0; i < 150; ++i)
        w.engineTick();
    EXPECT_TRUE(w.points(0).empty());

    w.click("Button16");
    const std::size_t sent = w.port->written().size();
    w.form->pages().setCurrentIndex(1);
    w.engineTick();
    w.form->pages().setCurrentIndex(kGraphTab);
    EXPECT_EQ(w.form->linkState().LinkBusy, 1);
    EXPECT_EQ(w.form->linkState().CommandCode, Command::FetchIntCurve);
    for (int i = 0; i < 200 && w.form->linkState().LinkBusy == 1; ++i)
        w.engineTick();
    EXPECT_EQ(w.port->written().size(), sent + 1);
    EXPECT_EQ(w.points(0), kWorkedExamplePoints);
    EXPECT_TRUE(w.boxes->empty());
}
