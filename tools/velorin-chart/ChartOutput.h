// What velorin-chart prints for a computed chart.
#pragma once

#include <string>
#include <string_view>

#include "app/ChartCalculation.h"
#include "app/TimeBases.h"

namespace velorin_chart {

// The full month names of the user's time locale (LC_ALL, LC_TIME, LANG),
// January first; English when that locale is unknown or gives no UTF-8 names.
app::MonthNameTable UserMonthNames();

// The 26 lines of the text export, each ended by "\n"; a separator line is empty.
std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames);

// One JSON object with the record's fields, the sign boxes and the zone
// position: a field a line, or all on one line (for --batch), ended by "\n".
// A `check` (a JSON value) is added last as "Check".
enum class JsonLayout { Indented, OneLine };
std::string FormatJson(const app::ChartSession& session, JsonLayout layout = JsonLayout::Indented,
                       std::string_view check = {});

// Which chart --format chart draws: the division (1 the Rashi chart, else
// 2, 3, 7, 9, 10, 12) and the style of the square.
enum class ChartStyle { South, North };
struct ChartDrawing {
    int varga = 1;
    ChartStyle style = ChartStyle::South;
};

// The note printed on standard error when the time bases differ, or "".
std::string TimeBasesNote(const app::TimeBases& bases);

// The name of a division's chart: "Rashi (D1)", "Navamsa (D9)" ...
std::string VargaName(int varga);

// The square drawn with characters (South Indian: the signs fixed in their
// ring; North Indian: the houses fixed, the Ascendant's sign in the top
// centre house, signs numbered 1..12 in their houses), then the Vedic details.
std::string FormatChart(const app::ChartSession& session, const ChartDrawing& drawing = {});

// What the text output adds after the export's lines: the Moon's pada, the
// signs of a divisional chart when one is asked for (varga other than 1),
// and the Vimshottari mahadashas with their antardashas.
std::string FormatDerivedText(const app::ChartSession& session, int varga);

// The 71 zone positions with their texts.
std::string FormatZoneList();

// A JSON string literal for a UTF-8 text; invalid bytes become U+FFFD.
std::string JsonString(std::string_view text);

// A JSON number (17 significant digits, a point in every locale); null when
// not finite.
std::string JsonNumber(double value);

}  // namespace velorin_chart
