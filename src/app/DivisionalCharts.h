// Charts derived from the sidereal longitudes of a computed chart: the six
// divisional charts (vargas) by the classical rules, the Vimshottari dasha
// periods and the Moon's pada.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ChartCalculation.h"
#include "app/ChartRecord.h"
#include "astro/Body.h"

namespace app {

// The divisions drawn besides the Rashi chart (D1): Hora, Drekkana,
// Saptamsa, Navamsa, Dasamsa, Dwadasamsa.
inline constexpr std::array<int, 6> Divisions = {2, 3, 7, 9, 10, 12};

// DivisionalSign: the sign (0 = Aries .. 11 = Pisces) of a sidereal longitude
// in the chart of the division.
//   Given:   division 1, 2, 3, 7, 9, 10 or 12; longitude in degrees, 0..360
//            (360 counts as 0).
//   Returns: with s the sign and x the degrees within it, p the part of the
//            sign (a boundary belongs to the later part), odd signs Aries,
//            Gemini, ..., all modulo 12:
//              D1  s;  D2 odd: x < 15 Leo else Cancer, even: x < 15 Cancer else Leo;
//              D3  s + 4p (p of 10 degrees);  D7 odd s + p, even s + 6 + p (p of 30/7);
//              D9  movable s + p, fixed s + 8 + p, dual s + 4 + p (p of 10/3);
//              D10 odd s + p, even s + 8 + p (p of 3);  D12 s + p (p of 2.5).
//            -1 for another division or a longitude that is not a number.
int DivisionalSign(int division, double longitude);

// DivisionalSigns: the signs of the eleven bodies in the chart of a division.
//   Given:   a division as DivisionalSign takes it; a computed record (its
//            sidereal longitudes).
//   Returns: DivisionalSign of each body's longitude, in the body order
//            (Ascendant at 9, Midheaven at 10); -1 where DivisionalSign gives it.
std::array<int, astro::BodyCount> DivisionalSigns(int division, const ChartRecord& record);

// One Vimshottari period: its lord and the Julian days (UT) it begins and ends;
// a mahadasha holds its nine antardashas.
struct DashaPeriod {
    std::string Lord;
    double StartJD = 0;
    double EndJD = 0;
    std::vector<DashaPeriod> Antardasha;
};

// The lords in their order and their years.
struct DashaLord {
    const char* name;
    int years;
};
inline constexpr std::array<DashaLord, 9> DashaLords = {{{"Ketu", 7},
                                                         {"Venus", 20},
                                                         {"Sun", 6},
                                                         {"Moon", 10},
                                                         {"Mars", 7},
                                                         {"Rahu", 18},
                                                         {"Jupiter", 16},
                                                         {"Saturn", 19},
                                                         {"Mercury", 17}}};
// The length of a dasha year in days: 365.25 (the Julian year, the default)
// and the other conventions in use (Gregorian, sidereal, the 360-day savana).
inline constexpr double DaysPerYear = 365.25;
inline constexpr std::array<double, 4> DashaYearLengths = {365.25, 365.2425, 365.25636, 360.0};

// VimshottariDashas: the nine mahadashas from the birth.
//   Given:   the Moon's sidereal longitude m (degrees), the birth's Julian day.
//   Returns: with p = 3m / 40, the first lord is that of nakshatra floor(p)
//            (its number mod 9 in DashaLords); p - floor(p) of its years
//            have run at the birth, so the first mahadasha runs from the birth
//            for the rest; each later one starts where the one before ends.
//            The antardashas of a mahadasha start with its own lord, each of
//            mahadasha years x sub-lord years / 120, laid from the
//            mahadasha's full start (for the first one, before the birth), so
//            that they fill it and the last ends with it.
//            A year is `yearDays` days long.
std::vector<DashaPeriod> VimshottariDashas(double moonLongitude, double birthJulianDay, double yearDays = DaysPerYear);

// SubPeriods: the sub-periods of a period (the antardashas of a mahadasha,
// the pratyantardashas of an antardasha).
//   Given:   a period whose lord is one of DashaLords.
//   Returns: nine periods, starting with the period's own lord and going
//            round DashaLords, each of the period's length x its lord's
//            years / 120 (Julian days), from the period's start to its end;
//            none when the lord is not one of DashaLords.
std::vector<DashaPeriod> SubPeriods(const DashaPeriod& period);

// BalanceAtBirth: what is left of the first mahadasha at the birth.
//   Given:   the first mahadasha, the Julian day it is dated from, the year's
//            length in days.
//   Returns: its lord and the days left, rounded to whole days, as whole
//            years, months of a twelfth of a year and days; 0 0 0 when the
//            period ended before that day.
struct DashaBalance {
    std::string Lord;
    int years = 0, months = 0, days = 0;
};
DashaBalance BalanceAtBirth(const DashaPeriod& first, double birthJulianDay, double yearDays = DaysPerYear);

// VimshottariPeriods: the periods VimshottariDashas is made from, without
// texts or lists to hold them (a batch writes them for every line):
// each lord as its place in DashaLords, the mahadashas and their antardashas.
struct DashaSpan {
    std::size_t lord = 0;
    double StartJD = 0;
    double EndJD = 0;
};
struct VimshottariSpans {
    std::array<DashaSpan, 9> maha;                 // the mahadashas
    std::array<std::array<DashaSpan, 9>, 9> antar;  // antar[k]: the antardashas of maha[k]
};
VimshottariSpans VimshottariPeriods(double moonLongitude, double birthJulianDay, double yearDays = DaysPerYear);

// The instant a chart's dasha is dated from, and how far the birth's clock,
// as entered, runs ahead of it. The two are made together, by one of the
// functions below, so that no writer dates the periods from one instant and
// writes their days on the other's clock.
struct DashaInstant {
    double julianDay = 0;        // Julian day, universal time
    double clockOffsetDays = 0;  // the entered clock less that instant, days
};

// ChartDashaInstant: the instant of the chart's own positions.
//   Given:   the birth data.
//   Returns: the instant the chart's Moon is computed for (the local date's
//            day number and UniversalTimeRule's hours: the zone's size on the
//            place's side of Greenwich, as the angles and the Moon take it),
//            so that the period the Moon's degree balances starts when that
//            Moon stood there; and the entered clock's lead on it.
DashaInstant ChartDashaInstant(const astro::BirthData& birth);

// TrueDashaInstant: the birth's true instant (the zone's signed correction,
// daylight saving; TrueUniversalTime), the instant the sky's positions are
// computed for, and the entered clock's lead on it.
DashaInstant TrueDashaInstant(const astro::BirthData& birth);

// DashaInstantOf: a record's: ChartDashaInstant for the chart's own
// positions, TrueDashaInstant for the sky's. Every writer of the dasha (the
// JSON, the text table, the Vedic details, the CSV summary) takes this.
DashaInstant DashaInstantOf(const ChartRecord& record);

// CalendarDateOfJulianDay: "YYYY-MM-DD" of the Gregorian civil day (UT)
// that holds the Julian day (a day begins at midnight, JD x.5); years
// outside 0..9999 are written with as many digits as they take (a sign
// below 0). A Julian day more than 11 million days (about 30,000 years) from
// 1970, or not a number, gives "no date".
std::string CalendarDateOfJulianDay(double julianDay);
// The same written at `at`, which has room for CalendarDateRoom characters;
// returns the end of what it wrote.
inline constexpr int CalendarDateRoom = 32;
char* WriteCalendarDate(double julianDay, char* at);

// "YYYY-MM-DD" of the civil day in the birth's own zone, as entered, that
// holds a Julian day of the chart's dasha dated from `birth`: the birth
// itself falls on the date entered (a birth at 1:00 in India is not dated
// the day before).
std::string DashaCivilDate(double julianDay, const DashaInstant& birth);
// The same written at `at` (room for CalendarDateRoom characters); returns its end.
char* WriteDashaCivilDate(double julianDay, const DashaInstant& birth, char* at);

// MoonPada: the Moon's own pada 1..4 of a sidereal longitude m (degrees):
// floor(m / (10/3)) mod 4 + 1 (a negative longitude counts round from 360).
int MoonPada(double moonLongitude);

}  // namespace app
