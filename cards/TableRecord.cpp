#include "TableRecord.h"

namespace vemo {

int CardKind(CardCode card)
{
    constexpr std::string_view kColours = "BGPR";
    constexpr std::string_view kWords = "DRST";
    constexpr std::string_view kLights = "VBGKP";
    if (card.Colour() == 'L') {
        const auto at = kLights.find(card.Value());
        return at == std::string_view::npos ? -1 : 44 + static_cast<int>(at);
    }
    const auto colour = kColours.find(card.Colour());
    if (colour == std::string_view::npos) return -1;
    const int base = static_cast<int>(colour) * 11;
    if (card.Value() >= '1' && card.Value() <= '7') return base + (card.Value() - '1');
    const auto word = kWords.find(card.Value());
    return word == std::string_view::npos ? -1 : base + 7 + static_cast<int>(word);
}

int CopiesInDeck(int kind)
{
    if (kind < 0 || kind >= kCardKinds) return 0;
    if (kind >= 44) return 4;
    return kind % 11 < 7 ? 2 : 1;
}

std::uint8_t LackOfColour(char colour)
{
    switch (colour) {
    case 'B': return LacksBlue;
    case 'G': return LacksGreen;
    case 'P': return LacksPurple;
    case 'R': return LacksRed;
    default: return 0;
    }
}

std::uint8_t LackOfLight(char valueLetter)
{
    switch (valueLetter) {
    case 'G': return LacksGrace;
    case 'B': return LacksBlessing;
    case 'P': return LacksPrayer;
    case 'V': return LacksVemo;
    default: return 0;
    }
}

namespace {
bool ValidSeat(int seat) { return seat >= 1 && seat <= 4; }

void See(TableRecord& record, CardCode card)
{
    const int kind = CardKind(card);
    if (kind >= 0 && record.Seen[static_cast<std::size_t>(kind)] < 255) ++record.Seen[static_cast<std::size_t>(kind)];
}
} // namespace

void TableRecord::NewHand(CardCode firstCard)
{
    *this = TableRecord{};
    See(*this, firstCard);
}

void TableRecord::Played(int seat, CardCode card)
{
    See(*this, card);
    ++CardsPlayed;
    if (!ValidSeat(seat)) return;
    // Whoever plays a colour or a Card of Light plainly held it.
    auto& lacks = Lacks[static_cast<std::size_t>(seat)];
    lacks = static_cast<std::uint8_t>(lacks & ~(LackOfColour(card.Colour()) | (IsLight(card) ? LackOfLight(card.Value()) : 0)));
}

void TableRecord::Named(int seat, char colour)
{
    if (ValidSeat(seat)) LastNamed[static_cast<std::size_t>(seat)] = colour;
}

void TableRecord::Drew(int seat, char pileColour, bool freeDraw)
{
    if (!ValidSeat(seat)) return;
    auto& lacks = Lacks[static_cast<std::size_t>(seat)];
    // New cards may bring back anything; a free draw shows the colour was missing.
    lacks = freeDraw ? static_cast<std::uint8_t>(LackOfColour(pileColour) | LacksGrace | LacksBlessing | LacksPrayer | LacksVemo)
                     : std::uint8_t{0};
}

void TableRecord::Asked(int asked, char kind, bool had)
{
    if (!ValidSeat(asked)) return;
    auto& lacks = Lacks[static_cast<std::size_t>(asked)];
    if (had) lacks = static_cast<std::uint8_t>(lacks & ~LackOfLight(kind));
    else lacks = static_cast<std::uint8_t>(lacks | LackOfLight(kind));
}

void TableRecord::DeckRefilled(CardCode pile)
{
    Seen.fill(0);
    See(*this, pile);
}

} // namespace vemo
