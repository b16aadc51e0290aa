// The words and colours printed on a face-up card, and the words for a card
// and a colour in messages.

#include "CardDescriptions.h"
#include "CardText.h"

#include <gtest/gtest.h>

using namespace vemo;

TEST(CardDescriptions, WordsByValueLetter)
{
    const struct { char value; const char *type, *instruction, *extra, *tooltip; } cases[] = {
        {'V', "VEMO", "Extra Turn", "After Prayer", "Play after Prayer - gives an extra turn"},
        {'B', "Blessing", "Extra Turn", "", "Gives an extra turn"},
        {'D', "DEVIL", "DRAW 4", "", "Draw 4 cards"},
        {'G', "GRACE", "Cancel D,S,T", "Extra Turn", "Extra turn - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"},
        {'K', "ASK", "Card of Light", "Receive a", "Receive a card of light"},
        {'P', "PRAYER", "Cancel D,S,T", "Switch Dir.",
         "Switch direction - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"},
        {'R', "TRIAL", "DRAW 2", "", "Draw 2 cards"},
        {'S', "SIN", "DRAW 3", "", "Draw 3 cards"},
        // Whatever is left reads as a Temptation; digits only from 1 to 7.
        {'T', "Tempt.", "DRAW 2", "", "Draw 2 cards"}, {'0', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'1', " 1", "", "", ""}, {'7', " 7", "", "", ""},
    };
    for (const auto& c : cases) {
        const CardWords words = DescribeCardValue(c.value);
        EXPECT_EQ(std::tie(words.TypeWord, words.Instruction, words.InstructionExtra, words.InstructionToolTip),
                  std::make_tuple(std::string(c.type), std::string(c.instruction), std::string(c.extra), std::string(c.tooltip)))
            << "value '" << c.value << "'";
    }
}

TEST(CardDescriptions, ColoursByColourLetter)
{
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    constexpr std::uint32_t kDarkOrange = 0x0040C0;
    const struct { char colour; CardPicture picture; std::uint32_t verse, type; const char* name; } cases[] = {
        {'B', CardPicture::Blue, 0xFF0000, kWhite, "Blue"},
        {'G', CardPicture::Green, 0x008000, kWhite, "Green"},
        {'P', CardPicture::Purple, 0x800080, kWhite, "Purple"},
        {'R', CardPicture::Red, 0x0000FF, kWhite, "Red"},
        {'L', CardPicture::Yellow, kDarkOrange, kDarkOrange, "Unspecified"},
        {'b', CardPicture::Yellow, kDarkOrange, kDarkOrange, "Unspecified"},
    };
    for (const auto& c : cases) {
        const CardColours colours = DescribeCardColour(c.colour);
        EXPECT_EQ(std::tie(colours.Picture, colours.VerseColor, colours.TypeColor), std::tie(c.picture, c.verse, c.type))
            << c.colour;
        EXPECT_EQ(ColorName(c.colour), c.name) << c.colour;
    }
}

TEST(CardText, FormatCardDescription)
{
    const struct { const char *code, *text; } cases[] = {
        {"RR", "Red Trial"}, {"LP", "Card of Light Prayer"}, {"P7", "Purple 7"}, {"GT", "Green Temptation"},
        {"BD", "Blue Devil"}, {"PS", "Purple Sin"}, {"LV", "Card of Light Vemo"}, {"LB", "Card of Light Blessing"},
        {"LG", "Card of Light Grace"}, {"LK", "Card of Light Ask"}, {"B*", "Blue *"}, {"X9", "Card of Light 9"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatCardDescription(CardCode(c.code)), c.text) << c.code;
}
