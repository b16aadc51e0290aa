#include "HeadlessTableView.h"

#include "Autopilot.h"

namespace vemo {

namespace {
// The setup dialog's work as its Start button does it; a plain function so
// the coroutine holds no reference to a temporary.
Task<void> StartGameFromSetup(GameEngine& engine, GameSetupChoice choice)
{
    const bool started = co_await engine.SetParametersForThisGame(choice);
    if (started) engine.State().Tag = "START";
}
} // namespace

void HeadlessTableView::Attach(GameEngine& engine, Autopilot* autopilot)
{
    engine_ = &engine;
    autopilot_ = autopilot;
}

void HeadlessTableView::Emit(HeadlessEvent::Kind kind, CardCode card, std::string_view text)
{
    if (Observer) Observer(HeadlessEvent{kind, card, std::string(text)});
}

void HeadlessTableView::HideDiscardDeck()
{
    Emit(HeadlessEvent::DeckRebuilt);
}

void HeadlessTableView::ShowNotice(std::string_view text, NoticeHeight)
{
    Emit(HeadlessEvent::Notice, {}, text);
}

void HeadlessTableView::ShowInvalidCard(std::string_view, std::string_view text)
{
    Emit(HeadlessEvent::InvalidCard, {}, text);
}

bool HeadlessTableView::StartPause(int milliseconds, PendingWait&)
{
    pausedMs_ += milliseconds;
    ++pauses_;
    Emit(HeadlessEvent::Pause);
    if (autopilot_) autopilot_->OnPause();
    return true;
}

bool HeadlessTableView::StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait&)
{
    if (mode == "NOMOVE") {
        ++handsDealt_;
        Emit(HeadlessEvent::CardDealtToPile, card);
    } else {
        ++cardsPlayed_;
        Emit(HeadlessEvent::CardPlaced, card);
    }
    return true;
}

bool HeadlessTableView::StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait)
{
    wait.SetAnswer(autopilot_ ? autopilot_->AnswerQuestion(text, buttons)
                              : (buttons == QuestionButtons::Ok ? "OK" : "YES"));
    return true;
}

bool HeadlessTableView::StartMessageBox(const MessageBoxSpec& box, PendingWait& wait)
{
    // Nobody saves from the simulator: every question gets its cautious answer.
    switch (box.Buttons) {
    case BoxButtons::YesNo:
    case BoxButtons::YesNoCancel: wait.SetAnswer("NO"); break;
    default: wait.SetAnswer("OK"); break;
    }
    return true;
}

bool HeadlessTableView::StartColorChoice(PendingWait&)
{
    engine_->cmdColor_Click(autopilot_ ? autopilot_->ChooseColor() : 1);
    return true;
}

bool HeadlessTableView::StartAskWindow(std::string_view, PendingWait&)
{
    // The window stays until the engine closes it: after a transfer or the fourth miss.
    for (int clicks = 0; engine_->State().AskWindow.Open && clicks < 16; ++clicks)
        engine_->Start(engine_->cmdCOL_Click(autopilot_ ? autopilot_->ChooseAskButton() : clicks % 4 + 1));
    return true;
}

bool HeadlessTableView::StartHandWinner(std::string_view, PendingWait& wait)
{
    wait.SetAnswer("OK");
    return true;
}

bool HeadlessTableView::StartGameSetup(PendingWait&)
{
    engine_->Start(StartGameFromSetup(*engine_, Setup));
    return true;
}

bool HeadlessTableView::StartResumeList(PendingWait&)
{
    engine_->State().Tag.clear(); // nothing saved here: as if cancelled
    return true;
}

} // namespace vemo
