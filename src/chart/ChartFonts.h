// The fonts the chart window is drawn with.
#pragma once

namespace chart {

// Registers the bundled DejaVu Sans (regular and bold) with the application
// and lets it stand in for Verdana where Verdana is not installed. Call it once
// a QApplication exists; later calls do nothing. Returns whether both bundled
// fonts were registered (false when the resources are missing from the build).
bool InstallChartFonts();

}  // namespace chart
