#pragma once
// Runs an SQL script (statements separated by semicolons) on a connection,
// the way the sqlite3 tool reads the shipped script.

#include <QSqlDatabase>

#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// The statements of script without comments; a semicolon inside a quoted
// string or name does not end a statement.
std::vector<std::string> SplitSqlStatements(std::string_view script);

// Runs every statement in order; throws DatabaseFault at the first failure.
void RunSqlScript(QSqlDatabase& db, std::string_view script);

} // namespace vemo
