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
// mean node), not the chart's own rules" (or "true node").
std::string SkyPositionsLine(const ChartRecord& record);

// The lines of the record's export; line 2 names the month from the table.
std::array<std::string, ExportLineCount> MakeExportLines(const ChartRecord& record, const MonthNameTable& monthNames);

// The lines joined with CR LF after each one: the bytes of the export file
// (with SkyPositionsLine after them for the sky's positions).
std::string MakeExportFileText(const ChartRecord& record, const MonthNameTable& monthNames);

}  // namespace app
