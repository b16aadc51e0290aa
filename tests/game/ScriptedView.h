#pragma once
// The simulator's headless table, with a script in place of the autopilot:
// it answers questions, colour choices and the hand-winner window from
// queues (the Ask window is clicked 1, 2, 3, 4 in turn), runs scripted input
// (double-clicks, deck draws, menu commands) inside the human's 500 ms polls
// as a person's clicks arrive while the game waits, and writes everything the
// engine shows into one log.

#include "HeadlessTableView.h"
#include "RandomInteger.h"
#include "ReportError.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemo::test {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct Entry {
    std::string kind; // "notice", "question", "place", "pause", "bottom 1" (a status panel) ...
    std::string text;
    int detail = 0;   // a notice's height, a question's buttons, a placed card's PlayingCardIndex
};

class ScriptedView : public HeadlessTableView {
public:
    void Attach(GameEngine& engine)
    {
        HeadlessTableView::Attach(engine, nullptr);
        engine_ = &engine;
    }

    // ---- Scripts ----
    std::deque<std::function<void()>> actions;  // one per top-level 500 ms pause, in order
    std::function<void(int milliseconds)> onPause; // at every pause, after its action
    // Questions, message boxes and the hand-winner window, in order ("": closed
    // without an answer). When empty: Yes/No questions "YES", Yes/No(/Cancel)
    // boxes "NO", everything else "OK".
    std::deque<std::string> answers;
    std::deque<int> colorChoices; // cmdColor indices; default 1
    std::function<void()> onGameSetup;
    std::string resumeChoice;     // the saved game picked from the resume list; "" cancels
    int sayVemoClickAt = 0;       // clicks "say Vemo" in this 250 ms pause (1-based); 0: never

    // ---- Records ----
    std::vector<Entry> log;
    std::vector<GameEvent> events;
    std::vector<MessageBoxSpec> boxes;
    std::array<bool, 5> highlighted{};
    bool busy = false;
    bool stoppedByLimit = false;

    std::vector<Entry> Entries(std::string_view kind) const
    {
        std::vector<Entry> entries;
        std::copy_if(log.begin(), log.end(), std::back_inserter(entries), [&](const Entry& e) { return e.kind == kind; });
        return entries;
    }
    std::vector<std::string> Said(std::string_view kind) const
    {
        std::vector<std::string> texts;
        for (const Entry& e : Entries(kind)) texts.push_back(e.text);
        return texts;
    }
    int Count(std::string_view kind, std::string_view text) const { return static_cast<int>(std::ranges::count(Said(kind), text)); }
    std::string Last(std::string_view kind) const { return Said(kind).empty() ? "" : Said(kind).back(); }
    int Pauses(int milliseconds) const { return Count("pause", std::to_string(milliseconds)); }
    // The game log's sentences for the events told so far.
    std::vector<std::string> Told() const
    {
        std::vector<std::string> texts;
        for (const GameEvent& e : events) texts.push_back(DescribeEvent(e, engine_->State()).Text);
        return texts;
    }

    // ---- TableView ----
    void SetCaption(std::string_view text) override { Log("caption", text); }
    void SetBusyPointer(bool on) override { busy = on; }
    void SetPlayerHighlight(int seat, bool on) override { highlighted.at(static_cast<std::size_t>(seat)) = on; }
    void SetStatusText(StatusBar bar, int panel, std::string_view text) override
    {
        Log((bar == StatusBar::Top ? "top " : "bottom ") + std::to_string(panel), text);
    }
    void SetDeckToolTip(std::string_view text) override { Log("tooltip", text); }
    void SetHumanTurnControls(bool human) override { Log("controls", human ? "human" : "computer"); }
    void ShowSayVemoButton(bool visible) override
    {
        HeadlessTableView::ShowSayVemoButton(visible);
        Log("say-vemo button", visible ? "shown" : "hidden");
    }
    void PlayWav(int clip) override { Log("wav", std::to_string(clip)); }
    void ArmStartTimer() override { Log("start timer", ""); }
    void ShowMenus(bool visible) override { Log("menus", visible ? "shown" : "hidden"); }
    void HideDiscardDeck() override { Log("deck rebuilt", ""); }
    void ArrangePlayersCards(int seat, int count) override { Log("arrange", std::to_string(seat) + " " + std::to_string(count)); }
    void SetHumanPlayerCard(CardCode card, int) override { Log("face", card.View()); }
    void ShowNotice(std::string_view text, NoticeHeight height) override { Log("notice", text, static_cast<int>(height)); }
    void HideMessageWindow() override { Log("hide", ""); }

    bool StartPause(int milliseconds, PendingWait&) override
    {
        Log("pause", std::to_string(milliseconds));
        if (milliseconds == 250 && SayVemoButtonShown() && ++sayVemoPauses_ == sayVemoClickAt)
            engine_->cmdHumanVemo_Click();
        // A runaway wait is stopped by a request.
        if (++pauses_ > 400 && engine_->State().GameRequest.empty()) {
            stoppedByLimit = true;
            engine_->State().GameRequest = "TEST_PAUSE_LIMIT";
        }
        if (depth_ == 0) {
            ++depth_;
            if (milliseconds == 500 && !actions.empty()) Next(actions, std::function<void()>())();
            if (onPause) onPause(milliseconds);
            --depth_;
        }
        return true;
    }
    bool StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait&) override
    {
        return Log(mode == "NOMOVE" ? "deal" : "place", card.View(), engine_->State().PlayingCardIndex);
    }
    bool StartVemoCallout(int seat, PendingWait&) override { return Log("callout", std::to_string(seat)); }
    bool StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait) override
    {
        // A question asked over and over (a lie never caught) is a fault, not a hang.
        if (++questions_ > 100) throw std::runtime_error("the same question asked over and over");
        wait.SetAnswer(Answer(buttons == QuestionButtons::Ok ? "OK" : "YES"));
        return Log(buttons == QuestionButtons::Ok ? "ok question" : "question", text);
    }
    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override
    {
        boxes.push_back(box);
        wait.SetAnswer(Answer(box.Buttons == BoxButtons::YesNo || box.Buttons == BoxButtons::YesNoCancel ? "NO" : "OK"));
        return Log("box", box.Text);
    }
    bool StartColorChoice(PendingWait&) override
    {
        const int index = Next(colorChoices, 1);
        engine_->cmdColor_Click(index);
        return Log("color window", std::to_string(index));
    }
    bool StartAskWindow(std::string_view text, PendingWait& wait) override
    {
        Log("ask window", text);
        return HeadlessTableView::StartAskWindow(text, wait);
    }
    void SetAskMessage(std::string_view text) override { Log("ask message", text); }
    void MarkAskButtonUsed(int index, std::string_view word) override { Log("ask mark", std::to_string(index) + " " + std::string(word)); }
    void CloseAskWindow() override { Log("ask closed", ""); }
    bool StartHandWinner(std::string_view text, PendingWait& wait) override
    {
        wait.SetAnswer(Answer("OK"));
        return Log("hand winner", text);
    }
    bool StartGameSetup(PendingWait&) override
    {
        Log("setup", "");
        if (onGameSetup) onGameSetup();
        return true;
    }
    bool StartResumeList(PendingWait&) override
    {
        engine_->State().Tag = resumeChoice;
        return Log("resume list", "");
    }
    void Announce(const GameEvent& event) override { events.push_back(event); }

    // ---- HandDisplay, InvalidCardNotice ----
    void PlaceCardOnTable(int seat, CardCode card, int fromSeat) override
    {
        HeadlessTableView::PlaceCardOnTable(seat, card, fromSeat);
        Log("to hand", std::to_string(seat));
    }
    void ShowInvalidCard(std::string_view, std::string_view text) override { Log("invalid card", text); }

private:
    // Logs and reports the pause over at once, as every pause of this table is.
    bool Log(std::string_view kind, std::string_view text, int detail = 0)
    {
        log.push_back({std::string(kind), std::string(text), detail});
        return true;
    }
    template <typename T> static T Next(std::deque<T>& queue, T fallback)
    {
        if (queue.empty()) return fallback;
        T next = std::move(queue.front());
        queue.pop_front();
        return next;
    }
    std::string Answer(std::string fallback) { return Next(answers, std::move(fallback)); }

    GameEngine* engine_ = nullptr;
    int depth_ = 0;
    int sayVemoPauses_ = 0;
    int pauses_ = 0;
    int questions_ = 0;
};

struct StubRecords final : GameRecords {
    Task<void> SaveGame() override { ++saves; co_return; }
    Task<bool> ResumeSavedGame(std::int32_t id) override { co_return onResume && onResume(id); }
    std::function<bool(std::int32_t)> onResume; // the resumed game's work; none: the game cannot be resumed
    int saves = 0;
};

struct StubShell final : GameShell {
    Task<void> ExitAll(std::string mode) override { exits.push_back(mode); co_return; }
    std::vector<std::string> exits;
};

// Every fault the engine traps is a test failure unless a test expects it.
struct ErrorRecorder final : ErrorReportHandler {
    bool AskContinueAfterError(const std::string& title, const std::string& text) override
    {
        ShowUnloggedError(title, text);
        return true;
    }
    void ShowUnloggedError(const std::string& title, const std::string& text) override { errors.push_back(title + ": " + text); }
    void TerminateNow() override {}
    std::vector<std::string> errors;
};

// "B5 G2 LV" -> B5, G2, LV
inline std::vector<CardCode> Cards(std::string_view text)
{
    std::vector<CardCode> cards;
    for (std::size_t at = 0; at + 2 <= text.size(); at += 3) cards.emplace_back(text.substr(at, 2));
    return cards;
}

inline std::string HandText(const clsPlayer& player)
{
    std::string text;
    for (CardCode c : player.Hand()) text += (text.empty() ? "" : " ") + c.ToString();
    return text;
}

// One engine at a table of four: Abel, Bea and Cid (computers, seats 1..3)
// and Dora, the human, at seat 4. Hands start empty; the deck is the
// catalogue in order, with the next card to draw at position 30.
struct Table {
    ScriptedView view;
    StubRecords records;
    StubShell shell;
    ErrorRecorder errors;
    std::unique_ptr<GameEngine> engine;

    explicit Table(std::uint64_t seed = 7)
    {
        SeedRandom(seed);
        SetErrorLogDirectory(::testing::TempDir()); // written only by a fault, which fails the test
        SetErrorReportHandler(&errors);
        engine = std::make_unique<GameEngine>(view, records, shell);
        view.Attach(*engine);
        GameState& s = State();
        const char* names[4] = {"Abel", "Bea", "Cid", "Dora"};
        for (int seat = 1; seat <= 4; ++seat) {
            auto player = std::make_unique<clsPlayer>();
            player->Name(names[seat - 1]);
            player->PlayingStyle(seat == 4 ? 0 : 1);
            player->WAV(static_cast<std::int16_t>(seat == 4 ? 0 : 3));
            player->GameSequence(static_cast<std::int16_t>(seat));
            player->Human(seat == 4);
            player->AttachDisplay(&engine->Hands());
            s.Players.Add(std::move(player));
        }
        s.HumanPlayerName = "Dora";
        LoadVemoCardDeck(s.Deck);
        s.Deck.DeckPosition = 30;
        for (int p = 1; p < 30; ++p) s.Deck(p) = BlankCard;
        s.CurrDirection = 'R';
        s.CurrDealer = 1;
        s.FirstActivationPending = false;
        Pile("B3");
    }
    ~Table()
    {
        engine.reset();
        SetErrorReportHandler(nullptr);
        EXPECT_TRUE(errors.errors.empty()) << errors.errors.front();
        EXPECT_FALSE(view.stoppedByLimit) << "a wait never ended";
    }

    GameState& State() { return engine->State(); }
    GameEngine& Engine() { return *engine; }
    clsPlayer& Player(int seat) { return State().Players(seat); }

    // The set-up calls chain: t.Give(1, "B5").Give(4, "G2").Pile("B3").Turn(4).
    Table& Give(int seat, std::string_view cards)
    {
        for (CardCode c : Cards(cards)) Player(seat).AddACard(c);
        return *this;
    }
    Table& Turn(int seat)
    {
        State().CurrTurn = static_cast<std::int16_t>(seat);
        return *this;
    }
    // Seven numbered cards each for the seats not named, so that nobody is
    // close to going out and the strategy sheds its highest number.
    void FillOthers(std::initializer_list<int> except)
    {
        for (int seat = 1; seat <= 4; ++seat)
            if (std::find(except.begin(), except.end(), seat) == except.end()) Give(seat, "R1 R2 R3 P1 P2 P3 P4");
    }
    // The top of the pile: both CurrCard and ActualCurrCard, its colour in force.
    Table& Pile(CardCode card, bool pending = false)
    {
        State().CurrCard = State().ActualCurrCard = card;
        State().CurrColor = card.Colour();
        State().SpecialAction = pending;
        return *this;
    }
    // Puts cards at the next deck positions.
    Table& Stack(std::string_view cards)
    {
        int position = State().Deck.DeckPosition;
        for (CardCode c : Cards(cards)) State().Deck(position++) = c;
        return *this;
    }
    // The human's turn as the main loop starts it.
    void HumanTurn()
    {
        GameState& s = State();
        s.CurrTurn = 4;
        s.HumanPlayedCard = false;
        s.WaitingForHuman = true;
        engine->Start(engine->HumanPlayersTurn());
        s.WaitingForHuman = false;
    }
    void ComputerTurn(int seat)
    {
        State().CurrTurn = static_cast<std::int16_t>(seat);
        engine->Start(engine->ComputerPlayersTurn(seat));
    }
    // Hand position (1-based) of the face showing card; 0 when none does.
    int Face(CardCode card) const
    {
        const auto& faces = engine->State().HumanFaces;
        const auto at = std::find(faces.begin(), faces.end(), card);
        return at == faces.end() ? 0 : static_cast<int>(at - faces.begin()) + 1;
    }
    void DoubleClick(CardCode card) { engine->Start(engine->cPlayer4Card_DblClick(Face(card))); }
    void DrawFromDeck() { engine->Start(engine->imgDeck_DblClick()); }
    void Drop(CardCode card)
    {
        const TwipsRect pile{6000, 3000, 1065, 1440};
        engine->Start(engine->cPlayer4Card_MouseUp(Face(card), pile, pile));
    }
};

} // namespace vemo::test
