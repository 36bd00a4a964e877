#include "widgets/FileDialogs.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FileDialogs, TypedNamesGetTheKindsExtensionOnlyWhenTheyHaveNone)
{
    struct Case {
        const char* typed;
        const char* suffix;
        const char* expected;
    };
    const Case cases[] = {
        {"/tmp/curves", "csv", "/tmp/curves.csv"},
        {"/tmp/curves.csv", "csv", "/tmp/curves.csv"},
        {"/tmp/curves.txt", "csv", "/tmp/curves.txt"},
        {"/tmp/plot", "png", "/tmp/plot.png"},
        {"/tmp/my.dir/plot", "png", "/tmp/my.dir/plot.png"},
        {"", "png", ""},
        {"/tmp/plot", "", "/tmp/plot"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileDialogs::withSuffix(c.typed, c.suffix), QString(c.expected)) << c.typed;
}

TEST(FileDialogs, EachKindRemembersItsOwnFolder)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir a;
    QTemporaryDir b;
    ASSERT_TRUE(a.isValid() && b.isValid());
    FileDialogs::remember("test-kind-a", a.filePath("x.json"));
    FileDialogs::remember("test-kind-b", b.filePath("y.csv"));
    FileDialogs::remember("test-kind-b", "");   // a cancelled dialog changes nothing
    EXPECT_EQ(FileDialogs::folderFor("test-kind-a"), QDir(a.path()).absolutePath());
    EXPECT_EQ(FileDialogs::folderFor("test-kind-b"), QDir(b.path()).absolutePath());
    EXPECT_EQ(FileDialogs::folderFor("test-kind-never-used"), QDir::homePath());
    const QString gone = a.path();
    a.remove();
    EXPECT_EQ(FileDialogs::folderFor("test-kind-a"), QDir::homePath()) << gone.toStdString();
}
