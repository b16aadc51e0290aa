#pragma once
// Carrying the player's rows out of a damaged database file: a copy of the
// damaged file is kept first, then every row SQLite can still read is copied,
// table by table, reading around the pages that cannot be read.

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace vemo {

struct SalvageResult {
    int SavedGames = 0; // rows carried over
    int History = 0;
    QString KeptCopy;   // the damaged file as it was
};

// Copies path beside itself as "Vemo-damaged-YYYY-MM-DD-HHMMSS.mdb", never
// over an earlier copy. Returns the copy's path; throws DatabaseFault when
// the copy cannot be made (then nothing may be repaired).
QString KeepDamagedCopy(const QString& path);

// Copies every readable row of SavedGames, History and Properties from the
// damaged file into the open database to, values as they are; rows the new
// schema refuses stay behind. A short file, a bad page and a damaged header
// are read around. progress is called now and then while this runs.
SalvageResult SalvageRows(const QString& damagedPath, QSqlDatabase& to, const std::function<void()>& progress);

} // namespace vemo
