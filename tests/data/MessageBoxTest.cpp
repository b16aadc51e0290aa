// Every message box of the database layer as it is shown through the
// maintenance window, the table or the error reporter: caption, text, icon,
// buttons and default, with what each answer does, and what a question closed
// without an answer ("CANCEL", or "" when its wait is dropped) must not do.

#include "DataTestSupport.h"

#include "DatabaseUpkeep.h"
#include "History.h"

#include <QFileInfo>

#include <sqlite3.h>

using namespace vemo;
using namespace vemo::test;

namespace {

// A file or directory the program may not write, which root would write
// anyway: SQLite's default file layer, wrapped to open the database
// read-only or to refuse creating its journal, as the system would.
enum class WriteFault { None, ReadOnlyFile, ReadOnlyDirectory };

WriteFault g_writeFault = WriteFault::None;
sqlite3_vfs* g_realVfs = nullptr;
sqlite3_vfs g_faultyVfs;

int FaultyOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    if (g_writeFault == WriteFault::ReadOnlyFile && (flags & SQLITE_OPEN_MAIN_DB))
        flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    if (g_writeFault == WriteFault::ReadOnlyDirectory && (flags & SQLITE_OPEN_MAIN_JOURNAL)) return SQLITE_CANTOPEN;
    return g_realVfs->xOpen(g_realVfs, name, file, flags, outFlags);
}

struct WriteFaultScope {
    explicit WriteFaultScope(WriteFault fault)
    {
        if (!g_realVfs) {
            g_realVfs = sqlite3_vfs_find(nullptr);
            g_faultyVfs = *g_realVfs;
            g_faultyVfs.zName = "vemo-write-fault";
            g_faultyVfs.xOpen = FaultyOpen;
        }
        g_writeFault = fault;
        sqlite3_vfs_register(&g_faultyVfs, 1);
    }
    ~WriteFaultScope()
    {
        g_writeFault = WriteFault::None;
        sqlite3_vfs_register(g_realVfs, 1);
    }
};

using Boxes = std::vector<MessageBoxSpec>;
using Show = std::function<Boxes(const DataDir&, const std::string& answer)>;

// The start-up check, which must end the program after its message.
Show Verify(int beeps, WriteFault fault = WriteFault::None)
{
    return [=](const DataDir& d, const std::string& answer) {
        ScriptedUi ui;
        ui.Answers = {answer};
        {
            WriteFaultScope scope(fault);
            EXPECT_FALSE(VerifyDatabase(d.Path(), ui));
        }
        EXPECT_EQ(ui.Beeps, beeps);
        return ui.Boxes;
    };
}

Boxes Trim(const DataDir& d, const std::string& answer)
{
    ScriptedUi ui;
    ui.Answers = {answer};
    CheckExcessHistoryAndSaved(d.Database(), ui);
    return ui.Boxes;
}

Show Save(const char* snapshot, bool databaseGone)
{
    return [=](const DataDir& d, const std::string&) {
        Table table(d.Database());
        table.StartGame();
        table.engine.SnapshotGameState(snapshot);
        if (databaseGone) table.database.Close();
        table.Save();
        EXPECT_EQ(table.engine.State().GameSaved, !databaseGone);
        return table.view.Boxes;
    };
}

// The keep question after a game saved by another table is resumed.
Boxes Resume(const DataDir& d, const std::string& answer)
{
    {
        Table saver(d.Database());
        saver.StartGame();
        saver.Save();
    }
    Table table(d.Database());
    table.view.Answers = {answer};
    EXPECT_TRUE(table.Resume(table.database.SavedGamesList().at(0).ID));
    return table.view.Boxes;
}

// The error reporter's question after a compaction that cannot finish: its
// work file's directory cannot be made, its parent being a file.
struct AskingHandler : ErrorReportHandler, BoxScript {
    bool AskContinueAfterError(const std::string& title, const std::string& text) override
    {
        return Answer({title, text, BoxButtons::YesNo, BoxIcon::Exclamation, 1}) == "YES";
    }
    void ShowUnloggedError(const std::string&, const std::string&) override { ADD_FAILURE() << "the log could not be written"; }
    void TerminateNow() override { Terminated = true; }
    bool Terminated = false;
};

Boxes CompactionFault(const DataDir& d, const std::string& answer)
{
    WriteBytes(d.File("blocker"), "x");
    AskingHandler handler;
    handler.Answers = {answer};
    SetErrorReportHandler(&handler);
    ScriptedUi ui;
    CompactDatabaseRtn(d.Database(), d.File("blocker") + QStringLiteral("/Vemodb.BAK"), ui);
    SetErrorReportHandler(nullptr);
    EXPECT_EQ(handler.Terminated, answer == "NO");
    EXPECT_TRUE(ui.Boxes.empty());
    return handler.Boxes;
}

const std::string kCorrupted = "Database '%1' is corrupted beyond repair or not available.\r\n"
                               "Please contact the help desk for assistance.\r\nError #:  ";
const std::string kUnwritable = "The database cannot be written: ";
const char* const kSavedGames = "SELECT count(*) FROM SavedGames";
const char* const kHistory = "SELECT count(*) FROM History";

// arrange: SQL, "" for none, or "-" to take the database away; "%1" in the box's text: the database's path;
// wholeText, else the text starts so; after: a query for what the answer did, or did not, and its value (null:
// the file is as it was).
struct BoxCase { const char *name, *arrange; Show show; std::string answer; MessageBoxSpec box; bool wholeText;
                 const char *after, *afterValue; };

const char* const kFillSaved = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 101) "
                               "INSERT INTO SavedGames (DateSaved) SELECT datetime('2024-01-01', '+' || i || ' minutes') FROM n";
const char* const kFillHistory = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 301) "
                                 "INSERT INTO History (DatePlayed, GapBetweenWinnerLoser) SELECT datetime('now'), i FROM n";

TEST(Data_MessageBoxes, AsShownWithWhatEachAnswerDoes)
{
    const MessageBoxSpec tooMany{"Too Many Saved", "There are more than 100 saved games.\r\n\r\nDo you want to eliminate "
                                 "the oldest saved games? (recommend Yes)", BoxButtons::YesNo, BoxIcon::Question, 1};
    const MessageBoxSpec tooMuch{"Too Much History", "There are more than 300 games in the history file.\r\n\r\nDo you "
                                 "want to eliminate the excess history records? (recommend Yes)", BoxButtons::YesNo,
                                 BoxIcon::Question, 1};
    const MessageBoxSpec keep{"Resume Game", "Do you want to save this game record in its current state for resuming "
                              "again at a later time?", BoxButtons::YesNo, BoxIcon::Question, 2};
    const MessageBoxSpec notFound{"Critical Error", "%1 was not found.  Please contact the help desk.", BoxButtons::Ok,
                                  BoxIcon::Critical, 1};
    const MessageBoxSpec error{"Vemo v1.0 Error #14", "error: Compacting %1", BoxButtons::YesNo, BoxIcon::Exclamation, 1};
    const BoxCase cases[] = {
        {"missing file", "-", Verify(0), "OK", notFound, true, nullptr, nullptr},
        {"a directory in its place", "-d", Verify(0), "OK", notFound, true, nullptr, nullptr},
        {"read-only file", "", Verify(1, WriteFault::ReadOnlyFile), "OK",
         {"Critical Error", kCorrupted + "8 " + kUnwritable, BoxButtons::Ok, BoxIcon::Critical, 1}, false, nullptr, nullptr},
        {"read-only directory", "", Verify(1, WriteFault::ReadOnlyDirectory), "OK",
         {"Critical Error", kCorrupted + "14 " + kUnwritable, BoxButtons::Ok, BoxIcon::Critical, 1}, false, nullptr, nullptr},
        {"newer version", "PRAGMA user_version = 2", Verify(0), "OK", {"Critical Error", "This database was written by a "
         "newer version of Vemo (schema version 2; this version knows 1) and is left unchanged.", BoxButtons::Ok,
         BoxIcon::Critical, 1}, true, nullptr, nullptr},
        {"too many saved, yes", kFillSaved, Trim, "YES", tooMany, true, kSavedGames, "75"},
        {"too many saved, no", kFillSaved, Trim, "NO", tooMany, true, kSavedGames, "101"},
        {"too many saved, closed", kFillSaved, Trim, "CANCEL", tooMany, true, kSavedGames, "101"},
        {"too many saved, dropped", kFillSaved, Trim, "", tooMany, true, kSavedGames, "101"},
        {"too much history, yes", kFillHistory, Trim, "YES", tooMuch, true, kHistory, "200"},
        {"too much history, no", kFillHistory, Trim, "NO", tooMuch, true, kHistory, "301"},
        {"too much history, closed", kFillHistory, Trim, "CANCEL", tooMuch, true, kHistory, "301"},
        {"too much history, dropped", kFillHistory, Trim, "", tooMuch, true, kHistory, "301"},
        {"saved at the end of a hand", "", Save("YES", false), "OK",
         {"Game Saved", "Game has been saved!", BoxButtons::Ok, BoxIcon::Information, 1}, true, kSavedGames, "1"},
        {"saved during a hand", "", Save("", false), "OK", {"Game Saved", "Game has been saved!\r\n\r\nDue to the difficulty "
         "saving a game during a computer player's turn, all 'saves' are as of the beginning of the human player's last "
         "turn.", BoxButtons::Ok, BoxIcon::Information, 1}, true, kSavedGames, "1"},
        // A save that fails says so and why, and play goes on.
        {"not saved", "", Save("", true), "OK", {"Game Not Saved", "The game could not be saved.\r\n\r\nSaving the game: "
         "Driver not loaded\r\n\r\nThe game goes on; you can try to save it again.", BoxButtons::Ok, BoxIcon::Exclamation,
         1}, true, kSavedGames, "0"},
        {"keep the resumed record, yes", "", Resume, "YES", keep, true, kSavedGames, "1"},
        {"keep the resumed record, no", "", Resume, "NO", keep, true, kSavedGames, "0"},
        {"keep the resumed record, closed", "", Resume, "CANCEL", keep, true, kSavedGames, "1"},
        {"keep the resumed record, dropped", "", Resume, "", keep, true, kSavedGames, "1"},
        {"compaction fault, go on", "", CompactionFault, "YES", error, false, nullptr, nullptr},
        {"compaction fault, end", "", CompactionFault, "NO", error, false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DataDir dir;
        if (c.arrange[0] == '-') QFile::remove(dir.Database());
        if (c.arrange == std::string("-d")) QDir(dir.Path()).mkdir(QStringLiteral("Vemo.mdb"));
        if (c.arrange[0] && c.arrange[0] != '-') Sql(dir.Database(), {c.arrange});
        const bool existed = QFileInfo::exists(dir.Database());
        const QByteArray before = ReadBytes(dir.Database());

        const Boxes shown = c.show(dir, c.answer);

        ASSERT_EQ(shown.size(), 1u);
        const MessageBoxSpec& box = shown[0];
        const std::string text =
            QString::fromStdString(c.box.Text).replace(QStringLiteral("%1"), dir.Database()).toStdString();
        EXPECT_EQ(box.Caption, c.box.Caption);
        EXPECT_EQ(c.wholeText ? box.Text : box.Text.substr(0, text.size()), text);
        EXPECT_EQ(box.Buttons, c.box.Buttons);
        EXPECT_EQ(box.Icon, c.box.Icon);
        EXPECT_EQ(box.DefaultButton, c.box.DefaultButton);
        if (c.after) {
            EXPECT_EQ(Sql(dir.Database(), {c.after}).toStdString(), c.afterValue);
        } else {
            EXPECT_EQ(QFileInfo::exists(dir.Database()), existed);
            EXPECT_EQ(ReadBytes(dir.Database()), before);
        }
        EXPECT_FALSE(QFileInfo::exists(dir.File("Vemo.OLD"))); // no copy left behind
    }
}

} // namespace
