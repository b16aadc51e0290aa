// Whole games through the simulator, with the table checked after every
// event: every card accounted for between deck, hands and pile, the table's
// images in step with the hands, the turn on a seat, scores that only grow
// (but for the Vemo deduction), and every game ending at its limit.

#include "ScriptedView.h"
#include "SimRunner.h"

using namespace vemo;

namespace {

// One slot per distinct card: colour B, G, P, R, L times value 1..7, D, R, S, T, V, B, G, K, P.
constexpr std::string_view kColours = "BGPRL";
constexpr std::string_view kValues = "1234567DRSTVBGKP";
constexpr int kSlots = 5 * 16;

int Slot(CardCode card)
{
    const auto colour = kColours.find(card.Colour());
    const auto value = kValues.find(card.Value());
    if (colour == std::string_view::npos || value == std::string_view::npos) return -1;
    return static_cast<int>(colour * 16 + value);
}

using Counts = std::array<int, kSlots>;

const Counts& CatalogueCounts()
{
    static const Counts counts = [] {
        Counts c{};
        CardDeck deck;
        LoadVemoCardDeck(deck);
        for (int p = 1; p <= kDeckSize; ++p) ++c[static_cast<std::size_t>(Slot(deck(p)))];
        return c;
    }();
    return counts;
}

class TableChecker {
public:
    TableChecker(HeadlessTableView& view, GameEngine& engine) : view_(view), engine_(engine) {}

    void On(const HeadlessEvent& event)
    {
        switch (event.kind) {
        case HeadlessEvent::CardDealtToPile:
            pile_.assign(1, event.card);
            rebuilds_ = 0;
            started_ = true;
            break;
        case HeadlessEvent::CardPlaced:
            // The card is on the pile but still in the hand: check at the next event.
            pile_.push_back(event.card);
            return;
        case HeadlessEvent::DeckRebuilt: ++rebuilds_; break;
        default: break;
        }
        if (failure_.empty() && started_) Check();
    }

    const std::string& Failure() const { return failure_; }
    long long Checks() const { return checks_; }

private:
    void Fail(std::string text)
    {
        if (failure_.empty()) failure_ = std::move(text) + " (after " + std::to_string(checks_) + " checks)";
    }

    void Check()
    {
        ++checks_;
        const GameState& s = engine_.State();
        if (s.Players.Count() != 4) return Fail("a game without four players");
        if (s.CurrTurn < 1 || s.CurrTurn > 4) return Fail("CurrTurn " + std::to_string(s.CurrTurn));

        Counts counts{};
        auto count = [&](CardCode card, const char* where) {
            const int slot = Slot(card);
            if (slot < 0) {
                Fail(std::string("unknown card '") + card.ToString() + "' in " + where);
                return;
            }
            ++counts[static_cast<std::size_t>(slot)];
        };

        const CardDeck& deck = s.Deck;
        if (deck.DeckPosition < 1 || deck.DeckPosition > kDeckSize)
            return Fail("DeckPosition " + std::to_string(deck.DeckPosition));
        for (int p = 1; p <= kDeckSize; ++p) {
            const CardCode card = deck.Deck[static_cast<std::size_t>(p)];
            const bool blank = card.IsBlank();
            // A refill takes the pile's card out of position 1; after a colour
            // choice the pile shows no card ("B*"), so position 1 stays, unused.
            const bool unusedAfterRefill = p == 1 && rebuilds_ > 0;
            if (p < deck.DeckPosition && !blank && !unusedAfterRefill)
                return Fail("drawn deck position " + std::to_string(p) + " not blank");
            if (p >= deck.DeckPosition) {
                if (blank) return Fail("deck position " + std::to_string(p) + " blank before it was drawn");
                count(card, "the deck");
            }
        }
        for (int seat = 1; seat <= 4; ++seat) {
            const clsPlayer& player = s.Players(seat);
            for (CardCode c : player.Hand()) count(c, "a hand");
            if (view_.CardImages(seat) != player.NumberOfCards())
                return Fail("seat " + std::to_string(seat) + " shows " + std::to_string(view_.CardImages(seat)) +
                            " images for " + std::to_string(player.NumberOfCards()) + " cards");
        }
        for (CardCode c : pile_) count(c, "the pile");
        if (!failure_.empty()) return;

        Counts faces{};
        Counts hand{};
        for (CardCode c : s.HumanFaces) ++faces[static_cast<std::size_t>(std::max(Slot(c), 0))];
        for (CardCode c : s.Players(4).Hand()) ++hand[static_cast<std::size_t>(std::max(Slot(c), 0))];
        if (faces != hand || s.HumanFaces.size() != s.Players(4).Hand().size())
            return Fail("the human's faces differ from the hand");

        const Counts& catalogue = CatalogueCounts();
        for (std::size_t k = 0; k < counts.size(); ++k) {
            // A refill brings a whole fresh deck while the old cards are still out.
            const int allowed = catalogue[k] * (rebuilds_ + 1);
            if (rebuilds_ == 0 ? counts[k] != catalogue[k] : counts[k] > allowed)
                return Fail("card slot " + std::to_string(k) + " counted " + std::to_string(counts[k]) +
                            " times, catalogue " + std::to_string(catalogue[k]) + ", refills " +
                            std::to_string(rebuilds_));
        }

        for (int seat = 1; seat <= 4; ++seat) {
            const int before = lastScores_[static_cast<std::size_t>(seat)];
            const int now = s.Scores[seat];
            if (now < before && before - now != 25)
                return Fail("seat " + std::to_string(seat) + " score fell from " + std::to_string(before) + " to " +
                            std::to_string(now));
        }
        lastScores_ = s.Scores;
    }

    HeadlessTableView& view_;
    GameEngine& engine_;
    std::vector<CardCode> pile_;
    int rebuilds_ = 0;
    bool started_ = false;
    std::array<std::int16_t, 5> lastScores_{};
    long long checks_ = 0;
    std::string failure_;
};

struct SoakCase {
    std::int16_t limit;
    int games;
};

void PrintTo(const SoakCase& c, std::ostream* os) { *os << c.games << " games to " << c.limit; }

class Soak : public ::testing::TestWithParam<SoakCase> {};

TEST_P(Soak, EveryEventLeavesTheTableConsistent)
{
    const SoakCase& c = GetParam();
    const std::array<std::array<std::int16_t, 4>, 5> styleSets = {
        {{1, 2, 3, 4}, {4, 3, 2, 1}, {1, 1, 1, 1}, {3, 3, 3, 3}, {2, 4, 1, 3}}};
    test::ErrorRecorder errors;
    SetErrorLogDirectory(::testing::TempDir());
    SetErrorReportHandler(&errors);

    long long checks = 0;
    for (int game = 0; game < c.games; ++game) {
        SimOptions options;
        options.seed = 20'000u + static_cast<std::uint64_t>(c.limit);
        options.limit = c.limit;
        options.styles = styleSets[static_cast<std::size_t>(game) % styleSets.size()];
        options.sound = game % 2 == 0;
        std::shared_ptr<TableChecker> checker;
        const GameResult result = PlayOneGame(options, game, [&](HeadlessTableView& view, GameEngine& engine) {
            checker = std::make_shared<TableChecker>(view, engine);
            view.Observer = [checker](const HeadlessEvent& event) { checker->On(event); };
        });
        ASSERT_TRUE(checker);
        EXPECT_EQ(checker->Failure(), "") << "game " << game;
        checks += checker->Checks();
        EXPECT_TRUE(result.finished) << "game " << game;
        const auto top = *std::max_element(result.scores.begin() + 1, result.scores.end());
        EXPECT_GE(top, c.limit) << "game " << game;
        if (HasFailure()) break;
    }
    SetErrorReportHandler(nullptr);
    EXPECT_TRUE(errors.errors.empty()) << errors.errors.front();
    EXPECT_GT(checks, c.games * 100LL);
}

// 2,000 games in all, fewer of the long ones.
INSTANTIATE_TEST_SUITE_P(Limits, Soak,
                         ::testing::Values(SoakCase{50, 800}, SoakCase{100, 700}, SoakCase{200, 380},
                                           SoakCase{500, 120}),
                         [](const auto& info) { return "Limit" + std::to_string(info.param.limit); });

} // namespace
