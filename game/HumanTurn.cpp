// The human's turn: the wait for input, and the input handlers that draw,
// play by double-click or drag and drop, and sort the hand. Each handler
// checks the guard flags first, since it can arrive in the middle of play.

#include "CardText.h"
#include "GameEngine.h"
#include "ReportError.h"

#include <algorithm>

namespace vemo {

Task<void> GameEngine::HumanPlayersTurn()
{
    try {
        co_await HumanTurnBody();
    } catch (const std::exception& fault) {
        ReportError("HumanPlayersTurn ", FaultNumber(fault), fault.what());
    }
    // However the turn ended, its draw guards end with it: a hand won by
    // going out on a Grace would otherwise leave the deck locked next hand.
    state_.HumanMustDraw = false;
    state_.ForcedDrawStarted = false;
}

Task<void> GameEngine::HumanTurnBody()
{
    SnapshotGameState("");
    const std::string& name = state_.Players(4).Name();

    if (state_.SpecialAction) {
        state_.SpecialAction = false;
        switch (state_.CurrCard.Value()) {
        case 'R':
        case 'T': state_.HumanDrawCount = 2; break;
        case 'D': state_.HumanDrawCount = 4; break;
        case 'S': state_.HumanDrawCount = 3; break;
        default: break;
        }
        if (state_.HumanDrawCount > 0) {
            view_.SetStatusText(StatusBar::Bottom, 1,
                                name + " needs to draw " + std::to_string(state_.HumanDrawCount) + " cards");
            state_.HumanMustDraw = true;
        }
    }

    for (;;) {
        state_.HumanTurnDone = false;
        state_.HumanLastCard = BlankCard;
        while (state_.GameRequest.empty() && !state_.HumanTurnDone) co_await WaitMilliseconds(500);
        while (state_.Resizing) co_await WaitMilliseconds(0);

        if (!state_.GameRequest.empty()) co_return;
        if (state_.HandOver && state_.Players(4).NumberOfCards() < 1) co_await ProcessHumanSayVemo();

        const char played = state_.HumanLastCard.Value();
        const bool leaving = state_.HandOver || !state_.GameRequest.empty();
        bool playAgain = false;
        switch (played) {
        case 'V':
            if (leaving) co_return;
            state_.SpecialAction = false;
            state_.HumanPlayedCard = false;
            if (state_.VemoBonusCard) {
                state_.VemoBonusCard = false;
                playAgain = true;
            }
            break;
        case 'B':
            if (leaving) co_return;
            state_.SpecialAction = false;
            state_.HumanPlayedCard = false;
            playAgain = true;
            break;
        case 'G':
            if (leaving) co_return;
            state_.SpecialAction = false;
            state_.HumanMustDraw = false;
            if (state_.PrevCurrCard.Value() != 'R') {
                state_.HumanPlayedCard = false;
                playAgain = true;
            }
            break;
        case 'P':
            ReverseDirection();
            if (state_.HandOver || !state_.GameRequest.empty()) co_return;
            state_.SpecialAction = false;
            state_.HumanMustDraw = false;
            break;
        case 'K': {
            view_.SetStatusText(StatusBar::Bottom, 1, name + " asking for Card of Light");
            AskWindowState& ask = state_.AskWindow;
            ask = AskWindowState{};
            ask.AskedPlayer = static_cast<std::int16_t>(SeatAfter(state_.CurrTurn));
            ask.Open = true;
            const std::string caption = "Ask " + state_.Players(ask.AskedPlayer).Name() + " for:";
            co_await Pause([this, &caption](PendingWait& w) { return view_.StartAskWindow(caption, w); });
            const std::string& tag = state_.Tag;
            if (!tag.empty() && tag.size() < 3 && tag.find_first_not_of("0123456789") == std::string::npos) {
                const int seat = std::stoi(tag);
                if (seat > 0 && seat <= 4 && state_.Players(seat).NumberOfCards() == 0) {
                    state_.HandOver = true;
                    state_.HandWinner = static_cast<std::int16_t>(seat);
                    co_return;
                }
            }
            state_.SpecialAction = false;
            state_.Tag.clear();
            break;
        }
        default:
            break;
        }
        if (!playAgain) break;
        view_.SetStatusText(StatusBar::Bottom, 1, name + "'s Turn");
    }
}

Task<void> GameEngine::imgDeck_DblClick()
{
    try {
        if (!state_.WaitingForHuman || state_.CurrTurn != 4 || state_.DeckDrawBusy) co_return;
        if (state_.HumanDrawCount == 0 && state_.HumanMustDraw) co_return;
        // The game may be pausing inside the human's turn: a card on its way
        // to the pile (and the evil-card notice after it), the say-Vemo window
        // of a hand that is over, or the Vemo-after-Prayer window. A card
        // drawn then could be played as a second card of the turn.
        if (state_.PlayInProgress || state_.HandOver || state_.VemoAfterPrayer) co_return;

        state_.DeckDrawBusy = true;
        if (state_.DialogTag == "WAIT") {
            state_.DialogTag.clear();
            view_.HideMessageWindow();
        }

        const CardCode drawn = co_await DrawCard(1);
        const std::string description = FormatCardDescription(drawn);
        const std::string& name = state_.Players(4).Name();

        if (state_.HumanDrawCount == 0) {
            if (!ValidCard(drawn, "DECK", state_, &view_)) {
                state_.Tag.clear();
                view_.ShowNotice("You have drawn a " + description + " card, and it cannot be played at this time.",
                                 NoticeHeight::MessageOnly);
                co_await WaitSeconds(2.0f);
                state_.HumanTurnDone = true;
                state_.DeckDrawBusy = false;
                view_.HideMessageWindow();
            } else {
                state_.Tag.clear();
                co_await AskQuestion("You have drawn a " + description + " card.  Do you want to play this card?");
                // Only "YES" plays it: a question closed another way keeps the card.
                if (state_.Tag != "YES") {
                    state_.HumanTurnDone = true;
                    state_.DeckDrawBusy = false;
                } else {
                    state_.PlayingCardIndex = state_.Players(4).NumberOfCards();
                    co_await PlayCard(drawn);
                    state_.PlayingCardIndex = 0;
                    state_.Tag.clear();
                    co_await WaitSeconds(2.0f);
                    view_.HideMessageWindow();
                }
            }
        } else {
            state_.ForcedDrawStarted = true;
            --state_.HumanDrawCount;
            const int left = state_.HumanDrawCount;
            const std::string count = std::to_string(left);
            if (left == 0) {
                view_.ShowNotice("You have drawn a " + description + " card. You have finished drawing cards.",
                                 NoticeHeight::MessageOnly);
                state_.HumanTurnDone = true;
                view_.SetStatusText(StatusBar::Bottom, 1, name + " has finished drawing");
            } else {
                const char* plural = left == 1 ? " more card." : " more cards.";
                view_.ShowNotice("You have drawn a " + description + " card. You must still draw " + count + plural,
                                 NoticeHeight::MessageOnly);
                view_.SetStatusText(StatusBar::Bottom, 1,
                                    name + " needs to draw " + count + (left == 1 ? " card" : " cards"));
            }
            if (left == 0) {
                co_await WaitSeconds(2.0f);
                view_.HideMessageWindow();
            }
        }
        state_.DeckDrawBusy = false;
    } catch (const std::exception& fault) {
        state_.DeckDrawBusy = false;
        ReportError("imgDeck_DblClick", FaultNumber(fault), fault.what());
    }
}

namespace {
bool IsCanceller(CardCode c) { return c == CardCode("LG") || c == CardCode("LP"); }
} // namespace

void GameEngine::ShowTrialNotice()
{
    // Shown without waiting; the next double-click on the deck closes it.
    view_.ShowNotice("You have cancelled a Trial card, but must still draw 1 card.", NoticeHeight::WithButtons);
    state_.DialogTag = "WAIT";
}

Task<void> GameEngine::cPlayer4Card_DblClick(int index)
{
    try {
        if (!state_.WaitingForHuman || state_.DeckDrawBusy || state_.ForcedDrawStarted || state_.HumanPlayedCard)
            co_return;
        const CardCode code = state_.HumanFaces.at(static_cast<std::size_t>(index - 1));

        if (code == CardCode("LV") && state_.PrayerCardPlayed && !state_.PlayInProgress) {
            state_.CurrTurn = 4; // claims the Vemo-after-Prayer play
        } else if (state_.CurrTurn != 4) {
            co_return;
        }
        if (!ValidCard(code, "", state_, &view_)) co_return;

        bool trialCase = false;
        if (state_.HumanDrawCount > 0) {
            if (!IsCanceller(code)) co_return;
            trialCase = state_.CurrCard.Value() == 'R';
        }

        state_.HumanPlayedCard = true;
        state_.PlayingCardIndex = static_cast<std::int16_t>(index);
        co_await PlayCard(code);
        state_.PlayingCardIndex = 0;
        if (trialCase) ShowTrialNotice();
    } catch (const std::exception& fault) {
        ReportError("frmMain_cPlayer4Card_DblClick", FaultNumber(fault), fault.what());
    }
}

bool GameEngine::cPlayer4Card_MouseDown(int index)
{
    if (!state_.WaitingForHuman || state_.DeckDrawBusy || state_.ForcedDrawStarted) return false;
    if (index < 1 || index > static_cast<int>(state_.HumanFaces.size())) return false;
    const CardCode code = state_.HumanFaces[static_cast<std::size_t>(index - 1)];
    if (code == CardCode("LV") && state_.PrayerCardPlayed && !state_.PlayInProgress) {
        state_.CurrTurn = 4;
    } else if (state_.CurrTurn != 4) {
        return false;
    }
    if (state_.HumanDrawCount > 0 && !IsCanceller(code)) return false;
    return !state_.HumanPlayedCard;
}

bool GameEngine::DragMayMove(int index)
{
    if (index < 1 || index > static_cast<int>(state_.HumanFaces.size())) return false;
    const CardCode code = state_.HumanFaces[static_cast<std::size_t>(index - 1)];
    if (!ValidCard(code, "", state_, &view_)) return false;
    if (view_.SoundOn()) view_.PlayWav(11);
    return true;
}

Task<void> GameEngine::cPlayer4Card_MouseUp(int index, const TwipsRect& card, const TwipsRect& pile)
{
    try {
        if (!CardOverlapsPile(card, pile)) co_return;
        const CardCode code = state_.HumanFaces.at(static_cast<std::size_t>(index - 1));
        state_.HumanPlayedCard = true;
        const bool trialCase = state_.HumanDrawCount == 2 && state_.CurrCard.Value() == 'R';
        co_await PlayCard(code);
        if (trialCase) ShowTrialNotice();
    } catch (const std::exception& fault) {
        ReportError("frmMain_cPlayer4Card_MouseUp", FaultNumber(fault), fault.what());
    }
}

void GameEngine::lblPlayer_Click(int index)
{
    Trapped("lblPlayer_Click", [&] {
        if (index != 4 || state_.CurrTurn != 4) return;
        const std::string all = state_.Players(4).GetAllCards();
        const int n = state_.Players(4).NumberOfCards();
        std::vector<CardCode> codes;
        codes.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) codes.emplace_back(std::string_view(all).substr(static_cast<std::size_t>(2 * i), 2));
        // Plain character-code order: B, G, L, P, R; digits before letters.
        for (std::size_t i = 0; i < codes.size(); ++i)
            for (std::size_t j = i + 1; j < codes.size(); ++j)
                if (codes[i] > codes[j]) std::swap(codes[i], codes[j]);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            state_.HumanFaces.at(i) = codes[i];
            view_.SetHumanPlayerCard(codes[i], static_cast<int>(i + 1));
        }
    });
}

} // namespace vemo
