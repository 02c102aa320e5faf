// The chart as JSON (--format json and every --batch line).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"

namespace velorin_chart {

// What a chart's JSON carries beyond the chart: a batch's line number (first,
// as "Line"), the place from the atlas ("Place", a JSON object), the check
// against the sky ("Check", last), the panchanga ("Panchanga", before it) and
// the dasha year's length ("YearDays").
struct JsonExtras {
    std::optional<std::size_t> line;
    std::string_view place;
    std::string_view check;
    double yearDays = app::DaysPerYear;
    bool vargas = true;  // "DivisionalCharts"
    bool dasha = true;   // "YearDays" and "Vimshottari"
    std::string_view panchanga{};  // "Panchanga", before "Check"
};

// One JSON object with the record's fields, the sign boxes, the zone
// position, the Moon's pada, the divisional charts, both universal times and
// the Vimshottari periods: a field a line, or all on one line (for --batch),
// ended by "\n".
enum class JsonLayout { Indented, OneLine };
std::string FormatJson(const app::ChartSession& session, JsonLayout layout = JsonLayout::Indented,
                       const JsonExtras& extras = {});
// The same appended to `out` (a batch writes each line into the room of one
// it wrote before).
void AppendJson(std::string& out, const app::ChartSession& session, JsonLayout layout, const JsonExtras& extras);

}  // namespace velorin_chart
