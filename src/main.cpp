// Velorin, the desktop program.
#include <QApplication>
#include <QStringList>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "chart/ChartFonts.h"
#include "desktop/CommandLine.h"
#include "desktop/Program.h"
#include "entry/frmMain.h"
#include "platform/ProgramIcon.h"
#include "platform/QtPlatform.h"
#ifdef VELORIN_WITH_ATLAS
#include "atlas/SystemAtlas.h"
#endif

namespace {

// Help, version and usage errors are answered on the terminal; nothing else
// is done. Returns the exit status, or -1 to go on.
int answerOnTheTerminal(const desktop::StartRequest& request) {
    switch (request.action) {
        case desktop::StartAction::Help: std::cout << desktop::HelpText() << std::flush; return 0;
        case desktop::StartAction::Version: std::cout << desktop::VersionLine() << '\n' << std::flush; return 0;
        case desktop::StartAction::Usage:
            std::cerr << request.message << '\n' << desktop::UsageLine() << '\n';
            return 2;
        case desktop::StartAction::Start: break;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version work without a display: Qt is not started for them.
    const std::vector<std::string> raw(argv + 1, argv + argc);
    if (desktop::AsksForHelpOrVersion(raw)) return answerOnTheTerminal(desktop::ParseDesktopArguments(raw));
    // So do arguments that are wrong without any of Qt's own options among
    // them (two chart files): no display is needed to say so.
    const bool qtOptions = std::any_of(raw.begin(), raw.end(), [](const std::string& a) { return a.rfind('-', 0) == 0; });
    if (!qtOptions) {
        const desktop::StartRequest early = desktop::ParseDesktopArguments(raw);
        if (early.action == desktop::StartAction::Usage) return answerOnTheTerminal(early);
    }

    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("velorin"));
    QCoreApplication::setApplicationName(QStringLiteral("velorin"));

    // Qt has taken its own options (-platform, -style ...) out of argv.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const desktop::StartRequest request = desktop::ParseDesktopArguments(arguments);
    if (const int status = answerOnTheTerminal(request); status >= 0) return status;

    QApplication::setWindowIcon(platform::ProgramIcon());
    chart::InstallChartFonts();

    platform::QtPlatform platform;
#ifdef VELORIN_WITH_ATLAS
    // The find-coordinates button looks the place up in the atlas (which
    // outlives the windows that hold it).
    const atlas::SystemAtlas atlas;
#endif
    desktop::Program program(platform);
#ifdef VELORIN_WITH_ATLAS
    program.form().setAtlas(&atlas);
#endif
    // "velorin FILE.vrc" (as the file manager starts it) opens that chart.
    if (!program.StartProgram(QString::fromLocal8Bit(request.file.c_str()))) return 0;
    return QApplication::exec();
}
