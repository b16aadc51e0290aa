#pragma once
// What a face-up card shows, chosen from its code: the words by the value
// letter, the picture and text colours by the colour letter. Colours are
// 24-bit values written 0xBBGGRR.

#include "CardCode.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vemo {

struct CardWords {
    std::string TypeWord;          // " 5", "DEVIL", "Blessing", "Tempt." ...
    std::string_view Instruction;
    std::string_view InstructionExtra;
    std::string_view InstructionToolTip;
};

enum class CardPicture : std::uint8_t { Blue = 1, Green = 2, Purple = 3, Red = 4, Yellow = 5 };

struct CardColours {
    CardPicture Picture;       // also the discard image index 1..5
    std::uint32_t VerseColor;  // 0xBBGGRR
    std::uint32_t TypeColor;   // type word and instruction text, 0xBBGGRR
};

// By value letter; tested "1".."7", "V", "B", "D", "G", "K", "P", "R", "S", and
// anything left over reads as a Temptation.
CardWords DescribeCardValue(char valueLetter);

// By colour letter; anything other than B, G, P, R is a Card of Light (yellow).
CardColours DescribeCardColour(char colourLetter);

} // namespace vemo
