// The table window's aids for following the game: the game log beside the
// table, spoken events, the table summary on T, and the names screen
// readers give the hands, the pile and the buttons.
#include "frmMain.h"

#include "AccessibleRoles.h"
#include "GameLogPanel.h"
#include "HelpKey.h"
#include "PlayerAids.h"
#include "TableAnnouncer.h"
#include "TableOptions.h"
#include "TableWords.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

namespace vemo {

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
constexpr int kSummaryMilliseconds = 8000;
} // namespace

void frmMain::BuildReadingAids()
{
    announcer_ = new TableAnnouncer(this);

    gameLog_ = new GameLogPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, gameLog_);
    gameLog_->hide();
    ShowGameLog(TableOptions().ShowGameLog());

    // A computer hand is read as a whole, by a widget behind its cards.
    for (int seat = 1; seat <= 3; ++seat) {
        auto* area = new QWidget(surface_);
        area->setObjectName(QStringLiteral("handPlayer%1").arg(seat));
        area->setAttribute(Qt::WA_TransparentForMouseEvents);
        area->setFocusPolicy(Qt::NoFocus);
        handAreas_[static_cast<std::size_t>(seat)] = area;
        RefreshHandArea(seat);
    }
    cmdHumanVemo_->setAccessibleName(QStringLiteral("Say Vemo"));
    cmdHumanVemo_->setAccessibleDescription(cmdHumanVemo_->toolTip() + QStringLiteral(" Or press V."));

    // The panels above and below the table are the window's status bars, for
    // a screen reader's status-bar command. The date and time panels keep
    // fixed names: the clock's ticking is not news.
    ExposeAs(sbTopBar_, QAccessible::StatusBar);
    sbTopBar_->setAccessibleName(QStringLiteral("Scores"));
    ExposeAs(sbBottomBar_, QAccessible::StatusBar);
    sbBottomBar_->setAccessibleName(QStringLiteral("Turn"));
    sbBottom_[5]->setAccessibleName(QStringLiteral("Date"));
    sbBottom_[6]->setAccessibleName(QStringLiteral("Time"));

    // F1 over the table opens the topic of whichever game window has the keyboard.
    new HelpKey(this, [this](int topic) {
        if (shell_) shell_->ShowHelp(topic);
    });
    surface_->installEventFilter(this);
}

QWidget* frmMain::HandArea(int seat) const
{
    return seat >= 1 && seat <= 3 ? handAreas_[static_cast<std::size_t>(seat)] : nullptr;
}

void frmMain::RefreshHandArea(int seat)
{
    QWidget* area = HandArea(seat);
    if (!area) return;
    QRect cards;
    for (const QLabel* back : backs_[static_cast<std::size_t>(seat)]) cards |= back->geometry();
    if (!cards.isEmpty()) area->setGeometry(cards);
    area->lower();
    const QString name = lblPlayer_[static_cast<std::size_t>(seat)]->text();
    area->setVisible(!name.isEmpty()); // no seat to read before the players sit down
    area->setAccessibleName(Q(HandDescription(name.toStdString(), CardImages(seat))));
}

void frmMain::Announce(const GameEvent& event)
{
    if (!engine_) return;
    // Names are looked up now: the state has moved on by the next event.
    const GameEventWords words = DescribeEvent(event, engine_->State());
    if (event.Kind == GameEventKind::GameStarted || event.Kind == GameEventKind::GameResumed) {
        gameLog_->Clear();
        // The setup or resume window has closed: the keyboard goes to the hand.
        aids_->FocusHand();
    }
    gameLog_->AppendEvent(Q(words.Text), Q(words.Reason));
    announcer_->Announce(Q(words.Text));
}

void frmMain::ShowGameLog(bool on)
{
    TableOptions().SetShowGameLog(on);
    mnuViewGameLog_->setChecked(on);
    if (gameLog_->isHidden() != on) return;
    // A window the player sized grows by the panel, as far as the screen
    // allows, so the table keeps its room; a maximised one gives the room up.
    const bool sized = !isMaximized() && !isFullScreen();
    if (on) {
        if (sized) {
            const int panel = GameLogPanel::kPreferredWidth + style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
            const int frame = frameGeometry().width() - width();
            const int room = screen() ? screen()->availableGeometry().width() - frame - width() : panel;
            logWidthAdded_ = std::clamp(room, 0, panel);
            resize(width() + logWidthAdded_, height());
        }
        gameLog_->show();
        resizeDocks({gameLog_}, {GameLogPanel::kPreferredWidth}, Qt::Horizontal);
    } else {
        gameLog_->hide();
        if (sized) resize(width() - logWidthAdded_, height());
        logWidthAdded_ = 0;
    }
}

void frmMain::ShowTableSummary()
{
    // The question or choice that is open has the keyboard.
    if (!engine_ || QApplication::activeModalWidget()) return;
    QString summary = Q(TableSummary(engine_->State()));
    // The turn as the status bar tells it, when it says more than whose it is
    // ("Kim needs to draw 3 cards").
    const GameState& state = engine_->State();
    const QString turn = sbBottom_[1]->text();
    if (state.CurrTurn >= 1 && state.CurrTurn <= state.Players.Count()) {
        const QString name = Q(state.Players(state.CurrTurn).Name());
        const bool more = !turn.isEmpty() && turn != name && turn.compare(name + QStringLiteral("'s turn"), Qt::CaseInsensitive) != 0;
        if (more) summary.replace(name + QStringLiteral("'s turn. "), turn + QStringLiteral(". "));
    }
    announcer_->Announce(summary);
    // Shown beside the pile, one sentence a line; the game's message window
    // is left alone.
    QString lines = summary;
    lines.replace(QStringLiteral(". "), QStringLiteral(".\n"));
    QToolTip::showText(imgDiscardSlot_->mapToGlobal(QPoint(imgDiscardSlot_->width() + 8, 0)), lines,
                       imgDiscardSlot_, QRect(), kSummaryMilliseconds);
}

} // namespace vemo
