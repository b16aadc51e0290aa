#include "frmResume.h"

#include "GameDatabase.h"
#include "QuestionBox.h"
#include "ReportError.h"
#include "VemoFonts.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QSqlError>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

namespace vemo {

// ---------------------------------------------------------------- MarqueeLabel

namespace {
constexpr int kMarqueeIntervalMs = 30;
constexpr int kMarqueeStepPx = 1;
constexpr int kMarqueeGapPx = 80;
} // namespace

MarqueeLabel::MarqueeLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text)
{
    setAccessibleName(text);
    setFont(VemoCasualFont(11, true));
    timer_ = new QTimer(this);
    timer_->setInterval(kMarqueeIntervalMs);
    connect(timer_, &QTimer::timeout, this, [this] {
        const int period = fontMetrics().horizontalAdvance(text_) + kMarqueeGapPx;
        offset_ = (offset_ + kMarqueeStepPx) % std::max(1, period);
        update();
    });
}

QSize MarqueeLabel::sizeHint() const { return {fontMetrics().horizontalAdvance(text_) / 2, fontMetrics().height() + 10}; }
QSize MarqueeLabel::minimumSizeHint() const { return {60, fontMetrics().height() + 10}; }

void MarqueeLabel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    timer_->start();
}

// A hidden line costs nothing.
void MarqueeLabel::hideEvent(QHideEvent* event)
{
    timer_->stop();
    QWidget::hideEvent(event);
}

void MarqueeLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(40, 60, 120), 1.0));
    p.setBrush(QColor(16, 24, 56));
    p.drawRoundedRect(r, 5, 5);

    p.setClipRect(rect().adjusted(3, 2, -3, -2));
    p.setPen(QColor(255, 216, 72));
    const int period = fontMetrics().horizontalAdvance(text_) + kMarqueeGapPx;
    // Copies follow each other so the line never runs empty.
    for (int x = width() - offset_; x > -period; x -= period)
        p.drawText(QRect(x, 0, period, height()), Qt::AlignVCenter | Qt::AlignLeft, text_);
}

// ------------------------------------------------------------------- PurgeIcon

PurgeIcon::PurgeIcon(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
}

void PurgeIcon::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PurgeIcon::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PurgeIcon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (hovered_ || hasFocus() || isDown()) {
        p.setPen(QPen(QColor(200, 60, 40), 1.2));
        p.setBrush(isDown() ? QColor(255, 214, 200) : QColor(255, 236, 228));
        p.drawRoundedRect(r, 6, 6);
    }
    // A bin with a lid and three ribs.
    const qreal w = r.width();
    const QPointF o = r.topLeft();
    QPainterPath body;
    body.moveTo(o + QPointF(w * 0.25, w * 0.32));
    body.lineTo(o + QPointF(w * 0.75, w * 0.32));
    body.lineTo(o + QPointF(w * 0.69, w * 0.86));
    body.lineTo(o + QPointF(w * 0.31, w * 0.86));
    body.closeSubpath();
    QLinearGradient fill(o + QPointF(w * 0.25, 0), o + QPointF(w * 0.75, 0));
    fill.setColorAt(0.0, QColor(150, 160, 175));
    fill.setColorAt(0.5, QColor(220, 226, 234));
    fill.setColorAt(1.0, QColor(130, 140, 155));
    p.setPen(QPen(QColor(60, 64, 80), 1.3));
    p.setBrush(fill);
    p.drawPath(body);
    for (qreal x : {0.40, 0.50, 0.60}) p.drawLine(o + QPointF(w * x, w * 0.40), o + QPointF(w * x, w * 0.78));
    p.setBrush(QColor(200, 60, 40));
    p.drawRoundedRect(QRectF(o + QPointF(w * 0.20, w * 0.22), QSizeF(w * 0.60, w * 0.08)), 2, 2);
    p.drawRoundedRect(QRectF(o + QPointF(w * 0.42, w * 0.15), QSizeF(w * 0.16, w * 0.08)), 2, 2);
}

// --------------------------------------------------------------- ListGridModel

ListGridModel::ListGridModel(std::set<int> numberColumns, int dateColumn, QObject* parent, QString dateFormat)
    : QSqlQueryModel(parent), numberColumns_(std::move(numberColumns)), dateColumn_(dateColumn),
      dateFormat_(std::move(dateFormat))
{
}

QVariant ListGridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole && numberColumns_.count(index.column()))
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role == Qt::DisplayRole && index.column() == dateColumn_) {
        const QString stored = QSqlQueryModel::data(index, role).toString();
        QDateTime when = QDateTime::fromString(stored, Qt::ISODateWithMs);
        if (!when.isValid()) when = QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        return when.isValid() ? when.toString(dateFormat_) : stored;
    }
    return QSqlQueryModel::data(index, role);
}

QTableView* MakeListGrid(QWidget* parent, QAbstractItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->setWordWrap(false);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->setStyleSheet(QStringLiteral(
        "QTableView { gridline-color: #c8cce0; alternate-background-color: #f3f0ff;"
        " selection-background-color: #5a2d9c; selection-color: white; }"
        "QTableView::item { padding: 0 6px; }"
        "QHeaderView::section { background: #e8e2f8; color: #302060; font-weight: bold;"
        " border: 0; border-right: 1px solid #c8c0e0; border-bottom: 1px solid #b0a8d0; padding: 3px 6px; }"));
    return grid;
}

void FitListGridColumns(QTableView* grid, const std::set<int>& fittedColumns)
{
    QHeaderView* header = grid->horizontalHeader();
    header->setStretchLastSection(false);
    for (int column = 0; column < header->count(); ++column)
        header->setSectionResizeMode(column, fittedColumns.count(column) ? QHeaderView::ResizeToContents
                                                                          : QHeaderView::Stretch);
}

void AskPurgeTwice(QWidget* parent, const QString& caption, const QString& first, const QString& second,
                   std::function<void()> confirmed)
{
    auto ask = [parent, caption](const QString& text, std::function<void()> onYes) {
        auto* box = new QuestionBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
        box->setDefaultButton(QMessageBox::No);
        box->setAttribute(Qt::WA_DeleteOnClose, true);
        box->setWindowModality(Qt::WindowModal);
        QObject::connect(box, &QMessageBox::finished, parent, [box, onYes = std::move(onYes)](int) {
            if (box->standardButton(box->clickedButton()) == QMessageBox::Yes) onYes();
        });
        box->open();
    };
    ask(first, [ask, second, confirmed = std::move(confirmed)] { ask(second, confirmed); });
}

// -------------------------------------------------------------------- frmResume

namespace {
// The grid's headings for statement 6's columns; ID (column 0) is hidden.
constexpr const char* kResumeHeadings[10] = {"ID",          "DateSaved", "Human",       "Score", "CompPlayer1",
                                             "Score",       "CompPlayer2", "Score",     "CompPlayer3", "Score"};
} // namespace

frmResume::frmResume(QWidget* owner, GameDatabase& database, bool soundOn, std::function<void(int clip)> playWav,
                     std::function<void(const QString& answer)> answered)
    : QDialog(owner), database_(database), soundOn_(soundOn), playWav_(std::move(playWav)),
      answered_(std::move(answered))
{
    setObjectName(QStringLiteral("frmResume"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setWindowTitle(QString::fromLatin1(kCaption));
    setSizeGripEnabled(true);

    lblInstruction = new MarqueeLabel(QString::fromLatin1(kInstruction), this);
    lblInstruction->setObjectName(QStringLiteral("lblInstruction"));

    lblGrid = new QLabel(QStringLiteral("Saved Games"), this);
    lblGrid->setObjectName(QStringLiteral("lblGrid"));
    lblGrid->setAlignment(Qt::AlignCenter);
    lblGrid->setFont(VemoCasualFont(13, true));
    lblGrid->setStyleSheet(QStringLiteral("color: white; background: #5a2d9c; padding: 3px;"
                                          " border-top-left-radius: 6px; border-top-right-radius: 6px;"));

    // Two saves in the same minute are told apart by their seconds.
    Data1 = new ListGridModel({3, 5, 7, 9}, 1, this, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    TDBGrid1 = MakeListGrid(this, Data1);
    TDBGrid1->setObjectName(QStringLiteral("TDBGrid1"));
    connect(TDBGrid1, &QTableView::doubleClicked, this, &frmResume::TDBGrid1_DblClick);

    picIcon = new PurgeIcon(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setToolTip(QStringLiteral("Click here to remove all saved games!"));
    picIcon->setAccessibleName(QStringLiteral("Remove all saved games"));
    connect(picIcon, &QAbstractButton::clicked, this, &frmResume::picIcon_Click);

    cmdResume = new QPushButton(QStringLiteral("&Resume"), this);
    cmdResume->setObjectName(QStringLiteral("cmdResume"));
    cmdResume->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* button : {cmdResume, cmdCancel}) button->setMinimumWidth(96);
    connect(cmdResume, &QPushButton::clicked, this, &frmResume::cmdResume_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmResume::reject);

    auto* gridBox = new QVBoxLayout;
    gridBox->setSpacing(0);
    gridBox->addWidget(lblGrid);
    gridBox->addWidget(TDBGrid1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(picIcon);
    buttons->addStretch(1);
    buttons->addWidget(cmdResume);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addWidget(lblInstruction);
    layout->addLayout(gridBox, 1);
    layout->addLayout(buttons);

    resize(780, 360);
    Refresh();
    TDBGrid1->setFocus();
}

void frmResume::Refresh()
{
    setCursor(Qt::WaitCursor);
    Trapped("frmResume_Form_Load", [this] {
        Data1->setQuery(QString::fromUtf8(GameDatabase::kStatements[6]), database_.Connection());
        if (Data1->lastError().isValid()) throw std::runtime_error(Data1->lastError().text().toStdString());
        // Reading to the end lets the statement go, so nothing holds the table.
        while (Data1->canFetchMore()) Data1->fetchMore();
        for (int column = 0; column < 10; ++column)
            Data1->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(kResumeHeadings[column]));
        TDBGrid1->setColumnHidden(0, true);
        FitListGridColumns(TDBGrid1, {1, 3, 5, 7, 9});
        if (Data1->rowCount() > 0) TDBGrid1->selectRow(0);
    });
    cmdResume->setEnabled(Data1->rowCount() > 0);
    unsetCursor();
}

void frmResume::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (soundPlayed_) return;
    soundPlayed_ = true;
    if (soundOn_ && playWav_) playWav_(kOpenCloseClip);
}

void frmResume::Answer(const QString& answer)
{
    if (answeredOnce_) return;
    answeredOnce_ = true;
    QPointer<frmResume> self(this);
    if (answered_) answered_(answer);
    if (self) accept();
}

// With nothing highlighted the first row is the grid's current row.
void frmResume::cmdResume_Click()
{
    QModelIndex current = TDBGrid1->currentIndex();
    if (!current.isValid()) current = Data1->index(0, 0);
    if (!current.isValid()) return;
    TDBGrid1_DblClick(current);
}

void frmResume::TDBGrid1_DblClick(const QModelIndex& index)
{
    if (!index.isValid()) return;
    const QVariant id = Data1->data(Data1->index(index.row(), 0), Qt::EditRole);
    Answer(QString::number(id.toLongLong()));
}

void frmResume::reject() { Answer(QString()); }

void frmResume::picIcon_Click()
{
    AskPurgeTwice(this, QStringLiteral("Purge Saved Games"),
                  QStringLiteral("Are you sure you want to eliminate all of the saved games????"),
                  QStringLiteral("This step will permanently delete the games that have been saved!\n\n"
                                 "Are you sure you want to do this?"),
                  [self = QPointer<frmResume>(this)] {
                      if (!self) return;
                      Trapped("frmResume_picIcon_Click", [&] {
                          self->Data1->clear();
                          self->database_.PurgeSavedGames();
                      });
                      self->Refresh();
                  });
}

} // namespace vemo
