#pragma once
// cVemoCard: one face-up card of the human's hand. A coloured card picture
// with four labels printed over it: the type word in the top band, the verse
// reference on the light panel (the full verse is its tooltip), and the two
// instruction lines in the bottom band. The face holds no rule of the game;
// its owner fills it from the card's code (Fill) and reacts to its mouse
// signals.
//
// Its natural size is CardArt::kCardSize (71 x 96); the picture and the
// labels scale with whatever size the face is given.

#include "CardCode.h"
#include "CardDescriptions.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <cstdint>

class QLabel;

namespace vemo {

// Colours travel as 0x00BBGGRR integers. With the high bit set, the low byte
// names a system colour instead (15: button face, 5: window background, ...),
// which is taken from the application's palette.
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000u;
inline constexpr std::uint32_t kButtonFaceColour = kSystemColourFlag | 15u;

QColor FromBgr(std::uint32_t bgr);
std::uint32_t ToBgr(const QColor& colour);

// High contrast, alike on the faces and the pile: black on the light verse
// panel; white stays white, set off by a black rim round each letter; dark
// ink, as on the yellow card, goes darker still.
QColor HighContrastInk(const QColor& ink, bool onPanel);
bool NeedsRim(const QColor& ink);
// Paints label's single, left-aligned line in ink with that black rim, in
// place of the label's own painting; call it from the label's paint event.
void PaintRimmedLine(QLabel& label, const QColor& ink);

class cVemoCard : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString CardType READ CardType WRITE SetCardType)
    Q_PROPERTY(QString Instruction READ Instruction WRITE SetInstruction)
    Q_PROPERTY(QString InstructionExtra READ InstructionExtra WRITE SetInstructionExtra)
    Q_PROPERTY(QString VerseRef READ VerseRef WRITE SetVerseRef)
    Q_PROPERTY(QString Verse READ Verse WRITE SetVerse)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(uint TypeColor READ TypeColor WRITE SetTypeColor)
    Q_PROPERTY(uint InstructionColor READ InstructionColor WRITE SetInstructionColor)
    Q_PROPERTY(QString InstructionToolTip READ InstructionToolTip WRITE SetInstructionToolTip)
    Q_PROPERTY(QString CardCode READ CardCode WRITE SetCardCode)

public:
    explicit cVemoCard(QWidget* parent = nullptr);

    // The type word, " 5", "DEVIL", "Blessing" ...
    QString CardType() const;
    void SetCardType(const QString& text);
    // The first instruction line, printed lowest on the card.
    QString Instruction() const;
    void SetInstruction(const QString& text);
    // The second instruction line, printed above the first.
    QString InstructionExtra() const;
    void SetInstructionExtra(const QString& text);
    // The verse reference, usually "Reference\r\nVerseAbbrev". Returned exactly
    // as set; the label shows the line break as one.
    QString VerseRef() const;
    void SetVerseRef(const QString& text);
    // The full verse: the tooltip of the verse reference.
    QString Verse() const;
    void SetVerse(const QString& text);

    // Verse reference text colour (0xBBGGRR); default black.
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t bgr);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }
    // The widget background around the rounded card; default button face.
    std::uint32_t BackColor() const { return backColor_; }
    void SetBackColor(std::uint32_t bgr);
    // Type word colour; default white.
    std::uint32_t TypeColor() const { return typeColor_; }
    void SetTypeColor(std::uint32_t bgr);
    // Colour of the first instruction line only; default white. The second
    // line keeps its own colour, the ink of the card picture (white, dark
    // orange on the yellow card), so it stays readable whatever this is set to.
    std::uint32_t InstructionColor() const { return instructionColor_; }
    void SetInstructionColor(std::uint32_t bgr);
    // Sets the tooltip of both instruction lines; reads the first line's.
    QString InstructionToolTip() const;
    void SetInstructionToolTip(const QString& text);
    // The two-character code of the card shown; "0" on a new face, which
    // matches no card.
    QString CardCode() const { return cardCode_; }
    void SetCardCode(const QString& code) { cardCode_ = code; }
    // The coloured card picture. A new face shows the blue card: a face
    // without a picture would leave its white default words unreadable.
    CardPicture Picture() const { return picture_; }
    void SetPicture(CardPicture picture);

    // Fills the face for a card of the hand: code, background, picture, colours
    // and words from the card's code, and the verse from the database. Empty
    // verseRef or verse (no row found) keep what the face showed.
    void Fill(vemo::CardCode code, std::uint32_t backColor, const QString& verseRef, const QString& verse);

    // Larger words with a dark rim, black verse text and a black edge, for
    // players who find the ordinary face hard to read. Off on a new face; it
    // holds through Fill and every colour set afterwards.
    bool HighContrast() const { return highContrast_; }
    void SetHighContrast(bool on);

    // The pointer over the verse reference: open hand at rest, closed hand
    // while a button is held on the card.
    Qt::CursorShape VerseCursorShape() const;

    QSize sizeHint() const override;

    // Where the last press on the card was, on the screen: a drag keeps the
    // card under the pointer at this grip.
    QPoint PressGlobalPos() const { return pressGlobal_; }

    // The parts, for the owner's tests and for accessibility tools.
    QLabel* lblCardType = nullptr;
    QLabel* lblCardInstruction = nullptr;
    QLabel* lblCardInstructionExtra = nullptr;
    QLabel* lblCardVerse = nullptr;

signals:
    void DblClick();
    // button: 1 left, 2 right, 4 middle. shift: 1 Shift, 2 Ctrl, 4 Alt.
    // x, y: pixels in the coordinates of the part that was hit (a label or the
    // face itself), not converted to the face's own coordinates.
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    // Every move while a button is held on the card, so the table can drag it.
    void MouseMove(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Returns whether the event was one of the forwarded mouse events.
    bool ForwardMouse(QEvent* event);
    void LayOutLabels();
    void ApplyExtraColour();
    // The colour a label shows for bgr: as given, or for high contrast black
    // on the light panel and darker ink where the ink is dark already.
    QColor Ink(std::uint32_t bgr, bool onPanel) const;
    void ApplyInk(QLabel* label, std::uint32_t bgr, bool onPanel);

    CardPicture picture_ = CardPicture::Blue;
    QString cardCode_ = QStringLiteral("0");
    QPoint pressGlobal_;
    QString verseRef_;
    std::uint32_t foreColor_ = 0x000000;
    std::uint32_t backColor_ = kButtonFaceColour;
    std::uint32_t typeColor_ = 0xFFFFFF;
    std::uint32_t instructionColor_ = 0xFFFFFF;
    bool highContrast_ = false;
};

} // namespace vemo
