#include "SimRunner.h"

#include "Autopilot.h"
#include "RandomInteger.h"

namespace vemo {

namespace {

class NoRecords final : public GameRecords {
public:
    Task<void> SaveGame() override { co_return; }
    Task<bool> ResumeSavedGame(std::int32_t) override { co_return false; }
};

// The end of a game: nothing to save, no results window, no second game.
class SimShell final : public GameShell {
public:
    Task<void> ExitAll(std::string) override
    {
        if (state) state->ExitInProgress = true;
        ended = true;
        co_return;
    }
    GameState* state = nullptr;
    bool ended = false;
};

// A game that has not ended after this many pauses is stuck.
constexpr long long kMaxPauses = 2'000'000;

} // namespace

GameResult PlayOneGame(const SimOptions& options, int gameNumber, const GameHook& hook,
                       Autopilot::Counts* pathsTaken)
{
    SeedRandom(options.seed * 1'000'003ull + static_cast<std::uint64_t>(gameNumber));

    HeadlessTableView view;
    NoRecords records;
    SimShell shell;
    GameEngine engine(view, records, shell);
    shell.state = &engine.State();
    Autopilot autopilot(engine, view, options.seed ^ (0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(gameNumber + 1)),
                        options.styles[3]);
    view.Attach(engine, &autopilot);
    view.SetSound(options.sound);

    GameSetupChoice& setup = view.Setup;
    setup.HumanName = "Autopilot";
    for (int seat = 1; seat <= 3; ++seat) {
        auto& opponent = setup.Opponents[static_cast<std::size_t>(seat - 1)];
        opponent.PlayerName = "Computer " + std::to_string(seat);
        opponent.PlayingStyle = options.styles[static_cast<std::size_t>(seat - 1)];
        opponent.WAVnumber = static_cast<std::int16_t>(seat * 3); // 3, 6 and 9
    }
    setup.ScoreLimit = options.limit;
    if (hook) hook(view, engine);

    // As the program's start-up does before the table first shows.
    LoadVemoCardDeck(engine.State().Deck);
    ShuffleFullDeck(engine.State().Deck);
    engine.Start(engine.Form_Activate());
    while (view.TakeStartTimer() && !shell.ended && view.Pauses() < kMaxPauses) engine.tmrStartPlay_Timer();

    GameResult result;
    const GameState& state = engine.State();
    result.finished = shell.ended && state.GameRequest == "END_GAME";
    result.hands = view.HandsDealt();
    result.cardsPlayed = view.CardsPlayed();
    result.pauses = view.Pauses();
    int best = 1;
    for (int seat = 1; seat <= 4; ++seat) {
        result.scores[static_cast<std::size_t>(seat)] = state.Scores[seat];
        if (state.Scores[seat] < state.Scores[best]) best = seat;
    }
    result.winner = best;
    if (pathsTaken) *pathsTaken = autopilot.Taken();
    return result;
}

std::uint64_t Checksum(const std::vector<GameResult>& results)
{
    std::uint64_t hash = 0xcbf29ce484222325ull; // FNV-1a
    auto mix = [&hash](std::int64_t value) {
        for (int k = 0; k < 8; ++k) {
            hash ^= static_cast<std::uint64_t>(value >> (8 * k)) & 0xFF;
            hash *= 0x100000001b3ull;
        }
    };
    for (const GameResult& r : results) {
        mix(r.winner);
        for (int seat = 1; seat <= 4; ++seat) mix(r.scores[static_cast<std::size_t>(seat)]);
        mix(r.hands);
        mix(r.cardsPlayed);
    }
    return hash;
}

} // namespace vemo
