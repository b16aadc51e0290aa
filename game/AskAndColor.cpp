// The human's Ask window and colour window: the rules behind their buttons.

#include "CardText.h"
#include "GameEngine.h"
#include "ReportError.h"

namespace vemo {

namespace {
// Capital word shown on a button once its card has been asked for.
constexpr std::string_view kAskedWords[5] = {"", "GRACE", "BLESSING", "PRAYER", "VEMO"};
} // namespace

Task<void> GameEngine::cmdCOL_Click(int index)
{
    AskWindowState& ask = state_.AskWindow;
    if (!ask.Open || ask.Checking || index < 1 || index > 4) co_return;
    try {
        view_.SetAskMessage("checking...");
        ask.Checking = true;
        view_.MarkAskButtonUsed(index, kAskedWords[index]);
        co_await WaitSeconds(1.0f);
        co_await AskForCOLHumanPlayer(index);

        if (ask.GotCard) {
            ask.AskCount = 0;
            ask.Checking = false;
            ask.Open = false;
            view_.CloseAskWindow();
            co_return;
        }
        ++ask.AskCount;
        if (ask.AskCount <= 3) {
            ask.Checking = false;
            co_return;
        }

        // The fourth miss: the asked player draws and is skipped.
        ask.AskCount = 0;
        ask.GotCard = false;
        const int asked = ask.AskedPlayer;
        const int asker = state_.CurrTurn;
        view_.SetAskMessage(lastAskMessage_ + " " + state_.Players(asked).Name() + " will draw a card and be skipped.");
        co_await WaitSeconds(2.0f);
        view_.SetPlayerHighlight(asker, false);
        NextTurn();
        view_.Announce({.Kind = GameEventKind::PlayerSkipped, .Seat = asked});
        co_await DrawCard(1);
        if (state_.Players(asker).NumberOfCards() < 1) {
            view_.Announce({.Kind = GameEventKind::Penalty, .Seat = asker, .Cause = PenaltyCause::AskCardLast});
            view_.SetAskMessage("A player can't end a hand with an Ask card so " + state_.Players(asker).Name() +
                                " will draw a card.");
            co_await WaitSeconds(2.0f);
            const std::int16_t skipped = state_.CurrTurn;
            state_.CurrTurn = static_cast<std::int16_t>(asker);
            co_await DrawCard(1);
            state_.CurrTurn = skipped;
        }
        state_.HandOver = false;
        ask.Checking = false;
        ask.Open = false;
        view_.CloseAskWindow();
    } catch (const std::exception& fault) {
        ask.Checking = false;
        ReportError("frmAskCOL_cmdCOL_Click", FaultNumber(fault), fault.what());
    }
}

Task<void> GameEngine::AskForCOLHumanPlayer(int index)
{
    try {
        AskWindowState& ask = state_.AskWindow;
        const std::string_view entry = kAskingOrder[index - 1];
        const char letter = entry.front();
        const std::string phrase(entry.substr(1));
        clsPlayer& asked = state_.Players(ask.AskedPlayer);

        ask.GotCard = asked.FindSpecificCOL(letter);
        co_await WaitMilliseconds(500);
        AnnounceAsk(state_.CurrTurn, ask.AskedPlayer, letter, ask.GotCard);
        if (ask.GotCard) {
            lastAskMessage_ = asked.Name() + " had one.  Card is being transferred.";
            view_.SetAskMessage(lastAskMessage_);
            co_await WaitSeconds(1.0f);
            co_await MoveCardBetweenHands(ask.AskedPlayer, state_.CurrTurn, CardCode('L', letter));
            state_.Tag = std::to_string(ask.AskedPlayer);
        } else {
            lastAskMessage_ = asked.Name() + " didn't have " + phrase +
                              (ask.AskCount < 3 ? " card.  Select again." : " card.");
            view_.SetAskMessage(lastAskMessage_);
            co_await WaitSeconds(1.0f);
        }
    } catch (const std::exception& fault) {
        ReportError("AskForCOLHumanPlayer", FaultNumber(fault), fault.what());
    }
}

void GameEngine::cmdColor_Click(int index)
{
    switch (index) {
    case 2: state_.CurrColor = 'G'; break;
    case 3: state_.CurrColor = 'P'; break;
    case 4: state_.CurrColor = 'R'; break;
    default: state_.CurrColor = 'B'; break;
    }
    ShowCurrentColor();
}

} // namespace vemo
