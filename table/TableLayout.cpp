// The table's layout and background, as the window's formulas give them.

#include "TableLayout.h"

#include "Twips.h"

#include <algorithm>

namespace vemo {

namespace {

// Nearest integer to num / den (den > 0), ties to the even neighbour.
int RoundHalfEven(long long num, long long den)
{
    long long q = num / den;
    long long r = num % den;
    if (r < 0) { // floor, so that the remainder is never negative
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

// A value given in thousandths, as it is when stored. Decimal factors are
// written as thousandths (0.439 x W is 439 * W) so no binary fraction can
// tip a tie either way.
int Stored(long long thousandths) { return RoundHalfEven(thousandths, 1000); }

long long K(int value) { return 1000LL * value; }

// A shadow a few twips off its text lands on the same pixel and does not show:
// it moves on to the next pixel right and down where it would, at the scale
// the table is drawn at.
TwipsPoint ShadowBeside(TwipsPoint text, TwipsPoint shadow, double scale)
{
    const auto nextPixel = [scale](int twips) {
        const int pixel = TwipsToPixels(twips, scale);
        int next = PixelsToTwips(pixel + 1, scale);
        while (TwipsToPixels(next, scale) <= pixel) ++next;
        return next;
    };
    return {std::max(shadow.Left, nextPixel(text.Left)), std::max(shadow.Top, nextPixel(text.Top))};
}

int FanLimit(const TableMetrics& m) { return m.Maximised ? 12 : 10; }

std::vector<TwipsPoint> ArrangeRow(int seat, int n, const TableMetrics& m)
{
    const int cw = kCardWidth;
    const int ch = kCardHeight;
    const int w = m.Width;
    int span;
    int step;
    if (n > FanLimit(m)) {
        span = Stored(K(w) - 2500LL * cw);
        step = (span - cw) / (n - 1);
    } else {
        step = Stored(600LL * cw);
        span = step * (n - 1) + cw;
    }
    int x = w - (w - span) / 2 - cw;
    const int top = seat == 4 ? Stored(K(m.PlayingHeight()) - 1380LL * ch) : m.Anchor2Top;

    std::vector<TwipsPoint> cards;
    cards.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        cards.push_back({x, top});
        x -= step;
    }
    return cards;
}

std::vector<TwipsPoint> ArrangeColumn(int seat, int n, const TableMetrics& m)
{
    const int cw = kCardWidth;
    const int ch = kCardHeight;
    const int h = m.PlayingHeight();
    int span;
    int step;
    if (n > FanLimit(m)) {
        span = Stored(K(h) - 800LL * ch);
        step = (span - ch) / (n - 1);
    } else {
        step = Stored(270LL * ch);
        span = step * (n - 1) + ch;
    }
    int y = (h - span) / 2;
    const int left = seat == 3 ? Stored(K(m.Width) - 1120LL * cw) : m.Anchor1Left;

    std::vector<TwipsPoint> cards;
    cards.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        cards.push_back({left, y});
        y += step;
    }
    return cards;
}

} // namespace

std::vector<TwipsPoint> ArrangePlayersCards(int seat, int numberOfCards, const TableMetrics& metrics)
{
    if (numberOfCards <= 0)
        return {};
    switch (seat) {
    case 2:
    case 4:
        return ArrangeRow(seat, numberOfCards, metrics);
    case 1:
    case 3:
        return ArrangeColumn(seat, numberOfCards, metrics);
    default:
        return {};
    }
}

FixedLayout LayoutFixedElements(const TableMetrics& m, const ElementSizes& s)
{
    const int w = m.Width;
    const int h = m.Height;
    const int cw = s.CardWidth;
    const int ch = s.CardHeight;
    FixedLayout f;

    f.imgPlayerCard0[1] = {m.Anchor1Left, Stored(378LL * h)};
    f.imgPlayerCard0[2] = {Stored(439LL * w), m.Anchor2Top};
    f.imgPlayerCard0[3] = {Stored(K(w) - 1120LL * cw), Stored(353LL * h)};
    f.imgPlayerCard0[4] = {w - (w - cw) / 2 - cw, Stored(K(h - 2 * m.StatusBarHeight) - 1380LL * ch)};
    f.cPlayer4Card0 = f.imgPlayerCard0[4];
    f.imgVemoGuySmall = {Stored(640LL * w), Stored(482LL * h)};
    f.imgDeck = {Stored(K(w / 2) - 1050LL * s.DeckWidth), Stored(344LL * h)};
    f.imgDiscard0 = {Stored(K(w / 2) + 50LL * s.DeckWidth), f.imgDeck.Top + 45};
    f.imgDiscardDeck = {Stored(511LL * w), f.imgDeck.Top + 75};

    // The card panel lies over the enlarged top card.
    const int l = f.imgDiscard0.Left;
    const int t = f.imgDiscard0.Top;
    const int wd = s.DiscardWidth;
    const int hd = s.DiscardHeight;
    f.lblType = {Stored(K(l) + 29LL * wd), Stored(K(t) + 10LL * hd)};
    f.lblVerse = {Stored(K(l) + 143LL * wd), Stored(K(t) + 221LL * hd)};
    f.lblInstructionExtra = {Stored(K(l) + 29LL * wd), Stored(K(t) + 730LL * hd)};
    f.lblInstruction = {Stored(K(l) + 29LL * wd), Stored(K(t) + 850LL * hd)};

    // Names: centred ones use "/", a true halving that is then rounded.
    const auto centred = [w](int width) { return RoundHalfEven(w - width, 2); };
    f.lblPlayer[1] = {Stored(127LL * w), Stored(439LL * h)};
    f.lblPlayerShadow[1] = {Stored(129LL * w), Stored(441LL * h)};
    // Seat 2's cards are copies of its anchor, so card 1's top is the anchor's.
    f.lblPlayer[2] = {centred(s.PlayerLabelWidth[2]), m.Anchor2Top + ch + 20};
    f.lblPlayerShadow[2] = {centred(s.PlayerShadowWidth[2]), m.Anchor2Top + ch + 30};
    f.lblPlayer[3] = {Stored(868LL * w - K(s.PlayerLabelWidth[3])), Stored(439LL * h)};
    f.lblPlayerShadow[3] = {Stored(869LL * w - K(s.PlayerShadowWidth[3])), Stored(441LL * h)};
    const int humanTop = s.HumanHoldsCards ? s.HumanCard1Top : f.imgPlayerCard0[4].Top;
    f.lblPlayer[4] = {centred(s.PlayerLabelWidth[4]), Stored(K(humanTop) - 220LL * ch)};
    f.lblPlayerShadow[4] = {centred(s.PlayerShadowWidth[4]), f.lblPlayer[4].Top + 10};

    for (int seat = 1; seat <= 4; ++seat) {
        const auto i = static_cast<std::size_t>(seat);
        f.lblPlayerShadow[i] = ShadowBeside(f.lblPlayer[i], f.lblPlayerShadow[i], m.Scale);
    }

    f.lblClick = {(w - s.ClickWidth) / 2, f.cPlayer4Card0.Top + ch};
    f.lblClickShadow = ShadowBeside(f.lblClick, f.lblClick, m.Scale);
    f.cmdHumanVemo = {(w - s.HumanVemoWidth) / 2, Stored(697LL * h)};
    return f;
}

PaintValues SetPaintValues(int windowColor, int direction)
{
    switch (windowColor) {
    case 1:
        return {direction, 50, 0, 0, 4, 0, 0, 255};
    case 2:
        return {direction, 0, 50, 0, 0, 4, 0, 65280};
    case 3:
        return {direction, 0, 0, 50, 0, 0, 4, 16711680};
    case 4:
        return {direction, 50, 0, 50, 4, 0, 4, 12583104};
    case 5:
        return {direction, 0, 50, 50, 0, 4, 4, 16776960};
    default:
        return {direction, 50, 50, 50, 4, 4, 4, 8421504};
    }
}

std::vector<Band> BackgroundBands(const PaintValues& paint, int innerWidthPx, int innerHeightPx, int count)
{
    if (count == 0)
        count = 32;
    std::vector<Band> bands;
    if (count < 0 || innerWidthPx <= 0 || innerHeightPx <= 0)
        return bands;

    const bool down = paint.Direction == 0 || paint.Direction == 2;
    const bool across = paint.Direction == 1 || paint.Direction == 2;
    const int sy = innerHeightPx / count;
    const int sx = innerWidthPx / count;
    int red = paint.Red;
    int green = paint.Green;
    int blue = paint.Blue;
    for (int k = 1; k <= count - 1; ++k) {
        const int x = across ? (k - 1) * (sx + 1) : 0;
        const int y = down ? (k - 1) * (sy + 1) : 0;
        // A band starting on the edge would start past the last pixel.
        if (x >= innerWidthPx || y >= innerHeightPx)
            break;
        bands.push_back({x, y, innerWidthPx - x, innerHeightPx - y, red, green, blue});
        red = std::clamp(red + paint.StepRed, 0, 255);
        green = std::clamp(green + paint.StepGreen, 0, 255);
        blue = std::clamp(blue + paint.StepBlue, 0, 255);
    }
    return bands;
}

int ChooseWindowColor(int stored, const std::function<int()>& draw)
{
    int chosen;
    do {
        chosen = draw();
    } while (chosen == stored);
    return chosen;
}

} // namespace vemo
