// Saving and resuming through the engine, against a real database file.

#include "DataTestSupport.h"

#include "SavedGameRecord.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <sys/types.h>

using namespace vemo;
using namespace vemo::test;

namespace {

// A hand in progress: 7 + 5 + 6 + 4 cards, seat 3 on turn, counter-clockwise.
SavedGameRecord MidHandRecord()
{
    SavedGameRecord r;
    r.DateSaved = "2024-05-01 12:00:00.000";
    r.Seats[1] = {"Adam", 12, 7, "B1B2G3LVRDP7P7"};
    r.Seats[2] = {"Ben", 0, 5, "G1G2G3G4G5"};
    r.Seats[3] = {"Caleb", 40, 6, "R1R2R3R4LGLK"};
    r.Seats[4] = {"Ann", 7, 4, "B5B6BSPT"};
    r.CurrTurn = 3;
    r.CurrColor = "P";
    r.CurrCard = "P4";
    r.ActualCurrCard = "P4";
    r.CurrDirection = "L";
    r.CurrDealer = 2;
    r.SoundOption = false;
    r.AnimationOption = 2;
    r.ScoreLimit = 200;
    r.SpecialAction = true;
    r.PrayerCardPlayed = false;
    r.EndOfHand = false;
    return r;
}

// A saved game's row as text, read through the open handle, to prove a refused record untouched.
QString RowText(GameDatabase& database, std::int32_t id)
{
    QSqlQuery query(database.Connection());
    query.prepare(QStringLiteral("SELECT quote(DateSaved)||quote(CompPlayer1)||quote(CompPlayerCards1)||quote(PlayerNbrCards4)||quote(PlayerCards4)||quote(CurrCard)"
                       "||quote(CurrTurn)||quote(CurrColor)||quote(CurrDirection)||quote(CurrDealer) FROM SavedGames WHERE ID = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next()) return QStringLiteral("<no row> ") + query.lastError().text();
    return query.value(0).toString();
}

// A hand in progress comes back as it was saved; the keep question decides
// whether its record stays, and saving the resumed game writes it again.
TEST(Data_SaveResume, MidHandRoundTrip)
{
    for (const std::string answer : {"YES", "NO"}) {
        DataDir dir;
        std::int32_t id = 0;
        {
            GameDatabase database;
            database.Open(dir.Database());
            id = database.AppendSavedGame(MidHandRecord());
        }
        Table table(dir.Database());
        table.view.Answers = {answer};
        ASSERT_TRUE(table.Resume(id));

        const GameState& s = table.engine.State();
        ASSERT_EQ(s.Players.Count(), 4);
        EXPECT_EQ(s.Players(1).GetAllCards(), "B1B2G3LVRDP7P7");
        EXPECT_EQ(s.Players(2).GetAllCards(), "G1G2G3G4G5");
        EXPECT_EQ(s.Players(3).GetAllCards(), "R1R2R3R4LGLK");
        EXPECT_EQ(s.Players(4).GetAllCards(), "B5B6BSPT");
        EXPECT_EQ(s.Players(1).PlayingStyle(), 1);
        EXPECT_EQ(s.Players(3).WAV(), 3);
        EXPECT_TRUE(s.Players(4).Human());
        EXPECT_EQ(s.HumanPlayerName, "Ann");
        EXPECT_EQ(s.HumanFaces.size(), 4u);
        EXPECT_EQ(s.Scores, (std::array<std::int16_t, 5>{0, 12, 0, 40, 7}));
        EXPECT_EQ(s.CurrTurn, 3);
        EXPECT_EQ(s.CurrDealer, 2);
        EXPECT_EQ(s.CurrColor, 'P');
        EXPECT_EQ(s.CurrCard, CardCode("P4"));
        EXPECT_EQ(s.ActualCurrCard, CardCode("P4"));
        EXPECT_EQ(s.CurrDirection, 'L');
        EXPECT_TRUE(s.SpecialAction);
        EXPECT_FALSE(s.PrayerCardPlayed);
        EXPECT_EQ(s.ScoreLimit, 200);
        EXPECT_EQ(s.AnimationOption, 2);
        EXPECT_FALSE(table.view.SoundOn());
        EXPECT_FALSE(s.GameSaved);
        EXPECT_EQ(table.view.LastStatus(StatusBar::Top, 1), "Point Limit = 200");
        EXPECT_EQ(table.view.LastStatus(StatusBar::Bottom, 1), "Caleb's Turn");
        EXPECT_EQ(table.view.LastStatus(StatusBar::Bottom, 2), "Ben dealt");
        EXPECT_EQ(table.view.LastStatus(StatusBar::Bottom, 3), "Counter-Clockwise");

        // 22 cards in hands and the pile's card: the deck starts at 24 and holds the other 69.
        EXPECT_EQ(s.Deck.DeckPosition, 24);
        std::vector<CardCode> inPlay;
        for (int seat = 1; seat <= 4; ++seat)
            inPlay.insert(inPlay.end(), s.Players(seat).Hand().begin(), s.Players(seat).Hand().end());
        inPlay.push_back(CardCode("P4"));
        std::vector<CardCode> rest(s.Deck.Deck.begin() + 24, s.Deck.Deck.end());
        for (int slot = 1; slot < 24; ++slot) EXPECT_TRUE(s.Deck(slot).IsBlank()) << slot;
        auto all = inPlay;
        all.insert(all.end(), rest.begin(), rest.end());
        EXPECT_EQ(Count(all), CatalogueCounts());

        // The keep question, then the record stays or goes; the snapshot is the resumed state.
        ASSERT_EQ(table.view.Boxes.size(), 1u);
        EXPECT_EQ(table.view.Boxes[0].Caption, "Resume Game");
        EXPECT_EQ(table.view.Boxes[0].Text,
                  "Do you want to save this game record in its current state for resuming again at a later time?");
        EXPECT_EQ(table.view.Boxes[0].Buttons, BoxButtons::YesNo);
        EXPECT_EQ(table.view.Boxes[0].DefaultButton, 2);
        EXPECT_EQ(table.database.FindSavedGame(id).has_value(), answer == "YES");
        EXPECT_EQ(s.Snapshot.SnapHands[4], "B5B6BSPT");
        EXPECT_EQ(s.Snapshot.SnapCurrTurn, 3);

        // Saving the resumed game writes the same state again.
        table.Save();
        const auto list = table.database.SavedGamesList();
        ASSERT_EQ(list.size(), answer == "YES" ? 2u : 1u);
        auto again = table.database.FindSavedGame(list.back().ID);
        ASSERT_TRUE(again);
        auto expected = MidHandRecord();
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(again->Seats[seat].Name, expected.Seats[seat].Name);
            EXPECT_EQ(again->Seats[seat].Cards, expected.Seats[seat].Cards);
            EXPECT_EQ(again->Seats[seat].NbrCards, expected.Seats[seat].NbrCards);
            EXPECT_EQ(again->Seats[seat].Score, expected.Seats[seat].Score);
        }
        EXPECT_EQ(again->CurrDirection, "L");
        EXPECT_EQ(again->AnimationOption, 2);
        EXPECT_FALSE(again->SoundOption);
        EXPECT_TRUE(again->SpecialAction);
        EXPECT_FALSE(again->EndOfHand);
    }
}

struct EndOfHandCase {
    int dealer;
    int nextDealer;
    int firstTurn;
};

// Saved from the hand-winner announcement: the next dealer deals a new hand.
TEST(Data_SaveResume, EndOfHandDealsAnewWithTheNextDealer)
{
    for (const EndOfHandCase c : {EndOfHandCase{4, 1, 2}, EndOfHandCase{1, 2, 3}, EndOfHandCase{3, 4, 1}}) {
        DataDir dir;
        Table table(dir.Database());
        auto record = MidHandRecord();
        record.EndOfHand = true;
        record.CurrDealer = c.dealer;
        const auto id = table.database.AppendSavedGame(record);
        ASSERT_TRUE(table.Resume(id));
        const GameState& s = table.engine.State();
        EXPECT_EQ(s.CurrDealer, c.nextDealer);
        EXPECT_EQ(s.CurrTurn, c.firstTurn);
        EXPECT_EQ(s.CurrDirection, 'R');
        EXPECT_FALSE(s.PrayerCardPlayed);
        EXPECT_EQ(s.Scores, (std::array<std::int16_t, 5>{0, 12, 0, 40, 7}));
        for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(s.Players(seat).NumberOfCards(), 7) << seat;
        EXPECT_EQ(s.Deck.DeckPosition, 30);
        EXPECT_EQ(table.view.LastStatus(StatusBar::Bottom, 3), "Clockwise");
    }
}

struct RefusedCase {
    const char* name;
    void (*spoil)(SavedGameRecord&);
    const char* sql = nullptr; // spoils the stored row instead
    bool impossible = true;    // the record check itself refuses it
};

// Records no game could have written, fields stored as text or left empty by
// hand, and a later seat's opponent who is gone: the resume is refused,
// nothing of the table changes, and the row is left as it was.
TEST(Data_SaveResume, ImpossibleRecordsAreRefusedAndLeftUntouched)
{
    const RefusedCase cases[] = {
        {"hand shorter than count", [](SavedGameRecord& r) { r.Seats[2].NbrCards = 6; }},
        {"negative count", [](SavedGameRecord& r) { r.Seats[1].NbrCards = -1; }},
        {"huge count", [](SavedGameRecord& r) { r.Seats[1].NbrCards = 40000; }},
        {"unreadable count", [](SavedGameRecord& r) { r.Seats[4].NbrCards = kUnreadable; }},
        {"unknown card", [](SavedGameRecord& r) { r.Seats[4].Cards = "B5B6XXPT"; }},
        {"lower-case card", [](SavedGameRecord& r) { r.Seats[1].Cards = "b1B2G3LVRDP7P7"; }},
        {"blank card", [](SavedGameRecord& r) { r.Seats[3].Cards = "R1  R3R4LGLK"; }},
        {"turn zero", [](SavedGameRecord& r) { r.CurrTurn = 0; }},
        {"turn five", [](SavedGameRecord& r) { r.CurrTurn = 5; }},
        {"dealer zero", [](SavedGameRecord& r) { r.CurrDealer = 0; }},
        {"dealer huge", [](SavedGameRecord& r) { r.CurrDealer = 70000; }},
        {"direction X", [](SavedGameRecord& r) { r.CurrDirection = "X"; }},
        {"direction empty", [](SavedGameRecord& r) { r.CurrDirection = ""; }},
        {"direction of two letters", [](SavedGameRecord& r) { r.CurrDirection = "RL"; }},
        {"colour L", [](SavedGameRecord& r) { r.CurrColor = "L"; }},
        {"colour empty", [](SavedGameRecord& r) { r.CurrColor = ""; }},
        {"unknown card on the pile", [](SavedGameRecord& r) { r.CurrCard = "Q9"; }},
        {"light star as the actual card", [](SavedGameRecord& r) { r.ActualCurrCard = "B*"; }},
        {"score out of range", [](SavedGameRecord& r) { r.Seats[3].Score = 99999; }},
        {"score limit zero", [](SavedGameRecord& r) { r.ScoreLimit = 0; }},
        {"turn as text", nullptr, "CurrTurn = 'three'", false},
        {"dealer empty", nullptr, "CurrDealer = NULL", false},
        {"count as text", nullptr, "PlayerNbrCards4 = '4x'", false},
        {"hand empty", nullptr, "CompPlayerCards2 = NULL", false},
        {"colour empty in the table", nullptr, "CurrColor = NULL", false},
        {"unknown opponent", [](SavedGameRecord& r) { r.Seats[3].Name = "Nobody"; }, nullptr, false},
    };
    for (const auto& c : cases) {
        DataDir dir;
        auto record = MidHandRecord();
        if (c.spoil) c.spoil(record);
        EXPECT_EQ(ImpossibleRecordReason(record).empty(), !c.impossible) << c.name;
        std::int32_t id = 0;
        {
            GameDatabase database;
            database.Open(dir.Database());
            id = database.AppendSavedGame(record);
        }
        if (c.sql) Exec(dir.Database(), {std::string("UPDATE SavedGames SET ") + c.sql});
        Table table(dir.Database());
        const QString before = RowText(table.database, id);
        ASSERT_FALSE(before.startsWith(QStringLiteral("<no row>"))) << before.toStdString();
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_FALSE(table.Resume(id)) << c.name;
            EXPECT_EQ(table.engine.State().Players.Count(), 0) << c.name;
        }
        EXPECT_TRUE(table.view.Boxes.empty()) << c.name;
        EXPECT_EQ(RowText(table.database, id), before) << c.name;
        EXPECT_FALSE(table.Resume(id + 1000)) << c.name;
    }
}

// Names stored with blanks take the stored name; a light card on the pile
// (under the colour card named for it) leaves the deck with the rest.
TEST(Data_SaveResume, OddButPossibleRecordsResume)
{
    DataDir dir;
    Table table(dir.Database());
    auto record = MidHandRecord();
    record.Seats[2].Name = "  Mary Ann  ";
    record.Seats[4].Name = " Ann ";
    record.CurrCard = "G*";
    record.ActualCurrCard = "LB";
    record.CurrColor = "G";
    ASSERT_TRUE(table.Resume(table.database.AppendSavedGame(record)));
    const GameState& s = table.engine.State();
    EXPECT_EQ(s.Players(2).Name(), "Mary Ann");
    EXPECT_EQ(s.Players(4).Name(), "Ann");
    EXPECT_EQ(s.CurrCard, CardCode("G*"));
    EXPECT_EQ(std::count(s.Deck.Deck.begin(), s.Deck.Deck.end(), CardCode("LB")), 3);
}

struct SavedMessageCase {
    bool endOfHand;
    bool databaseGone; // the save fails
    const char* caption;
    const char* text;
};

// A save confirms; a save that fails says so and why, and play goes on.
TEST(Data_SaveResume, SaveConfirmsWithTheGameSavedMessage)
{
    const SavedMessageCase cases[] = {
        {true, false, "Game Saved", "Game has been saved!"},
        {false, false, "Game Saved",
         "Game has been saved!\r\n\r\nDue to the difficulty saving a game during a computer player's turn, "
         "all 'saves' are as of the beginning of the human player's last turn."},
        {false, true, "Game Not Saved",
         "The game could not be saved.\r\n\r\nSaving the game: Driver not loaded\r\n\r\n"
         "The game goes on; you can try to save it again."},
    };
    for (const auto& c : cases) {
        DataDir dir;
        Table table(dir.Database());
        table.StartGame();
        table.engine.SnapshotGameState(c.endOfHand ? "YES" : "");
        if (c.databaseGone) table.database.Close();
        table.Save();
        EXPECT_EQ(table.engine.State().GameSaved, !c.databaseGone);
        ASSERT_EQ(table.view.Boxes.size(), 1u);
        EXPECT_EQ(table.view.Boxes[0].Caption, c.caption);
        EXPECT_EQ(table.view.Boxes[0].Text, c.text);
        EXPECT_EQ(table.view.Boxes[0].Icon, c.databaseGone ? BoxIcon::Exclamation : BoxIcon::Information);
        EXPECT_EQ(c.databaseGone ? Query(dir.Database(), "SELECT count(*) FROM SavedGames").toInt()
                                 : table.database.CountSavedGames(),
                  c.databaseGone ? 0 : 1);
        EXPECT_EQ(QFile::exists(dir.File("error.log")), c.databaseGone);
    }
}

// A save writes the snapshot, not the table as it is now, and the list of
// saved games shows its names and scores.
TEST(Data_SaveResume, SaveWritesTheSnapshot)
{
    DataDir dir;
    Table table(dir.Database());
    table.StartGame("O'Brien");
    GameState& s = table.engine.State();
    s.Snapshot.SnapScores = {0, 11, 22, 33, 44};
    const std::string handAtSnapshot = s.Players(4).GetAllCards();
    s.Players(4).AddACard(CardCode("LV"));
    s.Scores[2] = 99;
    table.Save();
    const auto list = table.database.SavedGamesList();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_GT(list[0].ID, 0);
    EXPECT_EQ(list[0].DateSaved.size(), 23u);
    EXPECT_EQ(list[0].Player4, "O'Brien");
    EXPECT_EQ(list[0].PlayerScore4, 44);
    EXPECT_EQ(list[0].CompPlayer1, "Adam");
    EXPECT_EQ(list[0].CompPlayerScore1, 11);
    EXPECT_EQ(list[0].CompPlayer3, "Caleb");
    EXPECT_EQ(list[0].CompPlayerScore3, 33);
    const auto record = table.database.FindSavedGame(list[0].ID);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Seats[4].Cards, handAtSnapshot);
    EXPECT_EQ(record->Seats[2].Score, 22);
    EXPECT_TRUE(ImpossibleRecordReason(*record).empty()) << ImpossibleRecordReason(*record);
}

// A process killed in the middle of saving leaves a sound file of whole rows.
TEST(Data_SaveResume, KilledDuringSavesLeavesOnlyWholeRows)
{
    DataDir dir;
    for (int round = 0; round < 3; ++round) {
        QProcess saver;
        saver.start(SelfPath(), {QStringLiteral("--save-forever"), dir.Database()});
        ASSERT_TRUE(saver.waitForReadyRead(10000));
        QThread::msleep(50 + 37 * round);
        ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
        saver.waitForFinished();
    }
    EXPECT_EQ(Query(dir.Database(), "SELECT count(*) FROM SavedGames WHERE EndOfHand IS NULL OR PlayerCards4 IS NULL"),
              QStringLiteral("0"));
    GameDatabase database;
    database.Open(dir.Database());
    std::string problem;
    EXPECT_TRUE(database.IntegrityCheck(&problem)) << problem;
    const int count = database.CountSavedGames();
    EXPECT_GT(count, 0);
    for (const auto& row : database.SavedGamesList()) {
        const auto record = database.FindSavedGame(row.ID);
        ASSERT_TRUE(record);
        EXPECT_TRUE(ImpossibleRecordReason(*record).empty()) << row.ID;
    }
}

} // namespace
