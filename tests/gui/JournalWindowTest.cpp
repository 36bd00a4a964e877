// The service journal in the real window on a scripted controller: its
// button, what a Compare and a Write All leave in it, the window's listing,
// filter and report.
#include "LiveHarness.h"
#include "support/FakeController.h"
#include "support/ScriptedParameterDialogs.h"

#include "app/JournalWindow.h"
#include "app/JournalWindowLauncher.h"
#include "console/AtomicFile.h"
#include "console/ServiceJournal.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(JournalWindow, ButtonBelowScanOpensTheWindow)
{
    LiveHarness h;
    h.form->show();
    const QSize size = h.form->size();
    auto& button = h.find<QAbstractButton>("JournalButton");
    const QWidget& scan = h.find("ScanBus");
    EXPECT_EQ(button.text(), "Journal...");
    EXPECT_EQ(button.parentWidget(), scan.parentWidget());
    EXPECT_GT(button.geometry().top(), scan.geometry().bottom());
    EXPECT_TRUE(scan.parentWidget()->rect().contains(button.geometry()));
    EXPECT_LE(button.fontMetrics().horizontalAdvance(button.text()) + 6, button.width()) << "caption cut";
    for (const QWidget* other : scan.parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != &button && other->isVisible()) {
            EXPECT_FALSE(other->geometry().intersects(button.geometry())) << other->objectName().toStdString();
        }
    }
    QTest::mouseClick(&button, Qt::LeftButton);
    JournalWindow& window = h.form->journal().window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(h.form->size(), size);
}

TEST(JournalWindow, CompareAndWriteAllAreListedAndReported)
{
    QFile::remove(QString::fromStdString(ServiceJournal::defaultPath()));
    LiveHarness h;
    auto scripted = std::make_unique<ScriptedParameterDialogs>();
    ScriptedParameterDialogs& dialogs = *scripted;
    h.form->setParameterDialogs(std::move(scripted));
    FakeController controller;
    // Values every Set handler accepts.
    for (const auto& [reg, value] : {std::pair{27, 5}, {39, 580}, {40, 420}, {41, 350}, {42, 30}, {1, 2200}})
        controller.holding[std::size_t(reg)] = std::uint16_t(value);
    h.port->setResponder(controller.responder());
    h.form->core().open("fake", 9600, 8);
    const auto click = [&](const char* name) { h.find<QAbstractButton>(name).click(); };
    const auto settle = [&] {
        for (int i = 0; i < 3000 && (i < 3 || h.form->core().busy() || h.form->parameterFiles().writeAllRunning()); ++i) {
            h.port->advance();
            h.form->Timer2Timer();
        }
    };
    QTemporaryDir dir;
    const std::string file = dir.filePath("cabinet.json").toStdString();
    click("BitBtn1");
    settle();
    dialogs.fileNames = {file};
    click("SaveParameters");
    ASSERT_TRUE(QFile::exists(QString::fromStdString(file)));

    controller.holding[1] = 2600;   // someone changed the controller since
    dialogs.fileNames = {file};
    click("CompareParameters");
    settle();
    dialogs.fileNames = {file};
    click("LoadParameters");
    click("WriteAll");
    settle();
    ASSERT_FALSE(dialogs.reports.empty());
    EXPECT_EQ(dialogs.reports.back().caption, "Write All") << dialogs.reports.back().text;

    const ServiceJournal::ReadResult read = ServiceJournal::read(ServiceJournal::defaultPath());
    ASSERT_EQ(read.parsed.entries.size(), 10u) << "a Compare, the backup before Write All and eight groups";
    const ServiceJournalEntry& compared = read.parsed.entries[0];
    EXPECT_EQ(compared.kind, ServiceJournalEntry::Kind::Compare);
    EXPECT_EQ(compared.file, file);
    EXPECT_EQ(compared.differences,
              (std::vector<ServiceJournalEntry::Difference>{{"Intfan1 MaxSpeed", "2600 rpm", "2200 rpm"}}));
    EXPECT_EQ(read.parsed.entries[1].kind, ServiceJournalEntry::Kind::Backup);
    EXPECT_EQ(read.parsed.entries[1].run, "Write All");
    const ServiceJournalEntry& intfan = read.parsed.entries[2];
    EXPECT_EQ(intfan.action, "Set Intfan");
    EXPECT_EQ(intfan.run, "Write All");
    EXPECT_EQ(intfan.file, file);
    EXPECT_EQ(ServiceReport::changeText(intfan), "Intfan1 MaxSpeed 2600 rpm \u2192 2200 rpm")
        << "before is what the Compare's Read All found";

    JournalWindow& window = h.form->journal().window();
    EXPECT_EQ(window.shownCount(), 10);
    window.setFilter(2, QDate::currentDate(), QDate::currentDate());
    EXPECT_EQ(window.shownCount(), 0);
    window.setFilter(1, QDate::currentDate().addDays(-1), QDate::currentDate());
    EXPECT_EQ(window.shownCount(), 10);
    const QString report = dir.filePath("report.html");
    EXPECT_EQ(window.exportReport(report), "");
    const std::string html = *AtomicFile::read(report.toStdString(), 1 << 20).bytes;
    EXPECT_NE(html.find("<td>2600 rpm</td><td class=\"changed\">2200 rpm</td>"), std::string::npos);
    EXPECT_NE(html.find("Compare results"), std::string::npos);
    EXPECT_EQ(html.find("No backup was taken"), std::string::npos);
}

} // namespace
