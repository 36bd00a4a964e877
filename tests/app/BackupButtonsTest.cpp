// The automatic backups of the real window on a scripted port: taken before
// Default, Write All and a new device address; without one the operator
// decides; "Backups..." loads one back.
#include "support/FakeController.h"
#include "support/FormHarness.h"
#include "support/ScriptedParameterDialogs.h"

#include "console/AtomicFile.h"
#include "console/ParameterBackups.h"
#include "console/ParameterFile.h"
#include "console/ParameterTable.h"

#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t kReadHolding = 0x03;

class BackupButtons : public ::testing::Test {
protected:
    BackupButtons()
    {
        auto scripted = std::make_unique<ScriptedParameterDialogs>();
        dialogs = scripted.get();
        h.form->setParameterDialogs(std::move(scripted));
        // Values every Set button takes.
        for (const auto& [reg, value] : std::initializer_list<std::pair<int, std::uint16_t>>{
                 {1, 3000}, {27, 5}, {39, 580}, {40, 420}, {41, 350}, {42, 30}})
            controller.holding[static_cast<std::size_t>(reg)] = value;
        h.form->core().open("fake", 9600, 8);
    }

    void click(const char* button) { h.form->findChild<QAbstractButton*>(button)->click(); }
    void run()
    {
        for (int i = 0; i < 300; ++i) {
            h.form->Timer2Timer();
            h.port->advance();
        }
    }
    std::vector<std::string> backups() const { return ParameterBackups::list(ParameterBackups::defaultFolder()); }
    // The frames sent after the backup's Read All, of those from `first` on.
    std::size_t framesAfterRead(std::size_t first) const
    {
        const auto& frames = h.port->written();
        for (std::size_t i = first; i < frames.size(); ++i) {
            if (frames[i].size() > 1 && frames[i][1] == kReadHolding)
                return frames.size() - i - 1;
        }
        return frames.size();
    }

    QTemporaryDir data;
    FormHarness h;
    ScriptedParameterDialogs* dialogs = nullptr;
    FakeController controller;
};

} // namespace

TEST_F(BackupButtons, AChangeOfTheWholeControllerGoesOnlyAfterABackupOrTheOperatorsYes)
{
    enum class Change { Default, Address, WriteAll };
    const struct {
        Change change;
        bool answering;
        bool goOnWithout;
        std::size_t backups;
        bool changed;
    } cases[] = {
        {Change::Default, true, false, 1, true},
        {Change::Default, false, false, 0, false},
        {Change::Default, false, true, 0, true},
        {Change::Address, true, false, 1, true},
        {Change::Address, false, false, 0, false},
        {Change::WriteAll, true, false, 1, true},
        {Change::WriteAll, false, true, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        QDir(QString::fromStdString(ParameterBackups::defaultFolder())).removeRecursively();
        // The console talks to address 1 again after an address change.
        h.form->setText("Edit17", "1");
        click("Button8");
        if (c.change == Change::WriteAll) {
            // A file to write: what the controller holds.
            h.port->setResponder(controller.responder());
            click("BitBtn1");
            run();
            const std::string file = data.filePath("site.json").toStdString();
            ParameterFile::Checked held = ParameterFile::fromTexts(
                [this](const ParameterEntry& p) { return h.form->text(std::string(p.control())); });
            ASSERT_TRUE(held.document) << ParameterFile::report("", held.problems);
            ASSERT_EQ(AtomicFile::write(file, ParameterFile::toJson(*held.document)), "");
            dialogs->fileNames = {file};
            click("LoadParameters");
        }
        const std::size_t first = h.port->written().size();
        h.port->setResponder(c.answering ? controller.responder() : FakeSerialPort::Responder{});
        dialogs->goOnWithout = c.goOnWithout;
        dialogs->backupQuestions.clear();
        switch (c.change) {
        case Change::Default:
            click("BitBtn2");
            break;
        case Change::Address:
            h.form->setText("Edit4", "9");
            click("Button7");
            break;
        case Change::WriteAll:
            click("WriteAll");
            break;
        }
        run();
        EXPECT_EQ(backups().size(), c.backups);
        EXPECT_EQ(dialogs->backupQuestions.size(), c.answering ? 0u : 1u);
        EXPECT_EQ(framesAfterRead(first) > 0, c.changed);
        if (c.backups == 1) {
            const auto read = AtomicFile::read(backups()[0], 1 << 20);
            ASSERT_TRUE(read.bytes);
            const ParameterFile::Checked backup = ParameterFile::parse(*read.bytes);
            ASSERT_TRUE(backup.document);
            EXPECT_EQ(backup.document->busAddress, 1);
            EXPECT_EQ(backup.document->values[1], 3000);
        }
    }
}

TEST_F(BackupButtons, BackupsLoadsOneFromTheBackupsFolder)
{
    h.port->setResponder(controller.responder());
    click("BitBtn2");
    run();
    ASSERT_EQ(backups().size(), 1u);
    h.boxes->clear();
    dialogs->fileNames = {backups()[0]};
    click("RestoreBackup");
    EXPECT_EQ(dialogs->backupFolders, std::vector<std::string>{ParameterBackups::defaultFolder()});
    EXPECT_EQ(h.form->text("Edit5"), "3000");
    EXPECT_TRUE(h.boxes->empty()) << h.boxes->last().text;
}
