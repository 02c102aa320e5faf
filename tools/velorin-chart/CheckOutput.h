// What --check adds to a chart's JSON: the chart beside the sky (the table
// for text and chart output is charttext/CheckTable.h).
#pragma once

#include <string>

#include "sky/ChartCheck.h"

namespace velorin_chart {

// The "Check" object of the JSON output: Instant, DeltaTSeconds, Ayanamsa,
// Bodies (Name, SkyLongitude, ChartLongitude, DifferenceArcmin, SkySign,
// SignDiffers, SkyNakshatra, NakshatraDiffers; null where the sky has no
// value) and Notes.
std::string CheckJson(const sky::ChartCheck& check);

}  // namespace velorin_chart
