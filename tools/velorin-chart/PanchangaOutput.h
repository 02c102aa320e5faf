// What --panchanga adds to a chart: the "Panchanga" object of the JSON and
// the block that follows the chart in text and chart output.
#pragma once

#include <string>

#include "sky/Panchanga.h"

namespace velorin_chart {

// The "Panchanga" object: Positions ("sky" or "chart"), Sunrise and Sunset
// ("YYYY-MM-DDTHH:MM" in the birth's own clock, null where the Sun does not
// rise or set that day), Tithi {Number, Name, Paksha, Elapsed, Ends}, Vara
// {Number, Name}, Nakshatra {Number, Name, Pada, Ends}, Yoga {Number, Name,
// Ends}, Karana {Number, Name, Ends}.
std::string PanchangaJson(const sky::Panchanga& panchanga);

// The panchanga's lines after a blank line, each ended by a line break.
std::string PanchangaText(const sky::Panchanga& panchanga);

}  // namespace velorin_chart
