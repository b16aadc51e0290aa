#pragma once
// Faults of the database, sorted into the four cases start-up acts on. The
// number the user sees is SQLite's own result code.

#include <QSqlError>

#include <string>
#include <system_error>

namespace vemo {

enum class DbFaultKind {
    Damaged,       // not a database, or a malformed one (26, 11): repair it
    NotFound,      // missing file or path (14)
    HeldElsewhere, // busy or locked by another process (5, 6)
    Fatal,         // anything else
    TooNew,        // written by a newer version of the program: left alone
};

// SQLite result codes the program tells apart.
namespace sqlite_code {
inline constexpr int Error = 1;
inline constexpr int Busy = 5;
inline constexpr int Locked = 6;
inline constexpr int ReadOnly = 8;
inline constexpr int IoErr = 10;
inline constexpr int Corrupt = 11;
inline constexpr int CantOpen = 14;
inline constexpr int NotADb = 26;
} // namespace sqlite_code

// Extended codes carry the primary code in their low byte.
DbFaultKind ClassifySqliteCode(int code);

const std::error_category& SqliteCategory();

// A system_error, so that the common error reporter shows the SQLite code.
class DatabaseFault : public std::system_error {
public:
    DatabaseFault(int code, const std::string& text);
    DatabaseFault(DbFaultKind kind, int code, const std::string& text);
    DbFaultKind Kind() const { return kind_; }
    int Number() const { return code().value(); }
    // The description alone, without the code.
    const std::string& Text() const { return text_; }

private:
    DbFaultKind kind_;
    std::string text_;
};

// The fault behind a failed Qt SQL call; context names what was being done.
DatabaseFault FaultFrom(const QSqlError& error, const std::string& context);

} // namespace vemo
