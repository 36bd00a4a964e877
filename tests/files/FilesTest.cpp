// The shared file rules: each writer family against the ways a disk fails
// (full, read-only, a folder in the way) and the ways a target is special
// (a symbolic link, a private mode); each reader against files that would
// block or never end.
#include "files/AppendingFile.h"
#include "files/RegularFile.h"
#include "files/ReplacingFile.h"
#include "support/ScratchDisk.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string kOld = "the old file\n";
const std::string kNew(5000, 'n');   // more than any buffer would hold back

// A writer family: writes `bytes` to `path`, returns its message ("" on success).
struct Family {
    const char* name;
    std::function<std::string(const std::string&, const std::string&)> write;
    std::string expectedAfter;   // what a successful write leaves
};

std::vector<Family> families()
{
    return {
        {"replacing", [](const std::string& path, const std::string& bytes) { return ReplacingFile::write(path, bytes); },
         kNew},
        {"appending",
         [](const std::string& path, const std::string& bytes) {
             AppendingFile file;
             if (file.open(path, AppendingFile::Start::Keep) && file.append(bytes) && file.close())
                 return std::string();
             return file.error();
         },
         kOld + kNew},
    };
}

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Writers, FailuresNameTheFileAndLeaveTheOldOneWhole)
{
    for (const Family& family : families()) {
        SCOPED_TRACE(family.name);
        struct Case {
            const char* name;
            std::function<bool(ScratchDisk&, std::string& why)> spoil;   // false: skip with why
        };
        const std::vector<Case> cases = {
            {"full disk", [](ScratchDisk& d, std::string&) { d.fill(); return true; }},
            {"read-only folder", [](ScratchDisk& d, std::string& why) { return d.makeReadOnly(why); }},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ScratchDisk disk;
            const std::string target = disk.path("target.txt");
            ASSERT_EQ(ReplacingFile::write(target, kOld), "");
            std::string why;
            if (!c.spoil(disk, why)) {
                std::cout << "[ skipped  ] " << c.name << ": " << why << "\n";
                continue;
            }
            const auto before = namesIn(disk.folder());
            const std::string message = family.write(target, kNew);
            EXPECT_EQ(message.rfind("Cannot write " + target + ": ", 0), 0u) << message;
            EXPECT_GT(message.size(), ("Cannot write " + target + ": ").size());
            EXPECT_EQ(fileBytes(target), kOld);
            EXPECT_EQ(namesIn(disk.folder()), before);   // no temporary file left behind
        }

        ScratchDisk disk;
        const std::string folder = disk.path("folder");
        std::filesystem::create_directory(folder);
        EXPECT_EQ(family.write(folder, kNew), "Cannot write " + folder + ": it is a folder");

        // A link is written through, and stays a link.
        const std::string real = disk.path("real.txt");
        const std::string link = disk.path("link.txt");
        ASSERT_EQ(ReplacingFile::write(real, kOld), "");
        std::filesystem::create_symlink("real.txt", link);
        EXPECT_EQ(family.write(link, kNew), "");
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(fileBytes(real), family.expectedAfter);

        // A private file stays private.
        const std::string secret = disk.path("secret.txt");
        ASSERT_EQ(ReplacingFile::write(secret, kOld), "");
        ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);
        EXPECT_EQ(family.write(secret, kNew), "");
        EXPECT_EQ(modeOf(secret), 0600u);
        EXPECT_EQ(fileBytes(secret), family.expectedAfter);
    }
}

TEST(Writers, AppendingReportsTheFailedWriteItself)
{
    ScratchDisk disk;
    AppendingFile file;
    ASSERT_TRUE(file.open(disk.path("log.txt"), AppendingFile::Start::Empty));
    EXPECT_TRUE(file.append("first\n"));
    disk.fill();
    EXPECT_FALSE(file.append(kNew));
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.error().rfind("Cannot write " + disk.path("log.txt") + ": ", 0), 0u) << file.error();
    EXPECT_FALSE(file.append("more\n"));
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
