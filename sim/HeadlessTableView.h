#pragma once
// The table without a window: every pause is over at once, after giving the
// autopilot its chance to act as a person at the table would. It keeps just
// enough of what a window would show (card images per seat, the say-Vemo
// button, the counts of plays) for the simulator and the tests.

#include "GameEngine.h"

#include <array>
#include <functional>
#include <string>

namespace vemo {

class Autopilot;

struct HeadlessEvent {
    enum Kind { Pause, CardPlaced, CardDealtToPile, Notice, InvalidCard, DeckRebuilt } kind;
    CardCode card;
    std::string text;
};

class HeadlessTableView : public TableView {
public:
    void Attach(GameEngine& engine, Autopilot* autopilot);

    // What the tests and the simulator read back.
    int CardImages(int seat) const { return images_[static_cast<std::size_t>(seat)]; }
    bool SayVemoButtonShown() const { return sayVemoShown_; }
    bool TakeStartTimer() { return std::exchange(startTimerArmed_, false); }
    long long PausedMilliseconds() const { return pausedMs_; }
    int CardsPlayed() const { return cardsPlayed_; }
    int HandsDealt() const { return handsDealt_; }
    long long Pauses() const { return pauses_; }
    void SetSound(bool on) { sound_ = on; }
    // Called for every event when set (the soak test's invariant checks).
    std::function<void(const HeadlessEvent&)> Observer;
    // The setup dialog's answer for a new game.
    GameSetupChoice Setup;

    // TableView
    void SetCaption(std::string_view) override {}
    void SetBusyPointer(bool) override {}
    void ShowMenus(bool) override {}
    void SetHumanTurnControls(bool) override {}
    void SetPlayerName(int, std::string_view) override {}
    void SetPlayerHighlight(int, bool) override {}
    void SetStatusText(StatusBar, int, std::string_view) override {}
    void SetDeckToolTip(std::string_view) override {}
    void ShowSayVemoButton(bool visible) override { sayVemoShown_ = visible; }
    bool SoundOn() const override { return sound_; }
    void PlayWav(int) override {}
    void SetSoundOption(bool on) override { sound_ = on; }
    void mnuOptionsAnimation_Click(int index) override { engine_->State().AnimationOption = static_cast<std::int16_t>(index); }
    void ArmStartTimer() override { startTimerArmed_ = true; }
    void ClearDiscardPile() override {}
    void HideDiscardDeck() override;
    void RemoveAllCardImages() override { images_ = {}; }
    void ArrangePlayersCards(int, int) override {}
    void SetHumanPlayerCard(CardCode, int) override {}
    void ShowNotice(std::string_view text, NoticeHeight) override;
    void HideMessageWindow() override {}
    bool StartPause(int milliseconds, PendingWait& wait) override;
    bool StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait& wait) override;
    bool StartCardFlightWait(PendingWait&) override { return true; }
    bool StartVemoCallout(int, PendingWait&) override { return true; }
    bool StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait) override;
    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override;
    bool StartColorChoice(PendingWait& wait) override;
    bool StartAskWindow(std::string_view caption, PendingWait& wait) override;
    void SetAskMessage(std::string_view) override {}
    void MarkAskButtonUsed(int, std::string_view) override {}
    void CloseAskWindow() override {}
    bool StartHandWinner(std::string_view, PendingWait& wait) override;
    bool StartGameSetup(PendingWait& wait) override;
    bool StartResumeList(PendingWait& wait) override;
    void CancelWait(PendingWait&) override {}

    // HandDisplay
    void PlaceCardOnTable(int seat, CardCode, int) override { ++images_[static_cast<std::size_t>(seat)]; }
    void RemoveCardFromTable(int seat) override { --images_[static_cast<std::size_t>(seat)]; }
    void RemoveHumanCard(CardCode, int) override { --images_[4]; }

    // InvalidCardNotice
    void ShowInvalidCard(std::string_view caption, std::string_view text) override;

private:
    void Emit(HeadlessEvent::Kind kind, CardCode card = {}, std::string_view text = {});

    GameEngine* engine_ = nullptr;
    Autopilot* autopilot_ = nullptr;
    std::array<int, 5> images_{};
    bool sayVemoShown_ = false;
    bool startTimerArmed_ = false;
    bool sound_ = true;
    long long pausedMs_ = 0;
    long long pauses_ = 0;
    int cardsPlayed_ = 0;
    int handsDealt_ = 0;
};

} // namespace vemo
