#include "About.h"

#include "CardArt.h"
#include "VemoFonts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vemo {

namespace {

// The five shapes of the deck in a row, the sun of the Cards of Light in the
// middle, as a small emblem beside the title.
QLabel* ShapesRow(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("picShapes"));
    const qreal ratio = parent->devicePixelRatioF();
    const QSize shape(26, 26);
    const char letters[] = {'B', 'G', 'L', 'P', 'R'};
    QPixmap row = CardArt::Render(QSize(5 * shape.width() + 4 * 6, shape.height()), ratio,
                                  [&](QPainter& painter, const QRectF&) {
                                      for (int i = 0; i < 5; ++i) {
                                          const QRectF target(i * (shape.width() + 6), 0, shape.width(), shape.height());
                                          CardArt::PaintColourShape(painter, target, letters[i]);
                                      }
                                  });
    label->setPixmap(row);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QString frmAbout::DescriptionText()
{
    return QStringLiteral(
        "Vemo is a card game for one player against three computer opponents. Its 92 cards carry Bible "
        "verses: numbered cards in blue, green, purple and red; evil cards (Devil, Sin, Temptation, Trial) "
        "that make the next player draw; and Cards of Light (Vemo, Blessing, Grace, Prayer, Ask) that act as "
        "wild cards with effects of their own. Shed your cards by matching the pile by colour, number or word, "
        "say \u201cVemo\u201d in time when your last card goes, and keep your penalty points lowest until "
        "someone reaches the point limit.");
}

frmAbout::frmAbout(const QString& version, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vemo"));

    lblTitle = new QLabel(QStringLiteral("Vemo"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(VemoCasualFont(28, true));
    lblTitle->setAlignment(Qt::AlignCenter);

    lblVersion = new QLabel(QStringLiteral("Version %1").arg(version), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);

    lblDescription = new QLabel(DescriptionText(), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setTextFormat(Qt::PlainText);

    lblCredits = new QLabel(QStringLiteral("Card pictures and sounds made for Vemo\n"
                                           "Comic Neue font, SIL Open Font License 1.1"),
                            this);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setTextFormat(Qt::PlainText);
    QFont small = lblCredits->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblCredits->setFont(small);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 16);
    layout->setSpacing(10);
    layout->addWidget(lblTitle);
    layout->addWidget(ShapesRow(this));
    layout->addWidget(lblVersion);
    layout->addSpacing(4);
    layout->addWidget(lblDescription);
    layout->addSpacing(4);
    layout->addWidget(lblCredits);
    layout->addLayout(buttons);

    // A wrapped label gets its height only from a known width.
    lblDescription->setFixedWidth(392);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vemo
