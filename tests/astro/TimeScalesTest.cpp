// Day numbers and the universal-time rule. The Julian Day Numbers are those of
// the calendar tables in Meeus, Astronomical Algorithms (2nd ed., ch. 7: JD
// 2451545 is 2000 January 1 at noon, 2299161 the Gregorian 1582 October 15),
// with dates up to 1582 October 15 read in the Julian calendar as the rule
// here reads them (its 15 October is the Gregorian 25th: 2299171).
#include <gtest/gtest.h>

#include "astro/TimeScales.h"
#include "support/Births.h"

using namespace modVedicEphemeris;

namespace {

TEST(JulianDayFromDate, TabulatedDaysIncludingTheCalendarSwitch) {
    struct Case {
        int month, day, year;
        double jdn;
    } const cases[] = {
        {1, 1, 2000, 2451545},  {10, 15, 1582, 2299171},  // last date read as Julian
        {10, 16, 1582, 2299162},                          // first date read as Gregorian
        {1, 1, 1900, 2415021},  {12, 31, 1899, 2415020}, {5, 15, 1990, 2448027},
        {3, 1, 2000, 2451605},  {2, 29, 2000, 2451604},  {12, 31, 2050, 2470172},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JulianDayFromDate(c.month, c.day, c.year), c.jdn) << c.year << "-" << c.month << "-" << c.day;
    }
}

// 1 January 2000 at a place 73° (or lonDeg) east or west, for a zone of the
// given size (the rule reads the size only).
astro::BirthData birthAt(int hour, int minute, int zoneHours, int zoneMinutes, bool east, bool dst, int lonDeg = 73) {
    return testdata::BirthBuilder()
        .on(2000, 1, 1)
        .at(hour, minute)
        .zone(zoneHours, zoneMinutes)
        .longitude(lonDeg, 0, east)
        .daylightSaving(dst);
}

TEST(UniversalTimeRule, DirectionFollowsThePlaceNotTheZone) {
    struct Case {
        const char* what;
        astro::BirthData birth;
        double ut;
    } const cases[] = {
        {"23:30 IST east", birthAt(23, 30, 5, 30, true, false), 18.0},
        {"23:30 IST west: not folded", birthAt(23, 30, 5, 30, false, false), 29.0},
        {"01:00 IST east: negative", birthAt(1, 0, 5, 30, true, false), -4.5},
        {"DST east widens the zone", birthAt(12, 0, 5, 30, true, true), 5.5},
        {"DST west narrows the zone", birthAt(12, 0, 5, 0, false, true), 16.0},
        {"longitude 0 with East counts as west", birthAt(12, 0, 0, 0, true, true, 0), 11.0},
        {"hour 24", birthAt(24, 30, 0, 0, false, false), 24.5},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(UniversalTimeRule(c.birth).utHours, c.ut) << c.what;
}

TEST(UniversalTimeRule, CoordinatesAreWestAndNorthPositive) {
    astro::BirthData b;
    b.LonDegrees = 73;
    b.LonMinutes = 30;
    b.IsEast = true;
    b.LatDegrees = 10;
    b.LatMinutes = 30;
    b.IsSouth = true;
    const UniversalTimeResult r = UniversalTimeRule(b);
    EXPECT_DOUBLE_EQ(r.longitudeWestDeg, -73.5);
    EXPECT_DOUBLE_EQ(r.latitudeNorthDeg, -10.5);
}

TEST(JulianCenturies, CountsFromJ2000) {
    EXPECT_DOUBLE_EQ(CenturiesSinceJ2000(2451545, 12), 0.0);
    EXPECT_NEAR(CenturiesSinceJ2000(2448027, 5.0), -0.0963255761, 1e-10);
}

}  // namespace
