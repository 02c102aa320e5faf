// Time arithmetic shared by the astronomical passes: the civil date as a
// Julian Day Number, the universal-time rule of the angles and the Moon, and
// Julian centuries from J2000.0.
//
// Conventions: angles in decimal degrees, times of day in decimal hours, day
// numbers as doubles holding whole numbers; "Int" is the floor of a real quotient.
#pragma once

#include "astro/AngleUnits.h"
#include "astro/BirthData.h"

namespace modVedicEphemeris {

using astro::DegToRad;
using astro::RadToDeg;

// JulianDayFromDate: the Julian Day Number of a civil date.
//   Given:   month 1..12, day 1..31, year (any; the form gives 1901..2050),
//            whole numbers held in doubles.
//   Returns: the number of the Julian day that begins at noon of that date.
//   Notes:   a date whose Julian-calendar number is 2299171 or less (up to
//            15 October 1582 as entered) is read in the Julian calendar, a
//            later one in the Gregorian. The count runs in months from March
//            of the year -4800, with floors where the rule says Int.
double JulianDayFromDate(double month, double day, double year);

// UniversalTimeRule: the universal time of the birth for the angles and the Moon.
//   Given:   the birth data (local clock time, the zone's size without sign,
//            the place's coordinates and East/West, South, daylight saving).
//   Returns: UT in hours and the place's longitude (degrees, west positive)
//            and latitude (degrees, north positive).
//   Notes:   the zone's direction follows the place, not the zone: east of
//            Greenwich when the west-positive longitude is below zero (a
//            longitude of exactly 0 counts as west). Daylight saving widens an
//            eastern zone by an hour and narrows a western one. UT is not
//            folded into 0..24 and the date is not moved.
struct UniversalTimeResult {
    double utHours = 0;            // may lie below 0 or above 24
    double longitudeWestDeg = 0;   // west positive
    double latitudeNorthDeg = 0;   // north positive
};
UniversalTimeResult UniversalTimeRule(const astro::BirthData& birth);

// CenturiesSinceJ2000: Julian centuries of 36525 days from J2000.0
// (JD 2451545.0) of the instant utHours after the noon that begins the
// Julian day `julianDay`, less half a day. UT is used as it is (no ΔT).
double CenturiesSinceJ2000(double julianDay, double utHours);

}  // namespace modVedicEphemeris
