// A chart beside the sky: for each of the eleven bodies the chart's sidereal
// longitude, the sky's (SkyAt at the true birth instant: the civil date and
// time with the zone's signed correction and daylight saving), their
// difference, signs and nakshatras, and sentences naming each known cause of
// a difference that applies to the chart.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/ChartRecord.h"
#include "astro/Body.h"

namespace sky {

struct BodyCheck {
    std::string name;                         // "Sun" .. "Midheaven"
    double chartLongitude = 0;                // the chart's sidereal degrees, 0..360
    std::optional<double> skyLongitude;       // sidereal degrees, 0..360; none: no Ascendant there
    std::optional<double> differenceArcmin;   // chart minus sky, -10800..10800
    int chartSign = -1;                       // the sign the chart shows (0 = Aries), -1 none
    std::optional<int> skySign;
    bool signDiffers = false;
    int chartNakshatra = 0;                   // 0 = Aswini .. 26
    std::optional<int> skyNakshatra;
    bool nakshatraDiffers = false;
};

struct ChartCheck {
    std::string instant;        // "YYYY-MM-DDTHH:MM:SSZ"
    double deltaTSeconds = 0;
    double ayanamsa = 0;        // Lahiri, true (from the true equinox of date), degrees
    double chartAyanamsa = 0;   // the chart's own, positive degrees
    std::array<BodyCheck, astro::BodyCount> bodies;
    std::vector<std::string> notes;
};

// CheckChart: the check of a computed chart record.
ChartCheck CheckChart(const app::ChartRecord& record);

// ArcminutesApart: chart minus sky in minutes of arc, the short way round
// (-10800 < result <= 10800), for two longitudes in degrees.
double ArcminutesApart(double chartDegrees, double skyDegrees);

// Latitudes beyond this (degrees, either hemisphere) lie inside the polar
// circles, where the ecliptic can run along the horizon.
inline constexpr double PolarLatitude = 66.56;

}  // namespace sky
