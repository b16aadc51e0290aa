// A stand-in for a start of the game, for the single-instance tests: it tries
// to become the running copy and says on standard output what it became.
//   SingleInstanceProbe LOCK_DIRECTORY INSTANCE_NAME
// The first copy prints "first", then "raise" for each request it receives, and
// ends after the first request (or after a minute, so none is left behind). A
// later copy prints "second", asks the first to raise its window, and prints
// "asked" or "unanswered".
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace {

void Say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: SingleInstanceProbe LOCK_DIRECTORY INSTANCE_NAME\n");
        return 2;
    }
    vemo::SingleInstance guard(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[1]));
    if (!guard.IsFirst()) {
        Say("second");
        Say(guard.AskFirstToRaise(10000) ? "asked" : "unanswered");
        return 0;
    }
    Say("first");
    QObject::connect(&guard, &vemo::SingleInstance::raiseRequested, &app, [] {
        Say("raise");
        // Let the acknowledgement reach the asking copy before leaving.
        QTimer::singleShot(200, qApp, &QCoreApplication::quit);
    });
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
