#include "frmFinal.h"

#include "CardArt.h"
#include "ElidedLabel.h"
#include "ScoreChart.h"
#include "TableAnnouncer.h"
#include "VemoFonts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>

namespace vemo {

namespace {

constexpr const char* kTitle = "Vemo Game Results";
// Pixels: the widest a result line or the caption above them may grow.
constexpr int kLongestResultLine = 420;
constexpr qreal kPi = 3.14159265358979323846;

// The banner across the top: the title between the four colours' shapes.
class TitleStrip : public QWidget {
public:
    explicit TitleStrip(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("titleStrip"));
        setAccessibleName(QString::fromLatin1(kTitle));
        setFixedHeight(58);
        setMinimumWidth(340);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        CardArt::PaintTitleBanner(p, QRectF(rect()), QString::fromLatin1(kTitle));
    }
};

// A small rank badge: a gold star for a winning line, else the place number.
class RankBadge : public QWidget {
public:
    RankBadge(QWidget* parent, int place, bool winner) : QWidget(parent), place_(place), winner_(winner)
    {
        setFixedSize(24, 24);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        if (winner_) {
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const qreal radius = (k % 2 == 0) ? r.width() / 2 : r.width() * 0.22;
                const qreal a = -kPi / 2 + k * kPi / 5;
                const QPointF point = r.center() + QPointF(std::cos(a) * radius, std::sin(a) * radius);
                if (k == 0)
                    star.moveTo(point);
                else
                    star.lineTo(point);
            }
            star.closeSubpath();
            p.setPen(QPen(QColor(176, 110, 0), 1.2));
            p.setBrush(QColor(255, 200, 40));
            p.drawPath(star);
            return;
        }
        p.setPen(QPen(QColor(150, 150, 170), 1.0));
        p.setBrush(QColor(236, 238, 246));
        p.drawEllipse(r.adjusted(2, 2, -2, -2));
        p.setPen(QColor(90, 90, 110));
        QFont font = VemoCasualFont(9, true);
        p.setFont(font);
        p.drawText(r, Qt::AlignCenter, QString::number(place_));
    }

private:
    int place_;
    bool winner_;
};

} // namespace

frmFinal::frmFinal(QWidget* owner, const FinalResults& results, std::function<void(bool playAgain)> done)
    : QDialog(owner), done_(std::move(done))
{
    setObjectName(QStringLiteral("frmFinal"));
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromLatin1(kTitle));

    titleStrip = new TitleStrip(this);

    frResults = new QGroupBox(this);
    frResults->setObjectName(QStringLiteral("frResults"));
    frResults->setFont(VemoCasualFont(14, true));
    // The caption may be the winner's name: one of any length is cut, the window keeps its size.
    const QString caption = QString::fromStdString(results.FrameCaption);
    frResults->setTitle(QFontMetrics(frResults->font()).elidedText(caption, Qt::ElideRight, kLongestResultLine));
    frResults->setAccessibleName(caption);
    frResults->setAlignment(Qt::AlignHCenter);
    frResults->setStyleSheet(QStringLiteral(
        "QGroupBox#frResults { border: 2px solid #c9a227; border-radius: 8px; margin-top: 14px;"
        " background: #fffaf0; padding: 8px 10px 6px 10px; }"
        "QGroupBox#frResults::title { subcontrol-origin: margin; subcontrol-position: top center;"
        " padding: 0 8px; color: #5a2d9c; background: palette(window); }"));

    lblWinner = new QLabel(QString::fromStdString(results.WinnerText), frResults);
    lblWinner->setObjectName(QStringLiteral("lblWinner"));
    lblWinner->setFont(VemoCasualFont(16, true));
    lblWinner->setAlignment(Qt::AlignCenter);
    lblWinner->setStyleSheet(QStringLiteral("color: #c0400f; background: transparent;"));

    auto* lines = new QGridLayout;
    lines->setHorizontalSpacing(10);
    lines->setVerticalSpacing(6);
    for (std::size_t k = 0; k < 4; ++k) {
        // Every line sharing the lowest score is a winning line.
        const bool winner = results.Scores[k] == results.Scores[0];
        // A long name is cut in the middle, so that its score still shows.
        auto* label = new ElidedLabel(QString::fromStdString(results.Lines[k]), frResults);
        label->SetElideMode(Qt::ElideMiddle);
        label->setMaximumWidth(kLongestResultLine);
        label->setObjectName(QStringLiteral("lblResults%1").arg(k));
        label->setFont(VemoCasualFont(winner ? 14 : 12, winner));
        label->setStyleSheet(winner ? QStringLiteral("color: #1f4fa8; background: transparent;")
                                    : QStringLiteral("color: #404050; background: transparent;"));
        lines->addWidget(new RankBadge(frResults, int(k) + 1, winner), int(k), 0, Qt::AlignVCenter);
        lines->addWidget(label, int(k), 1);
        lblResults[k] = label;
    }
    auto* linesRow = new QHBoxLayout;
    linesRow->addStretch(1);
    linesRow->addLayout(lines);
    linesRow->addStretch(1);

    auto* inner = new QVBoxLayout(frResults);
    inner->setContentsMargins(14, 18, 14, 12);
    inner->setSpacing(10);
    inner->addWidget(lblWinner);
    inner->addLayout(linesRow);

    cmdEnd[0] = new QPushButton(QStringLiteral("Exit"), this);
    cmdEnd[0]->setObjectName(QStringLiteral("cmdEnd0"));
    cmdEnd[1] = new QPushButton(QStringLiteral("Play Again"), this);
    cmdEnd[1]->setObjectName(QStringLiteral("cmdEnd1"));
    cmdEnd[1]->setDefault(true);
    for (QPushButton* button : cmdEnd) button->setMinimumWidth(104);
    connect(cmdEnd[0], &QPushButton::clicked, this, [this] { Finish(false); });
    connect(cmdEnd[1], &QPushButton::clicked, this, [this] { Finish(true); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdEnd[1]);
    buttons->addWidget(cmdEnd[0]);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 14);
    layout->setSpacing(12);
    layout->addWidget(titleStrip);
    layout->addWidget(frResults);
    if (!results.HandTotals.empty()) {
        ScoreChartData data;
        for (std::size_t seat = 0; seat < 4; ++seat) data.Names[seat] = QString::fromStdString(results.SeatNames[seat]);
        data.Totals = results.HandTotals;
        data.Limit = results.ScoreLimit;
        chart = new ScoreChart(this, std::move(data));
        layout->addWidget(chart);
    }
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmdEnd[1]->setFocus();
}

void frmFinal::Finish(bool playAgain)
{
    if (finished_) return;
    finished_ = true;
    QPointer<frmFinal> self(this);
    if (done_) done_(playAgain);
    if (self) accept();
}

// The close box and Escape leave, as Exit does.
void frmFinal::reject() { Finish(false); }

void frmFinal::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // The focus is on Play Again: a screen reader hears the results too.
    QStringList lines;
    for (const QLabel* line : lblResults) lines << line->text();
    const QString heading = frResults->title() + QLatin1Char(' ') + lblWinner->text();
    frResults->setAccessibleName(heading);
    TableAnnouncer::Say(heading + QLatin1Char(' ') + lines.join(QStringLiteral(". ")) + QLatin1Char('.'));
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace vemo
