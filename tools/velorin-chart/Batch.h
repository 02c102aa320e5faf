// Many charts at once: one birth per input line as a JSON object whose keys
// are the long option names, one JSON line per input line out, in input order.
#pragma once

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/ChartCalculation.h"
#include "atlas/Atlas.h"

namespace velorin_chart {

// The argument vector a batch line stands for: {"name": "Ann", "zone": 34,
// "dst": true} gives --name Ann --zone 34 --dst. Keys are option names
// (lower-case letters and dashes); values are strings, whole numbers as JSON
// writes them (no leading zero) or true/false (false leaves a flag out).
// Nothing, with the reason in `error`, for a line that is not such an object.
std::optional<std::vector<std::string>> ArgumentsOfBatchLine(std::string_view line, std::string& error);

// A CSV row (its cells under the header's option names) as the JSON line
// that asks for the same chart; nothing, with the reason, when the row has
// more cells than the header.
std::optional<std::string> JsonLineOfCsvRow(const std::vector<std::string>& header, const std::vector<std::string>& cells,
                                            std::string& error);

// The cells of one CSV record read from `input` (quoted cells may hold
// commas, doubled quotes and line breaks); false at the end of the input.
// `lines` counts the line breaks read; a record of more than `limit` bytes
// sets `tooLong` (the rest of it is read past).
bool ReadCsvRecord(std::streambuf& input, std::vector<std::string>& cells, std::size_t limit, std::size_t& lines,
                   bool& tooLong);

// The output line for one input line (numbered from 1): the chart as
// `--format json` prints it, on one line, with "Line": N first, or {"line":
// N, "error": "...", "status": 1|2} (1: the form's checks refuse the birth,
// 2: the line is not a birth the command line takes, a blank line included). With `check`, or a line's "check": true,
// the chart carries its "Check" against the sky.
// What every line of a batch takes: the check against the sky, the atlas
// for a line's "place" or "tz" (without one such a line is an error line),
// and the JSON's optional parts (--sections) for lines that do not say.
struct LineSettings {
    bool check = false;
    const atlas::Atlas* atlas = nullptr;
    std::string sections;
    // --format csv: each answer is a row of the summary table (CsvSummaryHeader)
    // instead of the JSON object, an error in its "Error" cell.
    bool csvSummary = false;
    bool panchanga = false;  // every line's panchanga (a line may ask with "panchanga": true)
};

// The answer to a line that gives no chart: ErrorLine, or with csvSummary a
// row of the summary table with the error in its last cell.
std::string AnswerOfError(const LineSettings& settings, std::size_t lineNumber, const std::string& error, int status);

// The summary row of a computed chart (with csvSummary), appended to `out`:
// the line's number, the name, date and time (with the time given, after a
// conversion to universal time), the place, the Lagna's sign and degree, the
// Moon's sign, nakshatra and own pada, the mahadasha running at the birth
// and its balance. Cells are quoted as RFC 4180 has it; a text of the
// line's own (name, time, place) beginning with =, +, -, @ or a tab begins
// with ' so that no spreadsheet takes it for a formula.
void AppendCsvSummaryRow(std::string& out, std::size_t lineNumber, const app::ChartRecord& record);

// The header row of the summary table a batch writes with --format csv.
inline constexpr const char* CsvSummaryHeader =
    "Line,Name,Date,Time,Place,Lagna,Lagna Degree,Moon Sign,Nakshatra,Pada,Dasha at Birth,Balance,Error\r\n";
// `scratch` is room a thread uses again from line to line (a line's chart
// starts afresh in it, as in a new session, so no line depends on another).
std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, const LineSettings& settings = {});
std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, const LineSettings& settings,
                                 app::ChartSession& scratch);
// The same written into `out` in place of what it held (its room is kept);
// true when it is a chart, false when an error line.
bool WriteChartLineOfBatchLine(std::string& out, std::string_view line, std::size_t lineNumber,
                               const LineSettings& settings, app::ChartSession& scratch);

// How many lines a batch reads, computes and writes together, and the longest
// line it takes (a birth needs a few hundred bytes; a longer line is answered
// with an error and never held in memory whole). The texts of a block's
// charts (about 14 KB each, 3.5 MB a block) are written into the room of the
// block before: a batch asks the system for no new memory as it goes, and a
// block stays within the processor's caches.
inline constexpr std::size_t BatchBlockLines = 256;
inline constexpr std::size_t MaxBatchLineBytes = 65536;

// {"line": N, "error": "...", "status": S} and a line break.
std::string ErrorLine(std::size_t lineNumber, const std::string& error, int status);

struct BatchSettings {
    unsigned jobs = 1;                       // threads, at least 1
    // The input is CSV (RFC 4180: quoted fields, doubled quotes, CR LF, a
    // byte-order mark): a header row of option names (the JSON lines' keys),
    // then one birth a row, answered as the same row written as a JSON line
    // would be ("Line": the row's first line in the file). An empty cell
    // gives nothing; true or false (yes or no) set a flag or not.
    bool csv = false;
    LineSettings line;                       // the check, the atlas and the sections of every line
    std::size_t blockLines = BatchBlockLines;
    // Starts a thread that runs `work`; false when the system cannot start
    // one (the default starts a std::thread). Tests put a failing one here.
    std::function<bool(std::function<void()> work, std::vector<std::thread>& threads)> startThread;
    // Writes one answer line whole; false when the output failed (the batch
    // then ends). Without it the lines go to `out`.
    std::function<bool(const std::string& line)> writeLine;
    // Asked between lines: true ends the batch after the line being written
    // (an interrupt or a request to terminate).
    std::function<bool()> stopRequested;
    // Asked before a block's next line when nothing is left in the reading
    // buffer: true when no more input is ready now (a caller that writes one
    // line and waits for its answer). The block then ends and is answered.
    std::function<bool()> inputPaused;
};

// Reads lines until the end of `in`, writes one output line for each, in
// order: the chart (with "Line": N first) or an error line; a blank line is
// the error "empty line", a line longer than MaxBatchLineBytes one of its
// own; a UTF-8 byte-order mark before the first line is skipped. It computes
// a block of `blockLines` lines at a time on up to `jobs` threads (the
// threads that start: when the system cannot start more, the batch goes on
// with those), so that memory stays bounded whatever the input. Returns false
// when the output fails.
struct BatchResult {
    std::string problem;      // the batch could not start (a CSV header that names no options)
    bool written = false;     // every answer was written (the output did not fail)
    std::size_t lines = 0;    // lines answered
    std::size_t refused = 0;  // of them, answered with an error instead of a chart
    explicit operator bool() const { return written; }
};
BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchSettings& settings);

}  // namespace velorin_chart
