#pragma once
// Shared pieces of the database tests: a fresh copy of the built Vemo.mdb in
// a temporary directory, a table view that records what it is asked, a
// scripted maintenance window, and plain file and SQL access to arrange data.

#include "GameDatabase.h"
#include "GameEngine.h"
#include "GameRecordsStore.h"
#include "HeadlessTableView.h"
#include "MaintenanceUi.h"
#include "ReportError.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vemo::test {

// The test program itself, started again as a child for the tests that need
// a second process.
QString SelfPath();

// A temporary data directory holding a fresh copy of the shipped database.
class DataDir {
public:
    DataDir()
    {
        EXPECT_TRUE(dir_.isValid());
        EXPECT_TRUE(QFile::copy(QStringLiteral(VEMO_BUILT_DATABASE), Database()));
        QFile::setPermissions(Database(), QFile::ReadOwner | QFile::WriteOwner);
        SetErrorLogDirectory(dir_.path().toStdString());
    }
    QString Path() const { return dir_.path(); }
    QString File(const char* name) const { return QDir(dir_.path()).filePath(QString::fromLatin1(name)); }
    QString Database() const { return File("Vemo.mdb"); }

private:
    QTemporaryDir dir_;
};

// Records the engine's message boxes and answers them from a script
// (otherwise "NO" to questions, "OK" to notices).
class RecordingView : public HeadlessTableView {
public:
    std::vector<MessageBoxSpec> Boxes;
    std::deque<std::string> Answers;
    std::vector<std::string> Status[2][7];

    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override
    {
        Boxes.push_back(box);
        if (!Answers.empty()) {
            wait.SetAnswer(Answers.front());
            Answers.pop_front();
        } else {
            wait.SetAnswer(box.Buttons == BoxButtons::Ok ? "OK" : "NO");
        }
        return true;
    }
    void SetStatusText(StatusBar bar, int panel, std::string_view text) override
    {
        Status[bar == StatusBar::Top ? 0 : 1][panel].emplace_back(text);
    }
    std::string LastStatus(StatusBar bar, int panel) const
    {
        const auto& texts = Status[bar == StatusBar::Top ? 0 : 1][panel];
        return texts.empty() ? std::string() : texts.back();
    }
};

struct NoShell : GameShell {
    Task<void> ExitAll(std::string) override { co_return; }
};

// A whole table: database, store, engine and a recording view.
struct Table {
    explicit Table(const QString& databasePath)
    {
        database.Open(databasePath);
        store.Attach(engine);
        view.Attach(engine, nullptr);
    }
    GameDatabase database;
    RecordingView view;
    NoShell shell;
    GameRecordsStore store{database};
    GameEngine engine{view, store, shell};

    bool Resume(std::int32_t id);
    void Save();
    // A game as the setup dialog starts it: dealt, snapshot taken.
    void StartGame(const std::string& human = "Ann");
};

class ScriptedUi : public MaintenanceUi {
public:
    std::vector<std::string> Operations;
    std::vector<MessageBoxSpec> Boxes;
    std::deque<std::string> Answers;
    int Beeps = 0;

    void ShowRepairStatus(bool) override {}
    void SetOperation(std::string_view text) override { Operations.emplace_back(text); }
    std::string ShowMessageBox(const MessageBoxSpec& box) override
    {
        Boxes.push_back(box);
        if (Answers.empty()) return box.Buttons == BoxButtons::Ok ? "OK" : "NO";
        std::string answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Beep() override { ++Beeps; }
    std::vector<std::string> Results;
    void ShowRepairResult(std::string_view text) override { Results.emplace_back(text); }
};

// Runs sql on a plain connection to path (arranging a test's data).
void Exec(const QString& path, const std::vector<std::string>& statements);
// The first column of the first row of sql on path.
QString Query(const QString& path, const std::string& sql);
// Adds rows to path: insert ("INSERT INTO t (...) SELECT ...") runs once for
// each i from 1 to rows.
void Fill(const QString& path, int rows, const std::string& insert);
QByteArray ReadBytes(const QString& path);
// How often each card stands in cards, and in the whole deck.
std::map<CardCode, int> Count(const std::vector<CardCode>& cards);
std::map<CardCode, int> CatalogueCounts();
void WriteBytes(const QString& path, const QByteArray& bytes);

} // namespace vemo::test
