// Divisional charts, Vimshottari dasha and the Moon's pada, against examples
// worked by hand from the classical rules (each row's comment shows the step).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <random>

#include "app/DivisionalCharts.h"
#include "support/Forms.h"

using namespace app;

namespace {

constexpr int Ari = 0, Tau = 1, Can = 3, Leo = 4, Lib = 6, Sco = 7, Sag = 8, Cap = 9, Pis = 11;
constexpr double Just = 1e-9;  // "just before" a boundary

TEST(DivisionalSign, PartsOfOddAndEvenSignsAndTheirBoundaries) {
    struct Case {
        int division;
        double longitude;
        int sign;
    } const cases[] = {
        // D2: odd sign, below 15 Leo, from 15 Cancer; even sign the other way.
        {2, 0, Leo}, {2, 15 - Just, Leo}, {2, 15, Can}, {2, 30 - Just, Can}, {2, 30, Can}, {2, 45, Leo},
        // D3: s + 4p, p of 10 degrees.
        {3, 0, Ari}, {3, 10 - Just, Ari}, {3, 10, Leo}, {3, 20, Sag}, {3, 60 - Just, Cap},
        // D7: odd s + p, even s + 6 + p, p of 30/7.
        {7, 0, Ari}, {7, 30.0 / 7, Tau}, {7, 30 - Just, Lib}, {7, 30, Sco}, {7, 60 - Just, Tau},
        // D9: movable from s, fixed from s + 8, dual from s + 4, p of 10/3.
        {9, 0, Ari}, {9, 10.0 / 3, Tau}, {9, 30, Cap}, {9, 60, Lib}, {9, 360 - Just, Pis},
        // D10: odd s + p, even s + 8 + p, p of 3.
        {10, 0, Ari}, {10, 3, Tau}, {10, 3 - Just, Ari}, {10, 30, Cap}, {10, 60 - Just, Lib},
        // D12: s + p, p of 2.5.
        {12, 0, Ari}, {12, 2.5, Tau}, {12, 30 - Just, Pis}, {12, 30, Tau}, {12, 60 - Just, Ari},
        // D1 is the sign itself; 360 is Aries again, and so on round the circle either way.
        {1, 359.5, Pis}, {1, 360, Ari}, {9, 360, Ari}, {1, -0.5, Pis}, {1, 720.5, Ari}, {12, -29, Pis}, {12, -27.5, Ari},
    };
    for (const Case& c : cases) EXPECT_EQ(DivisionalSign(c.division, c.longitude), c.sign) << "D" << c.division << " " << c.longitude;
    EXPECT_EQ(DivisionalSign(4, 10), -1);
    EXPECT_EQ(DivisionalSign(9, std::nan("")), -1);
}

TEST(DivisionalSign, TheNavamsaIsTheNinthPartOfTheWholeCircle) {
    std::mt19937 random(3);
    std::uniform_real_distribution<double> longitude(0, 360);
    for (int i = 0; i < 10000; ++i) {
        const double l = longitude(random);
        const double ninth = l / (10.0 / 3);
        if (std::fabs(ninth - std::round(ninth)) < 1e-9) continue;  // too near a boundary to tell
        EXPECT_EQ(DivisionalSign(9, l), static_cast<int>(std::floor(ninth)) % 12) << l;
    }
}

TEST(SignBoxesOf, AscFirstThenTheBodiesInOrder) {
    std::array<int, astro::BodyCount> signs{};
    signs.fill(Sag);
    signs[astro::BodyIndex(astro::Body::Sun)] = Leo;
    signs[astro::BodyIndex(astro::Body::Ketu)] = -1;  // no sign: not placed
    const std::array<std::string, astro::BodyCount> names = {"Surya", "Chandra", "Budha (R) ", "Shukra", "Mangala", "Guru",
                                                             "Shani",  "Rahu",   "Ketu",       "Ascendant", "Midheaven"};
    const auto boxes = SignBoxesOf(signs, names);
    EXPECT_EQ(boxes[Leo], "Surya");
    EXPECT_EQ(boxes[Sag], "Asc\r\nChandra\r\nBudha (R) \r\nShukra\r\nMangala\r\nGuru\r\nShani\r\nRahu");
}

// The reference birth: the Moon at 29° 50' 6" Sagittarius (269.835°),
// 15 May 1990 05:00 UT (10:30 Indian Time), JD 2448026.708.
//   nakshatra floor(269.835 / 13.333) = 20, Uttara Ashadha; 20 mod 9 = 2: the Sun
//   run (269.835 - 266.667) / 13.333 = 0.2376 of 6 years: 4.574 years are left
//   Sun to 1994-12-10 (+1670.7 days), Moon 10 years to 2004-12-10, Mars 7 to 2011-12-11
//   The Sun's period began in full 1.426 years (520.8 days) before the birth,
//   JD 2447505.95, 1988-12-10; its antardashas of 6 x sub-lord years / 120 run
//   from there: Sun 0.3 years to 1989-03-30, Moon 0.5 to 1989-09-28, Mars 0.35
//   to 1990-02-03, Rahu 0.9 to 1990-12-29 (the one running at the birth).
TEST(VimshottariDashas, TheReferenceBirth) {
    const auto session = testdata::computedSession(testdata::referenceForm());
    ASSERT_TRUE(session.has_value());
    const ChartRecord& r = session->record;
    const double moon = r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)];
    EXPECT_NEAR(moon, 269.835, 0.001);
    const double birth = ChartDashaInstant(r.birth).julianDay;
    EXPECT_NEAR(birth, 2448026.7083, 1e-3);
    const std::vector<DashaPeriod> dashas = VimshottariDashas(moon, birth);
    ASSERT_EQ(dashas.size(), 9U);
    const std::pair<const char*, const char*> first[3] = {{"Sun", "1994-12-10"}, {"Moon", "2004-12-10"}, {"Mars", "2011-12-11"}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(dashas[static_cast<std::size_t>(k)].Lord, first[k].first);
        EXPECT_EQ(CalendarDateOfJulianDay(dashas[static_cast<std::size_t>(k)].EndJD), first[k].second);
    }
    EXPECT_EQ(CalendarDateOfJulianDay(dashas[0].StartJD), "1990-05-15");
    const std::array<std::array<const char*, 3>, 4> firstAntardashas = {{{"Sun", "1988-12-10", "1989-03-30"},
                                                                         {"Moon", "1989-03-30", "1989-09-28"},
                                                                         {"Mars", "1989-09-28", "1990-02-03"},
                                                                         {"Rahu", "1990-02-03", "1990-12-29"}}};
    for (std::size_t j = 0; j < firstAntardashas.size(); ++j) {
        const DashaPeriod& antar = dashas[0].Antardasha.at(j);
        EXPECT_EQ(antar.Lord, firstAntardashas[j][0]);
        EXPECT_EQ(CalendarDateOfJulianDay(antar.StartJD), firstAntardashas[j][1]) << antar.Lord;
        EXPECT_EQ(CalendarDateOfJulianDay(antar.EndJD), firstAntardashas[j][2]) << antar.Lord;
    }
    EXPECT_NEAR((dashas[0].EndJD - birth) / DaysPerYear, 4.574, 0.001);
    double years = 0;
    for (std::size_t k = 0; k < dashas.size(); ++k) {
        if (k) {
            EXPECT_DOUBLE_EQ(dashas[k].StartJD, dashas[k - 1].EndJD);
        }
        years += (dashas[k].EndJD - dashas[k].StartJD) / DaysPerYear;
        // Nine antardashas from the mahadasha's own lord fill it to its end.
        const auto& antar = dashas[k].Antardasha;
        ASSERT_EQ(antar.size(), 9U);
        EXPECT_EQ(antar[0].Lord, dashas[k].Lord);
        EXPECT_DOUBLE_EQ(antar.back().EndJD, dashas[k].EndJD);
        double sum = 0;
        for (const DashaPeriod& a : antar) sum += a.EndJD - a.StartJD;
        EXPECT_NEAR(sum, antar.back().EndJD - antar.front().StartJD, 1e-6);
    }
    EXPECT_NEAR(years, 120 - 6 * 0.2376, 0.001);  // the whole cycle less what had run
    EXPECT_EQ(dashas[0].Antardasha[1].Lord, "Moon");
    EXPECT_NEAR((dashas[1].Antardasha[0].EndJD - dashas[1].StartJD) / DaysPerYear, 10.0 * 10 / 120, 1e-9);
}

// A Moon exactly at the start of a nakshatra (every start, so every lord):
// nothing of that nakshatra has run, its lord's period runs whole from the
// birth, and the nine periods span the whole cycle of 120 years.
TEST(VimshottariDashas, AMoonAtANakshatrasStartBeginsItsLordsWholePeriod) {
    const double birth = 2448026.7083;
    for (int k = 0; k < 27; ++k) {
        const double moon = k * 40.0 / 3;
        const std::vector<DashaPeriod> dashas = VimshottariDashas(moon, birth);
        ASSERT_EQ(dashas.size(), 9U);
        const DashaLord& lord = DashaLords[static_cast<std::size_t>(k % 9)];
        EXPECT_EQ(dashas[0].Lord, lord.name) << "start of nakshatra " << k;
        EXPECT_NEAR(dashas[0].EndJD - dashas[0].StartJD, lord.years * DaysPerYear, 1e-6) << k;
        EXPECT_NEAR(dashas.back().EndJD - birth, 120 * DaysPerYear, 1e-6) << k;
        EXPECT_NEAR(dashas[0].Antardasha.front().StartJD, birth, 1e-6) << k;
    }
}

// London in British Summer Time (15 July 1985, 14:00, zone +1 at 0:07 W):
// the Moon and the angles are computed for 15:00 UT, the planets for 13:00.
// The dasha balances the chart's Moon, 1 deg 9' 43" Gemini = 61.162 deg in
// Mrigashira (53.333 .. 66.667, Mars, 7 years): 0.5871 has run, 0.4129 x 7 x
// 365.25 = 1055.6 days are left, from the Moon's instant, JD 2446262.125
// (15:00 UT), to JD 2447317.7, 5 June 1988.
TEST(VimshottariDashas, DatedFromTheInstantItsMoonWasComputedFor) {
    const auto session = testdata::computedSession(testdata::londonSummerForm());
    ASSERT_TRUE(session.has_value());
    const ChartRecord& r = session->record;
    EXPECT_EQ(r.moon.MoonPositionText, "1\u00b0 9' 43\" Gem");
    const double birth = ChartDashaInstant(r.birth).julianDay;
    EXPECT_NEAR(birth, 2446262.125, 1e-9);
    const std::vector<DashaPeriod> dashas =
        VimshottariDashas(r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)], birth);
    EXPECT_EQ(dashas[0].Lord, "Mars");
    EXPECT_NEAR(dashas[0].StartJD, 2446262.125, 1e-9);
    EXPECT_NEAR(dashas[0].EndJD - dashas[0].StartJD, 1055.6, 0.3);  // the text keeps whole seconds of the Moon
    EXPECT_EQ(CalendarDateOfJulianDay(dashas[0].EndJD), "1988-06-05");
}

// The dates a user reads are those of the birth's own zone: a birth at 00:30
// in India (19:00 UT the day before) starts its first period on the date
// entered, and a period ending late in the UT day ends the next day in India.
TEST(DashaCivilDate, TheBirthsOwnZoneAsEntered) {
    app::BirthFormValues early = testdata::withDate(testdata::referenceForm(), 15, 5, 1990);
    early.cboHour = 0;
    early.cboMinute = 30;
    const auto session = testdata::computedSession(early);
    ASSERT_TRUE(session.has_value());
    const astro::BirthData& birth = session->record.birth;
    const DashaInstant instant = ChartDashaInstant(birth);
    EXPECT_EQ(CalendarDateOfJulianDay(instant.julianDay), "1990-05-14");  // UT: the day before
    EXPECT_EQ(DashaCivilDate(instant.julianDay, instant), "1990-05-15");
    const struct {
        double utHoursAfterMidnight;
        const char* date;
    } cases[] = {{0, "1990-05-15"}, {18.49, "1990-05-15"}, {18.51, "1990-05-16"}, {-5.49, "1990-05-15"}, {-5.51, "1990-05-14"}};
    const double midnightUt = 2448026.5;  // 15 May 1990, 0:00 UT
    for (const auto& c : cases) {
        EXPECT_EQ(DashaCivilDate(midnightUt + c.utHoursAfterMidnight / 24, instant), c.date) << c.utHoursAfterMidnight;
    }
}

// Every year length in use gives periods of that many days a year.
TEST(VimshottariDashas, TheYearLengthChosen) {
    for (const double yearDays : DashaYearLengths) {
        const std::vector<DashaPeriod> dashas = VimshottariDashas(40.0, 2448026.7083, yearDays);  // Rohini's start: the Moon
        EXPECT_EQ(dashas[0].Lord, "Moon");
        EXPECT_NEAR(dashas[0].EndJD - dashas[0].StartJD, 10 * yearDays, 1e-6) << yearDays;
        EXPECT_NEAR(dashas.back().EndJD - dashas.front().StartJD, 120 * yearDays, 1e-6) << yearDays;
    }
}

TEST(MoonPada, QuartersOfANakshatra) {
    const std::pair<double, int> cases[] = {{0, 1},        {10.0 / 3 - Just, 1}, {10.0 / 3, 2}, {20.0 / 3, 3},
                                            {10, 4},       {40.0 / 3, 1},        {269.835, 1},  {359.99, 4}};
    for (const auto& [moon, pada] : cases) EXPECT_EQ(MoonPada(moon), pada) << moon;
}

TEST(CalendarDateOfJulianDay, DaysBeginAtMidnight) {
    const std::pair<double, const char*> cases[] = {
        {2451545.0, "2000-01-01"},     // noon
        {2451544.5, "2000-01-01"},     // midnight
        {2451544.4999, "1999-12-31"},
        {2440587.5, "1970-01-01"},     // the first day the count starts from
        {2440587.4999, "1969-12-31"},  // before it, the day is rounded down, not toward it
        {2415385.5, "1901-01-01"},     // the form's first year
        {2415020.0, "1899-12-31"},
        {2470171.5, "2050-12-31"},     // and its last day
        {2488433.5, "2100-12-31"},     // a dasha's periods run 120 years on
        {0.0, "-4713-11-24"},          // the count's own first day, a year the four digits cannot hold
        {std::numeric_limits<double>::quiet_NaN(), "no date"},
        {2440587.5 + 1.2e7, "no date"},  // past the years a calendar date holds
    };
    for (const auto& [julianDay, date] : cases) EXPECT_EQ(CalendarDateOfJulianDay(julianDay), date) << julianDay;
}

// Two derivations of the Rashi chart's signs must not drift apart: the signs
// the boxes read from the position texts, and the signs of the sidereal
// degrees the divisional charts start from. Over every year the form takes,
// at four hours of a day and both hemispheres, they agree for every placed
// body and the Ascendant.
TEST(RashiSigns, TheTextsAndTheDegreesGiveTheSameSigns) {
    int charts = 0;
    for (int year = 1901; year <= 2050; ++year) {
        for (int k = 0; k < 4; ++k) {
            app::BirthFormValues form = testdata::withDate(testdata::referenceForm(), 1 + (year * 7 + k * 9) % 28,
                                                           1 + (year + k * 5) % 12, year);
            form.cboHour = (year + k * 6) % 24;
            form.optLongEast = k % 2 == 0;
            form.optLongWest = !form.optLongEast;
            form.optLatSouth = k >= 2;
            form.optLatNorth = !form.optLatSouth;
            const auto session = testdata::computedSession(form);
            ASSERT_TRUE(session.has_value()) << year << " " << k;
            const std::array<int, astro::BodyCount> fromTexts = RashiSigns(session->record);
            const std::array<int, astro::BodyCount> fromDegrees = DivisionalSigns(1, session->record);
            for (std::size_t b = 0; b <= astro::BodyIndex(astro::Body::Ascendant); ++b) {
                EXPECT_EQ(fromTexts[b], fromDegrees[b]) << year << " " << k << " body " << b << ": "
                                                        << session->record.bodies.PlanetPositionText[b];
            }
            ++charts;
        }
    }
    EXPECT_EQ(charts, 600);
}

}  // namespace
