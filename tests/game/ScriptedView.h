#pragma once
// A table view for the engine tests: it records everything the engine shows
// and answers every question, colour choice, Ask window and hand-winner window
// from scripted queues. Every pause is over at once, so an activity started on
// the engine runs to its end before Start returns. Test input (double-clicks,
// deck draws, menu commands) is injected from inside the pauses, as a person's
// clicks arrive while the game waits.

#include "GameEngine.h"
#include "RandomInteger.h"
#include "ReportError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace vemo::test {

struct StatusEntry {
    StatusBar bar;
    int panel;
    std::string text;
};

struct NoticeEntry {
    std::string text;
    NoticeHeight height;
};

struct QuestionEntry {
    std::string text;
    QuestionButtons buttons;
};

struct Placement {
    CardCode card;
    std::string mode;
    int seat;              // CurrTurn when the card reached the pile
    int playingCardIndex;  // PlayingCardIndex at that moment
};

class ScriptedView : public TableView {
public:
    void Attach(GameEngine& engine) { engine_ = &engine; }

    // ---- Scripts ----
    // One action per top-level 500 ms pause (the human's polls), in order.
    std::deque<std::function<void()>> actions;
    // Called at every pause, after the scripted action (if any) of that pause.
    std::function<void(int milliseconds)> onPause;
    std::deque<std::string> questionAnswers; // default "YES" (Yes/No) or "OK"
    std::deque<std::string> boxAnswers;      // default "NO" for Yes/No(/Cancel) boxes, else "OK"
    std::deque<int> colorChoices;            // cmdColor indices; default 1
    std::deque<int> askClicks;               // cmdCOL indices; default 1, 2, 3, 4 in turn
    std::deque<std::string> handWinnerAnswers; // default "OK"
    std::function<void()> onGameSetup;       // the setup dialog's work
    std::string resumeChoice;                // the saved game picked from the resume list; "" cancels
    // Clicks "say Vemo" during this 250 ms pause of the window (1-based); 0: never.
    int sayVemoClickAt = 0;
    // A runaway wait is stopped by a request after this many pauses.
    int pauseLimit = 400;
    bool sound = true;

    // ---- Records ----
    std::vector<std::string> log; // everything, in order, one line each
    std::vector<GameEvent> events;
    std::vector<StatusEntry> statuses;
    std::vector<NoticeEntry> notices;
    std::vector<QuestionEntry> questions;
    std::vector<MessageBoxSpec> boxes;
    std::vector<int> pauses;
    std::vector<Placement> placements;
    std::vector<int> wavs;
    std::vector<int> callouts;
    std::vector<bool> sayVemoButton;
    std::vector<std::pair<int, int>> arranged;
    std::vector<std::string> askMessages;
    std::vector<std::pair<int, std::string>> askMarks;
    std::vector<std::string> askCaptions;
    std::vector<std::string> handWinnerTexts;
    std::vector<std::pair<CardCode, int>> humanCardsShown;
    std::vector<int> cardsPlacedOnTable; // seats, in dealing/drawing order
    std::string caption;
    std::string deckToolTip;
    std::array<bool, 5> highlighted{};
    bool busy = false;
    bool menusShown = false;
    int colorWindows = 0;
    int askWindowsClosed = 0;
    int hides = 0;
    int discardDeckHidden = 0;
    int setups = 0;
    int resumeLists = 0;
    int startTimers = 0;
    int invalidCards = 0;
    int sayVemoPauses = 0;
    bool stoppedByLimit = false;

    // The last text written into a status panel ("" if never).
    std::string Status(StatusBar bar, int panel) const
    {
        for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
            if (it->bar == bar && it->panel == panel) return it->text;
        return {};
    }
    bool StatusWasShown(StatusBar bar, int panel, std::string_view text) const
    {
        for (const StatusEntry& s : statuses)
            if (s.bar == bar && s.panel == panel && s.text == text) return true;
        return false;
    }
    std::vector<std::string> NoticeTexts() const
    {
        std::vector<std::string> texts;
        for (const NoticeEntry& n : notices) texts.push_back(n.text);
        return texts;
    }
    std::vector<std::string> QuestionTexts() const
    {
        std::vector<std::string> texts;
        for (const QuestionEntry& q : questions) texts.push_back(q.text);
        return texts;
    }
    std::vector<std::string> PlacedCards() const
    {
        std::vector<std::string> cards;
        for (const Placement& p : placements) cards.push_back(p.card.ToString());
        return cards;
    }
    int CountPauses(int milliseconds) const
    {
        int n = 0;
        for (int p : pauses) n += p == milliseconds;
        return n;
    }
    int Images(int seat) const { return images_[static_cast<std::size_t>(seat)]; }

    // ---- TableView ----
    void SetCaption(std::string_view text) override
    {
        caption = text;
        Log("caption", text);
    }
    void SetBusyPointer(bool on) override { busy = on; }
    void ShowMenus(bool visible) override { menusShown = visible; }
    void SetHumanTurnControls(bool) override {}
    void SetPlayerName(int, std::string_view) override {}
    void SetPlayerHighlight(int seat, bool on) override { highlighted.at(static_cast<std::size_t>(seat)) = on; }
    void SetStatusText(StatusBar bar, int panel, std::string_view text) override
    {
        statuses.push_back({bar, panel, std::string(text)});
        Log(std::string(bar == StatusBar::Top ? "top " : "bottom ") + std::to_string(panel), text);
    }
    void SetDeckToolTip(std::string_view text) override { deckToolTip = text; }
    void ShowSayVemoButton(bool visible) override
    {
        sayVemoButton.push_back(visible);
        Log("say-vemo button", visible ? "shown" : "hidden");
    }
    bool SoundOn() const override { return sound; }
    void PlayWav(int clip) override
    {
        wavs.push_back(clip);
        Log("wav", std::to_string(clip));
    }
    void SetSoundOption(bool on) override { sound = on; }
    void mnuOptionsAnimation_Click(int) override {}
    void ArmStartTimer() override { ++startTimers; }

    void ClearDiscardPile() override { Log("clear pile", ""); }
    void HideDiscardDeck() override { ++discardDeckHidden; }
    void RemoveAllCardImages() override { images_ = {}; }
    void ArrangePlayersCards(int seat, int numberOfCards) override { arranged.emplace_back(seat, numberOfCards); }
    void SetHumanPlayerCard(CardCode card, int index) override { humanCardsShown.emplace_back(card, index); }

    void ShowNotice(std::string_view text, NoticeHeight height) override
    {
        notices.push_back({std::string(text), height});
        Log("notice", text);
    }
    void HideMessageWindow() override { ++hides; }

    bool StartPause(int milliseconds, PendingWait&) override
    {
        pauses.push_back(milliseconds);
        if (milliseconds == 250 && SayVemoShown()) {
            ++sayVemoPauses;
            if (sayVemoPauses == sayVemoClickAt) engine_->cmdHumanVemo_Click();
        }
        if (static_cast<int>(pauses.size()) > pauseLimit && engine_->State().GameRequest.empty()) {
            stoppedByLimit = true;
            engine_->State().GameRequest = "TEST_PAUSE_LIMIT";
        }
        if (depth_ == 0) {
            ++depth_;
            if (milliseconds == 500 && !actions.empty()) {
                auto action = std::move(actions.front());
                actions.pop_front();
                action();
            }
            if (onPause) onPause(milliseconds);
            --depth_;
        }
        return true;
    }
    bool StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait&) override
    {
        const GameState& s = engine_->State();
        placements.push_back({card, std::string(mode), s.CurrTurn, s.PlayingCardIndex});
        Log("place", card.ToString() + " by " + std::to_string(s.CurrTurn));
        return true;
    }
    bool StartCardFlightWait(PendingWait&) override { return true; }
    bool StartVemoCallout(int seat, PendingWait&) override
    {
        callouts.push_back(seat);
        Log("callout", std::to_string(seat));
        return true;
    }
    bool StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait) override
    {
        questions.push_back({std::string(text), buttons});
        Log("question", text);
        std::string answer = buttons == QuestionButtons::Ok ? "OK" : "YES";
        if (buttons == QuestionButtons::YesNo && !questionAnswers.empty()) {
            answer = questionAnswers.front();
            questionAnswers.pop_front();
        }
        wait.SetAnswer(answer);
        return true;
    }
    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override
    {
        boxes.push_back(box);
        Log("box", box.Text);
        std::string answer =
            box.Buttons == BoxButtons::YesNo || box.Buttons == BoxButtons::YesNoCancel ? "NO" : "OK";
        if (!boxAnswers.empty()) {
            answer = boxAnswers.front();
            boxAnswers.pop_front();
        }
        wait.SetAnswer(answer);
        return true;
    }
    bool StartColorChoice(PendingWait&) override
    {
        ++colorWindows;
        int index = 1;
        if (!colorChoices.empty()) {
            index = colorChoices.front();
            colorChoices.pop_front();
        }
        Log("color window", std::to_string(index));
        engine_->cmdColor_Click(index);
        return true;
    }
    bool StartAskWindow(std::string_view text, PendingWait&) override
    {
        askCaptions.emplace_back(text);
        Log("ask window", text);
        int fallback = 0;
        for (int clicks = 0; engine_->State().AskWindow.Open && clicks < 16; ++clicks) {
            int index = fallback++ % 4 + 1;
            if (!askClicks.empty()) {
                index = askClicks.front();
                askClicks.pop_front();
            }
            engine_->Start(engine_->cmdCOL_Click(index));
        }
        return true;
    }
    void SetAskMessage(std::string_view text) override
    {
        askMessages.emplace_back(text);
        Log("ask message", text);
    }
    void MarkAskButtonUsed(int index, std::string_view word) override { askMarks.emplace_back(index, std::string(word)); }
    void CloseAskWindow() override { ++askWindowsClosed; }
    bool StartHandWinner(std::string_view text, PendingWait& wait) override
    {
        handWinnerTexts.emplace_back(text);
        Log("hand winner", text);
        std::string answer = "OK";
        if (!handWinnerAnswers.empty()) {
            answer = handWinnerAnswers.front();
            handWinnerAnswers.pop_front();
        }
        wait.SetAnswer(answer);
        return true;
    }
    bool StartGameSetup(PendingWait&) override
    {
        ++setups;
        Log("setup", "");
        if (onGameSetup) onGameSetup();
        return true;
    }
    bool StartResumeList(PendingWait&) override
    {
        ++resumeLists;
        Log("resume list", "");
        engine_->State().Tag = resumeChoice;
        return true;
    }
    void Announce(const GameEvent& event) override { events.push_back(event); }
    void CancelWait(PendingWait&) override {}

    // ---- HandDisplay ----
    void PlaceCardOnTable(int seat, CardCode, int) override
    {
        ++images_.at(static_cast<std::size_t>(seat));
        cardsPlacedOnTable.push_back(seat);
    }
    void RemoveCardFromTable(int seat) override { --images_.at(static_cast<std::size_t>(seat)); }
    void RemoveHumanCard(CardCode, int) override { --images_[4]; }

    // ---- InvalidCardNotice ----
    void ShowInvalidCard(std::string_view, std::string_view) override { ++invalidCards; }

private:
    bool SayVemoShown() const { return !sayVemoButton.empty() && sayVemoButton.back(); }
    void Log(std::string_view what, std::string_view text) { log.push_back(std::string(what) + ": " + std::string(text)); }

    GameEngine* engine_ = nullptr;
    std::array<int, 5> images_{};
    int depth_ = 0;
};

class StubRecords final : public GameRecords {
public:
    Task<void> SaveGame() override
    {
        ++saves;
        co_return;
    }
    Task<bool> ResumeSavedGame(std::int32_t id) override
    {
        const bool resumed = onResume ? onResume(id) : false;
        co_return resumed;
    }
    std::function<bool(std::int32_t)> onResume; // the resumed game's work; none: the game cannot be resumed
    int saves = 0;
};

class StubShell final : public GameShell {
public:
    Task<void> ExitAll(std::string mode) override
    {
        exits.push_back(mode);
        co_return;
    }
    std::vector<std::string> exits;
};

// Every fault the engine traps is a test failure unless a test expects it.
class ErrorRecorder final : public ErrorReportHandler {
public:
    bool AskContinueAfterError(const std::string& title, const std::string& text) override
    {
        errors.push_back(title + ": " + text);
        return true;
    }
    void ShowUnloggedError(const std::string& title, const std::string& text) override
    {
        errors.push_back(title + ": " + text);
    }
    void TerminateNow() override {}
    std::vector<std::string> errors;
};

inline std::filesystem::path TestLogDirectory()
{
    static const std::filesystem::path dir = [] {
        auto path = std::filesystem::temp_directory_path() / ("vemo_game_tests_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return dir;
}

// "B5 G2 LV" -> B5, G2, LV
inline std::vector<CardCode> Cards(std::string_view text)
{
    std::vector<CardCode> cards;
    std::size_t at = 0;
    while (at + 2 <= text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        cards.emplace_back(text.substr(at, 2));
        at += 2;
    }
    return cards;
}

inline std::string HandText(const clsPlayer& player)
{
    std::string text;
    for (CardCode c : player.Hand()) {
        if (!text.empty()) text += ' ';
        text += c.ToString();
    }
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
        SetErrorLogDirectory(TestLogDirectory());
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
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    GameState& State() { return engine->State(); }
    GameEngine& Engine() { return *engine; }
    clsPlayer& Player(int seat) { return State().Players(seat); }

    void Give(int seat, std::string_view cards)
    {
        for (CardCode c : Cards(cards)) Player(seat).AddACard(c);
    }
    // Seven numbered cards each for the seats not named, so that nobody is
    // close to going out and the strategy sheds its highest number.
    void FillOthers(std::initializer_list<int> except)
    {
        for (int seat = 1; seat <= 4; ++seat)
            if (std::find(except.begin(), except.end(), seat) == except.end()) Give(seat, "R1 R2 R3 P1 P2 P3 P4");
    }
    // The top of the pile: both CurrCard and ActualCurrCard, its colour in force.
    void Pile(CardCode card, bool pending = false)
    {
        GameState& s = State();
        s.CurrCard = card;
        s.ActualCurrCard = card;
        s.CurrColor = card.Colour();
        s.SpecialAction = pending;
    }
    // Puts cards at the next deck positions.
    void Stack(std::string_view cards)
    {
        int position = State().Deck.DeckPosition;
        for (CardCode c : Cards(cards)) State().Deck(position++) = c;
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
    // Hand position (1-based) of the face showing card; 0 when none does.
    int Face(CardCode card) const
    {
        const auto& faces = engine->State().HumanFaces;
        for (std::size_t k = 0; k < faces.size(); ++k)
            if (faces[k] == card) return static_cast<int>(k) + 1;
        return 0;
    }
    void DoubleClick(CardCode card) { engine->Start(engine->cPlayer4Card_DblClick(Face(card))); }
    void DrawFromDeck() { engine->Start(engine->imgDeck_DblClick()); }
};

} // namespace vemo::test
