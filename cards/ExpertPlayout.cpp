#include "ExpertPlayout.h"

#include "clsPlayer.h"

#include <array>

namespace vemo {
namespace {

// A small, fast generator of its own: the game's RandomInteger stream is never touched.
struct Rng {
    std::uint64_t s;
    std::uint32_t Next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<std::uint32_t>(s >> 11);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
};

template <typename T>
void Shuffle(std::vector<T>& v, Rng& rng)
{
    for (int i = static_cast<int>(v.size()) - 1; i > 0; --i) std::swap(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(rng.Below(i + 1))]);
}

constexpr int kMaxHand = 64;
constexpr int kMaxTurns = 240;

struct Hand {
    std::array<CardCode, kMaxHand> c;
    int n = 0;
    void Add(CardCode x)
    {
        if (n < kMaxHand) c[static_cast<std::size_t>(n++)] = x;
    }
    CardCode Take(int i)
    {
        const CardCode x = c[static_cast<std::size_t>(i)];
        for (int k = i; k + 1 < n; ++k) c[static_cast<std::size_t>(k)] = c[static_cast<std::size_t>(k + 1)];
        --n;
        return x;
    }
    int Find(CardCode x) const
    {
        for (int i = 0; i < n; ++i)
            if (c[static_cast<std::size_t>(i)] == x) return i;
        return -1;
    }
    int Points() const
    {
        int total = 0;
        for (int i = 0; i < n; ++i) total += CardPoints(c[static_cast<std::size_t>(i)]);
        return total;
    }
};

std::vector<CardCode> Catalogue()
{
    std::vector<CardCode> all;
    for (char colour : {'B', 'G', 'P', 'R'}) {
        for (char v = '1'; v <= '7'; ++v) all.insert(all.end(), 2, CardCode(colour, v));
        for (char v : {'D', 'R', 'S', 'T'}) all.emplace_back(colour, v);
    }
    for (char v : {'V', 'B', 'G', 'K', 'P'}) all.insert(all.end(), 4, CardCode('L', v));
    return all;
}

const std::vector<CardCode>& FullDeck()
{
    static const std::vector<CardCode> deck = Catalogue();
    return deck;
}

int EvilDraw(char value) { return value == 'D' ? 4 : value == 'S' ? 3 : 2; }

// The hand played out with the simple play of style 1 at every seat.
struct Model {
    std::array<Hand, 5> hands{};
    std::vector<CardCode> deck;
    char colour = 'B';
    char value = ' ';
    bool pending = false;
    char dir = 'R';
    int winner = 0;
    bool vemoOut = false;
    Rng* rng = nullptr;

    int After(int s) const { return dir == 'L' ? (s == 1 ? 4 : s - 1) : (s == 4 ? 1 : s + 1); }
    void Draw(int seat, int count)
    {
        for (int k = 0; k < count; ++k) {
            if (deck.empty()) {
                deck = FullDeck();
                Shuffle(deck, *rng);
            }
            hands[static_cast<std::size_t>(seat)].Add(deck.back());
            deck.pop_back();
        }
    }
    char PickColour(int seat) const
    {
        std::array<int, 4> counts{};
        const Hand& h = hands[static_cast<std::size_t>(seat)];
        for (int i = 0; i < h.n; ++i) {
            switch (h.c[static_cast<std::size_t>(i)].Colour()) {
            case 'B': ++counts[0]; break;
            case 'G': ++counts[1]; break;
            case 'P': ++counts[2]; break;
            case 'R': ++counts[3]; break;
            default: break;
            }
        }
        std::size_t best = 0;
        for (std::size_t k = 1; k < 4; ++k)
            if (counts[k] > counts[best]) best = k;
        return "BGPR"[best];
    }
    // Index of the card to play, or -1 to draw.
    int Choose(int seat) const
    {
        const Hand& h = hands[static_cast<std::size_t>(seat)];
        const bool nextClose = hands[static_cast<std::size_t>(After(seat))].n < 3;
        int evil = -1, high = -1, first = -1, light = -1, lightRank = 9;
        for (int i = 0; i < h.n; ++i) {
            const CardCode c = h.c[static_cast<std::size_t>(i)];
            if (IsLight(c)) {
                const int rank = c.Value() == 'B' ? 0 : c.Value() == 'K' ? 1 : c.Value() == 'G' ? 2 : c.Value() == 'P' ? 3 : 4;
                if (rank < lightRank) {
                    lightRank = rank;
                    light = i;
                }
                continue;
            }
            if (c.Colour() != colour && c.Value() != value) continue;
            if (first < 0) first = i;
            if (IsEvilValue(c.Value())) {
                if (evil < 0 || h.c[static_cast<std::size_t>(evil)].Value() != 'D') evil = i;
            } else if (high < 0 || c.Value() > h.c[static_cast<std::size_t>(high)].Value()) {
                high = i;
            }
        }
        if (first < 0) return light;
        if (nextClose && evil >= 0) return evil;
        return high >= 0 ? high : first;
    }
    void Out(int seat, CardCode last)
    {
        winner = seat;
        vemoOut = last == CardCode("LV");
    }
    // Plays card (already out of the hand) for seat; true when the seat plays again.
    // skipTo is set when an Ask makes the next seat lose its turn.
    bool Apply(int seat, CardCode card, char named, int& skipTo)
    {
        Hand& h = hands[static_cast<std::size_t>(seat)];
        if (!IsLight(card)) {
            colour = card.Colour();
            value = card.Value();
            pending = IsEvilValue(value);
            if (h.n == 0) {
                if (pending) Draw(seat, 1);
                else Out(seat, card);
            }
            return false;
        }
        pending = false;
        value = card.Value();
        if (h.n == 0 && value != 'K') {
            Out(seat, card);
            return false;
        }
        colour = named != ' ' ? named : PickColour(seat);
        switch (value) {
        case 'B':
        case 'G': return true;
        case 'P': dir = dir == 'L' ? 'R' : 'L'; return false;
        case 'K': {
            const int asked = After(seat);
            Hand& other = hands[static_cast<std::size_t>(asked)];
            for (char kind : {'G', 'B', 'P', 'V'}) {
                const int at = other.Find(CardCode('L', kind));
                if (at >= 0) {
                    h.Add(other.Take(at));
                    if (other.n == 0) Out(asked, CardCode('L', kind));
                    return false;
                }
            }
            Draw(asked, 1);
            skipTo = asked;
            if (h.n == 0) Draw(seat, 1);
            return false;
        }
        default: return false;
        }
    }
    // One turn; move (for the first turn only) overrides the simple play. Returns the seat whose turn it leaves.
    int Turn(int seat, const PlayoutMove* move)
    {
        Hand& h = hands[static_cast<std::size_t>(seat)];
        int skipTo = 0;
        if (pending) {
            pending = false;
            const char evil = value;
            int at = -1;
            if (move) at = move->Card == CardCode("**") ? -1 : h.Find(move->Card);
            else {
                at = h.Find(CardCode("LG"));
                if (at < 0) at = h.Find(CardCode("LP"));
            }
            if (at < 0) {
                Draw(seat, EvilDraw(evil));
                return seat;
            }
            const CardCode answer = h.Take(at);
            value = answer.Value();
            if (h.n == 0 && evil != 'R') {
                Out(seat, answer);
                return seat;
            }
            colour = move && move->Colour != ' ' ? move->Colour : PickColour(seat);
            if (answer.Value() == 'P') dir = dir == 'L' ? 'R' : 'L';
            if (evil == 'R') {
                Draw(seat, 1);
                return seat;
            }
            if (answer.Value() == 'P') return seat;
            move = nullptr; // Grace: the seat plays again
        }
        for (int extra = 0; extra < 12 && winner == 0; ++extra) {
            int at;
            char named = ' ';
            if (move) {
                at = move->Card == CardCode("**") ? -1 : h.Find(move->Card);
                named = move->Colour;
                move = nullptr;
            } else {
                at = Choose(seat);
            }
            if (at < 0) {
                Draw(seat, 1);
                at = Choose(seat);
                if (at < 0) return seat;
            }
            const CardCode card = h.Take(at);
            if (!Apply(seat, card, named, skipTo)) break;
        }
        return skipTo ? skipTo : seat;
    }
};

std::uint64_t Fingerprint(const SeatKnowledge& k)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(k.Seat);
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 0x100000001b3ull; };
    for (CardCode c : k.Hand) mix(static_cast<std::uint64_t>(c.Colour()) << 8 | static_cast<unsigned char>(c.Value()));
    for (std::int16_t n : k.Holding) mix(static_cast<std::uint64_t>(n));
    for (std::uint8_t n : k.Record.Seen) mix(n);
    mix(static_cast<std::uint64_t>(k.Pile.Colour()) << 8 | static_cast<unsigned char>(k.Pile.Value()));
    mix(static_cast<std::uint64_t>(k.Record.CardsPlayed));
    return h | 1;
}

bool Lacked(const SeatKnowledge& k, int seat, CardCode c)
{
    const std::uint8_t bits = IsLight(c) ? LackOfLight(c.Value()) : LackOfColour(c.Colour());
    return bits != 0 && (k.Record.Lacks[static_cast<std::size_t>(seat)] & bits) != 0;
}

} // namespace

std::vector<double> PlayoutScores(const SeatKnowledge& k, const std::vector<PlayoutMove>& moves, int deals)
{
    std::vector<double> totals(moves.size(), 0.0);
    if (moves.empty() || deals < 1) return totals;

    // The unseen cards: the full deck less what was seen and its own hand.
    std::array<int, kCardKinds> left{};
    for (int kind = 0; kind < kCardKinds; ++kind)
        left[static_cast<std::size_t>(kind)] = CopiesInDeck(kind) - k.Record.Seen[static_cast<std::size_t>(kind)];
    for (CardCode c : k.Hand)
        if (CardKind(c) >= 0) --left[static_cast<std::size_t>(CardKind(c))];
    std::vector<CardCode> pool;
    for (CardCode c : FullDeck()) {
        int& n = left[static_cast<std::size_t>(CardKind(c))];
        if (n > 0) {
            pool.push_back(c);
            --n;
        }
    }

    Rng rng{Fingerprint(k)};
    Model start;
    start.rng = &rng;
    for (CardCode c : k.Hand) start.hands[static_cast<std::size_t>(k.Seat)].Add(c);
    start.colour = k.Colour;
    start.value = k.ActualPile.Value();
    start.pending = k.SpecialAction && IsEvilValue(start.value);
    start.dir = k.Direction;

    for (int deal = 0; deal < deals; ++deal) {
        // Deal the unseen cards, keeping from each hand what it showed it lacked.
        Model dealt = start;
        std::vector<CardCode> rest = pool;
        Shuffle(rest, rng);
        for (int seat = 1; seat <= 4; ++seat) {
            if (seat == k.Seat) continue;
            const int want = k.Holding[static_cast<std::size_t>(seat)];
            Hand& h = dealt.hands[static_cast<std::size_t>(seat)];
            for (std::size_t i = 0; i < rest.size() && h.n < want;) {
                if (!Lacked(k, seat, rest[i])) {
                    h.Add(rest[i]);
                    rest[i] = rest.back();
                    rest.pop_back();
                } else {
                    ++i;
                }
            }
            while (h.n < want) h.Add(FullDeck()[static_cast<std::size_t>(rng.Below(kDeckSize))]);
        }
        dealt.deck = std::move(rest);

        for (std::size_t m = 0; m < moves.size(); ++m) {
            Model play = dealt;
            const std::uint64_t saved = rng.s;
            int seat = play.Turn(k.Seat, &moves[m]);
            for (int turn = 0; turn < kMaxTurns && play.winner == 0; ++turn) seat = play.Turn(play.After(seat), nullptr);
            rng.s = saved; // every move meets the same draws
            double mine = 0.0, others = 0.0;
            for (int s = 1; s <= 4; ++s) {
                const double points =
                    s == play.winner ? (play.vemoOut ? -25.0 : 0.0) : play.hands[static_cast<std::size_t>(s)].Points();
                if (s == k.Seat) mine = points;
                else others += points;
            }
            totals[m] += mine - others / 3.0;
        }
        rng.Next();
    }
    for (double& t : totals) t /= deals;
    return totals;
}

} // namespace vemo
