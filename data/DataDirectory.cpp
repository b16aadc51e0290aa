#include "DataDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace vemo {

namespace {

const QString kDatabaseName = QStringLiteral("Vemo.mdb");

bool FileSystemCanWrite(const QString& path) { return QFileInfo(path).isWritable(); }

} // namespace

DataDirectoryInputs CurrentDataDirectoryInputs()
{
    DataDirectoryInputs inputs;
    inputs.Arguments = QCoreApplication::arguments();
    inputs.EnvironmentValue = qEnvironmentVariable("VEMO_DATA_DIR");
    inputs.ExecutableDirectory = QCoreApplication::applicationDirPath();
    // ~/.local/share/Vemo: the application's own name once, not the
    // organisation's and the application's (both "Vemo") one inside the other.
    inputs.PerUserDirectory =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("Vemo"));
    return inputs;
}

QString ResolveDataDirectory(const DataDirectoryInputs& inputs)
{
    const QString option = QStringLiteral("--data-dir");
    for (qsizetype i = 1; i < inputs.Arguments.size(); ++i) {
        const QString& argument = inputs.Arguments[i];
        if (argument == option && i + 1 < inputs.Arguments.size() && !inputs.Arguments[i + 1].isEmpty())
            return QDir::cleanPath(inputs.Arguments[i + 1]);
        if (argument.startsWith(option + QLatin1Char('=')) && argument.size() > option.size() + 1)
            return QDir::cleanPath(argument.mid(option.size() + 1));
    }
    if (!inputs.EnvironmentValue.isEmpty()) return QDir::cleanPath(inputs.EnvironmentValue);

    const auto canWrite = inputs.CanWrite ? inputs.CanWrite : FileSystemCanWrite;
    if (!inputs.ExecutableDirectory.isEmpty()) {
        const QString beside = QDir(inputs.ExecutableDirectory).filePath(kDatabaseName);
        // SQLite writes its journal beside the file, so the directory must take writes too.
        if (QFileInfo::exists(beside) && canWrite(beside) && canWrite(inputs.ExecutableDirectory))
            return QDir::cleanPath(inputs.ExecutableDirectory);
    }
    return QDir::cleanPath(inputs.PerUserDirectory);
}

QStringList ShippedDatabaseCandidates(const QString& executableDirectory)
{
    QStringList candidates = {
        QDir::cleanPath(QDir(executableDirectory).filePath(QStringLiteral("../share/vemo/") + kDatabaseName))};
    const QString programDirectory = QFileInfo(executableDirectory).canonicalFilePath();
    if (!programDirectory.isEmpty() &&
        programDirectory == QFileInfo(QStringLiteral(VEMO_BUILD_PROGRAM_DIR)).canonicalFilePath())
        candidates << QStringLiteral(VEMO_BUILD_SHIPPED_DATABASE);
    return candidates;
}

PreparedDataDirectory PrepareDataDirectory(const QString& directory, const QStringList& shippedCandidates)
{
    PreparedDataDirectory result;
    result.Directory = directory;
    result.DatabasePath = QDir(directory).filePath(kDatabaseName);
    if (QFileInfo::exists(result.DatabasePath)) {
        result.Ok = true;
        return result;
    }

    QString source;
    for (const QString& candidate : shippedCandidates) {
        if (QFileInfo(candidate).isFile() && QFileInfo(candidate).canonicalFilePath() != QFileInfo(result.DatabasePath).absoluteFilePath()) {
            source = candidate;
            break;
        }
    }
    if (source.isEmpty()) {
        result.Error = QDir::toNativeSeparators(result.DatabasePath) +
                       QStringLiteral(" was not found.  Please contact the help desk.");
        return result;
    }

    if (!QDir().mkpath(directory)) {
        result.Error = QStringLiteral("The data directory %1 cannot be created.").arg(QDir::toNativeSeparators(directory));
        return result;
    }
    // Copied under a passing name and renamed, so an interrupted copy never
    // stands as Vemo.mdb; the installed file may be read-only, the copy is not.
    const QString partial = result.DatabasePath + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(source, partial) ||
        !QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther) ||
        !QFile::rename(partial, result.DatabasePath)) {
        QFile::remove(partial);
        result.Error = QStringLiteral("The database %1 cannot be copied into the data directory %2.")
                           .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(directory));
        return result;
    }
    result.Ok = true;
    return result;
}

} // namespace vemo
