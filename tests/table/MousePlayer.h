#pragma once
// A player at the real table window who uses the mouse: clicks, double-clicks
// and drags on the card widgets, the deck, the say-Vemo button and the game's
// dialogs, choosing from what the table shows. Shared by the window's and the
// program's tests.
#include "GameEngine.h"
#include "ValidCard.h"
#include "cVemoCard.h"
#include "frmAskCOL.h"
#include "frmCallout.h"
#include "frmDialog.h"
#include "frmMain.h"
#include "frmSetColor.h"
#include "frmVemoGuy.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace vemo {

// The true answer to the message window's question: No only when a computer
// asks for a Card of Light the human does not hold.
inline bool TruthfulYes(const QString& question, const clsPlayer& human)
{
    const int at = question.indexOf(QStringLiteral("Do you have "));
    if (at < 0) return true;
    const QString kind = question.mid(at + 12);
    const char letter = kind.startsWith(QStringLiteral("a Grace"))      ? 'G'
                        : kind.startsWith(QStringLiteral("a Blessing")) ? 'B'
                        : kind.startsWith(QStringLiteral("a Prayer"))   ? 'P'
                                                                        : 'V';
    return human.FindSpecificCOL(letter);
}

class MousePlayer {
public:
    MousePlayer(frmMain& table, GameEngine& engine) : table_(table), engine_(engine) {}

    struct Counts {
        int doubleClicks = 0, drags = 0, deckDraws = 0, colours = 0, asks = 0, questions = 0, messageBoxes = 0,
            vemoCalls = 0, handsWon = 0, dropsLanded = 0;
    } counts;

    // One look at the table; acts at most once.
    void Step()
    {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            Shoot(QString::fromLatin1(modal->metaObject()->className()).section(QStringLiteral("::"), -1));
            AnswerWindow(modal);
            return;
        }
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && qobject_cast<frmCallout*>(window)) Shoot(QStringLiteral("balloon"));
        const GameState& state = engine_.State();
        if (state.WaitingForHuman && state.Players(4).NumberOfCards() >= 6) Shoot(QStringLiteral("table"));
        if (table_.SayVemoButton()->isVisible()) {
            ++counts.vemoCalls;
            QTest::mouseClick(table_.SayVemoButton(), Qt::LeftButton);
            return;
        }
        if (!state.WaitingForHuman || state.HumanTurnDone || state.PlayInProgress || state.DeckDrawBusy) return;
        if (state.VemoAfterPrayer) {
            if (const int face = FaceOf(CardCode("LV"))) Play(face);
            return;
        }
        if (state.CurrTurn != 4 || state.HumanPlayedCard) return;
        if (state.HumanDrawCount > 0 || state.ForcedDrawStarted) {
            DrawFromDeck();
            return;
        }
        for (std::size_t i = 0; i < state.HumanFaces.size(); ++i) {
            if (ValidCard(state.HumanFaces[i], "", state, nullptr)) {
                Play(static_cast<int>(i) + 1);
                return;
            }
        }
        DrawFromDeck();
    }

    QStringList seenTexts;

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
    // With VEMO_SHOT_DIR set (under a real X server), the screen is saved the
    // first time each window shows, for looking at the game by eye.
    void Shoot(const QString& name)
    {
        const QString dir = qEnvironmentVariable("VEMO_SHOT_DIR");
        if (dir.isEmpty() || shot_.contains(name)) return;
        shot_ << name;
        QTest::qWait(40); // let the window paint
        QGuiApplication::primaryScreen()->grabWindow(0).save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    QStringList shot_;

    int FaceOf(CardCode card) const
    {
        const auto& faces = engine_.State().HumanFaces;
        const auto at = std::find(faces.begin(), faces.end(), card);
        return at == faces.end() ? 0 : static_cast<int>(at - faces.begin()) + 1;
    }

    // Every other card is dragged onto the pile instead of double-clicked.
    void Play(int index)
    {
        cVemoCard* face = table_.HumanFace(index);
        ASSERT_NE(face, nullptr);
        if ((counts.doubleClicks + counts.drags) % 2 == 0) {
            ++counts.doubleClicks;
            QTest::mouseDClick(face, Qt::LeftButton, {}, face->rect().center());
            return;
        }
        ++counts.drags;
        QWidget* pile = table_.DiscardTarget();
        const auto held = engine_.State().Players(4).NumberOfCards();
        Drag(face, pile->mapToGlobal(pile->rect().center()));
        if (engine_.State().HumanPlayedCard || engine_.State().Players(4).NumberOfCards() < held) ++counts.dropsLanded;
    }

    void DrawFromDeck()
    {
        ++counts.deckDraws;
        QTest::mouseDClick(table_.Deck(), Qt::LeftButton);
    }

    void AnswerWindow(QWidget* window)
    {
        if (auto* colour = qobject_cast<frmSetColor*>(window)) {
            ++counts.colours;
            const char pick = engine_.State().Players(4).PickColor();
            const int index = pick == 'G' ? 2 : pick == 'P' ? 3 : pick == 'R' ? 4 : 1;
            QTest::mouseClick(colour->cmdColor[static_cast<std::size_t>(index)], Qt::LeftButton);
        } else if (auto* ask = qobject_cast<frmAskCOL*>(window)) {
            for (int index = 1; index <= 4; ++index) {
                if (ask->cmdCol[static_cast<std::size_t>(index)]->isEnabled()) {
                    ++counts.asks;
                    QTest::mouseClick(ask->cmdCol[static_cast<std::size_t>(index)], Qt::LeftButton);
                    break;
                }
            }
        } else if (auto* winner = qobject_cast<frmVemoGuy*>(window)) {
            ++counts.handsWon;
            seenTexts << winner->lblText->text();
            QTest::mouseClick(winner->cmdTop, Qt::LeftButton);
        } else if (auto* dialog = qobject_cast<frmDialog*>(window)) {
            ++counts.questions;
            const QString text = dialog->lblMsg()->text();
            seenTexts << text;
            const bool yes = !dialog->cmdNo()->isVisible() || TruthfulYes(text, engine_.State().Players(4));
            QTest::mouseClick(yes ? dialog->cmdYes() : dialog->cmdNo(), Qt::LeftButton);
        } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
            ++counts.messageBoxes;
            seenTexts << box->text();
            QAbstractButton* button = box->defaultButton() ? box->defaultButton() : box->buttons().value(0);
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    frmMain& table_;
    GameEngine& engine_;
};

} // namespace vemo
