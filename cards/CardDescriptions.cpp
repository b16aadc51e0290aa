#include "CardDescriptions.h"

namespace vemo {

CardWords DescribeCardValue(char valueLetter)
{
    if (IsDigitLetter(valueLetter) && valueLetter >= '1' && valueLetter <= '7')
        return {std::string(" ") + valueLetter, "", "", ""};
    switch (valueLetter) {
    case 'V': return {"VEMO", "Extra Turn", "After Prayer", "Play after Prayer - gives an extra turn"};
    case 'B': return {"Blessing", "Extra Turn", "", "Gives an extra turn"};
    case 'D': return {"DEVIL", "DRAW 4", "", "Draw 4 cards"};
    case 'G':
        return {"GRACE", "Cancel D,S,T", "Extra Turn",
                "Extra turn - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"};
    case 'K': return {"ASK", "Card of Light", "Receive a", "Receive a card of light"};
    case 'P':
        return {"PRAYER", "Cancel D,S,T", "Switch Dir.",
                "Switch direction - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"};
    case 'R': return {"TRIAL", "DRAW 2", "", "Draw 2 cards"};
    case 'S': return {"SIN", "DRAW 3", "", "Draw 3 cards"};
    default: return {"Tempt.", "DRAW 2", "", "Draw 2 cards"};
    }
}

CardColours DescribeCardColour(char colourLetter)
{
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    switch (colourLetter) {
    case 'B': return {CardPicture::Blue, 0xFF0000, kWhite};
    case 'G': return {CardPicture::Green, 0x008000, kWhite};
    case 'P': return {CardPicture::Purple, 0x800080, kWhite};
    case 'R': return {CardPicture::Red, 0x0000FF, kWhite};
    default: return {CardPicture::Yellow, 0x0040C0, 0x0040C0};
    }
}

} // namespace vemo
