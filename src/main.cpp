// Velorin, the desktop program.
#include <QApplication>

#include "chart/ChartFonts.h"
#include "desktop/Program.h"
#include "platform/ProgramIcon.h"
#include "platform/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("velorin"));
    QCoreApplication::setApplicationName(QStringLiteral("velorin"));
    QApplication::setWindowIcon(platform::ProgramIcon());
    chart::InstallChartFonts();

    platform::QtPlatform platform;
    desktop::Program program(platform);
    if (!program.StartProgram()) return 0;
    return QApplication::exec();
}
