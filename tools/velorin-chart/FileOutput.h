// The command line's standard streams: output that cannot be written is an
// error like any other file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ChartFile.h"

namespace velorin_chart {

// Makes a closed standard input, output or error a descriptor that refuses
// writing, so that no file the program opens later takes its number (and
// receives what was meant for the terminal).
//
// On Windows the program's files are opened as handles of their own, which
// never take a standard stream's number; there the standard streams are made
// to pass bytes unchanged instead (no CR added before LF, no end of input at
// Ctrl-Z), so that the output is the same bytes as on other systems, and a
// console shows it as UTF-8 while the program runs.
void HoldClosedStandardStreams();
// Whether standard input was closed when the program started (it reads as
// empty since: /dev/null holds its place).
bool StandardInputWasClosed();

#ifdef _WIN32
// Windows: the arguments after the program's name, the system's UTF-16 in
// UTF-8 (as on other systems the program takes text); nothing when one is
// not valid Unicode (an unpaired surrogate).
std::optional<std::vector<std::string>> ProgramArguments(int argc, wchar_t** argv);
#endif

// Writes the text to standard output, keeping the reason of a failure for
// StandardOutputFailure (a later call cannot learn it any more).
void PrintToStandardOutput(std::string_view text);

// Whether a write through PrintToStandardOutput has failed.
bool StandardOutputFailed();

// Flushes standard output; the reason when it or an earlier write to it failed.
std::optional<std::string> StandardOutputFailure();

// The entry form's fields (by name: "year", "hour", "latitude") whose
// chart-file lines the reader skips, their values being none the form takes
// (year 2051, hour 25); "" when every line is read.
std::string UnreadChartFileFields(const app::ChartFileLines& lines);

}  // namespace velorin_chart
