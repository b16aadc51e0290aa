#include "DatabaseFault.h"

namespace vemo {

namespace {

class SqliteErrorCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "sqlite"; }
    std::string message(int code) const override { return "SQLite result code " + std::to_string(code); }
};

} // namespace

DbFaultKind ClassifySqliteCode(int code)
{
    switch (code & 0xff) {
    case sqlite_code::NotADb:
    case sqlite_code::Corrupt: return DbFaultKind::Damaged;
    case sqlite_code::CantOpen: return DbFaultKind::NotFound;
    case sqlite_code::Busy:
    case sqlite_code::Locked: return DbFaultKind::HeldElsewhere;
    default: return DbFaultKind::Fatal;
    }
}

const std::error_category& SqliteCategory()
{
    static const SqliteErrorCategory category;
    return category;
}

DatabaseFault::DatabaseFault(int code, const std::string& text)
    : DatabaseFault(ClassifySqliteCode(code), code, text)
{
}

DatabaseFault::DatabaseFault(DbFaultKind kind, int code, const std::string& text)
    : std::system_error(code, SqliteCategory(), text), kind_(kind), text_(text)
{
}

DatabaseFault FaultFrom(const QSqlError& error, const std::string& context)
{
    bool numeric = false;
    int code = error.nativeErrorCode().toInt(&numeric);
    // Qt reports some failures (a driver that is missing, a statement that
    // could not be prepared) without an SQLite code.
    if (!numeric || code == 0) code = sqlite_code::Error;
    std::string text = error.databaseText().toStdString();
    if (text.empty()) text = error.driverText().toStdString();
    return DatabaseFault(code, context.empty() ? text : context + ": " + text);
}

} // namespace vemo
