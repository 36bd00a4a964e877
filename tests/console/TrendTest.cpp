#include "console/TrendCsv.h"
#include "console/TrendLog.h"
#include "console/TrendRecorder.h"
#include "link/LinkState.h"
#include "link/LiveQuantities.h"
#include "support/ScratchDisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using LiveQuantities::Sample;
using LiveQuantities::indexOf;

// 2026-12-09 23:59:58.000 in UTC+1.
constexpr std::int64_t kLateEvening = 1796857198000;
constexpr int kOffset = 3600;

double value(const Sample& s, const char* name) { return s.values.at(*indexOf(name)).value(); }

Sample polled(std::int64_t at, int heaterAlarm, unsigned steps = 0b1011)
{
    LinkState state;
    state.Intfan1.Speed = 1500;
    state.Extfan2.Speed = 65535;
    state.Live.IndoorTemp = -205;
    state.Live.SupplyVoltage = 481;
    state.Live.HeaterRunning = 1;
    state.Live.HeaterAlarm = std::uint8_t(heaterAlarm);
    return LiveQuantities::sampleOf(state, steps, at, kOffset);
}

struct Heard : TrendRecorder::Listener {
    std::vector<Sample> samples;
    std::vector<TrendMark> marks;
    void sampleRecorded(const Sample& s) override { samples.push_back(s); }
    void markRecorded(const TrendMark& m) override { marks.push_back(m); }
};

TEST(TrendRecorder, APollCycleBecomesOneSampleWithGapsAndAlarmMarks)
{
    TrendRecorder recorder;
    Heard heard;
    recorder.addListener(&heard);
    recorder.record(polled(1000, 0));
    recorder.record(polled(2240, 1));
    recorder.record(polled(3480, 1, 0b1001));  // the inputs' step went unanswered
    recorder.gap(4000, kOffset);                // tab changed or port lost
    recorder.gap(4500, kOffset);                // still stopped: one gap
    recorder.record(polled(9000, 0));
    recorder.write(9100, kOffset, "Set Intfan1", true);
    recorder.write(9200, kOffset, "Default", false);

    ASSERT_EQ(recorder.size(), 5U);
    const Sample first = recorder.sample(0);
    EXPECT_EQ(value(first, "intfan1_speed"), 1500);
    EXPECT_EQ(value(first, "extfan2_speed"), 65535);
    EXPECT_DOUBLE_EQ(value(first, "indoor_temp"), -20.5);
    EXPECT_DOUBLE_EQ(value(first, "supply_voltage"), 48.1);
    EXPECT_EQ(value(first, "heater_running"), 1);
    EXPECT_EQ(value(first, "heater_alarm"), 0);
    EXPECT_EQ(first.utcOffsetSeconds, kOffset);
    EXPECT_FALSE(recorder.sample(2).values[*indexOf("heater_alarm")].has_value());
    EXPECT_TRUE(recorder.sample(2).values[*indexOf("indoor_temp")].has_value());
    EXPECT_TRUE(TrendRecorder::isGap(recorder.sample(3)));
    EXPECT_EQ(recorder.sample(3).wallMs, 4000);

    const std::vector<TrendMark> marks{
        {2240, kOffset, TrendMark::Kind::AlarmRaised, "Heater alarm raised"},
        {9000, kOffset, TrendMark::Kind::AlarmCleared, "Heater alarm cleared"},
        {9100, kOffset, TrendMark::Kind::Write, "Set Intfan1"},
        {9200, kOffset, TrendMark::Kind::WriteFailed, "Default failed"},
    };
    EXPECT_EQ(std::vector<TrendMark>(recorder.marks().begin(), recorder.marks().end()), marks);
    EXPECT_EQ(heard.marks, marks);
    EXPECT_EQ(heard.samples.size(), 5U);
}

TEST(TrendRecorder, KeepsTheNewestDay)
{
    TrendRecorder recorder;
    recorder.record(polled(0, 1));
    recorder.record(polled(TrendRecorder::kDayMs / 2, 1));
    recorder.record(polled(TrendRecorder::kDayMs + 1, 0));
    ASSERT_EQ(recorder.size(), 2U);
    EXPECT_EQ(recorder.sample(0).wallMs, TrendRecorder::kDayMs / 2);
    ASSERT_EQ(recorder.marks().size(), 1U);
    EXPECT_EQ(recorder.marks().front().kind, TrendMark::Kind::AlarmCleared);
}

TEST(TrendCsv, TimesKeepTheirOffsetAndMilliseconds)
{
    EXPECT_EQ(TrendCsv::timeText(kLateEvening, kOffset), "2026-12-09T23:59:58.000+01:00");
    EXPECT_EQ(TrendCsv::timeText(-1, -5400), "1969-12-31T22:29:59.999-01:30");
    for (const auto& [text, ms, offset] : std::vector<std::tuple<std::string, std::int64_t, int>>{
             {"2026-12-09T23:59:58.000+01:00", kLateEvening, kOffset},
             {"2026-12-09T22:59:58.25Z", kLateEvening + 250, 0},
             {"1969-12-31T22:29:59.999-01:30", -1, -5400},
         }) {
        const auto t = TrendCsv::parseTime(text);
        ASSERT_TRUE(t) << text;
        EXPECT_EQ(t->wallMs, ms) << text;
        EXPECT_EQ(t->utcOffsetSeconds, offset) << text;
    }
    for (const char* bad : {"2026-02-30T00:00:00Z", "2026-12-09T24:00:00Z", "2026-12-09T10:00:00", "2026-12-09",
                            "2026-12-09T10:00:00+0100", "2026-12-09T10:00:00Zx"})
        EXPECT_FALSE(TrendCsv::parseTime(bad)) << bad;
}

struct LogFolder {
    QTemporaryDir dir;
    std::vector<std::string> messages;
    std::string folder() const { return QDir(dir.path()).filePath("trend").toStdString(); }
    QStringList files() const { return QDir(QString::fromStdString(folder())).entryList(QDir::Files, QDir::Name); }
    std::string path(const QString& name) const { return QDir(QString::fromStdString(folder())).filePath(name).toStdString(); }
};

TEST(TrendLog, RecordedSamplesReadBackWithTheirGapsAndMarks)
{
    LogFolder f;
    TrendRecorder recorder;
    TrendLog log(f.folder(), [&](const std::string& m) { f.messages.push_back(m); });
    log.setHeader({"1.4.0", "/dev/ttyUSB0", 7, "HX-CTRL V2.13"});
    recorder.addListener(&log);
    recorder.record(polled(kLateEvening - 5000, 0));
    recorder.record(polled(kLateEvening - 3760, 1, 0b1001));
    recorder.gap(kLateEvening - 3000, kOffset);
    recorder.record(polled(kLateEvening - 1000, 1));
    recorder.write(kLateEvening - 900, kOffset, "Set Intfan1", true);

    ASSERT_EQ(f.files(), QStringList{"trend-address-7-2026-12-09.csv"});
    const TrendCsv::ReadResult read = TrendCsv::readFile(log.currentPath());
    ASSERT_TRUE(read.table) << read.error.text();
    EXPECT_EQ(read.table->header.port, "/dev/ttyUSB0");
    EXPECT_EQ(read.table->header.address, 7);
    EXPECT_EQ(read.table->header.firmware, "HX-CTRL V2.13");
    ASSERT_EQ(read.table->samples.size(), recorder.size());
    for (std::size_t i = 0; i < recorder.size(); ++i) {
        EXPECT_EQ(read.table->samples[i].wallMs, recorder.sample(i).wallMs);
        EXPECT_EQ(read.table->samples[i].values, recorder.sample(i).values) << i;
    }
    EXPECT_EQ(read.table->marks, std::vector<TrendMark>(recorder.marks().begin(), recorder.marks().end()));
    EXPECT_TRUE(f.messages.empty());
}

TEST(TrendCsv, MalformedFilesNameTheLineAndColumn)
{
    const std::string head = "# hxconsole trend log\ntime,intfan1_speed [rpm],indoor_temp [°C]\n";
    struct Case {
        std::string text;
        int line, column;
        const char* reason;
    };
    for (const Case& c : std::vector<Case>{
             {"", 1, 1, "no header row"},
             {"when,intfan1_speed [rpm]\n", 1, 1, "must begin with \"time\""},
             {"time,intfan1_speed [rpm],fan9 [rpm]\n", 1, 3, "unknown column \"fan9 [rpm]\""},
             {"time,indoor_temp [°C],indoor_temp [°C]\n", 1, 3, "appears twice"},
             {head + "2026-12-09T10:00:00.000+01:00,1500,21.5\n2026-12-09T10:00:01.000+01:00,15OO,21.5\n", 4, 2,
              "\"15OO\" is not a number"},
             {head + "2026-12-09T10:00:00.000+01:00,1500\n", 3, 3, "2 cells where the header has 3"},
             {head + "2026-12-09T10:00:00.000+01:00,1500,21.5,7\n", 3, 4, "4 cells"},
             {head + "yesterday,1500,21.5\n", 3, 1, "\"yesterday\" is not a time"},
             {head + "2026-12-09T10:00:00.000+01:00,1500,nan\n", 3, 3, "not a number"},
         }) {
        const TrendCsv::ReadResult r = TrendCsv::parse(c.text);
        EXPECT_FALSE(r.table) << c.text;
        EXPECT_EQ(r.error.line, c.line) << c.text;
        EXPECT_EQ(r.error.column, c.column) << c.text;
        EXPECT_NE(r.error.text().find(c.reason), std::string::npos) << r.error.text();
    }
    // Missing columns, CRLF ends and the older UTC stamps read.
    const auto ok = TrendCsv::parse(head + "2026-12-09T10:00:00Z,1500,\r\n");
    ASSERT_TRUE(ok.table) << ok.error.text();
    EXPECT_EQ(value(ok.table->samples.at(0), "intfan1_speed"), 1500);
    EXPECT_FALSE(ok.table->samples[0].values[*indexOf("indoor_temp")]);
    EXPECT_FALSE(ok.table->samples[0].values[*indexOf("outdoor_temp")]);
}

TEST(TrendLog, SplitsAtMidnightAtTheSizeLimitAndAroundEarlierFiles)
{
    LogFolder f;
    TrendLog log(f.folder(), [&](const std::string& m) { f.messages.push_back(m); }, 4096);
    log.setHeader({"1.4.0", "/dev/ttyS0", 1, ""});
    const std::string row = TrendCsv::row(polled(0, 0));
    // An earlier session's file of that day is kept as it is.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(f.folder())));
    QFile earlier(QString::fromStdString(f.path("trend-address-1-2026-12-09.csv")));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier\n");
    earlier.close();

    const int perFile = int((4096 - (TrendCsv::comments(log.header()) + TrendCsv::headerRow()).size()) / row.size());
    const int beforeMidnight = perFile + 3;
    for (int i = 0; i < beforeMidnight; ++i)
        log.sampleRecorded(polled(kLateEvening + 2000 - (beforeMidnight - i) * 1240, 0));
    log.sampleRecorded(polled(kLateEvening + 2000, 0));  // 00:00:00.000
    log.sampleRecorded(polled(kLateEvening + 3240, 0));

    EXPECT_EQ(f.files(), (QStringList{"trend-address-1-2026-12-09-2.csv", "trend-address-1-2026-12-09-3.csv",
                                      "trend-address-1-2026-12-09.csv", "trend-address-1-2026-12-10.csv"}));
    std::size_t rows = 0;
    for (const char* name : {"trend-address-1-2026-12-09-2.csv", "trend-address-1-2026-12-09-3.csv"}) {
        QFile file(QString::fromStdString(f.path(name)));
        EXPECT_LE(file.size(), 4096) << name;
        const auto read = TrendCsv::readFile(f.path(name));
        ASSERT_TRUE(read.table) << read.error.text();
        rows += read.table->samples.size();
    }
    EXPECT_EQ(rows, std::size_t(beforeMidnight));
    const auto after = TrendCsv::readFile(f.path("trend-address-1-2026-12-10.csv"));
    ASSERT_TRUE(after.table);
    EXPECT_EQ(after.table->samples.size(), 2U);
    EXPECT_EQ(TrendCsv::timeText(after.table->samples[0].wallMs, kOffset), "2026-12-10T00:00:00.000+01:00");
    EXPECT_TRUE(f.messages.empty());
}

TEST(TrendLog, AFolderOrDiskThatFailsIsReportedOnceAndMemoryGoesOn)
{
    LogFolder f;
    // A plain file where the folder should be: no one, not even root, can make it.
    QFile blocker(f.dir.filePath("trend"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TrendRecorder recorder;
    TrendLog log(f.folder(), [&](const std::string& m) { f.messages.push_back(m); });
    recorder.addListener(&log);
    for (int i = 0; i < 3; ++i)
        recorder.record(polled(kLateEvening + i * 1240, i % 2));
    EXPECT_EQ(recorder.size(), 3U);
    ASSERT_EQ(f.messages.size(), 1U);
    EXPECT_NE(f.messages[0].find(f.folder()), std::string::npos) << f.messages[0];
    EXPECT_TRUE(log.failed());

    // Switching the log off and on tries again.
    ASSERT_TRUE(QFile::remove(f.dir.filePath("trend")));
    log.setEnabled(false);
    log.setEnabled(true);
    recorder.record(polled(kLateEvening + 9000, 0));
    EXPECT_EQ(f.messages.size(), 1U);
    EXPECT_EQ(f.files().size(), 1);

    // A disk that fills while the log runs: one message, memory goes on.
    ScratchDisk disk;
    std::vector<std::string> full;
    TrendLog onDisk(disk.folder(), [&](const std::string& m) { full.push_back(m); });
    recorder.addListener(&onDisk);
    recorder.record(polled(kLateEvening + 10000, 0));
    ASSERT_TRUE(full.empty()) << full[0];
    disk.fill();
    // More rows than the page the file already has room in.
    for (int i = 0; i < 100; ++i)
        recorder.record(polled(kLateEvening + 11240 + i * 1240, i % 2));
    ASSERT_EQ(full.size(), 1U);
    EXPECT_NE(full[0].find(onDisk.folder()), std::string::npos) << full[0];
    EXPECT_EQ(recorder.size(), 105U);
    recorder.removeListener(&onDisk);
}

} // namespace
