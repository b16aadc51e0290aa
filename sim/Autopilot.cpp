#include "Autopilot.h"

#include "HeadlessTableView.h"
#include "ValidCard.h"

#include <algorithm>

namespace vemo {

Autopilot::Autopilot(GameEngine& engine, HeadlessTableView& view, std::uint64_t seed, std::int16_t playingStyle)
    : engine_(engine), view_(view), rng_(seed), style_(playingStyle)
{
}

int Autopilot::FaceOf(CardCode card) const
{
    const auto& faces = engine_.State().HumanFaces;
    const auto face = std::find(faces.begin(), faces.end(), card);
    return face == faces.end() ? 0 : static_cast<int>(face - faces.begin()) + 1;
}

// Plays the face by double-click or by dragging it onto the pile.
void Autopilot::PlayFace(int index)
{
    if (Chance(0.7)) {
        ++counts_.doubleClicks;
        engine_.Start(engine_.cPlayer4Card_DblClick(index));
        return;
    }
    if (!engine_.cPlayer4Card_MouseDown(index)) return;
    if (!engine_.DragMayMove(index)) return; // refused: the card does not move
    const TwipsRect pile{6000, 3000, 1065, 1440};
    TwipsRect card{0, 0, 1065, 1440};
    if (Chance(0.9)) {
        // Anywhere over the pile, edges touching included.
        card.Left = pile.Left - card.Width + static_cast<int>(rng_() % static_cast<unsigned>(pile.Width + card.Width + 1));
        card.Top = pile.Top - card.Height + static_cast<int>(rng_() % static_cast<unsigned>(pile.Height + card.Height + 1));
        ++counts_.drops;
    } else {
        card.Left = pile.Left + pile.Width + 1 + static_cast<int>(rng_() % 3000u); // short of the pile
        card.Top = pile.Top;
        ++counts_.missedDrops;
    }
    engine_.Start(engine_.cPlayer4Card_MouseUp(index, card, pile));
}

void Autopilot::OnPause()
{
    // While the Ask window is open it is modal: the table takes no input.
    if (engine_.State().AskWindow.Open) return;
    if (depth_ > 0) {
        // A second click while the first is still being handled must change nothing.
        if (depth_ == 1 && Chance(0.02)) {
            ++depth_;
            ClickOutOfTurn();
            --depth_;
        }
        return;
    }
    ++depth_;
    const GameState& state = engine_.State();
    if (view_.SayVemoButtonShown()) {
        if (sayVemoDelay_ == -1) sayVemoDelay_ = Chance(0.9) ? static_cast<int>(rng_() % 8u) : -2;
        if (sayVemoDelay_ == 0) {
            ++counts_.vemoInTime;
            engine_.cmdHumanVemo_Click();
            sayVemoDelay_ = -1;
        } else if (sayVemoDelay_ > 0) {
            --sayVemoDelay_;
        }
    } else {
        if (sayVemoDelay_ == -2) ++counts_.vemoTooLate;
        sayVemoDelay_ = -1;
        if (state.WaitingForHuman && state.VemoAfterPrayer && !state.HumanTurnDone) {
            // The Vemo-after-Prayer window: claim it, mostly.
            if (Chance(0.6)) {
                if (const int face = FaceOf(CardCode("LV"))) {
                    ++counts_.vemoAfterPrayer;
                    PlayFace(face);
                }
            }
        } else if (state.WaitingForHuman && state.CurrTurn == 4 && !state.HumanTurnDone) {
            TakeTurn();
        } else if (Chance(0.01)) {
            ClickOutOfTurn();
        }
    }
    --depth_;
}

void Autopilot::ClickOutOfTurn()
{
    ++counts_.ignoredClicks;
    const auto& faces = engine_.State().HumanFaces;
    if (Chance(0.5) || faces.empty()) {
        engine_.Start(engine_.imgDeck_DblClick());
    } else {
        engine_.Start(engine_.cPlayer4Card_DblClick(static_cast<int>(rng_() % faces.size()) + 1));
    }
    if (Chance(0.3)) engine_.lblPlayer_Click(4);
}

void Autopilot::TakeTurn()
{
    GameState& state = engine_.State();
    if (state.PlayInProgress || state.DeckDrawBusy) return;
    clsPlayer& me = state.Players(4);

    if (Chance(0.08)) {
        ++counts_.sorts;
        engine_.lblPlayer_Click(4);
    }

    if (state.HumanDrawCount > 0) {
        if (!state.ForcedDrawStarted && Chance(0.85)) {
            for (CardCode canceller : {CardCode("LG"), CardCode("LP")}) {
                if (const int face = FaceOf(canceller)) {
                    PlayFace(face);
                    return;
                }
            }
        }
        ++counts_.deckDraws;
        engine_.Start(engine_.imgDeck_DblClick());
        return;
    }
    if (state.HumanPlayedCard) return;
    if (state.ForcedDrawStarted) {
        // No card may be played any more this turn: only the deck is left.
        ++counts_.deckDraws;
        engine_.Start(engine_.imgDeck_DblClick());
        return;
    }

    // Now and then a card that cannot go: refused without a word.
    if (Chance(0.05) && !state.HumanFaces.empty()) {
        const int face = static_cast<int>(rng_() % state.HumanFaces.size()) + 1;
        if (!ValidCard(state.HumanFaces[static_cast<std::size_t>(face - 1)], "", state, nullptr)) {
            ++counts_.ignoredClicks;
            engine_.Start(engine_.cPlayer4Card_DblClick(face));
            return;
        }
    }

    const std::int16_t ownStyle = me.PlayingStyle();
    me.PlayingStyle(style_);
    const int next1 = state.CurrDirection == 'L' ? 3 : 1;
    const int next2 = 2;
    const int next3 = state.CurrDirection == 'L' ? 1 : 3;
    const CardCode choice =
        me.GetCardToPlay(state.CurrCard.Colour(), state.ActualCurrCard.Value(), state.Players(next1).NumberOfCards(),
                         state.Players(next2).NumberOfCards(), state.Players(next3).NumberOfCards(), false);
    me.PlayingStyle(ownStyle);

    const int face = choice == kNoCardToPlay ? 0 : FaceOf(choice);
    if (face && ValidCard(choice, "", state, nullptr)) {
        PlayFace(face);
    } else {
        ++counts_.deckDraws;
        engine_.Start(engine_.imgDeck_DblClick());
    }
}

std::string Autopilot::AnswerQuestion(std::string_view text, QuestionButtons buttons)
{
    if (buttons == QuestionButtons::Ok) return "OK";
    constexpr std::string_view kAsked = "Do you have ";
    if (const auto at = text.find(kAsked); at != std::string_view::npos) {
        // A computer player asks for a Card of Light: mostly the truth.
        const std::string_view words = text.substr(at + kAsked.size());
        char letter = 'V';
        for (std::string_view entry : kAskingOrder)
            if (words.substr(0, entry.size() - 1) == entry.substr(1)) letter = entry.front();
        bool truth = engine_.State().Players(4).FindSpecificCOL(letter);
        if (Chance(0.15)) {
            ++counts_.lies;
            truth = !truth;
        }
        return truth ? "YES" : "NO";
    }
    // "Do you want to play this card?"
    if (Chance(0.8)) return "YES";
    ++counts_.declinedDraws;
    return "NO";
}

int Autopilot::ChooseColor()
{
    if (Chance(0.2)) return static_cast<int>(rng_() % 4u) + 1;
    switch (engine_.State().Players(4).PickColor()) {
    case 'G': return 2;
    case 'P': return 3;
    case 'R': return 4;
    default: return 1;
    }
}

int Autopilot::ChooseAskButton()
{
    if (!engine_.State().AskWindow.Checking && engine_.State().AskWindow.AskCount == 0) askTried_ = 0;
    int index = static_cast<int>(rng_() % 4u) + 1;
    for (int tries = 0; tries < 4 && (askTried_ & (1u << index)); ++tries) index = index % 4 + 1;
    askTried_ |= 1u << index;
    return index;
}

} // namespace vemo
