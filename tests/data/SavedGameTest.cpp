// Saving and resuming through the engine, against a real database file, and
// the deck of a resumed hand.

#include "DataTestSupport.h"

#include "DeckRebuild.h"
#include "RandomInteger.h"
#include "SavedGameRecord.h"

#include <QThread>

#include <algorithm>

using namespace vemo;
using namespace vemo::test;

namespace {

// A hand in progress: 7 + 5 + 6 + 4 cards, seat 3 on turn, counter-clockwise.
SavedGameRecord MidHandRecord()
{
    return {.DateSaved = "2024-05-01 12:00:00.000",
            .Seats = {{{}, {"Adam", 12, 7, "B1B2G3LVRDP7P7"}, {"Ben", 0, 5, "G1G2G3G4G5"}, {"Caleb", 40, 6, "R1R2R3R4LGLK"},
                       {"Ann", 7, 4, "B5B6BSPT"}}},
            .CurrTurn = 3, .CurrColor = "P", .CurrCard = "P4", .ActualCurrCard = "P4", .CurrDirection = "L", .CurrDealer = 2,
            .AnimationOption = 2, .ScoreLimit = 200, .SpecialAction = true};
}

// A saved game's row as text, all but its ID and date, read through the open handle.
std::string RowText(GameDatabase& database, std::int32_t id)
{
    QString fields = QStringLiteral(
        "CompPlayer1,CompPlayerScore1,CompPlayerNbrCards1,CompPlayerCards1,CompPlayer2,CompPlayerScore2,CompPlayerNbrCards2,"
        "CompPlayerCards2,CompPlayer3,CompPlayerScore3,CompPlayerNbrCards3,CompPlayerCards3,Player4,PlayerScore4,"
        "PlayerNbrCards4,PlayerCards4,CurrTurn,CurrColor,CurrCard,ActualCurrCard,CurrDirection,CurrDealer,SoundOption,"
        "AnimationOption,ScoreLimit,SpecialAction,PrayerCardPlayed,EndOfHand");
    QSqlQuery query(database.Connection());
    query.prepare("SELECT quote(" + fields.replace(',', QStringLiteral(")||','||quote(")) + ") FROM SavedGames WHERE ID = ?");
    query.addBindValue(id);
    return (query.exec() && query.next() ? query.value(0).toString() : "<no row> " + query.lastError().text()).toStdString();
}

// A hand in progress comes back as it was saved (saving it again writes the
// same row), with its players, status texts and the cards in play out of the deck.
TEST(Data_SaveResume, MidHandRoundTrip)
{
    DataDir dir;
    Table table(dir.Database());
    const std::int32_t id = table.database.AppendSavedGame(MidHandRecord());
    table.view.Answers = {"YES"};
    table.view.SetSound(true);
    ASSERT_TRUE(table.Resume(id));
    const GameState& s = table.engine.State();
    ASSERT_EQ(s.Players.Count(), 4);
    EXPECT_EQ(std::tuple(s.Players(1).PlayingStyle(), s.Players(3).WAV(), s.Players(4).Human(), s.HumanPlayerName,
                         s.HumanFaces.size(), s.GameSaved),
              std::tuple(1, 3, true, std::string("Ann"), 4u, false));
    EXPECT_EQ(table.view.Status,
              (std::map<std::pair<StatusBar, int>, std::string>{
                  {{StatusBar::Top, 1}, "Point Limit = 200"}, {{StatusBar::Top, 3}, "Adam = 12"}, {{StatusBar::Top, 4}, "Ben = 0"},
                  {{StatusBar::Top, 5}, "Caleb = 40"}, {{StatusBar::Top, 6}, "Ann = 7"}, {{StatusBar::Bottom, 1}, "Caleb's Turn"},
                  {{StatusBar::Bottom, 2}, "Ben dealt"}, {{StatusBar::Bottom, 3}, "Counter-Clockwise"},
                  {{StatusBar::Bottom, 4}, "Purple"}}));

    // 22 cards in hands and the pile's card leave the deck (its table below says which).
    EXPECT_EQ(s.Deck.DeckPosition, 24);
    table.Save();
    const auto list = table.database.SavedGamesList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(RowText(table.database, list[1].ID), RowText(table.database, id));
}

// Saved from the hand-winner announcement: the next dealer deals a new hand.
TEST(Data_SaveResume, EndOfHandDealsAnewWithTheNextDealer)
{
    const struct { int dealer, nextDealer, firstTurn; } cases[] = {{4, 1, 2}, {1, 2, 3}, {3, 4, 1}};
    for (const auto& c : cases) {
        DataDir dir;
        auto record = MidHandRecord();
        record.EndOfHand = true;
        record.CurrDealer = c.dealer;
        Table table(dir.Database());
        ASSERT_TRUE(table.Resume(table.database.AppendSavedGame(record)));
        const GameState& s = table.engine.State();
        EXPECT_EQ(std::tuple(int(s.CurrDealer), int(s.CurrTurn), s.CurrDirection, s.PrayerCardPlayed),
                  std::tuple(c.nextDealer, c.firstTurn, 'R', false));
        EXPECT_EQ(s.Scores, (std::array<std::int16_t, 5>{0, 12, 0, 40, 7}));
        for (int seat = 1; seat <= 4; ++seat) EXPECT_EQ(s.Players(seat).NumberOfCards(), 7) << seat;
        EXPECT_EQ(s.Deck.DeckPosition, 30);
        EXPECT_EQ((table.view.Status[{StatusBar::Bottom, 3}]), "Clockwise");
    }
}

// sql spoils the stored row instead; impossible: the record check itself refuses it.
struct RefusedCase { const char* name; void (*spoil)(SavedGameRecord&); const char* sql = nullptr; bool impossible = true; };

// Records no game could have written, fields stored as text or left empty by
// hand, and a later seat's opponent who is gone: the resume is refused,
// nothing of the table changes, and the row is left as it was.
TEST(Data_SaveResume, ImpossibleRecordsAreRefusedAndLeftUntouched)
{
    const RefusedCase cases[] = {
        {"huge count", [](SavedGameRecord& r) { r.Seats[1].NbrCards = 40000; }},
        {"blank card", [](SavedGameRecord& r) { r.Seats[3].Cards = "R1  R3R4LGLK"; }},
        {"turn five", [](SavedGameRecord& r) { r.CurrTurn = 5; }},
        {"direction of two letters", [](SavedGameRecord& r) { r.CurrDirection = "RL"; }},
        {"colour L", [](SavedGameRecord& r) { r.CurrColor = "L"; }},
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
        SCOPED_TRACE(c.name);
        DataDir dir;
        auto record = MidHandRecord();
        if (c.spoil) c.spoil(record);
        EXPECT_EQ(ImpossibleRecordReason(record).empty(), !c.impossible);
        std::int32_t id = 0;
        { GameDatabase database; database.Open(dir.Database()); id = database.AppendSavedGame(record); }
        if (c.sql) Sql(dir.Database(), {std::string("UPDATE SavedGames SET ") + c.sql});
        Table table(dir.Database());
        const std::string before = RowText(table.database, id);
        ASSERT_NE(before.rfind("<no row>", 0), 0u) << before;
        for (std::int32_t attempt : {id, id, id + 1000}) {
            EXPECT_FALSE(table.Resume(attempt));
            EXPECT_EQ(table.engine.State().Players.Count(), 0);
        }
        EXPECT_TRUE(table.view.Boxes.empty());
        EXPECT_EQ(RowText(table.database, id), before);
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
    EXPECT_EQ(s.Players(2).Name() + "|" + s.Players(4).Name(), "Mary Ann|Ann");
    EXPECT_EQ(s.CurrCard, CardCode("G*"));
    EXPECT_EQ(std::count(s.Deck.Deck.begin(), s.Deck.Deck.end(), CardCode("LB")), 3);
}

// A save writes the snapshot, not the table as it is now, and the list of
// saved games shows its names (a quote among them) and scores.
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
    EXPECT_EQ(std::tie(list[0].Player4, list[0].PlayerScore4, list[0].CompPlayer1, list[0].CompPlayerScore1,
                       list[0].CompPlayer3, list[0].CompPlayerScore3),
              std::make_tuple(std::string("O'Brien"), 44, std::string("Adam"), 11, std::string("Caleb"), 33));
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
        Child saver([&](const std::function<void()>& ready) {
            Table table(dir.Database());
            table.StartGame();
            ready();
            for (;;) table.database.AppendSavedGame(RecordFromSnapshot(table.engine.State(), true));
        });
        ASSERT_TRUE(saver.Ready());
        QThread::msleep(50 + 37 * round);
    }
    EXPECT_EQ(Sql(dir.Database(), {"SELECT count(*) FROM SavedGames WHERE EndOfHand IS NULL OR PlayerCards4 IS NULL"}),
              QStringLiteral("0"));
    GameDatabase database;
    database.Open(dir.Database());
    std::string problem;
    EXPECT_TRUE(database.IntegrityCheck(&problem)) << problem;
    EXPECT_GT(database.CountSavedGames(), 0);
    for (const auto& row : database.SavedGamesList()) {
        const auto record = database.FindSavedGame(row.ID);
        ASSERT_TRUE(record);
        EXPECT_TRUE(ImpossibleRecordReason(*record).empty()) << row.ID;
    }
}

// The deck of a resumed hand: the cards in play taken out of a shuffled deck.
// inPlay: hands then the pile's card; missingFromDeck: cards neither in play nor in the deck.
struct RebuildCase { const char* name; std::string inPlay; int deckPosition, missingFromDeck; };

TEST(Data_DeckRebuild, CardsInPlayLeaveTheDeck)
{
    CardDeck full;
    LoadVemoCardDeck(full);
    const RebuildCase cases[] = {
        {"7+5+6+4 and the pile", "B1B2G3LVRDP7P7" "G1G2G3G4G5" "R1R2R3R4LGLK" "B5B6BSPT" "P4", 24, 0},
        {"only the pile", "G5", 2, 0},
        {"both copies of a number", "B1B1B1", 4, 1},
        {"every Vemo card and one more", "LVLVLVLVLV", 6, 1},
        {"a colour and its star", "B*", 2, 1},
        {"every card", std::string(), -1, 0},
    };
    for (const auto& c : cases) {
        std::vector<CardCode> inPlay;
        for (std::size_t i = 0; i + 1 < c.inPlay.size(); i += 2) inPlay.emplace_back(std::string_view(c.inPlay).substr(i, 2));
        if (c.inPlay.empty()) inPlay.assign(full.Deck.begin() + 1, full.Deck.end());
        for (std::uint64_t seed : {1u, 2u, 99u}) {
            SCOPED_TRACE(std::string(c.name) + " " + std::to_string(seed));
            SeedRandom(seed);
            CardDeck deck = full;
            ShuffleFullDeck(deck);
            RebuildDeckWithoutCardsInPlay(deck, inPlay, inPlay.back());
            if (c.deckPosition < 0) { // a deck with nothing left still has a position to draw from
                EXPECT_GE(deck.DeckPosition, 1);
                EXPECT_LE(deck.DeckPosition, kDeckSize);
                continue;
            }
            EXPECT_EQ(deck.DeckPosition, c.deckPosition);
            for (int slot = 1; slot < deck.DeckPosition; ++slot) EXPECT_TRUE(deck(slot).IsBlank()) << slot;
            std::vector<CardCode> rest(deck.Deck.begin() + deck.DeckPosition, deck.Deck.end());
            for (CardCode card : rest) EXPECT_TRUE(!card.IsBlank() && card != CardCode("XX")) << card.ToString();
            // The deck and the cards in play make up the catalogue, less what
            // was in play more often than the deck holds it.
            std::map<CardCode, int> expected, got;
            for (int slot = 1; slot <= kDeckSize; ++slot) ++expected[full(slot)];
            for (CardCode card : rest) ++got[card];
            for (CardCode card : inPlay) ++got[card];
            int surplus = 0, missing = 0;
            for (const auto& [card, n] : got) surplus += std::max(0, n - expected[card]);
            for (const auto& [card, n] : expected) missing += std::max(0, n - got[card]);
            EXPECT_EQ(surplus, c.missingFromDeck);
            EXPECT_EQ(missing, c.missingFromDeck);
        }
    }
    UnseedRandom();
}

} // namespace
