// What the chart's degrees give beyond the Rashi chart, as text: the Moon's
// own pada, the signs of a divisional chart, and the Vimshottari
// mahadashas with their antardashas.
#pragma once

#include <string>

#include "app/ChartRecord.h"
#include "app/DivisionalCharts.h"

namespace charttext {

// The Moon's pada, the signs of the division `varga` when it is not 1, and
// the dasha table (each period from and to, as dates of the birth's own
// zone; a year of `yearDays` days).
std::string FormatDerivedText(const app::ChartRecord& r, int varga, double yearDays = app::DaysPerYear);

}  // namespace charttext
