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
#include <map>

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

std::map<CardCode, int> Count(const std::vector<CardCode>& cards)
{
    std::map<CardCode, int> counts;
    for (CardCode c : cards) ++counts[c];
    return counts;
}

std::vector<CardCode> FullDeck()
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    return {deck.Deck.begin() + 1, deck.Deck.end()};
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

TEST(Data_SaveResume, MidHandRoundTrip)
{
    DataDir dir;
    std::int32_t id = 0;
    {
        GameDatabase database;
        database.Open(dir.Database());
        id = database.AppendSavedGame(MidHandRecord());
    }
    Table table(dir.Database());
    table.view.Answers = {"YES"}; // keep the record
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
    EXPECT_EQ(Count(all), Count(FullDeck()));

    // The keep question, then the record stays; the snapshot is the resumed state.
    ASSERT_EQ(table.view.Boxes.size(), 1u);
    EXPECT_EQ(table.view.Boxes[0].Caption, "Resume Game");
    EXPECT_EQ(table.view.Boxes[0].Text,
              "Do you want to save this game record in its current state for resuming again at a later time?");
    EXPECT_EQ(table.view.Boxes[0].Buttons, BoxButtons::YesNo);
    EXPECT_EQ(table.view.Boxes[0].DefaultButton, 2);
    EXPECT_TRUE(table.database.FindSavedGame(id));
    EXPECT_EQ(s.Snapshot.SnapHands[4], "B5B6BSPT");
    EXPECT_EQ(s.Snapshot.SnapCurrTurn, 3);

    // Saving the resumed game writes the same state again.
    table.Save();
    const auto list = table.database.SavedGamesList();
    ASSERT_EQ(list.size(), 2u);
    auto again = table.database.FindSavedGame(list[1].ID);
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

TEST(Data_SaveResume, AnsweringNoDeletesTheRecord)
{
    DataDir dir;
    Table table(dir.Database());
    const auto id = table.database.AppendSavedGame(MidHandRecord());
    ASSERT_TRUE(table.Resume(id)); // the view answers "NO"
    EXPECT_FALSE(table.database.FindSavedGame(id));
    EXPECT_TRUE(table.database.SavedGamesList().empty());
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

TEST(Data_SaveResume, ComputerNameWithBlanksTakesTheStoredName)
{
    DataDir dir;
    Table table(dir.Database());
    auto record = MidHandRecord();
    record.Seats[2].Name = "  Mary Ann  ";
    record.Seats[4].Name = " Ann ";
    ASSERT_TRUE(table.Resume(table.database.AppendSavedGame(record)));
    EXPECT_EQ(table.engine.State().Players(2).Name(), "Mary Ann");
    EXPECT_EQ(table.engine.State().Players(4).Name(), "Ann");
}

// A later seat's opponent is gone: nothing of the table changes.
TEST(Data_SaveResume, UnknownOpponentLeavesPlayersAsTheyWere)
{
    DataDir dir;
    Table table(dir.Database());
    auto record = MidHandRecord();
    record.Seats[3].Name = "Nobody";
    const auto id = table.database.AppendSavedGame(record);
    EXPECT_FALSE(table.Resume(id));
    EXPECT_EQ(table.engine.State().Players.Count(), 0);
    EXPECT_FALSE(table.Resume(id));
    EXPECT_EQ(table.engine.State().Players.Count(), 0);
    EXPECT_TRUE(table.database.FindSavedGame(id));
    EXPECT_FALSE(table.Resume(id + 1000));
}

struct ImpossibleCase {
    const char* name;
    void (*spoil)(SavedGameRecord&);
};

class ImpossibleRecord : public testing::TestWithParam<ImpossibleCase> {};

// Records no game could have written are refused, and left as they are.
TEST_P(ImpossibleRecord, IsRefusedAndLeftUntouched)
{
    DataDir dir;
    Table table(dir.Database());
    auto record = MidHandRecord();
    GetParam().spoil(record);
    EXPECT_FALSE(ImpossibleRecordReason(record).empty());
    const auto id = table.database.AppendSavedGame(record);
    const QString before = RowText(table.database, id);
    ASSERT_FALSE(before.startsWith(QStringLiteral("<no row>"))) << before.toStdString();
    EXPECT_FALSE(table.Resume(id));
    EXPECT_EQ(table.engine.State().Players.Count(), 0);
    EXPECT_TRUE(table.view.Boxes.empty());
    EXPECT_EQ(RowText(table.database, id), before);
}

INSTANTIATE_TEST_SUITE_P(
    Data, ImpossibleRecord,
    testing::Values(
        ImpossibleCase{"HandShorterThanCount", [](SavedGameRecord& r) { r.Seats[2].NbrCards = 6; }},
        ImpossibleCase{"NegativeCount", [](SavedGameRecord& r) { r.Seats[1].NbrCards = -1; }},
        ImpossibleCase{"HugeCount", [](SavedGameRecord& r) { r.Seats[1].NbrCards = 40000; }},
        ImpossibleCase{"UnreadableCount", [](SavedGameRecord& r) { r.Seats[4].NbrCards = kUnreadable; }},
        ImpossibleCase{"UnknownCard", [](SavedGameRecord& r) { r.Seats[4].Cards = "B5B6XXPT"; }},
        ImpossibleCase{"LowerCaseCard", [](SavedGameRecord& r) { r.Seats[1].Cards = "b1B2G3LVRDP7P7"; }},
        ImpossibleCase{"BlankCard", [](SavedGameRecord& r) { r.Seats[3].Cards = "R1  R3R4LGLK"; }},
        ImpossibleCase{"TurnZero", [](SavedGameRecord& r) { r.CurrTurn = 0; }},
        ImpossibleCase{"TurnFive", [](SavedGameRecord& r) { r.CurrTurn = 5; }},
        ImpossibleCase{"DealerZero", [](SavedGameRecord& r) { r.CurrDealer = 0; }},
        ImpossibleCase{"DealerHuge", [](SavedGameRecord& r) { r.CurrDealer = 70000; }},
        ImpossibleCase{"DirectionX", [](SavedGameRecord& r) { r.CurrDirection = "X"; }},
        ImpossibleCase{"DirectionEmpty", [](SavedGameRecord& r) { r.CurrDirection = ""; }},
        ImpossibleCase{"DirectionTwoLetters", [](SavedGameRecord& r) { r.CurrDirection = "RL"; }},
        ImpossibleCase{"ColourL", [](SavedGameRecord& r) { r.CurrColor = "L"; }},
        ImpossibleCase{"ColourEmpty", [](SavedGameRecord& r) { r.CurrColor = ""; }},
        ImpossibleCase{"CurrCardUnknown", [](SavedGameRecord& r) { r.CurrCard = "Q9"; }},
        ImpossibleCase{"ActualCardLightStar", [](SavedGameRecord& r) { r.ActualCurrCard = "B*"; }},
        ImpossibleCase{"ScoreOutOfRange", [](SavedGameRecord& r) { r.Seats[3].Score = 99999; }},
        ImpossibleCase{"ScoreLimitZero", [](SavedGameRecord& r) { r.ScoreLimit = 0; }}),
    [](const auto& info) { return std::string(info.param.name); });

// Values stored as text or left empty by hand are read as unreadable, not as 0.
TEST(Data_SaveResume, GarbageFieldsInTheTableAreRefused)
{
    DataDir dir;
    std::int32_t id = 0;
    {
        GameDatabase database;
        database.Open(dir.Database());
        id = database.AppendSavedGame(MidHandRecord());
    }
    const char* spoils[] = {"CurrTurn = 'three'", "CurrDealer = NULL", "PlayerNbrCards4 = '4x'",
                            "CompPlayerCards2 = NULL", "CurrColor = NULL"};
    for (const char* spoil : spoils) {
        DataDir copy;
        QFile::remove(copy.Database());
        QFile::copy(dir.Database(), copy.Database());
        Exec(copy.Database(), {std::string("UPDATE SavedGames SET ") + spoil});
        Table table(copy.Database());
        EXPECT_FALSE(table.Resume(id)) << spoil;
        EXPECT_TRUE(table.database.FindSavedGame(id)) << spoil;
    }
}

TEST(Data_SaveResume, LightCardOnThePileIsTakenOutOfTheDeck)
{
    DataDir dir;
    Table table(dir.Database());
    auto record = MidHandRecord();
    record.CurrCard = "G*";
    record.ActualCurrCard = "LB";
    record.CurrColor = "G";
    ASSERT_TRUE(table.Resume(table.database.AppendSavedGame(record)));
    const GameState& s = table.engine.State();
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

// A save writes the snapshot, not the table as it is now.
TEST(Data_SaveResume, SaveWritesTheSnapshot)
{
    DataDir dir;
    Table table(dir.Database());
    table.StartGame();
    GameState& s = table.engine.State();
    const std::string handAtSnapshot = s.Players(4).GetAllCards();
    s.Players(4).AddACard(CardCode("LV"));
    s.Scores[2] = 99;
    table.Save();
    const auto record = table.database.FindSavedGame(table.database.SavedGamesList().at(0).ID);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Seats[4].Cards, handAtSnapshot);
    EXPECT_EQ(record->Seats[2].Score, 0);
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
