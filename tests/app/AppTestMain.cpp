// The application's tests need a QApplication; they run on the offscreen
// platform. With --probe LOCK_DIRECTORY INSTANCE_NAME the program stands in
// for a start of the game, for the single-instance tests: the first copy
// prints "first", then "raise" for the first request it receives, and ends
// (or after a minute, so none is left behind); a later copy prints "second",
// asks the first to raise its window, and prints "asked" or "unanswered".
#include "ReportError.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

int Probe(const char* directory, const char* name)
{
    const auto say = [](const char* line) { std::printf("%s\n", line); std::fflush(stdout); };
    vemo::SingleInstance guard(QString::fromLocal8Bit(name), QString::fromLocal8Bit(directory));
    if (!guard.IsFirst()) {
        say("second");
        say(guard.AskFirstToRaise(10000) ? "asked" : "unanswered");
        return 0;
    }
    say("first");
    QObject::connect(&guard, &vemo::SingleInstance::raiseRequested, qApp, [say] {
        say("raise");
        // Let the acknowledgement reach the asking copy before leaving.
        QTimer::singleShot(200, qApp, &QCoreApplication::quit);
    });
    QTimer::singleShot(60000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--probe") == 0) return Probe(argv[2], argv[3]);
    // Faults the tests provoke are logged out of the way.
    vemo::SetErrorLogDirectory(QDir::tempPath().toStdString());
    // Each test process keeps its settings apart: tests run side by side and
    // clear or change the options while another reads them.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
