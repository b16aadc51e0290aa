// vemo-sim: plays whole games of Vemo at full speed, the three computer
// players against the autopilot at seat 4, and reports the results.

#include "SimRunner.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Usage()
{
    std::puts("Usage: vemo-sim [--games N] [--seed S] [--styles a,b,c,d] [--limit 50|100|200|500] [--json]\n"
              "Plays N games of Vemo without a window. Seats 1 to 3 play computer styles a, b and c\n"
              "(1 to 4, or 5 for the Expert); seat 4 is the autopilot, choosing its cards by style d (1 to 4).\n"
              "The same seed plays the same games.");
}

bool ParseStyles(const char* text, std::array<std::int16_t, 4>& styles)
{
    int values[4];
    if (std::sscanf(text, "%d,%d,%d,%d", &values[0], &values[1], &values[2], &values[3]) != 4) return false;
    for (int k = 0; k < 4; ++k) {
        // The Expert sits in seats 1 to 3; the autopilot plays the human's way by styles 1 to 4.
        if (values[k] < 1 || values[k] > (k < 3 ? 5 : 4)) return false;
        styles[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(values[k]);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    vemo::SimOptions options;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage();
            return 0;
        } else if (arg == "--games" && value) {
            options.games = std::atoi(value);
            ++i;
        } else if (arg == "--seed" && value) {
            options.seed = std::strtoull(value, nullptr, 10);
            ++i;
        } else if (arg == "--styles" && value && ParseStyles(value, options.styles)) {
            ++i;
        } else if (arg == "--limit" && value &&
                   (!std::strcmp(value, "50") || !std::strcmp(value, "100") || !std::strcmp(value, "200") ||
                    !std::strcmp(value, "500"))) {
            options.limit = static_cast<std::int16_t>(std::atoi(value));
            ++i;
        } else {
            std::fprintf(stderr, "vemo-sim: bad argument '%s'\n", arg.c_str());
            Usage();
            return 2;
        }
    }
    if (options.games < 1) {
        std::fprintf(stderr, "vemo-sim: --games must be at least 1\n");
        return 2;
    }

    std::vector<vemo::GameResult> results;
    results.reserve(static_cast<std::size_t>(options.games));
    std::array<int, 5> wins{};
    long long cards = 0, hands = 0;
    int unfinished = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int game = 0; game < options.games; ++game) {
        results.push_back(vemo::PlayOneGame(options, game));
        const vemo::GameResult& r = results.back();
        ++wins[static_cast<std::size_t>(r.winner)];
        cards += r.cardsPlayed;
        hands += r.hands;
        if (!r.finished) ++unfinished;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double perSecond = seconds > 0 ? options.games / seconds : 0.0;
    const unsigned long long checksum = vemo::Checksum(results);

    if (json) {
        std::printf("{\"games\":[");
        for (std::size_t g = 0; g < results.size(); ++g) {
            const vemo::GameResult& r = results[g];
            std::printf("%s\n{\"game\":%zu,\"winner\":%d,\"scores\":[%d,%d,%d,%d],\"hands\":%d,\"cardsPlayed\":%d,"
                        "\"finished\":%s}",
                        g ? "," : "", g + 1, r.winner, r.scores[1], r.scores[2], r.scores[3], r.scores[4], r.hands,
                        r.cardsPlayed, r.finished ? "true" : "false");
        }
        std::printf("\n],\"totals\":{\"games\":%d,\"seed\":%llu,\"limit\":%d,\"styles\":[%d,%d,%d,%d],"
                    "\"wins\":[%d,%d,%d,%d],\"hands\":%lld,\"cardsPlayed\":%lld,\"unfinished\":%d,"
                    "\"seconds\":%.3f,\"gamesPerSecond\":%.0f,\"checksum\":\"%016llx\"}}\n",
                    options.games, static_cast<unsigned long long>(options.seed), options.limit, options.styles[0],
                    options.styles[1], options.styles[2], options.styles[3], wins[1], wins[2], wins[3], wins[4],
                    hands, cards, unfinished, seconds, perSecond, checksum);
    } else {
        std::printf("%d games, seed %llu, limit %d, styles %d,%d,%d,%d\n", options.games,
                    static_cast<unsigned long long>(options.seed), options.limit, options.styles[0],
                    options.styles[1], options.styles[2], options.styles[3]);
        for (int seat = 1; seat <= 4; ++seat)
            std::printf("  seat %d (%s) won %d\n", seat, seat == 4 ? "autopilot" : "computer", wins[static_cast<std::size_t>(seat)]);
        std::printf("  %lld hands, %lld cards played, %d unfinished\n", hands, cards, unfinished);
        std::printf("  %.3f s, %.0f games per second, checksum %016llx\n", seconds, perSecond, checksum);
    }
    return unfinished ? 1 : 0;
}
