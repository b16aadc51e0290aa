#include "StrategyReason.h"

#include "CardText.h"

namespace vemo {

namespace {

std::string CardsHeld(int count) { return std::to_string(count) + (count == 1 ? " card" : " cards"); }

// After a colour choice the pile shows only the colour in force.
std::string PileWords(CardCode pile)
{
    if (pile.IsBlank()) return "the pile";
    if (pile.Value() == '*') return std::string(ColorName(pile.Colour()));
    return FormatCardDescription(pile);
}

std::string Act(const StrategyGrounds& g)
{
    if (IsColourLetter(g.Colour)) return "chooses " + std::string(ColorName(g.Colour));
    if (g.Answer == kNoCardToPlay || g.Answer.IsBlank()) return "draws";
    return "plays " + FormatCardDescription(g.Answer);
}

// Whom style 1 is worried about: the first of the next three holding fewer than 3.
std::string ShortHanded(const StrategyGrounds& g)
{
    constexpr const char* kWho[3] = {"the next player", "the player after next", "the player behind"};
    for (std::size_t k = 0; k < 3; ++k)
        if (g.Holding[k] < 3) return std::string(kWho[k]) + " holds " + CardsHeld(g.Holding[k]);
    return "a player is close to going out";
}

} // namespace

std::string StrategyReason(const StrategyGrounds& g)
{
    const std::string act = Act(g);
    switch (g.Step) {
    case StrategyStep::None:
        return act + ": the rules chose it, not the strategy";
    case StrategyStep::NothingMatches:
        return act + ": nothing in hand matches " + PileWords(g.Pile) + " and no Card of Light is held";
    case StrategyStep::EvilNoCanceller:
        return act + ": no Grace or Prayer to cancel the " + PileWords(g.Pile);
    case StrategyStep::EvilGrace:
        return act + ": Grace cancels the " + PileWords(g.Pile);
    case StrategyStep::EvilPrayer:
        return act + ": no Grace is held, so Prayer cancels the " + PileWords(g.Pile);
    case StrategyStep::Style3Devil:
        return act + ": a Devil always goes first for this player";
    case StrategyStep::LightCard:
        if (g.Style == 3) return act + ": Cards of Light go first for this player";
        return act + ": nothing else matches " + PileWords(g.Pile);
    case StrategyStep::Style2Highest:
        if (IsNumbered(g.Answer)) return act + ": its highest matching number";
        return act + ": no number matches, so its first matching card";
    case StrategyStep::Style3Scan:
        if (IsEvil(g.Answer)) return act + ": evil cards go before numbers for this player";
        return act + ": no evil card to lead with, so its highest number";
    case StrategyStep::Style4Random:
        return act + ": any matching card will do, picked at random";
    case StrategyStep::Style1Evil:
        return act + ": the next player holds " + CardsHeld(g.Holding[0]);
    case StrategyStep::Style1Prayer:
        return act + ": the next player holds " + CardsHeld(g.Holding[0]) +
               ", so play turns towards the player behind, who holds " + CardsHeld(g.Holding[2]);
    case StrategyStep::Style1Highest:
        return act + ": everyone else holds 3 cards or more, so the highest number goes";
    case StrategyStep::Style1Scan:
        if (IsEvil(g.Answer)) return act + ": " + ShortHanded(g) + ", so evil cards go first";
        return act + ": " + ShortHanded(g) + ", but no evil card matches, so its highest number goes";
    case StrategyStep::ColourMostHeld:
        return act + ": the colour it holds most";
    case StrategyStep::ColourAtRandom:
        return act + ": no coloured card is held, so any colour at random";
    case StrategyStep::Fault:
        return act + ": its choice failed and was reported";
    }
    return act;
}

} // namespace vemo
