// The chart angles of modVedicPlanetPosition: the chart's own ayanamsa, the
// local sidereal time, the obliquity and from these the sidereal Ascendant
// and Midheaven. Time is counted in Julian centuries from JD 2415020.0
// (1900 January 0.5), the epoch of Newcomb's sidereal time and obliquity.
#pragma once

#include <string>

#include "astro/AngleUnits.h"
#include "astro/BirthData.h"

namespace modVedicPlanetPosition {

using astro::DegToRad;
using astro::Pi;
using astro::RadToDeg;

// What the houses pass leaves in the chart record.
struct ChartAngles {
    double AyanamsaCorrection = 0;  // degrees, negative; added to a tropical longitude gives the sidereal one
    std::string AyanamsaText;       // signed angle text, begins with the minus sign
    std::string AscendantText;      // long position text; last three characters are the sign
    std::string MidheavenText;      // long position text
    double AscendantLongitude = 0;  // sidereal degrees the texts are made of (folded once)
    double MidheavenLongitude = 0;
};

// AyanamsaDegrees: the chart's ayanamsa as a negative correction.
//   Given:   centuriesSince1900, Julian centuries from JD 2415020.0.
//   Returns: degrees, about -22.46 in 1900 and -23.86 in 2000.
//   Notes:   general precession of 5025.64" + 1.11" T per century (Newcomb)
//            from a zero point of 80861.27", with the two largest nutation
//            terms in longitude, 17.23" sin(node) and 1.27" sin(2 × Sun); the
//            node is folded below 360 degrees first.
double AyanamsaDegrees(double centuriesSince1900);

// ArcTangent2: the full-circle arctangent of y / x.
//   Returns: radians in -Pi..Pi; for y = 0 it gives 0, also when x < 0; for
//            x = 0 it gives ±Pi/2 with the sign of y.
double ArcTangent2(double y, double x);

// NormalizeDegrees: folds an angle once: below 0 gains 360, then above 360
// loses 360 (360 itself stays; angles beyond one turn are not reduced fully).
double NormalizeDegrees(double angle);

// ComputeChartAngles: the houses pass.
//   Given:   the birth data; universal time from the universal-time rule.
//   Returns: the ayanamsa correction and text, the sidereal Ascendant and
//            Midheaven as long position texts.
//   Notes:   local sidereal time from Newcomb's formula for Greenwich mean
//            sidereal time (6.6460656 h + 2400.0513 h T + 0.0000258 h T²,
//            plus UT, less the west longitude); mean obliquity 23.452294° -
//            0.0130125° T; no nutation. The tropical angles are made sidereal
//            by adding the ayanamsa correction and folded once.
ChartAngles ComputeChartAngles(const astro::BirthData& birth);

}  // namespace modVedicPlanetPosition
