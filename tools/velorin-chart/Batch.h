// Many charts at once: one birth per input line as a JSON object whose keys
// are the long option names, one JSON line per input line out, in input order.
#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velorin_chart {

// The argument vector a batch line stands for: {"name": "Ann", "zone": 34,
// "dst": true} gives --name Ann --zone 34 --dst. Values are strings, whole
// numbers or true/false (false leaves a flag out). Nothing, with the reason in
// `error`, for a line that is not such an object.
std::optional<std::vector<std::string>> ArgumentsOfBatchLine(std::string_view line, std::string& error);

// The output line for one input line (numbered from 1): the chart as
// `--format json` prints it, on one line, or {"line": N, "error": "...",
// "status": 1|2} (1: the form's checks refuse the birth, 2: the line is not a
// birth the command line takes). With `check`, or a line's "check": true,
// the chart carries its "Check" against the sky.
std::string ChartLineOfBatchLine(std::string_view line, std::size_t lineNumber, bool check = false);

// How many lines a batch reads, computes and writes together.
inline constexpr std::size_t BatchBlockLines = 4096;

// Reads lines until the end of `in`, writes one output line each to `out`,
// computing on `jobs` threads (at least 1) a block of `blockLines` lines at a
// time, so that memory stays bounded whatever the input's size. Empty lines
// are skipped (they produce nothing). Returns false when `out` fails.
bool RunBatch(std::istream& in, std::ostream& out, unsigned jobs, bool check = false,
              std::size_t blockLines = BatchBlockLines);

}  // namespace velorin_chart
