#include "GameDatabase.h"

#include "DatabaseFault.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <atomic>
#include <set>

namespace vemo {

const char* const GameDatabase::kStatements[15] = {
    "",
    // 1
    "SELECT * FROM Verses WHERE CardCode = ?",
    // 2
    "SELECT * FROM ComputerPlayers",
    // 3
    "SELECT * FROM ComputerPlayers WHERE PlayerName = ?",
    // 4
    "INSERT INTO SavedGames (DateSaved, "
    "CompPlayer1, CompPlayerScore1, CompPlayerNbrCards1, CompPlayerCards1, "
    "CompPlayer2, CompPlayerScore2, CompPlayerNbrCards2, CompPlayerCards2, "
    "CompPlayer3, CompPlayerScore3, CompPlayerNbrCards3, CompPlayerCards3, "
    "Player4, PlayerScore4, PlayerNbrCards4, PlayerCards4, "
    "CurrTurn, CurrColor, CurrCard, ActualCurrCard, CurrDirection, CurrDealer, "
    "SoundOption, AnimationOption, ScoreLimit, SpecialAction, PrayerCardPlayed, EndOfHand) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
    // 5
    "SELECT * FROM SavedGames WHERE ID = ?",
    // 6
    "SELECT ID, DateSaved, Player4, PlayerScore4, CompPlayer1, CompPlayerScore1, CompPlayer2, "
    "CompPlayerScore2, CompPlayer3, CompPlayerScore3 FROM SavedGames;",
    // 7: every row the ordered selection returns
    "DELETE FROM SavedGames WHERE ID IN (SELECT ID FROM SavedGames ORDER BY DateSaved)",
    // 8
    "SELECT Count(ID) AS CountOfRecs From SavedGames Where ID > 0",
    // 9: the rows after the first "keep" of the newest-first selection; the ID
    // settles saves made within the same millisecond
    "DELETE FROM SavedGames WHERE ID IN "
    "(SELECT ID FROM SavedGames ORDER BY DateSaved desc, ID desc LIMIT -1 OFFSET ?)",
    // 10
    "INSERT INTO History (DatePlayed, Winner, WinnerScore, SecondPlace, SecondScore, ThirdPlace, "
    "ThirdScore, FourthPlace, FourthScore, GapBetweenWinnerLoser) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
    // 11
    "SELECT * FROM History ORDER BY GapBetweenWinnerLoser Desc, WinnerScore, DatePlayed, ID",
    // 12
    "DELETE FROM History WHERE ID IN (SELECT ID FROM History ORDER BY DatePlayed)",
    // 13
    "SELECT Count(ID) AS CountOfRecs From History Where ID > 0",
    // 14
    "DELETE FROM History WHERE ID IN "
    "(SELECT ID FROM History ORDER BY GapBetweenWinnerLoser desc, DatePlayed desc, ID desc LIMIT -1 OFFSET ?)",
};

namespace {

constexpr const char* kDeleteSavedGame = "DELETE FROM SavedGames WHERE ID = ?";
constexpr const char* kTables = "SELECT name FROM sqlite_master WHERE type = 'table'";
constexpr const char* kReadProperty = "SELECT Value FROM Properties WHERE Name = ?";
constexpr const char* kCreateProperties =
    "CREATE TABLE IF NOT EXISTS Properties (Name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE, "
    "Value INTEGER NOT NULL)";
constexpr const char* kWriteProperty =
    "INSERT INTO Properties (Name, Value) VALUES (?, ?) ON CONFLICT(Name) DO UPDATE SET Value = excluded.Value";

QSqlQuery Run(QSqlDatabase& db, const char* sql, std::initializer_list<QVariant> values, const char* what)
{
    if (!db.isOpen()) throw DatabaseFault(DbFaultKind::Fatal, sqlite_code::Error, std::string(what) + ": the database is not open");
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QString::fromUtf8(sql))) throw FaultFrom(query.lastError(), what);
    for (const QVariant& value : values) query.addBindValue(value);
    if (!query.exec()) throw FaultFrom(query.lastError(), what);
    return query;
}

// Steps the cursor; a page that cannot be read is a fault, not the end.
bool Next(QSqlQuery& query, const char* what)
{
    if (query.next()) return true;
    if (query.lastError().isValid()) throw FaultFrom(query.lastError(), what);
    return false;
}

QVariant Text(const std::string& text) { return QString::fromStdString(text); }

std::string TextOf(const QSqlRecord& row, const char* field) { return row.value(QString::fromLatin1(field)).toString().toStdString(); }

std::int64_t NumberOf(const QSqlRecord& row, const char* field)
{
    const QVariant value = row.value(QString::fromLatin1(field));
    if (value.isNull()) return kUnreadable;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    return ok ? number : kUnreadable;
}

std::int16_t Int16Of(const QSqlRecord& row, const char* field)
{
    const std::int64_t number = NumberOf(row, field);
    if (number < std::numeric_limits<std::int16_t>::min() || number > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(number);
}

bool FlagOf(const QSqlRecord& row, const char* field)
{
    const std::int64_t number = NumberOf(row, field);
    return number != kUnreadable && number != 0;
}

int Scalar(QSqlQuery& query, const char* what)
{
    if (!Next(query, what)) return 0;
    return query.value(0).toInt();
}

HistoryRow HistoryOf(const QSqlRecord& row)
{
    HistoryRow h;
    h.ID = static_cast<std::int32_t>(NumberOf(row, "ID"));
    h.DatePlayed = TextOf(row, "DatePlayed");
    h.Winner = TextOf(row, "Winner");
    h.WinnerScore = Int16Of(row, "WinnerScore");
    h.SecondPlace = TextOf(row, "SecondPlace");
    h.SecondScore = Int16Of(row, "SecondScore");
    h.ThirdPlace = TextOf(row, "ThirdPlace");
    h.ThirdScore = Int16Of(row, "ThirdScore");
    h.FourthPlace = TextOf(row, "FourthPlace");
    h.FourthScore = Int16Of(row, "FourthScore");
    h.GapBetweenWinnerLoser = Int16Of(row, "GapBetweenWinnerLoser");
    return h;
}

const char* const kSeatNames[5][4] = {
    {"", "", "", ""},
    {"CompPlayer1", "CompPlayerScore1", "CompPlayerNbrCards1", "CompPlayerCards1"},
    {"CompPlayer2", "CompPlayerScore2", "CompPlayerNbrCards2", "CompPlayerCards2"},
    {"CompPlayer3", "CompPlayerScore3", "CompPlayerNbrCards3", "CompPlayerCards3"},
    {"Player4", "PlayerScore4", "PlayerNbrCards4", "PlayerCards4"},
};

} // namespace

std::string CurrentTimestamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
}

GameDatabase::GameDatabase()
{
    static std::atomic<int> serial{0};
    connection_ = QStringLiteral("vemo-%1").arg(++serial);
}

GameDatabase::~GameDatabase() { Close(); }

void GameDatabase::Open(const QString& path, Access access)
{
    Close();
    // Opening a missing file would quietly create an empty database.
    const QFileInfo file(path);
    if (!file.exists() || !file.isFile())
        throw DatabaseFault(sqlite_code::CantOpen, path.toStdString() + " was not found");

    path_ = path;
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db_.setDatabaseName(path);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db_.open()) {
        const DatabaseFault fault = FaultFrom(db_.lastError(), "Opening " + path.toStdString());
        Close();
        throw fault;
    }
    try {
        if (access == Access::Exclusive) Run(db_, "PRAGMA locking_mode=EXCLUSIVE", {}, "Opening");
        // The first read: a file that is not a database fails here.
        QSqlQuery versionQuery = Run(db_, "PRAGMA user_version", {}, "Reading the schema version");
        const int version = Scalar(versionQuery, "Reading the schema version");
        versionQuery.finish();
        if (version > kSchemaVersion)
            throw DatabaseFault(DbFaultKind::TooNew, sqlite_code::Error,
                                "This database was written by a newer version of Vemo (schema version " +
                                    std::to_string(version) + "; this version knows " +
                                    std::to_string(kSchemaVersion) + ") and is left unchanged.");

        std::set<QString> tables;
        QSqlQuery tableQuery = Run(db_, kTables, {}, "Reading the tables");
        while (Next(tableQuery, "Reading the tables")) tables.insert(tableQuery.value(0).toString().toLower());
        tableQuery.finish();
        for (const char* table : {"verses", "computerplayers", "savedgames", "history"})
            if (!tables.count(QString::fromLatin1(table)))
                throw DatabaseFault(sqlite_code::Corrupt, "The table " + std::string(table) + " is missing");
        if (version == 0) throw DatabaseFault(sqlite_code::Corrupt, "The schema version is missing");

        // The read above holds only a shared lock; a write transaction takes
        // the exclusive one, which this locking mode keeps until closing.
        // It writes the schema version back unchanged and is rolled back: a
        // file SQLite could open only for reading (a read-only file or
        // directory) is refused here, not at the player's first save.
        if (access == Access::Exclusive) {
            Run(db_, "BEGIN EXCLUSIVE", {}, "Locking the database");
            try {
                Run(db_, ("PRAGMA user_version = " + std::to_string(version)).c_str(), {}, "Writing to the database");
            } catch (const DatabaseFault& fault) {
                db_.rollback();
                if (fault.Kind() == DbFaultKind::HeldElsewhere) throw;
                throw DatabaseFault(DbFaultKind::Fatal, fault.Number(),
                                    "The database cannot be written: " + fault.Text());
            }
            Run(db_, "ROLLBACK", {}, "Locking the database");
        }
    } catch (...) {
        Close();
        throw;
    }
}

void GameDatabase::Close()
{
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(connection_);
    }
}

std::optional<VerseRow> GameDatabase::FindVerse(char valueLetter)
{
    QSqlQuery query = Run(db_, kStatements[1], {QString(QChar::fromLatin1(valueLetter))}, "Reading a verse");
    if (!Next(query, "Reading a verse")) return std::nullopt;
    const QSqlRecord row = query.record();
    return VerseRow{TextOf(row, "CardCode"), TextOf(row, "Reference"), TextOf(row, "VerseAbbrev"), TextOf(row, "Verse")};
}

std::vector<ComputerPlayerRow> GameDatabase::ComputerPlayers()
{
    std::vector<ComputerPlayerRow> players;
    QSqlQuery query = Run(db_, kStatements[2], {}, "Reading the computer players");
    while (Next(query, "Reading the computer players")) {
        const QSqlRecord row = query.record();
        players.push_back({TextOf(row, "PlayerName"), Int16Of(row, "PlayingStyle"), Int16Of(row, "WAVnumber")});
    }
    return players;
}

std::optional<ComputerPlayerRow> GameDatabase::FindComputerPlayer(const std::string& name)
{
    QSqlQuery query = Run(db_, kStatements[3], {Text(name)}, "Reading a computer player");
    if (!Next(query, "Reading a computer player")) return std::nullopt;
    const QSqlRecord row = query.record();
    return ComputerPlayerRow{TextOf(row, "PlayerName"), Int16Of(row, "PlayingStyle"), Int16Of(row, "WAVnumber")};
}

std::int32_t GameDatabase::AppendSavedGame(const SavedGameRecord& r)
{
    if (!db_.transaction()) throw FaultFrom(db_.lastError(), "Saving the game");
    try {
        QSqlQuery query(db_);
        if (!query.prepare(QString::fromLatin1(kStatements[4]))) throw FaultFrom(query.lastError(), "Saving the game");
        query.addBindValue(Text(r.DateSaved));
        for (int seat = 1; seat <= 4; ++seat) {
            const SavedSeat& s = r.Seats[static_cast<std::size_t>(seat)];
            query.addBindValue(Text(s.Name));
            query.addBindValue(static_cast<qlonglong>(s.Score));
            query.addBindValue(static_cast<qlonglong>(s.NbrCards));
            query.addBindValue(Text(s.Cards));
        }
        query.addBindValue(static_cast<qlonglong>(r.CurrTurn));
        query.addBindValue(Text(r.CurrColor));
        query.addBindValue(Text(r.CurrCard));
        query.addBindValue(Text(r.ActualCurrCard));
        query.addBindValue(Text(r.CurrDirection));
        query.addBindValue(static_cast<qlonglong>(r.CurrDealer));
        query.addBindValue(r.SoundOption ? 1 : 0);
        query.addBindValue(static_cast<qlonglong>(r.AnimationOption));
        query.addBindValue(static_cast<qlonglong>(r.ScoreLimit));
        query.addBindValue(r.SpecialAction ? 1 : 0);
        query.addBindValue(r.PrayerCardPlayed ? 1 : 0);
        query.addBindValue(r.EndOfHand ? 1 : 0);
        if (!query.exec()) throw FaultFrom(query.lastError(), "Saving the game");
        const auto id = static_cast<std::int32_t>(query.lastInsertId().toLongLong());
        query.finish();
        if (!db_.commit()) throw FaultFrom(db_.lastError(), "Saving the game");
        return id;
    } catch (...) {
        db_.rollback();
        throw;
    }
}

std::optional<SavedGameRecord> GameDatabase::FindSavedGame(std::int32_t id)
{
    QSqlQuery query = Run(db_, kStatements[5], {id}, "Reading a saved game");
    if (!Next(query, "Reading a saved game")) return std::nullopt;
    const QSqlRecord row = query.record();
    SavedGameRecord r;
    r.ID = static_cast<std::int32_t>(NumberOf(row, "ID"));
    r.DateSaved = TextOf(row, "DateSaved");
    for (int seat = 1; seat <= 4; ++seat) {
        SavedSeat& s = r.Seats[static_cast<std::size_t>(seat)];
        s.Name = TextOf(row, kSeatNames[seat][0]);
        s.Score = NumberOf(row, kSeatNames[seat][1]);
        s.NbrCards = NumberOf(row, kSeatNames[seat][2]);
        s.Cards = TextOf(row, kSeatNames[seat][3]);
    }
    r.CurrTurn = NumberOf(row, "CurrTurn");
    r.CurrColor = TextOf(row, "CurrColor");
    r.CurrCard = TextOf(row, "CurrCard");
    r.ActualCurrCard = TextOf(row, "ActualCurrCard");
    r.CurrDirection = TextOf(row, "CurrDirection");
    r.CurrDealer = NumberOf(row, "CurrDealer");
    r.SoundOption = FlagOf(row, "SoundOption");
    r.AnimationOption = NumberOf(row, "AnimationOption");
    r.ScoreLimit = NumberOf(row, "ScoreLimit");
    r.SpecialAction = FlagOf(row, "SpecialAction");
    r.PrayerCardPlayed = FlagOf(row, "PrayerCardPlayed");
    r.EndOfHand = FlagOf(row, "EndOfHand");
    return r;
}

void GameDatabase::DeleteSavedGame(std::int32_t id) { Run(db_, kDeleteSavedGame, {id}, "Deleting a saved game"); }

std::vector<SavedGameListRow> GameDatabase::SavedGamesList()
{
    std::vector<SavedGameListRow> rows;
    QSqlQuery query = Run(db_, kStatements[6], {}, "Listing the saved games");
    while (Next(query, "Listing the saved games")) {
        const QSqlRecord row = query.record();
        rows.push_back({static_cast<std::int32_t>(NumberOf(row, "ID")), TextOf(row, "DateSaved"),
                        TextOf(row, "Player4"), NumberOf(row, "PlayerScore4"), TextOf(row, "CompPlayer1"),
                        NumberOf(row, "CompPlayerScore1"), TextOf(row, "CompPlayer2"),
                        NumberOf(row, "CompPlayerScore2"), TextOf(row, "CompPlayer3"),
                        NumberOf(row, "CompPlayerScore3")});
    }
    return rows;
}

int GameDatabase::PurgeSavedGames()
{
    return Run(db_, kStatements[7], {}, "Deleting the saved games").numRowsAffected();
}

int GameDatabase::CountSavedGames()
{
    QSqlQuery query = Run(db_, kStatements[8], {}, "Counting the saved games");
    return Scalar(query, "Counting the saved games");
}

int GameDatabase::TrimSavedGames(int keep)
{
    return Run(db_, kStatements[9], {keep}, "Trimming the saved games").numRowsAffected();
}

void GameDatabase::AppendHistory(const HistoryRow& h)
{
    Run(db_, kStatements[10],
        {Text(h.DatePlayed), Text(h.Winner), h.WinnerScore, Text(h.SecondPlace), h.SecondScore, Text(h.ThirdPlace),
         h.ThirdScore, Text(h.FourthPlace), h.FourthScore, h.GapBetweenWinnerLoser},
        "Recording the game");
}

std::vector<HistoryRow> GameDatabase::BestScores()
{
    std::vector<HistoryRow> rows;
    QSqlQuery query = Run(db_, kStatements[11], {}, "Reading the best scores");
    // Fields are found by name once; the rows are then read by position.
    QSqlRecord row = query.record();
    while (Next(query, "Reading the best scores")) {
        for (int i = 0; i < row.count(); ++i) row.setValue(i, query.value(i));
        rows.push_back(HistoryOf(row));
    }
    return rows;
}

int GameDatabase::PurgeHistory()
{
    return Run(db_, kStatements[12], {}, "Deleting the history").numRowsAffected();
}

int GameDatabase::CountHistory()
{
    QSqlQuery query = Run(db_, kStatements[13], {}, "Counting the history");
    return Scalar(query, "Counting the history");
}

int GameDatabase::TrimHistory(int keep)
{
    return Run(db_, kStatements[14], {keep}, "Trimming the history").numRowsAffected();
}

std::optional<std::int64_t> GameDatabase::ReadProperty(const std::string& name)
{
    {
        QSqlQuery tables = Run(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'Properties' COLLATE NOCASE",
                               {}, "Reading a property");
        if (!Next(tables, "Reading a property")) return std::nullopt;
    }
    QSqlQuery query = Run(db_, kReadProperty, {Text(name)}, "Reading a property");
    if (!Next(query, "Reading a property")) return std::nullopt;
    bool ok = false;
    const qlonglong value = query.value(0).toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

void GameDatabase::WriteProperty(const std::string& name, std::int64_t value)
{
    Run(db_, kCreateProperties, {}, "Writing a property");
    Run(db_, kWriteProperty, {Text(name), static_cast<qlonglong>(value)}, "Writing a property");
}

bool GameDatabase::IntegrityCheck(std::string* problem)
{
    QSqlQuery query = Run(db_, "PRAGMA integrity_check", {}, "Checking the database");
    if (!Next(query, "Checking the database")) return false;
    const std::string first = query.value(0).toString().toStdString();
    if (first == "ok") return true;
    if (problem) *problem = first;
    return false;
}

} // namespace vemo
