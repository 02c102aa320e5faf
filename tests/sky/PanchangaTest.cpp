// The panchanga: the limbs against an independent ephemeris, each end found
// again on the same positions, sunrise and sunset against swetest's, the
// polar days, the weekday that begins at sunrise.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/ChartCalculation.h"
#include "sky/Panchanga.h"
#include "support/Forms.h"

namespace {

using sky::Limb;

constexpr double Second = 1.0 / 86400;

std::vector<std::vector<std::string>> tableOf(const std::string& file) {
    std::ifstream in(std::string(VELORIN_TEST_DATA) + "/" + file);
    EXPECT_TRUE(in.good()) << file;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream cells(line);
        std::vector<std::string> row;
        for (std::string cell; std::getline(cells, cell, '\t');) row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

// A birth at a universal-time Julian Date (whole minutes), at New Delhi, on
// universal time.
sky::PanchangaBirth birthAt(double julianDate) {
    sky::PanchangaBirth birth;
    birth.instant.deltaTSeconds = sky::DeltaTSeconds(2000 + (julianDate - 2451545) / 365.25);
    birth.instant.ut1[0] = birth.instant.tt[0] = julianDate;
    birth.instant.tt[1] = birth.instant.deltaTSeconds / 86400;
    birth.eastLongitudeDeg = 77.2;
    birth.northLatitudeDeg = 28.6;
    return birth;
}

sky::PositionsAt skyFrom(const sky::Instant& instant) {
    return [instant](double days) {
        sky::Instant moved = instant;
        moved.ut1[1] += days;
        moved.tt[1] += days;
        return sky::PanchangaSkySunMoon(moved);
    };
}

double arcsecondsApart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)) * 3600; }

// Each end where its angle crosses the step, whatever method found it: a
// second before, the angle has not gone the rest of its step from the birth;
// a second after, it has.
void expectEndsOnTheSamePositions(const sky::Panchanga& p, const sky::PositionsAt& at, const std::string& what) {
    const sky::SunMoon now = at(0);
    const struct {
        Limb limb;
        double ends;
    } limbs[] = {{Limb::Tithi, p.tithiEnds}, {Limb::Nakshatra, p.nakshatraEnds}, {Limb::Yoga, p.yogaEnds},
                 {Limb::Karana, p.karanaEnds}};
    for (const auto& [limb, ends] : limbs) {
        const double step = sky::LimbStep(limb), start = sky::LimbAngle(limb, now);
        const double toGo = (std::floor(start / step) + 1) * step - start;
        const auto gone = [&](double t) {
            return std::remainder(sky::LimbAngle(limb, at(t - p.birth)) - start, 360.0);
        };
        EXPECT_GT(ends, p.birth) << what;
        EXPECT_LT(gone(ends - Second), toGo) << what << " limb " << static_cast<int>(limb);
        EXPECT_GE(gone(ends + Second), toGo) << what << " limb " << static_cast<int>(limb);
    }
}

}  // namespace

// Rows of tests/data/panchanga-swetest.tsv (its provenance: the README there):
// 24 instants of 1901-2050, the Sun and Moon of swetest (Swiss Ephemeris,
// JPL-based files, Lahiri, apparent), the limbs worked from them and their
// ends by bisection on swetest's positions.
TEST(Panchanga, LimbsAndTheirEndsAsAnIndependentEphemerisHasThem) {
    const auto rows = tableOf("panchanga-swetest.tsv");
    ASSERT_EQ(rows.size(), 24U);
    for (const auto& row : rows) {
        const double jd = std::stod(row[0]);
        const sky::PanchangaBirth birth = birthAt(jd);
        const sky::PositionsAt at = skyFrom(birth.instant);
        const sky::Panchanga p = sky::ComputePanchanga(birth, sky::PanchangaPositions::Sky, at);
        const sky::SunMoon now = at(0);
        // The Moon within the check's 30" of the Swiss Ephemeris; the Sun from
        // the cheaper Earth within 15".
        EXPECT_LE(arcsecondsApart(now.sun, std::stod(row[1])), 15) << row[0];
        EXPECT_LE(arcsecondsApart(now.moon, std::stod(row[2])), 30) << row[0];
        // The limbs in the table's columns 3..7, their ends in 8..11: measured within 20 s (the Moon
        // within 12" and the Sun within 5" of swetest's, and seconds between the two delta T models).
        const int limbs[] = {p.tithi, p.karana, p.nakshatra, p.pada, p.yoga};
        for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(limbs[k], std::stoi(row[3 + k])) << row[0] << " column " << 3 + k;
        const double ends[] = {p.tithiEnds, p.nakshatraEnds, p.yogaEnds, p.karanaEnds};
        for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(ends[k], std::stod(row[8 + k]), 30 * Second) << row[0] << " column " << 8 + k;
        expectEndsOnTheSamePositions(p, at, row[0]);
    }
}

TEST(Panchanga, TheChartsOwnPositionsAreTheRecordsAndEndOnThem) {
    for (const app::BirthFormValues& form : {testdata::referenceForm(), testdata::puneForm()}) {
        app::ChartSession session;
        ASSERT_TRUE(app::RunCalculation(form, session).accepted());
        const app::ChartRecord& r = session.record;
        const sky::PositionsAt at = sky::PanchangaPositionsOf(r, sky::PanchangaPositions::Chart);
        EXPECT_NEAR(at(0).sun, r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Sun)], 1e-9);
        EXPECT_NEAR(at(0).moon, r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)], 1e-9);
        const sky::Panchanga p = sky::PanchangaOf(r, sky::PanchangaPositions::Chart);
        EXPECT_EQ(p.positions, sky::PanchangaPositions::Chart);
        expectEndsOnTheSamePositions(p, at, r.BirthName);
    }
}

// Rows of tests/data/sunrise-swetest.tsv: swetest -rise (the upper limb with
// its refraction) at 24 random places below 60 degrees of latitude and
// dates of 1901-2050; within a minute.
TEST(Panchanga, SunriseAndSunsetWithinAMinuteOfAnIndependentComputation) {
    const auto rows = tableOf("sunrise-swetest.tsv");
    ASSERT_EQ(rows.size(), 24U);
    const auto utOf = [](const std::string& date, const std::string& time) {
        int day = 0, month = 0, year = 0, hour = 0, minute = 0;
        double second = 0;
        std::sscanf(date.c_str(), "%d.%d.%d", &day, &month, &year);
        std::sscanf(time.c_str(), "%d:%d:%lf", &hour, &minute, &second);
        const sky::Instant midnight = sky::InstantOf(year, month, day, 0, 0);
        return std::pair{midnight.ut1[0] + midnight.ut1[1], (hour + minute / 60.0 + second / 3600) / 24};
    };
    for (const auto& row : rows) {
        const double lon = std::stod(row[3]), lat = std::stod(row[4]);
        const auto [riseDay, riseTime] = utOf(row[5], row[6]);
        const auto [setDay, setTime] = utOf(row[7], row[8]);
        const double deltaT = sky::InstantOf(std::stoi(row[0]), std::stoi(row[1]), 1, 0, 0).deltaTSeconds;
        const sky::SunTimes rising = sky::SunriseAndSunset(riseDay, deltaT, lon, lat);
        const sky::SunTimes setting = sky::SunriseAndSunset(setDay, deltaT, lon, lat);
        ASSERT_TRUE(rising.sunrise && setting.sunset) << row[0] << "-" << row[1] << "-" << row[2];
        EXPECT_NEAR(*rising.sunrise, riseDay + riseTime, 60 * Second) << row[5] << " " << row[6];
        EXPECT_NEAR(*setting.sunset, setDay + setTime, 60 * Second) << row[7] << " " << row[8];
    }
}

// Within the polar circles the Sun may stay up or down all day: no time is
// given, and the weekday is the civil date's.
TEST(Panchanga, NoSunriseOrSunsetWhereTheSunDoesNotCrossTheHorizon) {
    const struct {
        int month;
        double latitude;
        bool crosses;
    } days[] = {{6, 78.2, false}, {12, 69.65, false}, {12, -78.2, false}, {3, 78.2, true}, {6, 59.9, true}, {6, 90, false}};
    for (const auto& d : days) {
        const sky::Instant midnight = sky::InstantOf(2026, d.month, d.month == 3 ? 20 : 21, 0, 0);
        const double dayStart = midnight.ut1[0] + midnight.ut1[1] - 1.0 / 24;  // Central European Time
        const sky::SunTimes sun = sky::SunriseAndSunset(dayStart, midnight.deltaTSeconds, 15.6, d.latitude);
        EXPECT_EQ(sun.sunrise.has_value(), d.crosses) << d.month << " " << d.latitude;
        EXPECT_EQ(sun.sunset.has_value(), d.crosses) << d.month << " " << d.latitude;
        EXPECT_TRUE(sun.placeOnTheEarth);
    }
    EXPECT_FALSE(sky::SunriseAndSunset(2461212.5, 69, 15.6, 95).placeOnTheEarth);
    // 3:00 in the polar night of Monday 21 December 2026 is a Monday's.
    sky::PanchangaBirth birth{sky::InstantOf(2026, 12, 21, 2, 0), 15.6, 78.2, 1.0 / 24};
    const sky::Panchanga p = sky::ComputePanchanga(birth, sky::PanchangaPositions::Sky, skyFrom(birth.instant));
    EXPECT_FALSE(p.sun.sunrise.has_value());
    EXPECT_EQ(p.vara, 2);
}

// The weekday begins at sunrise (New Delhi, 15 May 1990, a Tuesday, sunrise
// 05:30:48 IST by swetest): before it the birth belongs to Monday. The civil
// date is the birth's own clock's (19:00 UT on the 14th is 00:30 on the 15th).
TEST(Panchanga, TheWeekdayBeginsAtSunriseOfTheBirthsCivilDate) {
    const struct {
        int day, hour, minute;  // universal time
        int vara;
        bool beforeSunrise;
    } births[] = {
        {14, 19, 0, 2, true},   // 00:30 IST on the 15th
        {15, 0, 2, 3, false},   // 05:32
        {15, 18, 29, 3, false}, // 23:59
        {15, 18, 31, 3, true},  // 00:01 on the 16th, before its sunrise: Tuesday still
    };
    for (const auto& b : births) {
        sky::PanchangaBirth birth;
        birth.instant = sky::InstantOf(1990, 5, b.day, b.hour, b.minute);
        birth.eastLongitudeDeg = 77.2;
        birth.northLatitudeDeg = 28.6;
        birth.clockOffsetDays = 5.5 / 24;
        const sky::Panchanga p = sky::ComputePanchanga(birth, sky::PanchangaPositions::Sky, skyFrom(birth.instant));
        EXPECT_EQ(p.vara, b.vara) << b.day << " " << b.hour << ":" << b.minute;
        EXPECT_EQ(p.beforeSunrise, b.beforeSunrise) << b.day << " " << b.hour << ":" << b.minute;
        // The vara's day holds the birth and lasts a day, give or take a few minutes.
        ASSERT_TRUE(p.dayBegins && p.dayEnds);
        EXPECT_TRUE(*p.dayBegins < p.birth && p.birth < *p.dayEnds && std::fabs(*p.dayEnds - *p.dayBegins - 1) < 0.01);
    }
}

// The half-tithis' names: the fixed karanas at the new moon, the moving seven
// in eight rounds between (Purnima's second half is Bava).
TEST(Panchanga, NamesOfTheHalfTithis) {
    const std::pair<int, const char*> karanas[] = {{1, "Kimstughna"}, {2, "Bava"},    {8, "Vishti"},
                                                   {9, "Bava"},       {30, "Bava"},   {57, "Vishti"},
                                                   {58, "Shakuni"},   {59, "Chatushpada"}, {60, "Naga"}};
    for (const auto& [karana, name] : karanas) EXPECT_EQ(sky::KaranaName(karana), name) << karana;
    EXPECT_EQ(sky::TithiName(30), "Amavasya");
}

TEST(Panchanga, ClockTextsInTheBirthsOwnClockToTheNearestMinute) {
    EXPECT_EQ(sky::ClockText(2447951.5, -5.0 / 24), "1990-02-28T19:00");                 // 1 March 1990, 0h UT
    EXPECT_EQ(sky::ClockText(2447951.5 - 29.6 / 86400, 0), "1990-03-01T00:00");          // 23:59:30.4: up
    EXPECT_EQ(sky::ClockText(2451603.5 + 1439.4 / 1440, 0), "2000-02-29T23:59");          // a leap day
}
