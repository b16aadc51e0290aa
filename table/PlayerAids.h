#pragma once
// What the table offers the player beyond the game itself, none of it a rule:
//
// - keyboard play: Left and Right move a focus frame along the hand as it
//   lies on the screen, Enter or Space plays the focused card, D draws and V
//   says "Vemo" while that button shows, F6 goes between the hand and the
//   game log. Each game key goes to the engine's own input
//   handler, exactly as the mouse does, so every guard of the game applies;
// - Options > Show playable cards: while the human is free to choose a card,
//   the cards the eligibility rule accepts stand a little above the rest,
//   and screen readers hear "Playable" in their description;
// - Options > Large cards and high contrast: larger words with a black rim,
//   black verse text and black card edges on the human's faces and the pile.
//
// The table window owns one and tells it when the hand or the pile changes and
// whenever the game stops to wait, which is when the game's state is settled.

#include "CardCode.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QAction;
class QKeyEvent;
class QLabel;

namespace vemo {

class cVemoCard;
class frmMain;

class PlayerAids : public QObject {
    Q_OBJECT
public:
    // How far a playable card stands above the row at the start size; it
    // grows with the table (RaisePixels).
    static constexpr int kRaisePixels = 12;
    int RaisePixels() const;

    explicit PlayerAids(frmMain& table);

    // The face that has the keyboard focus frame, 1-based; 0 before the
    // arrows are first used or while the hand is empty.
    int FocusedIndex() const;
    bool ShowPlayableCards() const { return showPlayable_; }
    bool HighContrast() const { return highContrast_; }

    // --- Told by the table ---
    void FaceAdded(cVemoCard& face);
    // Faces 1..count are back in their places in the row.
    void HandArranged(int count);
    // The game stopped to wait, or the hand changed: show things as they now stand.
    void Settle();
    void PileShown(CardCode card);
    // The keyboard goes to the hand: now, or as soon as it has a card.
    void FocusHand();
    // The table was drawn at a new scale: the card panel's words follow it.
    void TableScaled() { StylePile(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleKey(const QKeyEvent& key);
    std::vector<cVemoCard*> Hand() const; // cPlayer4Card(1..n) in element 0..n-1
    void MoveFocus(bool leftwards);
    void FocusFace(cVemoCard* face, int index);
    void KeepFocus(const std::vector<cVemoCard*>& hand);
    void Restack(const std::vector<cVemoCard*>& hand);
    bool FreeToChoose() const;
    void ShowCue(const std::vector<cVemoCard*>& hand);
    void LiftName(int lift);
    void StylePile();
    void SettleSoon();
    void SwitchHandAndLog();

    frmMain& table_;
    QAction* mnuPlayable_ = nullptr;
    QAction* mnuHighContrast_ = nullptr;
    bool showPlayable_ = false;
    bool highContrast_ = false;

    // Once the arrows are used the focus stays on the hand: on the same card
    // while it is held (wherever sorting puts it), else at the same place.
    bool keyboardUsed_ = false;
    QPointer<cVemoCard> focused_;
    QString focusedCode_;
    int focusedIndex_ = 0;
    QPointer<cVemoCard> stackedOnTop_;
    bool settlePending_ = false;
    bool handWanted_ = false; // FocusHand waits for a card to show

    // The human's name and its shadow rise with raised cards, so neither
    // covers the other; how far each stands above its place.
    std::array<QLabel*, 2> names_{};
    std::array<int, 2> nameLift_{};
    bool liftingName_ = false;

    // The pile's words and their own fonts, for high contrast and back.
    std::array<QLabel*, 4> pileLabels_{};
    std::array<QFont, 4> pileFonts_{};
    std::optional<CardCode> pileCard_;
};

} // namespace vemo
