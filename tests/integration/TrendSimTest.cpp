// The trend of the real window against the simulated controller (the hx-sim
// program) over a pseudo-terminal: polled values, an alarm and a write are
// recorded, and the log file holds the same rows and marks.
#include "app/FontSubstitutions.h"
#include "app/TForm1.h"
#include "app/TrendLauncher.h"
#include "console/TrendCsv.h"
#include "link/LiveQuantities.h"
#include "link/QtSerialPort.h"
#include "support/RecordingMessageBoxes.h"
#include "support/SimProcess.h"
#include "support/TimerRun.h"

#include <QAbstractButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using LiveQuantities::indexOf;

// The per-user data folder moved into a temporary one while the test runs,
// so that the log lands where the test can read it and nowhere else.
struct DataFolder {
    QTemporaryDir dir;
    QByteArray saved = qgetenv("XDG_DATA_HOME");
    DataFolder() { qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit()); }
    ~DataFolder()
    {
        if (saved.isEmpty())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", saved);
    }
};

TEST(TrendSim, PolledValuesAnAlarmAndASetAreRecordedAndLoggedAlike)
{
    DataFolder data;
    ASSERT_TRUE(data.dir.isValid());
    installFontSubstitutions();
    auto recorded = std::make_unique<RecordingMessageBoxes>();
    RecordingMessageBoxes& boxes = *recorded;
    TForm1 form(std::make_unique<QtSerialPort>(), std::move(recorded));
    form.show();
    TrendRecorder& recorder = form.trend().recorder();
    const auto click = [&form](const char* name) { form.findChild<QAbstractButton*>(name)->click(); };

    SimProcess sim({"--steady", "--alarm", "high-pressure"});
    ASSERT_FALSE(sim.device().empty());
    form.setText("rdCOM", sim.device());
    click("Button1");
    ASSERT_EQ(form.text("Button1"), "Close") << boxes.last().text;

    form.pages().setCurrentIndex(1);
    ASSERT_TRUE(runUntilTicked(form.timer2(), [&] { return recorder.size() >= 3; }, 3000));
    const LiveQuantities::Sample polled = recorder.sample(recorder.size() - 1);
    ASSERT_TRUE(polled.values[*indexOf("supply_voltage")].has_value());
    EXPECT_NEAR(*polled.values[*indexOf("supply_voltage")], 48.0, 1.0);
    EXPECT_GT(polled.values[*indexOf("intfan1_speed")].value_or(0), 0);
    EXPECT_EQ(polled.values[*indexOf("high_pressure_alarm")], 1.0);

    // Back on the Configuration tab the poll stops (a gap) and a Set goes out.
    // The engine drops what was pending when it arrives on the tab, so the
    // Set is clicked once it is there.
    form.pages().setCurrentIndex(0);
    ASSERT_TRUE(runUntilTicked(form.timer2(), [&] { return form.linkState().EngineTab == 0; }, 100));
    form.setText("Edit18", "70");
    form.setText("Edit28", "24");
    const auto& marks = recorder.marks();
    const auto has = [&marks](TrendMark::Kind kind, const std::string& text) {
        return std::any_of(marks.begin(), marks.end(), [&](const TrendMark& m) { return m.kind == kind && m.text == text; });
    };
    click("Button9");
    EXPECT_TRUE(runUntilTicked(form.timer2(), [&] { return form.linkState().LinkBusy == 0; }, 3000));
    EXPECT_EQ(boxes.last().text, "Set Successfully");
    EXPECT_TRUE(has(TrendMark::Kind::AlarmRaised, "High pressure alarm raised"));
    EXPECT_TRUE(has(TrendMark::Kind::Write, "Set Alarm Voltage"));
    EXPECT_TRUE(TrendRecorder::isGap(recorder.sample(recorder.size() - 1)));

    const std::string path = form.trend().log().currentPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.rfind(data.dir.path().toStdString(), 0), 0u) << path;
    const TrendCsv::ReadResult read = TrendCsv::readFile(path);
    ASSERT_TRUE(read.table) << read.error.text();
    EXPECT_EQ(read.table->header.port, sim.device());
    EXPECT_EQ(read.table->header.address, 1);
    ASSERT_EQ(read.table->samples.size(), recorder.size());
    for (std::size_t k = 0; k < recorder.size(); ++k) {
        const LiveQuantities::Sample kept = recorder.sample(k);
        EXPECT_EQ(read.table->samples[k].wallMs, kept.wallMs) << "row " << k;
        EXPECT_EQ(read.table->samples[k].values, kept.values) << "row " << k;
    }
    EXPECT_EQ(read.table->marks, std::vector<TrendMark>(marks.begin(), marks.end()));
}

} // namespace
