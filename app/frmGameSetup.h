#pragma once
// frmGameSetup: the dialog every game begins with. The human names
// themselves, picks three computer opponents from the roster and the point
// limit, then starts a new game, resumes a saved one, leaves, or asks for help.
//
// Starting slides the dialog towards the bottom of the screen, then runs the
// engine's SetParametersForThisGame as an engine activity; once the game is
// dealt the engine's Tag reads "START" and the dialog closes. A failed start
// or resume shows its message and leaves the dialog open for another try.
//
// The dialog deletes itself when it closes. Open it with open(): it is
// window-modal and has no close box; Escape does nothing, since a game must be
// started or the program left.

// moc cannot parse the C++20 library headers behind the engine; it only
// needs the class names.
#ifndef Q_MOC_RUN
#include "GameEngine.h"
#include "Task.h"
#endif

#include <QDialog>
#include <QPointer>
#include <QRadioButton>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace vemo {

class GameDatabase;
class GameEngine;

// A round point ball: a glossy ball that is lit when checked.
class PointBall : public QRadioButton {
    Q_OBJECT
public:
    PointBall(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    // A ball resting after its click keeps the keyboard focus, so the next
    // key still means this ball and not its neighbour.
    bool focusNextPrevChild(bool next) override { return !isEnabled() || QRadioButton::focusNextPrevChild(next); }
};

class frmGameSetup : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Vemo Game Setup";
    static constexpr const char* kDefaultName = "MyName";
    static constexpr int kSlideStepTwips = 50;
    static constexpr int kBallPauseMs = 500;

    // What the dialog hands to the rest of the program.
    struct Callbacks {
        // "Resume Saved Game": rebuilds saved game id in the engine (the
        // records store's ResumeSavedGame); true when the game was restored.
        // Run as an engine activity. Without it every resume fails.
        std::function<Task<bool>(std::int32_t id)> ResumeSavedGame;
        // "Exit Game": leaves the program without saving or recording
        // anything (ExitAll with "Start"). The dialog does not close itself.
        std::function<void()> ExitGame;
        // "Help": opens the help topic of this dialog.
        std::function<void()> Help;
        // The Sound option and the clip player, for frmResume's opening clip.
        std::function<bool()> SoundOn;
        std::function<void(int clip)> PlayWav;
    };

    // closed runs once the dialog has closed (a game was started or resumed,
    // or the dialog was closed from outside).
    frmGameSetup(QWidget* owner, GameEngine& engine, GameDatabase& database, Callbacks callbacks,
                 std::function<void()> closed);
    ~frmGameSetup() override;

    // The limit a ball caption gives: the number from its 24th character on
    // ("Play until someone has " is 23 characters); 0 when there is none.
    static int ScoreLimitFromCaption(const QString& caption);
    // The dialog's next top edge during the slide, in twips, or nothing when it
    // is within one step of the bottom of the screen.
    static std::optional<int> NextSlideTopTwips(int topTwips, int heightTwips, int screenBottomTwips);

    // The limit of the checked ball.
    int ChosenScoreLimit() const;
    // Fills the three lists with the roster and picks three different defaults.
    void PopulateComputerPlayerCombos();
    void chkPoints_Click(int index);
    void cmdStart_Click(int index);
    bool Busy() const { return busy_; }

    QWidget* CandyCommand1 = nullptr; // the title strip
    QLineEdit* txtPlayer = nullptr;
    std::array<QComboBox*, 4> cboPlayer{};    // cboPlayer(1..3); element 0 is unused
    QGroupBox* fraPoints = nullptr;
    std::array<PointBall*, 4> chkPoints{};    // chkPoints(0..3): 50, 200, 500, 100
    std::array<QPushButton*, 4> cmdStart{};   // cmdStart(0..3)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static Task<void> RunNewGame(GameEngine& engine, GameSetupChoice choice, QPointer<frmGameSetup> dialog);
    static Task<void> RunResume(GameEngine& engine, std::function<Task<bool>(std::int32_t)> resume,
                                std::int32_t id, QPointer<frmGameSetup> dialog);

    void SetBusy(bool busy);
    // Slides towards the bottom of the screen, then runs arrived.
    void Slide(std::function<void()> arrived);
    void StartNewGame();
    void OpenResumeList();
    void ResumeChosen(const QString& answer);
    void GameReady(bool ready);
    void ResumeFailed();

    GameEngine& engine_;
    GameDatabase& database_;
    Callbacks callbacks_;
    std::function<void()> closed_;
    QTimer* slideTimer_ = nullptr;
    std::function<void()> slideArrived_;
    int slideTopTwips_ = 0;
    bool busy_ = false;
    bool centred_ = false;
    bool closing_ = false;
};

} // namespace vemo
