// The human-readable text export of a chart: 26 lines of fixed labels and
// values. The two separator lines (9 and 20) hold a single carriage return, so
// a file with CR LF line ends carries CR CR LF there.
#pragma once

#include <array>
#include <string>

#include "app/BirthForm.h"
#include "app/ChartRecord.h"

namespace app {

inline constexpr std::size_t ExportLineCount = 26;
inline constexpr std::string_view ExportSeparatorLine = "\r";

// The line after the 26 of a chart made from the sky's positions (velorin-chart
// --sky), so that it is never taken for the chart of the program's own rules:
// "Positions: the sky at the true birth instant (apparent, Lahiri ayanamsa,
// mean node), not the chart's own rules" (or "true node" with SkyTrueNode).
// Made whatever SkyPositions says; without a line end.
std::string SkyPositionsLine(const ChartRecord& record);

// The lines of the record's export, without line ends; line 2 names the month
// from the table ("" for a month outside 1..12). Lines 1..8 are the birth
// data ("Name: ", "Date of Birth: ", "Time of Birth: <h> Hour <m> Minute",
// with " (UT; <LocalTimeGiven>)" when that is not empty, the latitude and
// longitude in degrees and minutes without direction, "City: ", "State: ",
// "Country: "); 10 is "Planetary Position" and 11..19 the nine bodies Sun ..
// Ketu, each its English name, a blank and its compact position text; 21..26
// the ayanamsa, lagna, nakshatra, rashi (the Moon pass's own RashiName), pada
// and lord. Numbers are written without leading zeros.
std::array<std::string, ExportLineCount> MakeExportLines(const ChartRecord& record, const MonthNameTable& monthNames);

// The lines joined with CR LF after each one: the bytes of the export file
// (with SkyPositionsLine and its CR LF after them for the sky's positions).
// The texts stay UTF-8, with no byte-order mark.
std::string MakeExportFileText(const ChartRecord& record, const MonthNameTable& monthNames);

}  // namespace app
