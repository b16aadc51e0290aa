// The words and colours printed on a face-up card.

#include "CardDescriptions.h"

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
        {'8', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'9', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'X', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'L', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'v', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
        {'*', "Tempt.", "DRAW 2", "", "Draw 2 cards"},
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

TEST(CardDescriptions, TrialAndTemptationShareTheInstruction)
{
    // "GT" and "PR" both say DRAW 2 but name different cards.
    const CardWords temptation = DescribeCardValue(CardCode("GT").Value());
    const CardWords trial = DescribeCardValue(CardCode("PR").Value());
    EXPECT_EQ(temptation.Instruction, trial.Instruction);
    EXPECT_EQ(temptation.TypeWord, "Tempt.");
    EXPECT_EQ(trial.TypeWord, "TRIAL");
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
    } cases[] = {
        {'B', CardPicture::Blue, 1, 0xFF0000, kWhite},
        {'G', CardPicture::Green, 2, 0x008000, kWhite},
        {'P', CardPicture::Purple, 3, 0x800080, kWhite},
        {'R', CardPicture::Red, 4, 0x0000FF, kWhite},
        {'L', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange},
        {' ', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange},
        {'X', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange},
        {'b', CardPicture::Yellow, 5, kDarkOrange, kDarkOrange},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("colour '") + c.colour + "'");
        const CardColours colours = DescribeCardColour(c.colour);
        EXPECT_EQ(colours.Picture, c.picture);
        EXPECT_EQ(static_cast<int>(colours.Picture), c.index);
        EXPECT_EQ(colours.VerseColor, c.verse);
        EXPECT_EQ(colours.TypeColor, c.type);
    }
}
