#include "LiveHarness.h"
#include "support/FakeController.h"

#include "app/TForm1.h"
#include "app/TrendLauncher.h"
#include "app/TrendWindow.h"
#include "console/TrendLog.h"
#include "link/LinkState.h"
#include "plot/TiPlotAxis.h"
#include "plot/TiPlotDataCursor.h"
#include "plot/TiPlotDataView.h"
#include "plot/TiXYPlot.h"
#include "plot/TiXYPlotChannel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <gtest/gtest.h>

namespace {

using LiveQuantities::Sample;
using LiveQuantities::indexOf;

constexpr std::int64_t kStart = 1796857198000;  // 2026-12-09 23:59:58 at UTC+1
constexpr int kOffset = 3600;
constexpr std::int64_t kCycleMs = 1240;

Sample sampleAt(std::int64_t ms, double indoor)
{
    Sample s;
    s.wallMs = ms;
    s.utcOffsetSeconds = kOffset;
    for (auto& v : s.values)
        v = 0.0;
    s.values[*indexOf("indoor_temp")] = indoor;
    s.values[*indexOf("intfan1_speed")] = 1500 + double(ms / kCycleMs % 7);
    return s;
}

double days(std::int64_t ms) { return ms / 86'400'000.0; }

struct Trend {
    QTemporaryDir dir;
    TrendRecorder recorder;
    TrendLog log{dir.filePath("trend").toStdString(), nullptr};
    TrendWindow window{recorder, &log};
    QStringList messages;
    Trend()
    {
        window.setMessageSink([this](const QString& m) { messages << m; });
        window.resize(1000, 640);
    }
    // Cycles from `from` to `to` (ms), as the poll makes them.
    std::int64_t poll(std::int64_t from, std::int64_t to)
    {
        std::int64_t t = from;
        for (; t < to; t += kCycleMs)
            recorder.record(sampleAt(t, 21.5));
        return t - kCycleMs;
    }
};

TEST(TrendWindow, FollowsTheNewestOverItsSpanPausesAndGoesLive)
{
    Trend t;
    TiPlotAxis& x = t.window.timeAxis();
    std::int64_t last = t.poll(kStart, kStart + 20 * 60'000);
    struct Case {
        int span;
        double spanMs;
    };
    for (const Case c : {Case{0, 60'000}, Case{1, 600'000}, Case{2, 3'600'000}}) {
        t.window.setSpan(c.span);
        last = t.poll(last + kCycleMs, last + 10'000);
        EXPECT_NEAR(x.GetMax(), TrendWindow::timeValue(last, kOffset), 1e-9) << c.span;
        EXPECT_NEAR(x.Span(), days(std::int64_t(c.spanMs)), 1e-9) << c.span;
    }
    t.window.setSpan(TrendWindow::kAllSpan);
    EXPECT_NEAR(x.Min(), TrendWindow::timeValue(kStart, kOffset), 1e-9);
    EXPECT_NEAR(x.GetMax(), TrendWindow::timeValue(last, kOffset), 1e-9);

    t.window.setSpan(1);
    t.window.setPaused(true);
    const double min = x.Min(), span = x.Span();
    const std::size_t before = t.recorder.size();
    last = t.poll(last + kCycleMs, last + 60'000);
    EXPECT_EQ(x.Min(), min);
    EXPECT_EQ(x.Span(), span);
    EXPECT_GT(t.recorder.size(), before);  // recording goes on
    t.window.goLive();
    EXPECT_FALSE(t.window.paused());
    EXPECT_NEAR(x.GetMax(), TrendWindow::timeValue(last, kOffset), 1e-9);
}

TEST(TrendWindow, ChannelsHoldTheValuesGapsAndMarksWithTheirUnits)
{
    Trend t;
    const std::size_t indoor = *indexOf("indoor_temp");
    t.recorder.record(sampleAt(kStart, 20.0));
    t.recorder.record(sampleAt(kStart + kCycleMs, 20.0));
    t.recorder.record(sampleAt(kStart + 2 * kCycleMs, 20.0));  // a flat run moves its end
    t.recorder.gap(kStart + 3 * kCycleMs, kOffset);
    Sample alarm = sampleAt(kStart + 9 * kCycleMs, 22.5);
    alarm.values[*indexOf("heater_alarm")] = 1;
    t.recorder.record(alarm);
    t.recorder.write(kStart + 10 * kCycleMs, kOffset, "Set Intfan1", true);

    TiXYPlotChannel& c = t.window.channel(indoor);
    EXPECT_EQ(c.YAxisName(), "°C");
    EXPECT_EQ(c.TitleText(), "Indoor temperature");
    ASSERT_EQ(c.GetCount(), 4);
    EXPECT_EQ(c.GetDataX(1), TrendWindow::timeValue(kStart + 2 * kCycleMs, kOffset));
    EXPECT_TRUE(c.GetDataNull(2));
    EXPECT_EQ(c.GetDataY(3), 22.5);
    EXPECT_EQ(t.window.markCount(), 2);
    EXPECT_EQ(t.window.plot().LimitCount(), 2);
    EXPECT_EQ(t.window.plot().AnnotationCount(), 2);

    t.window.toggleChannel(int(indoor));
    EXPECT_FALSE(c.Visible());
    t.window.toggleChannel(int(indoor));
    EXPECT_TRUE(c.Visible());

    // The data cursor follows the mouse inside the data view only.
    t.window.plot().RenderToImage();  // lays the plot out
    const TiRect view = t.window.plot().GetDataView(0)->DrawRect();
    t.window.moveCursorTo((view.Left + view.Right) / 2, (view.Top + view.Bottom) / 2);
    EXPECT_TRUE(t.window.plot().GetDataCursor(0)->Active());
    EXPECT_NEAR(t.window.plot().GetDataCursor(0)->Position(),
                t.window.timeAxis().PixelsToPosition((view.Left + view.Right) / 2), 1e-12);
    t.window.moveCursorTo(view.Left - 5, view.Top);
    EXPECT_FALSE(t.window.plot().GetDataCursor(0)->Active());
}

TEST(TrendWindow, ExportsTheVisibleRangeAndOpensLogsWithoutAPort)
{
    Trend t;
    const std::int64_t last = t.poll(kStart, kStart + 5 * 60'000);
    t.recorder.write(last, kOffset, "Default", false);
    t.window.setSpan(0);  // the last minute
    const QString csv = t.dir.filePath("minute.csv");
    ASSERT_TRUE(t.window.exportCsv(csv));
    const auto read = TrendCsv::readFile(csv.toStdString());
    ASSERT_TRUE(read.table) << read.error.text();
    EXPECT_NEAR(double(read.table->samples.size()), 60'000.0 / kCycleMs, 1.0);
    EXPECT_EQ(read.table->marks.size(), 1U);
    ASSERT_TRUE(t.window.exportImage(t.dir.filePath("minute.png")));
    EXPECT_GT(QFile(t.dir.filePath("minute.png")).size(), 1000);
    EXPECT_FALSE(t.window.plot().TitleVisible());

    // A malformed log: the message names line and column, the view stays.
    QFile bad(t.dir.filePath("bad.csv"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("time,indoor_temp [°C]\n2026-12-09T10:00:00.000+01:00,warm\n");
    bad.close();
    const int points = t.window.channel(*indexOf("indoor_temp")).GetCount();
    EXPECT_FALSE(t.window.openLog(bad.fileName()));
    ASSERT_EQ(t.messages.size(), 1);
    EXPECT_TRUE(t.messages[0].contains("line 2, column 2")) << t.messages[0].toStdString();
    EXPECT_FALSE(t.window.viewingFile());
    EXPECT_EQ(t.window.channel(*indexOf("indoor_temp")).GetCount(), points);

    // The exported minute opens; live samples wait until "Live".
    ASSERT_TRUE(t.window.openLog(csv));
    EXPECT_TRUE(t.window.viewingFile());
    EXPECT_EQ(t.window.markCount(), 1);
    const int shown = t.window.channel(*indexOf("intfan1_speed")).GetCount();
    t.poll(last + kCycleMs, last + 10'000);
    EXPECT_EQ(t.window.channel(*indexOf("intfan1_speed")).GetCount(), shown);
    t.window.goLive();
    EXPECT_FALSE(t.window.viewingFile());
    EXPECT_GT(t.window.channel(*indexOf("intfan1_speed")).GetCount(), shown);
}

TEST(TrendWindow, OpensFromItsButtonBesideMonitorAndCtrlT)
{
    LiveHarness h;
    h.form->show();
    const QSize size = h.form->size();
    auto& button = h.find<QAbstractButton>("TrendButton");
    EXPECT_EQ(button.text(), "Trend");
    const QRect monitor = h.find("MonitorButton").geometry();
    EXPECT_GT(button.geometry().left(), monitor.right());
    EXPECT_LE(button.geometry().right(), h.find("Data").geometry().right());
    EXPECT_EQ(button.geometry().top(), monitor.top());

    QTest::mouseClick(&button, Qt::LeftButton);
    TrendWindow& trend = h.form->trend().window();
    EXPECT_EQ(trend.objectName(), "TrendWindow");
    EXPECT_TRUE(trend.isVisible());
    EXPECT_FALSE(trend.isModal());
    EXPECT_TRUE(trend.logToFile().isChecked());
    EXPECT_EQ(h.form->size(), size);
    trend.hide();
    QApplication::setActiveWindow(h.form.get());
    QTest::keyClick(h.form.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(trend.isVisible());
}

TEST(TrendWindow, LogNamesThePortOnOpenAndTheFirmwareAfterAVersionRead)
{
    LiveHarness h;
    FakeController controller;
    const char text[18] = "HX-T 9";
    for (std::size_t k = 0; k < 9; ++k)
        controller.input[15 + k] = static_cast<std::uint16_t>((static_cast<unsigned char>(text[2 * k]) << 8)
                                                              | static_cast<unsigned char>(text[2 * k + 1]));
    h.port->setResponder(controller.responder());
    h.form->setText("rdCOM", "/dev/ttyUSB3");
    h.form->Button1Click();
    ASSERT_EQ(h.form->text("Button1"), "Close") << h.boxes->last().text;
    const TrendCsv::Header& header = h.form->trend().log().header();
    EXPECT_EQ(header.port, "/dev/ttyUSB3");
    EXPECT_EQ(header.address, 1);
    EXPECT_EQ(header.firmware, "");
    EXPECT_FALSE(header.console.empty());

    h.form->control<QAbstractButton>("Button5").click();
    for (int i = 0; i < 200 && h.form->linkState().CommandCode != Command::None; ++i) {
        h.form->Timer2Timer();
        h.port->advance();
    }
    EXPECT_EQ(header.firmware, "HX-T 9");
}

} // namespace

namespace {

// Pictures to look at, written only when HX_TREND_SHOTS names a folder;
// HX_TREND_LOG may name a recorded log (for example `hxctl live --csv`
// against hx-sim) to show as well.
TEST(TrendWindow, PicturesWhenAsked)
{
    const QString folder = qEnvironmentVariable("HX_TREND_SHOTS");
    if (folder.isEmpty())
        GTEST_SKIP() << "set HX_TREND_SHOTS to a folder to take the trend window's pictures";
    Trend t;
    t.window.setController({"0.1", "/dev/ttyUSB0", 1, "HX-CTRL V2.13"});
    // Three hours: fans wander, the cabinet warms, the compressor cycles.
    for (std::int64_t k = 0; k < 3 * 3600'000 / kCycleMs; ++k) {
        const double s = double(k) * kCycleMs / 1000.0;
        const std::int64_t at = kStart + k * kCycleMs;
        if (k > 4000 && k < 4100) {
            t.recorder.gap(at, kOffset);
            continue;
        }
        Sample x = sampleAt(at, std::round(10 * (24 + 6 * std::sin(s / 2500))) / 10);
        const bool compressor = std::fmod(s, 1500) < 800;
        x.values[*indexOf("intfan1_speed")] = std::round(1800 + 500 * std::sin(s / 700));
        x.values[*indexOf("intfan2_speed")] = std::round(1750 + 480 * std::sin(s / 700 + 0.3));
        x.values[*indexOf("extfan1_speed")] = compressor ? 2400.0 : 900.0;
        x.values[*indexOf("outdoor_temp")] = std::round(10 * (18 + 3 * std::sin(s / 5000))) / 10;
        x.values[*indexOf("supply_voltage")] = std::fmod(s, 3600) < 20 ? 43.5 : 48.0;
        x.values[*indexOf("compressor_current")] = compressor ? 6.2 : 0.0;
        x.values[*indexOf("compressor_running")] = compressor ? 1.0 : 0.0;
        x.values[*indexOf("supply_alarm1")] = std::fmod(s, 3600) < 20 ? 1.0 : 0.0;
        t.recorder.record(x);
        if (k == 6000)
            t.recorder.write(at, kOffset, "Set Intfan1", true);
    }
    t.window.resize(1180, 720);
    t.window.show();
    t.window.setSpan(3);
    QApplication::processEvents();
    const TiRect view = t.window.plot().GetDataView(0)->DrawRect();
    t.window.moveCursorTo(view.Left + (view.Right - view.Left) * 2 / 3, view.Top + 40);
    t.window.grab().save(folder + "/trend-hours.png");

    t.window.setSpan(1);
    t.window.setPaused(true);
    TiPlotAxis& x = t.window.timeAxis();
    x.SetMinSpan(TrendWindow::timeValue(kStart + 3600'000 - 300'000, kOffset), x.Span());
    t.window.moveCursorTo(view.Left + (view.Right - view.Left) / 2, view.Top + 40);
    t.window.grab().save(folder + "/trend-paused.png");

    const QString log = qEnvironmentVariable("HX_TREND_LOG");
    if (!log.isEmpty()) {
        ASSERT_TRUE(t.window.openLog(log)) << t.messages.join("\n").toStdString();
        t.window.moveCursorTo(view.Left + (view.Right - view.Left) * 3 / 4, view.Top + 40);
        t.window.grab().save(folder + "/trend-sim.png");
    }
}

} // namespace
