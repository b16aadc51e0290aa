// The Expert's weighing. Every weight below is in rough penalty points: what a
// choice is expected to save or cost the Expert by the end of the hand.

#include "ExpertStrategy.h"

#include "clsPlayer.h"

#include <algorithm>
#include <cmath>

namespace vemo {
namespace {

constexpr std::array<char, 4> kColours{'B', 'G', 'P', 'R'};

// The cards the seat cannot see (other hands and the deck), by kind.
struct Unseen {
    std::array<int, kCardKinds> count{};
    int total = 0;

    explicit Unseen(const SeatKnowledge& k)
    {
        for (int kind = 0; kind < kCardKinds; ++kind)
            count[static_cast<std::size_t>(kind)] = CopiesInDeck(kind) - k.Record.Seen[static_cast<std::size_t>(kind)];
        for (CardCode c : k.Hand) {
            const int kind = CardKind(c);
            if (kind >= 0) --count[static_cast<std::size_t>(kind)];
        }
        for (int& n : count) {
            n = std::max(n, 0);
            total += n;
        }
    }
    int Of(CardCode card) const
    {
        const int kind = CardKind(card);
        return kind < 0 ? 0 : count[static_cast<std::size_t>(kind)];
    }
    // The chance that a hand of `held` unseen cards holds at least one card of these kinds.
    double ChanceHolds(int copies, int held) const
    {
        if (total <= 0 || copies <= 0 || held <= 0) return 0.0;
        const double p = std::min(1.0, static_cast<double>(copies) / total);
        return 1.0 - std::pow(1.0 - p, held);
    }
};

int SeatBefore(const SeatKnowledge& k, int seat)
{
    int before = seat;
    for (int step = 0; step < 3; ++step) before = k.SeatAfter(before);
    return before;
}

// How near a hand of `held` cards is to going out: 1 for one card, falling off.
double Closeness(int held)
{
    switch (held) {
    case 0:
    case 1: return 1.0;
    case 2: return 0.8;
    case 3: return 0.6;
    case 4: return 0.45;
    default: return 0.3;
    }
}

int EvilDraw(char value)
{
    switch (value) {
    case 'D': return 4;
    case 'S': return 3;
    case 'T':
    case 'R': return 2;
    default: return 0;
    }
}

bool Lacks(const SeatKnowledge& k, int seat, std::uint8_t bits)
{
    return (k.Record.Lacks[static_cast<std::size_t>(seat)] & bits) == bits;
}

// The chance that seat can cancel an evil card with Grace or Prayer.
double ChanceCancels(const SeatKnowledge& k, const Unseen& unseen, int seat)
{
    int copies = 0;
    if (!Lacks(k, seat, LacksGrace)) copies += unseen.Of(CardCode("LG"));
    if (!Lacks(k, seat, LacksPrayer)) copies += unseen.Of(CardCode("LP"));
    return unseen.ChanceHolds(copies, k.Holding[static_cast<std::size_t>(seat)]);
}

// The chance that seat holds a Card of Light an Ask could take.
double ChanceAnswersAsk(const SeatKnowledge& k, const Unseen& unseen, int seat)
{
    int copies = 0;
    for (char kind : {'G', 'B', 'P', 'V'})
        if (!Lacks(k, seat, LackOfLight(kind))) copies += unseen.Of(CardCode('L', kind));
    return unseen.ChanceHolds(copies, k.Holding[static_cast<std::size_t>(seat)]);
}

struct ColourPick {
    char colour = 'B';
    ExpertMotive motive = ExpertMotive::ColourHeldMost;
    double strength = 0.0; // how well the hand follows it
};

ColourPick BestColour(const SeatKnowledge& k, const std::vector<CardCode>& hand, const Unseen& unseen)
{
    const int next = k.SeatAfter(k.Seat);
    ColourPick best;
    double bestScore = -1e9;
    bool anyColoured = false;
    for (char colour : kColours) {
        double held = 0.0;
        for (CardCode c : hand)
            if (c.Colour() == colour) {
                held += 2.0 + CardPoints(c) / 10.0;
                anyColoured = true;
            }
        int left = 0;
        for (char v = '1'; v <= '7'; ++v) left += unseen.Of(CardCode(colour, v));
        const bool nextLacks = Lacks(k, next, LackOfColour(colour));
        const double score = held + (nextLacks ? 3.0 : 0.0) - (k.Record.LastNamed[static_cast<std::size_t>(next)] == colour ? 1.5 : 0.0) -
                             left / 8.0;
        if (score > bestScore) {
            bestScore = score;
            best.colour = colour;
            best.strength = held;
            best.motive = nextLacks && held < 4.0 ? ExpertMotive::ColourNextLacks : ExpertMotive::ColourHeldMost;
        }
    }
    if (!anyColoured && best.motive == ExpertMotive::ColourHeldMost) best.motive = ExpertMotive::ColourLeastLeft;
    return best;
}

// What the rest of the hand can do in colour after this card.
double Follow(const std::vector<CardCode>& rest, char colour, char value)
{
    double follow = 0.0;
    for (CardCode c : rest)
        if (c.Colour() == colour || (!IsLight(c) && c.Value() == value)) follow += 1.0;
    return std::min(follow, 4.0);
}

// Blessings and Graces keep the turn: with only them and one card that may
// end a hand left, the hand ends this turn (the last of them names its colour).
bool GoesOutOnExtraTurns(const std::vector<CardCode>& rest)
{
    int others = 0;
    CardCode last;
    for (CardCode c : rest) {
        if (c == CardCode("LB") || c == CardCode("LG")) continue;
        ++others;
        last = c;
    }
    return others == 0 || (others == 1 && !IsEvil(last) && last.Value() != 'K');
}

struct Scored {
    double value = -1e18;
    ExpertChoice choice;
};


} // namespace

ExpertChoice ExpertCardToPlay(const SeatKnowledge& k)
{
    const Unseen unseen(k);
    const int me = k.Seat;
    const int next = k.SeatAfter(me);
    const int before = SeatBefore(k, me);
    const int held = static_cast<int>(k.Hand.size());
    const char value = k.ActualPile.Value();

    // The opponent closest to going out.
    int closest = next;
    for (int seat = 1; seat <= 4; ++seat)
        if (seat != me && k.Holding[static_cast<std::size_t>(seat)] < k.Holding[static_cast<std::size_t>(closest)])
            closest = seat;
    const int closestHeld = k.Holding[static_cast<std::size_t>(closest)];
    const double urgency = Closeness(closestHeld);

    int cancellers = 0;
    for (CardCode c : k.Hand)
        if (c == CardCode("LG") || c == CardCode("LP")) ++cancellers;

    // An evil card to answer: cancel it when possible, else draw.
    if (k.SpecialAction && IsEvilValue(value)) {
        auto find = [&](const char* code) {
            return std::find(k.Hand.begin(), k.Hand.end(), CardCode(code)) != k.Hand.end();
        };
        const bool grace = find("LG");
        const bool prayer = find("LP");
        ExpertChoice choice{.Motive = ExpertMotive::CancelsEvil, .Count = EvilDraw(value)};
        // A Trial costs a card either way: a Prayer spares the Grace, which keeps the turn elsewhere.
        if (value == 'R') choice.Card = prayer ? CardCode("LP") : grace ? CardCode("LG") : CardCode("**");
        else choice.Card = grace ? CardCode("LG") : prayer ? CardCode("LP") : CardCode("**");
        if (choice.Card == CardCode("**")) choice.Motive = ExpertMotive::NoCanceller;
        else if (held == 1 && value != 'R') choice.Motive = ExpertMotive::GoesOut;
        return choice;
    }

    std::vector<Scored> scored;
    std::vector<CardCode> rest;
    rest.reserve(k.Hand.size());
    for (std::size_t i = 0; i < k.Hand.size(); ++i) {
        const CardCode c = k.Hand[i];
        const bool light = IsLight(c);
        if (!light && c.Colour() != k.Colour && c.Value() != value) continue;
        // The same card twice weighs the same.
        if (std::find(k.Hand.begin(), k.Hand.begin() + static_cast<std::ptrdiff_t>(i), c) !=
            k.Hand.begin() + static_cast<std::ptrdiff_t>(i))
            continue;

        rest.assign(k.Hand.begin(), k.Hand.end());
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i));
        ExpertChoice choice{.Card = c};
        const int points = CardPoints(c);
        // Points still held when someone goes out are lost; the nearer that is, the more shedding them is worth.
        double v = 10.0 + 5.0 * urgency * points;
        double motiveWeight = 0.0;
        if (points >= 10) {
            motiveWeight = urgency * points - 4.0;
            choice.Motive = ExpertMotive::ShedsPoints;
            choice.Concerns = closest;
            choice.Count = points;
        } else {
            choice.Motive = light ? ExpertMotive::NamesColour
                                  : c.Colour() == k.Colour ? ExpertMotive::StaysInColour : ExpertMotive::ChangesColour;
        }
        auto motive = [&](ExpertMotive m, double weight, int seat, int count) {
            if (weight > motiveWeight) {
                motiveWeight = weight;
                choice.Motive = m;
                choice.Concerns = seat;
                choice.Count = count;
            }
        };

        // Going out.
        const bool endsHand = rest.empty() && !IsEvil(c) && c.Value() != 'K';
        if (endsHand) {
            v += 1000.0 + (c == CardCode("LV") ? 25.0 : 0.0);
            motive(c == CardCode("LV") ? ExpertMotive::GoesOutOnVemo : ExpertMotive::GoesOut, 1e9, 0, 0);
        }

        // The colour in force after the card, and how the hand follows it.
        char colour = c.Colour();
        if (light) {
            const ColourPick pick = BestColour(k, rest, unseen);
            colour = pick.colour;
        }
        const double follow = Follow(rest, colour, light ? ' ' : c.Value());
        v += 1.0 * follow;
        const bool nextLacks = Lacks(k, next, LackOfColour(colour));
        if (nextLacks) v += 4.0;

        // The last card left behind.
        if (rest.size() == 1) {
            const CardCode last = rest.front();
            if (IsEvil(last) || last.Value() == 'K') v -= 15.0;
            else if (last == CardCode("LV")) {
                v += 15.0;
                motive(ExpertMotive::KeepsLastCard, 20.0, 0, 0);
            } else if (IsLight(last)) {
                v += 8.0;
                motive(ExpertMotive::KeepsLastCard, 12.0, 0, 0);
            }
        }

        // An evil card makes the next player draw, unless cancelled.
        if (IsEvil(c)) {
            const int draws = EvilDraw(c.Value());
            const double landed = 1.0 - ChanceCancels(k, unseen, next);
            const int nextHeld = k.Holding[static_cast<std::size_t>(next)];
            const double gain = draws * landed * (1.5 + 6.0 * Closeness(nextHeld));
            v += gain;
            if (nextHeld <= 3) motive(ExpertMotive::HitsNext, gain + 2.0, next, nextHeld);
        }

        // A Card of Light can always be played: kept, it spares a draw later on.
        if (light && !rest.empty()) v -= 22.0;
        switch (light ? c.Value() : ' ') {
        case 'V':
            // Worth 0 points and 25 off when it is the last card: keep it for last.
            if (!rest.empty()) v -= 14.0;
            break;
        case 'B':
        case 'G':
            if (!rest.empty()) {
                v += 7.0;
                motive(ExpertMotive::PlaysAgain, 5.0, 0, 0);
            }
            if (c.Value() == 'G' && cancellers == 1 && !rest.empty()) v -= 3.0 + 6.0 * Closeness(held);
            if (!rest.empty() && GoesOutOnExtraTurns(rest)) {
                v += 1000.0 + (std::find(rest.begin(), rest.end(), CardCode("LV")) != rest.end() ? 25.0 : 0.0);
                motive(ExpertMotive::GoesOutThisTurn, 1e8, 0, 0);
            }
            break;
        case 'P': {
            // The player before becomes the next one.
            const double turn = 10.0 * (Closeness(k.Holding[static_cast<std::size_t>(next)]) -
                                        Closeness(k.Holding[static_cast<std::size_t>(before)]));
            v += turn;
            if (turn > 2.0) motive(ExpertMotive::TurnsAway, turn + 2.0, next, k.Holding[static_cast<std::size_t>(next)]);
            if (cancellers == 1 && !rest.empty()) v -= 3.0 + 6.0 * Closeness(held);
            break;
        }
        case 'K': {
            const double answers = ChanceAnswersAsk(k, unseen, next);
            const int nextHeld = k.Holding[static_cast<std::size_t>(next)];
            // A next player with one Card of Light left goes out by handing it over.
            const double gain = nextHeld <= 1 ? -60.0 * answers : (1.0 - answers) * 9.0 - answers * 3.0;
            v += gain;
            if (gain > 3.0) motive(ExpertMotive::AsksNext, gain, next, nextHeld);
            if (rest.empty()) v -= 12.0;
            break;
        }
        default:
            break;
        }

        // Holding back a Grace or Prayer, or a Vemo, while something else goes.
        if (!light && cancellers > 0 && closestHeld <= 2)
            motive(std::find(rest.begin(), rest.end(), CardCode("LG")) != rest.end() ? ExpertMotive::KeepsGrace
                                                                                     : ExpertMotive::KeepsPrayer,
                   3.0, closest, closestHeld);
        if (c != CardCode("LV") && rest.size() >= 2 && std::find(rest.begin(), rest.end(), CardCode("LV")) != rest.end())
            motive(ExpertMotive::KeepsVemo, 0.5, 0, 0);

        scored.push_back({v, choice});
    }

    if (scored.empty()) return {.Card = CardCode("**"), .Motive = ExpertMotive::NothingPlayable};
    const auto best = std::max_element(scored.begin(), scored.end(),
                                       [](const Scored& a, const Scored& b) { return a.value < b.value; });
    return best->choice;
}

ExpertChoice ExpertColour(const SeatKnowledge& k)
{
    const Unseen unseen(k);
    const ColourPick pick = BestColour(k, k.Hand, unseen);
    return {.Colour = pick.colour, .Motive = pick.motive, .Concerns = k.SeatAfter(k.Seat)};
}

std::array<char, 4> ExpertAskingOrder(const SeatKnowledge& k)
{
    // A Vemo costs nothing to hold and takes 25 off when it ends the hand;
    // a Grace cancels evil cards and keeps the turn. Kinds already all seen go last.
    std::array<char, 4> order{'V', 'G', 'B', 'P'};
    const Unseen unseen(k);
    std::stable_partition(order.begin(), order.end(), [&](char kind) { return unseen.Of(CardCode('L', kind)) > 0; });
    return order;
}

} // namespace vemo
