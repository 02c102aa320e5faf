// The chart as JSON (--format json and every --batch line).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"

namespace velorin_chart {

// One JSON object with the record's fields, the sign boxes, the zone
// position, the Moon's pada, the divisional charts, both universal times and
// the Vimshottari periods: a field a line, or all on one line (for --batch),
// ended by "\n". A `check` (a JSON value) is added last as "Check".
enum class JsonLayout { Indented, OneLine };
// `line` (a batch's line number) comes first as "Line" when given.
// The dasha's year is `yearDays` long ("YearDays" says so).
std::string FormatJson(const app::ChartSession& session, JsonLayout layout = JsonLayout::Indented,
                       std::string_view check = {}, std::optional<std::size_t> line = std::nullopt,
                       double yearDays = app::DaysPerYear);

}  // namespace velorin_chart
