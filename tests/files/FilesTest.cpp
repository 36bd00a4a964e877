// The shared file rules: each writer family against a failing disk and
// special targets, each reader against files that would block or not end.
#include "files/AppendingFile.h"
#include "files/RegularFile.h"
#include "files/ReplacingFile.h"
#include "support/ScratchDisk.h"
#include "support/WriterChecks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string kNew(5000, 'n');   // more than a buffer would hold back

TEST(Writers, FailuresNameTheFileAndLeaveTheOldOneWhole)
{
    {
        SCOPED_TRACE("replacing");
        expectSafeWriter([](const std::string& path) { return ReplacingFile::write(path, kNew); });
    }
    {
        SCOPED_TRACE("replacing in pieces");
        expectSafeWriter([](const std::string& path) {
            ReplacingFile file;
            if (file.open(path) && file.write(kNew) && file.write(kNew) && file.commit())
                return std::string();
            return file.error();
        });
    }
    SCOPED_TRACE("appending");
    expectSafeWriter(
        [](const std::string& path) {
            AppendingFile file;
            if (file.open(path, AppendingFile::Start::Keep) && file.append(kNew) && file.close())
                return std::string();
            return file.error();
        },
        true);
}

TEST(Writers, AppendingReportsTheFailedWriteItselfAndKeepsWholeRecords)
{
    ScratchDisk disk;
    const std::string path = disk.path("log.txt");
    AppendingFile file;
    ASSERT_TRUE(file.open(path, AppendingFile::Start::Empty));
    EXPECT_TRUE(file.append("first\n"));
    disk.fill();
    EXPECT_FALSE(file.append(kNew));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.error().rfind("Cannot write " + path + ": ", 0), 0u) << file.error();
    EXPECT_FALSE(file.append("more\n"));
    EXPECT_EQ(fileBytes(path), "first\n");
}

TEST(Readers, RefuseWhatIsNoRegularFileAtOnce)
{
    ScratchDisk disk;
    const std::string fifo = disk.path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = disk.path("big.json");
    ASSERT_EQ(ReplacingFile::write(big, std::string(101, 'x')), "");
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {fifo, "it is not a regular file"},
        {"/dev/zero", "it is not a regular file"},
        {disk.folder(), "it is a folder"},
        {big, "it is too large (over 100 bytes)"},
        {disk.path("none"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        const RegularFile::ReadResult read = RegularFile::read(c.path, 100);
        EXPECT_FALSE(read.bytes) << c.path;
        EXPECT_EQ(read.error, "Cannot read " + c.path + ": " + c.reason);
        EXPECT_EQ(read.reason, c.reason);
    }
    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        AppendingFile file;
        EXPECT_FALSE(file.open(path, AppendingFile::Start::Empty));
        EXPECT_EQ(file.error(), "Cannot write " + path + ": it is not a regular file");
        EXPECT_EQ(ReplacingFile::write(path, kNew), "Cannot write " + path + ": it is not a regular file");
    }
    EXPECT_EQ(RegularFile::read(big, 101).bytes, std::string(101, 'x'));
}

} // namespace
