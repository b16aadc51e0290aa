#pragma once
// frmAskCOL: the Ask window. After an Ask card the human asks the next player
// for a Grace, Blessing, Prayer or Vemo card. The engine runs every ask
// (cmdCOL_Click); the window reports the clicked index, shows the engine's
// messages and marks the buttons it has used, and closes only when the engine
// tells it to.
//
// The window deletes itself when it closes. Open it with open(): it is
// window-modal, has no cancel button and ignores Escape and the close box.
// The keys G, B, P and V ask as the buttons do.

#include "ButtonClosedDialog.h"
#include "frmSetColor.h"

#include <QString>

#include <array>
#include <functional>

class QLabel;

namespace vemo {

class frmAskCOL : public ButtonClosedDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContextID = 32;
    static constexpr int kButtonWidthTwips = 1185;
    static constexpr int kButtonHeightTwips = 1560;
    static constexpr int kButtonTopTwips = 420;
    static constexpr std::array<int, 5> kButtonLeftTwips{0, 120, 1380, 2640, 3900};
    static constexpr int kWidthTwips = 5205;
    static constexpr int kHeightTwips = 2760;

    // caption replaces the design caption "Ask next player for:" ("Ask Name for:").
    // scale: the table's, which the window grows with.
    frmAskCOL(QWidget* owner, const QString& caption, std::function<void(int index)> clicked, double scale = 1.0);

    void SetMessage(const QString& text);
    // The button's card has been asked for: grey picture, the capital word, disabled.
    void MarkUsed(int index, const QString& capitalWord);
    // The only way the window closes.
    void CloseWindow();

    QLabel* lblName = nullptr;
    QLabel* lblMsg = nullptr;
    // cmdCol(1..4): Grace, Blessing, Prayer, Vemo; element 0 is unused.
    std::array<CardButton*, 5> cmdCol{};

    // The card picture of button index (1..4), and the grey one of an asked card.
    static QPixmap AskCardPicture(int index, QSize logicalSize, qreal devicePixelRatio);
    static QPixmap DisabledPicture(QSize logicalSize, qreal devicePixelRatio);

private:
    std::function<void(int)> clicked_;
};

} // namespace vemo
