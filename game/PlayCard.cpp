// Every card that leaves a hand goes through PlayCard. Also the Vemo card
// played out of turn after a Prayer, and the human's "say Vemo".

#include "CardText.h"
#include "ExpertStrategy.h"
#include "GameEngine.h"
#include "RandomInteger.h"
#include "ReportError.h"

#include <algorithm>

namespace vemo {

Task<void> GameEngine::PlaceCardOnDiscardPile(CardCode card, std::string_view mode)
{
    co_await Pause([this, card, mode](PendingWait& w) { return view_.StartDiscardPlacement(card, mode, w); });
}

Task<std::string> GameEngine::ShowMessageBox(MessageBoxSpec box)
{
    co_return co_await Pause([this, &box](PendingWait& w) { return view_.StartMessageBox(box, w); });
}

Task<void> GameEngine::ShowVemoCallout()
{
    const int seat = state_.CurrTurn;
    view_.Announce({.Kind = GameEventKind::VemoSaid, .Seat = seat});
    co_await Pause([this, seat](PendingWait& w) { return view_.StartVemoCallout(seat, w); });
}

Task<void> GameEngine::ShowColorChoice()
{
    co_await Pause([this](PendingWait& w) { return view_.StartColorChoice(w); });
    // The colour window is only ever the human's.
    Announce({.Kind = GameEventKind::ColourChosen, .Seat = 4, .Colour = state_.CurrColor});
}

Task<std::string> GameEngine::AskQuestion(std::string text, QuestionButtons buttons)
{
    std::string answer =
        co_await Pause([this, &text, buttons](PendingWait& w) { return view_.StartQuestion(text, buttons, w); });
    state_.Tag = answer;
    co_return answer;
}

Task<void> GameEngine::PlayCard(CardCode card, StrategyGrounds grounds)
{
    try {
        state_.PlayInProgress = true;
        if (state_.CurrTurn != 4 && !state_.PrayerCardPlayed) co_await WaitSeconds(1.0f);

        state_.PrevCurrCard = state_.CurrCard;
        co_await PlaceCardOnDiscardPile(card, "");

        state_.CurrCard = card;
        state_.ActualCurrCard = card;
        state_.LastPlayedCard = card;
        state_.CurrColor = card.Colour();
        if (state_.CurrTurn == 4) state_.HumanLastCard = card;
        ShowCurrentColor();
        Announce({.Kind = GameEventKind::CardPlayed, .Seat = state_.CurrTurn, .Card = card, .Grounds = grounds});

        clsPlayer& player = state_.Players(state_.CurrTurn);
        player.RemoveACard(card);

        const bool soundOn = view_.SoundOn();
        if (card == CardCode("LV") && state_.CurrTurn != 4) {
            if (soundOn && player.WAV() > 0) view_.PlayWav(player.WAV());
            if (player.NumberOfCards() > 0) co_await ShowVemoCallout();
        }

        if (card == CardCode("LP")) {
            bool anyHolder = false;
            for (int seat = 1; seat <= 4; ++seat) {
                state_.VemoHolders[seat] = state_.Players(seat).FindSpecificCOL('V');
                anyHolder = anyHolder || state_.VemoHolders[seat];
            }
            state_.PrayerCardPlayed = anyHolder;
        } else {
            state_.VemoBonusCard = card == CardCode("LV") && state_.PrayerCardPlayed;
            state_.PrayerCardPlayed = false;
        }

        if (player.NumberOfCards() < 1) {
            if (state_.PrevCurrCard.Value() == 'R' && (card == CardCode("LG") || card == CardCode("LP"))) {
                // A Trial answered with Grace or Prayer still costs the card drawn this turn.
            } else if (card.Value() == 'K') {
                // The Ask makes the player draw.
            } else if (IsEvilValue(card.Value())) {
                view_.Announce(
                    {.Kind = GameEventKind::Penalty, .Seat = state_.CurrTurn, .Cause = PenaltyCause::EvilCardLast});
                view_.ShowNotice("A player can't end a hand with an evil card so " + player.Name() +
                                     " will draw a card.",
                                 NoticeHeight::MessageOnly);
                co_await WaitSeconds(2.0f);
                co_await DrawCard(1);
                view_.HideMessageWindow();
            } else if (player.Human()) {
                state_.HandOver = true;
                state_.HandWinner = 4;
            } else {
                if (soundOn) view_.PlayWav(player.WAV());
                co_await ShowVemoCallout();
                state_.HandOver = true;
                state_.HandWinner = state_.CurrTurn;
                if (soundOn) {
                    const int clip = player.WAV();
                    co_await WaitMilliseconds(clip == 7 ? 750 : (clip == 8 || clip == 10) ? 400 : 200);
                }
            }
        }

        view_.ArrangePlayersCards(state_.CurrTurn, player.NumberOfCards());

        if (!IsNumbered(card)) state_.SpecialAction = true;
        if (card == CardCode("LV")) state_.SpecialAction = false;

        if (state_.CurrColor == 'L' && !state_.HandOver) {
            if (state_.CurrTurn == 4) {
                co_await ShowColorChoice();
                if (state_.HumanDrawCount > 0 && (card.Value() == 'G' || card.Value() == 'P')) {
                    const char pending = state_.PrevCurrCard.Value();
                    if (pending == 'D' || pending == 'S' || pending == 'T') {
                        state_.HumanDrawCount = 0;
                        view_.SetStatusText(StatusBar::Bottom, 1, player.Name() + "'s Turn");
                    } else if (pending == 'R') {
                        state_.HumanDrawCount = 1;
                        view_.SetStatusText(StatusBar::Bottom, 1, player.Name() + " still needs to draw 1");
                    }
                }
            } else {
                StrategyGrounds why;
                if (player.PlayingStyle() == kExpertStyle) {
                    const ExpertChoice choice = ExpertColour(KnowledgeOf(state_.CurrTurn));
                    state_.CurrColor = choice.Colour;
                    why = {.Step = StrategyStep::Expert,
                           .Colour = choice.Colour,
                           .Style = kExpertStyle,
                           .Motive = choice.Motive,
                           .Concerns = static_cast<std::int16_t>(choice.Concerns)};
                } else {
                    state_.CurrColor = player.PickColor();
                    why = {.Step = player.LastStrategyStep(), .Colour = state_.CurrColor, .Style = player.PlayingStyle()};
                }
                ShowCurrentColor();
                Announce({.Kind = GameEventKind::ColourChosen,
                          .Seat = state_.CurrTurn,
                          .Colour = state_.CurrColor,
                          .Grounds = why});
                view_.ShowNotice(player.Name() + " has chosen the color " + std::string(ColorName(state_.CurrColor)),
                                 NoticeHeight::MessageOnly);
                co_await WaitSeconds(2.0f);
                view_.HideMessageWindow();
            }
            state_.CurrCard = CardCode(state_.CurrColor, '*');
        }

        if (state_.CurrTurn == 4 && (state_.HumanDrawCount == 0 || state_.HandOver)) state_.HumanTurnDone = true;

        state_.CardsHaveBeenPlayed = true;
        state_.GameSaved = false;
        state_.PlayInProgress = false;
    } catch (const std::exception& fault) {
        state_.PlayInProgress = false;
        ReportError("PlayCard", FaultNumber(fault), fault.what());
    }
}

Task<void> GameEngine::PlayVemoCard(int seat)
{
    try {
        state_.VemoAfterPrayer = true;
        state_.VemoSavedTurn = state_.CurrTurn;

        if (seat == 4) {
            state_.HumanTurnDone = false;
            state_.CurrTurn = 4;
            const int limit = RandomInteger(6, 1);
            for (int step = 0;
                 state_.GameRequest.empty() && !state_.HumanTurnDone && step <= limit; ++step)
                co_await WaitMilliseconds(500);

            if (state_.HumanTurnDone) {
                if (state_.HandOver && state_.Players(4).NumberOfCards() < 1) co_await ProcessHumanSayVemo();
            } else {
                bool computerHolder = false;
                for (int s = 1; s <= 3; ++s) computerHolder = computerHolder || state_.VemoHolders[s];
                if (computerHolder) {
                    seat = RandomInteger(3, 1);
                    while (!state_.VemoHolders[seat]) seat = seat % 3 + 1;
                } else {
                    state_.CurrTurn = state_.VemoSavedTurn;
                    state_.VemoAfterPrayer = false;
                    // The window has been served. Left open, it would reopen after a
                    // later turn with holders who may have played their Vemo since.
                    state_.PrayerCardPlayed = false;
                    co_return;
                }
            }
        }

        if (state_.LastPlayedCard == CardCode("LV") && state_.HumanTurnDone) {
            state_.PrayerCardPlayed = false;
            state_.VemoAfterPrayer = false;
            // The human plays next: the menus, hint and status bar still show
            // the seat after the Prayer, with Draw Card disabled.
            ShowTurn();
            co_return;
        }

        if (seat != 4) {
            state_.CurrTurn = static_cast<std::int16_t>(seat);
            co_await PlayCard(CardCode("LV"));
        }

        ShowTurn();
        state_.VemoAfterPrayer = false;
    } catch (const std::exception& fault) {
        state_.VemoAfterPrayer = false;
        ReportError("PlayVemoCard", FaultNumber(fault), fault.what());
    }
}

Task<void> GameEngine::ProcessHumanSayVemo()
{
    try {
        state_.SayVemoClicked = false;
        view_.ShowSayVemoButton(true);
        const std::string& name = state_.Players(4).Name();
        view_.SetStatusText(StatusBar::Bottom, 1, name + " needs to say Vemo");
        for (int step = 0; !state_.SayVemoClicked && step <= 20; ++step) co_await WaitMilliseconds(250);
        view_.ShowSayVemoButton(false);

        if (state_.SayVemoClicked) {
            view_.Announce({.Kind = GameEventKind::VemoSaid, .Seat = 4});
            co_return;
        }

        view_.SetStatusText(StatusBar::Bottom, 1, name + " - too late!");
        view_.Announce({.Kind = GameEventKind::Penalty, .Seat = 4, .Cause = PenaltyCause::VemoTooLate});
        view_.ShowNotice("You did NOT click on the 'say Vemo' button.  Play will continue.", NoticeHeight::MessageOnly);
        co_await WaitSeconds(3.0f);
        view_.HideMessageWindow();
        state_.HandOver = false;
        state_.HandWinner = 0;
        state_.SpecialAction = false;
        state_.HumanDrawCount = 0;

        const std::int16_t savedTurn = state_.CurrTurn;
        state_.CurrTurn = 4;
        co_await DrawCard(1);
        state_.CurrTurn = savedTurn;

        if (state_.CurrCard.Colour() == 'L') {
            co_await ShowColorChoice();
            // As after every colour choice, the pile now shows only the colour;
            // left as the Card of Light, it would let the next computer player
            // answer with nothing but Cards of Light.
            state_.CurrCard = CardCode(state_.CurrColor, '*');
        }
    } catch (const std::exception& fault) {
        ReportError("ProcessHumanSayVemo", FaultNumber(fault), fault.what());
    }
}

void GameEngine::cmdHumanVemo_Click()
{
    state_.SayVemoClicked = true;
}

} // namespace vemo
