// Whole games at full speed, as the simulator and the soak test play them.

#include "RandomInteger.h"
#include "SimRunner.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vemo;

// Complete 100-point games; items per second is games per second.
void BM_CompleteGame100(benchmark::State& state)
{
    SimOptions options;
    options.limit = 100;
    int game = 0;
    long long cards = 0;
    for (auto _ : state) {
        const GameResult result = PlayOneGame(options, game++);
        cards += result.cardsPlayed;
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["cardsPerGame"] = benchmark::Counter(static_cast<double>(cards) / static_cast<double>(game));
}
BENCHMARK(BM_CompleteGame100)->Unit(benchmark::kMillisecond);

// A fresh table: four seats, the shuffle, the deal and the first three
// computer turns (the human's seat is passed over; the autopilot answers
// when a computer asks it for a card).
void BM_DealAndFirstTurns(benchmark::State& state)
{
    class NoRecords final : public GameRecords {
    public:
        Task<void> SaveGame() override { co_return; }
        Task<bool> ResumeSavedGame(std::int32_t) override { co_return false; }
    } records;
    class NoShell final : public GameShell {
    public:
        Task<void> ExitAll(std::string) override { co_return; }
    } shell;

    GameSetupChoice choice;
    choice.HumanName = "Bench";
    for (int seat = 1; seat <= 3; ++seat) {
        auto& opponent = choice.Opponents[static_cast<std::size_t>(seat - 1)];
        opponent.PlayerName = "Computer " + std::to_string(seat);
        opponent.PlayingStyle = static_cast<std::int16_t>(seat);
        opponent.WAVnumber = static_cast<std::int16_t>(seat * 3);
    }
    SeedRandom(1);
    for (auto _ : state) {
        HeadlessTableView view;
        GameEngine engine(view, records, shell);
        Autopilot autopilot(engine, view, 1, 1);
        view.Attach(engine, &autopilot);
        LoadVemoCardDeck(engine.State().Deck);
        ShuffleFullDeck(engine.State().Deck);
        auto setUp = [](GameEngine& e, GameSetupChoice c) -> Task<void> {
            const bool started = co_await e.SetParametersForThisGame(c);
            benchmark::DoNotOptimize(started);
        };
        engine.Start(setUp(engine, choice));
        for (int turn = 0; turn < 4; ++turn) {
            const int seat = engine.State().CurrTurn;
            if (seat >= 1 && seat <= 3) engine.Start(engine.ComputerPlayersTurn(seat));
            engine.NextTurn();
        }
        benchmark::DoNotOptimize(engine.State().CurrCard);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DealAndFirstTurns)->Unit(benchmark::kMicrosecond);

} // namespace
