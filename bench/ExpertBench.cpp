// The Expert's decisions: how many it makes a second, and how long the
// slowest of a varied set takes (it must decide well inside the one-second
// pause before a computer's card). Situations are generated up front from a
// fixed seed: hands of 1 to 14 cards, up to 60 cards already seen, evil cards
// pending now and then.

#include "Deck.h"
#include "ExpertStrategy.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

namespace {

using namespace vemo;

std::vector<SeatKnowledge> Situations(std::size_t count)
{
    std::mt19937 rng(3);
    CardDeck deck;
    LoadVemoCardDeck(deck);
    std::vector<SeatKnowledge> all;
    for (std::size_t n = 0; n < count; ++n) {
        std::vector<CardCode> cards(deck.Deck.begin() + 1, deck.Deck.end());
        std::shuffle(cards.begin(), cards.end(), rng);
        std::iter_swap(cards.begin(), std::find_if(cards.begin(), cards.end(), [](CardCode c) { return !IsLight(c); }));
        SeatKnowledge k;
        k.Seat = 1 + static_cast<int>(rng() % 3);
        k.Direction = rng() % 2 ? 'R' : 'L';
        k.Pile = k.ActualPile = cards[0];
        k.Colour = k.Pile.Colour();
        k.SpecialAction = IsEvil(k.Pile) && rng() % 3 == 0;
        const std::size_t own = 1 + rng() % 14;
        k.Hand.assign(cards.begin() + 1, cards.begin() + 1 + static_cast<std::ptrdiff_t>(own));
        for (int seat = 1; seat <= 4; ++seat)
            k.Holding[static_cast<std::size_t>(seat)] = static_cast<std::int16_t>(seat == k.Seat ? own : 1 + rng() % 10);
        k.Record.NewHand(k.Pile);
        const std::size_t seen = rng() % 60;
        for (std::size_t s = 0; s < seen && own + 1 + s < cards.size(); ++s)
            k.Record.Played(1 + static_cast<int>(rng() % 4), cards[own + 1 + s]);
        if (rng() % 2) k.Record.Drew(k.SeatAfter(k.Seat), "BGPR"[rng() % 4], true);
        k.DeckLeft = static_cast<int>(5 + rng() % 55);
        all.push_back(std::move(k));
    }
    return all;
}

void BM_ExpertCardToPlay(benchmark::State& state)
{
    const std::vector<SeatKnowledge> situations = Situations(4096);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ExpertCardToPlay(situations[i++ & 4095]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpertCardToPlay);

void BM_ExpertColour(benchmark::State& state)
{
    const std::vector<SeatKnowledge> situations = Situations(4096);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ExpertColour(situations[i++ & 4095]));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpertColour);

// Every situation timed on its own: the median and the slowest, in microseconds.
void BM_ExpertDecisionSpread(benchmark::State& state)
{
    const std::vector<SeatKnowledge> situations = Situations(4096);
    std::vector<double> micros(situations.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < situations.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(ExpertCardToPlay(situations[i]));
            micros[i] = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["max_us"] = micros.back();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(situations.size()));
}
BENCHMARK(BM_ExpertDecisionSpread);

} // namespace
