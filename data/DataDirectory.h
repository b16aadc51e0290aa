#pragma once
// Where Vemo.mdb, error.log and the upkeep files live, and how that
// directory receives its first copy of the installed database.

#include <QString>
#include <QStringList>

#include <functional>

namespace vemo {

struct DataDirectoryInputs {
    QStringList Arguments;       // the command line, program name first
    QString EnvironmentValue;    // VEMO_DATA_DIR; empty when unset
    QString ExecutableDirectory; // the directory holding the program
    QString PerUserDirectory;    // QStandardPaths::AppDataLocation
    // Whether the program may write path; by default the file system's answer.
    std::function<bool(const QString& path)> CanWrite;
};

// The inputs of this process.
DataDirectoryInputs CurrentDataDirectoryInputs();

// In order: --data-dir DIR (or --data-dir=DIR), VEMO_DATA_DIR, the
// executable's directory when it holds a Vemo.mdb the program can write,
// the per-user directory.
QString ResolveDataDirectory(const DataDirectoryInputs& inputs);

// Where the pristine shipped database is searched: the installed one in
// ../share/vemo relative to the executable, then, for the program of a build
// tree, the build's own copy made from the script. Never a Vemo.mdb beside
// the program: that one is a live database, played on.
QStringList ShippedDatabaseCandidates(const QString& executableDirectory);

struct PreparedDataDirectory {
    bool Ok = false;
    QString Directory;
    QString DatabasePath;
    QString Error; // what to tell the user when not Ok
};

// Creates directory when needed and, when it has no Vemo.mdb, copies the
// first shipped database found among candidates into it.
PreparedDataDirectory PrepareDataDirectory(const QString& directory, const QStringList& shippedCandidates);

} // namespace vemo
