// The Expert plays fair: tables that differ only in cards its seat cannot see
// (the other hands and the order of the deck) give it the same knowledge and
// the same decision. And whole games with it end as games should. (What its
// game log says is a row of the game events' strategy table.)
#include "ExpertStrategy.h"
#include "ScriptedView.h"
#include "SimRunner.h"

#include <random>

using namespace vemo;
using namespace vemo::test;

namespace {

std::string Codes(const std::vector<CardCode>& cards, std::size_t from, std::size_t count)
{
    std::string text;
    for (std::size_t k = from; k < from + count; ++k) text += cards[k].ToString() + " ";
    return text;
}

TEST(ExpertFairness, HiddenCardsNeverChangeItsDecision)
{
    std::mt19937 rng(5);
    CardDeck catalogue;
    LoadVemoCardDeck(catalogue);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::vector<CardCode> cards(catalogue.Deck.begin() + 1, catalogue.Deck.end());
        std::shuffle(cards.begin(), cards.end(), rng);
        const auto pile = std::find_if(cards.begin(), cards.end(), [](CardCode c) { return !IsLight(c); });
        std::iter_swap(cards.begin(), pile);
        const std::size_t own = 1 + rng() % 9;
        const std::array<std::size_t, 3> held{1 + rng() % 8, 1 + rng() % 8, 1 + rng() % 8};
        const bool pending = IsEvil(cards[0]) && rng() % 2;

        std::vector<SeatKnowledge> known;
        std::vector<std::pair<GameEventKind, CardCode>> decided;
        for (int variant = 0; variant < 2; ++variant) {
            // The unseen cards, dealt out in another order.
            std::vector<CardCode> hidden(cards.begin() + 1 + static_cast<std::ptrdiff_t>(own), cards.end());
            std::shuffle(hidden.begin(), hidden.end(), rng);
            Table t;
            t.Player(1).PlayingStyle(kExpertStyle);
            t.Give(1, Codes(cards, 1, own));
            std::size_t next = 0;
            for (int seat = 2; seat <= 4; ++seat) {
                t.Give(seat, Codes(hidden, next, held[static_cast<std::size_t>(seat - 2)]));
                next += held[static_cast<std::size_t>(seat - 2)];
            }
            t.Stack(Codes(hidden, next, 20));
            t.Pile(cards[0], pending);
            t.State().CurrTurn = 1;
            known.push_back(t.Engine().KnowledgeOf(1));
            t.Engine().Start(t.Engine().ComputerPlayersTurn(1));
            const auto& events = t.view.events;
            const auto first = std::find_if(events.begin(), events.end(), [](const GameEvent& e) {
                return e.Seat == 1 && (e.Kind == GameEventKind::CardPlayed || e.Kind == GameEventKind::CardsDrawn);
            });
            ASSERT_NE(first, events.end());
            // A drawn card is the deck's, not a decision: only its count is compared.
            decided.emplace_back(first->Kind, first->Kind == GameEventKind::CardPlayed ? first->Card : CardCode());
        }
        EXPECT_TRUE(known[0] == known[1]);
        EXPECT_EQ(decided[0], decided[1]);
    }
}

TEST(ExpertFairness, WholeGamesWithExpertsEndAtTheLimit)
{
    SimOptions options;
    options.styles = {5, 1, 5, 2};
    for (int game = 0; game < 40; ++game) EXPECT_TRUE(PlayOneGame(options, game).finished) << "game " << game;
}

} // namespace
