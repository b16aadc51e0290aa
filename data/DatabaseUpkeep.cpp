#include "DatabaseUpkeep.h"

#include "DatabaseFault.h"
#include "GameDatabase.h"
#include "History.h"
#include "ReportError.h"
#include "ShippedScript.h"
#include "SqlScript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <atomic>
#include <cstdio>
#include <limits>

namespace vemo {

namespace {

QString InDirectory(const QString& directory, const char* name) { return QDir(directory).filePath(QString::fromLatin1(name)); }

// A plain connection for upkeep work on files that may be damaged, without
// the checks of the game's own handle.
class ScratchConnection {
public:
    explicit ScratchConnection(const QString& path)
    {
        static std::atomic<int> serial{0};
        name_ = QStringLiteral("vemo-upkeep-%1").arg(++serial);
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(GameDatabase::kBusyTimeoutMs));
        if (!db_.open()) throw FaultFrom(db_.lastError(), "Opening " + path.toStdString());
    }
    ~ScratchConnection()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    ScratchConnection(const ScratchConnection&) = delete;
    ScratchConnection& operator=(const ScratchConnection&) = delete;
    QSqlDatabase& Db() { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

// Replaces target by a copy of source; target changes in one rename, so it is
// either the old file or the whole new one.
void ReplaceFileAtomically(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error("Cannot read " + source.toStdString() + ": " + in.errorString().toStdString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error("Cannot write " + target.toStdString() + ": " + out.errorString().toStdString());
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError) break;
        if (out.write(chunk) != chunk.size()) break;
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        throw std::runtime_error("Cannot read " + source.toStdString() + ": " + in.errorString().toStdString());
    }
    if (!out.commit())
        throw std::runtime_error("Cannot write " + target.toStdString() + ": " + out.errorString().toStdString());
}

void ReportCompactFault(const std::exception& fault) { ReportError("CompactDatabaseRtn", FaultNumber(fault), fault.what()); }

bool FatalDatabaseMessage(MaintenanceUi& ui, const QString& path, const DatabaseFault& fault)
{
    ui.Beep();
    const MessageBoxSpec box{"Critical Error",
                             "Database '" + QDir::toNativeSeparators(path).toStdString() +
                                 "' is corrupted beyond repair or not available.\r\n"
                                 "Please contact the help desk for assistance.\r\n"
                                 "Error #:  " +
                                 std::to_string(fault.Number()) + " " + fault.Text(),
                             BoxButtons::Ok, BoxIcon::Critical, 1};
    ui.ShowMessageBox(box);
    return false;
}

// Tells the player and the error log what a repair kept.
void RecordRepair(MaintenanceUi& ui, const DatabaseFault& damage, const SalvageResult& result)
{
    const std::string kept = "The database was repaired: " + std::to_string(result.SavedGames) +
                             " saved games and " + std::to_string(result.History) +
                             " history rows were recovered. The damaged file is kept as " +
                             QDir::toNativeSeparators(result.KeptCopy).toStdString() + ".";
    LogError("VerifyDatabase", damage.Number(), damage.Text(), kept);
    ui.ShowRepairResult(kept);
}

} // namespace

SalvageResult RepairDatabase(const QString& databasePath, const QString& workPath, const std::function<void()>& progress)
{
    SalvageResult result;
    const QString kept = KeepDamagedCopy(databasePath);
    QFile::remove(workPath);
    {
        ScratchConnection work(workPath);
        RunSqlScript(work.Db(), kShippedScript);
        work.Db().transaction();
        result = SalvageRows(kept, work.Db(), progress);
        if (!work.Db().commit()) throw FaultFrom(work.Db().lastError(), "Repairing " + databasePath.toStdString());
    }
    result.KeptCopy = kept;
    if (std::rename(QFile::encodeName(workPath).constData(), QFile::encodeName(databasePath).constData()) != 0)
        throw DatabaseFault(sqlite_code::IoErr, "Cannot move " + workPath.toStdString() + " over " + databasePath.toStdString());
    return result;
}

void CompactDatabaseRtn(const QString& databasePath, const QString& workPath, MaintenanceUi& ui)
{
    const QString directory = QFileInfo(databasePath).absolutePath();
    const QString oldPath = InDirectory(directory, kOldFile);

    // The previous work file, or the database itself, is kept as Vemo.OLD
    // while this runs.
    QFile::remove(oldPath);
    const bool hadWorkFile = QFileInfo::exists(workPath);
    if (hadWorkFile) {
        if (!QFile::rename(workPath, oldPath))
            ReportCompactFault(std::runtime_error("Cannot rename " + workPath.toStdString() + " to " + oldPath.toStdString()));
    } else if (!QFile::copy(databasePath, oldPath)) {
        ReportCompactFault(std::runtime_error("Cannot copy " + databasePath.toStdString() + " to " + oldPath.toStdString()));
    }
    auto giveBackWorkFile = [&] {
        if (hadWorkFile && !QFileInfo::exists(workPath)) QFile::rename(oldPath, workPath);
    };

    try {
        ui.SetOperation("Checking Data Integrity  " + databasePath.toStdString());
        bool intact = false;
        {
            GameDatabase database;
            database.Open(databasePath, GameDatabase::Access::Shared);
            intact = database.IntegrityCheck();
        }
        if (!intact) {
            const SalvageResult repaired = RepairDatabase(databasePath, workPath, [&] { ui.Tick(); });
            RecordRepair(ui, DatabaseFault(sqlite_code::Corrupt, "The integrity check failed"), repaired);
        }

        ui.SetOperation("Compacting Database  " + databasePath.toStdString());
        QFile::remove(workPath); // VACUUM INTO refuses an existing file
        {
            ScratchConnection database(databasePath);
            QSqlQuery vacuum(database.Db());
            vacuum.prepare(QStringLiteral("VACUUM INTO ?"));
            vacuum.addBindValue(workPath);
            if (!vacuum.exec()) throw FaultFrom(vacuum.lastError(), "Compacting " + databasePath.toStdString());
        }
        ReplaceFileAtomically(workPath, databasePath);
    } catch (const std::exception& fault) {
        ReportCompactFault(fault);
        QFile::remove(workPath);
        giveBackWorkFile();
        QFile::remove(oldPath);
        return;
    }
    QFile::remove(oldPath);
}

std::int16_t ReadCompactIteration(const QString& directory)
{
    try {
        GameDatabase database;
        database.Open(InDirectory(directory, kDatabaseFile));
        const std::optional<std::int64_t> value = database.ReadProperty(kCompactIterationProperty);
        if (!value || *value < std::numeric_limits<std::int16_t>::min() || *value > std::numeric_limits<std::int16_t>::max())
            return 0;
        return static_cast<std::int16_t>(*value);
    } catch (const std::exception&) {
        return 0;
    }
}

void WriteCompactIteration(const QString& directory, std::int16_t count)
{
    try {
        GameDatabase database;
        database.Open(InDirectory(directory, kDatabaseFile));
        database.WriteProperty(kCompactIterationProperty, count);
    } catch (const std::exception&) {
        // A database that cannot be opened is not written.
    }
}

bool VerifyDatabase(const QString& directory, MaintenanceUi& ui)
{
    const QString path = InDirectory(directory, kDatabaseFile);
    try {
        GameDatabase database;
        database.Open(path);
        std::string problem;
        if (!database.IntegrityCheck(&problem)) throw DatabaseFault(sqlite_code::Corrupt, problem);
        return true;
    } catch (const DatabaseFault& fault) {
        switch (fault.Kind()) {
        case DbFaultKind::Damaged: {
            ui.ShowRepairStatus(true);
            ui.SetOperation("Repairing Database  " + path.toStdString());
            SalvageResult repaired;
            try {
                repaired = RepairDatabase(path, InDirectory(directory, kRepairWorkFile), [&] { ui.Tick(); });
            } catch (const DatabaseFault& repairFault) {
                ui.ShowRepairStatus(false);
                return FatalDatabaseMessage(ui, path, repairFault);
            }
            CompactDatabaseRtn(path, InDirectory(directory, kRepairWorkFile), ui);
            RecordRepair(ui, fault, repaired);
            ui.ShowRepairStatus(false);
            return true;
        }
        case DbFaultKind::NotFound:
            ui.ShowMessageBox({"Critical Error",
                               QDir::toNativeSeparators(path).toStdString() +
                                   " was not found.  Please contact the help desk.",
                               BoxButtons::Ok, BoxIcon::Critical, 1});
            return false;
        case DbFaultKind::HeldElsewhere:
            // Another copy of the game has it; that copy is the one to use.
            return true;
        case DbFaultKind::TooNew:
            ui.ShowMessageBox({"Critical Error", fault.Text(), BoxButtons::Ok, BoxIcon::Critical, 1});
            return false;
        case DbFaultKind::Fatal:
            break;
        }
        return FatalDatabaseMessage(ui, path, fault);
    }
}

bool DatabaseStartupUpkeep(const QString& directory, MaintenanceUi& ui)
{
    if (!VerifyDatabase(directory, ui)) return false;
    std::int16_t count = ReadCompactIteration(directory);
    if (count > 9) {
        ui.ShowRepairStatus(true);
        const QString path = InDirectory(directory, kDatabaseFile);
        CheckExcessHistoryAndSaved(path, ui);
        // The same file as Vemo.mdb: file names are case sensitive here.
        CompactDatabaseRtn(path, InDirectory(directory, kBackupFile), ui);
        ui.ShowRepairStatus(false);
        count = 0;
    } else {
        ++count;
    }
    WriteCompactIteration(directory, count);
    return true;
}

} // namespace vemo
