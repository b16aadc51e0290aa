#pragma once
// Everything the engine shows, asks or waits for goes through this interface.
// The table window implements it with Qt; the simulator and the tests
// implement it without windows. The view shows and reports input; it holds
// no rule of the game.
//
// Pauses: each Start... call begins a pause (a timer, an animation, a dialog)
// and returns true when it is already over (the headless views finish every
// pause at once). Otherwise the view calls wait.KeepPending(*this) and later
// wait.Complete(answer) exactly once, unless CancelWait comes first.

#include "CardCode.h"
#include "GameEvent.h"
#include "HandDisplay.h"
#include "Scheduler.h"
#include "ValidCard.h"

#include <string>
#include <string_view>

namespace vemo {

enum class StatusBar { Top, Bottom }; // sbTop, sbBottom; panels count from 1

// How much of the message window shows: the message alone (465 twips) or the
// message with its buttons (990 twips).
enum class NoticeHeight { MessageOnly = 465, WithButtons = 990 };

enum class QuestionButtons { YesNo, Ok };

enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxIcon { None, Information, Question, Exclamation, Critical };

struct MessageBoxSpec {
    std::string Caption;
    std::string Text;
    BoxButtons Buttons = BoxButtons::Ok;
    BoxIcon Icon = BoxIcon::None;
    int DefaultButton = 1; // 1-based
};

class TableView : public HandDisplay, public InvalidCardNotice, public WaitCanceller {
public:
    // --- The window ---
    virtual void SetCaption(std::string_view text) = 0;
    virtual void SetBusyPointer(bool busy) = 0;
    // The real menus, or the blank placeholder that keeps the menu bar's height.
    virtual void ShowMenus(bool visible) = 0;
    // lblClick, Sort Hand and Draw Card for the human's turn; Interrupt Computer otherwise.
    virtual void SetHumanTurnControls(bool humanTurn) = 0;
    virtual void SetPlayerName(int seat, std::string_view name) = 0;
    // Highlighted: white, bold; normal: yellow, plain.
    virtual void SetPlayerHighlight(int seat, bool highlighted) = 0;
    virtual void SetStatusText(StatusBar bar, int panel, std::string_view text) = 0;
    virtual void SetDeckToolTip(std::string_view text) = 0;
    virtual void ShowSayVemoButton(bool visible) = 0;
    virtual bool SoundOn() const = 0;
    virtual void PlayWav(int clip) = 0;
    // Options ▸ Sound's check mark, and Options ▸ Animation as if chosen (0, 1 or 2).
    virtual void SetSoundOption(bool on) = 0;
    virtual void mnuOptionsAnimation_Click(int index) = 0;
    // One-shot start timer (1000 ms); when it fires the view calls tmrStartPlay_Timer.
    virtual void ArmStartTimer() = 0;

    // --- Cards on the table ---
    virtual void ClearDiscardPile() = 0;
    virtual void HideDiscardDeck() = 0;
    virtual void RemoveAllCardImages() = 0;
    virtual void ArrangePlayersCards(int seat, int numberOfCards) = 0;
    virtual void SetHumanPlayerCard(CardCode card, int index) = 0;

    // --- The message window (frmDialog) as a notice without buttons ---
    virtual void ShowNotice(std::string_view text, NoticeHeight height) = 0;
    virtual void HideMessageWindow() = 0;

    // --- Pauses ---
    virtual bool StartPause(int milliseconds, PendingWait& wait) = 0;
    // Shows card on the pile, flying it there first when animating (mode "" )
    // or at once (mode "NOMOVE").
    virtual bool StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait& wait) = 0;
    // Waits for the card flight that the last PlaceCardOnTable began, if any.
    virtual bool StartCardFlightWait(PendingWait& wait) = 0;
    // The speech balloon beside seat calling "VEMO!".
    virtual bool StartVemoCallout(int seat, PendingWait& wait) = 0;
    // frmDialog as a modal question; answers "YES" or "NO" ("" if closed another way).
    virtual bool StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait) = 0;
    // A message box; answers "OK", "CANCEL", "YES" or "NO".
    virtual bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) = 0;
    // frmSetColor: completes after the window has called cmdColor_Click.
    virtual bool StartColorChoice(PendingWait& wait) = 0;
    // frmAskCOL: completes when the engine closes it (CloseAskWindow).
    virtual bool StartAskWindow(std::string_view caption, PendingWait& wait) = 0;
    virtual void SetAskMessage(std::string_view text) = 0;
    virtual void MarkAskButtonUsed(int index, std::string_view capitalWord) = 0;
    virtual void CloseAskWindow() = 0;
    // frmVemoGuy: answers "OK" or "EXIT".
    virtual bool StartHandWinner(std::string_view text, PendingWait& wait) = 0;
    // frmGameSetup and frmResume, shown by StartNewGame; they leave their
    // answer in the engine's Tag.
    virtual bool StartGameSetup(PendingWait& wait) = 0;
    virtual bool StartResumeList(PendingWait& wait) = 0;

    // --- What happens, as it happens (the game log, screen readers) ---
    // Told in passing, never waited for; DescribeEvent gives the words.
    virtual void Announce(const GameEvent&) {}
};

} // namespace vemo
