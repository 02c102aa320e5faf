// The Vedic details of a chart beyond its window: the Lagna and each body
// with its sign, degrees, nakshatra, pada and the nakshatra's lord, the
// Moon's own pada beside the window's pada count, and the Vimshottari
// periods with the balance at the birth, marked where a given day falls.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/ChartRecord.h"
#include "app/DivisionalCharts.h"
#include "astro/Body.h"

namespace charttext {

// One row of the positions: the Lagna or a body.
struct BodyDetail {
    std::string name;       // "Lagna / Asc", "Surya / Sun" .. "Ketu / South Node"
    std::string sign;       // "Kataka (Can)"
    std::string degrees;    // within the sign, as the long position text: 9° 52' 13"
    std::string nakshatra;  // "Pushya"
    int pada = 0;           // 1..4, the quarter of the nakshatra the body stands in
    std::string lord;       // the nakshatra's lord, "Saturn"
    bool retrograde = false;
};

// The periods of a day: the index of the mahadasha, antardasha and
// pratyantardasha running on it (-1 where the day lies outside them).
struct RunningPeriods {
    int maha = -1, antar = -1, pratyantar = -1;
};

struct VedicDetails {
    std::string positions;  // whose positions: the chart's own rules or the sky's
    std::vector<BodyDetail> rows;  // the Lagna, then the nine bodies
    std::string padaCount;  // the window's "Pada": of the Moon's nakshatra, how many padas lie in its sign
    int moonPada = 0;       // the Moon's own pada
    app::DashaBalance balance;
    std::vector<app::DashaPeriod> dashas;  // the nine mahadashas with their antardashas
    app::DashaInstant birth;               // what the periods are dated from, and the zone's dates
    RunningPeriods today;
    std::vector<app::DashaPeriod> pratyantardashas;  // of today's antardasha (none when the day is outside)
    // The birth's panchanga from the sky's positions, as lines of text; none
    // when asked not to, or in a build without the sky.
    std::vector<std::string> panchanga;
};

// The sentence under the pada row: what each of the two numbers counts.
inline constexpr const char* PadaSentence =
    "The chart window's Pada counts how many of the four padas of the Moon's nakshatra lie in the Moon's sign; "
    "the Moon's own pada is the quarter of the nakshatra the Moon stands in.";

// The details of a computed record, with the periods running on the day
// `todayJulianDay` (UT) marked; a dasha year of `yearDays` days.
VedicDetails MakeVedicDetails(const app::ChartRecord& r, double todayJulianDay, double yearDays = app::DaysPerYear,
                              bool withPanchanga = true);

// The running periods of a day among the mahadashas (and their antardashas
// and the antardasha's pratyantardashas).
RunningPeriods RunningOn(const std::vector<app::DashaPeriod>& dashas, double julianDay);

// The date of a period's boundary in the birth's own zone, "YYYY-MM-DD".
std::string PeriodDate(const VedicDetails& details, double julianDay);

// The balance as words: "Sun 3 years 4 months 12 days".
std::string BalanceText(const app::DashaBalance& balance);

// The details as plain text, one table after another (for copying); with
// the pratyantardashas of today's antardasha when `withPratyantar`.
std::string FormatVedicDetails(const VedicDetails& details, bool withPratyantar = true);

}  // namespace charttext
