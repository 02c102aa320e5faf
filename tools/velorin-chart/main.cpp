// velorin-chart: computes a birth chart from the command line.
#include <algorithm>
#include <csignal>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ChartCalculation.h"
#include "app/ChartFile.h"
#include "app/ChartTextExport.h"
#include "app/Version.h"
#include "charttext/DerivedText.h"
#include "charttext/SquareCharts.h"
#include "io/FileKind.h"
#include "io/FileReader.h"
#include "io/FileWriter.h"
#include "velorin-chart/Batch.h"
#include "velorin-chart/ChartImage.h"
#include "velorin-chart/ChartJson.h"
#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/FileOutput.h"
#include "velorin-chart/MonthNames.h"
#include "velorin-chart/TextOutput.h"
#include "velorin-chart/PlaceOptions.h"
#ifdef VELORIN_WITH_ATLAS
#include "atlas/SystemAtlas.h"
#endif
#ifdef VELORIN_WITH_CHECK
#include "sky/SkyChart.h"
#include "charttext/CheckTable.h"
#include "velorin-chart/CheckOutput.h"
#include "velorin-chart/PanchangaOutput.h"
#endif
#ifdef _WIN32
#include <filesystem>

#include "io/WindowsText.h"
#else
#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#endif

namespace {

// Exit statuses.
constexpr int Rejected = 1;       // the birth data fails a check of the entry form
constexpr int Usage = 2;          // a malformed command line
constexpr int FileProblem = 3;    // a file that cannot be read or written

int fileError(const std::string& what, const std::string& path, const std::string& reason) {
    std::cerr << "velorin-chart: cannot " << what << " " << velorin_chart::ShownOnTerminal(path) << ": " << reason << "\n";
    return FileProblem;
}

// The status, unless what was printed could not all be written.
int finish(int status) {
    if (auto failure = velorin_chart::StandardOutputFailure()) {
        std::cerr << "velorin-chart: cannot write standard output: " << *failure << "\n";
        return FileProblem;
    }
    return status;
}

// The signal that asked a batch to stop (0: none).
volatile std::sig_atomic_t stopSignal = 0;

// --batch: one chart a line; standard input for "-".
int runBatch(const velorin_chart::ChartOptions& options, const atlas::Atlas* data) {
    const unsigned jobs = options.jobs ? options.jobs : std::max(1U, std::thread::hardware_concurrency());
#ifndef _WIN32
    // Opened first without waiting (a named pipe put there meanwhile opens
    // at once), then what was opened is looked at: regular files only, as
    // for every file read. Standard input must be open and not a folder.
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> opened;
    std::istream fileStream(nullptr);
    if (options.batchPath != "-") {
        const int fd = ::open(options.batchPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return fileError("read", options.batchPath, std::strerror(errno));
        struct stat status {};
        std::optional<std::string> reason;
        if (::fstat(fd, &status) != 0) reason = std::strerror(errno);
        else reason = io::NotARegularFileReason(status);
        if (!reason && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) reason = std::strerror(errno);
        if (reason) {
            ::close(fd);
            return fileError("read", options.batchPath, *reason);
        }
        opened = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fd, std::ios::in | std::ios::binary);
        fileStream.rdbuf(opened.get());
    } else {
        struct stat status {};
        if (velorin_chart::StandardInputWasClosed()) {
            std::cerr << "velorin-chart: cannot read standard input: it is closed\n";
            return FileProblem;
        }
        if (::fstat(STDIN_FILENO, &status) != 0) {
            std::cerr << "velorin-chart: cannot read standard input: " << (errno == EBADF ? "it is closed" : std::strerror(errno)) << "\n";
            return FileProblem;
        }
        if (S_ISDIR(status.st_mode)) {
            std::cerr << "velorin-chart: cannot read standard input: it is a folder, not a file\n";
            return FileProblem;
        }
    }
    std::istream& in = options.batchPath == "-" ? std::cin : fileStream;
#else
    std::ifstream file;
    if (options.batchPath != "-") {
        // Regular files only, as for every file read: a named pipe with no
        // writer would wait for ever, a device would be read without end.
        if (const std::optional<std::string> reason = io::NotARegularFileReason(options.batchPath)) {
            return fileError("read", options.batchPath, *reason);
        }
        // The UTF-8 name as the system's UTF-16 one.
        const std::optional<std::wstring> name = io::WideText(options.batchPath);
        if (!name) return fileError("read", options.batchPath, std::string(io::NotUtf8Reason));
        file.open(std::filesystem::path(*name), std::ios::binary);
        if (!file) return fileError("read", options.batchPath, std::strerror(errno));
    }
    std::istream& in = options.batchPath == "-" ? std::cin : file;
#endif
    velorin_chart::BatchSettings settings;
    settings.jobs = jobs;
    settings.line.check = options.check;
    settings.line.panchanga = options.panchanga;
    settings.line.atlas = data;
    settings.line.sections = options.sectionsText;
    settings.csv = options.batchCsv;
    settings.line.csvSummary = options.format == velorin_chart::OutputFormat::Csv;
    // Each answer is written whole, keeping the reason of a failed write (a
    // full disk: "No space left on device"), and the batch ends there.
    settings.writeLine = [](const std::string& line) {
        velorin_chart::PrintToStandardOutput(line);
        return !velorin_chart::StandardOutputFailed();
    };
#ifndef _WIN32
    // An interrupt or a request to terminate ends the batch after the line
    // being written, never inside one; the status is the conventional one.
    struct sigaction stop {};
    stop.sa_handler = [](int signal) { stopSignal = signal; };
    sigemptyset(&stop.sa_mask);
    // No restart: a read waiting for input is interrupted, so that a batch fed
    // by a slow producer ends at the signal with the answers it holds written.
    stop.sa_flags = 0;
    ::sigaction(SIGINT, &stop, nullptr);
    ::sigaction(SIGTERM, &stop, nullptr);
    settings.stopRequested = [] { return stopSignal != 0; };
    // Standard input from a pipe or a terminal: nothing ready means the
    // caller waits for the answers it has asked for.
    const int inputFd = options.batchPath == "-" ? STDIN_FILENO : -1;
    if (inputFd >= 0) {
        settings.inputPaused = [inputFd] {
            pollfd ready{inputFd, POLLIN, 0};
            return ::poll(&ready, 1, 0) == 0;
        };
    }
#endif
    const velorin_chart::BatchResult result = velorin_chart::RunBatch(in, std::cout, settings);
    if (stopSignal != 0) return 128 + stopSignal;
    if (in.bad()) return fileError("read", options.batchPath, std::strerror(errno));
    if (!result.problem.empty()) {
        std::cerr << "velorin-chart: --batch: " << result.problem << "\n";
        return Usage;
    }
    // Every line a chart: 0; every line answered but some refused: 1, and how many.
    if (result.written && result.refused > 0) {
        std::cerr << "velorin-chart: " << result.refused << " of " << result.lines
                  << (result.lines == 1 ? " line was" : " lines were") << " refused (their answers say why)\n";
        return finish(Rejected);
    }
    return finish(0);
}

// --save, --export and --image; the exit status when one cannot be written.
std::optional<int> writeFiles(const velorin_chart::ChartOptions& options, const app::ChartSession& session,
                              const app::MonthNameTable& monthNames) {
    if (!options.savePath.empty()) {
        // Nothing is written rather than letters lost or a file saved that
        // would not open again.
        if (const std::optional<std::string> problem = app::ChartFileProblem(session.record)) {
            return fileError("save", options.savePath, *problem);
        }
        const io::WriteResult written =
            io::WriteFile(options.savePath, app::MakeChartFileBytes(session.record, options.form.cboTimeZone));
        if (!written.written()) return fileError("write", options.savePath, written.reason);
    }
    if (!options.exportPath.empty()) {
        const io::WriteResult written = io::WriteFile(options.exportPath, app::MakeExportFileText(session.record, monthNames));
        if (!written.written()) return fileError("write", options.exportPath, written.reason);
    }
    if (!options.imagePath.empty()) {
        // A folder, named pipe or device under the picture's name is refused,
        // as for every file written (a file there is kept: the next number is written).
        if (const std::optional<std::string> reason = io::NotARegularFileReason(options.imagePath)) {
            return fileError("write", options.imagePath, *reason);
        }
        const app::ImageSaveResult saved =
            velorin_chart::WriteChartImage(session, monthNames, options.imagePath, options.varga, options.northStyle);
        if (saved.tooManyCopies) {
            std::cerr << "velorin-chart: " << app::TooManyCopiesMessage(saved.file) << "\n";
            return FileProblem;
        }
        if (!saved.written()) return fileError("write", saved.path, saved.failure);
        // Another name than the one given (a taken name, another extension).
        if (saved.path != options.imagePath) std::cerr << "velorin-chart: the picture was written as " << velorin_chart::ShownOnTerminal(saved.path) << "\n";
    }
    if (!options.pdfPath.empty()) {
        // Never over a file: a document a client has is not replaced.
        if (const std::optional<std::string> reason = io::NotARegularFileReason(options.pdfPath)) {
            return fileError("write", options.pdfPath, *reason);
        }
        const std::optional<std::string> failure =
            velorin_chart::WriteChartPdfFile(session, monthNames, options.pdfPath, options.varga, options.northStyle);
        if (failure) return fileError("write", options.pdfPath, *failure);
    }
    return std::nullopt;
}

// The chart on standard output in the format asked for, with the check's
// table or object; the note on the time bases and the example's hint.
void printChart(const velorin_chart::ChartOptions& options, const app::ChartSession& session,
                const app::MonthNameTable& monthNames, const std::string& placeJson) {
    using namespace velorin_chart;
    std::string checkJson, checkTable, panchangaJson;
#ifdef VELORIN_WITH_CHECK
    if (options.check) {
        const sky::ChartCheck check = sky::CheckChart(session.record);
        checkJson = CheckJson(check);
        checkTable = charttext::FormatCheck(check);
    }
    if (options.panchanga) {
        const sky::Panchanga panchanga = sky::PanchangaOf(
            session.record, options.panchangaChart ? sky::PanchangaPositions::Chart : sky::PanchangaPositions::Sky);
        panchangaJson = PanchangaJson(panchanga);
        checkTable += PanchangaText(panchanga);  // after the chart and its check
    }
#endif
    const app::ChartRecord& record = session.record;
    switch (options.format) {
        case OutputFormat::Text:
            PrintToStandardOutput(FormatText(record, monthNames) +
                                  charttext::FormatDerivedText(record, options.varga, options.dashaYear) + checkTable);
            break;
        case OutputFormat::Json:
            PrintToStandardOutput(FormatJson(session, JsonLayout::Indented, {std::nullopt, placeJson, checkJson, options.dashaYear, options.vargas, options.dasha, panchangaJson}));
            break;
        case OutputFormat::Chart: {
            const charttext::ChartStyle style = options.northStyle ? charttext::ChartStyle::North : charttext::ChartStyle::South;
            PrintToStandardOutput(charttext::FormatChart(record, {options.varga, style}) + checkTable);
            break;
        }
        case OutputFormat::Csv:  // a batch's only; a batch has returned before
            break;
    }
    if (options.format != OutputFormat::Json) std::cerr << TimeBasesNote(app::TimeBasesOf(record.birth));
    if (options.command == Command::Example) {
        // Kept off stdout for JSON so that the output stays one JSON object.
        std::ostream& hint = options.format == OutputFormat::Json ? std::cerr : std::cout;
        hint << "\nThis is the built-in example. For your own chart, run: velorin-chart --help\n";
    }
}

// The place from the atlas (--place, --tz): the form filled, its note and
// remarks on standard error; the status when the place cannot be used.
std::optional<int> applyPlaceStep(velorin_chart::ChartOptions& options, const atlas::Atlas& data, std::string& placeJson,
                                  std::string& localTimeGiven) {
    using namespace velorin_chart;
    const PlaceOutcome place = ApplyPlace(options, data);
    if (!place.problem.empty()) {
        std::cerr << "velorin-chart: " << ShownOnTerminal(place.problem) << "\n";
        return Usage;
    }
    if (!place.note.empty()) std::cerr << ShownOnTerminal(place.note) << "\n";
    for (const std::string& remark : place.remarks) std::cerr << "velorin-chart: " << ShownOnTerminal(remark) << "\n";
    placeJson = place.json;
    localTimeGiven = place.localTimeGiven;
    return std::nullopt;
}

// --open: the chart file's birth data into the form; the status when it
// cannot be read or holds a value the form would not take.
std::optional<int> openChartFileStep(velorin_chart::ChartOptions& options) {
    using velorin_chart::ShownOnTerminal;
    if (options.openPath.empty()) return std::nullopt;
    if (!app::HasChartFileExtension(options.openPath)) {
        std::cerr << app::CheckTheFileMessage << "\n";
        return Rejected;
    }
    const io::ReadResult read = io::ReadFileStart(options.openPath, app::MaxChartFileBytes);
    if (!read.read()) return fileError("read", options.openPath, read.error);
    const app::ChartFileLines lines = app::ReadChartFileLines(read.bytes);
    // A value the form would keep its own for (year 2051, hour 25) would
    // make a chart of another birth: refused, naming it.
    if (const std::string unread = velorin_chart::UnreadChartFileFields(lines); !unread.empty()) {
        std::cerr << "velorin-chart: " << ShownOnTerminal(options.openPath) << ": the chart file's " << unread
                  << " cannot be read (out of range or not a value the entry form takes)\n";
        return Rejected;
    }
    app::ApplyChartFile(lines, options.form);
    return std::nullopt;
}

// The chart of the form (and, with --sky, the same chart from the sky's
// positions); the status when the form's checks or the sky refuse it.
std::optional<int> computeChartStep(const velorin_chart::ChartOptions& options, const std::string& localTimeGiven,
                                    app::ChartSession& session) {
    const app::CalculationOutcome outcome = app::RunCalculation(options.form, session);
    if (!outcome.accepted()) {
        std::cerr << outcome.problem->message << "\n";
        return Rejected;
    }
    session.record.LocalTimeGiven = localTimeGiven;
#ifdef VELORIN_WITH_CHECK
    if (options.sky) {
        // The same chart from the sky's positions; every output follows it.
        sky::SkyChartResult skyChart =
            sky::SkyChartOf(session.record, options.trueNode ? sky::NodeKind::True : sky::NodeKind::Mean);
        if (!skyChart.record) {
            std::cerr << "velorin-chart: --sky: " << skyChart.problem << "\n";
            return Rejected;
        }
        session.record = std::move(*skyChart.record);
    }
#endif
    return std::nullopt;
}

// The files asked for, then the chart on standard output unless only files were.
int writeAndPrintStep(const velorin_chart::ChartOptions& options, const app::ChartSession& session,
                      const std::string& placeJson) {
    using namespace velorin_chart;
    // The user's month names (loading the locale) only when something names a month.
    const bool filesOnly = !options.savePath.empty() || !options.exportPath.empty() || !options.imagePath.empty() ||
                           !options.pdfPath.empty();
    const bool printsText = options.format == OutputFormat::Text && (options.formatGiven || !filesOnly);
    const bool namesMonths =
        !options.exportPath.empty() || !options.imagePath.empty() || !options.pdfPath.empty() || printsText;
    const app::MonthNameTable monthNames = namesMonths ? UserMonthNames() : app::EnglishMonthNames();
    if (const std::optional<int> failed = writeFiles(options, session, monthNames)) return *failed;
    if (filesOnly && !options.formatGiven) return finish(0);
    printChart(options, session, monthNames, placeJson);
    return finish(0);
}

// The whole command, step by step; argv is handed to the picture program.
int run(const std::vector<std::string>& args, char** argv) {
    using namespace velorin_chart;
    ParseResult parsed = ParseChartOptions(args);
    if (!parsed.ok()) {
        std::cerr << "velorin-chart: " << parsed.usageError << "\nrun velorin-chart --help for the options\n";
        return Usage;
    }
    ChartOptions& options = parsed.options;
    // The atlas (opened only when a place is looked up).
#ifdef VELORIN_WITH_ATLAS
    const atlas::SystemAtlas systemAtlas;
    const atlas::Atlas* data = &systemAtlas;
#else
    const atlas::Atlas* data = nullptr;
#endif
    switch (options.command) {
        case Command::Help:
            std::cout << UsageText;
            return finish(0);
        case Command::Version:
            std::cout << "velorin-chart " << app::ProgramVersion << "\n";
            return finish(0);
        case Command::Batch:
            return runBatch(options, data);
        case Command::Zones:
            std::cout << FormatZoneList();
            return finish(0);
        case Command::PlaceList:
        case Command::Example:
        case Command::Chart:
            break;
    }
    if (data && options.command == Command::PlaceList) {
        std::string problem;
        const std::string list = FormatPlaceList(options, *data, problem);
        if (!problem.empty()) {
            std::cerr << "velorin-chart: " << ShownOnTerminal(problem) << "\n";
            return Usage;
        }
        PrintToStandardOutput(list);
        return finish(0);
    }
    std::string placeJson, localTimeGiven;
    if (data) {
        if (const std::optional<int> failed = applyPlaceStep(options, *data, placeJson, localTimeGiven)) return *failed;
    }
    if (const std::optional<int> failed = openChartFileStep(options)) return *failed;
    if ((!options.imagePath.empty() || !options.pdfPath.empty()) && !CanRenderImages()) {
        // The picture program does the whole command, so that this one never
        // loads the windowing libraries.
        const std::string failure = RunPictureProgram(argv);  // returns only when it cannot start
        std::cerr << "velorin-chart: " << (options.imagePath.empty() ? "--pdf" : "--image") << ": " << failure << "\n";
        return Usage;
    }
    app::ChartSession session;
    if (const std::optional<int> failed = computeChartStep(options, localTimeGiven, session)) return *failed;
    return writeAndPrintStep(options, session, placeJson);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    velorin_chart::HoldClosedStandardStreams();
    const std::optional<std::vector<std::string>> args = velorin_chart::ProgramArguments(argc, argv);
    if (!args) {
        std::cerr << "velorin-chart: an argument is not valid Unicode text\n";
        return Usage;
    }
    return run(*args, nullptr);
}
#else
int main(int argc, char** argv) {
    velorin_chart::HoldClosedStandardStreams();
    return run(std::vector<std::string>(argv + 1, argv + argc), argv);
}
#endif
