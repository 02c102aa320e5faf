// The month names of the user's time locale, for the export and the text output.
#pragma once

#include "app/ChartTextExport.h"

namespace velorin_chart {

// The full month names of the user's time locale (LC_ALL, LC_TIME, LANG),
// January first; English when that locale is unknown or gives no UTF-8 names.
app::MonthNameTable UserMonthNames();

}  // namespace velorin_chart
