#pragma once
// The table window. It shows the game and reports the player's input to the
// engine; every rule stays in the engine. It implements the engine's view:
// pauses are single-shot timers, questions and choices are window-modal
// dialogs opened with open(), and each completes the engine's pending wait.

// moc cannot parse the C++20 library headers behind the engine; it only
// needs the class names.
#ifndef Q_MOC_RUN
#include "GameEngine.h"
#include "TableLayout.h"
#include "TableShell.h"
#include "TableView.h"
#endif

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace vemo {

class GameDatabase;
class GameLogPanel;
class TableAnnouncer;
class PlayerAids;
class WavPlayer;
class cVemoCard;
class frmAskCOL;
class frmDialog;

class frmMain : public QMainWindow, public TableView {
    Q_OBJECT
public:
    // database may be null (no verses are shown then).
    explicit frmMain(GameDatabase* database, QWidget* parent = nullptr);
    ~frmMain() override;

    void Attach(GameEngine& engine, TableShell& shell);
    // Centres the window on its screen, as at start.
    void CenterForm();
    // The window's own key handler: Ctrl+X (key code 88, shift 2) offers to
    // leave the game. Also reached from Options > Interrupt Computer.
    void Form_KeyDown(int keyCode, int shift);
    // Every pause is multiplied by this (tests and demonstrations only).
    void SetTimeScale(double scale) { timeScale_ = scale; }
    double TimeScale() const { return timeScale_; }

    // What tests and the keyboard features read back.
    QString StatusText(StatusBar bar, int panel) const;
    int CardImages(int seat) const;
    cVemoCard* HumanFace(int index) const; // 1-based
    QLabel* Deck() const { return imgDeck_; }
    QWidget* DiscardTarget() const;
    QPushButton* SayVemoButton() const { return cmdHumanVemo_; }
    frmDialog* MessageWindow() const { return dialog_; }
    QAction* MenuAction(const QString& objectName) const;
    // Where the last re-layout put the fixed elements, in twips.
    const FixedLayout& LaidOut() const { return fixed_; }
    // The aids for reading the table: the log panel, the announcer, and
    // each computer hand as a whole (seats 1..3) for screen readers.
    GameLogPanel* GameLog() const { return gameLog_; }
    TableAnnouncer* Announcer() const { return announcer_; }
    QWidget* HandArea(int seat) const;
    // Keyboard play, the playable cue and high contrast.
    PlayerAids* Aids() const { return aids_; }
    // How much larger than at its start size the table is drawn.
    double TableScale() const { return tableScale_; }

    // --- TableView ---
    void SetCaption(std::string_view text) override;
    void SetBusyPointer(bool busy) override;
    void ShowMenus(bool visible) override;
    void SetHumanTurnControls(bool humanTurn) override;
    void SetPlayerName(int seat, std::string_view name) override;
    void SetPlayerHighlight(int seat, bool highlighted) override;
    void SetStatusText(StatusBar bar, int panel, std::string_view text) override;
    void SetDeckToolTip(std::string_view text) override;
    void ShowSayVemoButton(bool visible) override;
    bool SoundOn() const override;
    void PlayWav(int clip) override;
    void SetSoundOption(bool on) override;
    void mnuOptionsAnimation_Click(int index) override;
    void ArmStartTimer() override;
    void ClearDiscardPile() override;
    void HideDiscardDeck() override;
    void RemoveAllCardImages() override;
    void ArrangePlayersCards(int seat, int numberOfCards) override;
    void SetHumanPlayerCard(CardCode card, int index) override;
    void ShowNotice(std::string_view text, NoticeHeight height) override;
    void HideMessageWindow() override;
    bool StartPause(int milliseconds, PendingWait& wait) override;
    bool StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait& wait) override;
    bool StartCardFlightWait(PendingWait& wait) override;
    bool StartVemoCallout(int seat, PendingWait& wait) override;
    bool StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait) override;
    bool StartMessageBox(const MessageBoxSpec& box, PendingWait& wait) override;
    bool StartColorChoice(PendingWait& wait) override;
    bool StartAskWindow(std::string_view caption, PendingWait& wait) override;
    void SetAskMessage(std::string_view text) override;
    void MarkAskButtonUsed(int index, std::string_view capitalWord) override;
    void CloseAskWindow() override;
    bool StartHandWinner(std::string_view text, PendingWait& wait) override;
    bool StartGameSetup(PendingWait& wait) override;
    bool StartResumeList(PendingWait& wait) override;
    void CancelWait(PendingWait& wait) override;
    void PlaceCardOnTable(int seat, CardCode card, int fromSeat) override;
    void RemoveCardFromTable(int seat) override;
    void RemoveHumanCard(CardCode card, int faceCount) override;
    void ShowInvalidCard(std::string_view caption, std::string_view text) override;
    void Announce(const GameEvent& event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The player's aids work the table's own widgets and input handlers.
    friend class PlayerAids;

    void BuildTable();
    void BuildMenus();
    void BuildStatusBars();
    void Relayout();
    TableMetrics Metrics() const;
    QPoint ToPixels(TwipsPoint point) const;
    // A size in pixels at the start size, grown by the table's scale.
    QSize ToPixels(QSize usual) const;
    // 1 at the start size and below, or with the table kept at its fixed size.
    double ScaleForWindow() const;
    // Draws the pictures and sets the fonts for a new scale.
    void ApplyTableScale(double scale);
    int Scaled(int milliseconds) const;
    // The window keeps wait and completes it later (Finish), unless the game
    // stops waiting first (CancelWait).
    void Hold(PendingWait& wait);
    // Runs one pause: finished after milliseconds unless cancelled.
    bool Wait(PendingWait& wait, int milliseconds);
    void Finish(PendingWait& wait, const std::string& answer);
    void DropTimer(PendingWait& wait);
    void ShowPileCard(CardCode card);
    void FillFace(cVemoCard& face, CardCode card);
    cVemoCard* NewFace();
    void ConnectFace(cVemoCard* face);
    void StartEngine(Task<void> task);
    void mnuOptionsSound_Click();
    void Form_KeyDown_Interrupt();
    void ShowPauseWindow();
    // Help's web site item: asks first, and says so when nothing could open it.
    void GoToTylWebSite();
    // Run (with StartEngine) as the game's newest activity: until show's
    // window answers, no pause of the game's other work ends, as with a modal
    // window opened from a running handler. then gets the answer.
    Task<void> HaltWhileOpen(std::function<bool(PendingWait&)> show,
                             std::function<void(const std::string&)> then = {});
    void ApplyStoredOptions();
    // Lands the card in flight at once, if any, and lets a waiting engine go on.
    void FinishFlight();
    // The game log, the announcer, the table summary and the names screen
    // readers give the table's pieces.
    void BuildReadingAids();
    void ShowGameLog(bool on);
    void ShowTableSummary();
    void RefreshHandArea(int seat);
    // Started when the window is minimised: as it runs on top of the game's
    // paused work, nothing of the game goes on until the window is restored.
    Task<void> WaitWhileMinimised();

    GameDatabase* database_;
    GameEngine* engine_ = nullptr;
    TableShell* shell_ = nullptr;
    double timeScale_ = 1.0;
    double tableScale_ = 1.0;
    std::optional<CardCode> shownPile_; // the card the enlarged pile picture shows
    bool firstShow_ = true;
    bool minimisedWait_ = false;

    QWidget* surface_ = nullptr;
    std::array<std::vector<QLabel*>, 4> backs_; // seats 1..3 (0 unused): card images 1..n
    std::vector<cVemoCard*> faces_;             // the human's row, cPlayer4Card(1..n)
    QLabel* imgDeck_ = nullptr;
    QLabel* imgDiscardSlot_ = nullptr;  // imgDiscard(0)
    QLabel* imgDiscardCard_ = nullptr;  // the top card picture, imgDiscard(1..5)
    QLabel* imgDiscardDeck_ = nullptr;
    QLabel* lblType_ = nullptr;
    QLabel* lblVerse_ = nullptr;
    QLabel* lblInstruction_ = nullptr;
    QLabel* lblInstructionExtra_ = nullptr;
    std::array<QLabel*, 5> lblPlayer_{};
    std::array<QLabel*, 5> lblPlayerShadow_{};
    QLabel* lblClick_ = nullptr;
    QLabel* lblClickShadow_ = nullptr;
    QPushButton* cmdHumanVemo_ = nullptr;
    QLabel* imgVemoGuySmall_ = nullptr;
    std::array<QLabel*, 7> sbTop_{};
    std::array<QLabel*, 7> sbBottom_{};
    QWidget* sbTopBar_ = nullptr;
    QWidget* sbBottomBar_ = nullptr;

    std::vector<QMenu*> realMenus_;
    QMenu* mnuDummy_ = nullptr;
    QAction* mnuPause_ = nullptr;
    QAction* mnuOptionsSound_ = nullptr;
    QAction* mnuOptionsScale_ = nullptr;
    std::array<QAction*, 3> mnuOptionsAnimation_{};
    QAction* mnuOptionsSort_ = nullptr;
    QAction* mnuOptionsInterrupt_ = nullptr;
    QAction* mnuOptionsDraw_ = nullptr;

    QTimer* tmrStartPlay_ = nullptr;
    std::set<PendingWait*> held_;              // waits this window will complete
    std::map<PendingWait*, QTimer*> timers_;   // the timers of timed pauses among them
    frmDialog* dialog_ = nullptr;
    QPointer<frmAskCOL> askWindow_;
    PendingWait* askWait_ = nullptr;
    // The card flying into a hand, and the engine waiting for it to land.
    struct Flight {
        int seat = 0;
        QPointer<QWidget> element; // the card image that stays in the hand
        QPointer<QWidget> flying;  // what moves: the image itself, or a back for the human
        int left = 0;
        QPoint step;
        QTimer* timer = nullptr;
    } flight_;
    PendingWait* flightWait_ = nullptr;
    WavPlayer* wav_ = nullptr;
    GameLogPanel* gameLog_ = nullptr;
    QAction* mnuViewGameLog_ = nullptr;
    int logWidthAdded_ = 0; // how far the window grew to make room for the log
    TableAnnouncer* announcer_ = nullptr;
    std::array<QWidget*, 4> handAreas_{}; // seats 1..3 (0 unused)
    PlayerAids* aids_ = nullptr;
    PaintValues paint_{};
    FixedLayout fixed_{};

    // Dragging a face: where it started and where the press was.
    int dragIndex_ = 0;
    bool dragging_ = false;
    QPoint dragOrigin_;
    QPoint dragOffset_;
    QPointer<QWidget> dragAbove_; // the widget that lay just above the dragged face
};

} // namespace vemo
