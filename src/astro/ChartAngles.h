// The chart angles: the chart's own ayanamsa, the local sidereal time, the
// obliquity and from these the sidereal Ascendant and Midheaven. Time is counted
// in Julian centuries from JD 2415020.0 here (Newcomb's sidereal time).
#pragma once

#include <string>

#include "astro/BirthData.h"

namespace modVedicPlanetPosition {

inline constexpr double DegToRad = 0.0174532925199433;
inline constexpr double RadToDeg = 57.2957795130823;
inline constexpr double Pi = 3.14159265358979;

struct ChartAngles {
    double AyanamsaCorrection = 0;  // negative; added to a tropical longitude gives the sidereal one
    std::string AyanamsaText;       // signed angle text, begins with the minus sign
    std::string AscendantText;      // long position text; last three characters are the sign
    std::string MidheavenText;
};

// The (negative) ayanamsa correction in degrees for T centuries from JD 2415020.0.
double AyanamsaDegrees(double T);

// Full-circle arctangent in radians; for y = 0 it gives 0, also when x < 0.
double ArcTangent2(double y, double x);

// Folds an angle once: below 0 gains 360, then above 360 loses 360 (360 stays).
double NormalizeDegrees(double angle);

// The houses pass.
void ComputeChartAngles(const astro::BirthData& birth, ChartAngles& angles);

}  // namespace modVedicPlanetPosition
