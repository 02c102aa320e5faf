// Time arithmetic shared by the astronomical passes: civil date to Julian Day
// Number, the universal-time rule, and Julian centuries from J2000.0.
//
// Conventions: angles in decimal degrees, times of day in decimal hours, day
// numbers as doubles holding whole numbers; Int is the floor of a real quotient.
#pragma once

#include "astro/BirthData.h"

namespace modVedicEphemeris {

inline constexpr double DegToRad = 0.0174532925199433;
inline constexpr double RadToDeg = 57.2957795130823;

// Julian Day Number of the civil date (the day that begins at noon of it).
// Dates whose Julian-calendar number is 2299171 or less (up to 15 October 1582
// as entered) are read in the Julian calendar, later ones in the Gregorian.
double JulianDayFromDate(double month, double day, double year);

// The universal-time rule of the angles and the Moon. The zone is taken without
// sign; its direction follows the place: east of Greenwich when the west-positive
// longitude is below zero (a longitude of exactly 0 counts as west). Daylight
// saving widens an eastern zone by an hour and narrows a western one. UT is not
// folded into 0..24 and the date is not moved.
struct UniversalTimeResult {
    double utHours = 0;            // may lie below 0 or above 24
    double longitudeWestDeg = 0;   // west positive
    double latitudeNorthDeg = 0;   // north positive
};
UniversalTimeResult UniversalTimeRule(const astro::BirthData& birth);

// Julian centuries from J2000.0 at the birth instant, no UT/TT correction.
double JulianCenturiesJ2000(double julianDay, double utHours);

}  // namespace modVedicEphemeris
