#pragma once
// A card is named by a two-character code: a colour letter ("B", "G", "P",
// "R", or "L" for a Card of Light) and a value letter. The code behaves like a
// fixed-length two-character string: shorter text is padded with blanks, so
// an emptied deck slot reads as two spaces.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vemo {

class CardCode {
public:
    constexpr CardCode() = default;
    constexpr CardCode(const char* text) : CardCode(std::string_view(text)) {}
    constexpr CardCode(std::string_view text)
    {
        chars_[0] = text.size() > 0 ? text[0] : ' ';
        chars_[1] = text.size() > 1 ? text[1] : ' ';
    }
    constexpr CardCode(char colour, char value) : chars_{colour, value} {}
    CardCode(const std::string& text) : CardCode(std::string_view(text)) {}

    // First character: the colour letter.
    constexpr char Colour() const { return chars_[0]; }
    // Second character: the value letter.
    constexpr char Value() const { return chars_[1]; }

    constexpr bool IsBlank() const { return chars_[0] == ' ' && chars_[1] == ' '; }
    constexpr std::string_view View() const { return {chars_.data(), 2}; }
    std::string ToString() const { return std::string(View()); }

    // Compared char by char: the simulator compares codes millions of times a second.
    constexpr bool operator==(const CardCode& other) const
    {
        return chars_[0] == other.chars_[0] && chars_[1] == other.chars_[1];
    }
    constexpr auto operator<=>(const CardCode& other) const
    {
        if (auto first = chars_[0] <=> other.chars_[0]; first != 0) return first;
        return chars_[1] <=> other.chars_[1];
    }

private:
    std::array<char, 2> chars_{' ', ' '};
};

inline constexpr CardCode BlankCard{};

constexpr bool IsDigitLetter(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsColourLetter(char c) { return c == 'B' || c == 'G' || c == 'P' || c == 'R'; }
constexpr bool IsEvilValue(char v) { return v == 'D' || v == 'S' || v == 'T' || v == 'R'; }

// A numbered card is recognised by a numeric test on its value letter.
constexpr bool IsNumbered(CardCode c) { return IsDigitLetter(c.Value()); }
constexpr bool IsLight(CardCode c) { return c.Colour() == 'L'; }
constexpr bool IsEvil(CardCode c) { return IsColourLetter(c.Colour()) && IsEvilValue(c.Value()); }

inline constexpr int kDeckSize = 92;

} // namespace vemo
