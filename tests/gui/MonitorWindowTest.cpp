// The bus monitor in the real window: opening it, the table over the log,
// filters, follow-tail, copy, saving and auto-save.
#include "LiveHarness.h"

#include "app/MonitorLauncher.h"
#include "app/MonitorWindow.h"
#include "link/Crc16.h"
#include "support/ScratchDisk.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Bytes = FakeSerialPort::Bytes;

Bytes withCrc(Bytes body)
{
    const std::uint16_t crc = Crc16(body.data(), body.size());
    body.push_back(static_cast<std::uint8_t>(crc >> 8));
    body.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return body;
}

// A controller on the live tab that answers the poll, losing every sixth
// reply and spoiling the CRC of every fifth.
struct PolledMonitor : LiveHarness {
    PolledMonitor()
    {
        port->openForTest();
        form->pages().setCurrentIndex(1);
        port->setResponder([this](const Bytes& rq) {
            ++replies;
            if (replies % 6 == 0)
                return Bytes{};
            const std::uint16_t quantity = static_cast<std::uint16_t>(rq[4] << 8 | rq[5]);
            Bytes body{rq[0], rq[1]};
            const std::size_t data = rq[1] <= 0x02 ? (quantity + 7U) / 8U : 2U * quantity;
            body.push_back(static_cast<std::uint8_t>(data));
            body.resize(3 + data, 0x01);
            Bytes reply = withCrc(body);
            if (replies % 5 == 0)
                reply.back() ^= 0xFF;
            return reply;
        });
        monitor = &form->monitor().window();
        monitor->setMessageSink([this](const QString& m) { messages << m; });
    }
    // Engine ticks, then the batch timer's work.
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            port->advance();
            form->Timer2Timer();
        }
        monitor->model().flushPending();
    }
    QString cell(int row, int column) const
    {
        return monitor->model().data(monitor->model().index(row, column)).toString();
    }

    int replies = 0;
    MonitorWindow* monitor = nullptr;
    QStringList messages;
};

QStringList fileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TEST(MonitorWindow, OpensBesideTheWindowFromItsButtonAndCtrlM)
{
    LiveHarness h;
    h.form->show();
    const QSize size = h.form->size();
    auto& button = h.find<QAbstractButton>("MonitorButton");
    EXPECT_EQ(button.text(), "Monitor");
    const QRect bar = h.find("iLedBar1").geometry();
    EXPECT_GE(button.geometry().left(), bar.right());
    EXPECT_LE(button.geometry().right(), h.find("Data").geometry().right());
    EXPECT_LE(button.geometry().bottom(), bar.bottom());

    QTest::mouseClick(&button, Qt::LeftButton);
    MonitorWindow& monitor = h.form->monitor().window();
    EXPECT_TRUE(monitor.isVisible());
    EXPECT_TRUE(monitor.isWindow());
    EXPECT_FALSE(monitor.isModal());
    EXPECT_EQ(h.form->size(), size);

    monitor.hide();
    QApplication::setActiveWindow(h.form.get());
    QTest::keyClick(h.form.get(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(monitor.isVisible());
    EXPECT_EQ(h.form->size(), size);
}

TEST(MonitorWindow, TableShowsTheLogColouredByOutcomeWithCounters)
{
    PolledMonitor h;
    h.ticks(3000);
    const TrafficLog& log = h.monitor->log();
    const TrafficCounters& c = log.counters();
    ASSERT_GT(c.requests, 20u);
    EXPECT_GT(c.timeouts, 0u);
    EXPECT_GT(c.crcErrors, 0u);
    EXPECT_GT(c.validReplies, 0u);
    ASSERT_EQ(h.monitor->model().rowCount(), static_cast<int>(log.size()));
    int cut = 0;
    for (int row = 0; row < h.monitor->model().rowCount(); ++row) {
        const TrafficEntry& e = log.entries()[static_cast<std::size_t>(row)];
        EXPECT_EQ(h.cell(row, MonitorModel::OutcomeColumn).toStdString(), TrafficText::outcome(e));
        EXPECT_EQ(h.cell(row, MonitorModel::HexColumn).toStdString(), TrafficText::hex(e));
        // Long decodings are cut in the cell and whole in the tool tip.
        const QString decoded = QString::fromStdString(TrafficText::decoded(e));
        const QModelIndex cell = h.monitor->model().index(row, MonitorModel::DecodedColumn);
        EXPECT_EQ(h.monitor->model().data(cell, Qt::ToolTipRole).toString(), decoded);
        if (decoded.size() > MonitorModel::kLongestCell) {
            ++cut;
            EXPECT_EQ(h.cell(row, MonitorModel::DecodedColumn).size(), MonitorModel::kLongestCell);
            EXPECT_TRUE(decoded.startsWith(h.cell(row, MonitorModel::DecodedColumn).chopped(1)));
        } else {
            EXPECT_EQ(h.cell(row, MonitorModel::DecodedColumn), decoded);
        }
        EXPECT_EQ(h.monitor->model().data(h.monitor->model().index(row, 0), Qt::BackgroundRole).value<QColor>(),
                  MonitorModel::colourOf(e.kind));
    }
    EXPECT_GT(cut, 0);
    // Valid, CRC error and time-out rows each have a colour of their own.
    const QColor valid = MonitorModel::colourOf(TrafficEntry::Kind::Reply);
    EXPECT_NE(valid, MonitorModel::colourOf(TrafficEntry::Kind::CrcError));
    EXPECT_NE(valid, MonitorModel::colourOf(TrafficEntry::Kind::Timeout));
    EXPECT_NE(MonitorModel::colourOf(TrafficEntry::Kind::CrcError), MonitorModel::colourOf(TrafficEntry::Kind::Timeout));

    const QString counters = h.monitor->countersText();
    EXPECT_TRUE(counters.contains(QString("Requests %1 ").arg(c.requests))) << counters.toStdString();
    EXPECT_TRUE(counters.contains(QString("Valid %1 ").arg(c.validReplies)));
    EXPECT_TRUE(counters.contains(QString("Time-outs %1 ").arg(c.timeouts)));
    EXPECT_TRUE(counters.contains(QString("CRC errors %1 ").arg(c.crcErrors)));
    EXPECT_TRUE(counters.contains(QString("TX %1 B").arg(c.bytesOut)));
    EXPECT_TRUE(counters.contains(QString("RX %1 B").arg(c.bytesIn)));
}

TEST(MonitorWindow, ErrorsOnlyPauseAndClear)
{
    PolledMonitor h;
    h.ticks(1500);
    MonitorModel& model = h.monitor->model();
    int all = model.rowCount();

    h.monitor->setErrorsOnly(true);
    ASSERT_GT(model.rowCount(), 0);
    EXPECT_LT(model.rowCount(), all);
    for (int row = 0; row < model.rowCount(); ++row)
        EXPECT_TRUE(model.entry(row).isError()) << row;
    h.monitor->setErrorsOnly(false);
    EXPECT_EQ(model.rowCount(), all);

    // New rows join in batches.
    for (int i = 0; i < 200 && model.pendingRows() == 0; ++i) {
        h.port->advance();
        h.form->Timer2Timer();
    }
    EXPECT_GT(model.pendingRows(), 0u);
    EXPECT_EQ(model.rowCount(), all);
    model.flushPending();
    all = model.rowCount();
    EXPECT_EQ(all, static_cast<int>(h.monitor->log().size()));

    h.monitor->setPaused(true);
    h.ticks(500);
    EXPECT_EQ(model.rowCount(), all);                       // the table stands still
    EXPECT_GT(h.monitor->log().size(), std::size_t(all));   // the log does not
    h.monitor->setPaused(false);
    EXPECT_EQ(model.rowCount(), static_cast<int>(h.monitor->log().size()));

    h.monitor->clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(h.monitor->log().counters().requests, 0u);
}

TEST(MonitorWindow, FollowsTheNewestRowUntilTheUserScrollsUp)
{
    PolledMonitor h;
    h.monitor->show();
    QTableView& table = h.monitor->table();
    QScrollBar& bar = *table.verticalScrollBar();
    h.ticks(3000);
    ASSERT_GT(bar.maximum(), 0);
    EXPECT_TRUE(h.monitor->followsTail());
    EXPECT_EQ(bar.value(), bar.maximum());

    bar.setValue(bar.maximum() / 2);
    EXPECT_FALSE(h.monitor->followsTail());
    const int held = bar.value();
    h.ticks(1000);
    EXPECT_EQ(bar.value(), held);

    bar.setValue(bar.maximum());
    EXPECT_TRUE(h.monitor->followsTail());
    h.ticks(1000);
    EXPECT_EQ(bar.value(), bar.maximum());
}

TEST(MonitorWindow, CopiesTheSelectedRowsAsLogLines)
{
    PolledMonitor h;
    h.ticks(700);
    QTableView& table = h.monitor->table();
    table.selectRow(3);
    table.selectionModel()->select(h.monitor->model().index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const TrafficLog& log = h.monitor->log();
    const std::string expected =
        TrafficText::textLine(log.entries()[1]) + "\n" + TrafficText::textLine(log.entries()[3]) + "\n";
    h.monitor->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected);
    QApplication::clipboard()->clear();
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected);
}

TEST(MonitorWindow, SaveAndAutoSaveWriteWhatTheTableShows)
{
    PolledMonitor h;
    QTemporaryDir dir;
    const QString autoPath = dir.filePath("auto.log");
    h.ticks(300);
    const int before = h.monitor->model().rowCount();
    ASSERT_TRUE(h.monitor->startAutoSave(autoPath));
    h.ticks(1200);
    h.monitor->autoSave().flush();

    const QString savePath = dir.filePath("all.txt");
    ASSERT_TRUE(h.monitor->saveLog(savePath));
    const QStringList saved = fileLines(savePath);
    MonitorModel& model = h.monitor->model();
    ASSERT_EQ(saved.size(), model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column : {int(MonitorModel::DirectionColumn), int(MonitorModel::OutcomeColumn),
                           int(MonitorModel::HexColumn), int(MonitorModel::DecodedColumn)}) {
            QString shown = h.cell(row, column);
            if (shown.endsWith(QChar(0x2026)))
                shown.chop(1);   // a cut cell: the file holds the whole text
            EXPECT_TRUE(saved[row].contains(shown)) << row << " " << column;
        }
        EXPECT_TRUE(saved[row].contains(h.cell(row, MonitorModel::TimeColumn).left(8)));
    }

    // Auto-save holds the rows from its start on, and closes on stop.
    h.monitor->stopAutoSave();
    const QStringList appended = fileLines(autoPath);
    ASSERT_EQ(appended.size(), model.rowCount() - before);
    EXPECT_EQ(appended.first(), saved[before]);
    EXPECT_EQ(appended.last(), saved.last());
    EXPECT_FALSE(h.monitor->autoSave().active());

    // CSV by extension.
    const QString csvPath = dir.filePath("all.csv");
    ASSERT_TRUE(h.monitor->saveLog(csvPath));
    EXPECT_EQ(fileLines(csvPath).size(), model.rowCount() + 1);
}

TEST(MonitorWindow, ButtonsAskForTheFileAndCancelLeavesThingsAlone)
{
    PolledMonitor h;
    QTemporaryDir dir;
    QString answer;
    std::vector<bool> appends;
    h.monitor->setFileQuestion([&](const QString&, bool append) {
        appends.push_back(append);
        return answer;
    });
    h.ticks(300);
    auto& autoSave = *h.monitor->findChild<QCheckBox*>("MonitorAutoSave");
    auto& save = *h.monitor->findChild<QAbstractButton*>("MonitorSave");

    QTest::mouseClick(&autoSave, Qt::LeftButton);   // cancelled
    EXPECT_FALSE(autoSave.isChecked());
    EXPECT_FALSE(h.monitor->autoSave().active());
    answer = dir.filePath("auto.log");
    QTest::mouseClick(&autoSave, Qt::LeftButton);
    EXPECT_TRUE(autoSave.isChecked());
    EXPECT_TRUE(h.monitor->autoSave().active());
    QTest::mouseClick(&autoSave, Qt::LeftButton);
    EXPECT_FALSE(h.monitor->autoSave().active());

    answer = dir.filePath("saved.csv");
    QTest::mouseClick(&save, Qt::LeftButton);
    EXPECT_EQ(fileLines(answer).size(), h.monitor->model().rowCount() + 1);
    EXPECT_EQ(appends, (std::vector<bool>{true, true, false}));
    EXPECT_TRUE(h.messages.isEmpty());
}

TEST(MonitorWindow, FailingFileStopsAutoSaveWithItsReasonAndTheLinkRunsOn)
{
    PolledMonitor h;
    ScratchDisk disk;
    const QString autoLog = QString::fromStdString(disk.path("auto.log"));
    ASSERT_TRUE(h.monitor->startAutoSave(autoLog));
    disk.fill();
    h.ticks(200);
    QCoreApplication::processEvents();   // the report is queued behind the tick
    ASSERT_EQ(h.messages.size(), 1);
    EXPECT_TRUE(h.messages[0].startsWith("Cannot save the monitor log to " + autoLog + ": cannot write: "))
        << h.messages[0].toStdString();
    EXPECT_TRUE(h.messages[0].endsWith(". Auto-save is off."));
    EXPECT_FALSE(h.monitor->autoSave().active());
    EXPECT_FALSE(h.monitor->findChild<QCheckBox*>("MonitorAutoSave")->isChecked());

    const std::size_t sent = h.port->written().size();
    h.ticks(400);
    EXPECT_GT(h.port->written().size(), sent);
    EXPECT_TRUE(h.boxes->messages().empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(h.messages.size(), 1);

    EXPECT_FALSE(h.monitor->startAutoSave("/nonexistent-dir/auto.log"));
    QCoreApplication::processEvents();
    ASSERT_EQ(h.messages.size(), 2);
    EXPECT_TRUE(h.messages[1].contains("/nonexistent-dir/auto.log: cannot open: No such file or directory"));

    const QString saved = QString::fromStdString(disk.path("saved.log"));
    EXPECT_FALSE(h.monitor->saveLog(saved));
    ASSERT_EQ(h.messages.size(), 3);
    EXPECT_TRUE(h.messages[2].startsWith("Cannot save the monitor log to " + saved + ": cannot write: "))
        << h.messages[2].toStdString();
    EXPECT_FALSE(QFile::exists(saved));
}

TEST(MonitorWindow, AutoSaveIsFlushedAndClosedWhenTheWindowGoes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("exit.csv");
    {
        MonitorWindow monitor;
        ASSERT_TRUE(monitor.startAutoSave(path));
        for (std::uint32_t i = 0; i < 3; ++i) {
            TrafficEntry e;
            e.kind = TrafficEntry::Kind::Timeout;
            monitor.log().add(e);
        }
        EXPECT_EQ(fileLines(path).size(), 4);   // every row reaches the file as it comes
    }
    EXPECT_EQ(fileLines(path).size(), 4);   // header and three rows
}

TEST(MonitorWindow, BoundedLogDropsTheOldestRows)
{
    MonitorWindow monitor(nullptr, 10);
    for (std::uint32_t i = 0; i < 25; ++i) {
        TrafficEntry e;
        e.kind = TrafficEntry::Kind::Discarded;
        e.count = i + 1;
        monitor.log().add(e);
        if (i % 7 == 0)
            monitor.model().flushPending();
    }
    EXPECT_EQ(monitor.model().rowCount() + monitor.model().pendingRows(), 10u);
    monitor.model().flushPending();
    EXPECT_EQ(monitor.model().rowCount(), 10);
    EXPECT_EQ(monitor.model().entry(0).count, 16u);
    EXPECT_TRUE(monitor.countersText().contains("Entries 10, dropped 15"));
}

} // namespace
