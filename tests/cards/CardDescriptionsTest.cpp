// The words and colours printed on a face-up card, and the words for a card
// and a colour in messages.

#include "CardDescriptions.h"
#include "CardText.h"

#include <gtest/gtest.h>

#include <string>

using namespace vemo;

TEST(CardDescriptions, WordsByValueLetter)
{
    const struct {
        char value;
        const char* type;
        const char* instruction;
        const char* extra;
        const char* tooltip;
    } cases[] = {
        {'1', " 1", "", "", ""},
        {'2', " 2", "", "", ""},
        {'3', " 3", "", "", ""},
        {'4', " 4", "", "", ""},
        {'5', " 5", "", "", ""},
        {'6', " 6", "", "", ""},
        {'7', " 7", "", "", ""},
        {'V', "VEMO", "Extra Turn", "After Prayer", "Play after Prayer - gives an extra turn"},
        {'B', "Blessing", "Extra Turn", "", "Gives an extra turn"},
        {'D', "DEVIL", "DRAW 4", "", "Draw 4 cards"},
        {'G', "GRACE", "Cancel D,S,T", "Extra Turn",
         "Extra turn - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"},
        {'K', "ASK", "Card of Light", "Receive a", "Receive a card of light"},
        {'P', "PRAYER", "Cancel D,S,T", "Switch Dir.",
         "Switch direction - cancels Devil, Sin, Tempt. - chgs Trial to draw 1"},
        {'R', "TRIAL", "DRAW 2", "", "Draw 2 cards"},
        {'S', "SIN", "DRAW 3", "", "Draw 3 cards"},
        {'T', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        // Whatever is left reads as a Temptation.
        {'0', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'L', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {' ', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("value '") + c.value + "'");
        const CardWords words = DescribeCardValue(c.value);
        EXPECT_EQ(words.TypeWord, c.type);
        EXPECT_EQ(words.Instruction, c.instruction);
        EXPECT_EQ(words.InstructionExtra, c.extra);
        EXPECT_EQ(words.InstructionToolTip, c.tooltip);
    }
}

TEST(CardDescriptions, ColoursByColourLetter)
{
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    constexpr std::uint32_t kDarkOrange = 0x0040C0;
    const struct {
        char colour;
        CardPicture picture;
        int index;
        std::uint32_t verse;
        std::uint32_t type;
        const char* name;
    } cases[] = {
        {'B', CardPicture::Blue, 1, 0xFF0000, kWhite, "Blue"},
        {'G', CardPicture::Green, 2, 0x008000, kWhite, "Green"},
        {'P', CardPicture::Purple, 3, 0x800080, kWhite, "Purple"},
        {'R', CardPicture::Red, 4, 0x0000FF, kWhite, "Red"},
        {'L', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange, "Unspecified"},
        {' ', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange, "Unspecified"},
        {'X', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange, "Unspecified"},
        {'b', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange, "Unspecified"},
        {'*', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange, "Unspecified"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("colour '") + c.colour + "'");
        const CardColours colours = DescribeCardColour(c.colour);
        EXPECT_EQ(colours.Picture, c.picture);
        EXPECT_EQ(static_cast<int>(colours.Picture), c.index);
        EXPECT_EQ(colours.VerseColor, c.verse);
        EXPECT_EQ(colours.TypeColor, c.type);
        EXPECT_EQ(ColorName(c.colour), c.name);
    }
}

TEST(CardText, FormatCardDescription)
{
    const struct {
        const char* code;
        const char* text;
    } cases[] = {
        {"RR", "Red Trial"},          {"LP", "Card of Light Prayer"}, {"P7", "Purple 7"},
        {"B5", "Blue 5"},             {"G1", "Green 1"},              {"GT", "Green Temptation"},
        {"BD", "Blue Devil"},         {"PS", "Purple Sin"},           {"LV", "Card of Light Vemo"},
        {"LB", "Card of Light Blessing"}, {"LG", "Card of Light Grace"}, {"LK", "Card of Light Ask"},
        {"B*", "Blue *"},             {"X9", "Card of Light 9"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatCardDescription(CardCode(c.code)), c.text) << c.code;
}
