// What --check adds to a chart's output: the chart beside the sky.
#pragma once

#include <string>

#include "sky/ChartCheck.h"

namespace velorin_chart {

// The "Check" object of the JSON output: Instant, DeltaTSeconds, Ayanamsa,
// Bodies (Name, SkyLongitude, ChartLongitude, DifferenceArcmin, SkySign,
// SignDiffers, SkyNakshatra, NakshatraDiffers; null where the sky has no
// value) and Notes.
std::string CheckJson(const sky::ChartCheck& check);

// The same as a table with the notes under it, for text and chart output.
std::string FormatCheck(const sky::ChartCheck& check);

}  // namespace velorin_chart
