#include "frmMain.h"

#include "CardArt.h"
#include "CardDescriptions.h"
#include "CardText.h"
#include "CheeringFigure.h"
#include "ColourPanel.h"
#include "ElidedLabel.h"
#include "GameDatabase.h"
#include "MessageBoxes.h"
#include "PlayerAids.h"
#include "RandomInteger.h"
#include "ReportError.h"
#include "TableAnnouncer.h"
#include "TableOptions.h"
#include "TableWords.h"
#include "Twips.h"
#include "VemoFonts.h"
#include "WavPlayer.h"
#include "cVemoCard.h"
#include "frmAskCOL.h"
#include "frmCallout.h"
#include "frmDialog.h"
#include "frmPause.h"
#include "frmPrimer.h"
#include "frmSetColor.h"
#include "frmVemoGuy.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLocale>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vemo {

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr QSize kCardPx{71, 96};
constexpr QSize kDeckPx{77, 102};
// The enlarged top card of the pile.
constexpr QSize kPilePx{113, 153};
// The small cheering figure on the table, in the drawing's proportions.
constexpr QSize kVemoGuySmallPx{45, 54};
// The window's size at start; the table grows beyond it in proportion.
constexpr QSize kStartPx{800, 600};

// The table's painted background: the gradient bands of its colour family.
class TableSurface : public QWidget {
public:
    TableSurface(QWidget* parent, const PaintValues& paint) : QWidget(parent), paint_(paint) {}
    void SetPaint(const PaintValues& paint)
    {
        paint_ = paint;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(paint_.Red, paint_.Green, paint_.Blue));
        for (const Band& band : BackgroundBands(paint_, width(), height()))
            painter.fillRect(band.X, band.Y, band.Width, band.Height, QColor(band.Red, band.Green, band.Blue));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        // The whole window can be dragged by its background.
        if (event->button() == Qt::LeftButton && window()->windowHandle()) window()->windowHandle()->startSystemMove();
    }

private:
    PaintValues paint_;
};

QLabel* PictureLabel(QWidget* parent, const QPixmap& pixmap)
{
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->resize(pixmap.deviceIndependentSize().toSize());
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void SetPicture(QLabel* label, const QPixmap& pixmap)
{
    label->setPixmap(pixmap);
    label->resize(pixmap.deviceIndependentSize().toSize());
}

void SetTextColour(QLabel* label, std::uint32_t bgr)
{
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(FromBgr(bgr).name()));
}

} // namespace

frmMain::frmMain(GameDatabase* database, QWidget* parent) : QMainWindow(parent), database_(database)
{
    setWindowTitle(QStringLiteral("Vemo"));
    setObjectName(QStringLiteral("frmMain"));
    setProperty("HelpContextID", 20);
    wav_ = new WavPlayer(this);
    dialog_ = new frmDialog(this);
    tmrStartPlay_ = new QTimer(this);
    tmrStartPlay_->setSingleShot(true);
    connect(tmrStartPlay_, &QTimer::timeout, this, [this] {
        if (engine_) engine_->tmrStartPlay_Timer();
    });
    BuildMenus();
    BuildTable();
    BuildStatusBars();
    Trapped("frmMain_Form_Load", [this] { ApplyStoredOptions(); });
    aids_ = new PlayerAids(*this);
    resize(800, 600);
    BuildReadingAids();
    CenterForm();
}

void frmMain::CenterForm()
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

// The owner destroys the engine first: its suspended work refers to this window.
frmMain::~frmMain() = default;

void frmMain::Attach(GameEngine& engine, TableShell& shell)
{
    engine_ = &engine;
    shell_ = &shell;
}

// --- Building the window ---

void frmMain::ApplyStoredOptions()
{
    TableOptions options;
    const int windowColor = ChooseWindowColor(options.MainWindowColor(), [] { return RandomInteger(6, 1); });
    options.SetMainWindowColor(windowColor);
    paint_ = SetPaintValues(windowColor, RandomInteger(2, 0));
    static_cast<TableSurface*>(surface_)->SetPaint(paint_);
    mnuOptionsSound_->setChecked(options.SoundOption());
    mnuOptionsAnimation_Click(options.AnimationOption());
    mnuOptionsScale_->setChecked(options.ScaleTableWithWindow());
}

void frmMain::BuildMenus()
{
    auto add = [this](QMenu* menu, const QString& name, const QString& text, const QKeySequence& keys,
                      std::function<void()> act) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        if (!keys.isEmpty()) action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [act] { act(); });
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFileMain"));
    add(file, "mnuFile1", "&New Game", QKeySequence("Ctrl+N"), [this] { StartEngine(engine_->mnuFile_Click(1)); });
    add(file, "mnuFile2", "&Open Game", QKeySequence("Ctrl+O"), [this] { StartEngine(engine_->mnuFile_Click(2)); });
    add(file, "mnuFile3", "&Save Game", QKeySequence("Ctrl+S"), [this] { StartEngine(engine_->mnuFile_Click(3)); });
    file->addSeparator()->setObjectName(QStringLiteral("mnuFile4"));
    add(file, "mnuFile5", "E&xit", {}, [this] { StartEngine(engine_->mnuFile_Click(5)); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    add(view, "mnuViewBest", "&Best Scores", QKeySequence("Ctrl+B"), [this] {
        if (shell_) shell_->ShowBestScores();
    });
    view->addSeparator();
    mnuViewGameLog_ = add(view, "mnuViewGameLog", "Game &Log", {}, [this] { ShowGameLog(mnuViewGameLog_->isChecked()); });
    mnuViewGameLog_->setCheckable(true);
    // Also on the window itself, so T works while the menus are hidden.
    addAction(add(view, "mnuViewSummary", "Table &Summary", QKeySequence(Qt::Key_T), [this] { ShowTableSummary(); }));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsSound_ = add(options, "mnuOptionsSound", "&Sound", QKeySequence("Ctrl+U"), [this] { mnuOptionsSound_Click(); });
    mnuOptionsSound_->setCheckable(true);
    QMenu* animation = options->addMenu(QStringLiteral("Animation"));
    animation->setObjectName(QStringLiteral("mnuOptionsAniSub"));
    mnuOptionsAnimation_[0] = add(animation, "mnuOptionsAnimation0", "&Animation - Normal", QKeySequence("Ctrl+A"),
                                  [this] { mnuOptionsAnimation_Click(0); });
    mnuOptionsAnimation_[1] = add(animation, "mnuOptionsAnimation1", "Animation - &FAST", QKeySequence("Ctrl+F"),
                                  [this] { mnuOptionsAnimation_Click(1); });
    mnuOptionsAnimation_[2] = add(animation, "mnuOptionsAnimation2", "&No Animation", {},
                                  [this] { mnuOptionsAnimation_Click(2); });
    for (QAction* action : mnuOptionsAnimation_) action->setCheckable(true);
    mnuOptionsScale_ = add(options, "mnuOptionsScale", "S&cale Table With Window", {}, [this] {
        TableOptions().SetScaleTableWithWindow(mnuOptionsScale_->isChecked());
        Relayout();
    });
    mnuOptionsScale_->setCheckable(true);
    options->addSeparator()->setObjectName(QStringLiteral("mnuOptionsSep1"));
    mnuOptionsSort_ = add(options, "mnuOptionsSort", "Sort &Hand", QKeySequence("Ctrl+H"), [this] {
        if (engine_) engine_->lblPlayer_Click(4);
    });
    mnuOptionsInterrupt_ = add(options, "mnuOptionsInterrupt", "&Interrupt Computer", QKeySequence("Ctrl+X"),
                               [this] { Form_KeyDown(Qt::Key_X, 2); });
    mnuOptionsDraw_ = add(options, "mnuOptionsDraw", "&Draw Card", QKeySequence("Ctrl+D"), [this] {
        if (engine_) StartEngine(engine_->imgDeck_DblClick());
    });

    mnuPause_ = menuBar()->addAction(QStringLiteral("&Pause"));
    mnuPause_->setObjectName(QStringLiteral("mnuPause"));
    connect(mnuPause_, &QAction::triggered, this, [this] { ShowPauseWindow(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    add(help, "mnuHelpHelp", "&Help Topics", QKeySequence(Qt::Key_F1), [this] {
        if (shell_) shell_->ShowHelp(20);
        ShowPauseWindow();
    });
    add(help, "mnuHelpPrimer", "Vemo &Primer", {}, [this] { frmPrimer::ShowPrimer(this); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelpSep2"));
    add(help, "mnuHelpTyl", "Tyl on the &Web", {}, [this] { GoToTylWebSite(); });
    help->addSeparator()->setObjectName(QStringLiteral("mnuHelpSep3"));
    add(help, "mnuHelpAbout", "&About", {}, [this] {
        if (shell_) shell_->ShowAbout();
    });
    realMenus_ = {file, view, options, help};
    // A blank, not an empty, caption: a menu without one takes no height.
    mnuDummy_ = menuBar()->addMenu(QStringLiteral(" "));
    mnuDummy_->setObjectName(QStringLiteral("mnuDummy"));
    mnuDummy_->menuAction()->setVisible(false);
}

void frmMain::BuildTable()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    sbTopBar_ = new QWidget(central);
    surface_ = new TableSurface(central, paint_);
    sbBottomBar_ = new QWidget(central);
    column->addWidget(sbTopBar_);
    column->addWidget(surface_, 1);
    column->addWidget(sbBottomBar_);
    setCentralWidget(central);

    imgVemoGuySmall_ = PictureLabel(surface_, CardArt::Render(kVemoGuySmallPx, devicePixelRatioF(),
                                                              [](QPainter& painter, const QRectF& target) {
                                                                  CheeringFigure::PaintFrame(painter, target, 0);
                                                              }));
    imgVemoGuySmall_->setObjectName(QStringLiteral("imgVemoGuySmall"));
    imgDeck_ = PictureLabel(surface_, CardArt::RenderDeck(kDeckPx, devicePixelRatioF()));
    imgDeck_->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    imgDeck_->setObjectName(QStringLiteral("imgDeck"));
    imgDeck_->setAccessibleName(QStringLiteral("Deck"));
    imgDeck_->installEventFilter(this);
    imgDiscardDeck_ = PictureLabel(surface_, CardArt::RenderDiscardStack(kCardPx, devicePixelRatioF()));
    imgDiscardSlot_ = PictureLabel(surface_, CardArt::RenderDiscardSlot(kPilePx, devicePixelRatioF()));
    imgDiscardSlot_->setObjectName(QStringLiteral("imgDiscard"));
    imgDiscardCard_ = PictureLabel(surface_, QPixmap());
    imgDiscardCard_->resize(kPilePx);
    auto pileLabel = [this](const char* name, int pointSize, bool bold) {
        auto* label = new QLabel(surface_);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(VemoCasualFont(pointSize, bold));
        label->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        return label;
    };
    lblType_ = pileLabel("lblType", 14, true);
    lblVerse_ = pileLabel("lblVerse", 8, true);
    lblVerse_->setWordWrap(true);
    lblVerse_->setFixedWidth(kPilePx.width() * 3 / 4);
    lblInstruction_ = pileLabel("lblInstruction", 9, true);
    lblInstructionExtra_ = pileLabel("lblInstructionExtra", 9, true);

    for (int seat = 1; seat <= 4; ++seat) {
        lblPlayerShadow_[seat] = new ElidedLabel(QString(), surface_);
        lblPlayerShadow_[seat]->setFont(VemoCasualFont(14, true));
        lblPlayerShadow_[seat]->setStyleSheet(QStringLiteral("color: black;"));
        lblPlayer_[seat] = new ElidedLabel(QString(), surface_);
        lblPlayer_[seat]->setObjectName(QStringLiteral("lblPlayer%1").arg(seat));
        lblPlayer_[seat]->setFont(VemoCasualFont(14, true));
        SetPlayerHighlight(seat, false);
    }
    lblPlayer_[4]->setToolTip(QStringLiteral("Click on name to sort cards"));
    lblPlayer_[4]->installEventFilter(this);
    const QString hint = QStringLiteral("Click here, click on name, or press Ctrl-H to sort cards");
    // White text needs a dark shadow where the background turns light.
    lblClickShadow_ = new QLabel(hint, surface_);
    lblClickShadow_->setStyleSheet(QStringLiteral("color: black;"));
    lblClickShadow_->setAttribute(Qt::WA_TransparentForMouseEvents);
    lblClickShadow_->adjustSize();
    lblClickShadow_->hide();
    lblClick_ = new QLabel(hint, surface_);
    lblClick_->setObjectName(QStringLiteral("lblClick"));
    lblClick_->setStyleSheet(QStringLiteral("color: white;"));
    lblClick_->adjustSize();
    lblClick_->hide();
    lblClick_->installEventFilter(this);
    cmdHumanVemo_ = new QPushButton(QStringLiteral("Click to say \"Vemo\""), surface_);
    cmdHumanVemo_->setObjectName(QStringLiteral("cmdHumanVemo"));
    cmdHumanVemo_->setToolTip(QStringLiteral("Click here to say \"Vemo!\" and win this hand."));
    cmdHumanVemo_->setFont(VemoCasualFont(13, true));
    cmdHumanVemo_->adjustSize();
    cmdHumanVemo_->hide();
    connect(cmdHumanVemo_, &QPushButton::clicked, this, [this] {
        if (engine_) engine_->cmdHumanVemo_Click();
    });
    ClearDiscardPile();
}

void frmMain::BuildStatusBars()
{
    auto build = [this](QWidget* bar, std::array<QLabel*, 7>& panels, const std::array<const char*, 7>& texts,
                        const std::array<const char*, 7>& tips) {
        auto* row = new QHBoxLayout(bar);
        row->setContentsMargins(2, 1, 2, 1);
        row->setSpacing(2);
        for (int panel = 1; panel <= 6; ++panel) {
            const QString text = QString::fromUtf8(texts[panel]);
            // The colour in force shows its shape beside its name.
            panels[panel] = bar == sbBottomBar_ && panel == 4 ? static_cast<QLabel*>(new ColourPanel(text, bar))
                                                                : new ElidedLabel(text, bar);
            // The panels share the bar by their stretch, whatever their text: a long name is cut, not the bar widened.
            panels[panel]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            panels[panel]->setObjectName(QStringLiteral("%1%2").arg(bar == sbTopBar_ ? "sbTop" : "sbBottom").arg(panel));
            panels[panel]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            panels[panel]->setToolTip(QString::fromUtf8(tips[panel]));
            row->addWidget(panels[panel], panel == 1 ? 3 : 2);
        }
    };
    build(sbTopBar_, sbTop_, {"", "Point Limit = 100", "Score ---->", "Player 1 = 0", "Player 2 = 0", "Player 3 = 0", "Player 4 = 0"},
          {"", "Total points for 1 player to end this game.", "", "", "", "", ""});
    build(sbBottomBar_, sbBottom_, {"", "", "Dealer", "Clockwise", "Color", "", ""},
          {"", "Player's name whose turn it is", "The player who dealt this hand", "The current direction of play",
           "The current color", "", ""});
    auto* clock = new QTimer(this);
    auto tick = [this] {
        const QDateTime now = QDateTime::currentDateTime();
        // Set only when the shown minute changes, so nothing is told of the other ticks.
        const QString date = QLocale().toString(now.date(), QLocale::ShortFormat);
        const QString time = QLocale().toString(now.time(), QLocale::ShortFormat);
        if (sbBottom_[5]->text() != date) sbBottom_[5]->setText(date);
        if (sbBottom_[6]->text() != time) sbBottom_[6]->setText(time);
    };
    connect(clock, &QTimer::timeout, this, tick);
    clock->start(1000);
    tick();
}

// --- Layout ---

TableMetrics frmMain::Metrics() const
{
    // The formulas measure the window's outer size; the surface stands in for
    // the part between the status bars.
    // When the table is scaled, they run on the smaller window the pixels
    // stand for.
    const int statusTwips = PixelsToTwips(sbTopBar_->height(), tableScale_);
    return TableMetrics{PixelsToTwips(surface_->width(), tableScale_),
                        PixelsToTwips(surface_->height(), tableScale_) + 2 * statusTwips, statusTwips, isMaximized(),
                        PixelsToTwips(24), PixelsToTwips(12), tableScale_};
}

QPoint frmMain::ToPixels(TwipsPoint point) const
{
    return {TwipsToPixels(point.Left, tableScale_), TwipsToPixels(point.Top, tableScale_)};
}

QSize frmMain::ToPixels(QSize usual) const
{
    return {TwipsToPixels(PixelsToTwips(usual.width()), tableScale_),
            TwipsToPixels(PixelsToTwips(usual.height()), tableScale_)};
}

double frmMain::ScaleForWindow() const
{
    if (!mnuOptionsScale_->isChecked()) return 1.0;
    // The start size less the menus and status bars, which keep their size.
    const int chrome = height() - surface_->height();
    return TableScaleFactor(surface_->width(), surface_->height(), kStartPx.width(), kStartPx.height() - chrome);
}

void frmMain::ApplyTableScale(double scale)
{
    tableScale_ = scale;
    const qreal ratio = devicePixelRatioF();
    SetPicture(imgVemoGuySmall_, CardArt::Render(ToPixels(kVemoGuySmallPx), ratio, [](QPainter& painter, const QRectF& target) {
        CheeringFigure::PaintFrame(painter, target, 0);
    }));
    SetPicture(imgDeck_, CardArt::RenderDeck(ToPixels(kDeckPx), ratio));
    SetPicture(imgDiscardDeck_, CardArt::RenderDiscardStack(ToPixels(kCardPx), ratio));
    SetPicture(imgDiscardSlot_, CardArt::RenderDiscardSlot(ToPixels(kPilePx), ratio));
    imgDiscardCard_->resize(ToPixels(kPilePx));
    const QPixmap back = CardArt::RenderCardBack(ToPixels(kCardPx), ratio);
    for (const std::vector<QLabel*>& backs : backs_)
        for (QLabel* label : backs) SetPicture(label, back);
    for (cVemoCard* face : faces_) face->resize(ToPixels(kCardPx));
    lblVerse_->setFixedWidth(ToPixels(kPilePx).width() * 3 / 4); // the card panel's fonts: the aids' StylePile
    for (int seat = 1; seat <= 4; ++seat) {
        lblPlayer_[seat]->setFont(ScaledFont(VemoCasualFont(14, true), scale));
        lblPlayerShadow_[seat]->setFont(ScaledFont(VemoCasualFont(14, true), scale));
    }
    for (QLabel* label : {lblClick_, lblClickShadow_}) {
        label->setFont(ScaledFont(font(), scale));
        label->adjustSize();
    }
    cmdHumanVemo_->setFont(ScaledFont(VemoCasualFont(13, true), scale));
    cmdHumanVemo_->adjustSize();
    dialog_->SetScale(scale);
    if (shownPile_) ShowPileCard(*shownPile_);
    aids_->TableScaled();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Relayout();
}

void frmMain::Relayout()
{
    if (!surface_ || !engine_) return;
    GameState& state = engine_->State();
    state.Resizing = true;
    const double scale = ScaleForWindow();
    if (scale != tableScale_) ApplyTableScale(scale);
    for (int seat = 1; seat <= 4; ++seat) ArrangePlayersCards(seat, CardImages(seat));

    // The formulas see every element at its usual size in twips.
    ElementSizes sizes;
    sizes.DeckWidth = PixelsToTwips(kDeckPx.width());
    sizes.DiscardWidth = PixelsToTwips(kPilePx.width());
    sizes.DiscardHeight = PixelsToTwips(kPilePx.height());
    // A name of any length keeps to a quarter of the table's width (cut with an ellipsis).
    const int nameWidth = std::max(120, surface_->width() / 4);
    for (int seat = 1; seat <= 4; ++seat) {
        lblPlayer_[seat]->setMaximumWidth(nameWidth);
        lblPlayerShadow_[seat]->setMaximumWidth(nameWidth);
        lblPlayer_[seat]->adjustSize();
        lblPlayerShadow_[seat]->adjustSize();
        sizes.PlayerLabelWidth[seat] = PixelsToTwips(lblPlayer_[seat]->width(), tableScale_);
        sizes.PlayerShadowWidth[seat] = PixelsToTwips(lblPlayerShadow_[seat]->width(), tableScale_);
    }
    sizes.ClickWidth = PixelsToTwips(lblClick_->width(), tableScale_);
    sizes.HumanVemoWidth = PixelsToTwips(cmdHumanVemo_->width(), tableScale_);
    sizes.HumanHoldsCards = !faces_.empty();
    if (!faces_.empty()) sizes.HumanCard1Top = PixelsToTwips(faces_.front()->y(), tableScale_);
    fixed_ = LayoutFixedElements(Metrics(), sizes);
    const FixedLayout& fixed = fixed_;

    imgVemoGuySmall_->move(ToPixels(fixed.imgVemoGuySmall));
    imgDeck_->move(ToPixels(fixed.imgDeck));
    imgDiscardSlot_->move(ToPixels(fixed.imgDiscard0));
    imgDiscardCard_->move(ToPixels(fixed.imgDiscard0));
    imgDiscardDeck_->move(ToPixels(fixed.imgDiscardDeck));
    lblType_->move(ToPixels(fixed.lblType));
    lblVerse_->move(ToPixels(fixed.lblVerse));
    lblInstructionExtra_->move(ToPixels(fixed.lblInstructionExtra));
    lblInstruction_->move(ToPixels(fixed.lblInstruction));
    for (int seat = 1; seat <= 4; ++seat) {
        lblPlayer_[seat]->move(ToPixels(fixed.lblPlayer[seat]));
        lblPlayerShadow_[seat]->move(ToPixels(fixed.lblPlayerShadow[seat]));
        lblPlayerShadow_[seat]->stackUnder(lblPlayer_[seat]);
    }
    lblClick_->move(ToPixels(fixed.lblClick));
    lblClickShadow_->move(ToPixels(fixed.lblClickShadow));
    lblClickShadow_->stackUnder(lblClick_);
    cmdHumanVemo_->move(ToPixels(fixed.cmdHumanVemo));
    state.Resizing = false;
}

void frmMain::ArrangePlayersCards(int seat, int numberOfCards)
{
    Trapped("ArangePlayersCards", [&] {
        const std::vector<TwipsPoint> places = vemo::ArrangePlayersCards(seat, numberOfCards, Metrics());
        for (int i = 1; i <= numberOfCards && i <= static_cast<int>(places.size()); ++i) {
            QWidget* card = seat == 4 ? static_cast<QWidget*>(HumanFace(i))
                                      : (i <= static_cast<int>(backs_.at(static_cast<std::size_t>(seat)).size())
                                             ? backs_[static_cast<std::size_t>(seat)][static_cast<std::size_t>(i - 1)]
                                             : nullptr);
            if (!card) continue;
            card->move(ToPixels(places[static_cast<std::size_t>(i - 1)]));
            card->lower(); // card 1 ends in front: each face shows its type word at the left
        }
        imgVemoGuySmall_->lower(); // a picture on the cloth, under the cards
        RefreshHandArea(seat);
        if (seat == 4) aids_->HandArranged(numberOfCards);
    });
}

// --- Cards on the table ---

int frmMain::CardImages(int seat) const
{
    if (seat == 4) return static_cast<int>(faces_.size());
    if (seat < 1 || seat > 3) return 0;
    return static_cast<int>(backs_[static_cast<std::size_t>(seat)].size());
}

cVemoCard* frmMain::HumanFace(int index) const
{
    if (index < 1 || index > static_cast<int>(faces_.size())) return nullptr;
    return faces_[static_cast<std::size_t>(index - 1)];
}

QWidget* frmMain::DiscardTarget() const { return imgDiscardSlot_; }

cVemoCard* frmMain::NewFace()
{
    auto* face = new cVemoCard(surface_);
    face->resize(ToPixels(kCardPx));
    ConnectFace(face);
    aids_->FaceAdded(*face);
    faces_.push_back(face);
    return face;
}

void frmMain::ConnectFace(cVemoCard* face)
{
    auto indexOf = [this, face] {
        const auto at = std::find(faces_.begin(), faces_.end(), face);
        return at == faces_.end() ? 0 : static_cast<int>(at - faces_.begin()) + 1;
    };
    connect(face, &cVemoCard::DblClick, this, [this, indexOf] {
        if (engine_ && indexOf()) StartEngine(engine_->cPlayer4Card_DblClick(indexOf()));
    });
    connect(face, &cVemoCard::MouseDown, this, [this, face, indexOf](int button, int, double, double) {
        if (!engine_ || button != 1 || !indexOf()) return;
        if (!engine_->cPlayer4Card_MouseDown(indexOf())) return;
        dragIndex_ = indexOf();
        dragging_ = false;
        dragOrigin_ = face->pos();
        dragOffset_ = face->PressGlobalPos() - face->mapToGlobal(QPoint(0, 0));
    });
    connect(face, &cVemoCard::MouseMove, this, [this, face, indexOf](QPoint global) {
        if (!engine_ || dragIndex_ == 0 || dragIndex_ != indexOf()) return;
        if (!dragging_) {
            if (!engine_->DragMayMove(dragIndex_)) {
                dragIndex_ = 0; // refused: the card does not move
                return;
            }
            dragging_ = true;
            // Above everything while it moves; remember what lay above it.
            const QObjectList& siblings = surface_->children();
            dragAbove_.clear();
            for (qsizetype at = siblings.indexOf(face) + 1; at < siblings.size() && !dragAbove_; ++at)
                dragAbove_ = qobject_cast<QWidget*>(siblings[at]);
            face->raise();
        }
        QPoint place = surface_->mapFromGlobal(global - dragOffset_);
        place.setX(std::clamp(place.x(), 0, std::max(0, surface_->width() - face->width())));
        place.setY(std::clamp(place.y(), 0, std::max(0, surface_->height() - face->height())));
        face->move(place);
    });
    connect(face, &cVemoCard::MouseUp, this, [this, face](int, int, double, double) {
        const int index = dragIndex_;
        const bool dragged = dragging_;
        dragIndex_ = 0;
        dragging_ = false;
        if (!engine_ || !index || !dragged) return;
        const QRect card = face->geometry();
        const QRect pile = imgDiscardSlot_->geometry();
        face->move(dragOrigin_);
        if (dragAbove_) face->stackUnder(dragAbove_); // back under its neighbours, as it lay
        auto twips = [s = tableScale_](const QRect& r) {
            return TwipsRect{PixelsToTwips(r.x(), s), PixelsToTwips(r.y(), s), PixelsToTwips(r.width(), s),
                             PixelsToTwips(r.height(), s)};
        };
        StartEngine(engine_->cPlayer4Card_MouseUp(index, twips(card), twips(pile)));
    });
}

void frmMain::FillFace(cVemoCard& face, CardCode card)
{
    QString reference, verse;
    // A verse that cannot be read leaves the face's verse as it was; the rest is filled.
    Trapped("SetHumanPlayerCard", [&] {
        if (!database_) return;
        if (const auto row = database_->FindVerse(card.Value())) {
            reference = QString::fromStdString(row->Reference + "\r\n" + row->VerseAbbrev);
            verse = QString::fromStdString(row->Verse);
        }
    });
    face.Fill(card, paint_.PaintColor, reference, verse);
}

void frmMain::PlaceCardOnTable(int seat, CardCode card, int fromSeat)
{
    Trapped("PlaceCardOnTable", [&] {
        if (seat < 1 || seat > 4) return;
        FinishFlight(); // a card added before the last one landed: that one lands now
        QWidget* element = nullptr;
        if (seat == 4) {
            cVemoCard* face = NewFace();
            FillFace(*face, card);
            element = face;
        } else {
            QLabel* back = PictureLabel(surface_, CardArt::RenderCardBack(ToPixels(kCardPx), devicePixelRatioF()));
            backs_[static_cast<std::size_t>(seat)].push_back(back);
            element = back;
        }
        const int n = CardImages(seat);
        const auto places = vemo::ArrangePlayersCards(seat, n, Metrics());
        const bool animate = engine_ && engine_->State().AnimationOption != 2 && !places.empty();
        if (!animate) {
            if (SoundOn()) PlayWav(11);
            element->show();
            ArrangePlayersCards(seat, n);
            return;
        }
        // The card flies from the deck (or from the giving seat) in equal integer
        // steps; for the human a back flies and the face appears where it lands.
        const QPoint target = ToPixels(places.back());
        QPoint start = imgDeck_->pos();
        if (fromSeat >= 1 && fromSeat <= 4) start = lblPlayer_[static_cast<std::size_t>(fromSeat)]->pos();
        QWidget* flying = element;
        if (seat == 4) flying = PictureLabel(surface_, CardArt::RenderCardBack(ToPixels(kCardPx), devicePixelRatioF()));
        const bool fast = engine_->State().AnimationOption == 1;
        const int steps = (seat == 1 || seat == 3) ? (fast ? 6 : 10) : (fast ? 3 : 5);
        const QPoint step = (target - start) / steps;
        flying->move(start);
        flying->show();
        flying->raise();
        if (SoundOn()) PlayWav(11);

        flight_.seat = seat;
        flight_.element = element;
        flight_.flying = flying;
        flight_.left = steps;
        flight_.step = step;
        flight_.timer = new QTimer(this);
        connect(flight_.timer, &QTimer::timeout, this, [this] {
            if (flight_.flying) {
                flight_.flying->move(flight_.flying->pos() + flight_.step);
                flight_.flying->raise();
            }
            if (--flight_.left <= 0) FinishFlight();
        });
        flight_.timer->start(Scaled(fast ? 25 : 50));
    });
}

void frmMain::FinishFlight()
{
    if (!flight_.timer) return;
    flight_.timer->stop();
    flight_.timer->deleteLater();
    flight_.timer = nullptr;
    if (flight_.flying && flight_.flying != flight_.element) flight_.flying->deleteLater();
    if (flight_.element) flight_.element->show();
    ArrangePlayersCards(flight_.seat, CardImages(flight_.seat));
    flight_ = {};
    if (PendingWait* wait = std::exchange(flightWait_, nullptr)) Finish(*wait, {});
}

void frmMain::RemoveCardFromTable(int seat)
{
    Trapped("RemoveCardFromTable", [&] {
        auto& backs = backs_.at(static_cast<std::size_t>(seat));
        if (backs.empty()) return;
        backs.back()->deleteLater();
        backs.pop_back();
        RefreshHandArea(seat);
    });
}

void frmMain::RemoveHumanCard(CardCode card, int /*faceCount*/)
{
    const auto face = std::find_if(faces_.begin(), faces_.end(),
                                   [&](cVemoCard* f) { return f->CardCode() == Q(card.View()); });
    if (face == faces_.end()) throw std::invalid_argument("No face shows " + card.ToString());
    (*face)->deleteLater();
    faces_.erase(face);
}

void frmMain::RemoveAllCardImages()
{
    FinishFlight();
    for (auto& backs : backs_) {
        for (QLabel* back : backs) back->deleteLater();
        backs.clear();
    }
    for (cVemoCard* face : faces_) face->deleteLater();
    faces_.clear();
    for (int seat = 1; seat <= 3; ++seat) RefreshHandArea(seat);
}

void frmMain::SetHumanPlayerCard(CardCode card, int index)
{
    if (cVemoCard* face = HumanFace(index)) FillFace(*face, card);
    aids_->Settle();
}

void frmMain::ClearDiscardPile()
{
    imgDiscardDeck_->hide();
    imgDiscardCard_->hide();
    imgDiscardSlot_->show();
    shownPile_.reset();
    for (QLabel* label : {lblType_, lblVerse_, lblInstruction_, lblInstructionExtra_}) label->clear();
    imgDiscardSlot_->setAccessibleName(QString::fromStdString(PileDescription(BlankCard)));
}

void frmMain::HideDiscardDeck() { imgDiscardDeck_->hide(); }

void frmMain::ShowPileCard(CardCode card)
{
    const CardColours colours = DescribeCardColour(card.Colour());
    shownPile_ = card;
    imgDiscardCard_->setPixmap(CardArt::RenderCardPicture(colours.Picture, ToPixels(kPilePx), devicePixelRatioF()));
    imgDiscardCard_->show();
    imgDiscardCard_->raise();
    SetTextColour(lblVerse_, colours.VerseColor);
    for (QLabel* label : {lblType_, lblInstruction_, lblInstructionExtra_}) SetTextColour(label, colours.TypeColor);
    imgDiscardDeck_->show();
    const CardWords words = DescribeCardValue(card.Value());
    lblType_->setText(QString::fromStdString(words.TypeWord));
    lblInstruction_->setText(Q(words.Instruction));
    lblInstructionExtra_->setText(Q(words.InstructionExtra));
    lblInstruction_->setToolTip(Q(words.InstructionToolTip));
    Trapped("PlaceCardOnDiscardPile", [&] {
        if (!database_) return;
        if (const auto row = database_->FindVerse(card.Value())) {
            lblVerse_->setText(QString::fromStdString(row->Reference + "\n" + row->VerseAbbrev));
            lblVerse_->setToolTip(QString::fromStdString(row->Verse));
        }
    });
    for (QLabel* label : {lblType_, lblVerse_, lblInstruction_, lblInstructionExtra_}) {
        label->adjustSize();
        label->raise();
    }
    imgDiscardCard_->setAccessibleName(QString::fromStdString(FormatCardDescription(card)));
    imgDiscardCard_->setAccessibleDescription(Q(words.InstructionToolTip));
    imgDiscardSlot_->setAccessibleName(QString::fromStdString(PileDescription(card)));
    aids_->PileShown(card);
}

// --- Pauses ---

int frmMain::Scaled(int milliseconds) const { return static_cast<int>(milliseconds * timeScale_); }

void frmMain::Hold(PendingWait& wait)
{
    wait.KeepPending(*this);
    held_.insert(&wait);
    aids_->Settle(); // the game is still now: the aids show its state
}

bool frmMain::Wait(PendingWait& wait, int milliseconds)
{
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timers_[&wait] = timer;
    Hold(wait);
    connect(timer, &QTimer::timeout, this, [this, &wait] { Finish(wait, {}); });
    timer->start(Scaled(milliseconds));
    return false;
}

void frmMain::DropTimer(PendingWait& wait)
{
    if (const auto at = timers_.find(&wait); at != timers_.end()) {
        at->second->stop();
        at->second->deleteLater();
        timers_.erase(at);
    }
}

void frmMain::Finish(PendingWait& wait, const std::string& answer)
{
    if (!held_.erase(&wait)) return; // already finished, or the game no longer waits
    DropTimer(wait);
    if (flightWait_ == &wait) flightWait_ = nullptr;
    wait.Complete(answer);
}

void frmMain::CancelWait(PendingWait& wait)
{
    held_.erase(&wait);
    DropTimer(wait);
    if (flightWait_ == &wait) flightWait_ = nullptr;
    if (askWait_ == &wait) askWait_ = nullptr;
}

bool frmMain::StartPause(int milliseconds, PendingWait& wait) { return Wait(wait, milliseconds); }

bool frmMain::StartDiscardPlacement(CardCode card, std::string_view mode, PendingWait& wait)
{
    const GameState& state = engine_->State();
    const bool animationOn = state.AnimationOption != 2;
    const bool animate = animationOn && mode != "NOMOVE";
    // With animation on, a card laid without moving (the deal, a resume) is silent.
    if (!animationOn && SoundOn()) PlayWav(11);
    QWidget* moving = nullptr;
    if (animate) {
        const int seat = state.CurrTurn;
        if (seat >= 1 && seat <= 3) {
            const int n = CardImages(seat);
            const int index = std::max(1, n / 2);
            if (index <= n) moving = backs_[static_cast<std::size_t>(seat)][static_cast<std::size_t>(index - 1)];
        } else if (seat == 4 && state.PlayingCardIndex > 0) {
            moving = HumanFace(state.PlayingCardIndex);
        }
    }
    if (!moving) {
        ShowPileCard(card);
        return true;
    }
    // The card flies to the pile in equal integer steps, goes back to its
    // place (it leaves the hand just after), and the pile shows it.
    if (SoundOn()) PlayWav(11);
    const int steps = state.AnimationOption == 1 ? 3 : 5;
    const int pause = state.AnimationOption == 1 ? 25 : 50;
    const QPoint start = moving->pos();
    const QPoint step = (imgDiscardSlot_->pos() - start) / steps;
    moving->raise();
    auto* timer = new QTimer(this);
    timers_[&wait] = timer;
    Hold(wait);
    auto left = std::make_shared<int>(steps);
    QPointer<QWidget> flying(moving);
    connect(timer, &QTimer::timeout, this, [this, left, flying, step, start, card, &wait] {
        if (flying) flying->move(flying->pos() + step);
        if (--*left > 0) return;
        if (flying) flying->move(start);
        ShowPileCard(card);
        Finish(wait, {});
    });
    timer->start(Scaled(pause));
    return false;
}

bool frmMain::StartCardFlightWait(PendingWait& wait)
{
    if (!flight_.timer) return true;
    flightWait_ = &wait;
    Hold(wait);
    return false;
}

bool frmMain::StartVemoCallout(int seat, PendingWait& wait)
{
    QWidget* anchor = lblPlayer_[static_cast<std::size_t>(std::clamp(seat, 1, 4))];
    // The balloon's tail ends 120 twips above the name.
    const QPoint place = anchor->mapToGlobal(QPoint(anchor->width(), -TwipsToPixels(PixelsToTwips(48) + 120, tableScale_)));
    Hold(wait);
    ShowVemoCallout(this, place, timeScale_, [this, &wait] { Finish(wait, {}); }, tableScale_);
    return false;
}

bool frmMain::StartQuestion(std::string_view text, QuestionButtons buttons, PendingWait& wait)
{
    Hold(wait);
    announcer_->Announce(Q(text));
    dialog_->AskQuestion(Q(text), buttons == QuestionButtons::Ok,
                         [this, &wait](const QString& answer) { Finish(wait, answer.toStdString()); });
    return false;
}

bool frmMain::StartMessageBox(const MessageBoxSpec& spec, PendingWait& wait)
{
    QMessageBox* box = BuildMessageBox(spec, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    Hold(wait);
    connect(box, &QMessageBox::finished, this, [this, box, &wait] {
        Finish(wait, MessageBoxAnswer(box->standardButton(box->clickedButton())));
    });
    box->open();
    return false;
}

bool frmMain::StartColorChoice(PendingWait& wait)
{
    Hold(wait);
    auto* window = new frmSetColor(this, [this, &wait](int index) {
        if (!held_.count(&wait)) return;
        if (engine_) engine_->cmdColor_Click(index);
        Finish(wait, {});
        aids_->FocusHand();
    }, tableScale_);
    window->open();
    return false;
}

bool frmMain::StartAskWindow(std::string_view caption, PendingWait& wait)
{
    Hold(wait);
    askWait_ = &wait;
    askWindow_ = new frmAskCOL(this, Q(caption), [this](int index) {
        if (engine_) StartEngine(engine_->cmdCOL_Click(index));
    }, tableScale_);
    askWindow_->open();
    return false;
}

void frmMain::SetAskMessage(std::string_view text)
{
    if (!askWindow_) return;
    askWindow_->SetMessage(Q(text));
    announcer_->Announce(Q(text));
}

void frmMain::MarkAskButtonUsed(int index, std::string_view capitalWord)
{
    if (askWindow_) askWindow_->MarkUsed(index, Q(capitalWord));
}

void frmMain::CloseAskWindow()
{
    if (askWindow_) askWindow_->CloseWindow();
    askWindow_.clear();
    if (PendingWait* wait = std::exchange(askWait_, nullptr)) Finish(*wait, {});
}

bool frmMain::StartHandWinner(std::string_view text, PendingWait& wait)
{
    Hold(wait);
    announcer_->Announce(Q(text));
    auto* window = new frmVemoGuy(this, Q(text),
                                  [this, &wait](const QString& choice) { Finish(wait, choice.toStdString()); });
    window->open();
    return false;
}

bool frmMain::StartGameSetup(PendingWait& wait) { return shell_ ? shell_->StartGameSetup(wait) : true; }
bool frmMain::StartResumeList(PendingWait& wait) { return shell_ ? shell_->StartResumeList(wait) : true; }

// --- Notices, labels, status ---

void frmMain::ShowNotice(std::string_view text, NoticeHeight height)
{
    dialog_->ShowNotice(Q(text), static_cast<int>(height));
    announcer_->Announce(Q(text));
}

void frmMain::HideMessageWindow() { dialog_->HideDialog(); }

void frmMain::ShowInvalidCard(std::string_view caption, std::string_view text)
{
    QMessageBox::warning(this, Q(caption), Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmMain::SetCaption(std::string_view text) { setWindowTitle(Q(text)); }

void frmMain::SetBusyPointer(bool busy)
{
    if (busy) setCursor(Qt::WaitCursor);
    else unsetCursor();
}

void frmMain::ShowMenus(bool visible)
{
    for (QMenu* menu : realMenus_) menu->menuAction()->setVisible(visible);
    mnuPause_->setVisible(visible);
    mnuDummy_->menuAction()->setVisible(!visible);
}

void frmMain::SetHumanTurnControls(bool humanTurn)
{
    lblClick_->setVisible(humanTurn);
    lblClickShadow_->setVisible(humanTurn);
    mnuOptionsSort_->setEnabled(humanTurn);
    mnuOptionsDraw_->setEnabled(humanTurn);
    mnuOptionsInterrupt_->setEnabled(!humanTurn);
}

void frmMain::SetPlayerName(int seat, std::string_view name)
{
    lblPlayer_[static_cast<std::size_t>(seat)]->setText(Q(name));
    lblPlayerShadow_[static_cast<std::size_t>(seat)]->setText(Q(name));
    Relayout();
}

void frmMain::SetPlayerHighlight(int seat, bool highlighted)
{
    if (seat < 1 || seat > 4) return;
    lblPlayer_[static_cast<std::size_t>(seat)]->setStyleSheet(
        highlighted ? QStringLiteral("color: rgb(255,255,255); background: rgba(255,255,255,40); border-radius: 4px;")
                    : QStringLiteral("color: rgb(255,255,0);"));
    // Without a description, screen readers fall back on the tooltip.
    lblPlayer_[static_cast<std::size_t>(seat)]->setAccessibleDescription(highlighted ? QStringLiteral("On turn")
                                                                                     : QString());
}

void frmMain::SetStatusText(StatusBar bar, int panel, std::string_view text)
{
    auto& panels = bar == StatusBar::Top ? sbTop_ : sbBottom_;
    if (panel < 1 || panel > 6) return;
    panels[static_cast<std::size_t>(panel)]->setText(Q(text));
    panels[static_cast<std::size_t>(panel)]->setAccessibleName(Q(text));
}

QString frmMain::StatusText(StatusBar bar, int panel) const
{
    const auto& panels = bar == StatusBar::Top ? sbTop_ : sbBottom_;
    return panel >= 1 && panel <= 6 ? panels[static_cast<std::size_t>(panel)]->text() : QString();
}

void frmMain::SetDeckToolTip(std::string_view text)
{
    imgDeck_->setToolTip(Q(text));
    // The keyboard's way is named too, where a screen reader meets the deck.
    imgDeck_->setAccessibleDescription(text.empty() ? QString() : Q(text) + QStringLiteral(" Or press D."));
}

void frmMain::ShowSayVemoButton(bool visible)
{
    if (visible && cmdHumanVemo_->isHidden()) announcer_->Announce(QStringLiteral("Press V to say Vemo!"));
    cmdHumanVemo_->setVisible(visible);
    if (visible) cmdHumanVemo_->raise();
}

bool frmMain::SoundOn() const { return mnuOptionsSound_->isChecked(); }
void frmMain::PlayWav(int clip) { wav_->PlayWav(clip); }

// A resumed game's sound is that game's: the stored choice stays as it was.
void frmMain::SetSoundOption(bool on) { mnuOptionsSound_->setChecked(on); }

void frmMain::mnuOptionsSound_Click()
{
    Trapped("frmMain_mnuOptionsSound_Click", [this] { TableOptions().SetSoundOption(mnuOptionsSound_->isChecked()); });
}

void frmMain::mnuOptionsAnimation_Click(int index)
{
    Trapped("frmMain_mnuOptionsAnimation_Click", [&] {
        if (index < 0 || index > 2) index = 2;
        for (int k = 0; k < 3; ++k) mnuOptionsAnimation_.at(static_cast<std::size_t>(k))->setChecked(k == index);
        if (engine_) engine_->State().AnimationOption = static_cast<std::int16_t>(index);
        TableOptions().SetAnimationOption(index);
    });
}

void frmMain::ArmStartTimer() { tmrStartPlay_->start(Scaled(1000)); }

QAction* frmMain::MenuAction(const QString& objectName) const { return findChild<QAction*>(objectName); }

// --- Window events ---

void frmMain::StartEngine(Task<void> task)
{
    if (engine_) engine_->Start(std::move(task));
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    Relayout();
    if (firstShow_ && engine_) {
        firstShow_ = false;
        if (engine_) engine_->State().AnimationOption = static_cast<std::int16_t>(TableOptions().AnimationOption());
        QTimer::singleShot(0, this, [this] { StartEngine(engine_->Form_Activate()); });
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!engine_ || engine_->Form_QueryUnload()) {
        event->accept();
        if (shell_) shell_->TableClosed();
        return;
    }
    event->ignore();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Only Ctrl+X is the window's own; with the menu item disabled on the
    // human's turn, its shortcut lets the key through to here.
    if (event->key() == Qt::Key_X && (event->modifiers() & Qt::ControlModifier)) {
        Form_KeyDown(Qt::Key_X, 2);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmMain::Form_KeyDown(int keyCode, int shift)
{
    Trapped("frmMain_Form_KeyDown", [&] {
        if (keyCode == Qt::Key_X && (shift & 2)) Form_KeyDown_Interrupt();
    });
}

void frmMain::Form_KeyDown_Interrupt()
{
    if (!engine_) return; // no computer team to interrupt
    MessageBoxSpec box;
    box.Caption = "Exit Game?";
    box.Text = "You have interrupted the computer team during its turn.  You now have the option of exiting the game "
               "or resuming play.\r\n\r\n- Click 'Ok' to EXIT (you may be given the option to SAVE).\r\n\r\n"
               "- Click 'Cancel' to resume the game.";
    box.Buttons = BoxButtons::OkCancel;
    box.Icon = BoxIcon::Question;
    StartEngine(HaltWhileOpen([this, box](PendingWait& wait) { return StartMessageBox(box, wait); },
                              [this](const std::string& answer) {
                                  if (answer == "OK") close();
                              }));
}

void frmMain::ShowPauseWindow()
{
    if (!engine_) {
        (new frmPause(this, [] {}))->open();
        return;
    }
    StartEngine(HaltWhileOpen([this](PendingWait& wait) {
        Hold(wait);
        auto* window = new frmPause(this, [this, &wait] { Finish(wait, {}); });
        connect(window, &frmPause::helpRequested, this, [this] {
            if (shell_) shell_->ShowHelp(frmPause::kHelpContextID);
        });
        window->open();
        return false;
    }));
}

void frmMain::GoToTylWebSite()
{
    if (!engine_ || !shell_) return;
    MessageBoxSpec question;
    question.Caption = "Tyl on the Web";
    question.Text = "This will launch your default web browser and send it to the Tyl web site.\r\n"
                    "It may not work if you have no default web browser, or if your Internet provider "
                    "has you use a browser of its own.\r\n\r\n"
                    "Do you want to launch your default web browser and go to Tyl on the web?";
    question.Buttons = BoxButtons::YesNo;
    question.Icon = BoxIcon::Question;
    StartEngine(HaltWhileOpen([this, question](PendingWait& wait) { return StartMessageBox(question, wait); },
                              [this](const std::string& answer) {
                                  if (answer != "YES" || shell_->OpenWebSite()) return;
                                  MessageBoxSpec failure;
                                  failure.Caption = "Visit Tyl";
                                  failure.Text = "Some error";
                                  failure.Icon = BoxIcon::Exclamation;
                                  StartEngine(HaltWhileOpen(
                                      [this, failure](PendingWait& wait) { return StartMessageBox(failure, wait); }));
                              }));
}

Task<void> frmMain::HaltWhileOpen(std::function<bool(PendingWait&)> show,
                                  std::function<void(const std::string&)> then)
{
    const std::string answer = co_await ViewPause(engine_->Activities(), show);
    if (then) then(answer);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && engine_ && !minimisedWait_) {
        minimisedWait_ = true;
        StartEngine(WaitWhileMinimised());
    }
}

Task<void> frmMain::WaitWhileMinimised()
{
    engine_->State().Resizing = true;
    while (isMinimized())
        co_await ViewPause(engine_->Activities(), [this](PendingWait& wait) { return StartPause(500, wait); });
    engine_->State().Resizing = false;
    minimisedWait_ = false;
    Relayout();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The table also changes size without the window, when the game log opens or closes.
    if (watched == surface_ && event->type() == QEvent::Resize) Relayout();
    if (engine_ && event->type() == QEvent::MouseButtonDblClick && watched == imgDeck_) {
        StartEngine(engine_->imgDeck_DblClick());
        return true;
    }
    if (engine_ && event->type() == QEvent::MouseButtonPress && (watched == lblPlayer_[4] || watched == lblClick_)) {
        engine_->lblPlayer_Click(4);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vemo
