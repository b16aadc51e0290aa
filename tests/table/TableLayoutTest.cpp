// Where the table puts its pieces. The window's own elements are compared
// with the rectangles the layout formulas give for the window's real size, at
// each scale; the hands' fanning and squeezing, rounding ties and the
// background are checked on the plain functions with values worked out by hand.

#include "GameLogPanel.h"
#include "TableLayout.h"
#include "TableWindowFixture.h"
#include "Twips.h"
#include "cVemoCard.h"


#include <cmath>
#include <sstream>
#include <tuple>

using namespace vemo;

namespace {

// A stored value: thousandths rounded to the nearest twip, ties to even (a tie
// n / 1000.0 is exact, and nearbyint rounds ties to even).
int Stored(long long thousandths) { return static_cast<int>(std::nearbyint(static_cast<double>(thousandths) / 1000.0)); }

// Every element of the table whose rectangle differs from the formulas', with
// both rectangles; empty when all stand where they should. Labels are checked
// by their corner, pictures and cards by the whole rectangle.
std::string Misplaced(const frmMain& table, double s)
{
    QWidget* surface = table.Deck()->parentWidget();
    const auto px = [s](int twips) { return TwipsToPixels(twips, s); };
    const auto at = [&](int left, int top) { return QPoint(px(left), px(top)); };
    const auto size = [&](int w, int h) { return QSize(px(PixelsToTwips(w)), px(PixelsToTwips(h))); };
    const auto named = [&](const QString& name) { return table.findChild<QWidget*>(name); };
    const auto width = [s](const QWidget* w) { return PixelsToTwips(w->width(), s); };
    // A shadow is the label stacked right under its text, at least a pixel right of and below it.
    const auto under = [](QWidget* text) {
        const QObjectList& all = text->parentWidget()->children();
        return qobject_cast<QWidget*>(all.at(all.indexOf(text) - 1));
    };
    const auto beside = [](QPoint text, QPoint shadow) {
        return QPoint(std::max(shadow.x(), text.x() + 1), std::max(shadow.y(), text.y() + 1));
    };
    // The window's outer size is the surface between the status bars and the bars themselves.
    const int bar = PixelsToTwips(named(QStringLiteral("sbTop1"))->parentWidget()->height(), s);
    const int W = PixelsToTwips(surface->width(), s), playing = PixelsToTwips(surface->height(), s);
    const int H = playing + 2 * bar;
    const int deckTop = Stored(344LL * H);
    const int L = Stored(1000LL * (W / 2) + 50LL * 1155), T = deckTop + 45; // the pile's corner
    const int humanTop = Stored(1000LL * playing - 1380LL * kCardHeight);
    const int card1Top = PixelsToTwips(px(humanTop), s); // as the window reads it back from the face

    struct Row { std::string name; QWidget* widget; QPoint at; QSize size; }; // an empty size: the corner alone
    std::vector<Row> rows = {
        {"imgVemoGuySmall", named("imgVemoGuySmall"), at(Stored(640LL * W), Stored(482LL * H)), size(45, 54)},
        {"imgDeck", named("imgDeck"), at(Stored(1000LL * (W / 2) - 1050LL * 1155), deckTop), size(77, 102)},
        {"imgDiscard", named("imgDiscard"), at(L, T), size(113, 153)},
        {"cmdHumanVemo", named("cmdHumanVemo"), at((W - width(named("cmdHumanVemo"))) / 2, Stored(697LL * H)), {}},
    };
    // The card panel's labels lie over the pile, 113 x 153 pixels: Wd 1695, Hd 2295.
    for (const auto& [name, x, y] : {std::tuple{"lblType", 29, 10}, {"lblVerse", 143, 221}, {"lblInstructionExtra", 29, 730},
                                     {"lblInstruction", 29, 850}})
        rows.push_back({name, named(name), at(Stored(1000LL * L + x * 1695LL), Stored(1000LL * T + y * 2295LL)), {}});
    QWidget* click = named("lblClick");
    const QPoint clickAt = at((W - width(click)) / 2, humanTop + kCardHeight);
    rows.push_back({"lblClick", click, clickAt, {}});
    rows.push_back({"lblClickShadow", under(click), beside(clickAt, clickAt), {}});
    for (int seat = 1; seat <= 4; ++seat) {
        QWidget* name = named(QStringLiteral("lblPlayer%1").arg(seat));
        QWidget* shadow = under(name);
        // Centred names use a true halving, rounded: 500 thousandths of what is left.
        const std::pair<QPoint, QPoint> places[] = {
            {at(Stored(127LL * W), Stored(439LL * H)), at(Stored(129LL * W), Stored(441LL * H))},
            {at(Stored(500LL * (W - width(name))), 180 + kCardHeight + 20),
             at(Stored(500LL * (W - width(shadow))), 180 + kCardHeight + 30)},
            {at(Stored(868LL * W - 1000LL * width(name)), Stored(439LL * H)),
             at(Stored(869LL * W - 1000LL * width(shadow)), Stored(441LL * H))},
            {at(Stored(500LL * (W - width(name))), Stored(1000LL * card1Top - 220LL * kCardHeight)),
             at(Stored(500LL * (W - width(shadow))), Stored(1000LL * card1Top - 220LL * kCardHeight) + 10)},
        };
        const auto [nameAt, shadowAt] = places[seat - 1];
        rows.push_back({"lblPlayer" + std::to_string(seat), name, nameAt, {}});
        rows.push_back({"lblPlayerShadow" + std::to_string(seat), shadow, beside(nameAt, shadowAt), {}});
    }
    // Card 1 of a row is rightmost, of a column topmost; up to ten fan at a fixed step, more squeeze.
    for (int seat = 1; seat <= 4; ++seat) {
        const int n = table.CardImages(seat);
        if (n == 0) continue;
        const bool row = seat % 2 == 0;
        const int length = row ? kCardWidth : kCardHeight;
        const int room = row ? Stored(1000LL * W - 2500LL * kCardWidth) : Stored(1000LL * playing - 800LL * kCardHeight);
        const int step = n > 10 ? (room - length) / (n - 1) : (row ? 639 : 389);
        const int span = n > 10 ? room : step * (n - 1) + length;
        const int start = row ? W - (W - span) / 2 - kCardWidth : (playing - span) / 2;
        const int across = seat == 1 ? 360 : seat == 2 ? 180 : seat == 3 ? Stored(1000LL * W - 1120LL * kCardWidth) : humanTop;
        const auto card = [&](int i) {
            const int along = row ? start - (i - 1) * step : start + (i - 1) * step;
            return QRect(row ? at(along, across) : at(across, along), size(71, 96));
        };
        QRect hand; // the seat's hand as screen readers find it covers its cards
        for (int i = 1; i <= n; ++i) {
            hand |= card(i);
            if (seat == 4) rows.push_back({"card " + std::to_string(i), table.HumanFace(i), card(i).topLeft(), card(i).size()});
        }
        if (seat < 4) rows.push_back({"hand " + std::to_string(seat), table.HandArea(seat), hand.topLeft(), hand.size()});
    }
    std::ostringstream out;
    for (const Row& r : rows) {
        const QRect is = r.widget->geometry();
        if (is.topLeft() != r.at || (!r.size.isEmpty() && is.size() != r.size))
            out << r.name << " at " << is.x() << "," << is.y() << " " << is.width() << "x" << is.height() << ", expected "
                << r.at.x() << "," << r.at.y() << " " << r.size.width() << "x" << r.size.height() << "\n";
    }
    return out.str();
}

// Grown to one and a half and twice the size, twice the size when the player
// keeps the table from scaling, and back at the start size; then with the game
// log opened beside the table (the window widens or the table narrows) and
// closed again, when the window is back at its size. Each size is a new layout
// with the cards dealt, so the human's name follows card 1 as it lies.
TEST_F(TableWindow, EveryElementStandsWhereTheFormulasPutIt)
{
    ShowAndDeal();
    ASSERT_NE(Hold(), nullptr); // the hands stay still
    QAction* scaling = table->MenuAction(QStringLiteral("mnuOptionsScale"));
    ASSERT_TRUE(scaling->isChecked());
    const QSize start = table->size();
    QWidget* surface = table->Deck()->parentWidget();
    // The table grows only as far as its start layout still fits both ways. A row
    // that opens or closes the log leaves the size to the window.
    const struct { QSize size; bool scaling; double scale; bool log; } rows[] = {
        {start * 3 / 2, true, 1.5, false}, {start * 2, true, 2.0, false},
        {QSize(start.width() * 2, start.height()), true, 1.0, false}, {start * 2, false, 1.0, false},
        {start, true, 1.0, false}, {QSize(), true, 1.0, true}, {start, true, 1.0, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.size.width()) + "x" + std::to_string(row.size.height()) + " " +
                     std::to_string(row.scaling) + " log " + std::to_string(row.log));
        if (scaling->isChecked() != row.scaling) scaling->trigger();
        QAction* log = table->MenuAction(QStringLiteral("mnuViewGameLog"));
        if (log->isChecked() != row.log) log->trigger();
        else table->resize(row.size);
        const auto placed = [&] {
            return table->TableScale() == row.scale && Misplaced(*table, row.scale).empty() &&
                   (row.size.isEmpty() || table->size() == row.size) &&
                   (!row.log || (table->GameLog()->width() > 100 &&
                                 surface->width() + table->GameLog()->width() <= table->width()));
        };
        ASSERT_TRUE(QTest::qWaitFor(placed, 5000)) << Misplaced(*table, row.scale) << table->width() << " "
                                                   << surface->width() << " " << table->TableScale();
    }
}

// ---------------------------------------------------------------- the plain functions

// W 9600 x H 7200 with 300-twip status bars leaves H' = 6600.
constexpr TableMetrics kNormal{9600, 7200, 300, false, 150, 240};
constexpr TableMetrics kNormalOdd{9617, 7200, 300, false, 150, 240};
// W 19200 x H 14400, H' = 13800.
constexpr TableMetrics kMaximised{19200, 14400, 300, true, 150, 240};
constexpr TableMetrics kWideNotMaximised{19200, 14400, 300, false, 150, 240};

TEST(TableLayout, HandsFanOrSqueezeFromCard1)
{
    // Rows: card i + 1 is step left of card i; columns: step lower.
    const struct { const char* what; int seat, n; TableMetrics metrics; TwipsPoint card1; int step; } cases[] = {
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
        // Columns: step 0.27 x 1440 = 388.8 stores as 389; span 389 x 9 + 1440 = 4941,
        // y = (6600 - 4941) \ 2; seat 1 keeps its anchor's left.
        {"10 cards on the left at 389", 1, 10, kNormal, {150, 829}, 389},
        // Squeezed: span 6600 - 1152 = 5448, step 4008 \ 10 = 400, y = 1152 \ 2;
        // seat 3's left is 9600 - 1192.8, stored as 8407.
        {"11 cards on the right squeeze", 3, 11, kNormal, {8407, 576}, 400},
        // 9617 - 1192.8 = 8424.2; span 1829, y = 4771 \ 2.
        {"right column follows the width", 3, 2, kNormalOdd, {8424, 2385}, 389},
        // span 389 x 11 + 1440 = 5719, y = 8081 \ 2.
        {"12 cards on the left fan when maximised", 1, 12, kMaximised, {150, 4040}, 389},
        // Maximised squeeze: span 13800 - 1152 = 12648, step 11208 \ 12 = 934.
        {"13 cards on the right squeeze when maximised", 3, 13, kMaximised, {18007, 576}, 934},
        // H' = 1601 - 600 = 1001, span 2218: y = -1217 \ 2 truncates to -608.
        {"a short window truncates towards zero", 1, 3, {9600, 1601, 300, false, 150, 240}, {150, -608}, 389},
        // No cards or no such seat: no places.
        {"no cards", 4, 0, kNormal, {}, 0}, {"fewer than none", 2, -1, kNormal, {}, 0},
        {"seat 0", 0, 5, kNormal, {}, 0},   {"seat 5", 5, 5, kNormal, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TwipsPoint> cards = ArrangePlayersCards(c.seat, c.n, c.metrics);
        ASSERT_EQ(cards.size(), static_cast<std::size_t>(c.seat >= 1 && c.seat <= 4 ? std::max(c.n, 0) : 0));
        for (int i = 1; i <= static_cast<int>(cards.size()); ++i) {
            const TwipsPoint expected = c.seat % 2 == 0 ? TwipsPoint{c.card1.Left - (i - 1) * c.step, c.card1.Top}
                                                        : TwipsPoint{c.card1.Left, c.card1.Top + (i - 1) * c.step};
            const TwipsPoint& is = cards[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(is, expected) << "card " << i << " at " << is.Left << "," << is.Top;
        }
    }
}

// Ties round to even (0.127 x 1500 = 190.5, 0.697 x 500 = 348.5); the human's
// name sits above card 1 as it lies, or above the hand's anchor without cards.
TEST(TableLayout, FixedElementTiesAndTheHumansName)
{
    const struct { int width, height; bool holds; int card1Top; TwipsPoint name1, vemo, name4; } cases[] = {
        {500, 500, false, 0, {64, 220}, {250, 348}, {250, -2404}},
        {1500, 1500, false, 0, {190, 658}, {750, 1046}, {750, -1404}},
        // Card 1 at 1000 puts the name 316.8 above it; without cards the anchor's top,
        // 6600 - 1987.2 of H' 6600, stores as 4613, whatever card 1 stood at.
        {9600, 7200, true, 1000, {1219, 3161}, {4800, 5018}, {4800, 683}},
        {9600, 7200, false, 1000, {1219, 3161}, {4800, 5018}, {4800, 4296}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.card1Top));
        ElementSizes sizes;
        sizes.HumanHoldsCards = c.holds;
        sizes.HumanCard1Top = c.card1Top;
        const FixedLayout f = LayoutFixedElements({c.width, c.height, 300, false, 0, 0}, sizes);
        EXPECT_EQ(f.lblPlayer[1], c.name1);
        EXPECT_EQ(f.cmdHumanVemo, c.vemo);
        EXPECT_EQ(f.lblPlayer[4], c.name4);
    }
}

// ---------------------------------------------------------------- background

TEST(Background, BandsCoverTheWindowFromTheirStart)
{
    // Band k starts at (k - 1) x (s + 1) on each axis it moves along.
    const struct { const char* what; int direction, width, height, count; std::size_t bands; int xStep, yStep; } cases[] = {
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
        {"count 1 draws nothing", 0, 640, 480, 1, 0, 0, 11},
        {"empty window", 0, 0, 0, 48, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PaintValues p = SetPaintValues(6, c.direction);
        const std::vector<Band> bands = BackgroundBands(p, c.width, c.height, c.count);
        ASSERT_EQ(bands.size(), c.bands);
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const Band& b = bands[i];
            EXPECT_EQ(QRect(b.X, b.Y, b.Width, b.Height),
                      QRect(QPoint(static_cast<int>(i) * c.xStep, static_cast<int>(i) * c.yStep),
                            QPoint(c.width - 1, c.height - 1)))
                << "band " << i + 1;
        }
    }
}

TEST(Background, ColoursGrowFromTheBaseAndStayInRange)
{
    // Red, green, blue of bands 1, 2, ..., then of the last.
    const struct { const char* what; PaintValues paint; std::vector<std::vector<int>> bands; } cases[] = {
        {"red family", SetPaintValues(1, 1), {{50, 0, 0}, {54, 0, 0}, {58, 0, 0}, {50 + 46 * 4, 0, 0}}},
        {"cyan family", SetPaintValues(5, 1), {{0, 50, 50}, {0, 54, 54}, {0, 234, 234}}},
        {"held at 255 and 0", {1, 250, 10, 0, 4, -6, 0, 0}, {{250, 10, 0}, {254, 4, 0}, {255, 0, 0}, {255, 0, 0}, {255, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Band> bands = BackgroundBands(c.paint, 2400, 2400);
        ASSERT_EQ(bands.size(), 47u);
        for (std::size_t i = 0; i < c.bands.size(); ++i) {
            const Band& b = i + 1 < c.bands.size() ? bands[i] : bands.back();
            EXPECT_EQ((std::vector<int>{b.Red, b.Green, b.Blue}), c.bands[i]) << "row " << i;
        }
    }
}

TEST(Background, WindowColourNeverRepeatsTheStoredOne)
{
    const struct { int stored; std::vector<int> draws; int expected; std::size_t drawsUsed; } cases[] = {{1, {1, 1, 1, 4}, 4, 4}, {3, {2}, 2, 1}, {6, {6, 6, 5, 6}, 5, 3}, {2, {1}, 1, 1}};
    for (const auto& c : cases) {
        std::size_t used = 0;
        EXPECT_EQ(ChooseWindowColor(c.stored, [&] { return c.draws.at(used++); }), c.expected) << c.stored;
        EXPECT_EQ(used, c.drawsUsed) << c.stored;
    }
}

} // namespace
