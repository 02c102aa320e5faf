#include "velorin-chart/Batch.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/ChartJson.h"
#include "velorin-chart/Json.h"
#include "velorin-chart/TextOutput.h"
#ifdef VELORIN_WITH_CHECK
#include "sky/SkyChart.h"
#include "velorin-chart/CheckOutput.h"
#include "velorin-chart/PanchangaOutput.h"
#endif
#include "velorin-chart/PlaceOptions.h"
#include "app/ChartCalculation.h"
#include "astro/DecimalDigits.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

// A whole number as JSON writes it: no sign, no leading zero (034 is no JSON).
bool wholeNumberText(const std::string& word) {
    return astro::ParseDigits(word, 1, 9).has_value() && (word.size() == 1 || word.front() != '0');
}

// A key names an option: lower-case letters and inner dashes ("name",
// "dasha-year"); "name=Eve" or "--name" would slip another option in.
bool optionName(const std::string& key) {
    if (key.empty() || key.front() == '-' || key.back() == '-') return false;
    return std::all_of(key.begin(), key.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

}  // namespace

std::string ErrorLine(std::size_t lineNumber, const std::string& error, int status) {
    std::string out;
    JsonWriter json(out);
    json.beginObject().key("line").integer(static_cast<long long>(lineNumber)).key("error").string(error);
    json.key("status").integer(status).endObject();
    out += '\n';
    return out;
}

std::optional<std::vector<std::string>> ArgumentsOfBatchLine(std::string_view line, std::string& error) {
    JsonReader reader(line);
    std::vector<std::string> args;
    args.reserve(16);
    if (!reader.take('{')) {
        error = "a line must be one JSON object";
        return std::nullopt;
    }
    if (!reader.take('}')) {
        do {
            const std::optional<std::string> key = reader.string();
            if (!key || !reader.take(':')) {
                error = "a line must be one JSON object of \"key\": value pairs";
                return std::nullopt;
            }
            if (!optionName(*key)) {
                error = "\"" + ShownOnTerminal(*key) + "\" is not the name of an option";
                return std::nullopt;
            }
            // "--key=value" made in one piece: a line has a dozen.
            const auto argument = [&key](std::optional<std::string_view> value) {
                std::string made;
                made.reserve(key->size() + (value ? value->size() : 0) + 3);
                made += "--";
                made += *key;
                if (value) made.append("=").append(*value);
                return made;
            };
            if (const std::optional<std::string> text = reader.string()) {
                args.push_back(argument(*text));
                continue;
            }
            const std::string word = reader.word();
            if (word == "true") {
                args.push_back(argument(std::nullopt));
            } else if (word == "false") {
                // a flag that is not set
            } else if (wholeNumberText(word)) {
                args.push_back(argument(word));
            } else {
                error = "the value of \"" + *key + "\" must be a text, a whole number, true or false";
                return std::nullopt;
            }
        } while (reader.take(','));
        if (!reader.take('}')) {
            error = "a line must be one JSON object";
            return std::nullopt;
        }
    }
    if (!reader.atEnd()) {
        error = "a line must hold one JSON object only";
        return std::nullopt;
    }
    return args;
}

std::optional<std::string> JsonLineOfCsvRow(const std::vector<std::string>& header, const std::vector<std::string>& cells,
                                            std::string& error) {
    if (cells.size() > header.size()) {
        error = "the row has " + std::to_string(cells.size()) + " cells, the header names " + std::to_string(header.size());
        return std::nullopt;
    }
    std::string line;
    JsonWriter json(line);
    json.beginObject();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::string lower = cells[i];
        for (char& ch : lower) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        if (cells[i].empty() || lower == "false" || lower == "no") continue;  // nothing asked
        json.key(header[i]);
        if (lower == "true" || lower == "yes") json.boolean(true);
        else json.string(cells[i]);
    }
    json.endObject();
    return line;
}

bool ReadCsvRecord(std::streambuf& input, std::vector<std::string>& cells, std::size_t limit, std::size_t& lines,
                   bool& tooLong) {
    cells.assign(1, std::string());
    tooLong = false;
    std::size_t bytes = 0;
    bool quoted = false, any = false;
    constexpr int End = std::char_traits<char>::eof();
    for (int c = input.sbumpc(); c != End; c = input.sbumpc()) {
        any = true;
        if (quoted) {
            if (c == '"') {
                if (input.sgetc() == '"') {
                    input.sbumpc();  // a doubled quote is one
                } else {
                    quoted = false;
                    continue;
                }
            }
        } else if (c == '"') {
            quoted = true;
            continue;
        } else if (c == ',') {
            cells.emplace_back();
            continue;
        } else if (c == '\r' && input.sgetc() == '\n') {
            continue;  // CR LF ends the record at its LF
        } else if (c == '\n') {
            ++lines;
            return true;
        }
        if (c == '\n') ++lines;
        if (++bytes <= limit) {
            cells.back() += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    return any;
}

namespace {

// The chart of a batch line appended to `out`; the error line the line gets
// instead, or nothing.
std::string chartOrError(std::string& out, std::string_view line, std::size_t lineNumber, const LineSettings& settings,
                         app::ChartSession& scratch) {
    const auto ErrorLine = [&settings](std::size_t number, const std::string& error, int status) {
        return AnswerOfError(settings, number, error, status);
    };
    if (line.find_first_not_of(" \t") == std::string_view::npos) return ErrorLine(lineNumber, "empty line", 2);
    if (!astro::IsValidUtf8(line)) return ErrorLine(lineNumber, "the line is not valid UTF-8", 2);
    std::string error;
    std::optional<std::vector<std::string>> args = ArgumentsOfBatchLine(line, error);
    if (!args) return ErrorLine(lineNumber, error, 2);
    if (!settings.sections.empty() && std::none_of(args->begin(), args->end(), [](const std::string& arg) {
            return arg.rfind("--sections=", 0) == 0;
        })) {
        args->push_back("--sections=" + settings.sections);
    }
    ParseResult parsed = ParseChartOptions(*args);
    if (!parsed.ok()) return ErrorLine(lineNumber, parsed.usageError, 2);
    ChartOptions options = std::move(parsed.options);
    if (options.command != Command::Chart || !options.openPath.empty() || !options.savePath.empty() ||
        !options.exportPath.empty() || !options.imagePath.empty() || !options.pdfPath.empty() || options.formatGiven) {
        return ErrorLine(lineNumber, "a batch line holds birth data options only", 2);
    }
    JsonExtras extras;
    extras.line = lineNumber;
    extras.yearDays = options.dashaYear;
    extras.vargas = options.vargas;
    extras.dasha = options.dasha;
    std::string placeJson, localTimeGiven;
    if (!options.placeQuery.empty() || !options.timeZoneName.empty()) {
        if (!settings.atlas) return ErrorLine(lineNumber, "the atlas could not be loaded: the place cannot be looked up", 2);
        PlaceOutcome place = ApplyPlace(options, *settings.atlas);
        if (!place.problem.empty()) return ErrorLine(lineNumber, place.problem, 2);
        placeJson = std::move(place.json);
        extras.place = placeJson;
        localTimeGiven = std::move(place.localTimeGiven);
    }
    // A new session, in the room of the last one (its texts' storage is kept).
    scratch = app::ChartSession{};
    app::ChartSession& session = scratch;
    if (const std::optional<app::InputProblem> problem = app::CalculateChart(options.form, session)) {
        return ErrorLine(lineNumber, problem->message, 1);
    }
    session.record.LocalTimeGiven = localTimeGiven;
#ifdef VELORIN_WITH_CHECK
    if (options.sky) {
        sky::SkyChartResult skyChart =
            sky::SkyChartOf(session.record, options.trueNode ? sky::NodeKind::True : sky::NodeKind::Mean);
        if (!skyChart.record) return ErrorLine(lineNumber, "--sky: " + skyChart.problem, 1);
        session.record = std::move(*skyChart.record);
    }
#endif
    if (settings.csvSummary) {
        AppendCsvSummaryRow(out, lineNumber, session.record);
        return {};
    }
#ifdef VELORIN_WITH_CHECK
    std::string checkJson, panchangaJson;
    if (settings.check || options.check) {
        checkJson = CheckJson(sky::CheckChart(session.record));
        extras.check = checkJson;
    }
    if (settings.panchanga || options.panchanga) {
        panchangaJson = PanchangaJson(sky::PanchangaOf(
            session.record, options.panchangaChart ? sky::PanchangaPositions::Chart : sky::PanchangaPositions::Sky));
        extras.panchanga = panchangaJson;
    }
    AppendJson(out, session, JsonLayout::OneLine, extras);
    return {};
#else
    // a line's own "check" or "panchanga" is refused by the options' parser
#endif
    AppendJson(out, session, JsonLayout::OneLine, extras);
    return {};
}

}  // namespace

bool WriteChartLineOfBatchLine(std::string& out, std::string_view line, std::size_t lineNumber,
                               const LineSettings& settings, app::ChartSession& scratch) {
    out.clear();  // its room is kept
    const std::string error = chartOrError(out, line, lineNumber, settings, scratch);
    if (!error.empty()) out.assign(error);
    return error.empty();
}

std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, const LineSettings& settings) {
    app::ChartSession scratch;
    return ChartLineOfBatchLine(line, lineNumber, settings, scratch);
}

std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, const LineSettings& settings,
                                 app::ChartSession& scratch) {
    std::string out;
    out.reserve(16384);
    WriteChartLineOfBatchLine(out, line, lineNumber, settings, scratch);
    return out;
}

namespace {

bool startStandardThread(std::function<void()> work, std::vector<std::thread>& threads) {
    try {
        threads.emplace_back(std::move(work));
        return true;
    } catch (const std::system_error&) {
        return false;  // the system's limit of threads or memory: go on with fewer
    }
}

// One line of input without its line break, at most `limit` bytes of it
// kept (the rest of a longer line is read past, not held); false at the end
// of the input when there is no line left.
bool readLine(std::streambuf& input, std::string& line, std::size_t limit, bool& tooLong,
              const std::function<bool()>& stopped) {
    line.clear();
    tooLong = false;
    bool any = false;
    std::size_t read = 0;
    for (int c = input.sbumpc(); c != std::char_traits<char>::eof(); c = input.sbumpc()) {
        // A line without end (standard input from /dev/zero) still hears a stop.
        if (++read % 65536 == 0 && stopped()) return false;
        any = true;
        if (c == '\n') return true;
        if (line.size() < limit) {
            line += static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    return any;
}

}  // namespace

BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings) {
    BatchResult result;
    const unsigned jobs = std::max(settings.jobs, 1U);
    const std::size_t blockLines = std::max<std::size_t>(settings.blockLines, 1);
    const auto& startThread = settings.startThread ? settings.startThread : startStandardThread;
    const std::function<bool()> stopped = [&settings] { return settings.stopRequested && settings.stopRequested(); };
    std::streambuf* input = in.rdbuf();
    if (!input) {
        result.written = static_cast<bool>(out.flush());
        return result;
    }
    std::vector<std::string> lines;
    std::vector<std::size_t> numbers;
    std::vector<std::string> results;
    std::vector<char> charted;  // per line of the block: a chart was written
    std::size_t lineNumber = 0;
    std::string line;
    bool more = true;
    // CSV: the header first (a byte-order mark before it is skipped).
    std::vector<std::string> header, cells;
    std::size_t csvLines = 0;
    if (settings.csv) {
        if (input->sgetc() == 0xEF) {
            std::string mark(3, '\0');
            if (input->sgetn(mark.data(), 3) != 3 || mark != "\xEF\xBB\xBF") {
                result.problem = "the CSV input begins with bytes that are not UTF-8 text";
                return result;
            }
        }
        bool tooLong = false;
        if (!ReadCsvRecord(*input, header, MaxBatchLineBytes, csvLines, tooLong) || tooLong) {
            result.problem = "the CSV input has no header row naming the options (name,date,time,place...)";
            return result;
        }
        for (std::string& name : header) {
            name.erase(0, name.find_first_not_of(' '));
            name.erase(name.find_last_not_of(' ') + 1);
            if (!IsOptionKey(name)) {
                result.problem = "the CSV header's column '" + ShownOnTerminal(name) + "' is not the name of an option";
                return result;
            }
        }
    }
    // The next line (or CSV row, as its JSON line) and its number.
    std::string rowError;
    const auto readNext = [&](bool& tooLong) -> bool {
        if (!settings.csv) {
            if (!readLine(*input, line, MaxBatchLineBytes, tooLong, stopped)) return false;
            ++lineNumber;
            if (lineNumber == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a byte-order mark
            return true;
        }
        lineNumber = csvLines + 1;
        if (!ReadCsvRecord(*input, cells, MaxBatchLineBytes, csvLines, tooLong)) return false;
        if (tooLong) return true;
        std::string error;
        const bool blank = cells.size() == 1 && cells[0].find_first_not_of(" \t") == std::string::npos;
        const std::optional<std::string> json = blank ? std::optional<std::string>(std::string()) : JsonLineOfCsvRow(header, cells, error);
        // A row that cannot be a line is answered with its reason.
        line = json ? *json : std::string();
        rowError = json ? std::string() : error;
        return true;
    };
    if (settings.line.csvSummary) {
        const std::string summaryHeader = CsvSummaryHeader;
        if (settings.writeLine ? !settings.writeLine(summaryHeader) : !(out << summaryHeader)) return result;
    }
    while (more && !stopped()) {
        lines.clear();
        numbers.clear();
        bool tooLong = false;
        // A block ends early when the input pauses, so that its answers do not wait for lines to come.
        const auto paused = [&] {
            return !lines.empty() && settings.inputPaused && input->in_avail() <= 0 && settings.inputPaused();
        };
        while (lines.size() < blockLines && !paused() && (more = readNext(tooLong))) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const bool answered = tooLong || !rowError.empty();  // answered here, without a chart
            lines.push_back(answered ? std::string() : line);
            numbers.push_back(answered ? 0 : lineNumber);
            if (results.size() < lines.size()) results.emplace_back();  // the texts of the block before are written into
            if (charted.size() < lines.size()) charted.push_back(0);
            charted[lines.size() - 1] = 0;
            if (answered) {
                results[lines.size() - 1].assign(AnswerOfError(settings.line, 
                    lineNumber,
                    tooLong ? "the line is longer than " + std::to_string(MaxBatchLineBytes) + " bytes" : rowError, 2));
                rowError.clear();
            }
        }
        // Each thread takes the next line not yet taken: the lines of a thread
        // that could not start are taken by the others.
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            app::ChartSession scratch;
            for (std::size_t i = next++; i < lines.size(); i = next++) {
                if (numbers[i] != 0) {
                    charted[i] = WriteChartLineOfBatchLine(results[i], lines[i], numbers[i], settings.line, scratch) ? 1 : 0;
                }
            }
        };
        const std::size_t threads = std::min<std::size_t>(jobs, std::max<std::size_t>(lines.size(), 1));
        std::vector<std::thread> workers;
        for (std::size_t t = 1; t < threads && startThread(work, workers); ++t) {
        }
        work();
        for (std::thread& worker : workers) worker.join();
        // Whole lines only: when a stop is asked for, the line being written
        // is finished and no other begun.
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (settings.writeLine ? !settings.writeLine(results[i]) : !(out << results[i])) return result;
            ++result.lines;
            if (!charted[i]) ++result.refused;
            if (stopped()) break;
        }
    }
    result.written = settings.writeLine ? true : static_cast<bool>(out.flush());
    return result;
}

}  // namespace velorin_chart
