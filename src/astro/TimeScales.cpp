#include "astro/TimeScales.h"

#include <cmath>

#include "astro/FiniteCheck.h"

namespace modVedicEphemeris {

double JulianDayFromDate(double month, double day, double year) {
    const double a = 12 * (year + 4800) + month - 3;
    double j = std::floor((2 * (a - 12 * std::floor(a / 12)) + 7 + 365 * a) / 12);
    j = j + day + std::floor(a / 48) - 32083;
    if (j > 2299171) j = j + std::floor(a / 4800) - std::floor(a / 1200) + 38;
    return j;
}

UniversalTimeResult UniversalTimeRule(const astro::BirthData& birth) {
    const double localHours = birth.BirthHour + birth.BirthMinute / 60.0;
    double zoneHours = birth.ZoneHoursAbs + birth.ZoneMinutesAbs / 60.0;

    UniversalTimeResult result;
    result.longitudeWestDeg = birth.LonDegrees + birth.LonMinutes / 60.0;
    if (birth.IsEast) result.longitudeWestDeg = -result.longitudeWestDeg;
    result.latitudeNorthDeg = birth.LatDegrees + birth.LatMinutes / 60.0;
    if (birth.IsSouth) result.latitudeNorthDeg = -result.latitudeNorthDeg;

    const bool placeIsEast = result.longitudeWestDeg < 0;
    if (birth.IsDaylightSaving) zoneHours = placeIsEast ? zoneHours + 1 : zoneHours - 1;
    result.utHours = placeIsEast ? localHours - zoneHours : localHours + zoneHours;
    astro::AssertFinite(result.utHours);
    astro::AssertFinite(result.latitudeNorthDeg);
    return result;
}

double CenturiesSinceJ2000(double julianDay, double utHours) {
    return (julianDay - 2451545 + utHours / 24 - 0.5) / 36525;
}

}  // namespace modVedicEphemeris
