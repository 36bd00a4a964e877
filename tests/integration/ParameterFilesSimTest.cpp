// Parameter files end to end: the real window and its engine against the
// simulated controller (the hx-sim program) over a pseudo-terminal.
#include "app/FontSubstitutions.h"
#include "app/JournalWindow.h"
#include "app/JournalWindowLauncher.h"
#include "app/TForm1.h"
#include "console/AtomicFile.h"
#include "console/ParameterBackups.h"
#include "console/ParameterFile.h"
#include "console/ParameterTable.h"
#include "link/QtSerialPort.h"
#include "support/RecordingMessageBoxes.h"
#include "support/ScriptedParameterDialogs.h"
#include "support/SimProcess.h"
#include "support/TimerRun.h"

#include <QAbstractButton>
#include <QDate>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ParameterFilesSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        installFontSubstitutions();
        auto recorded = std::make_unique<RecordingMessageBoxes>();
        boxes = recorded.get();
        form = std::make_unique<TForm1>(std::make_unique<QtSerialPort>(), std::move(recorded));
        auto scripted = std::make_unique<ScriptedParameterDialogs>();
        dialogs = scripted.get();
        form->setParameterDialogs(std::move(scripted));
        sim = std::make_unique<SimProcess>(simArguments());
        ASSERT_FALSE(sim->device().empty());
        form->setText("rdCOM", sim->device());
        click("Button1");
        ASSERT_EQ(form->text("Button1"), "Close") << boxes->last().text;
        // The simulator answers once it serves its line: read the version
        // until it does (an unanswered read ends silently after ~110 ticks).
        for (int attempt = 0; attempt < 5 && form->text("SWV").empty(); ++attempt) {
            click("Button5");
            runUntil([&] { return idle(); });
        }
        ASSERT_EQ(form->text("SWV"), "HX-CTRL V2.13 SIM");
    }

    virtual std::vector<std::string> simArguments() const { return {"--steady"}; }

    void click(const char* button) { form->findChild<QAbstractButton*>(button)->click(); }

    // Lets the window's timers run until `done` holds or the engine has
    // ticked `tickBudget` times (an unanswered command ends after ~110).
    bool runUntil(const std::function<bool()>& done, int tickBudget = 3000)
    {
        return runUntilTicked(form->timer2(), done, tickBudget);
    }

    bool idle() { return form->linkState().LinkBusy == 0; }

    RecordingMessageBoxes::Message clickAndWaitForMessage(const char* button)
    {
        const std::size_t before = boxes->messages().size();
        click(button);
        EXPECT_TRUE(runUntil([&] { return boxes->messages().size() > before; })) << button;
        return boxes->last();
    }

    void readAll()
    {
        click("BitBtn1");
        ASSERT_TRUE(runUntil([&] { return idle(); }));
        ASSERT_NE(form->text("Edit12"), "") << "Read All got no answer";
    }

    // Register values the controls hold now.
    std::vector<std::int32_t> controlValues()
    {
        const ParameterFile::Checked held = ParameterFile::fromTexts(
            [&](const ParameterEntry& param) { return form->text(std::string(param.control())); });
        EXPECT_TRUE(held.document) << ParameterFile::report("", held.problems);
        return held.document ? held.document->values : std::vector<std::int32_t>{};
    }

    std::vector<std::int32_t> fileValues(const std::string& path)
    {
        const ParameterFile::Checked file = ParameterFile::parse(*AtomicFile::read(path, 1 << 20).bytes);
        EXPECT_TRUE(file.document);
        return file.document ? file.document->values : std::vector<std::int32_t>{};
    }

    // Sets values unlike the factory ones, reads them all back and saves them.
    std::string saveNonFactoryParameters()
    {
        form->setText("Edit12", "1250");
        form->setText("Edit14", "27.5");
        // The rest of the curve plausible: minimum below maximum, stop below both.
        form->setText("Edit5", "3000");
        form->setText("Edit13", "800");
        form->setText("Edit27", "35");
        form->setText("Edit9", "20");
        form->setText("Edit6", "5");
        form->setText("ComboBox1", "Enable");
        form->setText("ComboBox2", "Disable");
        EXPECT_EQ(clickAndWaitForMessage("Set").text, "Set Successfully!");
        form->setText("Edit24", "61.5");
        form->setText("Edit25", "-12.5");
        EXPECT_EQ(clickAndWaitForMessage("Button11").text, "Set Successfully");
        form->setText("Edit30", "40.5");
        form->setText("Edit29", "4");
        form->setText("Edit31", "3900");
        EXPECT_EQ(clickAndWaitForMessage("Button14").text, "Set Successfully");
        readAll();
        const std::string path = dir.filePath("cabinet.json").toStdString();
        dialogs->fileNames = {path};
        boxes->clear();
        click("SaveParameters");
        EXPECT_EQ(dialogs->questions, 0) << "filled by Read All: no offer";
        EXPECT_EQ(boxes->last().text, "Parameters saved to " + path);
        return path;
    }

    // Saves, loads and writes back non-factory values; returns once the
    // first three groups have their outcome.
    void writeAllSavedUntilThreeGroupsAreDone()
    {
        const std::string saved = saveNonFactoryParameters();
        dialogs->fileNames = {saved};
        click("LoadParameters");
        boxes->clear();
        click("WriteAll");
        ASSERT_TRUE(runUntil([&] { return form->parameterFiles().writeAll().outcomes().size() >= 3; }));
    }

    RecordingMessageBoxes* boxes = nullptr;
    ScriptedParameterDialogs* dialogs = nullptr;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<SimProcess> sim;
    QTemporaryDir dir;
};

// A controller that refuses every write to the heater's registers.
class RefusingSimTest : public ParameterFilesSimTest {
protected:
    std::vector<std::string> simArguments() const override { return {"--steady", "--refuse-writes", "22-26"}; }
};

} // namespace

TEST_F(RefusingSimTest, WriteAllNamesTheRefusedGroupAndWritesTheOthers)
{
    readAll();
    const std::string path = dir.filePath("held.json").toStdString();
    dialogs->fileNames = {path, path};
    click("SaveParameters");
    click("LoadParameters");
    click("WriteAll");
    EXPECT_EQ(dialogs->confirmations, std::vector<std::string>{path});
    ASSERT_TRUE(runUntil([&] { return !dialogs->reports.empty(); }));
    ASSERT_EQ(dialogs->reports.size(), 1u);
    const std::string& summary = dialogs->reports.back().text;
    EXPECT_EQ(summary.rfind("7 of 8 groups written.\n", 0), 0u) << summary;
    EXPECT_TRUE(summary.ends_with("\nParameters from " + path + ".")) << summary;
    EXPECT_NE(summary.find("External Fan: written\nHeater: refused by the controller: illegal data value (03)\n"
                           "Temp. Alarm: written"),
              std::string::npos)
        << summary;

    // The heater's own Set: no box, as for any reply that is not the
    // acknowledgement, and the line over the sheets says why.
    boxes->clear();
    click("Button15");
    ASSERT_TRUE(runUntil([&] { return idle(); }));
    EXPECT_TRUE(boxes->empty()) << boxes->last().text;
    EXPECT_EQ(form->failureLine(), "Set Heater refused by the controller: illegal data value (03)");
    click("Button5");
    ASSERT_TRUE(runUntil([&] { return idle(); }));
    EXPECT_EQ(form->failureLine(), "") << "the next success clears it";
}

TEST_F(ParameterFilesSimTest, FactoryResetThenLoadAndWriteAllRestoresEveryParameter)
{
    const std::string saved = saveNonFactoryParameters();
    const std::vector<std::int32_t> values = fileValues(saved);
    const std::string text = *AtomicFile::read(saved, 1 << 20).bytes;
    EXPECT_NE(text.find("\"busAddress\": 1,"), std::string::npos);
    EXPECT_NE(text.find("\"firmware\": \"HX-CTRL V2.13 SIM\","), std::string::npos);

    EXPECT_EQ(clickAndWaitForMessage("BitBtn2").text, "Parameter Reset Successfully");
    readAll();
    EXPECT_EQ(form->text("Edit12"), "300");
    EXPECT_NE(controlValues(), values);

    dialogs->fileNames = {saved};
    click("LoadParameters");
    EXPECT_EQ(controlValues(), values);
    boxes->clear();
    click("WriteAll");
    ASSERT_TRUE(runUntil([&] { return !dialogs->reports.empty(); }));
    const ScriptedParameterDialogs::Report summary = dialogs->reports.back();
    EXPECT_EQ(summary.caption, "Write All");
    EXPECT_EQ(summary.text.substr(0, summary.text.find('\n')), "8 of 8 groups written.") << summary.text;
    EXPECT_EQ(dialogs->reports.size(), 1u) << "one summary for the whole run";
    EXPECT_TRUE(boxes->empty()) << "no box per group: " << boxes->last().text;

    // What the controller holds now, read back register by register.
    readAll();
    EXPECT_EQ(controlValues(), values);
}

TEST_F(ParameterFilesSimTest, DefaultKeepsABackupThatBringsTheCabinetBackAndTheReportTellsIt)
{
    readAll();
    form->setText("Edit5", "3200");
    EXPECT_EQ(clickAndWaitForMessage("Set").text, "Set Successfully!");
    form->setText("Edit31", "3900");
    EXPECT_EQ(clickAndWaitForMessage("Button14").text, "Set Successfully");
    readAll();
    const std::vector<std::int32_t> changed = controlValues();

    EXPECT_EQ(clickAndWaitForMessage("BitBtn2").text, "Parameter Reset Successfully");
    const std::vector<std::string> backups = ParameterBackups::list(ParameterBackups::defaultFolder());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(fileValues(backups[0]), changed);
    readAll();
    EXPECT_NE(controlValues(), changed);

    dialogs->fileNames = {backups[0]};
    click("RestoreBackup");
    click("WriteAll");
    ASSERT_TRUE(runUntil([&] { return !dialogs->reports.empty(); }));
    EXPECT_EQ(dialogs->reports.back().text.substr(0, dialogs->reports.back().text.find('\n')), "8 of 8 groups written.");
    EXPECT_EQ(ParameterBackups::list(ParameterBackups::defaultFolder()).size(), 2u) << "one more before Write All";
    // What the simulator holds now, read back register by register.
    readAll();
    EXPECT_EQ(controlValues(), changed);

    JournalWindow& journal = form->journal().window();
    journal.setFilter(1, QDate::currentDate(), QDate::currentDate());
    const QString report = QString::fromStdString(dir.filePath("report.html").toStdString());
    ASSERT_EQ(journal.exportReport(report), "");
    const std::string html = *AtomicFile::read(report.toStdString(), 1 << 20).bytes;
    for (const std::string& shown : {QFileInfo(QString::fromStdString(backups[0])).fileName().toStdString(),
                                     std::string("Intfan1 MaxSpeed"), std::string("3200 rpm"), std::string("Default"),
                                     std::string("Compressor MaxSpeed")})
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
}

TEST_F(ParameterFilesSimTest, CompareListsExactlyTheParameterChangedWithItsSetButton)
{
    const std::string saved = saveNonFactoryParameters();
    dialogs->fileNames = {saved};
    click("CompareParameters");
    ASSERT_TRUE(runUntil([&] { return !dialogs->differences.empty(); }));
    EXPECT_TRUE(dialogs->differences.back().empty());

    form->setText("Edit24", "47");
    EXPECT_EQ(clickAndWaitForMessage("Button11").text, "Set Successfully");
    dialogs->fileNames = {saved};
    click("CompareParameters");
    ASSERT_TRUE(runUntil([&] { return dialogs->differences.size() == 2; }));
    EXPECT_EQ(dialogs->differences.back(),
        (std::vector<ParameterDifference>{{"TempAlarm High", "47.0 °C", "61.5 °C"}}));
    EXPECT_EQ(dialogs->captions.back(), "Compare...");
}

TEST_F(ParameterFilesSimTest, SimulatorStoppedMidWayNamesWrittenAndUnsentGroups)
{
    ASSERT_NO_FATAL_FAILURE(writeAllSavedUntilThreeGroupsAreDone());
    sim->pause();
    ASSERT_TRUE(runUntil([&] { return !dialogs->reports.empty(); }));
    const std::string summary = dialogs->reports.back().text;
    EXPECT_EQ(dialogs->reports.back().caption, "Write All");
    EXPECT_NE(summary.find("3 of 8 groups written."), std::string::npos) << summary;
    EXPECT_NE(summary.find("Internal Fan: written\nExternal Fan: written\nHeater: written\n"
                           "Temp. Alarm: failed, no answer from the controller (time-out)\n"
                           "Calibration: not sent (the link failed)"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Compressor: not sent (the link failed)"), std::string::npos) << summary;
    EXPECT_TRUE(boxes->empty());
    EXPECT_TRUE(idle());
}

TEST_F(ParameterFilesSimTest, SimulatorEndedMidWayLosesThePortAndEndsTheRun)
{
    ASSERT_NO_FATAL_FAILURE(writeAllSavedUntilThreeGroupsAreDone());
    sim->kill();
    ASSERT_TRUE(runUntil([&] { return !dialogs->reports.empty(); }));
    const std::string summary = dialogs->reports.back().text;
    EXPECT_NE(summary.find("3 of 8 groups written."), std::string::npos) << summary;
    EXPECT_NE(summary.find("Temp. Alarm: failed, interrupted: the port's device went away"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Compressor: not sent (interrupted: the port's device went away)"), std::string::npos) << summary;
    EXPECT_FALSE(form->parameterFiles().writeAllRunning());
}
