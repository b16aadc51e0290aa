// A computer player's turn: answering a pending evil card, playing by its
// strategy, drawing and retrying, extra turns, and the Ask exchange.

#include "ExpertStrategy.h"
#include "GameEngine.h"
#include "RandomInteger.h"
#include "ReportError.h"

namespace vemo {

Task<void> GameEngine::ComputerPlayersTurn(int seat)
{
    try {
        co_await ComputerTurnBody(seat);
    } catch (const std::exception& fault) {
        ReportError("ComputerPlayersTurn", FaultNumber(fault), fault.what());
    }
}

Task<void> GameEngine::ComputerTurnBody(int seat)
{
    // 1. The next three seats in the direction of play.
    const int next1 = SeatAfter(seat);
    const int next2 = SeatAfter(next1);
    const int next3 = SeatAfter(next2);
    clsPlayer& player = state_.Players(seat);

    co_await WaitSeconds(1.0f);
    bool hasDrawn = false;
    for (;;) {
        // 3. Ask the strategy, keeping what it saw for the game log.
        const std::array<std::int16_t, 3> holding{state_.Players(next1).NumberOfCards(),
                                                  state_.Players(next2).NumberOfCards(),
                                                  state_.Players(next3).NumberOfCards()};
        const CardCode pile = state_.CurrCard;
        CardCode card;
        StrategyGrounds grounds;
        if (player.PlayingStyle() == kExpertStyle) {
            const ExpertChoice why = ExpertCardToPlay(KnowledgeOf(seat, hasDrawn));
            card = why.Card;
            grounds = {.Step = StrategyStep::Expert,
                       .Answer = card,
                       .Pile = pile,
                       .Holding = holding,
                       .Style = kExpertStyle,
                       .Motive = why.Motive,
                       .Concerns = static_cast<std::int16_t>(why.Concerns),
                       .Count = static_cast<std::int16_t>(why.Count)};
        } else {
            card = player.GetCardToPlay(pile.Colour(), state_.ActualCurrCard.Value(), holding[0], holding[1],
                                        holding[2], state_.SpecialAction);
            grounds = {.Step = player.LastStrategyStep(),
                       .Answer = card,
                       .Pile = pile,
                       .Holding = holding,
                       .Style = player.PlayingStyle()};
        }

        // 4. After drawing, say whether the drawn card helped.
        if (hasDrawn) {
            if (card == kNoCardToPlay) {
                view_.ShowNotice(player.Name() + " is NOT able to play the card!", NoticeHeight::MessageOnly);
                co_await WaitSeconds(1.0f);
                view_.HideMessageWindow();
                co_return;
            }
            view_.ShowNotice(player.Name() + " IS able to play the card!", NoticeHeight::MessageOnly);
            co_await WaitSeconds(1.0f);
            view_.HideMessageWindow();
        }

        // 5. A pending card is answered first.
        if (state_.SpecialAction) {
            state_.SpecialAction = false;
            const char pending = state_.CurrCard.Value();
            const bool grace = card == CardCode("LG");
            const bool prayer = card == CardCode("LP");
            auto neutralise = [this] { state_.CurrCard = CardCode(state_.CurrColor, '*'); };
            int owed = 0;
            switch (pending) {
            case 'R': owed = 2; break;
            case 'T': owed = 2; break;
            case 'D': owed = 4; break;
            case 'S': owed = 3; break;
            default: break;
            }
            if (owed == 0) {
                neutralise();
                co_return; // nothing to answer: the turn ends without playing
            }
            if (grace || prayer) {
                co_await PlayCard(card, grounds);
                state_.SpecialAction = false;
                if (prayer) ReverseDirection();
                neutralise();
                if (pending == 'R') {
                    co_await DrawCard(1);
                    co_return;
                }
                if (prayer || state_.HandOver || !state_.GameRequest.empty()) co_return;
                continue; // Grace on Temptation, Sin or Devil: play again
            }
            co_await DrawCard(owed, grounds);
            neutralise();
            co_return;
        }

        // 6. Play by the card's value.
        switch (card.Value()) {
        case 'V':
            co_await PlayCard(card, grounds);
            if (!state_.HandOver && state_.GameRequest.empty()) state_.SpecialAction = false;
            co_return;
        case 'B':
        case 'G':
            co_await PlayCard(card, grounds);
            if (state_.HandOver || !state_.GameRequest.empty()) co_return;
            state_.SpecialAction = false;
            continue;
        case 'P':
            co_await PlayCard(card, grounds);
            ReverseDirection();
            state_.SpecialAction = false;
            co_return;
        case 'K':
            co_await PlayCard(card, grounds);
            co_await AskForCOLComputerPlayer();
            state_.SpecialAction = false;
            co_return;
        case '*':
            break;
        default:
            co_await PlayCard(card, grounds);
            co_return;
        }

        // 7. Draw one card and try again.
        view_.ShowNotice(player.Name() + " is going to draw a card and then attempt to play it!",
                         NoticeHeight::MessageOnly);
        co_await WaitSeconds(2.0f);
        co_await DrawCard(1, grounds);
        hasDrawn = true;
    }
}

Task<CardCode> GameEngine::DrawCard(int count, StrategyGrounds grounds)
{
    CardCode last;
    try {
        const int seat = state_.CurrTurn;
        CardDeck& deck = state_.Deck;
        for (int k = 0; k < count; ++k) {
            const CardCode drawn = deck(deck.DeckPosition);
            state_.Players(state_.CurrTurn).AddACard(drawn);
            last = drawn;
            deck(deck.DeckPosition) = BlankCard;
            ++deck.DeckPosition;
            co_await Pause([this](PendingWait& w) { return view_.StartCardFlightWait(w); });
            if (deck.DeckPosition > kDeckSize) {
                RebuildDeck(deck, state_.CurrCard);
                record_.DeckRefilled(state_.CurrCard);
                view_.HideDiscardDeck();
            }
        }
        state_.GameSaved = false;
        if (count > 0)
            Announce({.Kind = GameEventKind::CardsDrawn, .Seat = seat, .Card = last, .Count = count, .Grounds = grounds});
    } catch (const std::exception& fault) {
        ReportError("DrawCard", FaultNumber(fault), fault.what());
    }
    co_return last;
}

Task<void> GameEngine::AskForCOLComputerPlayer()
{
    try {
        const int asker = state_.CurrTurn;
        const int asked = SeatAfter(asker);
        co_await AskForTheseCards(asker, asked);
    } catch (const std::exception& fault) {
        ReportError("AskForCOLComputerPlayer", FaultNumber(fault), fault.what());
    }
}

Task<void> GameEngine::AskForTheseCards(int asker, int asked)
{
    clsPlayer& askingPlayer = state_.Players(asker);
    clsPlayer& askedPlayer = state_.Players(asked);
    char found = 0;

    for (std::string_view entry : AskingOrderOf(asker)) {
        const char letter = entry.front();
        const std::string words(entry.substr(1));
        if (!askedPlayer.Human()) {
            view_.ShowNotice(askingPlayer.Name() + " is currently asking " + askedPlayer.Name() + " for " + words +
                                 " card...",
                             NoticeHeight::MessageOnly);
            const bool has = askedPlayer.FindSpecificCOL(letter);
            co_await WaitSeconds(1.0f);
            AnnounceAsk(asker, asked, letter, has);
            if (has) {
                found = letter;
                break;
            }
            continue;
        }
        // The human is asked, and a false answer is caught and asked again.
        for (;;) {
            const std::string question = "\"" + askedPlayer.Name() + "!  Do you have " + words + " card?\" - " +
                                         askingPlayer.Name();
            const std::string answer = co_await AskQuestion(question);
            const bool has = askedPlayer.FindSpecificCOL(letter);
            const bool saidYes = answer == "YES";
            if (saidYes != has) {
                view_.Announce({.Kind = GameEventKind::Penalty,
                                .Seat = asked,
                                .OtherSeat = asker,
                                .Card = CardCode('L', letter),
                                .Cause = PenaltyCause::FalseAnswer});
                co_await AskQuestion("Your computer (which is overseeing the play of this game) has determined "
                                     "that you have lied! 'Do not lie to each other...' Colossians 3:9  Please "
                                     "tell the truth this time.",
                                     QuestionButtons::Ok);
                continue;
            }
            AnnounceAsk(asker, asked, letter, has);
            if (saidYes) found = letter;
            break;
        }
        if (found) break;
        co_await WaitSeconds(1.0f);
    }

    if (found) {
        view_.ShowNotice("GOT IT!", NoticeHeight::MessageOnly);
        co_await MoveCardBetweenHands(asked, asker, CardCode('L', found));
        co_await WaitSeconds(1.0f);
        if (askedPlayer.NumberOfCards() < 1) {
            state_.HandOver = true;
            state_.HandWinner = static_cast<std::int16_t>(asked);
        }
        view_.HideMessageWindow();
        if (state_.HandOver && askedPlayer.Human()) co_await ProcessHumanSayVemo();
        co_return;
    }

    view_.ShowNotice("Didn't have any cards of light.  " + askedPlayer.Name() + " will draw a card and be skipped.",
                     NoticeHeight::MessageOnly);
    co_await WaitSeconds(2.0f);
    view_.SetPlayerHighlight(asker, false);
    NextTurn();
    view_.Announce({.Kind = GameEventKind::PlayerSkipped, .Seat = asked});
    co_await DrawCard(1);
    if (askingPlayer.NumberOfCards() < 1) {
        view_.Announce({.Kind = GameEventKind::Penalty, .Seat = asker, .Cause = PenaltyCause::AskCardLast});
        view_.ShowNotice("A player can't end a hand with an Ask card so " + askingPlayer.Name() +
                             " will draw a card.",
                         NoticeHeight::MessageOnly);
        co_await WaitSeconds(2.0f);
        const std::int16_t skipped = state_.CurrTurn;
        state_.CurrTurn = static_cast<std::int16_t>(asker);
        co_await DrawCard(1);
        state_.CurrTurn = skipped;
    }
    view_.HideMessageWindow();
}

void GameEngine::AnnounceAsk(int asker, int asked, char letter, bool gotIt)
{
    Announce({.Kind = GameEventKind::AskMade,
              .Seat = asker,
              .OtherSeat = asked,
              .Card = CardCode('L', letter),
              .Count = gotIt ? 1 : 0});
}

Task<void> GameEngine::MoveCardBetweenHands(int fromSeat, int toSeat, CardCode card)
{
    try {
        state_.Players(fromSeat).RemoveACard(card);
        state_.Players(toSeat).AddACard(card, fromSeat);
        co_await Pause([this](PendingWait& w) { return view_.StartCardFlightWait(w); });
    } catch (const std::exception& fault) {
        ReportError("MoveCardBetweenHands", FaultNumber(fault), fault.what());
    }
}

} // namespace vemo
