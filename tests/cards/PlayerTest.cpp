// One seat at the table: identity, the hand in order of arrival, the table
// display kept in step, and the penalty points left in a hand.

#include "Deck.h"
#include "ReportError.h"
#include "clsPlayer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace vemo;

namespace {

// What the table window was asked to do, in order.
class RecordingDisplay : public HandDisplay {
public:
    void PlaceCardOnTable(int seat, CardCode card, int fromSeat) override
    {
        events.push_back("place " + std::to_string(seat) + " " + card.ToString() + " " + std::to_string(fromSeat));
    }
    void RemoveCardFromTable(int seat) override { events.push_back("remove " + std::to_string(seat)); }
    void RemoveHumanCard(CardCode card, int faceCount) override
    {
        events.push_back("human " + card.ToString() + " " + std::to_string(faceCount));
        if (player) handSizeAtCall = player->NumberOfCards();
    }

    std::vector<std::string> events;
    const clsPlayer* player = nullptr;
    int handSizeAtCall = -1;
};

// "B5G2B5" -> B5, G2, B5
std::vector<CardCode> Codes(std::string_view text)
{
    std::vector<CardCode> codes;
    for (std::size_t k = 0; k + 1 < text.size(); k += 2) codes.emplace_back(text.substr(k, 2));
    return codes;
}

void Deal(clsPlayer& player, std::string_view text)
{
    for (CardCode c : Codes(text)) player.AddACard(c);
}

} // namespace

TEST(Player, AddACardAppendsAndShowsTheCardAndTheStoredFormReadsBack)
{
    clsPlayer player;
    player.GameSequence(2);
    RecordingDisplay display;
    player.AttachDisplay(&display);

    player.AddACard(CardCode("B5"));
    player.AddACard(CardCode("LV"), 3); // moved from seat 3's hand
    player.AddACard(CardCode("B5"), 0);

    EXPECT_EQ(player.GetAllCards(), "B5LVB5");
    EXPECT_EQ(player.NumberOfCards(), 3);
    EXPECT_EQ(display.events, (std::vector<std::string>{"place 2 B5 0", "place 2 LV 3", "place 2 B5 0"}));
    // Reading the stored form back two characters at a time gives the same hand.
    clsPlayer restored;
    Deal(restored, player.GetAllCards());
    EXPECT_EQ(restored.Hand(), player.Hand());
}

TEST(Player, RemoveACardTakesTheEarliestCopyAndACardNotHeldIsAFault)
{
    const struct {
        const char* hand;
        const char* card;
        const char* left; // null: not held, a fault that changes nothing
    } cases[] = {
        {"B5G2B5", "B5", "G2B5"}, {"G2B5B5", "B5", "G2B5"},   {"B5G2B5", "G2", "B5B5"},
        {"LV", "LV", ""},         {"R1R2R3", "R3", "R1R2"},   {"LPLGLPLG", "LG", "LPLPLG"},
        {"B5G2", "B6", nullptr},  {"", "LV", nullptr},        {"LVLV", "LP", nullptr},
        {"B5", "5B", nullptr},
    };
    for (const auto& c : cases) {
        for (int seat : {0, 3, 4}) { // 0: without a display the hand changes silently
            SCOPED_TRACE(std::string(c.hand) + " - " + c.card + " at seat " + std::to_string(seat));
            clsPlayer player;
            player.Human(seat == 4);
            player.GameSequence(static_cast<std::int16_t>(seat));
            Deal(player, c.hand);
            RecordingDisplay display;
            display.player = &player;
            if (seat) player.AttachDisplay(&display);
            const int before = player.NumberOfCards();

            if (!c.left) {
                EXPECT_ANY_THROW(player.RemoveACard(CardCode(c.card)));
                EXPECT_EQ(player.GetAllCards(), c.hand);
                EXPECT_TRUE(display.events.empty());
                continue;
            }
            player.RemoveACard(CardCode(c.card));

            EXPECT_EQ(player.GetAllCards(), c.left);
            ASSERT_EQ(display.events.size(), seat ? 1u : 0u);
            if (seat == 4) {
                // The faces are updated while the card is still in the hand.
                EXPECT_EQ(display.events[0], std::string("human ") + c.card + " " + std::to_string(before));
                EXPECT_EQ(display.handSizeAtCall, before);
            } else if (seat == 3) {
                EXPECT_EQ(display.events[0], "remove 3");
            }
        }
    }
}

TEST(Player, RemoveAllCardsEmptiesTheHandWithoutTheDisplay)
{
    for (const char* hand : {"", "B5", "B5LVGDB5R7"}) {
        SCOPED_TRACE(hand);
        clsPlayer player;
        player.GameSequence(1);
        Deal(player, hand);
        RecordingDisplay display;
        player.AttachDisplay(&display);
        player.RemoveAllCards();
        EXPECT_EQ(player.NumberOfCards(), 0);
        EXPECT_EQ(player.GetAllCards(), "");
        EXPECT_TRUE(display.events.empty());
        player.RemoveAllCards();
        EXPECT_EQ(player.NumberOfCards(), 0);
    }
}

TEST(Player, ScoreHand)
{
    const struct {
        const char* hand;
        int points;
    } cases[] = {
        {"", 0},
        {"LVLV", 0},
        {"GDRSP7", 82},
        {"BTGRLBLKLGLP", 40},
        {"B1B2B3B4B5B6B7", 28},
        {"BDGDPDRD", 200},
        {"BSGTPR", 45},
        {"LV", 0},
        {"LP", 5},
        {"LK", 5},
        {"LG", 5},
        {"LB", 5},
        {"R7", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hand);
        clsPlayer player;
        Deal(player, c.hand);
        EXPECT_EQ(player.ScoreHand(), c.points);
    }
    // The whole deck: numbered 4 x 2 x 28, evil 4 x 95, Light 16 x 5.
    CardDeck deck;
    LoadVemoCardDeck(deck);
    clsPlayer player;
    for (int position = 1; position <= kDeckSize; ++position) player.AddACard(deck(position));
    EXPECT_EQ(player.ScoreHand(), 224 + 380 + 80);
}

TEST(Player, ScoreOverflowIsReportedAndScoresNothing)
{
    // No real hand comes near the 16-bit limit; a corrupt one must not wrap round.
    const auto dir = std::filesystem::temp_directory_path() /
                     ("vemo-player-test-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    SetErrorLogDirectory(dir);

    clsPlayer player;
    for (int k = 0; k < 700; ++k) player.AddACard(CardCode("BD")); // 35000 points
    const auto score = player.ScoreHand();

    SetErrorLogDirectory(".");
    std::ifstream in(dir / "error.log", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove_all(dir);

    EXPECT_EQ(score, 0);
    EXPECT_NE(log.find("Error #6 "), std::string::npos);
    EXPECT_NE(log.find("proc = ScoreHand\r\n"), std::string::npos);
}

TEST(Player, FindSpecificCOL)
{
    const struct {
        const char* hand;
        char value;
        bool found;
    } cases[] = {
        {"B1LGR3", 'G', true},
        {"G1G2G3G4G5G6G7", 'G', false},
        {"", 'G', false},
        {"LV", 'V', true},
        {"B5B6", 'B', false}, // the colour letter is not the value
        {"B5LB", 'B', true},
        {"LPLP", 'P', true},
        {"P1P2", 'P', false},
        {"LK", 'G', false},
        {"R5", '5', true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hand) + " " + c.value);
        clsPlayer player;
        Deal(player, c.hand);
        EXPECT_EQ(player.FindSpecificCOL(c.value), c.found);
    }
}
