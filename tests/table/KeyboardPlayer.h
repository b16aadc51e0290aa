#pragma once
// A player at the real table window who uses the keyboard alone: arrows and
// Enter or Space to play, D to draw, V to say "Vemo", each window's own keys.
// At every choice it checks that the raised cards are those ValidCard accepts.
#include "MousePlayer.h"
#include "PlayerAids.h"

namespace vemo {

class KeyboardPlayer {
public:
    KeyboardPlayer(frmMain& table, GameEngine& engine) : table_(table), engine_(engine) {}

    struct Counts {
        int arrows = 0, plays = 0, colours = 0, handsWon = 0, choices = 0, raised = 0;
    } counts;
    int homeTop = -1; // the row's top while nothing stands raised, learnt on the computers' turns

    // The human may pick any card, and the row shows the engine's hand.
    bool AtChoice() const
    {
        const GameState& s = engine_.State();
        return s.MainLoopRunning && s.WaitingForHuman && s.CurrTurn == 4 && !s.HumanPlayedCard &&
               !s.HumanTurnDone && !s.DeckDrawBusy && !s.PlayInProgress && !s.HandOver && s.HumanDrawCount == 0 &&
               !s.HumanMustDraw && !s.ForcedDrawStarted && s.GameRequest.empty() && Quiet();
    }
    bool ComputersOnTurn() const
    {
        const GameState& s = engine_.State();
        return s.MainLoopRunning && s.CurrTurn != 4 && !s.WaitingForHuman && Quiet();
    }

    void CheckCueAtChoice()
    {
        const GameState& s = engine_.State();
        if (homeTop < 0) return;
        ++counts.choices;
        for (std::size_t i = 0; i < s.HumanFaces.size(); ++i) {
            const bool playable = ValidCard(s.HumanFaces[i], "", s, nullptr);
            counts.raised += playable;
            EXPECT_EQ(table_.HumanFace(int(i) + 1)->y(), homeTop - (playable ? PlayerAids::kRaisePixels : 0))
                << s.HumanFaces[i].ToString() << (playable ? " is playable" : " is not playable");
            EXPECT_EQ(table_.HumanFace(int(i) + 1)->accessibleDescription().startsWith("Playable. "), playable)
                << "what a screen reader hears of " << s.HumanFaces[i].ToString();
        }
    }
    void CheckRowAtRest()
    {
        for (int index = 1; index <= table_.CardImages(4); ++index) {
            if (homeTop < 0) homeTop = table_.HumanFace(index)->y();
            EXPECT_EQ(table_.HumanFace(index)->y(), homeTop) << index;
        }
    }

    // One look at the table; acts at most once.
    void Step()
    {
        if (QWidget* modal = QApplication::activeModalWidget()) return AnswerWindow(modal);
        if (table_.SayVemoButton()->isVisible()) return TableKey(Qt::Key_V);
        if (ComputersOnTurn()) return CheckRowAtRest();
        const GameState& s = engine_.State();
        if (!s.WaitingForHuman || s.HumanTurnDone || s.PlayInProgress || s.DeckDrawBusy) return;
        if (s.VemoAfterPrayer) {
            const auto at = std::find(s.HumanFaces.begin(), s.HumanFaces.end(), CardCode("LV"));
            if (at != s.HumanFaces.end()) Play(int(at - s.HumanFaces.begin()) + 1);
            return;
        }
        if (s.CurrTurn != 4 || s.HumanPlayedCard) return;
        if (AtChoice()) {
            if (table_.Aids()->ShowPlayableCards()) CheckCueAtChoice();
            for (std::size_t i = 0; i < s.HumanFaces.size(); ++i)
                if (ValidCard(s.HumanFaces[i], "", s, nullptr)) return Play(int(i) + 1);
        }
        TableKey(Qt::Key_D);
    }

    void FocusWithArrows(int index)
    {
        for (int presses = 0; table_.Aids()->FocusedIndex() != index; ++presses) {
            ASSERT_LE(presses, 2 * table_.CardImages(4) + 2) << "the arrows never reach card " << index;
            const int at = table_.Aids()->FocusedIndex();
            ++counts.arrows;
            TableKey(at == 0 || table_.HumanFace(index)->x() < table_.HumanFace(at)->x() ? Qt::Key_Left
                                                                                        : Qt::Key_Right);
        }
    }

    void TableKey(Qt::Key key) { KeyTo(&table_, key); }
    // With a screen reader listening, Qt first hands every spontaneous key to
    // it and delivers the key later; a player who presses on before then
    // overshoots. Such a test sends its keys straight to the widget.
    // It also presses at a person's pace, which a screen reader keeps up with.
    static inline bool sendDirectly = false;
    static constexpr int kPersonsPaceMs = 120;
    static void KeyTo(QWidget* window, Qt::Key key)
    {
        QWidget* to = window->focusWidget() ? window->focusWidget() : window;
        if (!sendDirectly) return QTest::keyClick(to, key);
        QString text;
        if (key >= Qt::Key_A && key <= Qt::Key_Z) text = QChar(char('a' + (key - Qt::Key_A)));
        else if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Space) text = QChar(char(key));
        else if (key == Qt::Key_Return) text = QStringLiteral("\r");
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier, text);
            QCoreApplication::sendEvent(to, &event);
        }
        QTest::qWait(kPersonsPaceMs);
    }

private:
    // No window open, and the row shows the hand as the engine holds it.
    bool Quiet() const
    {
        const auto& faces = engine_.State().HumanFaces;
        if (QApplication::activeModalWidget() || table_.SayVemoButton()->isVisible() ||
            table_.CardImages(4) != int(faces.size()))
            return false;
        for (std::size_t i = 0; i < faces.size(); ++i) {
            const cVemoCard* face = table_.HumanFace(int(i) + 1);
            if (face->isHidden() || face->CardCode() != QString::fromStdString(faces[i].ToString())) return false;
        }
        return true;
    }

    // Enter and Space take turns.
    void Play(int index)
    {
        FocusWithArrows(index);
        if (!::testing::Test::HasFatalFailure()) TableKey(counts.plays++ % 2 ? Qt::Key_Space : Qt::Key_Return);
    }

    void AnswerWindow(QWidget* window)
    {
        Qt::Key key = Qt::Key_Return; // Ok on the hand winner's window, an Ok-only question, a message box
        if (qobject_cast<frmSetColor*>(window)) {
            const char pick = engine_.State().Players(4).PickColor();
            const int index = std::max(1, int(std::string_view("BGPR").find(pick)) + 1);
            key = Qt::Key(counts.colours++ % 2 ? "BGPR"[index - 1] : '0' + index); // initial or number
        } else if (auto* ask = qobject_cast<frmAskCOL*>(window)) {
            for (int index = 4; index >= 1; --index)
                if (ask->cmdCol[std::size_t(index)]->isEnabled()) key = Qt::Key("GBPV"[index - 1]);
        } else if (qobject_cast<frmVemoGuy*>(window)) {
            ++counts.handsWon;
        } else if (auto* dialog = qobject_cast<frmDialog*>(window); dialog && dialog->cmdNo()->isVisible()) {
            key = TruthfulYes(dialog->lblMsg()->text(), engine_.State().Players(4)) ? Qt::Key_Y : Qt::Key_N;
        }
        KeyTo(window, key);
    }

    frmMain& table_;
    GameEngine& engine_;
};

} // namespace vemo
