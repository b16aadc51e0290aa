#pragma once
// A person at the real table window, by mouse or by keyboard alone: plays the
// first card ValidCard accepts (by double-click and drag in turn, or by the
// arrows and Enter and Space in turn), draws otherwise, says "Vemo" and
// answers every window the game opens. By keyboard it also checks, at every
// choice, that the raised cards are those ValidCard accepts.
#include "GameEngine.h"
#include "PlayerAids.h"
#include "ValidCard.h"
#include "cVemoCard.h"
#include "frmAskCOL.h"
#include "frmDialog.h"
#include "frmMain.h"
#include "frmSetColor.h"
#include "frmVemoGuy.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace vemo {

class TablePlayer {
public:
    enum Input { Mouse, Keyboard };
    TablePlayer(frmMain& table, GameEngine& engine, Input input = Mouse) : table_(table), engine_(engine), input_(input) {}

    struct Counts {
        int plays = 0, drags = 0, dropsLanded = 0, arrows = 0, colours = 0, handsWon = 0, choices = 0, raised = 0;
    } counts;
    QStringList seenTexts;
    int homeTop = -1; // the row's top while nothing stands raised, learnt on the computers' turns

    // One look at the table; acts at most once.
    void Step()
    {
        if (QWidget* modal = QApplication::activeModalWidget()) return AnswerWindow(modal);
        const GameState& s = engine_.State();
        if (table_.SayVemoButton()->isVisible())
            return input_ == Mouse ? QTest::mouseClick(table_.SayVemoButton(), Qt::LeftButton) : TableKey(Qt::Key_V);
        if (input_ == Keyboard && ComputersOnTurn()) return CheckRowAtRest();
        if (!s.WaitingForHuman || s.HumanTurnDone || s.PlayInProgress || s.DeckDrawBusy) return;
        if (s.VemoAfterPrayer) {
            const auto at = std::find(s.HumanFaces.begin(), s.HumanFaces.end(), CardCode("LV"));
            if (at != s.HumanFaces.end()) Play(int(at - s.HumanFaces.begin()) + 1);
            return;
        }
        if (s.CurrTurn != 4 || s.HumanPlayedCard) return;
        if (input_ == Keyboard ? AtChoice() : s.HumanDrawCount == 0 && !s.ForcedDrawStarted) {
            if (input_ == Keyboard && table_.Aids()->ShowPlayableCards()) CheckCueAtChoice();
            for (std::size_t i = 0; i < s.HumanFaces.size(); ++i)
                if (ValidCard(s.HumanFaces[i], "", s, nullptr)) return Play(int(i) + 1);
        }
        input_ == Mouse ? QTest::mouseDClick(table_.Deck(), Qt::LeftButton) : TableKey(Qt::Key_D);
    }

    // The human may pick any card (not only a Vemo card out of turn, after a
    // computer's Prayer), and the row shows the engine's hand.
    bool AtChoice() const
    {
        const GameState& s = engine_.State();
        return s.MainLoopRunning && s.WaitingForHuman && s.CurrTurn == 4 && !s.HumanPlayedCard &&
               !s.HumanTurnDone && !s.DeckDrawBusy && !s.PlayInProgress && !s.HandOver && s.HumanDrawCount == 0 &&
               !s.HumanMustDraw && !s.ForcedDrawStarted && !s.VemoAfterPrayer && s.GameRequest.empty() && Quiet();
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
    // overshoots. Such a test sends its keys straight to the widget, at a
    // person's pace, which a screen reader keeps up with.
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

    // Presses on the face's centre, moves it in four steps to target (global)
    // and lets go there.
    static void Drag(cVemoCard* face, QPoint target)
    {
        const QPoint grip = face->rect().center();
        QTest::mousePress(face, Qt::LeftButton, {}, grip);
        // QTest's mouseMove only moves the pointer; a drag needs the moves
        // with the button held, as the window system sends them.
        const QPoint start = face->mapToGlobal(grip);
        for (int step = 1; step <= 4; ++step) {
            const QPoint global = start + (target - start) * step / 4;
            QMouseEvent move(QEvent::MouseMove, face->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(face, &move);
        }
        QTest::mouseRelease(face, Qt::LeftButton, {}, face->mapFromGlobal(target));
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

    // Double-click and drag, or Enter and Space, take turns.
    void Play(int index)
    {
        const bool second = counts.plays++ % 2;
        if (input_ == Keyboard) {
            FocusWithArrows(index);
            if (!::testing::Test::HasFatalFailure()) TableKey(second ? Qt::Key_Space : Qt::Key_Return);
            return;
        }
        cVemoCard* face = table_.HumanFace(index);
        ASSERT_NE(face, nullptr);
        if (!second) return QTest::mouseDClick(face, Qt::LeftButton, {}, face->rect().center());
        ++counts.drags;
        QWidget* pile = table_.DiscardTarget();
        const auto held = engine_.State().Players(4).NumberOfCards();
        Drag(face, pile->mapToGlobal(pile->rect().center()));
        if (engine_.State().HumanPlayedCard || engine_.State().Players(4).NumberOfCards() < held) ++counts.dropsLanded;
    }

    // The true answer to the message window's question: No only when a
    // computer asks for a Card of Light the human does not hold.
    bool TruthfulYes(const QString& question) const
    {
        const int at = question.indexOf(QStringLiteral("Do you have "));
        if (at < 0) return true;
        // "Do you have a Grace card?", "... an Vemo card?": the kind's initial.
        const QString kind = question.mid(at + 12).section(' ', 1, 1);
        return engine_.State().Players(4).FindSpecificCOL(kind.isEmpty() ? 'V' : kind.at(0).toLatin1());
    }

    // Clicks the button, or presses the key, that answers the window.
    void Answer(QWidget* window, QAbstractButton* button, Qt::Key key)
    {
        if (input_ == Keyboard) KeyTo(window, key);
        else if (button) QTest::mouseClick(button, Qt::LeftButton);
    }

    void AnswerWindow(QWidget* window)
    {
        if (auto* colour = qobject_cast<frmSetColor*>(window)) {
            const char pick = engine_.State().Players(4).PickColor();
            const int index = std::max(1, int(std::string_view("BGPR").find(pick)) + 1);
            // By keyboard, the colour's initial and its number take turns.
            Answer(window, colour->cmdColor[std::size_t(index)],
                   Qt::Key(counts.colours++ % 2 ? "BGPR"[index - 1] : '0' + index));
        } else if (auto* ask = qobject_cast<frmAskCOL*>(window)) {
            for (int index = 1; index <= 4; ++index) {
                if (ask->cmdCol[std::size_t(index)]->isEnabled())
                    return Answer(window, ask->cmdCol[std::size_t(index)], Qt::Key("GBPV"[index - 1]));
            }
        } else if (auto* winner = qobject_cast<frmVemoGuy*>(window)) {
            ++counts.handsWon;
            seenTexts << winner->lblText->text();
            Answer(window, winner->cmdTop, Qt::Key_Return);
        } else if (auto* dialog = qobject_cast<frmDialog*>(window)) {
            seenTexts << dialog->lblMsg()->text();
            const bool question = dialog->cmdNo()->isVisible();
            const bool yes = !question || TruthfulYes(dialog->lblMsg()->text());
            Answer(window, yes ? dialog->cmdYes() : dialog->cmdNo(),
                   !question ? Qt::Key_Return : yes ? Qt::Key_Y : Qt::Key_N);
        } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
            seenTexts << box->text();
            Answer(window, box->defaultButton() ? box->defaultButton() : box->buttons().value(0), Qt::Key_Return);
        } else {
            Answer(window, nullptr, Qt::Key_Return);
        }
    }

    frmMain& table_;
    GameEngine& engine_;
    Input input_;
};

} // namespace vemo
