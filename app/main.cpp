// Main: one copy only, then the program (VemoProgram) from the splash on.

#include "ErrorBoxes.h"
#include "SingleInstance.h"
#include "Version.h"
#include "VemoProgram.h"
#include "frmMain.h"

#include <QApplication>
#include <QCommandLineParser>

using namespace vemo;

namespace {

void NameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Vemo"));
    QCoreApplication::setApplicationName(QStringLiteral("Vemo"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersionText));
}

void DescribeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Vemo, a card game with Bible verses against three computer players."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("data-dir"), QStringLiteral("Keep Vemo.mdb and error.log in <dir>."),
                      QStringLiteral("dir")});
}

} // namespace

int main(int argc, char** argv)
{
    // --help, --version and a mistyped option are answered in text and end
    // the program before anything needs a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    {
        QCommandLineParser parser;
        DescribeOptions(parser);
        if (!parser.parse(arguments) || parser.isSet(QStringLiteral("help")) ||
            parser.isSet(QStringLiteral("help-all")) || parser.isSet(QStringLiteral("version"))) {
            QCoreApplication text(argc, argv);
            NameTheProgram();
            parser.process(text); // prints, then ends the process
            return 0;
        }
    }

    QApplication app(argc, argv);
    NameTheProgram();

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
