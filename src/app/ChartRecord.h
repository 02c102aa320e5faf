// The one record of the current chart: the birth data as entered, the results
// of the passes, the captions derived from them and the two chart-file paths.
// Each calculation that passes the input checks overwrites it; some captions
// keep their previous value when nothing matches, so the record lives for the
// whole run of the program.
#pragma once

#include <array>
#include <string>

#include "astro/BirthData.h"
#include "astro/ChartAngles.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"

namespace app {

struct ChartRecord : astro::BirthData,
                     modVedicPlanetPosition::ChartAngles,
                     modVedicEphemeris::MoonChart,
                     modVedicPlanetPosition::BodyTables {
    std::string BirthName;  // as typed, not trimmed
    std::string City;       // trimmed
    std::string State;
    std::string Country;

    std::array<bool, 5> RetroFlags{};  // Mercury, Venus, Mars, Jupiter, Saturn

    std::string AyanamsaCaption;
    std::string AscSignAbbrev;
    std::string LagnaName;
    std::string NakshatraCaption;
    std::string RashiCaption;
    std::string NakshatraLord;
    std::string PadaCaption;

    std::string ChartFileName;     // last path chosen in the save or export dialog
    std::string CurrentChartPath;  // set by a successful save, cleared by New
};

}  // namespace app
