#pragma once
// Shared pieces of the database tests: a fresh copy of the built Vemo.mdb in
// a temporary directory, a table and a maintenance window that record their
// message boxes and answer them from a script, plain SQL to arrange data, and
// a second process that holds or writes the file.

#include "GameDatabase.h"
#include "GameEngine.h"
#include "GameRecordsStore.h"
#include "HeadlessTableView.h"
#include "MaintenanceUi.h"
#include "ReportError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <map>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vemo::test {

// Qt loads its SQL drivers as plugins, which needs an application object.
struct QtApplication : testing::Environment {
    int argc = 1;
    char name[16] = "vemo_data_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    void SetUp() override { app = std::make_unique<QCoreApplication>(argc, argv); }
    void TearDown() override { app.reset(); }
};
inline testing::Environment* const kQtApplication = testing::AddGlobalTestEnvironment(new QtApplication);

// A temporary data directory holding a fresh copy of the shipped database.
class DataDir {
public:
    DataDir()
    {
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

// Message boxes as they are shown, answered from a script, then "NO" to
// questions and "OK" to notices.
struct BoxScript {
    std::vector<MessageBoxSpec> Boxes;
    std::deque<std::string> Answers;
    std::string Answer(const MessageBoxSpec& box)
    {
        Boxes.push_back(box);
        if (Answers.empty()) return box.Buttons == BoxButtons::Ok ? "OK" : "NO";
        std::string answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

class RecordingView : public HeadlessTableView, public BoxScript {
public:
    std::map<std::pair<StatusBar, int>, std::string> Status; // each panel's last text
    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override
    {
        wait.SetAnswer(Answer(box));
        return true;
    }
    void SetStatusText(StatusBar bar, int panel, std::string_view text) override { Status[{bar, panel}] = text; }
};

class ScriptedUi : public MaintenanceUi, public BoxScript {
public:
    std::vector<std::string> Operations, Results;
    int Beeps = 0;
    void ShowRepairStatus(bool) override {}
    void SetOperation(std::string_view text) override { Operations.emplace_back(text); }
    std::string ShowMessageBox(const MessageBoxSpec& box) override { return Answer(box); }
    void Beep() override { ++Beeps; }
    void ShowRepairResult(std::string_view text) override { Results.emplace_back(text); }
};

struct NoShell : GameShell { Task<void> ExitAll(std::string) override { co_return; } };

inline Task<void> Resumed(GameRecords& records, std::int32_t id, bool& result) { result = co_await records.ResumeSavedGame(id); }
inline Task<void> Saved(GameRecords& records) { co_await records.SaveGame(); }
inline Task<void> SetUpGame(GameEngine& engine, GameSetupChoice choice)
{
    const bool started = co_await engine.SetParametersForThisGame(choice);
    if (started) engine.State().Tag = "START";
}

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

    bool Resume(std::int32_t id)
    {
        bool result = false;
        engine.Start(Resumed(store, id, result));
        return result;
    }
    void Save() { engine.Start(Saved(store)); }
    // A game as the setup dialog starts it, from a shuffled deck: dealt, snapshot taken.
    void StartGame(const std::string& human = "Ann")
    {
        LoadVemoCardDeck(engine.State().Deck);
        ShuffleFullDeck(engine.State().Deck);
        GameSetupChoice choice;
        choice.HumanName = human;
        choice.Opponents = {{{"Adam", 1, 1}, {"Ben", 2, 2}, {"Caleb", 3, 3}}};
        engine.Start(SetUpGame(engine, choice));
    }
};

// Runs statements on a plain connection to path; the first column of the
// last one's first row.
inline QString Sql(const QString& path, const std::vector<std::string>& statements)
{
    QString value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("arrange"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        for (const std::string& sql : statements) {
            QSqlQuery query(db);
            EXPECT_TRUE(query.exec(QString::fromStdString(sql))) << sql << ": " << query.lastError().text().toStdString();
            value = query.next() ? query.value(0).toString() : QString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("arrange"));
    return value;
}
// Adds rows to path: insert ("INSERT INTO t (...) SELECT ...") runs for each i from 1 to rows.
inline void Fill(const QString& path, int rows, const std::string& insert)
{
    if (rows > 0)
        Sql(path, {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(rows) +
                   ") " + insert + " FROM n"});
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A copy of this process running work, which calls ready once it has begun;
// the copy goes on until killed, or ends by itself after a minute.
class Child {
public:
    explicit Child(const std::function<void(const std::function<void()>& ready)>& work)
    {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::alarm(60);
            try {
                work([&] { (void)!::write(fds[1], "r", 1); });
            } catch (...) {
                ::_exit(1);
            }
            for (;;) ::pause();
        }
        ::close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        char c = 0;
        ready_ = pid_ > 0 && ::poll(&ready, 1, 10000) == 1 && ::read(fds[0], &c, 1) == 1;
        ::close(fds[0]);
    }
    ~Child() { Kill(); }
    bool Ready() const { return ready_; }
    void Kill()
    {
        if (pid_ > 0) ::kill(pid_, SIGKILL), ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

} // namespace vemo::test
