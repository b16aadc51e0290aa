// Choosing the data directory and giving it its first database.

#include "DataDirectory.h"
#include "DataTestSupport.h"

#include <QFileInfo>

using namespace vemo;
using namespace vemo::test;

namespace {

// expected: "exe", "user" or a path.
struct ResolveCase { const char* name; QStringList arguments; QString environment; bool besideExists, besideWritable;
                     const char* expected; };

TEST(Data_DataDirectory, OptionThenEnvironmentThenBesideTheProgramThenTheUsersOwn)
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
        if (c.besideExists) WriteBytes(exe + QStringLiteral("/Vemo.mdb"), "db");
        DataDirectoryInputs inputs{c.arguments, c.environment, exe, user,
                                   [&](const QString&) { return c.besideWritable; }};
        const QString expected = QString::fromLatin1(c.expected);
        EXPECT_EQ(ResolveDataDirectory(inputs), expected == "exe" ? exe : expected == "user" ? user : expected) << c.name;
    }
}

// files: path under the prefix and contents; seededWith: "" when nothing may be copied; notFound: the failure
// is the missing shipped file.
struct SeedCase { const char* name; std::vector<std::pair<const char*, const char*>> files; const char* seededWith;
                  const char* target = "data"; bool notFound = true; };

// A new data directory starts from the shipped file only, never from a
// database a program has played on (the one beside a build's program).
TEST(Data_DataDirectory, SeedsANewDirectoryFromTheShippedDatabaseOnly)
{
    const SeedCase cases[] = {
        {"installed in share", {{"share/vemo/Vemo.mdb", "installed"}}, "installed"},
        {"a played file beside the program", {{"bin/Vemo.mdb", "played"}}, ""},
        {"both", {{"bin/Vemo.mdb", "played"}, {"share/vemo/Vemo.mdb", "installed"}}, "installed"},
        {"the directory has its own", {{"data/Vemo.mdb", "mine"}, {"share/vemo/Vemo.mdb", "installed"}}, "mine"},
        // Its parent is a plain file, which stops root as well as anyone else.
        {"a directory that cannot be made", {{"share/vemo/Vemo.mdb", "installed"}, {"file", "x"}}, "", "file/Vemo", false},
    };
    for (const auto& c : cases) {
        QTemporaryDir prefix;
        QDir().mkpath(prefix.filePath(QStringLiteral("bin")));
        for (const auto& [path, contents] : c.files) {
            QDir().mkpath(QFileInfo(prefix.filePath(QString::fromLatin1(path))).absolutePath());
            WriteBytes(prefix.filePath(QString::fromLatin1(path)), contents);
            if (QString::fromLatin1(path).startsWith(QStringLiteral("data/"))) continue;
            // Installed files are read-only; the copy must not be.
            QFile::setPermissions(prefix.filePath(QString::fromLatin1(path)), QFile::ReadOwner | QFile::ReadOther);
        }
        const QString target = prefix.filePath(QString::fromLatin1(c.target));

        const auto prepared =
            PrepareDataDirectory(target, ShippedDatabaseCandidates(prefix.filePath(QStringLiteral("bin"))));
        SCOPED_TRACE(c.name);
        EXPECT_EQ(prepared.Ok, *c.seededWith != 0);
        EXPECT_EQ(ReadBytes(target + QStringLiteral("/Vemo.mdb")), QByteArray(c.seededWith));
        EXPECT_EQ(prepared.Error.isEmpty(), prepared.Ok);
        EXPECT_TRUE(prepared.Ok || !c.notFound ||
                    prepared.Error == target + QStringLiteral("/Vemo.mdb was not found.  Please contact the help desk."))
            << prepared.Error.toStdString();
        // A failure leaves no directory behind; a copy may be written.
        EXPECT_TRUE(prepared.Ok ? bool(QFile::permissions(prepared.DatabasePath) & QFile::WriteOwner) : !QFileInfo::exists(target));
        EXPECT_FALSE(QFileInfo::exists(prepared.DatabasePath + QStringLiteral(".part")));
    }
}

// The program of a build tree takes the build's shipped file, not its neighbour.
TEST(Data_DataDirectory, ABuildTreeProgramSeedsFromTheBuildsShippedFile)
{
    const QStringList candidates = ShippedDatabaseCandidates(QStringLiteral(VEMO_BUILD_PROGRAM_DIR));
    EXPECT_EQ(candidates.last(), QStringLiteral(VEMO_BUILT_DATABASE));
    EXPECT_FALSE(candidates.contains(QStringLiteral(VEMO_BUILD_PROGRAM_DIR "/Vemo.mdb")));
}

} // namespace
