#include "PlayerAids.h"

#include "CardDescriptions.h"
#include "GameLogPanel.h"
#include "TableOptions.h"
#include "Twips.h"
#include "ValidCard.h"
#include "cVemoCard.h"
#include "frmMain.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

namespace vemo {

namespace {

// Set on a face while the playable cue holds it above its place.
constexpr const char* kRaised = "raisedAsPlayable";
// What screen readers hear first in a raised card's description.
const QString kPlayable = QStringLiteral("Playable. ");

// High contrast prints the pile's words this much larger (type word, verse,
// the two instruction lines); the longest instruction still clears the
// corner mark.
constexpr std::array<qreal, 4> kPileScale{1.2, 1.2, 1.1, 1.1};

bool Raised(const cVemoCard* face) { return face->property(kRaised).toBool(); }

int IndexIn(const std::vector<cVemoCard*>& hand, const cVemoCard* face)
{
    const auto at = std::find(hand.begin(), hand.end(), face);
    return at == hand.end() ? 0 : static_cast<int>(at - hand.begin()) + 1;
}

} // namespace

PlayerAids::PlayerAids(frmMain& table) : QObject(&table), table_(table)
{
    setObjectName(QStringLiteral("PlayerAids"));
    TableOptions options;
    auto* menu = qobject_cast<QMenu*>(table_.mnuOptionsDraw_->parent());
    menu->addSeparator();
    mnuPlayable_ = menu->addAction(QStringLiteral("Show &playable cards"));
    mnuPlayable_->setObjectName(QStringLiteral("mnuOptionsPlayable"));
    mnuPlayable_->setCheckable(true);
    mnuPlayable_->setChecked(options.ShowPlayableCards());
    showPlayable_ = options.ShowPlayableCards();
    connect(mnuPlayable_, &QAction::toggled, this, [this](bool on) {
        showPlayable_ = on;
        TableOptions().SetShowPlayableCards(on);
        Settle();
    });
    mnuHighContrast_ = menu->addAction(QStringLiteral("&Large cards and high contrast"));
    mnuHighContrast_->setObjectName(QStringLiteral("mnuOptionsHighContrast"));
    mnuHighContrast_->setCheckable(true);
    mnuHighContrast_->setChecked(options.HighContrast());
    highContrast_ = options.HighContrast();
    connect(mnuHighContrast_, &QAction::toggled, this, [this](bool on) {
        highContrast_ = on;
        TableOptions().SetHighContrast(on);
        for (cVemoCard* face : Hand()) face->SetHighContrast(on);
        // Showing the pile's card again gives it its own colours before
        // StylePile changes them or not.
        if (pileCard_ && !table_.imgDiscardCard_->isHidden())
            table_.ShowPileCard(*pileCard_);
        else
            StylePile();
    });

    pileLabels_ = {table_.lblType_, table_.lblVerse_, table_.lblInstruction_, table_.lblInstructionExtra_};
    for (std::size_t i = 0; i < pileLabels_.size(); ++i) {
        pileFonts_[i] = pileLabels_[i]->font();
        pileLabels_[i]->installEventFilter(this);
    }
    names_ = {table_.lblPlayer_[4], table_.lblPlayerShadow_[4]};
    for (QLabel* name : names_) name->installEventFilter(this);
    table_.installEventFilter(this);
    table_.cmdHumanVemo_->installEventFilter(this);
    auto* f6 = new QShortcut(QKeySequence(Qt::Key_F6), &table_);
    connect(f6, &QShortcut::activated, this, &PlayerAids::SwitchHandAndLog);
    StylePile();
}


int PlayerAids::FocusedIndex() const { return keyboardUsed_ ? IndexIn(Hand(), focused_) : 0; }

std::vector<cVemoCard*> PlayerAids::Hand() const
{
    std::vector<cVemoCard*> hand;
    const int count = table_.CardImages(4);
    hand.reserve(static_cast<std::size_t>(count));
    for (int index = 1; index <= count; ++index) hand.push_back(table_.HumanFace(index));
    return hand;
}

void PlayerAids::FaceAdded(cVemoCard& face)
{
    face.SetHighContrast(HighContrast());
    face.installEventFilter(this);
}

void PlayerAids::HandArranged(int count)
{
    const std::vector<cVemoCard*> hand = Hand();
    for (int index = 1; index <= count && index <= static_cast<int>(hand.size()); ++index)
        hand[static_cast<std::size_t>(index - 1)]->setProperty(kRaised, false);
    stackedOnTop_.clear(); // the table has stacked the row afresh
    // A re-layout reads the row's places right after this: they stay put
    // until it is done.
    if (table_.engine_ && table_.engine_->State().Resizing)
        SettleSoon();
    else
        Settle();
}

void PlayerAids::SettleSoon()
{
    if (settlePending_) return;
    settlePending_ = true;
    QTimer::singleShot(0, this, [this] {
        settlePending_ = false;
        Settle();
    });
}

void PlayerAids::Settle()
{
    const std::vector<cVemoCard*> hand = Hand();
    KeepFocus(hand);
    ShowCue(hand);
}

// --- The keyboard ---

void PlayerAids::FocusHand()
{
    keyboardUsed_ = true;
    handWanted_ = true;
    Settle();
}

void PlayerAids::SwitchHandAndLog()
{
    QTextEdit* log = table_.gameLog_->View();
    if (table_.focusWidget() == log) {
        FocusHand();
        if (qobject_cast<cVemoCard*>(table_.focusWidget())) return;
        // The hand is on the move (Settle waits for it): it has the keyboard anyway.
        const std::vector<cVemoCard*> hand = Hand();
        cVemoCard* face = focused_ ? focused_.data() : hand.empty() ? nullptr : hand.front();
        if (face) face->setFocus(Qt::ShortcutFocusReason);
        else table_.setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (table_.gameLog_->isHidden()) table_.mnuViewGameLog_->trigger(); // remembered, as from the View menu
    table_.gameLog_->FocusNewest();
}

bool PlayerAids::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Move && !liftingName_) {
        // The table laid the name out afresh: it stands in its place now.
        const auto at = std::find(names_.begin(), names_.end(), watched);
        if (at != names_.end()) {
            nameLift_[static_cast<std::size_t>(at - names_.begin())] = 0;
            SettleSoon();
        }
        return false;
    }
    if (type == QEvent::Paint) {
        // The pile's light words get the faces' black rim.
        const auto at = std::find(pileLabels_.begin(), pileLabels_.end(), watched);
        if (highContrast_ && pileCard_ && at != pileLabels_.end() && at != pileLabels_.begin() + 1) {
            const QColor ink = FromBgr(DescribeCardColour(pileCard_->Colour()).TypeColor);
            if (NeedsRim(ink)) {
                PaintRimmedLine(**at, ink);
                return true;
            }
        }
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    // A focused, shown button keeps its own keys (Space clicks it).
    if (watched == table_.cmdHumanVemo_ && table_.cmdHumanVemo_->isVisible()) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (type == QEvent::KeyRelease) {
        // The press did the work; its release goes no further either.
        static constexpr std::array kOwnKeys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Return, Qt::Key_Enter,
                                             Qt::Key_Space, Qt::Key_D, Qt::Key_V};
        const auto modifiers = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        return modifiers == Qt::NoModifier &&
               std::find(kOwnKeys.begin(), kOwnKeys.end(), key.key()) != kOwnKeys.end();
    }
    if (!HandleKey(key)) return false;
    event->accept();
    return true;
}

bool PlayerAids::HandleKey(const QKeyEvent& key)
{
    // Ctrl+D and the other shortcuts stay the menus'.
    if ((key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != Qt::NoModifier) return false;
    GameEngine* engine = table_.engine_;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (table_.CardImages(4) == 0) return false;
        MoveFocus(key.key() == Qt::Key_Left);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        const int index = FocusedIndex();
        if (index == 0) return false;
        // The same handler as a double-click on the card: it decides.
        if (engine && !key.isAutoRepeat()) table_.StartEngine(engine->cPlayer4Card_DblClick(index));
        return true;
    }
    case Qt::Key_D:
        // The same as a double-click on the deck.
        if (engine && !key.isAutoRepeat()) table_.StartEngine(engine->imgDeck_DblClick());
        return engine != nullptr;
    case Qt::Key_V:
        if (!table_.cmdHumanVemo_->isVisible()) return false;
        if (!key.isAutoRepeat()) table_.cmdHumanVemo_->click();
        return true;
    default:
        return false;
    }
}

void PlayerAids::MoveFocus(bool leftwards)
{
    keyboardUsed_ = true;
    const std::vector<cVemoCard*> hand = Hand();
    // The row as it lies on the screen, left to right.
    std::vector<cVemoCard*> row;
    for (cVemoCard* face : hand)
        if (!face->isHidden()) row.push_back(face);
    std::stable_sort(row.begin(), row.end(), [](cVemoCard* a, cVemoCard* b) { return a->x() < b->x(); });
    if (row.empty()) return;
    const auto at = std::find(row.begin(), row.end(), focused_.data());
    cVemoCard* next = nullptr;
    if (at == row.end()) {
        // Nothing focused yet: Left starts from the right end, Right from the left.
        next = leftwards ? row.back() : row.front();
    } else {
        const auto place = std::clamp<std::ptrdiff_t>((at - row.begin()) + (leftwards ? -1 : 1), 0,
                                                      static_cast<std::ptrdiff_t>(row.size()) - 1);
        next = row[static_cast<std::size_t>(place)];
    }
    FocusFace(next, IndexIn(hand, next));
    next->setFocus(Qt::OtherFocusReason);
    Restack(hand);
}

void PlayerAids::FocusFace(cVemoCard* face, int index)
{
    focused_ = face;
    focusedCode_ = face->CardCode();
    focusedIndex_ = index;
}

void PlayerAids::KeepFocus(const std::vector<cVemoCard*>& hand)
{
    if (!keyboardUsed_ || hand.empty()) return;
    const int count = static_cast<int>(hand.size());
    int index = IndexIn(hand, focused_);
    if (index != 0 && focused_->CardCode() != focusedCode_) {
        // The hand is being sorted: the focus goes with its card, to the
        // nearest face that shows it. Until one does, it waits where it is and
        // keeps looking for that card.
        int best = 0;
        for (int i = 1; i <= count; ++i)
            if (hand[static_cast<std::size_t>(i - 1)]->CardCode() == focusedCode_ &&
                (best == 0 || std::abs(i - index) < std::abs(best - index)))
                best = i;
        if (best == 0) {
            focusedIndex_ = index;
            return;
        }
        index = best;
    }
    // The focused card left the hand: its place keeps the focus, or the
    // nearest end when the hand got shorter.
    if (index == 0) index = std::clamp(focusedIndex_, 1, count);
    cVemoCard* face = hand[static_cast<std::size_t>(index - 1)];
    if (face->isHidden()) return; // still flying in; it settles when it lands
    FocusFace(face, index);
    // Only a focus that was on the hand, or nowhere, is moved.
    QWidget* current = table_.focusWidget();
    const bool ours = handWanted_ || current == nullptr || current == &table_ || qobject_cast<cVemoCard*>(current) ||
                      current->isHidden();
    handWanted_ = false;
    if (ours && current != face) face->setFocus(Qt::OtherFocusReason);
    if (stackedOnTop_ != face) Restack(hand);
}

void PlayerAids::Restack(const std::vector<cVemoCard*>& hand)
{
    // As the table stacks the row (card 1 in front, each face's left part
    // showing), with the focused face in front of them all. Everything else
    // on the table stays above the row.
    cVemoCard* top = focused_.data();
    if (top) top->lower();
    for (cVemoCard* face : hand)
        if (face != top) face->lower();
    stackedOnTop_ = top;
}

// --- The playable cue ---

bool PlayerAids::FreeToChoose() const
{
    if (!table_.engine_) return false;
    const GameState& state = table_.engine_->State();
    // While the human must draw, the turn takes only some of the cards the
    // eligibility rule accepts; the cue then stays down rather than mislead.
    return state.MainLoopRunning && state.WaitingForHuman && state.CurrTurn == 4 && !state.HumanPlayedCard &&
           !state.HumanTurnDone && !state.DeckDrawBusy && !state.PlayInProgress && !state.HandOver &&
           state.HumanDrawCount == 0 && !state.HumanMustDraw && !state.ForcedDrawStarted && state.GameRequest.empty();
}

void PlayerAids::ShowCue(const std::vector<cVemoCard*>& hand)
{
    const bool show = ShowPlayableCards() && FreeToChoose();
    bool anyRaised = false;
    for (cVemoCard* face : hand) {
        const QString code = face->CardCode();
        // The same question the engine asks when the card is double-clicked.
        const bool playable = show && !face->isHidden() && code.size() == 2 &&
                              ValidCard(CardCode(code.toStdString()), "", table_.engine_->State(), nullptr);
        if (playable != Raised(face)) {
            face->move(face->pos() + QPoint(0, playable ? -RaisePixels() : RaisePixels()));
            face->setProperty(kRaised, playable);
        }
        // The card's own description (what it does) follows the cue's word.
        QString description = face->accessibleDescription();
        if (description.startsWith(kPlayable)) description.remove(0, kPlayable.size());
        if (playable) description.prepend(kPlayable);
        if (description != face->accessibleDescription()) face->setAccessibleDescription(description);
        anyRaised = anyRaised || playable;
    }
    LiftName(anyRaised ? RaisePixels() : 0);
}

int PlayerAids::RaisePixels() const { return TwipsToPixels(PixelsToTwips(kRaisePixels), table_.TableScale()); }

void PlayerAids::LiftName(int lift)
{
    liftingName_ = true;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (nameLift_[i] == lift) continue;
        names_[i]->move(names_[i]->pos() + QPoint(0, nameLift_[i] - lift));
        nameLift_[i] = lift;
    }
    liftingName_ = false;
}

// --- High contrast on the pile ---

void PlayerAids::PileShown(CardCode card)
{
    pileCard_ = card;
    StylePile();
}

void PlayerAids::StylePile()
{
    const bool on = HighContrast();
    for (std::size_t i = 0; i < pileLabels_.size(); ++i) {
        QLabel* label = pileLabels_[i];
        QFont font = pileFonts_[i];
        font.setPointSizeF(font.pointSizeF() * table_.TableScale());
        if (on) font.setPointSizeF(font.pointSizeF() * kPileScale[i]);
        label->setFont(font);
        // Room for the rim's outer half beside the letters.
        label->setContentsMargins(on ? 2 : 0, 0, on ? 2 : 0, 0);
    }
    if (on && pileCard_) {
        const QColor ink = HighContrastInk(FromBgr(DescribeCardColour(pileCard_->Colour()).TypeColor), false);
        const QString colour = QStringLiteral("color: %1; background: transparent;");
        table_.lblVerse_->setStyleSheet(colour.arg(QColor(Qt::black).name()));
        for (QLabel* label : {table_.lblType_, table_.lblInstruction_, table_.lblInstructionExtra_})
            label->setStyleSheet(colour.arg(ink.name()));
    }
    for (QLabel* label : pileLabels_) {
        if (!label->text().isEmpty()) label->adjustSize();
        label->update();
    }
}

} // namespace vemo
