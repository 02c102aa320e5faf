// Velorin, the desktop program.
#include <QApplication>
#include <QStringList>

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
    // "velorin FILE.vrc" (as the file manager starts it) opens that chart.
    const QStringList arguments = QCoreApplication::arguments();
    if (!program.StartProgram(arguments.size() > 1 ? arguments.at(1) : QString())) return 0;
    return QApplication::exec();
}
