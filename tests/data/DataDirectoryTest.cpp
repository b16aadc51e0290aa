// Choosing the data directory and giving it its first database.

#include "DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vemo;

namespace {

void Touch(const QString& path, const QByteArray& bytes = "db")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct ResolveCase {
    const char* name;
    QStringList arguments;
    QString environment;
    bool besideExists;
    bool besideWritable;
    const char* expected; // "exe", "user" or a path
};

TEST(Data_DataDirectory, ResolvesInTheDescribedOrder)
{
    QTemporaryDir temp;
    const QString exe = temp.filePath(QStringLiteral("bin"));
    const QString user = temp.filePath(QStringLiteral("user"));
    const ResolveCase cases[] = {
        {"option", {"vemo", "--data-dir", "/d/opt"}, "/d/env", true, true, "/d/opt"},
        {"option with =", {"vemo", "--data-dir=/d/opt/"}, "/d/env", true, true, "/d/opt"},
        {"option without value", {"vemo", "--data-dir"}, "/d/env", true, true, "/d/env"},
        {"environment", {"vemo"}, "/d/env", true, true, "/d/env"},
        {"beside the program", {"vemo"}, "", true, true, "exe"},
        {"beside but read-only", {"vemo"}, "", true, false, "user"},
        {"nothing beside", {"vemo"}, "", false, true, "user"},
        {"program name is not an option", {"--data-dir"}, "", false, true, "user"},
    };
    for (const auto& c : cases) {
        QDir(exe).removeRecursively();
        QDir().mkpath(exe);
        if (c.besideExists) Touch(exe + QStringLiteral("/Vemo.mdb"));
        DataDirectoryInputs inputs{c.arguments, c.environment, exe, user,
                                   [&](const QString&) { return c.besideWritable; }};
        const QString expected = QString::fromLatin1(c.expected) == QStringLiteral("exe")    ? exe
                                 : QString::fromLatin1(c.expected) == QStringLiteral("user") ? user
                                                                                            : QString::fromLatin1(c.expected);
        EXPECT_EQ(ResolveDataDirectory(inputs), expected) << c.name;
    }
}

TEST(Data_DataDirectory, CopiesTheInstalledDatabaseIntoANewDirectory)
{
    struct Case {
        const char* name;
        const char* installedAt; // relative to the prefix
    } cases[] = {{"beside the program", "bin/Vemo.mdb"}, {"in share", "share/vemo/Vemo.mdb"}};
    for (const auto& c : cases) {
        QTemporaryDir prefix;
        QDir().mkpath(prefix.filePath(QStringLiteral("bin")));
        Touch(prefix.filePath(QString::fromLatin1(c.installedAt)), "installed");
        QFile::setPermissions(prefix.filePath(QString::fromLatin1(c.installedAt)), QFile::ReadOwner | QFile::ReadOther);
        const QString target = prefix.filePath(QStringLiteral("home/.local/share/Vemo"));

        const auto prepared = PrepareDataDirectory(target, prefix.filePath(QStringLiteral("bin")));
        ASSERT_TRUE(prepared.Ok) << c.name << prepared.Error.toStdString();
        EXPECT_EQ(prepared.DatabasePath, target + QStringLiteral("/Vemo.mdb"));
        QFile copy(prepared.DatabasePath);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.readAll(), QByteArray("installed")) << c.name;
        EXPECT_TRUE(QFile::permissions(prepared.DatabasePath) & QFile::WriteOwner) << c.name;
        EXPECT_FALSE(QFileInfo::exists(prepared.DatabasePath + QStringLiteral(".part")));
    }
}

TEST(Data_DataDirectory, AnExistingDatabaseIsKept)
{
    QTemporaryDir temp;
    Touch(temp.filePath(QStringLiteral("data/Vemo.mdb")), "mine");
    Touch(temp.filePath(QStringLiteral("bin/Vemo.mdb")), "installed");
    const auto prepared = PrepareDataDirectory(temp.filePath(QStringLiteral("data")), temp.filePath(QStringLiteral("bin")));
    ASSERT_TRUE(prepared.Ok);
    QFile file(prepared.DatabasePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("mine"));
}

TEST(Data_DataDirectory, NoInstalledDatabaseIsReported)
{
    QTemporaryDir temp;
    const QString target = temp.filePath(QStringLiteral("data"));
    const auto prepared = PrepareDataDirectory(target, temp.filePath(QStringLiteral("bin")));
    EXPECT_FALSE(prepared.Ok);
    EXPECT_EQ(prepared.Error, target + QStringLiteral("/Vemo.mdb was not found.  Please contact the help desk."));
    EXPECT_FALSE(QFileInfo::exists(target));
}

// A directory that cannot be made: its parent is a plain file, which stops
// root as well as anyone else.
TEST(Data_DataDirectory, UnwritableDirectoryIsReported)
{
    QTemporaryDir temp;
    Touch(temp.filePath(QStringLiteral("bin/Vemo.mdb")), "installed");
    Touch(temp.filePath(QStringLiteral("file")), "x");
    const QString target = temp.filePath(QStringLiteral("file/Vemo"));
    const auto prepared = PrepareDataDirectory(target, temp.filePath(QStringLiteral("bin")));
    EXPECT_FALSE(prepared.Ok);
    EXPECT_FALSE(prepared.Error.isEmpty());
}

} // namespace
