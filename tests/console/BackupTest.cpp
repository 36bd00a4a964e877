#include "console/BackupBeforeChange.h"
#include "console/ParameterBackups.h"
#include "console/ParameterTable.h"
#include "tests/support/ScratchDisk.h"

#include <gtest/gtest.h>

#include <QDate>
#include <algorithm>
#include <QTime>

using ParameterBackups::Action;

namespace {

const QDateTime kTime(QDate(2026, 12, 9), QTime(21, 40, 5));

ParameterFile::Document document(int address)
{
    ParameterFile::Document d;
    d.console = "0.1";
    d.date = "2026-12-09T21:40:05+01:00";
    d.firmware = "HX-CTRL V2.13";
    d.busAddress = address;
    // The smallest value each Set button takes.
    for (const ParameterEntry& p : ParameterTable::all()) {
        std::int32_t value = 0;
        while (p.accepted && !p.accepted(value))
            ++value;
        d.values.push_back(value);
    }
    return d;
}

} // namespace

TEST(ParameterBackups, NamesSayAddressFirmwareActionAndTime)
{
    const struct {
        int address;
        const char* firmware;
        Action action;
        const char* name;
    } cases[] = {
        {1, "HX-CTRL V2.13", Action::Default, "backup-address-1-HX-CTRL_V2.13-default-2026-12-09T21-40-05.json"},
        {247, "", Action::WriteAll, "backup-address-247-write-all-2026-12-09T21-40-05.json"},
        {3, "a/b\\c:*?\"<>|\n", Action::AddressChange, "backup-address-3-abc-address-change-2026-12-09T21-40-05.json"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParameterBackups::fileName(c.address, c.firmware, c.action, kTime), c.name);
}

TEST(ParameterBackups, SavedFilesLoadBackAndNeverReplaceEachOther)
{
    ScratchDisk disk;
    const std::string folder = disk.path("backups/deeper");
    const auto first = ParameterBackups::save(folder, document(1), Action::Default, kTime);
    const auto second = ParameterBackups::save(folder, document(1), Action::Default, kTime);
    ASSERT_TRUE(first.error.empty()) << first.error;
    ASSERT_TRUE(second.error.empty()) << second.error;
    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(second.path.substr(second.path.size() - 7), "-2.json");
    auto listed = ParameterBackups::list(folder);
    std::sort(listed.begin(), listed.end());
    auto expected = std::vector<std::string>{first.path, second.path};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listed, expected);

    const auto loaded = ParameterFile::parse(fileBytes(first.path));
    ASSERT_TRUE(loaded.document) << ParameterFile::report("", loaded.problems);
    EXPECT_EQ(loaded.document->values, document(1).values);
    EXPECT_EQ(loaded.problems.size(), 0u) << ParameterFile::report("", loaded.problems);
    EXPECT_EQ(loaded.document->busAddress, 1);
}

TEST(ParameterBackups, AFullDiskSaysWhyAndLeavesNoFile)
{
    ScratchDisk disk;
    disk.fill();
    const auto saved = ParameterBackups::save(disk.folder(), document(1), Action::WriteAll, kTime);
    EXPECT_TRUE(saved.path.empty());
    EXPECT_NE(saved.error.find("Cannot write"), std::string::npos) << saved.error;
    EXPECT_TRUE(ParameterBackups::list(disk.folder()).empty());
}

TEST(BackupBeforeChange, TheChangeGoesOnOnlyWithABackupOrTheOperatorsYes)
{
    const struct {
        bool readSucceeds;
        bool saveSucceeds;
        bool operatorGoesOn;
        bool asked;
        bool changed;
        bool taken;
    } cases[] = {
        {true, true, false, false, true, true},
        {false, true, true, true, true, false},
        {false, true, false, true, false, false},
        {true, false, true, true, true, false},
        {true, false, false, true, false, false},
    };
    for (const auto& c : cases) {
        std::string asked;
        bool changed = false;
        bool taken = false;
        BackupBeforeChange::ReadDone pending;
        BackupBeforeChange backup({
            [&](BackupBeforeChange::ReadDone done) { pending = std::move(done); },
            [&](const ParameterFile::Document&, Action) {
                return c.saveSucceeds ? ParameterBackups::Saved{"/b/x.json", {}}
                                      : ParameterBackups::Saved{{}, "Cannot write /b/x.json: No space left on device"};
            },
            [&](const std::string& question) {
                asked = question;
                return c.operatorGoesOn;
            },
            [&](const std::string&, const ParameterFile::Document&, Action) { taken = true; },
        });
        ASSERT_TRUE(backup.run(Action::Default, [&] { changed = true; }));
        EXPECT_FALSE(backup.run(Action::Default, [&] { changed = true; })) << "a second run while reading";
        EXPECT_FALSE(changed) << "nothing changes before the read ends";
        if (c.readSucceeds)
            pending(document(1), {});
        else
            pending(std::nullopt, "no answer from address 1 (time-out)");
        EXPECT_EQ(!asked.empty(), c.asked);
        EXPECT_EQ(changed, c.changed);
        EXPECT_EQ(taken, c.taken);
        EXPECT_FALSE(backup.waiting());
    }
    EXPECT_EQ(BackupBeforeChange::question(Action::Default, "no answer from address 1 (time-out)"),
              "No backup could be taken before Default: no answer from address 1 (time-out).\nGo on without a backup?");
}
