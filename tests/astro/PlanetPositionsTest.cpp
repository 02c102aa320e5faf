// Planets and nodes: day numbers (counted by hand from 2000 January 1 at 12:00
// UT, day 0), the calendar roll-over of the universal date-time, the
// longitudes of 1 January 2000 from the mean elements, and the body tables.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "astro/PlanetPositions.h"
#include "astro/PositionText.h"
#include "support/Births.h"

using namespace modVedicPlanetPosition;

namespace {

TEST(DayNumber2000, CountedFromNoonOnTheFirstDayOf2000) {
    EXPECT_DOUBLE_EQ(DayNumber2000(2000, 1, 1, 12, 0), 0);
    EXPECT_NEAR(DayNumber2000(2000, 1, 1, 6, 30), -0.2291667, 5e-8);
    EXPECT_DOUBLE_EQ(DayNumber2000(2000, 3, 1, 12, 0), 60);
    EXPECT_DOUBLE_EQ(DayNumber2000(1901, 1, 1, 12, 0), -36159);
}

astro::BirthData localBirth(int y, int mo, int d, int h, int mi, int zoneHours, int zoneMinutes, bool dst = false) {
    return testdata::BirthBuilder().on(y, mo, d).at(h, mi).zone(zoneHours, zoneMinutes).daylightSaving(dst);
}

TEST(TrueUniversalTime, RollsOverDaysMonthsAndYears) {
    struct Case {
        const char* what;
        astro::BirthData birth;
        std::array<int, 5> ut;  // year, month, day, hour, minute
    } const cases[] = {
        {"same day", localBirth(1990, 5, 15, 10, 30, -5, -30), {1990, 5, 15, 5, 0}},
        {"back over a year", localBirth(1950, 1, 1, 0, 30, -5, -30), {1949, 12, 31, 19, 0}},
        {"back into a leap day", localBirth(2000, 3, 1, 0, 30, -5, -30), {2000, 2, 29, 19, 0}},
        {"back into 28 February", localBirth(1999, 3, 1, 3, 0, -9, -30), {1999, 2, 28, 17, 30}},
        {"forward over a year", localBirth(1999, 12, 31, 23, 0, 5, 0), {2000, 1, 1, 4, 0}},
        {"forward over a month", localBirth(2001, 4, 30, 22, 0, 10, 30), {2001, 5, 1, 8, 30}},
        {"daylight saving takes an hour off", localBirth(2000, 1, 1, 0, 30, 0, 0, true), {1999, 12, 31, 23, 30}},
        {"hour 24 is the next day", localBirth(2000, 12, 31, 24, 10, 0, 0), {2001, 1, 1, 0, 10}},
        {"hour 24 on 28 February 1900+", localBirth(2001, 2, 28, 24, 0, 0, 0), {2001, 3, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        const astro::CivilParts got = astro::PartsOf(TrueUniversalTime(c.birth));
        EXPECT_EQ((std::array{astro::YearOf(got.date), astro::MonthOf(got.date), astro::DayOf(got.date),
                              static_cast<int>(got.time.hours().count()), static_cast<int>(got.time.minutes().count())}),
                  c.ut)
            << c.what;
    }
}

// The mean elements' geocentric longitudes on the ecliptic of 2000, for 1
// January 2000 at 06:30 UT. Set beside ERFA's geometric positions of that
// instant (eraEpv00 for the Earth, eraPlan94, the J2000 mean obliquity): the
// Sun 280.144, Mercury 271.548 and Venus 241.300 agree to 0.01 degree, Mars
// 327.798 to 0.02; Jupiter 25.242 and Saturn 40.413 lie 0.11 and 0.19 from
// the mean elements' values, as mean elements do for the outer planets.
TEST(PlanetLongitude, TheFirstMorningOf2000) {
    const double d = DayNumber2000(2000, 1, 1, 6, 30);
    const std::pair<int, double> cases[] = {{2, 280.15}, {0, 271.55}, {1, 241.30}, {3, 327.81}, {4, 25.35}, {5, 40.22}};
    for (const auto& [set, longitude] : cases) EXPECT_NEAR(PlanetLongitude(set, d), longitude, 0.005) << set;
    EXPECT_NEAR(MeanNodeLongitude(d) + 1, 125.13, 0.005);  // before the one-degree step
    EXPECT_NEAR(MeanNodeLongitude(d), 124.13, 0.005);
}

TEST(PlanetLongitude, NodeUsesTheShortPi) {
    // 180 / 3.1416 instead of 180 / pi shrinks the node by a factor pi / 3.1416.
    const double d = 0;
    const double withPi = std::fmod(125.1228, 360.0) - 1;
    EXPECT_NEAR(MeanNodeLongitude(d), 125.1228 * 3.14159265358979 / 3.1416 - 1, 1e-9);
    EXPECT_GT(withPi - MeanNodeLongitude(d), 2e-4);
}

TEST(PlanetLongitude, AlwaysInOneTurnOverTheYearRange) {
    for (double d = -36500; d <= 18600; d += 97.3) {
        for (int set = 0; set < 6; ++set) {
            const double lambda = PlanetLongitude(set, d);
            ASSERT_GE(lambda, 0) << set << " " << d;
            ASSERT_LT(lambda, 360) << set << " " << d;
        }
    }
}

TEST(TrueAnomaly, CircularOrbitAndSymmetry) {
    EXPECT_NEAR(TrueAnomaly(1.0, 0.0), 1.0, 1e-12);
    EXPECT_NEAR(TrueAnomaly(TwoPi - 1.0, 0.2) + TrueAnomaly(1.0, 0.2), TwoPi, 1e-9);
    EXPECT_NEAR(TrueAnomaly(Pi, 0.2), Pi, 1e-9);
}

TEST(ReduceRadians, TruncatesTowardZeroThenRaisesNegatives) {
    EXPECT_NEAR(ReduceRadians(TwoPi + 1), 1, 1e-12);
    EXPECT_NEAR(ReduceRadians(-1), TwoPi - 1, 1e-12);
    EXPECT_NEAR(ReduceRadians(-TwoPi - 1), TwoPi - 1, 1e-12);
    EXPECT_EQ(ReduceRadians(0), 0);
}

TEST(ComputePlanetPositions, TablesNamesAndKetuOppositeRahu) {
    astro::BirthData b = localBirth(1990, 5, 15, 10, 30, -5, -30);
    ChartAngles angles;
    angles.AyanamsaCorrection = -23.726507864124716;
    angles.AscendantText = "9° 52' 4\" Can";
    angles.MidheavenText = "3° 4' 26\" Ari";
    BodyTables tables;
    tables.PlanetNameSanskrit[2] = "Budha (R) ";  // a mark left by an earlier chart
    tables = ComputePlanetPositions(b, angles, "29° 50' 6\" Sag");

    EXPECT_EQ(tables.PlanetNameSanskrit[2], "Budha");
    EXPECT_EQ(tables.PlanetNameEnglish[10], "Midheaven");
    EXPECT_EQ(tables.PlanetPositionText[1], "29 Sag 50");
    EXPECT_EQ(tables.PlanetPositionText[9], "09 Can 52");
    EXPECT_EQ(tables.PlanetPositionText[10], "03 Ari 04");
    const std::string rahu = tables.PlanetPositionText[7];
    const std::string ketu = tables.PlanetPositionText[8];
    const auto signOf = [](const std::string& compact) {
        return static_cast<int>(std::string_view(SignAbbrevString).find(compact.substr(3, 3)) / 3);
    };
    EXPECT_EQ((signOf(rahu) + 6) % 12, signOf(ketu));
    EXPECT_EQ(rahu.substr(0, 2) + rahu.substr(6), ketu.substr(0, 2) + ketu.substr(6));
    // The sidereal Sun of mid-May lies at the very start of Taurus.
    EXPECT_EQ(tables.PlanetPositionText[0], "00 Tau 31");
}

TEST(ComputePlanetPositions, DaylightSavingIsOneHourEarlier) {
    ChartAngles angles;
    angles.AyanamsaCorrection = -23.7;
    BodyTables withDst, anHourEarlier;
    withDst = ComputePlanetPositions(localBirth(1990, 5, 15, 10, 30, 0, 0, true), angles, "");
    anHourEarlier = ComputePlanetPositions(localBirth(1990, 5, 15, 9, 30, 0, 0, false), angles, "");
    EXPECT_EQ(withDst.PlanetPositionText, anHourEarlier.PlanetPositionText);
}

}  // namespace
