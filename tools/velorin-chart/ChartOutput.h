// What velorin-chart prints for a computed chart.
#pragma once

#include <string>

#include "app/ChartCalculation.h"

namespace velorin_chart {

// The full month names of the user's time locale (LC_ALL, LC_TIME, LANG),
// January first; English when that locale is unknown or gives no UTF-8 names.
app::MonthNameTable UserMonthNames();

// The 26 lines of the text export, each ended by "\n"; a separator line is empty.
std::string FormatText(const app::ChartRecord& record, const app::MonthNameTable& monthNames);

// One JSON object with the record's fields, the sign boxes and the zone
// position: a field a line, or all on one line (for --batch), ended by "\n".
enum class JsonLayout { Indented, OneLine };
std::string FormatJson(const app::ChartSession& session, JsonLayout layout = JsonLayout::Indented);

// The South Indian square drawn with characters, then the Vedic details.
std::string FormatChart(const app::ChartSession& session);

// The 71 zone positions with their texts.
std::string FormatZoneList();

// A JSON string literal for a UTF-8 text; invalid bytes become U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace velorin_chart
