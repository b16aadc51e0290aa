// vemo-cardsheet: renders every card picture onto one PNG, with sample words
// printed over the faces as the table prints them, once at 100% and once at
// 200% device pixel ratio, so the pictures can be checked by eye.
//
//   vemo-cardsheet OUTPUT.png

#include "CardArt.h"
#include "CardDescriptions.h"
#include "VemoFonts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include <cstdio>
#include <vector>

using vemo::CardArt;

namespace {

QColor FromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void DrawLine(QPainter& p, const QRectF& card, qreal leftFraction, qreal topFraction, qreal height,
              const QString& text, const QColor& colour, bool bold)
{
    if (text.isEmpty()) return;
    QFont font = vemo::VemoCasualFont(10, bold);
    font.setPixelSize(std::max(1, qRound(height)));
    p.setFont(font);
    p.setPen(colour);
    const QFontMetricsF metrics(font);
    p.drawText(QPointF(card.left() + card.width() * leftFraction, card.top() + card.height() * topFraction +
                                                                       metrics.ascent()),
               text);
}

// A face-up card with its words where the discard pile puts them.
QPixmap SampleFace(const vemo::CardCode& code, const char* verseRef, const char* verseAbbrev, QSize size,
                   qreal dpr)
{
    const vemo::CardColours colours = vemo::DescribeCardColour(code.Colour());
    const vemo::CardWords words = vemo::DescribeCardValue(code.Value());
    return CardArt::Render(size, dpr, [&](QPainter& p, const QRectF& r) {
        CardArt::PaintCardPicture(p, r, colours.Picture);
        const QColor type = FromBgr(colours.TypeColor);
        const QColor verse = FromBgr(colours.VerseColor);
        const qreal h = r.height();
        DrawLine(p, r, 0.07, 0.025, h * 0.14, QString::fromStdString(words.TypeWord), type, true);
        DrawLine(p, r, 0.143, 0.23, h * 0.085, QString::fromLatin1(verseRef), verse, true);
        DrawLine(p, r, 0.143, 0.33, h * 0.075, QString::fromLatin1(verseAbbrev), verse, false);
        DrawLine(p, r, 0.07, 0.73, h * 0.095,
                 QString::fromLatin1(words.InstructionExtra.data(), qsizetype(words.InstructionExtra.size())),
                 type, true);
        DrawLine(p, r, 0.07, 0.85, h * 0.095,
                 QString::fromLatin1(words.Instruction.data(), qsizetype(words.Instruction.size())), type, true);
    });
}

struct Sheet {
    QImage image;
    QPainter painter;
    int x = 16;
    int y = 16;
    int rowHeight = 0;

    explicit Sheet(QSize size) : image(size, QImage::Format_ARGB32_Premultiplied)
    {
        painter.begin(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        // A table-like backdrop, dark to light.
        QLinearGradient table(0, 0, 0, size.height());
        table.setColorAt(0, QColor(0, 50, 0));
        table.setColorAt(1, QColor(0, 190, 40));
        painter.fillRect(image.rect(), table);
    }

    void Title(const QString& text)
    {
        NewRow();
        QFont font = vemo::VemoCasualFont(10, true);
        font.setPixelSize(18);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(16, y + 18), text);
        y += 28;
    }

    // Draws the pixmap at its full pixel size, as a screen of its ratio shows it.
    void Put(const QPixmap& pixmap)
    {
        QImage pixels = pixmap.toImage();
        pixels.setDevicePixelRatio(1.0);
        if (x + pixels.width() > image.width() - 16) NewRow();
        painter.drawImage(QPoint(x, y), pixels);
        x += pixels.width() + 14;
        rowHeight = std::max(rowHeight, pixels.height());
    }

    void NewRow()
    {
        if (rowHeight > 0) y += rowHeight + 14;
        x = 16;
        rowHeight = 0;
    }
};

void PutAll(Sheet& sheet, qreal dpr)
{
    struct Sample {
        const char* code;
        const char* ref;
        const char* abbrev;
    };
    const Sample samples[] = {
        {"B5", "Psalm 23:1", "The Lord is my"},
        {"GG", "Eph. 2:8", "For by grace"},
        {"PS", "Romans 3:23", "For all have"},
        {"RD", "I Peter 5:8", "Be sober, be"},
        {"LK", "Matt. 7:7", "Ask, and it shall"},
    };
    for (const Sample& s : samples)
        sheet.Put(SampleFace(vemo::CardCode(s.code), s.ref, s.abbrev, CardArt::kCardSize, dpr));
    sheet.Put(CardArt::RenderCardBack(CardArt::kCardSize, dpr));
    sheet.Put(CardArt::RenderDeck(CardArt::kDeckSize, dpr));
    sheet.Put(CardArt::RenderDiscardSlot(CardArt::kCardSize, dpr));
    sheet.Put(CardArt::RenderDiscardStack(CardArt::kCardSize, dpr));
    for (char letter : {'B', 'G', 'P', 'R', 'L'})
        sheet.Put(CardArt::RenderColourShape(letter, QSize(32, 32), dpr));
    for (char letter : {'B', 'G', 'P', 'R', 'L'})
        sheet.Put(CardArt::RenderColourShape(letter, QSize(16, 16), dpr));
    sheet.NewRow();
    // Bare pictures, as the table holds them before any words are printed.
    for (auto picture : {vemo::CardPicture::Blue, vemo::CardPicture::Green, vemo::CardPicture::Purple,
                         vemo::CardPicture::Red, vemo::CardPicture::Yellow})
        sheet.Put(CardArt::RenderCardPicture(picture, CardArt::kCardSize, dpr));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vemo-cardsheet OUTPUT.png\n");
        return 2;
    }
    // It never shows a window, so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Sheet sheet(QSize(1400, 1260));
    sheet.Title(QStringLiteral("100%"));
    PutAll(sheet, 1.0);
    sheet.Title(QStringLiteral("200%"));
    PutAll(sheet, 2.0);
    sheet.Title(QStringLiteral("Enlarged top card (3x)"));
    sheet.Put(SampleFace(vemo::CardCode("RD"), "I Peter 5:8", "Be sober, be", CardArt::kCardSize * 3, 1.0));
    sheet.Put(SampleFace(vemo::CardCode("LV"), "Luke 18:1", "Men ought always", CardArt::kCardSize * 3, 1.0));
    sheet.Put(CardArt::RenderCardBack(CardArt::kCardSize * 3, 1.0));
    sheet.painter.end();
    if (!sheet.image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "vemo-cardsheet: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
