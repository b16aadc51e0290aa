#include "GameRecordsStore.h"

#include "DatabaseFault.h"
#include "DeckRebuild.h"
#include "ReportError.h"

#include <algorithm>
#include <memory>

namespace vemo {

namespace {

constexpr std::string_view kDeckToolTip = "Double-click on deck to draw a card.";

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

SavedGameRecord RecordFromSnapshot(const GameState& state, bool soundOn)
{
    const GameSnapshot& snap = state.Snapshot;
    SavedGameRecord r;
    r.DateSaved = CurrentTimestamp();
    for (int seat = 1; seat <= 4; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        r.Seats[s] = {state.Players(seat).Name(), snap.SnapScores[s], snap.SnapCardCounts[s], snap.SnapHands[s]};
    }
    r.CurrTurn = snap.SnapCurrTurn;
    r.CurrColor = std::string(1, snap.SnapCurrColor);
    r.CurrCard = snap.SnapCurrCard.ToString();
    r.ActualCurrCard = snap.SnapActualCurrCard.ToString();
    r.CurrDirection = std::string(1, snap.SnapCurrDirection);
    r.CurrDealer = snap.SnapCurrDealer;
    r.SoundOption = soundOn;
    r.AnimationOption = state.AnimationOption;
    r.ScoreLimit = state.ScoreLimit;
    r.SpecialAction = snap.SnapSpecialAction;
    r.PrayerCardPlayed = snap.SnapPrayerCardPlayed;
    r.EndOfHand = snap.SavedAtEndOfHand;
    return r;
}

MessageBoxSpec GameSavedMessage(bool savedAtEndOfHand)
{
    std::string text = "Game has been saved!";
    if (!savedAtEndOfHand)
        text += "\r\n\r\n"
                "Due to the difficulty saving a game during a computer "
                "player's turn, all 'saves' are as of the beginning "
                "of the human player's last turn.";
    return {"Game Saved", text, BoxButtons::Ok, BoxIcon::Information, 1};
}

MessageBoxSpec GameNotSavedMessage(const std::string& reason)
{
    return {"Game Not Saved",
            "The game could not be saved.\r\n\r\n" + reason +
                "\r\n\r\nThe game goes on; you can try to save it again.",
            BoxButtons::Ok, BoxIcon::Exclamation, 1};
}

Task<void> GameRecordsStore::SaveGame()
{
    // A failed save is told and logged, and play goes on: the common error
    // report could end the program (it must, when the log cannot be written
    // either) and lose the very game that was being saved.
    GameState& state = engine_->State();
    std::string failure;
    try {
        // One transaction: a save that is cut short leaves no row at all.
        db_.AppendSavedGame(RecordFromSnapshot(state, engine_->View().SoundOn()));
        state.GameSaved = true;
    } catch (const std::exception& fault) {
        const auto* database = dynamic_cast<const DatabaseFault*>(&fault);
        failure = database ? database->Text() : fault.what();
        LogError("SaveGame", FaultNumber(fault), failure);
    }
    const MessageBoxSpec box =
        failure.empty() ? GameSavedMessage(state.Snapshot.SavedAtEndOfHand) : GameNotSavedMessage(failure);
    co_await engine_->ShowMessageBox(box);
}

Task<bool> GameRecordsStore::ResumeSavedGame(std::int32_t id)
{
    bool result = false;
    try {
        GameEngine& engine = *engine_;
        GameState& state = engine.State();
        TableView& view = engine.View();

        const std::optional<SavedGameRecord> found = db_.FindSavedGame(id);
        if (!found) co_return false;
        const SavedGameRecord& record = *found;
        // A record no game could have produced is refused before anything
        // changes, and stays in the table as it is.
        if (!ImpossibleRecordReason(record).empty()) co_return false;

        // The seats are built aside and take their places only when all four
        // exist, so a failed resume never leaves a half-filled table behind.
        PlayerCollection seats;
        for (int seat = 1; seat <= 3; ++seat) {
            const std::optional<ComputerPlayerRow> row =
                db_.FindComputerPlayer(Trimmed(record.Seats[static_cast<std::size_t>(seat)].Name));
            if (!row) co_return false;
            auto player = std::make_unique<clsPlayer>();
            player->Name(row->PlayerName);
            player->PlayingStyle(row->PlayingStyle);
            player->WAV(row->WAVnumber);
            player->GameSequence(static_cast<std::int16_t>(seat));
            seats.Add(std::move(player));
        }
        auto human = std::make_unique<clsPlayer>();
        human->Name(Trimmed(record.Seats[4].Name));
        human->PlayingStyle(0);
        human->WAV(0);
        human->GameSequence(4);
        human->Human(true);
        seats.Add(std::move(human));

        state.Players = std::move(seats);
        for (int seat = 1; seat <= 4; ++seat) {
            state.Players(seat).AttachDisplay(&engine.Hands());
            view.SetPlayerName(seat, state.Players(seat).Name());
        }
        state.HumanPlayerName = state.Players(4).Name();

        state.ScoreLimit = static_cast<std::int16_t>(record.ScoreLimit);
        view.SetStatusText(StatusBar::Top, 1, "Point Limit = " + std::to_string(state.ScoreLimit));

        for (int seat = 1; seat <= 4; ++seat)
            state.Scores[static_cast<std::size_t>(seat)] =
                static_cast<std::int16_t>(record.Seats[static_cast<std::size_t>(seat)].Score);
        engine.RefreshScores();

        view.SetSoundOption(record.SoundOption);
        if (record.AnimationOption >= 0 && record.AnimationOption <= 2)
            view.mnuOptionsAnimation_Click(static_cast<int>(record.AnimationOption));

        engine.ClearAllHighlights();

        state.CurrDealer = static_cast<std::int16_t>(record.CurrDealer);
        state.CurrTurn = static_cast<std::int16_t>(record.CurrTurn);
        view.SetDeckToolTip(state.CurrTurn == 4 ? kDeckToolTip : "");
        view.SetStatusText(StatusBar::Bottom, 2, state.Players(state.CurrDealer).Name() + " dealt");
        engine.ShowTurn();

        if (record.EndOfHand) {
            // Saved between two hands: the next dealer deals a new one.
            LoadVemoCardDeck(state.Deck);
            ShuffleFullDeck(state.Deck);
            state.CurrDirection = 'R';
            view.SetStatusText(StatusBar::Bottom, 3, "Clockwise");
            state.SpecialAction = false;
            state.PrayerCardPlayed = false;
            state.CurrDealer = static_cast<std::int16_t>(state.CurrDealer % 4 + 1);
            state.CurrTurn = state.CurrDealer;
            engine.NextTurn();
            view.SetStatusText(StatusBar::Bottom, 2, state.Players(state.CurrDealer).Name() + " dealt");
            engine.ShowTurn();
            co_await engine.DealTheCards();
        } else {
            state.CurrDirection = record.CurrDirection[0];
            view.SetStatusText(StatusBar::Bottom, 3, state.CurrDirection == 'R' ? "Clockwise" : "Counter-Clockwise");

            std::vector<CardCode> inPlay;
            for (int seat = 1; seat <= 4; ++seat) {
                for (const CardCode card : SavedHand(record.Seats[static_cast<std::size_t>(seat)])) {
                    inPlay.push_back(card);
                    state.Players(seat).AddACard(card);
                }
            }

            state.CurrCard = CardCode(record.CurrCard);
            state.ActualCurrCard = CardCode(record.ActualCurrCard);
            // After a Card of Light the top reads "B*"-style; the card lying
            // there, the one to take out of the deck, is the one played.
            const CardCode pileCard = IsDeckCard(state.CurrCard) ? state.CurrCard : state.ActualCurrCard;
            inPlay.push_back(pileCard);
            state.CurrColor = record.CurrColor[0];
            engine.ShowCurrentColor();
            co_await engine.PlaceCardOnDiscardPile(state.ActualCurrCard, "NOMOVE");

            LoadVemoCardDeck(state.Deck);
            ShuffleFullDeck(state.Deck);
            RebuildDeckWithoutCardsInPlay(state.Deck, inPlay, pileCard);

            state.SpecialAction = record.SpecialAction;
            state.PrayerCardPlayed = record.PrayerCardPlayed;
        }

        state.GameSaved = false;
        result = true;

        const MessageBoxSpec keep{"Resume Game",
                                  "Do you want to save this game record in its current state for resuming again "
                                  "at a later time?",
                                  BoxButtons::YesNo, BoxIcon::Question, 2};
        const std::string answer = co_await engine.ShowMessageBox(keep);
        if (answer == "NO") db_.DeleteSavedGame(id);

        engine.SnapshotGameState("");
    } catch (const std::exception& fault) {
        ReportError("ResumeSavedGame", FaultNumber(fault), fault.what());
    }
    co_return result;
}

} // namespace vemo
