// The card rules: shuffling, the computer's card choice, eligibility and the
// colour choice. Inputs are generated up front from a fixed seed so that the
// timed loops measure only the rule itself.

#include "Deck.h"
#include "RandomInteger.h"
#include "TableState.h"
#include "ValidCard.h"
#include "clsPlayer.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace {

using namespace vemo;

constexpr std::size_t kScenarios = 4096; // a power of two: the index wraps with a mask

CardDeck Catalogue()
{
    CardDeck deck;
    LoadVemoCardDeck(deck);
    return deck;
}

// The pile as a computer player sees it: after a Card of Light the colour in
// force is a chosen colour while the value is the Light card's letter.
struct Pile {
    CardCode top; // the card really played
    char colour;
    char value;
    bool special;
};

Pile PileOf(CardCode top)
{
    constexpr char kColours[] = {'B', 'G', 'P', 'R'};
    const char colour = IsLight(top) ? kColours[RandomInteger(3, 0)] : top.Colour();
    // A word card still demands an answer about half the time it is seen.
    const bool special = !IsNumbered(top) && top.Value() != 'V' && RandomInteger(1, 0) == 1;
    return {top, colour, top.Value(), special};
}

struct Decision {
    std::unique_ptr<clsPlayer> player;
    Pile pile;
    int next1, next2, next3;
};

// Each hand of 1..12 cards and its pile come from a freshly shuffled deck, as in play.
std::vector<Decision> MakeDecisions()
{
    SeedRandom(1234);
    CardDeck deck = Catalogue();
    std::vector<Decision> decisions;
    decisions.reserve(kScenarios);
    for (std::size_t k = 0; k < kScenarios; ++k) {
        ShuffleFullDeck(deck);
        const int size = RandomInteger(12, 1);
        Decision d{std::make_unique<clsPlayer>(), PileOf(deck(size + 1)), RandomInteger(12, 1),
                   RandomInteger(12, 1), RandomInteger(12, 1)};
        d.player->PlayingStyle(static_cast<std::int16_t>(k % 4 + 1));
        for (int position = 1; position <= size; ++position) d.player->AddACard(deck(position));
        decisions.push_back(std::move(d));
    }
    return decisions;
}

void BM_ShuffleFullDeck(benchmark::State& state)
{
    SeedRandom(42);
    CardDeck deck = Catalogue();
    for (auto _ : state) {
        ShuffleFullDeck(deck);
        benchmark::DoNotOptimize(deck);
    }
    state.SetItemsProcessed(state.iterations());
    UnseedRandom();
}
BENCHMARK(BM_ShuffleFullDeck);

void BM_GetCardToPlay(benchmark::State& state)
{
    const std::vector<Decision> decisions = MakeDecisions();
    SeedRandom(99); // style 4 draws; seeded keeps runs comparable
    std::size_t k = 0;
    for (auto _ : state) {
        const Decision& d = decisions[k++ & (kScenarios - 1)];
        CardCode answer =
            d.player->GetCardToPlay(d.pile.colour, d.pile.value, d.next1, d.next2, d.next3, d.pile.special);
        benchmark::DoNotOptimize(answer);
    }
    state.SetItemsProcessed(state.iterations());
    UnseedRandom();
}
BENCHMARK(BM_GetCardToPlay);

void BM_ValidCard(benchmark::State& state)
{
    SeedRandom(7);
    const CardDeck catalogue = Catalogue();
    struct Check {
        CardCode card;
        TableState table;
    };
    std::vector<Check> checks(kScenarios);
    for (Check& c : checks) {
        c.card = catalogue(RandomInteger(kDeckSize, 1));
        const Pile pile = PileOf(catalogue(RandomInteger(kDeckSize, 1)));
        c.table.CurrTurn = 4; // the human's own turn: a refusal is silent
        c.table.CurrColor = pile.colour;
        c.table.ActualCurrCard = pile.top;
        c.table.VemoAfterPrayer = RandomInteger(31, 0) == 0;
    }
    UnseedRandom();
    std::size_t k = 0;
    for (auto _ : state) {
        const Check& c = checks[k++ & (kScenarios - 1)];
        bool valid = ValidCard(c.card, "", c.table);
        benchmark::DoNotOptimize(valid);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ValidCard);

void BM_PickColor(benchmark::State& state)
{
    std::vector<Decision> decisions = MakeDecisions();
    SeedRandom(5); // an all-Light hand draws a colour
    std::size_t k = 0;
    for (auto _ : state) {
        char colour = decisions[k++ & (kScenarios - 1)].player->PickColor();
        benchmark::DoNotOptimize(colour);
    }
    state.SetItemsProcessed(state.iterations());
    UnseedRandom();
}
BENCHMARK(BM_PickColor);

} // namespace
