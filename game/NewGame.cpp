// Starting a game: clearing the table and the state, the setup or resume
// dialog, the players of a new game, and dealing a hand.

#include "CardText.h"
#include "GameEngine.h"
#include "RandomInteger.h"
#include "ReportError.h"

#include <memory>

namespace vemo {

Task<void> GameEngine::StartNewGame()
{
    try {
        view_.SetBusyPointer(true);
        state_.GameRequest.clear();
        state_.PrevCurrCard = BlankCard;
        state_.HumanLastCard = BlankCard;
        state_.LastPlayedCard = BlankCard;
        state_.ActualCurrCard = BlankCard;

        state_.SpecialAction = false;
        state_.PrayerCardPlayed = false;
        state_.PlayInProgress = false;
        state_.MainLoopRunning = false;
        state_.VemoAfterPrayer = false;
        state_.WaitingForHuman = false;
        state_.HumanMustDraw = false;
        state_.DeckDrawBusy = false;
        state_.HumanPlayedCard = false;
        state_.ForcedDrawStarted = false;
        state_.VemoBonusCard = false;
        state_.VemoSavedTurn = 0;
        state_.HumanDrawCount = 0;

        view_.SetCaption("Vemo");
        view_.HideMessageWindow();
        view_.ShowMenus(false);

        state_.Scores = {};
        state_.HandTotals.clear();
        RefreshScores();

        view_.ClearDiscardPile();
        RemovePhysicalAndVirtualCards();

        state_.CurrDirection = 'R';
        view_.SetStatusText(StatusBar::Bottom, 3, "Clockwise");

        state_.Players.Clear();
        LoadVemoCardDeck(state_.Deck);
        ShuffleFullDeck(state_.Deck);
        state_.GameSaved = false;

        if (state_.ResumeInProgress) {
            view_.SetBusyPointer(false);
            state_.Tag.clear();
            co_await Pause([this](PendingWait& w) { return view_.StartResumeList(w); });
            if (state_.Tag.empty()) {
                co_await Pause([this](PendingWait& w) { return view_.StartGameSetup(w); });
            } else if (state_.Tag.find_first_not_of("0123456789") == std::string::npos) {
                const auto id = static_cast<std::int32_t>(std::stol(state_.Tag));
                // (A co_await inside a condition miscompiles with GCC 12: keep it a statement.)
                const bool resumed = co_await records_.ResumeSavedGame(id);
                if (resumed) {
                    // The score chart of a resumed game starts from its saved totals.
                    std::array<std::int32_t, 4> totals{};
                    for (int seat = 1; seat <= 4; ++seat)
                        totals[static_cast<std::size_t>(seat - 1)] = state_.Scores[seat];
                    state_.HandTotals.push_back(totals);
                    Announce({.Kind = GameEventKind::GameResumed, .Totals = totals});
                } else {
                    MessageBoxSpec box{"Resume Game",
                                       "An error occurred while trying to resume this game.\r\n\r\n"
                                       "Please try again or select a different game.",
                                       BoxButtons::Ok, BoxIcon::Critical, 1};
                    co_await ShowMessageBox(box);
                    // The table stays empty; the File menu starts or opens another game.
                    view_.ShowMenus(true);
                }
            }
        } else {
            co_await Pause([this](PendingWait& w) { return view_.StartGameSetup(w); });
        }
        view_.SetBusyPointer(false);
    } catch (const std::exception& fault) {
        ReportError("StartNewGame", FaultNumber(fault), fault.what());
    }
}

Task<bool> GameEngine::SetParametersForThisGame(const GameSetupChoice& choice)
{
    bool result = false;
    try {
        // The seats are built aside and take their places only when all four
        // exist, so a failed start never leaves a half-filled table behind.
        PlayerCollection seats;
        for (int seat = 1; seat <= 3; ++seat) {
            const auto& opponent = choice.Opponents[static_cast<std::size_t>(seat - 1)];
            auto player = std::make_unique<clsPlayer>();
            player->Name(opponent.PlayerName);
            player->PlayingStyle(opponent.PlayingStyle);
            player->WAV(opponent.WAVnumber);
            player->GameSequence(static_cast<std::int16_t>(seat));
            seats.Add(std::move(player));
        }
        auto human = std::make_unique<clsPlayer>();
        human->Name(choice.HumanName);
        human->PlayingStyle(0);
        human->WAV(0);
        human->GameSequence(4);
        human->Human(true);
        seats.Add(std::move(human));

        state_.Players = std::move(seats);
        for (int seat = 1; seat <= 4; ++seat) {
            state_.Players(seat).AttachDisplay(&hands_);
            view_.SetPlayerName(seat, state_.Players(seat).Name());
        }
        state_.HumanPlayerName = choice.HumanName;

        state_.ScoreLimit = choice.ScoreLimit;
        view_.SetStatusText(StatusBar::Top, 1, "Point Limit = " + std::to_string(state_.ScoreLimit));
        state_.HandTotals.clear();
        Announce({.Kind = GameEventKind::GameStarted, .Count = state_.ScoreLimit});
        RefreshScores();
        ClearAllHighlights();

        state_.CurrDealer = static_cast<std::int16_t>(RandomInteger(4, 1));
        state_.CurrTurn = state_.CurrDealer;
        NextTurn();
        view_.SetStatusText(StatusBar::Bottom, 1, state_.Players(state_.CurrTurn).Name() + "'s Turn");
        view_.SetStatusText(StatusBar::Bottom, 2, state_.Players(state_.CurrDealer).Name() + " dealt");
        view_.SetPlayerHighlight(state_.CurrTurn, true);
        view_.SetHumanTurnControls(state_.CurrTurn == 4);

        co_await DealTheCards();
        Announce({.Kind = GameEventKind::HandStarted, .Seat = state_.CurrDealer, .Card = state_.CurrCard});

        state_.Scores = {};
        state_.CurrDirection = 'R';
        view_.SetStatusText(StatusBar::Bottom, 3, "Clockwise");
        state_.GameSaved = false;
        result = true;
        SnapshotGameState("");
    } catch (const std::exception& fault) {
        ReportError("SetParametersForThisGame", FaultNumber(fault), fault.what());
    }
    co_return result;
}

Task<void> GameEngine::DealTheCards()
{
    try {
        CardDeck& deck = state_.Deck;
        int position = 1;
        for (int pass = 0; pass < 7; ++pass) {
            int seat = state_.CurrTurn;
            for (int k = 0; k < 4; ++k) {
                state_.Players(seat).AddACard(deck(position));
                deck(position) = BlankCard;
                ++position;
                co_await Pause([this](PendingWait& w) { return view_.StartCardFlightWait(w); });
                seat = seat % 4 + 1; // always upwards, whatever the direction of play
            }
        }
        deck.DeckPosition = static_cast<std::int16_t>(position);

        while (IsLight(deck(deck.DeckPosition))) {
            const int other = RandomInteger(kDeckSize, deck.DeckPosition + 1);
            std::swap(deck(deck.DeckPosition), deck(other));
        }

        state_.CurrCard = deck(deck.DeckPosition);
        state_.ActualCurrCard = state_.CurrCard;
        deck(deck.DeckPosition) = BlankCard;
        ++deck.DeckPosition;

        co_await PlaceCardOnDiscardPile(state_.CurrCard, "NOMOVE");

        state_.CurrColor = state_.CurrCard.Colour();
        ShowCurrentColor();
        if (!IsNumbered(state_.CurrCard)) state_.SpecialAction = true;
    } catch (const std::exception& fault) {
        ReportError("DealTheCards", FaultNumber(fault), fault.what());
    }
}

void GameEngine::ShowCurrentColor()
{
    view_.SetStatusText(StatusBar::Bottom, 4, ColorName(state_.CurrColor));
}

void GameEngine::RefreshScores()
{
    for (int seat = 1; seat <= 4 && seat <= state_.Players.Count(); ++seat)
        view_.SetStatusText(StatusBar::Top, 3 + seat - 1,
                            state_.Players(seat).Name() + " = " + std::to_string(state_.Scores[seat]));
}

void GameEngine::RemovePhysicalAndVirtualCards()
{
    Trapped("RemovePhysicalAndVirtualCards", [this] {
        view_.RemoveAllCardImages();
        state_.HumanFaces.clear();
        for (int seat = 1; seat <= state_.Players.Count(); ++seat) state_.Players(seat).RemoveAllCards();
    });
}

} // namespace vemo
