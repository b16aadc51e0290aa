// The computer players' choices: which card, which colour. They read only the
// player's own hand and how many cards the others hold. The steps are
// order-dependent by design and are followed as written.

#include "RandomInteger.h"
#include "ReportError.h"
#include "clsPlayer.h"

#include <array>
#include <vector>

namespace vemo {
namespace {

// Working lists reused between calls: the simulator asks millions of times.
struct WorkingLists {
    std::vector<CardCode> match;
    std::vector<CardCode> lightCards;
    std::vector<CardCode> cancellers;
};

WorkingLists& Scratch()
{
    static WorkingLists lists = [] {
        WorkingLists l;
        l.match.reserve(32);
        l.lightCards.reserve(32);
        l.cancellers.reserve(32);
        return l;
    }();
    return lists;
}

// Digits compare as characters; the empty answer is below every digit.
bool IsDigitValue(CardCode c) { return IsDigitLetter(c.Value()); }

// Evil cards first. Returns the answer and whether a Devil ended the scan at step 2a.
struct ScanResult {
    CardCode answer;
    bool devilEndedScan = false;
};

ScanResult EvilFirstScan(const std::vector<CardCode>& match)
{
    ScanResult result{match.front()};
    for (CardCode c : match) {
        CardCode& answer = result.answer;
        if (IsDigitValue(answer)) {
            if (IsDigitValue(c)) {
                if (c.Value() > answer.Value()) answer = c;
            } else {
                answer = c;
            }
        } else {
            switch (c.Value()) {
            case 'D':
                answer = c;
                result.devilEndedScan = true;
                return result;
            case 'S':
                if (answer.Value() != 'D') answer = c;
                break;
            case 'T':
            case 'R':
                answer = c;
                break;
            default:
                break; // numbered: no change
            }
        }
    }
    return result;
}

CardCode HighestNumber(const std::vector<CardCode>& match)
{
    CardCode best;
    bool found = false;
    for (CardCode c : match) {
        if (IsDigitValue(c) && (!found || c.Value() > best.Value())) {
            best = c;
            found = true;
        }
    }
    return found ? best : match.front();
}

CardCode ChooseLightCard(const std::vector<CardCode>& lightCards)
{
    for (char wanted : {'B', 'K', 'G', 'P'})
        for (CardCode c : lightCards)
            if (c.Value() == wanted) return c;
    return lightCards.front();
}

} // namespace

CardCode clsPlayer::GetCardToPlay(char color, char value, int cardsNext1, int cardsNext2, int cardsNext3,
                                  bool specialAction)
{
    lastStep_ = StrategyStep::Fault;
    return Trapped("GetCardToPlay", kNoCardToPlay, [&] {
        return ChooseCard(color, value, cardsNext1, cardsNext2, cardsNext3, specialAction);
    });
}

CardCode clsPlayer::ChooseCard(char color, char value, int cardsNext1, int cardsNext2, int cardsNext3,
                               bool specialAction)
{
    WorkingLists& lists = Scratch();
    auto& match = lists.match;
    auto& lightCards = lists.lightCards;
    auto& cancellers = lists.cancellers;
    match.clear();
    lightCards.clear();
    cancellers.clear();

    // 1. One pass over the hand.
    for (CardCode c : hand_) {
        if (IsLight(c)) {
            lightCards.push_back(c);
            if (c.Value() == 'P' || c.Value() == 'G') cancellers.push_back(c);
        } else if (c.Colour() == color || c.Value() == value) {
            match.push_back(c);
        }
    }

    // 2. Nothing to play.
    if (match.empty() && lightCards.empty()) {
        lastStep_ = StrategyStep::NothingMatches;
        return kNoCardToPlay;
    }

    // 3. A pending evil card is answered with Grace or Prayer, or by drawing.
    if (IsEvilValue(value) && specialAction) {
        if (cancellers.empty()) {
            lastStep_ = StrategyStep::EvilNoCanceller;
            return kNoCardToPlay;
        }
        for (CardCode c : cancellers) {
            if (c.Value() == 'G') {
                lastStep_ = StrategyStep::EvilGrace;
                return c;
            }
        }
        lastStep_ = StrategyStep::EvilPrayer;
        return cancellers.front();
    }

    // 4. Style 3 plays a Devil before anything else.
    if (playingStyle_ == 3 && !match.empty()) {
        const ScanResult scan = EvilFirstScan(match);
        if (scan.devilEndedScan) {
            lastStep_ = StrategyStep::Style3Devil;
            return scan.answer;
        }
    }

    // 5. A Card of Light when nothing matches, or always first for style 3.
    if (match.empty() || (playingStyle_ == 3 && !lightCards.empty())) {
        lastStep_ = StrategyStep::LightCard;
        return ChooseLightCard(lightCards);
    }

    // 6. Choose from the matching cards by playing style.
    CardCode answer;
    switch (playingStyle_) {
    case 2:
        answer = HighestNumber(match);
        lastStep_ = StrategyStep::Style2Highest;
        break;
    case 3:
        answer = EvilFirstScan(match).answer;
        lastStep_ = StrategyStep::Style3Scan;
        break;
    case 4: {
        const int n = static_cast<int>(match.size());
        answer = match.at(static_cast<std::size_t>(RandomInteger(n - 1, 0)));
        lastStep_ = StrategyStep::Style4Random;
        break;
    }
    default:
        if (cardsNext1 < 3) {
            // The first Devil wins at once; otherwise the last other evil card.
            CardCode evil;
            bool found = false;
            for (CardCode c : match) {
                if (c.Value() == 'D') {
                    evil = c;
                    found = true;
                    break;
                }
                if (IsEvilValue(c.Value())) {
                    evil = c;
                    found = true;
                }
            }
            if (found) {
                lastStep_ = StrategyStep::Style1Evil;
                return evil;
            }
            if (cardsNext3 > cardsNext1) {
                for (CardCode c : cancellers) {
                    if (c.Value() == 'P') {
                        lastStep_ = StrategyStep::Style1Prayer;
                        return CardCode("LP");
                    }
                }
            }
        }
        if (cardsNext1 >= 3 && cardsNext2 >= 3 && cardsNext3 >= 3) {
            answer = HighestNumber(match);
            lastStep_ = StrategyStep::Style1Highest;
        } else {
            answer = EvilFirstScan(match).answer;
            lastStep_ = StrategyStep::Style1Scan;
        }
        break;
    }

    // 7. An empty answer means draw.
    return answer.IsBlank() ? kNoCardToPlay : answer;
}

char clsPlayer::PickColor()
{
    lastStep_ = StrategyStep::Fault;
    return Trapped("PickColor", 'B', [&] {
        std::array<int, 4> counts{}; // B, G, P, R
        constexpr std::array<char, 4> kColours{'B', 'G', 'P', 'R'};
        bool anyColoured = false;
        for (CardCode c : hand_) {
            for (std::size_t k = 0; k < kColours.size(); ++k) {
                if (c.Colour() == kColours[k]) {
                    ++counts[k];
                    anyColoured = true;
                }
            }
        }
        if (anyColoured) {
            std::size_t best = 0;
            for (std::size_t k = 1; k < counts.size(); ++k)
                if (counts[k] > counts[best]) best = k; // a tie keeps the earlier colour
            lastStep_ = StrategyStep::ColourMostHeld;
            return kColours[best];
        }
        lastStep_ = StrategyStep::ColourAtRandom;
        return kColours[static_cast<std::size_t>(RandomInteger(4, 1) - 1)];
    });
}

} // namespace vemo
