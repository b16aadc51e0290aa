#pragma once
// The casual display font of the card faces and the table: Comic Neue (SIL Open
// Font License 1.1). It is taken from the program's resources when they carry
// it, else from the system; without it, a plain sans-serif font stands in.

#include <QFont>
#include <QString>

namespace vemo {

inline constexpr const char* kVemoCasualFamily = "Comic Neue";

QFont VemoCasualFont(int pointSize, bool bold);
// The font grown by the table's scale (1 leaves it as it is).
QFont ScaledFont(QFont font, double scale);

// Whether Comic Neue itself is available (from the resources or the system).
bool VemoCasualFontAvailable();

} // namespace vemo
