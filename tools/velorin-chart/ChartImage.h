// Renders the chart window offscreen and writes it as a JPEG.
#pragma once

#include <optional>
#include <string>

#include "app/ChartCalculation.h"

namespace velorin_chart {

// True when this build can render pictures (it has the desktop program's parts).
bool CanRenderImages();

// Writes the chart window of the session, 1000 x 543 at normal scale, as a
// JPEG of quality 100. Returns the reason on failure.
std::optional<std::string> WriteChartImage(const app::ChartSession& session, const app::ChartWindowTexts& texts,
                                           const app::MonthNameTable& monthNames,
                                           const std::string& path);

}  // namespace velorin_chart
