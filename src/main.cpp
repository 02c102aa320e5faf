// Velorin, the desktop program.
#include <QApplication>

#include "desktop/Program.h"
#include "platform/QtPlatform.h"
#include "web/frmAbout.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("velorin"));
    QCoreApplication::setApplicationName(QStringLiteral("velorin"));
    QApplication::setWindowIcon(web::ProgramIcon());
    desktop::InstallChartFonts();

    platform::QtPlatform platform;
    desktop::Program program(platform);
    if (!program.StartProgram()) return 0;
    return QApplication::exec();
}
