// The one record of the current chart: the birth data as entered, the results
// of the passes, the captions derived from them and the two chart-file paths.
// Each calculation that passes the input checks overwrites it; some values
// keep their previous value when nothing matches (the rashi, the lagna name,
// the nakshatra's lord and pada), so the record lives for the whole run.
#pragma once

#include <array>
#include <string>

#include "astro/BirthData.h"
#include "astro/ChartAngles.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"

namespace app {

// The captions the driver derives from the passes' results.
struct ChartCaptions {
    std::string AyanamsaCaption;   // AyanamsaText without its minus sign
    std::string AscSignAbbrev;     // last three characters of AscendantText
    std::string LagnaName;         // keeps its value when AscSignAbbrev is no sign
    std::string NakshatraCaption;
    std::string RashiCaption;
    std::string NakshatraLord;     // both keep their values when no row matches
    std::string PadaCaption;
};

struct ChartRecord {
    // Birth data, copied from the entry form.
    astro::BirthData birth;
    std::string BirthName;  // as typed, not trimmed
    std::string City;       // trimmed
    std::string State;      // trimmed
    std::string Country;    // trimmed

    // The passes' results, in the order they run.
    modVedicPlanetPosition::ChartAngles angles;
    modVedicEphemeris::MoonChart moon;
    modVedicPlanetPosition::BodyTables bodies;
    std::array<bool, 5> RetroFlags{};  // Mercury, Venus, Mars, Jupiter, Saturn

    ChartCaptions captions;

    // Whose positions the record shows: the chart's own rules (false), or the
    // sky at the true birth instant (velorin-chart --sky).
    bool SkyPositions = false;
    bool SkyTrueNode = false;  // with the sky's positions: Rahu the true node, not the mean one

    // The clock time the birth was given in, when the atlas entered it in
    // universal time ("8:12 local, Asia/Kathmandu +5:45"); empty otherwise.
    // Not in the chart file, which holds the time charted.
    std::string LocalTimeGiven;

    std::string ChartFileName;     // last path chosen in the save or export dialog
    std::string CurrentChartPath;  // set by a successful save, cleared by New
};

}  // namespace app
