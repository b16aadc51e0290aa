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
    case StrategyStep::Expert:
        return ExpertReason(g, "");
    case StrategyStep::Fault:
        return act + ": its choice failed and was reported";
    }
    return act;
}

namespace {

std::string CardsLeft(int count)
{
    constexpr const char* kWords[] = {"no cards", "one card", "two cards", "three cards"};
    return (count >= 0 && count <= 3 ? std::string(kWords[count]) : CardsHeld(count)) + " left";
}

int EvilDraw(char value) { return value == 'D' ? 4 : value == 'S' ? 3 : 2; }

} // namespace

std::string ExpertReason(const StrategyGrounds& g, const std::string& concernedName)
{
    const std::string act = Act(g);
    const std::string who = concernedName.empty() ? "a player" : concernedName;
    switch (g.Motive) {
    case ExpertMotive::None:
        break;
    case ExpertMotive::GoesOut:
        return act + ": its last card ends the hand";
    case ExpertMotive::GoesOutThisTurn:
        return act + ": it plays again and goes out this turn";
    case ExpertMotive::GoesOutOnVemo:
        return act + ": going out on the Vemo takes 25 points off";
    case ExpertMotive::CancelsEvil:
        return act + ": it cancels the " + PileWords(g.Pile);
    case ExpertMotive::NoCanceller:
        return act + ": no Grace or Prayer to cancel the " + PileWords(g.Pile);
    case ExpertMotive::NothingPlayable:
        return act + ": nothing in hand matches " + PileWords(g.Pile);
    case ExpertMotive::HitsNext:
        return act + ": " + who + " has " + CardsLeft(g.Count) + " and must draw " +
               std::to_string(EvilDraw(g.Answer.Value()));
    case ExpertMotive::TurnsAway:
        return act + ": play turns away from " + who + ", who has " + CardsLeft(g.Count);
    case ExpertMotive::KeepsGrace:
        return act + ": keeps its Grace: " + who + " has " + CardsLeft(g.Count);
    case ExpertMotive::KeepsPrayer:
        return act + ": keeps its Prayer: " + who + " has " + CardsLeft(g.Count);
    case ExpertMotive::KeepsVemo:
        return act + ": keeps its Vemo to go out on";
    case ExpertMotive::ShedsPoints:
        return act + ": sheds " + std::to_string(g.Count) + (g.Count == 1 ? " point" : " points") + " before " +
               who + " can go out";
    case ExpertMotive::PlaysAgain:
        return act + ": it plays again after it";
    case ExpertMotive::AsksNext:
        return act + ": " + who + " probably holds no Card of Light";
    case ExpertMotive::KeepsLastCard:
        return act + ": leaves a Card of Light to go out on";
    case ExpertMotive::StaysInColour:
        return act + ": its hand follows " + std::string(ColorName(g.Answer.Colour()));
    case ExpertMotive::ChangesColour:
        return act + ": moves play to " + std::string(ColorName(g.Answer.Colour())) + ", which its hand follows better";
    case ExpertMotive::NamesColour:
        return act + ": then names the colour its hand follows best";
    case ExpertMotive::ColourHeldMost:
        return act + ": the colour its hand follows best";
    case ExpertMotive::ColourNextLacks:
        return act + ": " + who + " could not follow it lately";
    case ExpertMotive::ColourLeastLeft:
        return act + ": no coloured card is held, and this colour has the fewest cards unseen";
    }
    return act + ": the Expert weighed its choices";
}

} // namespace vemo
