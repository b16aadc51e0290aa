#include "DatabaseSalvage.h"

#include "DatabaseFault.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QTemporaryFile>

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_set>

namespace vemo {

namespace {

// SQLite numbers rows from 1 and the program never chooses a rowid; the
// zeros of a page lost from a short file read as rows numbered 0.
constexpr qint64 kLowestRowid = 1;
constexpr qint64 kHighestRowid = std::numeric_limits<qint64>::max();
constexpr int kHeaderSize = 100;
// A table cell with its pointer takes at least this many bytes of a page.
constexpr int kSmallestCell = 4;

QString Quoted(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A read-only connection that tolerates a schema naming pages the file no
// longer has (a short file): writable_schema skips that check.
class DamagedReader {
public:
    explicit DamagedReader(const QString& path)
    {
        static std::atomic<int> serial{0};
        name_ = QStringLiteral("vemo-salvage-%1").arg(++serial);
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db_.open()) QSqlQuery(db_).exec(QStringLiteral("PRAGMA writable_schema=ON"));
    }
    ~DamagedReader()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    DamagedReader(const DamagedReader&) = delete;
    DamagedReader& operator=(const DamagedReader&) = delete;

    QSqlDatabase& Db() { return db_; }

    // The names the schema lists; empty when it cannot be read.
    QStringList Tables()
    {
        QStringList tables;
        QSqlQuery query(db_);
        if (!db_.isOpen() || !query.exec(QStringLiteral("SELECT name FROM sqlite_master")))
            return tables;
        while (query.next()) tables << query.value(0).toString();
        return tables;
    }

private:
    QString name_;
    QSqlDatabase db_;
};

QStringList ColumnsOf(QSqlDatabase& db, const QString& table)
{
    QStringList columns;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Quoted(table)))) return columns;
    while (query.next()) columns << query.value(1).toString().toLower();
    return columns;
}

int CountRows(QSqlDatabase& db, const QString& table)
{
    QSqlQuery count(db);
    return count.exec(QStringLiteral("SELECT count(*) FROM %1").arg(Quoted(table))) && count.next() ? count.value(0).toInt() : 0;
}

// first + step, stopping at last.
qint64 StepTowards(qint64 first, quint64 step, qint64 last)
{
    // last - first fits in an unsigned 64-bit number since first <= last.
    const quint64 room = static_cast<quint64>(last) - static_cast<quint64>(first);
    return step >= room ? last : static_cast<qint64>(static_cast<quint64>(first) + step);
}

// Copies one table by rowid ranges. A range is read in order until SQLite
// fails; the rows after the failure are then found again by seeking further
// and further on, and the gap left behind is searched the same way. A seek
// fails only when its path runs through a page that cannot be read, so the
// searches stay short even over the whole rowid range.
class TableSalvage {
public:
    TableSalvage(QSqlDatabase& from, QSqlDatabase& to, const QString& table, const std::function<void()>& progress)
        : from_(from), to_(to), table_(table), wanted_(ColumnsOf(to, table)), progress_(progress),
          maxCells_(QFileInfo(from.databaseName()).size() / kSmallestCell + 1)
    {
    }

    void Run()
    {
        if (wanted_.isEmpty()) return;
        Salvage(kLowestRowid, kHighestRowid);
        // A damaged cell can carry a rowid far beyond its neighbours', and a
        // seek from it passes the rows after it. Reading down from the end
        // brings back what lies behind the last page that fails.
        Read(kLowestRowid, kHighestRowid, Order::Descending);
    }

private:
    enum class Order { Ascending, Descending };

    struct RangeRead {
        bool complete = false;     // every row of the range was read
        std::optional<qint64> last; // the last rowid read
    };

    void Salvage(qint64 first, qint64 last)
    {
        qint64 next = first;
        while (next <= last) {
            const RangeRead read = Read(next, last);
            if (read.complete) return;
            if (read.last) {
                // Start again right after the last good row: usually that
                // fails at once, and the search below takes over.
                if (*read.last >= last) return;
                next = *read.last + 1;
                continue;
            }
            // Nothing readable at next: seek ever further on until a read works.
            qint64 failed = next;
            quint64 step = 1;
            for (;;) {
                if (failed >= last) return;
                const qint64 probe = StepTowards(next, step, last);
                const RangeRead found = Read(probe, last);
                if (found.complete || found.last) {
                    if (probe - 1 >= failed + 1) Salvage(failed + 1, probe - 1);
                    if (found.complete || *found.last >= last) return;
                    next = *found.last + 1;
                    break;
                }
                failed = probe;
                step *= 2;
            }
        }
    }

    RangeRead Read(qint64 first, qint64 last, Order order = Order::Ascending)
    {
        const bool descending = order == Order::Descending;
        if (progress_) progress_();
        RangeRead result;
        QSqlQuery rows(from_);
        rows.setForwardOnly(true);
        // The whole table is read without a bound: a seek trusts the rowids'
        // order, and a damaged one (a wild rowid, the zeros of a lost page at
        // the end) would stop it before rows SQLite can still read.
        const bool whole = first == kLowestRowid && last == kHighestRowid;
        if (!rows.prepare(QStringLiteral("SELECT rowid AS salvage_rowid, * FROM %1%2 ORDER BY rowid%3")
                              .arg(Quoted(table_), whole ? QString() : QStringLiteral(" WHERE rowid >= ? AND rowid <= ?"),
                                   descending ? QStringLiteral(" DESC") : QString())))
            return result;
        if (!whole) {
            rows.addBindValue(first);
            rows.addBindValue(last);
        }
        if (!rows.exec()) return result;
        QSqlQuery insert(to_);
        std::optional<QSqlRecord> shape;
        QList<int> fields;
        // A damaged page link can lead round to pages read already, for
        // ever. A damaged rowid can also repeat a neighbour's, so one row met
        // again is kept apart, not taken for a loop: the read ends when more
        // rows came again than new, or after more cells than the file holds.
        std::unordered_set<qint64> seen;
        std::size_t again = 0;
        qint64 stepped = 0;
        while (rows.next()) {
            if (++stepped > maxCells_) return result;
            const QSqlRecord record = rows.record();
            if (!shape) {
                shape = record;
                QStringList names;
                QStringList marks;
                for (int i = 1; i < record.count(); ++i) {
                    if (!wanted_.contains(record.fieldName(i).toLower())) continue;
                    fields << i;
                    names << Quoted(record.fieldName(i));
                    marks << QStringLiteral("?");
                }
                if (fields.isEmpty()) return {true, {}};
                insert.prepare(QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3)")
                                   .arg(Quoted(table_), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
            }
            // A damaged page can hand out rows the seek should have passed.
            const qint64 rowid = record.value(0).toLongLong();
            if (rowid < first || rowid > last) continue;
            if (!seen.insert(rowid).second) {
                if (++again > seen.size()) return result;
                continue; // the first row read under a rowid is kept
            }
            result.last = rowid;
            for (const int field : fields) insert.addBindValue(record.value(field));
            insert.exec(); // a row the new schema refuses is left behind
            if (++read_ % 64 == 0 && progress_) progress_();
        }
        result.complete = !rows.lastError().isValid();
        return result;
    }

    QSqlDatabase& from_;
    QSqlDatabase& to_;
    QString table_;
    QStringList wanted_;
    const std::function<void()>& progress_;
    qint64 maxCells_;
    int read_ = 0;
};

quint16 PageSizeField(int pageSize) { return pageSize == 65536 ? 1 : static_cast<quint16>(pageSize); }

// The header rebuilt around the given page size: the fields a reader needs
// set to sound values, the rest as they were. The page count is left to
// SQLite to take from the file's length.
QByteArray MendedHeader(QByteArray header, int pageSize)
{
    header = header.leftJustified(kHeaderSize, '\0', true);
    header.replace(0, 16, QByteArray("SQLite format 3", 16));
    const quint16 field = PageSizeField(pageSize);
    header[16] = static_cast<char>(field >> 8);
    header[17] = static_cast<char>(field & 0xff);
    header[18] = 1; // rollback journal: a WAL file of the damaged one is not read
    header[19] = 1;
    if (pageSize - static_cast<unsigned char>(header[20]) < 480) header[20] = 0;
    header[21] = 64;
    header[22] = 32;
    header[23] = 32;
    for (int i = 28; i < 40; ++i) header[i] = 0; // page count, free list
    if (header[47] < 1 || header[47] > 4 || header[44] || header[45] || header[46]) {
        header.replace(44, 4, QByteArray("\0\0\0\4", 4));
    }
    if (header[59] < 1 || header[59] > 3 || header[56] || header[57] || header[58]) {
        header.replace(56, 4, QByteArray("\0\0\0\1", 4));
    }
    return header;
}

// The page size the damaged header names, when it is a possible one.
std::optional<int> StatedPageSize(const QByteArray& header)
{
    if (header.size() < 18) return std::nullopt;
    const int field = (static_cast<unsigned char>(header[16]) << 8) | static_cast<unsigned char>(header[17]);
    const int size = field == 1 ? 65536 : field;
    if (size < 512 || (size & (size - 1)) != 0) return std::nullopt;
    return size;
}

// A copy of the damaged file whose header has been mended so that its schema
// can be read, or nothing when no page size makes sense of it. The copy lives
// in mended and goes when it does.
bool MendHeader(const QString& damagedPath, QTemporaryFile& mended)
{
    QFile damaged(damagedPath);
    if (!damaged.open(QIODevice::ReadOnly) || damaged.size() < 512) return false;
    const QByteArray header = damaged.read(kHeaderSize);
    if (!mended.open()) return false;
    mended.write(QByteArray(kHeaderSize, '\0'));
    while (!damaged.atEnd()) {
        const QByteArray chunk = damaged.read(1 << 16);
        if (chunk.isEmpty() || mended.write(chunk) != chunk.size()) return false;
    }
    QList<int> sizes = {4096, 1024, 2048, 8192, 16384, 32768, 65536, 512};
    if (const auto stated = StatedPageSize(header)) {
        sizes.removeAll(*stated);
        sizes.prepend(*stated);
    }
    for (const int size : sizes) {
        if (!mended.seek(0) || mended.write(MendedHeader(header, size)) != kHeaderSize || !mended.flush()) return false;
        DamagedReader reader(mended.fileName());
        if (!reader.Tables().isEmpty()) return true;
    }
    return false;
}

} // namespace

QString KeepDamagedCopy(const QString& path)
{
    const QFileInfo info(path);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    const QString base = info.dir().filePath(info.completeBaseName() + QStringLiteral("-damaged-") + stamp);
    QString copy = base + QStringLiteral(".mdb");
    for (int n = 2; QFileInfo::exists(copy); ++n) copy = base + QStringLiteral("-%1.mdb").arg(n);
    if (!QFile::copy(path, copy)) {
        QFile::remove(copy);
        throw DatabaseFault(DbFaultKind::Fatal, sqlite_code::IoErr,
                            "The damaged database could not be kept as " + copy.toStdString() +
                                " before its repair; it is left as it is");
    }
    return copy;
}

SalvageResult SalvageRows(const QString& damagedPath, QSqlDatabase& to, const std::function<void()>& progress)
{
    SalvageResult result;
    QTemporaryFile mended(QFileInfo(damagedPath).dir().filePath(QStringLiteral("Vemo-mending-XXXXXX.mdb")));
    QString readable = damagedPath;
    if (DamagedReader(damagedPath).Tables().isEmpty()) {
        if (!MendHeader(damagedPath, mended)) return result;
        readable = mended.fileName();
    }
    DamagedReader reader(readable);
    // Verses and ComputerPlayers come fresh from the shipped script; the
    // player's own rows are what is worth saving. Each table is asked for by
    // its own name: SQLite knows a table by its CREATE statement, so a damaged
    // type or name in the schema's listing must not hide it.
    for (const char* name : {"SavedGames", "History", "Properties"})
        TableSalvage(reader.Db(), to, QString::fromLatin1(name), progress).Run();
    // The new file started with none of the player's rows.
    result.SavedGames = CountRows(to, QStringLiteral("SavedGames"));
    result.History = CountRows(to, QStringLiteral("History"));
    return result;
}

} // namespace vemo
