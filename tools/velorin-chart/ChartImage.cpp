#include "ChartImage.h"

#ifdef VELORIN_WITH_IMAGES
#include <QApplication>
#include <cstdio>

#include "chart/ChartFonts.h"
#include "chart/frmDisplay.h"
#include "files/modSaveForm.h"
#endif

namespace velorin_chart {

#ifdef VELORIN_WITH_IMAGES

bool CanRenderImages() { return true; }

std::optional<std::string> WriteChartImage(const app::ChartSession& session, const app::ChartWindowTexts& texts,
                                           const app::MonthNameTable& monthNames, const std::string& path) {
    // Rendered without a display, whatever the environment says, and without
    // the toolkit's notices on the terminal.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "velorin-chart: %s\n", qPrintable(message));
    });
    int argc = 1;
    char name[] = "velorin-chart";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    chart::InstallChartFonts();

    chart::frmDisplay display(session.record, monthNames);
    display.showChart(texts);
    const QImage picture = display.renderClientArea();

    if (const QString failure = files::WriteJpeg(QString::fromStdString(path), picture); !failure.isEmpty()) {
        return failure.toStdString();
    }
    return std::nullopt;
}

#else

bool CanRenderImages() { return false; }

std::optional<std::string> WriteChartImage(const app::ChartSession&, const app::ChartWindowTexts&,
                                           const app::MonthNameTable&, const std::string&) {
    return "this build of velorin-chart cannot render pictures";
}

#endif

}  // namespace velorin_chart
