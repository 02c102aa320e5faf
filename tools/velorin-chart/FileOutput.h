// The command line's standard streams: output that cannot be written is an
// error like any other file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velorin_chart {

// Makes a closed standard input, output or error a descriptor that refuses
// writing, so that no file the program opens later takes its number (and
// receives what was meant for the terminal).
void HoldClosedStandardStreams();

// Writes the text to standard output, keeping the reason of a failure for
// StandardOutputFailure (a later call cannot learn it any more).
void PrintToStandardOutput(std::string_view text);

// Flushes standard output; the reason when it or an earlier write to it failed.
std::optional<std::string> StandardOutputFailure();

}  // namespace velorin_chart
