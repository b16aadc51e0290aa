#pragma once
// The game's one handle on Vemo.mdb, and every statement the program runs on
// it. Values always travel as bound parameters, never pasted into the text,
// so names with quotes neither break a statement nor change it.
// Every failure is thrown as a DatabaseFault carrying SQLite's code.

#include "DatabaseRows.h"
#include "SavedGameRecord.h"

#include <QSqlDatabase>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemo {

class GameDatabase {
public:
    // The schema version this program writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 1;
    // A file held by another copy answers within this time instead of SQLite's 5 s.
    static constexpr int kBusyTimeoutMs = 200;

    enum class Access {
        Exclusive, // the game's own handle: no other process may use the file meanwhile
        Shared,    // upkeep work on a file nobody else holds
    };

    GameDatabase();
    ~GameDatabase();
    GameDatabase(const GameDatabase&) = delete;
    GameDatabase& operator=(const GameDatabase&) = delete;

    // Opens an existing database file for reading and writing. Never creates
    // one: a missing file is NotFound. Checks the schema version and tables.
    void Open(const QString& path, Access access = Access::Exclusive);
    void Close();
    bool IsOpen() const { return db_.isOpen(); }
    const QString& Path() const { return path_; }
    // For the list dialogs' models, which read through the same handle.
    QSqlDatabase Connection() const { return db_; }

    // 1: the verse of a card value letter.
    std::optional<VerseRow> FindVerse(char valueLetter);
    // 2: every opponent, in table order.
    std::vector<ComputerPlayerRow> ComputerPlayers();
    // 3: one opponent by name, matched exactly.
    std::optional<ComputerPlayerRow> FindComputerPlayer(const std::string& name);
    // 4: appends a saved game in one transaction; returns its ID.
    std::int32_t AppendSavedGame(const SavedGameRecord& record);
    // 5: one saved game, and the deletion of that row.
    std::optional<SavedGameRecord> FindSavedGame(std::int32_t id);
    void DeleteSavedGame(std::int32_t id);
    // 6: the resume list.
    std::vector<SavedGameListRow> SavedGamesList();
    // 7: deletes every saved game; returns how many went.
    int PurgeSavedGames();
    // 8: how many saved games there are.
    int CountSavedGames();
    // 9: keeps the keep newest saved games; returns how many went.
    int TrimSavedGames(int keep);
    // 10: appends a history row.
    void AppendHistory(const HistoryRow& row);
    // 11: the best-scores list.
    std::vector<HistoryRow> BestScores();
    // 12: deletes every history row; returns how many went.
    int PurgeHistory();
    // 13: how many history rows there are.
    int CountHistory();
    // 14: keeps the keep best history rows; returns how many went.
    int TrimHistory(int keep);

    // Named integer properties kept in the file (CompactIteration).
    std::optional<std::int64_t> ReadProperty(const std::string& name);
    void WriteProperty(const std::string& name, std::int64_t value);

    // PRAGMA integrity_check; the first problem it names goes to problem.
    bool IntegrityCheck(std::string* problem = nullptr);

    // The statement texts, in the order of the table of statements.
    static const char* const kStatements[15];

private:
    QString connection_;
    QString path_;
    QSqlDatabase db_;
};

// The moment to store in DateSaved and DatePlayed: local time, sortable as text.
std::string CurrentTimestamp();

} // namespace vemo
