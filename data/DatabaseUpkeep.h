#pragma once
// Start-up care of Vemo.mdb: the check and repair, the start counter kept in
// the file, and the compaction that leaves Vemodb.BAK beside it. All of it
// runs before the game's own handle is opened.

#include "DatabaseSalvage.h"
#include "MaintenanceUi.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace vemo {

// File names in the data directory.
inline constexpr const char* kDatabaseFile = "Vemo.mdb";
inline constexpr const char* kBackupFile = "Vemodb.BAK";
inline constexpr const char* kRepairWorkFile = "TEMPDB.mdb";
inline constexpr const char* kOldFile = "Vemo.OLD";
inline constexpr const char* kCompactIterationProperty = "CompactIteration";

// Opens and releases the database to prove it usable, repairing it when it is
// damaged. False: a fatal message was shown and the program must end.
bool VerifyDatabase(const QString& directory, MaintenanceUi& ui);

// The start counter; 0 when missing or unreadable. Never reports a fault.
std::int16_t ReadCompactIteration(const QString& directory);
// Stores the start counter, creating it when missing. Never reports a fault.
void WriteCompactIteration(const QString& directory, std::int16_t count);

// Checks, compacts into workPath and puts the compacted copy in place of
// databasePath with one atomic rename; workPath stays as a copy of it. Any
// failure leaves the previous database file as it was.
void CompactDatabaseRtn(const QString& databasePath, const QString& workPath, MaintenanceUi& ui);

// Keeps the damaged file beside it, rebuilds the database into workPath from
// the shipped script, carries over every saved game, history row and
// property that can still be read, and moves the result over databasePath.
// Throws DatabaseFault; the damaged file is then left as it was.
SalvageResult RepairDatabase(const QString& databasePath, const QString& workPath,
                             const std::function<void()>& progress = {});

// The start-up sequence: verify, then count the start and, every eleventh
// time, trim and compact. False when the program must end.
bool DatabaseStartupUpkeep(const QString& directory, MaintenanceUi& ui);

} // namespace vemo
