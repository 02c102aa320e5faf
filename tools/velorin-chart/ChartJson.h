// The chart as JSON (--format json and every --batch line).
#pragma once

#include <string>
#include <string_view>

#include "app/ChartCalculation.h"

namespace velorin_chart {

// One JSON object with the record's fields, the sign boxes, the zone
// position, the Moon's pada, the divisional charts, both universal times and
// the Vimshottari periods: a field a line, or all on one line (for --batch),
// ended by "\n". A `check` (a JSON value) is added last as "Check".
enum class JsonLayout { Indented, OneLine };
std::string FormatJson(const app::ChartSession& session, JsonLayout layout = JsonLayout::Indented,
                       std::string_view check = {});

}  // namespace velorin_chart
