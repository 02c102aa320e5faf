// The chart file: 17 lines of birth data, each trimmed, shifted by +85 into
// single-byte Windows-1252 and ended by CR LF. Month comes before day, the time
// zone is stored as its list position, the flags as "True"/"False".
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/BirthForm.h"
#include "app/ChartRecord.h"

namespace app {

inline constexpr std::size_t ChartFileLineCount = 17;
inline constexpr std::string_view ChartFileExtension = "vrc";
inline constexpr std::string_view CheckTheFileMessage = "Please Check The File.";

// A reader never looks further than this into a file, nor keeps more than
// MaxChartFileLineBytes of one line: the longest text a box holds and one
// byte more, so that a longer line shows as too long and is skipped whole.
inline constexpr std::size_t MaxChartFileBytes = 64 * 1024;
inline constexpr std::size_t MaxChartFileLineBytes = MaxTextLength + 1;

// UTF-8 text to stored bytes: every character becomes its Windows-1252 code
// plus 85; a character above 170 cannot be shifted and is left out, and one
// that Windows-1252 lacks is stored as "?".
std::string EncodeChartField(std::string_view text);

// Stored bytes to UTF-8 text: every byte lowered by 85 and read as
// Windows-1252; a byte below 85 is left out.
std::string DecodeChartField(std::string_view bytes);

// The file's bytes for the record; line 7 is the zone list position the entry
// form shows.
std::string MakeChartFileBytes(const ChartRecord& record, int zoneListPosition);

// The decoded lines of a file's bytes; a line the file lacks (it is shorter)
// has no value. Lines end at CR LF, CR or LF; bytes beyond the limits above
// are not looked at. Control characters (which the form cannot take) are
// dropped from each line, the rest of the line is kept.
using ChartFileLines = std::array<std::optional<std::string>, ChartFileLineCount>;
ChartFileLines ReadChartFileLines(std::string_view bytes);

// Puts the lines into the form as the reader does: each value goes to its
// control in line order; a line the file lacks is taken as empty, so its
// text box becomes empty. A value the control does not accept (a number not
// in a list, an empty line for a list, a position out of range, a coordinate
// of more than three digits or with other characters, a text of more than
// MaxTextLength characters, a flag that is neither true nor false) is
// skipped, so the control keeps what it showed.
void ApplyChartFile(const ChartFileLines& lines, BirthFormValues& form);

// The characters of a text that a chart file cannot store (not in
// Windows-1252, or of a code above 170), in their order; empty when the
// whole text can be stored.
std::string UnstorableCharacters(std::string_view text);

// Why the chart's name or place cannot go into a chart file that opens again
// to what it holds, naming the field: characters a chart file cannot store,
// or a text of blanks only (a chart file keeps its texts without their outer
// blanks, and a file with an empty one does not open). Nothing when all four
// can be saved.
std::optional<std::string> ChartFileProblem(const ChartRecord& record);

// Whether a chosen path names a chart file: its last three characters are
// exactly "vrc".
bool HasChartFileExtension(std::string_view path);

}  // namespace app
