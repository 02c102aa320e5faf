// The chart drawn with characters: the South Indian square (the signs fixed
// in their ring) or the North Indian one (the houses fixed, the Ascendant's
// sign in the top centre house), then the Vedic details and the positions.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "app/ChartRecord.h"

namespace charttext {

// Which chart is drawn: the division (1 the Rashi chart, else 2, 3, 7, 9,
// 10, 12) and the style of the square.
enum class ChartStyle { South, North };
struct ChartDrawing {
    int varga = 1;
    ChartStyle style = ChartStyle::South;
};

// The name of a division's chart: "Rashi (D1)", "Navamsa (D9)" ...
std::string VargaName(int varga);

// Whether the chart marks the body (its index in the body order) retrograde.
bool IsMarkedRetrograde(const app::ChartRecord& r, std::size_t body);

// The boxes of the South Indian square of a division, 0 = Aries .. 11 =
// Pisces: the Rashi chart's as the chart window shows them (MakeSignBoxes),
// a division's the bodies by their signs in it (marked Sanskrit names, "Asc"
// first, "\r\n" between them).
std::array<std::string, 12> SquareSignBoxes(const app::ChartRecord& r, int varga);

// A house of the North Indian square, the first the Ascendant's and the
// others counter-clockwise from it: its sign (0 = Aries) and the two-letter
// names of what stands in it ("As" first in the first house, then "Su", "Mo"
// .. "Ke", "R" after a retrograde planet).
struct NorthHouse {
    int sign = 0;
    std::vector<std::string> words;
};
std::array<NorthHouse, 12> NorthHouses(const app::ChartRecord& r, int varga);

// The square and, for the South Indian one, the Vedic details and the nine
// positions under it. The Rashi chart's boxes are those the chart window
// shows; a division's boxes hold the bodies by their signs in that division.
std::string FormatChart(const app::ChartRecord& r, const ChartDrawing& drawing = {});

}  // namespace charttext
