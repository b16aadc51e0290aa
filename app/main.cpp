// Main: one copy only, then the program (VemoProgram) from the splash on.

#include "ErrorBoxes.h"
#include "SingleInstance.h"
#include "Version.h"
#include "VemoProgram.h"
#include "frmMain.h"

#include <QApplication>
#include <QCommandLineParser>

using namespace vemo;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vemo"));
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersionText));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vemo, a card game with Bible verses against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("data-dir"), QStringLiteral("Keep Vemo.mdb and error.log in <dir>."),
                      QStringLiteral("dir")});
    parser.process(app);

    ErrorBoxes errorBoxes;
    SetErrorReportHandler(&errorBoxes);

    // 1. One copy only: a second start brings the running copy forward.
    SingleInstance instance;
    if (!instance.IsFirst()) {
        instance.AskFirstToRaise();
        return 0;
    }

    VemoProgram program([](int status) { QApplication::exit(status); });
    QObject::connect(&instance, &SingleInstance::raiseRequested, &app, [&program] {
        if (frmMain* table = program.Table()) {
            table->showNormal();
            table->raise();
            table->activateWindow();
        }
    });
    program.Start();
    return app.exec();
}
