// The table's tests need a QApplication; they run on the offscreen platform.
#include "ReportError.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Faults the tests provoke are logged out of the way.
    vemo::SetErrorLogDirectory(QDir::tempPath().toStdString());
    // Each test process keeps its settings apart: tests run side by side and
    // clear or change the options while another reads them.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
