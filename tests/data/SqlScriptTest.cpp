// Splitting SQL scripts into statements.

#include "SqlScript.h"

#include <gtest/gtest.h>

using namespace vemo;

namespace {

struct SplitCase { const char* script; std::vector<std::string> statements; };

TEST(Data_SqlScript, SplitsOnSemicolonsOutsideQuotesAndComments)
{
    const SplitCase cases[] = {
        {"SELECT 1; SELECT 2;", {"SELECT 1", "SELECT 2"}},
        {"INSERT INTO t VALUES ('a;b');", {"INSERT INTO t VALUES ('a;b')"}},
        {"INSERT INTO t VALUES ('D''Arcy; x')", {"INSERT INTO t VALUES ('D''Arcy; x')"}},
        {"-- comment; still comment\nSELECT 1;", {"SELECT 1"}},
        {"SELECT /* a; b */ 1;", {"SELECT   1"}},
        {"SELECT \"a;b\" FROM t;", {"SELECT \"a;b\" FROM t"}},
        {";;  ;\n-- only a comment\n", {}},
        {"SELECT 'unterminated; ", {"SELECT 'unterminated;"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitSqlStatements(c.script), c.statements) << c.script;
}

} // namespace
