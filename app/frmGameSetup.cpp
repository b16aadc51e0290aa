#include "frmGameSetup.h"

#include "CardArt.h"
#include "ExpertStrategy.h"
#include "GameDatabase.h"
#include "RandomInteger.h"
#include "ReportError.h"
#include "Twips.h"
#include "VemoFonts.h"
#include "frmResume.h"

#include <QComboBox>
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>
#include <utility>

namespace vemo {

namespace {

constexpr int kSlideTickMs = 15;

// The list marks the Experts; every other style shows the plain name.
QString RosterEntryText(const ComputerPlayerRow& row)
{
    const QString name = QString::fromStdString(row.PlayerName);
    return row.PlayingStyle == kExpertStyle ? name + QStringLiteral(" (Expert)") : name;
}
// Steps per tick: fast enough to read as one glide, slow enough to be seen.
constexpr int kSlideStepsPerTick = 4;

// CandyCommand1: the banner across the top. Pressing on it drags the dialog,
// which has no caption bar of its own.
class TitleStrip : public QWidget {
public:
    explicit TitleStrip(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("CandyCommand1"));
        setAccessibleName(QString::fromLatin1(frmGameSetup::kCaption));
        setFixedHeight(52);
        setMinimumWidth(360);
        setCursor(Qt::SizeAllCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) return;
        QWindow* handle = window()->windowHandle();
        // Where the window system cannot move it, the strip drags it itself.
        manualDrag_ = !(handle && handle->startSystemMove());
        pressOffset_ = event->globalPosition().toPoint() - window()->pos();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (manualDrag_ && (event->buttons() & Qt::LeftButton))
            window()->move(event->globalPosition().toPoint() - pressOffset_);
    }
    void mouseReleaseEvent(QMouseEvent*) override { manualDrag_ = false; }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        CardArt::PaintTitleBanner(p, QRectF(rect()), QString::fromLatin1(frmGameSetup::kCaption));
    }

private:
    bool manualDrag_ = false;
    QPoint pressOffset_;
};

QLabel* FieldLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(VemoCasualFont(12, true));
    label->setStyleSheet(QStringLiteral("color: #302060;"));
    label->setBuddy(buddy);
    return label;
}

} // namespace

// ------------------------------------------------------------------ PointBall

namespace {
constexpr int kBallDiameter = 20;
constexpr int kBallGap = 8;
} // namespace

PointBall::PointBall(const QString& text, QWidget* parent) : QRadioButton(text, parent)
{
    setAutoExclusive(false);
    setCursor(Qt::PointingHandCursor);
    setFont(VemoCasualFont(12, true));
}

QSize PointBall::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {kBallDiameter + kBallGap + metrics.horizontalAdvance(text()) + 6,
            std::max(kBallDiameter + 4, metrics.height() + 4)};
}

void PointBall::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF ball(2, (height() - kBallDiameter) / 2.0, kBallDiameter, kBallDiameter);

    // A sphere lit from the upper left: red when chosen, pale when not.
    const QColor base = isChecked() ? QColor(214, 36, 36) : QColor(214, 218, 230);
    const QColor dark = isChecked() ? QColor(120, 10, 10) : QColor(130, 136, 156);
    QRadialGradient shade(ball.left() + ball.width() * 0.35, ball.top() + ball.height() * 0.3, ball.width() * 0.75);
    shade.setColorAt(0.0, Qt::white);
    shade.setColorAt(0.25, base.lighter(120));
    shade.setColorAt(0.8, base);
    shade.setColorAt(1.0, dark);
    p.setPen(QPen(dark, 1.0));
    p.setBrush(shade);
    p.drawEllipse(ball);
    if (!isEnabled()) {
        p.setBrush(QColor(255, 255, 255, 110));
        p.drawEllipse(ball);
    }

    const QRectF textRect(ball.right() + kBallGap, 0, width() - ball.right() - kBallGap, height());
    p.setFont(font());
    p.setPen(isChecked() ? QColor(150, 20, 20) : QColor(48, 32, 96));
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, text());
    if (hasFocus()) {
        p.setPen(QPen(QColor(90, 45, 156), 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        const qreal textWidth = p.fontMetrics().horizontalAdvance(text());
        p.drawRect(QRectF(textRect.left() - 2, 1.5, textWidth + 4, height() - 3));
    }
}

// --------------------------------------------------------------- frmGameSetup

frmGameSetup::frmGameSetup(QWidget* owner, GameEngine& engine, GameDatabase& database, Callbacks callbacks,
                           std::function<void()> closed)
    : QDialog(owner), engine_(engine), database_(database), callbacks_(std::move(callbacks)),
      closed_(std::move(closed))
{
    setObjectName(QStringLiteral("frmGameSetup"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowTitle(QString::fromLatin1(kCaption));
    setCursor(Qt::WaitCursor);

    CandyCommand1 = new TitleStrip(this);

    txtPlayer = new QLineEdit(QString::fromLatin1(kDefaultName), this);
    txtPlayer->setObjectName(QStringLiteral("txtPlayer"));
    txtPlayer->setToolTip(QStringLiteral("Enter your name for this game"));

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(8);
    fields->addWidget(FieldLabel(QStringLiteral("Your Name:"), txtPlayer, this), 0, 0);
    fields->addWidget(txtPlayer, 0, 1);
    for (int seat = 1; seat <= 3; ++seat) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("cboPlayer%1").arg(seat));
        combo->setToolTip(QStringLiteral("Select a computer player"));
        combo->setEditable(false);
        combo->setMinimumWidth(200);
        combo->installEventFilter(this);
        combo->view()->installEventFilter(this);
        cboPlayer[static_cast<std::size_t>(seat)] = combo;
        fields->addWidget(FieldLabel(QStringLiteral("Computer Player %1:").arg(seat), combo, this), seat, 0);
        fields->addWidget(combo, seat, 1);
    }
    fields->setColumnStretch(1, 1);

    fraPoints = new QGroupBox(QStringLiteral("Click on ball to select total points"), this);
    fraPoints->setObjectName(QStringLiteral("fraPoints"));
    fraPoints->setToolTip(QStringLiteral("Click on ball to select total points for this game"));
    fraPoints->setFont(VemoCasualFont(12, true));
    fraPoints->setStyleSheet(QStringLiteral(
        "QGroupBox#fraPoints { border: 2px solid #c9a227; border-radius: 8px; margin-top: 12px;"
        " background: #fffaf0; }"
        "QGroupBox#fraPoints::title { subcontrol-origin: margin; subcontrol-position: top center;"
        " padding: 0 8px; color: #5a2d9c; }"));
    static constexpr std::array<int, 4> kLimits{50, 200, 500, 100};
    for (std::size_t k = 0; k < 4; ++k) {
        auto* ball = new PointBall(QStringLiteral("Play until someone has %1 points").arg(kLimits[k]), fraPoints);
        ball->setObjectName(QStringLiteral("chkPoints%1").arg(k));
        ball->setToolTip(QStringLiteral("Play game until someone reaches %1 points").arg(kLimits[k]));
        connect(ball, &QAbstractButton::clicked, this, [this, k] { chkPoints_Click(int(k)); });
        chkPoints[k] = ball;
    }
    chkPoints[3]->setChecked(true);
    // Shown smallest limit first; the indices keep their described order.
    auto* balls = new QVBoxLayout(fraPoints);
    balls->setContentsMargins(18, 20, 18, 10);
    balls->setSpacing(4);
    for (std::size_t k : {0u, 3u, 1u, 2u}) balls->addWidget(chkPoints[k]);
    // Tab goes down the balls as they are shown.
    setTabOrder(chkPoints[0], chkPoints[3]);
    setTabOrder(chkPoints[3], chkPoints[1]);
    setTabOrder(chkPoints[1], chkPoints[2]);

    static constexpr std::array<const char*, 4> kButtons{"Start New Game", "Resume Saved Game", "Exit Game", "Help"};
    static constexpr std::array<const char*, 4> kButtonTips{
        "Start new game using parameters below", "Resume a game that has been previously saved",
        "Exit new game setup without starting new game", "Get help on starting a new game"};
    auto* buttons = new QGridLayout;
    buttons->setSpacing(8);
    for (std::size_t k = 0; k < 4; ++k) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[k]), this);
        button->setObjectName(QStringLiteral("cmdStart%1").arg(k));
        button->setToolTip(QString::fromLatin1(kButtonTips[k]));
        button->setMinimumHeight(30);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, k] { cmdStart_Click(int(k)); });
        cmdStart[k] = button;
        buttons->addWidget(button, int(k / 2), int(k % 2));
    }
    cmdStart[0]->setDefault(true);
    cmdStart[0]->setFont(VemoCasualFont(12, true));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 16);
    layout->setSpacing(12);
    layout->addWidget(CandyCommand1);
    layout->addLayout(fields);
    layout->addWidget(fraPoints);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    slideTimer_ = new QTimer(this);
    slideTimer_->setInterval(kSlideTickMs);
    connect(slideTimer_, &QTimer::timeout, this, [this] {
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const int bottomTwips = PixelsToTwips(screen ? screen->geometry().bottom() + 1 : 0);
        const int heightTwips = PixelsToTwips(frameGeometry().height());
        bool arrived = false;
        for (int step = 0; step < kSlideStepsPerTick && !arrived; ++step) {
            const std::optional<int> next = NextSlideTopTwips(slideTopTwips_, heightTwips, bottomTwips);
            if (next)
                slideTopTwips_ = *next;
            else
                arrived = true;
        }
        move(x(), TwipsToPixels(slideTopTwips_));
        if (!arrived) return;
        slideTimer_->stop();
        if (auto done = std::exchange(slideArrived_, nullptr)) done();
    });

    connect(this, &QDialog::finished, this, [this] {
        if (auto closed = std::exchange(closed_, nullptr)) closed();
    });

    if (!engine_.State().HumanPlayerName.empty())
        txtPlayer->setText(QString::fromStdString(engine_.State().HumanPlayerName));
    PopulateComputerPlayerCombos();
    unsetCursor();
    txtPlayer->selectAll();
    txtPlayer->setFocus();
}

frmGameSetup::~frmGameSetup() = default;

int frmGameSetup::ScoreLimitFromCaption(const QString& caption)
{
    // Read as a number: leading blanks skipped, digits up to the first other character.
    const QString rest = caption.mid(23).trimmed();
    int value = 0;
    for (QChar c : rest) {
        if (!c.isDigit()) break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

std::optional<int> frmGameSetup::NextSlideTopTwips(int topTwips, int heightTwips, int screenBottomTwips)
{
    if (screenBottomTwips - topTwips - heightTwips > kSlideStepTwips) return topTwips + kSlideStepTwips;
    return std::nullopt;
}

int frmGameSetup::ChosenScoreLimit() const
{
    for (const PointBall* ball : chkPoints)
        if (ball->isChecked()) return ScoreLimitFromCaption(ball->text());
    return 0;
}

void frmGameSetup::PopulateComputerPlayerCombos()
{
    Trapped("PopulateComputerPlayerCombos", [this] {
        const std::vector<ComputerPlayerRow> roster = database_.ComputerPlayers();
        for (int seat = 1; seat <= 3; ++seat) cboPlayer[static_cast<std::size_t>(seat)]->clear();
        if (roster.empty()) return;
        const int n = static_cast<int>(roster.size());
        const int r1 = RandomInteger(n, 1) - 1;
        int r2 = RandomInteger(n, 1) - 1;
        // A roster too short for distinct defaults repeats names rather than loop forever.
        while (n >= 2 && r2 == r1) r2 = RandomInteger(n, 1) - 1;
        int r3 = RandomInteger(n, 1) - 1;
        while (n >= 3 && (r3 == r1 || r3 == r2)) r3 = RandomInteger(n, 1) - 1;
        for (const ComputerPlayerRow& row : roster)
            for (int seat = 1; seat <= 3; ++seat)
                cboPlayer[static_cast<std::size_t>(seat)]->addItem(RosterEntryText(row),
                                                                   QString::fromStdString(row.PlayerName));
        cboPlayer[1]->setCurrentIndex(r1);
        cboPlayer[2]->setCurrentIndex(r2);
        cboPlayer[3]->setCurrentIndex(r3);
    });
}

void frmGameSetup::chkPoints_Click(int index)
{
    PointBall* clicked = chkPoints.at(static_cast<std::size_t>(index));
    clicked->setEnabled(false);
    for (PointBall* ball : chkPoints)
        if (ball != clicked) ball->setChecked(false);
    clicked->setChecked(true);
    QTimer::singleShot(kBallPauseMs, clicked, [clicked] { clicked->setEnabled(true); });
}

// Typed characters never reach the lists: an opponent is chosen, not named.
bool frmGameSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (typed) {
            for (int seat = 1; seat <= 3; ++seat) {
                QComboBox* combo = cboPlayer[static_cast<std::size_t>(seat)];
                if (watched == combo || watched == combo->view()) return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Escape would end the dialog without a game; a game must be started or the program left.
void frmGameSetup::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && callbacks_.Help) {
        callbacks_.Help();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The window system's close request is refused for the same reason; the
// program itself may still close the dialog.
void frmGameSetup::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous() && !closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmGameSetup::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, QColor(246, 243, 255));
    fill.setColorAt(1.0, QColor(228, 234, 250));
    p.setPen(QPen(QColor(64, 40, 140), 2.0));
    p.setBrush(fill);
    p.drawRect(r);
}

void frmGameSetup::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (centred_) return;
    centred_ = true;
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void frmGameSetup::SetBusy(bool busy)
{
    busy_ = busy;
    for (QPushButton* button : cmdStart) button->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmGameSetup::Slide(std::function<void()> arrived)
{
    slideArrived_ = std::move(arrived);
    slideTopTwips_ = PixelsToTwips(frameGeometry().top());
    slideTimer_->start();
}

void frmGameSetup::cmdStart_Click(int index)
{
    if (busy_) return;
    Trapped("frmGameSetup_cmdStart_Click ", [this, index] {
        switch (index) {
        case 0:
            SetBusy(true);
            Slide([this] { StartNewGame(); });
            break;
        case 1:
            OpenResumeList();
            break;
        case 2:
            if (callbacks_.ExitGame) callbacks_.ExitGame();
            break;
        case 3:
            if (callbacks_.Help) callbacks_.Help();
            break;
        default:
            break;
        }
    });
}

void frmGameSetup::StartNewGame()
{
    GameSetupChoice choice;
    choice.HumanName = txtPlayer->text().toStdString();
    const bool found = Trapped("SetParametersForThisGame", false, [&] {
        for (int seat = 1; seat <= 3; ++seat) {
            // The list may mark a style ("Solomon (Expert)"); the stored name is the item's data.
            const QString name = cboPlayer[static_cast<std::size_t>(seat)]->currentData().toString();
            const std::optional<ComputerPlayerRow> row = database_.FindComputerPlayer(name.toStdString());
            if (!row) {
                auto* box = new QMessageBox(
                    QMessageBox::Warning, QStringLiteral("Computer Player Error"),
                    QStringLiteral("Computer player '") + name +
                        QStringLiteral("' is not in the database of computer players.  This is a problem.\n\n"
                                       " Please select another computer player or contact technical support."),
                    QMessageBox::Ok, this);
                box->setAttribute(Qt::WA_DeleteOnClose, true);
                box->setWindowModality(Qt::WindowModal);
                box->open();
                return false;
            }
            choice.Opponents[static_cast<std::size_t>(seat - 1)] = {row->PlayerName, row->PlayingStyle,
                                                                    row->WAVnumber};
        }
        return true;
    });
    if (!found) {
        SetBusy(false);
        return;
    }
    choice.ScoreLimit = static_cast<std::int16_t>(ChosenScoreLimit());
    engine_.Start(RunNewGame(engine_, std::move(choice), QPointer<frmGameSetup>(this)));
}

Task<void> frmGameSetup::RunNewGame(GameEngine& engine, GameSetupChoice choice, QPointer<frmGameSetup> dialog)
{
    const bool started = co_await engine.SetParametersForThisGame(choice);
    if (started) engine.State().Tag = "START";
    if (dialog) dialog->GameReady(started);
}

void frmGameSetup::GameReady(bool ready)
{
    if (!ready) {
        SetBusy(false);
        return;
    }
    closing_ = true;
    accept();
}

void frmGameSetup::OpenResumeList()
{
    const bool soundOn = callbacks_.SoundOn && callbacks_.SoundOn();
    auto* list = new frmResume(this, database_, soundOn, callbacks_.PlayWav,
                               [self = QPointer<frmGameSetup>(this)](const QString& answer) {
                                   if (self) self->ResumeChosen(answer);
                               });
    list->SetTag(QStringLiteral("frmGameSetup"));
    list->open();
}

void frmGameSetup::ResumeChosen(const QString& answer)
{
    bool numeric = false;
    const std::int32_t id = answer.trimmed().toInt(&numeric);
    if (!numeric) return; // cancelled
    SetBusy(true);
    Slide([this, id] {
        if (!callbacks_.ResumeSavedGame) {
            ResumeFailed();
            return;
        }
        engine_.Start(RunResume(engine_, callbacks_.ResumeSavedGame, id, QPointer<frmGameSetup>(this)));
    });
}

Task<void> frmGameSetup::RunResume(GameEngine& engine, std::function<Task<bool>(std::int32_t)> resume,
                                   std::int32_t id, QPointer<frmGameSetup> dialog)
{
    const bool restored = co_await resume(id);
    if (restored) engine.State().Tag = "START";
    if (!dialog) co_return;
    if (restored)
        dialog->GameReady(true);
    else
        dialog->ResumeFailed();
}

void frmGameSetup::ResumeFailed()
{
    SetBusy(false);
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Resume Game"),
                                QStringLiteral("An error occurred while trying to resume this game.\n\n"
                                               "Please try again or select a different game."),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose, true);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

} // namespace vemo
