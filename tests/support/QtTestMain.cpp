// The main of the widget tests: a QApplication on the offscreen platform, the
// chart fonts, and settings kept in a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "chart/ChartFonts.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("velorin-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("velorin-tests"));
    if (!chart::InstallChartFonts()) {
        fprintf(stderr, "The bundled chart fonts are missing from the build.\n");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
