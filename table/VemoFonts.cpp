#include "VemoFonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace vemo {

namespace {

// Font files the resources may carry; whichever exist are registered once.
constexpr const char* kResourceFontFiles[] = {
    ":/fonts/ComicNeue-Regular.ttf", ":/fonts/ComicNeue-Bold.ttf",
    ":/fonts/ComicNeue-Regular.otf", ":/fonts/ComicNeue-Bold.otf",
};

bool LoadCasualFamily()
{
    for (const char* file : kResourceFontFiles) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    return QFontDatabase::families().contains(QString::fromLatin1(kVemoCasualFamily), Qt::CaseInsensitive);
}

} // namespace

bool VemoCasualFontAvailable()
{
    static const bool available = LoadCasualFamily();
    return available;
}

QFont VemoCasualFont(int pointSize, bool bold)
{
    QFont font;
    if (VemoCasualFontAvailable())
        font.setFamilies({QString::fromLatin1(kVemoCasualFamily)});
    else
        font.setFamilies({QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize > 0 ? pointSize : 1);
    font.setBold(bold);
    return font;
}

QFont ScaledFont(QFont font, double scale)
{
    if (scale != 1.0) font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

} // namespace vemo
