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

// EncodeChartField: UTF-8 text to stored bytes.
//   Given:   UTF-8 text; a byte that is not UTF-8 is taken as the Latin-1
//            character of its value.
//   Returns: one byte 85..255 for each character kept: its Windows-1252 code
//            plus 85.
//   Notes:   a character whose code is above 170 cannot be shifted and is left
//            out (among them every Latin-1 letter from U+00C0 on: À, é), and
//            one that Windows-1252 lacks is stored as "?". Nothing is
//            trimmed; no stored byte is CR or LF, so a text never breaks a line.
std::string EncodeChartField(std::string_view text);

// Stored bytes to UTF-8 text: every byte lowered by 85 and read as
// Windows-1252; a byte below 85 is left out. The five codes Windows-1252
// leaves undefined give the C1 control of the same number.
std::string DecodeChartField(std::string_view bytes);

// The file's bytes for the record; line 7 is the zone list position the entry
// form shows. The 17 lines in order: name, month, day, year, hour, minute,
// zone position, longitude degrees and minutes, latitude degrees and
// minutes, East, South, daylight saving, city, state, country. Numbers are
// decimal without leading zeros; each field loses its outer blanks and is
// then encoded (EncodeChartField), so characters a file cannot store are lost
// here without a word (ChartFileProblem says so beforehand).
std::string MakeChartFileBytes(const ChartRecord& record, int zoneListPosition);

// The decoded lines of a file's bytes; a line the file lacks (it is shorter)
// has no value. Lines end at CR LF, CR or LF; bytes beyond the limits above
// are not looked at. Control characters (which the form cannot take) are
// dropped from each line, the rest of the line is kept.
// Empty bytes give 17 lines without value; a line end after the last line
// starts no further line; of a line longer than MaxChartFileLineBytes only
// its first MaxChartFileLineBytes bytes are decoded; lines after the 17th are
// ignored.
using ChartFileLines = std::array<std::optional<std::string>, ChartFileLineCount>;
ChartFileLines ReadChartFileLines(std::string_view bytes);

// Puts the lines into the form as the reader does: each value goes to its
// control in line order; a line the file lacks is taken as empty, so its
// text box becomes empty. A value the control does not accept (a number not
// in a list, an empty line for a list, a position out of range, a coordinate
// of more than three digits or with other characters, a text of more than
// MaxTextLength characters, a flag that is neither true nor false) is
// skipped, so the control keeps what it showed.
//   Notes:   the day, year, hour and minute must be written as their list
//            shows them ("5", not "05"); the month (1..12) and the zone
//            position (0..70) are numbers of up to four digits, leading
//            zeros allowed. A flag is "True" or "False" in any case with
//            blanks around it, or a number of up to four digits with an
//            optional minus sign (0 is false). An empty line empties a
//            coordinate box. Name and place texts are checked only on their
//            length: they may hold what typing could not put there (digits,
//            signs).
void ApplyChartFile(const ChartFileLines& lines, BirthFormValues& form);

// The characters of a text that a chart file cannot store (not in
// Windows-1252, or of a code above 170), in their order and each time they
// occur, as UTF-8; empty when the whole text can be stored. A byte that is
// not UTF-8 counts as the Latin-1 character of its value.
std::string UnstorableCharacters(std::string_view text);

// Why the chart's name or place cannot go into a chart file that opens again
// to what it holds, naming the field: characters a chart file cannot store,
// or a text of blanks only (a chart file keeps its texts without their outer
// blanks, and a file with an empty one does not open). Nothing when all four
// can be saved.
//   Returns: the first problem, fields in the order name, city, state,
//            country and each field's characters before its blanks: "the
//            <field> holds characters a chart file cannot store: <them>" or
//            "the <field> is blanks only: a chart file keeps it without its
//            blanks, and the file would not open again".
//   Notes:   an empty field counts as blanks only.
std::optional<std::string> ChartFileProblem(const ChartRecord& record);

// Whether a chosen path names a chart file: its last three characters are
// exactly "vrc". Case counts ("VRC" is not) and no dot is asked for ("avrc"
// is).
bool HasChartFileExtension(std::string_view path);

}  // namespace app
