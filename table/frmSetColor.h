#pragma once
// frmSetColor: the colour window. After a Card of Light the human picks the
// colour the next card must follow; the choice itself (CurrColor) is the
// engine's, this window only reports which button was clicked.
//
// The window deletes itself when it closes. Open it with open(): it is
// window-modal and cannot be closed except by choosing a colour. The keys 1 to
// 4 and B, G, P, R choose as the buttons do.

#include "ButtonClosedDialog.h"
#include <QAbstractButton>
#include <QPixmap>

#include <array>
#include <functional>

namespace vemo {

// A flat button that shows a card picture, for the Ask and colour windows.
// A non-empty text is stamped across the picture (the Ask window's "asked"
// buttons); hover, focus and press are drawn around the card.
class CardButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CardButton(QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap picture_;
    bool hovered_ = false;
};

class frmSetColor : public ButtonClosedDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContextID = 33;
    // Inner size and the buttons' places, in twips.
    static constexpr int kWidthTwips = 5070;
    static constexpr int kHeightTwips = 1695;
    static constexpr int kButtonWidthTwips = 1185;
    static constexpr int kButtonHeightTwips = 1560;
    static constexpr int kButtonTopTwips = 60;
    static constexpr std::array<int, 5> kButtonLeftTwips{0, 60, 1320, 2580, 3840};

    // chosen gets the clicked index, 1 (blue) to 4 (red), before the window closes.
    // scale: the table's, which the window grows with.
    frmSetColor(QWidget* owner, std::function<void(int index)> chosen, double scale = 1.0);

    // cmdColor(1..4); element 0 is unused.
    std::array<CardButton*, 5> cmdColor{};

    // The card picture of colour button index (1..4) at a logical size.
    static QPixmap ColourCardPicture(int index, QSize logicalSize, qreal devicePixelRatio);

private:
    void cmdColor_Click(int index);

    std::function<void(int)> chosen_;
};

} // namespace vemo
