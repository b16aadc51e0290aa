// One seat at the table: the hand in order of arrival, the table display kept
// in step, and the penalty points left in a hand.

#include "Deck.h"
#include "clsPlayer.h"

#include <gtest/gtest.h>


using namespace vemo;

namespace {

// What the table window was asked to do, in order.
struct RecordingDisplay : HandDisplay {
    void PlaceCardOnTable(int seat, CardCode card, int from) override
    {
        events.push_back("place " + std::to_string(seat) + " " + card.ToString() + " " + std::to_string(from));
    }
    void RemoveCardFromTable(int seat) override { events.push_back("remove " + std::to_string(seat)); }
    void RemoveHumanCard(CardCode card, int faceCount) override
    {
        // The faces are updated while the card is still in the hand.
        events.push_back("human " + card.ToString() + " " + std::to_string(faceCount) + " of " +
                         std::to_string(player ? player->NumberOfCards() : -1));
    }
    std::vector<std::string> events;
    const clsPlayer* player = nullptr;
};

// A player holding the cards of "B5G2B5", without a display.
clsPlayer Holding(std::string_view text, int seat = 0)
{
    clsPlayer player;
    player.GameSequence(static_cast<std::int16_t>(seat));
    player.Human(seat == 4);
    for (std::size_t k = 0; k + 1 < text.size(); k += 2) player.AddACard(CardCode(text.substr(k, 2)));
    return player;
}

} // namespace

TEST(Player, AddACardIsShownRemoveAllCardsIsNotAndTheStoredFormReadsBack)
{
    clsPlayer player = Holding("", 2);
    RecordingDisplay display;
    player.AttachDisplay(&display);
    player.AddACard(CardCode("B5"));
    player.AddACard(CardCode("LV"), 3); // moved from seat 3's hand
    player.AddACard(CardCode("B5"), 0);
    EXPECT_EQ(player.GetAllCards(), "B5LVB5");
    EXPECT_EQ(display.events, (std::vector<std::string>{"place 2 B5 0", "place 2 LV 3", "place 2 B5 0"}));
    EXPECT_EQ(Holding(player.GetAllCards()).Hand(), player.Hand());
    // Emptying the hand, even twice, leaves the display alone.
    display.events.clear();
    player.RemoveAllCards();
    player.RemoveAllCards();
    EXPECT_EQ(std::pair(player.GetAllCards(), player.NumberOfCards()), std::pair(std::string(), std::int16_t{0}));
    EXPECT_TRUE(display.events.empty());
}

TEST(Player, RemoveACardTakesTheEarliestCopyAndACardNotHeldIsAFault)
{
    const struct {
        const char *hand, *card;
        const char* left; // null: not held, a fault that changes nothing
    } cases[] = {
        {"B5G2B5", "B5", "G2B5"}, {"B5G2B5", "G2", "B5B5"}, {"LV", "LV", ""}, {"LPLGLPLG", "LG", "LPLPLG"},
        {"B5G2", "B6", nullptr},  {"B5", "5B", nullptr},
    };
    for (const auto& c : cases) {
        for (int seat : {0, 3, 4}) { // 0: without a display the hand changes silently
            SCOPED_TRACE(std::string(c.hand) + " - " + c.card + " at seat " + std::to_string(seat));
            clsPlayer player = Holding(c.hand, seat);
            RecordingDisplay display;
            display.player = &player;
            if (seat) player.AttachDisplay(&display);
            const std::string before = std::to_string(player.NumberOfCards());
            if (!c.left) {
                EXPECT_ANY_THROW(player.RemoveACard(CardCode(c.card)));
                EXPECT_EQ(player.GetAllCards(), c.hand);
                EXPECT_TRUE(display.events.empty());
                continue;
            }
            player.RemoveACard(CardCode(c.card));
            EXPECT_EQ(player.GetAllCards(), c.left);
            const std::vector<std::string> shown[] = {
                {}, {}, {}, {"remove 3"}, {"human " + std::string(c.card) + " " + before + " of " + before}};
            EXPECT_EQ(display.events, shown[seat]);
        }
    }
}

TEST(Player, ScoreHandAndFindSpecificCOL)
{
    const struct { const char* hand; int points; } scores[] = {
        {"", 0}, {"LVLV", 0}, {"GDRSP7", 82}, {"BTGRLBLKLGLP", 40}, {"B1B2B3B4B5B6B7", 28}, {"BSGTPR", 45},
    };
    for (const auto& c : scores) EXPECT_EQ(Holding(c.hand).ScoreHand(), c.points) << c.hand;
    // The whole deck: numbered 4 x 2 x 28, evil 4 x 95, Light 16 x 5.
    CardDeck deck;
    LoadVemoCardDeck(deck);
    clsPlayer player;
    for (int position = 1; position <= kDeckSize; ++position) player.AddACard(deck(position));
    EXPECT_EQ(player.ScoreHand(), 224 + 380 + 80);

    const struct { const char* hand; char value; bool found; } lights[] = {
        {"B1LGR3", 'G', true}, {"G1G2G3G4G5G6G7", 'G', false}, {"", 'G', false}, {"LK", 'G', false}, {"R5", '5', true},
    };
    for (const auto& c : lights) EXPECT_EQ(Holding(c.hand).FindSpecificCOL(c.value), c.found) << c.hand << " " << c.value;
}
