// Where the table puts the hands and fixed elements, and how its background
// is banded. Every expected value below was worked out by hand from the
// layout formulas, with the rounding each one applies.

#include "RandomInteger.h"
#include "TableLayout.h"
#include "Twips.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

using namespace vemo;

namespace {

std::string Describe(const TwipsPoint& p)
{
    return "(" + std::to_string(p.Left) + ", " + std::to_string(p.Top) + ")";
}

// ---------------------------------------------------------------- hands

struct ArrangeCase {
    const char* what;
    int seat;
    int n;
    TableMetrics metrics;
    TwipsPoint card1;
    int step; // rows: card i + 1 is this much left of card i; columns: lower
};

// W 9600 x H 7200 with 300-twip status bars leaves H' = 6600.
constexpr TableMetrics kNormal{9600, 7200, 300, false, 150, 240};
constexpr TableMetrics kNormalOdd{9617, 7200, 300, false, 150, 240};
// W 19200 x H 14400, H' = 13800.
constexpr TableMetrics kMaximised{19200, 14400, 300, true, 150, 240};
constexpr TableMetrics kWideNotMaximised{19200, 14400, 300, false, 150, 240};

const ArrangeCase kArrangeCases[] = {
    // Fixed step 639: span 639 x 9 + 1065 = 6816, x = 9600 - 2784 \ 2 - 1065;
    // seat 4's top is H' - 1987.2, stored as 4613.
    {"10 cards fan at the fixed step", 4, 10, kNormal, {7143, 4613}, 639},
    // Squeezed: span 9600 - 2662.5 = 6937.5 stores as 6938 (tie to even),
    // step 5873 \ 10 = 587, x = 9600 - 2662 \ 2 - 1065.
    {"11 cards squeeze to W - 2.5 cards", 4, 11, kNormal, {7204, 4613}, 587},
    // 9617 - 2662.5 = 6954.5 stores as 6954 (tie to even, downwards), so the
    // step is 5889 \ 10 = 588, not 589; x = 9617 - 2663 \ 2 - 1065.
    {"top row, span tie rounds down to even", 2, 11, kNormalOdd, {7221, 240}, 588},
    // span 639 x 2 + 1065 = 2343, x = 9600 - 7257 \ 2 - 1065.
    {"top row keeps its anchor's top", 2, 3, kNormal, {4907, 240}, 639},
    // Maximised: 12 still fan, span 639 x 11 + 1065 = 8094, H' - 1987.2 = 11812.8.
    {"12 cards fan when maximised", 4, 12, kMaximised, {12582, 11813}, 639},
    // 19200 - 2662.5 = 16537.5 stores as 16538; step 15473 \ 12 = 1289.
    {"13 cards squeeze when maximised", 4, 13, kMaximised, {16804, 11813}, 1289},
    // The same wide window unmaximised squeezes 12: step 15473 \ 11 = 1406.
    {"12 cards squeeze when not maximised", 4, 12, kWideNotMaximised, {16804, 11813}, 1406},
    // One card: span is one card, centred: 9600 - 8535 \ 2 - 1065.
    {"a hand of one in a row", 4, 1, kNormal, {4268, 4613}, 639},
    // Narrow window: 3000 - 2662.5 = 337.5 stores as 338, the step
    // (338 - 1065) \ 10 truncates towards zero to -72, x = 3000 - 2662 \ 2 - 1065.
    {"a squeezed row in a narrow window truncates towards zero", 4, 11,
     {3000, 7200, 300, false, 150, 240}, {604, 4613}, -72},
};

const ArrangeCase kColumnCases[] = {
    // Step 0.27 x 1440 = 388.8 stores as 389; span 389 x 9 + 1440 = 4941,
    // y = (6600 - 4941) \ 2; seat 1 keeps its anchor's left.
    {"10 cards on the left at 389", 1, 10, kNormal, {150, 829}, 389},
    // Squeezed: span 6600 - 1152 = 5448, step 4008 \ 10 = 400, y = 1152 \ 2;
    // seat 3's left is 9600 - 1192.8, stored as 8407.
    {"11 cards on the right squeeze", 3, 11, kNormal, {8407, 576}, 400},
    // 9617 - 1192.8 = 8424.2; span 1829, y = 4771 \ 2.
    {"right column follows the width", 3, 2, kNormalOdd, {8424, 2385}, 389},
    {"a hand of one in a column", 1, 1, kNormal, {150, 2580}, 389},
    // span 389 x 11 + 1440 = 5719, y = 8081 \ 2.
    {"12 cards on the left fan when maximised", 1, 12, kMaximised, {150, 4040}, 389},
    // Maximised squeeze: span 13800 - 1152 = 12648, step 11208 \ 12 = 934.
    {"13 cards on the right squeeze when maximised", 3, 13, kMaximised, {18007, 576}, 934},
    // H' = 1601 - 600 = 1001, span 2218: y = -1217 \ 2 truncates to -608.
    {"a short window truncates towards zero", 1, 3, {9600, 1601, 300, false, 150, 240}, {150, -608}, 389},
};

TEST(TableLayout, RowsRunRightToLeftFromCard1)
{
    for (const ArrangeCase& c : kArrangeCases) {
        SCOPED_TRACE(c.what);
        const std::vector<TwipsPoint> cards = ArrangePlayersCards(c.seat, c.n, c.metrics);
        ASSERT_EQ(cards.size(), static_cast<std::size_t>(c.n));
        for (int i = 1; i <= c.n; ++i) {
            const TwipsPoint expected{c.card1.Left - (i - 1) * c.step, c.card1.Top};
            EXPECT_EQ(cards[static_cast<std::size_t>(i - 1)], expected)
                << "card " << i << " at " << Describe(cards[static_cast<std::size_t>(i - 1)]) << ", expected "
                << Describe(expected);
        }
    }
}

TEST(TableLayout, ColumnsRunTopToBottomFromCard1)
{
    for (const ArrangeCase& c : kColumnCases) {
        SCOPED_TRACE(c.what);
        const std::vector<TwipsPoint> cards = ArrangePlayersCards(c.seat, c.n, c.metrics);
        ASSERT_EQ(cards.size(), static_cast<std::size_t>(c.n));
        for (int i = 1; i <= c.n; ++i) {
            const TwipsPoint expected{c.card1.Left, c.card1.Top + (i - 1) * c.step};
            EXPECT_EQ(cards[static_cast<std::size_t>(i - 1)], expected)
                << "card " << i << " at " << Describe(cards[static_cast<std::size_t>(i - 1)]) << ", expected "
                << Describe(expected);
        }
    }
}

TEST(TableLayout, FannedRowIsCentredWithCard1Rightmost)
{
    // With the fixed step the row's outer edges are equally far from the sides.
    for (const TableMetrics& m : {kNormal, kNormalOdd, kMaximised}) {
        for (int n = 1; n <= (m.Maximised ? 12 : 10); ++n) {
            SCOPED_TRACE("W " + std::to_string(m.Width) + ", " + std::to_string(n) + " cards");
            const std::vector<TwipsPoint> cards = ArrangePlayersCards(4, n, m);
            ASSERT_EQ(cards.size(), static_cast<std::size_t>(n));
            const int leftGap = cards.back().Left;
            const int rightGap = m.Width - (cards.front().Left + kCardWidth);
            EXPECT_GE(leftGap, rightGap);
            EXPECT_LE(leftGap - rightGap, 1); // an odd remainder goes to the left
            for (std::size_t i = 1; i < cards.size(); ++i)
                EXPECT_LT(cards[i].Left, cards[i - 1].Left);
        }
    }
}

TEST(TableLayout, NoCardsOrNoSeatGiveNoPositions)
{
    const std::pair<int, int> cases[] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {4, -1}, {0, 5}, {5, 5}};
    for (const auto& [seat, n] : cases) {
        SCOPED_TRACE("seat " + std::to_string(seat) + ", " + std::to_string(n) + " cards");
        EXPECT_TRUE(ArrangePlayersCards(seat, n, kNormal).empty());
    }
}

// ---------------------------------------------------------------- fixed elements

struct FixedCase {
    const char* what;
    TableMetrics metrics;
    ElementSizes sizes;
    FixedLayout expected;
};

std::vector<std::pair<std::string, TwipsPoint>> Elements(const FixedLayout& f)
{
    std::vector<std::pair<std::string, TwipsPoint>> all;
    for (int seat = 1; seat <= 4; ++seat)
        all.emplace_back("imgPlayer" + std::to_string(seat) + "Card(0)", f.imgPlayerCard0[static_cast<std::size_t>(seat)]);
    all.emplace_back("cPlayer4Card(0)", f.cPlayer4Card0);
    all.emplace_back("imgVemoGuySmall", f.imgVemoGuySmall);
    all.emplace_back("imgDeck", f.imgDeck);
    all.emplace_back("imgDiscard(0)", f.imgDiscard0);
    all.emplace_back("imgDiscardDeck", f.imgDiscardDeck);
    all.emplace_back("lblType", f.lblType);
    all.emplace_back("lblVerse", f.lblVerse);
    all.emplace_back("lblInstructionExtra", f.lblInstructionExtra);
    all.emplace_back("lblInstruction", f.lblInstruction);
    for (int seat = 1; seat <= 4; ++seat) {
        const auto i = static_cast<std::size_t>(seat);
        all.emplace_back("lblPlayer(" + std::to_string(seat) + ")", f.lblPlayer[i]);
        all.emplace_back("lblPlayerShadow(" + std::to_string(seat) + ")", f.lblPlayerShadow[i]);
    }
    all.emplace_back("lblClick", f.lblClick);
    all.emplace_back("lblClickShadow", f.lblClickShadow);
    all.emplace_back("cmdHumanVemo", f.cmdHumanVemo);
    return all;
}

ElementSizes SizesA()
{
    ElementSizes s;
    s.DiscardWidth = 2130;
    s.DiscardHeight = 2880;
    s.PlayerLabelWidth = {0, 900, 1001, 1200, 1500};
    s.PlayerShadowWidth = {0, 900, 1003, 1201, 1499};
    s.ClickWidth = 4501;
    s.HumanVemoWidth = 2400;
    s.HumanHoldsCards = true;
    s.HumanCard1Top = 4613;
    return s;
}

ElementSizes SizesB()
{
    ElementSizes s;
    s.DiscardWidth = 1598;
    s.DiscardHeight = 2161;
    s.PlayerLabelWidth = {0, 0, 2000, 1800, 1700};
    s.PlayerShadowWidth = {0, 0, 2000, 1800, 1701};
    s.ClickWidth = 4500;
    s.HumanVemoWidth = 2401;
    s.HumanHoldsCards = false;
    s.HumanCard1Top = 99999; // must not be used without cards
    return s;
}

FixedLayout ExpectedA()
{
    // W 9600, H 7200, status bars 300; L, T = 4858, 2522; Wd, Hd = 2130, 2880.
    FixedLayout f;
    f.imgPlayerCard0 = {{{0, 0},
                         {150, 2722},    // unchanged, 0.378 x 7200 = 2721.6
                         {4214, 240},    // 0.439 x 9600 = 4214.4, unchanged
                         {8407, 2542},   // 9600 - 1192.8, 0.353 x 7200 = 2541.6
                         {4268, 4613}}}; // 9600 - 8535 \ 2 - 1065, 6600 - 1987.2
    f.cPlayer4Card0 = {4268, 4613};
    f.imgVemoGuySmall = {6144, 3470};    // 0.64 x 9600, 0.482 x 7200 = 3470.4
    f.imgDeck = {3587, 2477};            // 4800 - 1212.75, 0.344 x 7200 = 2476.8
    f.imgDiscard0 = {4858, 2522};        // 4800 + 57.75, deck top + 45
    f.imgDiscardDeck = {4906, 2552};     // 0.511 x 9600 = 4905.6, deck top + 75
    f.lblType = {4920, 2551};            // L + 61.77, T + 28.8
    f.lblVerse = {5163, 3158};           // L + 304.59, T + 636.48
    f.lblInstructionExtra = {4920, 4624}; // L + 61.77, T + 2102.4
    f.lblInstruction = {4920, 4970};     // L + 61.77, T + 2448
    f.lblPlayer = {{{0, 0},
                    {1219, 3161},        // 0.127 x 9600 = 1219.2, 0.439 x 7200 = 3160.8
                    {4300, 1700},        // 8599 / 2 = 4299.5 to even, 240 + 1440 + 20
                    {7133, 3161},        // 8332.8 - 1200
                    {4050, 4296}}};      // 8100 / 2, card 1 top 4613 - 316.8
    f.lblPlayerShadow = {{{0, 0},
                          {1238, 3175},  // 0.129 x 9600 = 1238.4, 0.441 x 7200 = 3175.2
                          {4305, 1710},  // 8597 / 2 = 4298.5 shares the name's pixel 286: 287
                          {7141, 3175},  // 8342.4 - 1201
                          {4065, 4306}}}; // 8101 / 2 = 4050.5 shares pixel 270: 271; name + 10
    f.lblClick = {2549, 6053};           // 5099 \ 2, 4613 + 1440
    f.lblClickShadow = {2550, 6060};     // the pixel after (169, 403)
    f.cmdHumanVemo = {3600, 5018};       // 7200 \ 2, 0.697 x 7200 = 5018.4
    return f;
}

FixedLayout ExpectedB()
{
    // W 12345, H 9876, status bars 345; L, T = 6230, 3442; Wd, Hd = 1598, 2161.
    FixedLayout f;
    f.imgPlayerCard0 = {{{0, 0},
                         {0, 3733},      // 0.378 x 9876 = 3733.128
                         {5419, 300},    // 0.439 x 12345 = 5419.455
                         {11152, 3486},  // 12345 - 1192.8, 0.353 x 9876 = 3486.228
                         {5640, 7199}}}; // 12345 - 11280 \ 2 - 1065, 9186 - 1987.2
    f.cPlayer4Card0 = {5640, 7199};
    f.imgVemoGuySmall = {7901, 4760};    // 7900.8, 4760.232
    f.imgDeck = {4959, 3397};            // 12345 \ 2 = 6172, - 1212.75; 3397.344
    f.imgDiscard0 = {6230, 3442};        // 6172 + 57.75
    f.imgDiscardDeck = {6308, 3472};     // 6308.295
    f.lblType = {6276, 3464};            // L + 46.342, T + 21.61
    f.lblVerse = {6459, 3920};           // L + 228.514, T + 477.581
    f.lblInstructionExtra = {6276, 5020}; // T + 1577.53
    f.lblInstruction = {6276, 5279};     // T + 1836.85
    f.lblPlayer = {{{0, 0},
                    {1568, 4336},        // 1567.815, 4335.564
                    {5172, 1760},        // 10345 / 2 = 5172.5 to even, 300 + 1440 + 20
                    {8915, 4336},        // 10715.46 - 1800
                    {5322, 6882}}};      // 10645 / 2 = 5322.5 to even; no cards: anchor 7199 - 316.8
    f.lblPlayerShadow = {{{0, 0},
                          {1593, 4355},  // 1592.505, 4355.316
                          {5175, 1770},  // the name's pixel 344 moves on to 345
                          {8928, 4355},  // 10727.805 - 1800
                          {5325, 6892}}}; // 10644 / 2 shares pixel 354: 355
    f.lblClick = {3922, 8639};           // 7845 \ 2, 7199 + 1440
    f.lblClickShadow = {3930, 8640};     // the pixel after (261, 575)
    f.cmdHumanVemo = {4972, 6884};       // 9944 \ 2, 6883.572
    return f;
}

TEST(TableLayout, FixedElementsFollowTheWindow)
{
    const FixedCase cases[] = {
        {"640 x 480 pixels, human holds cards", kNormal, SizesA(), ExpectedA()},
        {"odd size, human holds none", {12345, 9876, 345, false, 0, 300}, SizesB(), ExpectedB()},
    };
    for (const FixedCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto actual = Elements(LayoutFixedElements(c.metrics, c.sizes));
        const auto expected = Elements(c.expected);
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_EQ(actual[i].second, expected[i].second)
                << expected[i].first << " at " << Describe(actual[i].second) << ", expected "
                << Describe(expected[i].second);
    }
}

TEST(TableLayout, ShadowsShowAtLeastOnePixelRightAndBelow)
{
    for (const TableMetrics& m : {kNormal, kNormalOdd, kMaximised, TableMetrics{12345, 9876, 345, false, 0, 300},
                                  TableMetrics{4000, 3000, 300, false, 0, 0},
                                  TableMetrics{12345, 9876, 345, false, 0, 300, 1.3},
                                  TableMetrics{kNormal.Width, kNormal.Height, 300, false, 360, 180, 2.37}}) {
        for (const ElementSizes& s : {SizesA(), SizesB()}) {
            const FixedLayout f = LayoutFixedElements(m, s);
            std::vector<std::pair<TwipsPoint, TwipsPoint>> pairs{{f.lblClick, f.lblClickShadow}};
            for (std::size_t seat = 1; seat <= 4; ++seat) pairs.emplace_back(f.lblPlayer[seat], f.lblPlayerShadow[seat]);
            for (const auto& [text, shadow] : pairs) {
                SCOPED_TRACE("W " + std::to_string(m.Width) + ", text at " + Describe(text));
                EXPECT_GE(TwipsToPixels(shadow.Left, m.Scale) - TwipsToPixels(text.Left, m.Scale), 1) << Describe(shadow);
                EXPECT_GE(TwipsToPixels(shadow.Top, m.Scale) - TwipsToPixels(text.Top, m.Scale), 1) << Describe(shadow);
            }
        }
    }
}

// The table grows only as far as its start layout still fits both ways, and
// never shrinks below it; at factor 1 twips turn into pixels as always.
TEST(TableLayout, ScaleFollowsTheTighterSideOfTheWindow)
{
    struct Row {
        int width, height;
        double scale;
    } const rows[] = {{800, 550, 1.0}, {640, 400, 1.0}, {1600, 550, 1.0}, {1600, 1100, 2.0}, {1920, 990, 1.8}};
    for (const Row& row : rows) EXPECT_DOUBLE_EQ(TableScaleFactor(row.width, row.height, 800, 550), row.scale) << row.width;
    for (int twips : {0, 14, 15, 1065, 1440, 9874, -31}) {
        EXPECT_EQ(TwipsToPixels(twips, 1.0), TwipsToPixels(twips)) << twips;
        EXPECT_EQ(PixelsToTwips(twips, 1.0), PixelsToTwips(twips)) << twips;
    }
}

TEST(TableLayout, FixedElementTiesRoundToEven)
{
    struct Tie {
        int width;
        int expectedAnchor2Left; // 0.439 x W
    };
    // 0.439 x 1500 = 658.5 and 0.439 x 2500 = 1097.5: exact ties in decimal.
    const Tie ties[] = {{1500, 658}, {2500, 1098}, {3500, 1536}, {4500, 1976}};
    for (const Tie& t : ties) {
        SCOPED_TRACE("W " + std::to_string(t.width));
        const FixedLayout f = LayoutFixedElements({t.width, 7200, 300, false, 0, 0}, ElementSizes{});
        EXPECT_EQ(f.imgPlayerCard0[2].Left, t.expectedAnchor2Left);
    }
}

TEST(TableLayout, HumanNameSitsAboveItsCardsOrItsAnchor)
{
    struct Case {
        bool holds;
        int card1Top;
        int expectedTop;
    };
    // Anchor top at W 9600 x H 7200: 6600 - 1987.2 = 4613.
    const Case cases[] = {
        {true, 4613, 4296},  // 4613 - 316.8
        {true, 1000, 683},   // a stale card 1 position is still what counts
        {false, 1000, 4296}, // without cards the anchor counts
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.holds) + " " + std::to_string(c.card1Top));
        ElementSizes s;
        s.HumanHoldsCards = c.holds;
        s.HumanCard1Top = c.card1Top;
        const FixedLayout f = LayoutFixedElements(kNormal, s);
        EXPECT_EQ(f.lblPlayer[4].Top, c.expectedTop);
        EXPECT_EQ(f.lblPlayerShadow[4].Top, c.expectedTop + 10);
    }
}

TEST(TableLayout, HumanAnchorMatchesTheArrangedSingleCard)
{
    // The anchor formula is the one-card row, so a dealt card lands on it.
    for (const TableMetrics& m : {kNormal, kNormalOdd, kMaximised, TableMetrics{12345, 9876, 345, false, 0, 0}}) {
        SCOPED_TRACE(m.Width);
        const FixedLayout f = LayoutFixedElements(m, ElementSizes{});
        EXPECT_EQ(ArrangePlayersCards(4, 1, m).front(), f.imgPlayerCard0[4]);
    }
}

// ---------------------------------------------------------------- background

TEST(Background, SixColourFamilies)
{
    struct Case {
        int windowColor;
        PaintValues expected;
    };
    const Case cases[] = {
        {1, {0, 50, 0, 0, 4, 0, 0, 255}},
        {2, {1, 0, 50, 0, 0, 4, 0, 65280}},
        {3, {2, 0, 0, 50, 0, 0, 4, 16711680}},
        {4, {0, 50, 0, 50, 4, 0, 4, 12583104}},
        {5, {1, 0, 50, 50, 0, 4, 4, 16776960}},
        {6, {2, 50, 50, 50, 4, 4, 4, 8421504}},
        {0, {0, 50, 50, 50, 4, 4, 4, 8421504}},
        {7, {1, 50, 50, 50, 4, 4, 4, 8421504}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowColor);
        const PaintValues p = SetPaintValues(c.windowColor, c.expected.Direction);
        EXPECT_EQ(p.Direction, c.expected.Direction);
        EXPECT_EQ(p.Red, c.expected.Red);
        EXPECT_EQ(p.Green, c.expected.Green);
        EXPECT_EQ(p.Blue, c.expected.Blue);
        EXPECT_EQ(p.StepRed, c.expected.StepRed);
        EXPECT_EQ(p.StepGreen, c.expected.StepGreen);
        EXPECT_EQ(p.StepBlue, c.expected.StepBlue);
        EXPECT_EQ(p.PaintColor, c.expected.PaintColor);
    }
}

TEST(Background, BandsCoverTheWindowFromTheirStart)
{
    struct Case {
        const char* what;
        int direction;
        int width, height, count;
        std::size_t bands;
        int xStep, yStep; // band k starts at (k - 1) x (s + 1)
    };
    const Case cases[] = {
        // s = 480 \ 48 = 10: band 45 would start at 44 x 11 = 484.
        {"downwards, stops past the bottom", 0, 640, 480, 48, 44, 0, 11},
        // s = 640 \ 48 = 13: band 47 would start at 46 x 14 = 644.
        {"across, stops past the right", 1, 640, 480, 48, 46, 14, 0},
        // Wide enough for all 47: s = 50, band 47 at 46 x 51 = 2346.
        {"all 47 bands", 1, 2400, 480, 48, 47, 51, 0},
        // Both offsets, each with its own s; the height runs out first.
        {"diagonal", 2, 2400, 480, 48, 44, 51, 11},
        {"diagonal, width runs out first", 2, 640, 2400, 48, 46, 14, 51},
        // s = 0: one-pixel bands, the last starting on the last pixel row.
        {"tiny window", 0, 10, 10, 48, 10, 0, 1},
        {"count 0 means 32", 0, 320, 3200, 0, 31, 0, 101},
        {"count 32", 0, 320, 3200, 32, 31, 0, 101},
        {"count 1 draws nothing", 0, 640, 480, 1, 0, 0, 11},
        {"empty window", 0, 0, 0, 48, 0, 0, 0},
    };
    const PaintValues grey = SetPaintValues(6, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PaintValues p = grey;
        p.Direction = c.direction;
        const std::vector<Band> bands = BackgroundBands(p, c.width, c.height, c.count);
        ASSERT_EQ(bands.size(), c.bands);
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const int x = static_cast<int>(i) * c.xStep;
            const int y = static_cast<int>(i) * c.yStep;
            const Band& b = bands[i];
            EXPECT_EQ(b.X, x) << "band " << i + 1;
            EXPECT_EQ(b.Y, y) << "band " << i + 1;
            EXPECT_EQ(b.X + b.Width, c.width) << "band " << i + 1;
            EXPECT_EQ(b.Y + b.Height, c.height) << "band " << i + 1;
            EXPECT_GT(b.Width, 0);
            EXPECT_GT(b.Height, 0);
        }
    }
}

TEST(Background, ColoursGrowFromTheBaseAndStayInRange)
{
    struct Case {
        const char* what;
        PaintValues paint;
        std::vector<std::vector<int>> firstBands; // red, green, blue of bands 1, 2, ...
        std::vector<int> last;
    };
    const Case cases[] = {
        {"red family", SetPaintValues(1, 1), {{50, 0, 0}, {54, 0, 0}, {58, 0, 0}}, {50 + 46 * 4, 0, 0}},
        {"cyan family", SetPaintValues(5, 1), {{0, 50, 50}, {0, 54, 54}}, {0, 234, 234}},
        {"held at 255 and 0", {1, 250, 10, 0, 4, -6, 0, 0}, {{250, 10, 0}, {254, 4, 0}, {255, 0, 0}, {255, 0, 0}},
         {255, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Band> bands = BackgroundBands(c.paint, 2400, 2400);
        ASSERT_EQ(bands.size(), 47u);
        for (std::size_t i = 0; i < c.firstBands.size(); ++i) {
            EXPECT_EQ(bands[i].Red, c.firstBands[i][0]) << "band " << i + 1;
            EXPECT_EQ(bands[i].Green, c.firstBands[i][1]) << "band " << i + 1;
            EXPECT_EQ(bands[i].Blue, c.firstBands[i][2]) << "band " << i + 1;
        }
        EXPECT_EQ(bands.back().Red, c.last[0]);
        EXPECT_EQ(bands.back().Green, c.last[1]);
        EXPECT_EQ(bands.back().Blue, c.last[2]);
    }
}

TEST(Background, WindowColourNeverRepeatsTheStoredOne)
{
    struct Case {
        int stored;
        std::vector<int> draws;
        int expected;
        std::size_t drawsUsed;
    };
    const Case cases[] = {
        {1, {1, 1, 1, 4}, 4, 4},
        {3, {2}, 2, 1},
        {6, {6, 6, 5, 6}, 5, 3},
        {2, {1}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        std::size_t used = 0;
        const int chosen = ChooseWindowColor(c.stored, [&] { return c.draws.at(used++); });
        EXPECT_EQ(chosen, c.expected);
        EXPECT_EQ(used, c.drawsUsed);
    }
}

TEST(Background, EveryStartTakesAnotherColour)
{
    SeedRandom(20240611);
    for (int stored = 1; stored <= 6; ++stored) {
        SCOPED_TRACE(stored);
        for (int start = 0; start < 200; ++start) {
            const int chosen = ChooseWindowColor(stored, [] { return RandomInteger(6, 1); });
            EXPECT_NE(chosen, stored);
            EXPECT_GE(chosen, stored == 1 ? 2 : 1); // the default "1" gives 2..6 on the first start
            EXPECT_LE(chosen, 6);
        }
    }
    UnseedRandom();
}

} // namespace
