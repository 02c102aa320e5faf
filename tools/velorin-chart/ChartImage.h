// Renders the chart window offscreen and writes it as a JPEG.
#pragma once

#include <optional>
#include <string>

#include "app/ChartCalculation.h"
#include "app/ImageNaming.h"

namespace velorin_chart {

// True when this program renders pictures itself (velorin-chart-image, which
// links the chart window); velorin-chart hands --image over to that program
// so that it loads the windowing libraries only when a picture is asked for.
bool CanRenderImages();

// Replaces this process by velorin-chart-image with the same arguments (it
// is looked for beside this program and in the folder it is installed in).
// Returns only when that program cannot be started, with the reason. On
// Windows, where there is no such program, it returns the reason at once.
std::string RunPictureProgram(char** argv);

// Writes the chart window of the session, 1000 x 543 at normal scale, as a
// JPEG of quality 100, named as Save As JPEG names it: the stem of the path
// with ".jpg", or the first free _001 .. _999 when that is taken; nothing is
// ever written over. The header names the month from the table. The result
// has the path written, or why nothing was.
// The square is that of the division `varga` in the North or South Indian
// style, as the desktop's View menu draws it; the details beside it stay the
// Rashi chart's.
app::ImageSaveResult WriteChartImage(const app::ChartSession& session, const app::MonthNameTable& monthNames,
                                     const std::string& chosenPath, int varga = 1, bool north = false);

// Writes the chart as the desktop's Save As PDF does (the chart window, the
// Vedic details with today's periods, the Navamsa square); a file of that
// name is never replaced. Returns why nothing was written, or nothing.
std::optional<std::string> WriteChartPdfFile(const app::ChartSession& session, const app::MonthNameTable& monthNames,
                                             const std::string& path, int varga = 1, bool north = false);

}  // namespace velorin_chart
