#include "Batch.h"

#include <thread>

#include "ChartOptions.h"
#include "ChartOutput.h"
#ifdef VELORIN_WITH_CHECK
#include "CheckOutput.h"
#endif
#include "app/ChartCalculation.h"
#include "astro/Utf8Text.h"

namespace velorin_chart {

namespace {

// How many lines are read, computed and written together.
constexpr std::size_t BlockLines = 4096;

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r')) ++at_;
    }
    bool take(char c) {
        skipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool atEnd() {
        skipBlanks();
        return at_ == text_.size();
    }
    std::optional<std::string> string() {
        if (!take('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) return std::nullopt;
            const char e = text_[at_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    const std::optional<char32_t> code = unicodeEscape();
                    if (!code) return std::nullopt;
                    astro::AppendUtf8(out, *code);
                    break;
                }
                default: return std::nullopt;
            }
        }
        return std::nullopt;
    }
    // A bare word (true, false, null) or a number, as written.
    std::string word() {
        skipBlanks();
        const std::size_t start = at_;
        while (at_ < text_.size() && text_[at_] != ',' && text_[at_] != '}' && text_[at_] != ' ' &&
               text_[at_] != '\t' && text_[at_] != '\r')
            ++at_;
        return std::string(text_.substr(start, at_ - start));
    }

private:
    std::optional<char32_t> hex4() {
        if (at_ + 4 > text_.size()) return std::nullopt;
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<char32_t>(c - '0');
            else if (c >= 'a' && c <= 'f') value |= static_cast<char32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value |= static_cast<char32_t>(c - 'A' + 10);
            else return std::nullopt;
        }
        return value;
    }
    std::optional<char32_t> unicodeEscape() {
        const std::optional<char32_t> high = hex4();
        if (!high) return std::nullopt;
        if (*high < 0xD800 || *high > 0xDFFF) return high;
        if (*high > 0xDBFF || at_ + 2 > text_.size() || text_[at_] != '\\' || text_[at_ + 1] != 'u') return std::nullopt;
        at_ += 2;
        const std::optional<char32_t> low = hex4();
        if (!low || *low < 0xDC00 || *low > 0xDFFF) return std::nullopt;
        return 0x10000 + ((*high - 0xD800) << 10) + (*low - 0xDC00);
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

bool wholeNumberText(const std::string& word) {
    if (word.empty() || word.size() > 9) return false;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string errorLine(std::size_t lineNumber, const std::string& error, int status) {
    return "{\"line\": " + std::to_string(lineNumber) + ", \"error\": " + JsonString(error) +
           ", \"status\": " + std::to_string(status) + "}\n";
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

bool RunBatch(std::istream& in, std::ostream& out, unsigned jobs, bool check) {
    if (jobs == 0) jobs = 1;
    std::vector<std::string> lines;
    std::vector<std::size_t> numbers;
    std::vector<std::string> results;
    std::size_t lineNumber = 0;
    std::string line;
    bool more = true;
    while (more) {
        lines.clear();
        numbers.clear();
        while (lines.size() < BlockLines && (more = static_cast<bool>(std::getline(in, line)))) {
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
