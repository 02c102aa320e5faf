#include "velorin-chart/ChartImage.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>
#ifndef _WIN32
#include <unistd.h>
#endif

#ifdef VELORIN_WITH_IMAGES
#include <QApplication>
#include <cstdio>
#include <ctime>

#include "astro/BirthData.h"
#include "chart/ChartFonts.h"
#include "chart/ChartPdf.h"
#include "chart/frmDisplay.h"
#include "charttext/VedicDetails.h"
#include "files/modSaveForm.h"
#endif

namespace velorin_chart {

#ifdef _WIN32

std::string RunPictureProgram(char**) {
    return "pictures are not made by velorin-chart on Windows (they need the chart window of the desktop "
           "program, which is not built there); --save, --export and --format work as elsewhere";
}

#else

namespace {

// Replaces this process by a helper of the program's own installation:
// beside it or in its libexec folder, found from the running program; where
// that cannot be known (no /proc), only the folder the build installs it in,
// never the current folder.
std::string runHelper(const char* name, char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    std::vector<std::filesystem::path> candidates;
    if (!error && self.is_absolute()) {
        candidates = {self.parent_path() / name, self.parent_path() / VELORIN_PICTURE_PROGRAM_FROM_BINDIR / name};
    } else {
        candidates = {std::filesystem::path(VELORIN_PICTURE_PROGRAM_INSTALLED_DIR) / name};
    }
    int reason = ENOENT;
    for (const std::filesystem::path& candidate : candidates) {
        ::execv(candidate.c_str(), argv);
        if (errno != ENOENT) reason = errno;
    }
    std::string places;
    for (const std::filesystem::path& candidate : candidates) places += (places.empty() ? "" : " or ") + candidate.string();
    return std::string(name) + " cannot be started from " + places + ": " + std::strerror(reason);
}

}  // namespace

std::string RunPictureProgram(char** argv) { return runHelper("velorin-chart-image", argv); }

#endif

#ifdef VELORIN_WITH_IMAGES

namespace {

app::LocalTime localNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm t{};
    ::localtime_r(&now.tv_sec, &t);
    return astro::LocalMinuteOf(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min) +
           std::chrono::seconds{t.tm_sec} + std::chrono::milliseconds{now.tv_nsec / 1000000};
}

}  // namespace

bool CanRenderImages() { return true; }

// The application the chart window is drawn in: without a display, whatever
// the environment says, and without the toolkit's notices on the terminal.
class OffscreenApplication {
public:
    OffscreenApplication() { chart::InstallChartFonts(); }

private:
    // Before the application is made.
    static bool prepare() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "velorin-chart: %s\n", qPrintable(message));
        });
        return true;
    }
    [[maybe_unused]] bool prepared_ = prepare();
    int argc_ = 1;
    char name_[14] = "velorin-chart";
    char* argv_[2] = {name_, nullptr};
    QApplication application_{argc_, argv_};
};

app::ImageSaveResult WriteChartImage(const app::ChartSession& session, const app::MonthNameTable& monthNames,
                                     const std::string& chosenPath, int varga, bool north) {
    const OffscreenApplication application;
    chart::frmDisplay display(session.record, monthNames);
    display.showDrawing(session.record, varga, north);
    const QImage picture = display.renderClientArea();

    // A name without a folder is in the current folder (the desktop would
    // take the program's), and is given back as it was typed.
    const bool here = chosenPath.find('/') == std::string::npos;
    app::ImageNamingContext context;
    context.programFolder = ".";
    context.now = localNow();
    app::ImageSaveResult saved = files::WriteJpegUnderFreeName(here ? "./" + chosenPath : chosenPath, picture, context);
    if (here && saved.path.starts_with("./")) saved.path.erase(0, 2);
    return saved;
}

std::optional<std::string> WriteChartPdfFile(const app::ChartSession& session, const app::MonthNameTable& monthNames,
                                             const std::string& path, int varga, bool north) {
    const OffscreenApplication application;
    chart::frmDisplay display(session.record, monthNames);
    display.showDrawing(session.record, varga, north);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const double today = 2440587.5 + static_cast<double>(now.tv_sec) / 86400.0;
    const QByteArray pdf = chart::MakeChartPdf(display.renderClientArea(), session.record, north, monthNames,
                                               charttext::MakeVedicDetails(session.record, today));
    const io::WriteResult written = chart::WriteChartPdf(path, pdf);
    if (written.written()) return std::nullopt;
    return written.reason;
}

#else

bool CanRenderImages() { return false; }

app::ImageSaveResult WriteChartImage(const app::ChartSession&, const app::MonthNameTable&, const std::string& chosenPath,
                                     int, bool) {
    app::ImageSaveResult result;
    result.path = chosenPath;
    result.failure = "this build of velorin-chart cannot render pictures";
    return result;
}

std::optional<std::string> WriteChartPdfFile(const app::ChartSession&, const app::MonthNameTable&, const std::string&,
                                             int, bool) {
    return "this build of velorin-chart cannot render pictures";
}

#endif

}  // namespace velorin_chart
