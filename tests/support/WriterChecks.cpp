#include "support/WriterChecks.h"

#include "support/ScratchDisk.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <vector>

namespace {

const std::string kOld = "the old file\n";

void putOld(const std::string& path)
{
    std::ofstream(path, std::ios::binary) << kOld;
}

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

void expectWritten(const std::string& path, bool appends)
{
    const std::string now = fileBytes(path);
    EXPECT_NE(now, kOld);
    if (appends) {
        EXPECT_EQ(now.rfind(kOld, 0), 0u);
    }
}

}

void expectSafeWriter(const std::function<std::string(const std::string&)>& write, bool appends,
                      const std::string& suffix)
{
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "full disk" : "read-only folder");
        ScratchDisk disk;
        const std::string target = disk.path("target" + suffix);
        putOld(target);
        std::string why;
        if (full) {
            disk.fill();
        } else if (!disk.makeReadOnly(why)) {
            std::cout << "[ skipped  ] read-only folder: " << why << "\n";
            continue;
        }
        const auto before = namesIn(disk.folder());
        const std::string message = write(target);
        EXPECT_NE(message.find(target), std::string::npos) << message;
        // An appending writer keeps the records that fitted before the disk
        // filled up; the old bytes stay either way.
        EXPECT_EQ(appends ? fileBytes(target).substr(0, kOld.size()) : fileBytes(target), kOld);
        EXPECT_EQ(namesIn(disk.folder()), before);
    }

    ScratchDisk disk;
    const std::string folder = disk.path("folder" + suffix);
    std::filesystem::create_directory(folder);
    const std::string refused = write(folder);
    EXPECT_NE(refused.find(folder), std::string::npos) << refused;
    EXPECT_NE(refused.find("it is a folder"), std::string::npos) << refused;

    const std::string real = disk.path("real" + suffix);
    const std::string link = disk.path("link" + suffix);
    putOld(real);
    std::filesystem::create_symlink("real" + suffix, link);
    EXPECT_EQ(write(link), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    expectWritten(real, appends);

    const std::string secret = disk.path("secret" + suffix);
    putOld(secret);
    ::chmod(secret.c_str(), 0600);
    EXPECT_EQ(write(secret), "");
    EXPECT_EQ(modeOf(secret), 0600u);
    expectWritten(secret, appends);
}
