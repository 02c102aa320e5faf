// Renders the chart window offscreen and writes it as a JPEG.
#pragma once

#include <string>

#include "app/ChartCalculation.h"
#include "app/ImageNaming.h"

namespace velorin_chart {

// True when this build can render pictures (it has the desktop program's parts).
bool CanRenderImages();

// Writes the chart window of the session, 1000 x 543 at normal scale, as a
// JPEG of quality 100, named as Save As JPEG names it: the stem of the path
// with ".jpg", or the first free _001 .. _999 when that is taken; nothing is
// ever written over. The header names the month from the table. The result
// has the path written, or why nothing was.
app::ImageSaveResult WriteChartImage(const app::ChartSession& session, const app::ChartWindowTexts& texts,
                                     const app::MonthNameTable& monthNames, const std::string& chosenPath);

}  // namespace velorin_chart
