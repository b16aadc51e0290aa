#include "SqlScript.h"

#include "DatabaseFault.h"

#include <QSqlQuery>

namespace vemo {

std::vector<std::string> SplitSqlStatements(std::string_view script)
{
    std::vector<std::string> statements;
    std::string current;
    auto finish = [&] {
        const auto first = current.find_first_not_of(" \t\r\n");
        if (first != std::string::npos) {
            const auto last = current.find_last_not_of(" \t\r\n");
            statements.push_back(current.substr(first, last - first + 1));
        }
        current.clear();
    };

    for (std::size_t i = 0; i < script.size(); ++i) {
        const char c = script[i];
        const char next = i + 1 < script.size() ? script[i + 1] : '\0';
        if (c == '\'' || c == '"') {
            // Quoted text runs to the matching quote; a doubled quote is part of it.
            current += c;
            for (++i; i < script.size(); ++i) {
                current += script[i];
                if (script[i] == c) {
                    if (i + 1 < script.size() && script[i + 1] == c) {
                        current += script[++i];
                        continue;
                    }
                    break;
                }
            }
        } else if (c == '-' && next == '-') {
            while (i < script.size() && script[i] != '\n') ++i;
            current += '\n';
        } else if (c == '/' && next == '*') {
            const auto end = script.find("*/", i + 2);
            i = end == std::string_view::npos ? script.size() : end + 1;
            current += ' ';
        } else if (c == ';') {
            finish();
        } else {
            current += c;
        }
    }
    finish();
    return statements;
}

void RunSqlScript(QSqlDatabase& db, std::string_view script)
{
    for (const std::string& statement : SplitSqlStatements(script)) {
        QSqlQuery query(db);
        if (!query.exec(QString::fromStdString(statement)))
            throw FaultFrom(query.lastError(), "Running the database script");
    }
}

} // namespace vemo
