#pragma once
// Where everything on the table goes, and how the background is painted.
// Plain functions over twips (and pixels for the background) so the layout
// can be checked without a window; frmMain applies the results.
//
// Arithmetic follows the layout formulas exactly: a value that is stored
// is rounded to the nearest integer with ties to even, "\" is integer
// division that truncates. Decimal factors (0.439 x W ...) are applied
// exactly, so a value that lands on .5 really is a tie.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vemo {

inline constexpr int kCardWidth = 1065;  // twips, 71 pixels
inline constexpr int kCardHeight = 1440; // twips, 96 pixels
inline constexpr int kDeckWidth = 1155;  // twips, 77 pixels

struct TwipsPoint {
    int Left;
    int Top;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

struct TableMetrics {
    int Width;           // W: the window's outer width
    int Height;          // H: the window's outer height
    int StatusBarHeight; // sbTop's height; the two status bars take twice this
    bool Maximised;      // raises the fan limit from 10 to 12
    int Anchor1Left;     // imgPlayer1Card(0).Left, never moved by a re-layout
    int Anchor2Top;      // imgPlayer2Card(0).Top, never moved by a re-layout
    double Scale = 1.0;  // pixels drawn per pixel of these twips (the table grown with its window)

    // H': the height left between the two status bars.
    int PlayingHeight() const { return Height - 2 * StatusBarHeight; }
};

// Positions of cards 1..n of a seat, element i - 1 for card i. Rows (seats 2
// and 4) run right to left from card 1; columns (seats 1 and 3) run top to
// bottom. Seat 2 only moves horizontally and seat 1 only vertically, so their
// other coordinate is the anchor's. An empty hand or an unknown seat gives
// no positions.
std::vector<TwipsPoint> ArrangePlayersCards(int seat, int numberOfCards, const TableMetrics& metrics);

// Sizes, in twips, that the fixed elements' formulas refer to.
struct ElementSizes {
    int CardWidth = kCardWidth;   // the anchors and cPlayer4Card(0)
    int CardHeight = kCardHeight; // the anchors, seat 2's card 1 and cPlayer4Card(0)
    int DeckWidth = kDeckWidth;
    int DiscardWidth = 0;  // Wd: the enlarged top card imgDiscard(0)
    int DiscardHeight = 0; // Hd
    std::array<int, 5> PlayerLabelWidth{};  // lblPlayer(1..4); element 0 unused
    std::array<int, 5> PlayerShadowWidth{}; // lblPlayerShadow(1..4); element 0 unused
    int ClickWidth = 0;     // lblClick
    int HumanVemoWidth = 0; // cmdHumanVemo
    bool HumanHoldsCards = false;
    int HumanCard1Top = 0; // cPlayer4Card(1).Top, used while the human holds cards
};

// Where Form_Resize puts each fixed element. Arrays run 1..4 by seat, as the
// window's control arrays do; element 0 is unused.
struct FixedLayout {
    std::array<TwipsPoint, 5> imgPlayerCard0{}; // imgPlayer1Card(0) .. imgPlayer4Card(0)
    TwipsPoint cPlayer4Card0{};
    TwipsPoint imgVemoGuySmall{};
    TwipsPoint imgDeck{};
    TwipsPoint imgDiscard0{};
    TwipsPoint imgDiscardDeck{};
    TwipsPoint lblType{};
    TwipsPoint lblVerse{};
    TwipsPoint lblInstructionExtra{};
    TwipsPoint lblInstruction{};
    std::array<TwipsPoint, 5> lblPlayer{};
    std::array<TwipsPoint, 5> lblPlayerShadow{};
    TwipsPoint lblClick{};
    TwipsPoint lblClickShadow{}; // the sort hint's own shadow copy
    TwipsPoint cmdHumanVemo{};
};

// The shadow copies lie at least one whole pixel right of and below their
// text, so the dark edge shows on the light ends of every background.
FixedLayout LayoutFixedElements(const TableMetrics& metrics, const ElementSizes& sizes);

// The background gradient: direction 0 runs top to bottom, 1 left to right,
// 2 diagonally; colours start at the base and grow by the step per band.
struct PaintValues {
    int Direction;
    int Red, Green, Blue;
    int StepRed, StepGreen, StepBlue;
    std::uint32_t PaintColor; // 0xBBGGRR, also the back colour of the human's cards
};

// The gradient for a WindowColor 1..6 (anything else is grey) and a
// direction 0..2, which the window draws at random.
PaintValues SetPaintValues(int windowColor, int direction);

// One filled rectangle of the background, in pixels of the window's inside.
struct Band {
    int X, Y, Width, Height;
    int Red, Green, Blue;
    friend bool operator==(const Band&, const Band&) = default;
};

// Bands 1..count-1 in drawing order; each reaches the right and bottom edges
// and is overdrawn by the next, lighter one. A count of 0 means 32.
std::vector<Band> BackgroundBands(const PaintValues& paint, int innerWidthPx, int innerHeightPx, int count = 48);

// The colour family for this start: draws until it differs from the stored
// one, so the table never looks the same twice in a row.
int ChooseWindowColor(int stored, const std::function<int()>& draw);

} // namespace vemo
