#include "cVemoCard.h"

#include "CardArt.h"
#include "CardText.h"
#include "VemoFonts.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace vemo {

QColor FromBgr(std::uint32_t bgr)
{
    if ((bgr & kSystemColourFlag) != 0) {
        const QPalette palette = QGuiApplication::palette();
        switch (bgr & 0xFFu) {
        case 4: return palette.color(QPalette::Window);           // menu bar
        case 5: return palette.color(QPalette::Base);             // window background
        case 7: return palette.color(QPalette::WindowText);       // menu text
        case 8: return palette.color(QPalette::Text);             // window text
        case 13: return palette.color(QPalette::Highlight);
        case 14: return palette.color(QPalette::HighlightedText);
        case 15: return palette.color(QPalette::Button);          // button face
        case 16: return palette.color(QPalette::Dark);            // button shadow
        case 17: return palette.color(QPalette::Disabled, QPalette::Text);
        case 18: return palette.color(QPalette::ButtonText);
        case 20: return palette.color(QPalette::Light);           // button highlight
        case 23: return palette.color(QPalette::ToolTipText);
        case 24: return palette.color(QPalette::ToolTipBase);
        default: return palette.color(QPalette::Window);
        }
    }
    return QColor(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu));
}

std::uint32_t ToBgr(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return std::uint32_t(rgb.red()) | (std::uint32_t(rgb.green()) << 8) | (std::uint32_t(rgb.blue()) << 16);
}

namespace {

// The labels' geometry as fractions of the card, matching where the discard
// pile prints its words: the type word left of the top corner mark, the
// instruction lines in the bottom band, the lower one left of the bottom mark.
constexpr qreal kTextLeft = 0.07;
constexpr qreal kTextRight = 0.93;
constexpr qreal kCornerMarkLeft = 0.74;   // left edge of the corner marks, of the width
constexpr qreal kTypeTop = 0.02;
constexpr qreal kTypeHeight = 0.16;
constexpr qreal kTypePixels = 0.14;       // font pixel size, of the height
constexpr qreal kExtraTop = 0.725;
constexpr qreal kInstructionTop = 0.845;
constexpr qreal kInstructionHeight = 0.12;
constexpr qreal kInstructionPixels = 0.095;
constexpr qreal kInstructionMinPixels = 0.078;
constexpr qreal kVersePixels = 0.082;
// High contrast prints every word this much larger, as far as its band allows.
constexpr qreal kContrastScale = 1.2;

QString Latin1(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

void SetTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    // Every group alike: a disabled face keeps its look.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The largest pixel size from `pixels` down to `minPixels` at which the text
// fits `width`; below that the text may run on past the width.
QFont FittedFont(QFont font, const QString& text, qreal pixels, qreal minPixels, qreal width)
{
    int size = std::max(1, int(std::lround(pixels)));
    const int smallest = std::max(1, int(std::lround(minPixels)));
    font.setPixelSize(size);
    while (size > smallest && QFontMetricsF(font).horizontalAdvance(text) > width) {
        --size;
        font.setPixelSize(size);
    }
    return font;
}

// A label that prints its one line with a black rim when asked to.
class RimLabel : public QLabel {
public:
    using QLabel::QLabel;
    void SetRim(bool rim)
    {
        if (rim == rim_) return;
        rim_ = rim;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (rim_ && !wordWrap())
            PaintRimmedLine(*this, palette().color(QPalette::WindowText));
        else
            QLabel::paintEvent(event);
    }

private:
    bool rim_ = false;
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QFont& font, Qt::Alignment alignment)
{
    auto* label = new RimLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

int ButtonMask(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

int ShiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

} // namespace

QColor HighContrastInk(const QColor& ink, bool onPanel)
{
    if (onPanel) return Qt::black;
    return NeedsRim(ink) ? ink : ink.darker(200);
}

bool NeedsRim(const QColor& ink) { return ink.lightness() > 128; }

void PaintRimmedLine(QLabel& label, const QColor& ink)
{
    if (label.text().isEmpty()) return;
    QPainter painter(&label);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFont font = label.font();
    const QFontMetricsF metrics(font);
    const qreal rim = std::max(2.0, QFontInfo(font).pixelSize() / 5.0);
    const QRectF area = label.contentsRect();
    const qreal baseline = area.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    // Half the rim lies outside the letters; the first one keeps it whole.
    QPainterPath path;
    path.addText(QPointF(area.left() + rim / 2, baseline), font, label.text());
    painter.strokePath(path, QPen(Qt::black, rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, ink);
}

cVemoCard::cVemoCard(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(CardArt::kCardSize);

    lblCardType = MakeLabel(this, "lblCardType", VemoCasualFont(10, true), Qt::AlignLeft | Qt::AlignVCenter);
    lblCardVerse = MakeLabel(this, "lblCardVerse", VemoCasualFont(8, true), Qt::AlignLeft | Qt::AlignTop);
    lblCardVerse->setWordWrap(true);
    lblCardInstructionExtra = MakeLabel(this, "lblCardInstructionExtra", VemoCasualFont(8, true),
                                        Qt::AlignLeft | Qt::AlignVCenter);
    lblCardInstruction = MakeLabel(this, "lblCardInstruction", VemoCasualFont(8, true),
                                   Qt::AlignLeft | Qt::AlignVCenter);
    for (QLabel* label : {lblCardType, lblCardVerse, lblCardInstructionExtra, lblCardInstruction})
        label->installEventFilter(this);

    lblCardType->setText(QStringLiteral("DEVIL"));
    lblCardInstruction->setText(QStringLiteral("DRAW 4"));
    lblCardInstructionExtra->setText(QStringLiteral("DRAW 4"));
    SetVerseRef(QStringLiteral("I Peter 5:8"));
    SetVerse(QStringLiteral("Be sober, be vigilant; because your adversary the devil, as a roaring lion, walketh "
                            "about, seeking whom he may devour."));
    ApplyInk(lblCardType, typeColor_, false);
    ApplyInk(lblCardInstruction, instructionColor_, false);
    ApplyInk(lblCardVerse, foreColor_, true);
    ApplyExtraColour();
    lblCardVerse->setCursor(Qt::OpenHandCursor);

    LayOutLabels();
}

QString cVemoCard::CardType() const { return lblCardType->text(); }

void cVemoCard::SetCardType(const QString& text)
{
    lblCardType->setText(text);
    LayOutLabels();
}

QString cVemoCard::Instruction() const { return lblCardInstruction->text(); }

void cVemoCard::SetInstruction(const QString& text)
{
    lblCardInstruction->setText(text);
    LayOutLabels();
}

QString cVemoCard::InstructionExtra() const { return lblCardInstructionExtra->text(); }

void cVemoCard::SetInstructionExtra(const QString& text)
{
    lblCardInstructionExtra->setText(text);
    LayOutLabels();
}

QString cVemoCard::VerseRef() const { return verseRef_; }

void cVemoCard::SetVerseRef(const QString& text)
{
    verseRef_ = text;
    // A lone CR would print as a stray glyph; CR LF is one line break.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblCardVerse->setText(shown);
}

QString cVemoCard::Verse() const { return lblCardVerse->toolTip(); }

void cVemoCard::SetVerse(const QString& text) { lblCardVerse->setToolTip(text); }

void cVemoCard::SetForeColor(std::uint32_t bgr)
{
    foreColor_ = bgr;
    ApplyInk(lblCardVerse, bgr, true);
}

void cVemoCard::SetBackColor(std::uint32_t bgr)
{
    backColor_ = bgr;
    update();
}

void cVemoCard::SetTypeColor(std::uint32_t bgr)
{
    typeColor_ = bgr;
    ApplyInk(lblCardType, bgr, false);
}

void cVemoCard::SetInstructionColor(std::uint32_t bgr)
{
    instructionColor_ = bgr;
    ApplyInk(lblCardInstruction, bgr, false);
}

QString cVemoCard::InstructionToolTip() const { return lblCardInstruction->toolTip(); }

void cVemoCard::SetInstructionToolTip(const QString& text)
{
    lblCardInstruction->setToolTip(text);
    lblCardInstructionExtra->setToolTip(text);
}

void cVemoCard::SetPicture(CardPicture picture)
{
    picture_ = picture;
    ApplyExtraColour();
    update();
}

void cVemoCard::ApplyExtraColour()
{
    // The picture's own ink: what the colour table gives that card's words.
    const char letter = picture_ == CardPicture::Blue     ? 'B'
                        : picture_ == CardPicture::Green  ? 'G'
                        : picture_ == CardPicture::Purple ? 'P'
                        : picture_ == CardPicture::Red    ? 'R'
                                                          : 'L';
    ApplyInk(lblCardInstructionExtra, DescribeCardColour(letter).TypeColor, false);
}

QColor cVemoCard::Ink(std::uint32_t bgr, bool onPanel) const
{
    return highContrast_ ? HighContrastInk(FromBgr(bgr), onPanel) : FromBgr(bgr);
}

void cVemoCard::ApplyInk(QLabel* label, std::uint32_t bgr, bool onPanel)
{
    const QColor ink = Ink(bgr, onPanel);
    SetTextColour(label, ink);
    static_cast<RimLabel*>(label)->SetRim(highContrast_ && !onPanel && NeedsRim(ink));
}

void cVemoCard::SetHighContrast(bool on)
{
    if (on == highContrast_) return;
    highContrast_ = on;
    ApplyInk(lblCardType, typeColor_, false);
    ApplyInk(lblCardInstruction, instructionColor_, false);
    ApplyInk(lblCardVerse, foreColor_, true);
    ApplyExtraColour();
    LayOutLabels();
    update();
}

void cVemoCard::Fill(vemo::CardCode code, std::uint32_t backColor, const QString& verseRef, const QString& verse)
{
    SetCardCode(Latin1(code.View()));
    SetBackColor(backColor);

    const CardColours colours = DescribeCardColour(code.Colour());
    SetPicture(colours.Picture);
    SetForeColor(colours.VerseColor);
    SetTypeColor(colours.TypeColor);
    SetInstructionColor(colours.TypeColor);

    const CardWords words = DescribeCardValue(code.Value());
    SetCardType(Latin1(words.TypeWord));
    SetInstruction(Latin1(words.Instruction));
    SetInstructionExtra(Latin1(words.InstructionExtra));
    SetInstructionToolTip(Latin1(words.InstructionToolTip));

    if (!verseRef.isEmpty()) SetVerseRef(verseRef);
    if (!verse.isEmpty()) SetVerse(verse);

    setAccessibleName(QString::fromStdString(FormatCardDescription(code)));
    setAccessibleDescription(Latin1(words.InstructionToolTip)); // what the card does; empty for a number
}

Qt::CursorShape cVemoCard::VerseCursorShape() const { return lblCardVerse->cursor().shape(); }

QSize cVemoCard::sizeHint() const { return CardArt::kCardSize; }

void cVemoCard::LayOutLabels()
{
    const qreal w = width();
    const qreal h = height();
    const qreal scale = highContrast_ ? kContrastScale : 1.0;
    const auto box = [&](qreal left, qreal top, qreal right, qreal height) {
        return QRectF(w * left, h * top, w * (right - left), h * height).toAlignedRect();
    };

    const QRect type = box(kTextLeft, kTypeTop, kCornerMarkLeft, kTypeHeight);
    lblCardType->setFont(FittedFont(lblCardType->font(), lblCardType->text(), h * kTypePixels * scale,
                                    h * kTypePixels * 0.6, type.width()));
    lblCardType->setGeometry(type);

    // The verse sits on the light panel, inset from its rounded edge.
    const QRectF panel = CardArt::VersePanelRect(QRectF(0, 0, w, h));
    const qreal inset = panel.width() * 0.07;
    QFont verseFont = lblCardVerse->font();
    verseFont.setPixelSize(std::max(1, int(std::lround(h * kVersePixels * scale))));
    lblCardVerse->setFont(verseFont);
    lblCardVerse->setGeometry(panel.adjusted(inset, inset * 0.7, -inset, -inset * 0.7).toAlignedRect());

    // The extra line has the band's whole width; the lowest line shares its
    // row with the bottom corner mark and shrinks a little to stay clear of it.
    const QRect extra = box(kTextLeft, kExtraTop, kTextRight, kInstructionHeight);
    lblCardInstructionExtra->setFont(FittedFont(lblCardInstructionExtra->font(), lblCardInstructionExtra->text(),
                                                h * kInstructionPixels * scale, h * kInstructionMinPixels,
                                                extra.width()));
    lblCardInstructionExtra->setGeometry(extra);
    const QRect instruction = box(kTextLeft, kInstructionTop, kTextRight, kInstructionHeight);
    lblCardInstruction->setFont(FittedFont(lblCardInstruction->font(), lblCardInstruction->text(),
                                           h * kInstructionPixels * scale, h * kInstructionMinPixels,
                                           w * (kCornerMarkLeft - kTextLeft)));
    lblCardInstruction->setGeometry(instruction);
}

void cVemoCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), FromBgr(backColor_));
    const QRectF card(rect());
    CardArt::PaintCardPicture(painter, card, picture_);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const qreal radius = std::min(card.width(), card.height()) * 0.085;

    if (highContrast_ && !hasFocus()) {
        // A black edge sets the card off the table, whatever its colour.
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawRoundedRect(card.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    }
    if (hasFocus()) {
        // A black ring outside a white one: one of the two stands out on
        // every card colour and every table colour.
        painter.setPen(QPen(Qt::black, 3));
        painter.drawRoundedRect(card.adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRoundedRect(card.adjusted(4, 4, -4, -4), radius - 2.5, radius - 2.5);
    }
}

void cVemoCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutLabels();
}

void cVemoCard::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void cVemoCard::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

bool cVemoCard::ForwardMouse(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The pointer changes before the owner hears of the press, so a drag
        // it starts shows the closed hand at once.
        lblCardVerse->setCursor(Qt::ClosedHandCursor);
        pressGlobal_ = mouse->globalPosition().toPoint();
        emit MouseDown(ButtonMask(mouse->button()), ShiftMask(mouse->modifiers()), mouse->position().x(),
                       mouse->position().y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        lblCardVerse->setCursor(Qt::OpenHandCursor);
        emit MouseUp(ButtonMask(mouse->button()), ShiftMask(mouse->modifiers()), mouse->position().x(),
                     mouse->position().y());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        emit DblClick();
        return true;
    case QEvent::MouseMove:
        emit MouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    default:
        return false;
    }
}

bool cVemoCard::eventFilter(QObject* watched, QEvent* event)
{
    // A label's mouse events are raised here with the label's own coordinates
    // and go no further, so the face does not raise them a second time.
    if (watched == lblCardType || watched == lblCardInstruction || watched == lblCardInstructionExtra ||
        watched == lblCardVerse) {
        if (ForwardMouse(event)) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void cVemoCard::mousePressEvent(QMouseEvent* event)
{
    if (!ForwardMouse(event)) QWidget::mousePressEvent(event);
}

void cVemoCard::mouseReleaseEvent(QMouseEvent* event)
{
    if (!ForwardMouse(event)) QWidget::mouseReleaseEvent(event);
}

void cVemoCard::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!ForwardMouse(event)) QWidget::mouseDoubleClickEvent(event);
}

void cVemoCard::mouseMoveEvent(QMouseEvent* event)
{
    if (!ForwardMouse(event)) QWidget::mouseMoveEvent(event);
}

} // namespace vemo
