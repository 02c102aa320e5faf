#include "velorin-chart/Batch.h"

#include <thread>

#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/ChartJson.h"
#include "velorin-chart/Json.h"
#ifdef VELORIN_WITH_CHECK
#include "velorin-chart/CheckOutput.h"
#endif
#include "app/ChartCalculation.h"
#include "astro/DecimalDigits.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

bool wholeNumberText(const std::string& word) { return astro::ParseDigits(word, 1, 9).has_value(); }

std::string errorLine(std::size_t lineNumber, const std::string& error, int status) {
    std::string out;
    JsonWriter json(out);
    json.beginObject().key("line").integer(static_cast<long long>(lineNumber)).key("error").string(error);
    json.key("status").integer(status).endObject();
    out += '\n';
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> ArgumentsOfBatchLine(std::string_view line, std::string& error) {
    JsonReader reader(line);
    std::vector<std::string> args;
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
            const std::string option = "--" + *key;
            if (const std::optional<std::string> text = reader.string()) {
                args.push_back(option + "=" + *text);
                continue;
            }
            const std::string word = reader.word();
            if (word == "true") {
                args.push_back(option);
            } else if (word == "false") {
                // a flag that is not set
            } else if (wholeNumberText(word)) {
                args.push_back(option + "=" + word);
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

std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, bool check) {
    if (!astro::IsValidUtf8(line)) return errorLine(lineNumber, "the line is not valid UTF-8", 2);
    std::string error;
    const std::optional<std::vector<std::string>> args = ArgumentsOfBatchLine(line, error);
    if (!args) return errorLine(lineNumber, error, 2);
    const ParseResult parsed = ParseChartOptions(*args);
    if (!parsed.ok()) return errorLine(lineNumber, parsed.usageError, 2);
    const ChartOptions& options = parsed.options;
    if (options.command != Command::Chart || !options.openPath.empty() || !options.savePath.empty() ||
        !options.exportPath.empty() || !options.imagePath.empty() || options.formatGiven) {
        return errorLine(lineNumber, "a batch line holds birth data options only", 2);
    }
    app::ChartSession session;
    const app::CalculationOutcome outcome = app::RunCalculation(options.form, session);
    if (!outcome.accepted()) return errorLine(lineNumber, outcome.problem->message, 1);
#ifdef VELORIN_WITH_CHECK
    if (check || options.check) return FormatJson(session, JsonLayout::OneLine, CheckJson(sky::CheckChart(session.record)));
#else
    (void)check;  // a line's own "check" is refused by the options' parser
#endif
    return FormatJson(session, JsonLayout::OneLine);
}

bool RunBatch(std::istream& in, std::ostream& out, unsigned jobs, bool check, std::size_t blockLines) {
    if (jobs == 0) jobs = 1;
    if (blockLines == 0) blockLines = 1;
    std::vector<std::string> lines;
    std::vector<std::size_t> numbers;
    std::vector<std::string> results;
    std::size_t lineNumber = 0;
    std::string line;
    bool more = true;
    while (more) {
        lines.clear();
        numbers.clear();
        while (lines.size() < blockLines && (more = static_cast<bool>(std::getline(in, line)))) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            lines.push_back(line);
            numbers.push_back(lineNumber);
        }
        results.assign(lines.size(), std::string());
        const auto work = [&](std::size_t first, std::size_t step) {
            for (std::size_t i = first; i < lines.size(); i += step) results[i] = ChartLineOfBatchLine(lines[i], numbers[i], check);
        };
        const std::size_t threads = std::min<std::size_t>(jobs, std::max<std::size_t>(lines.size(), 1));
        std::vector<std::thread> workers;
        for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work, t, threads);
        work(0, threads);
        for (std::thread& worker : workers) worker.join();
        for (const std::string& result : results) out << result;
        if (!out) return false;
    }
    return static_cast<bool>(out.flush());
}

}  // namespace velorin_chart
