// The station tables held to the known facts (counts, order, period lengths,
// the quoted first, second and last periods) and the retrograde look-up.
#include <gtest/gtest.h>

#include <vector>

#include <chrono>
#include "astro/PlanetPositions.h"
#include "astro/Retrogrades.h"
#include "support/Births.h"

using namespace modRetrogrades;

namespace {

// Days since 1 January 1970 of a Gregorian date.
long long dayCount(int y, int m, int d) {
    return std::chrono::floor<std::chrono::days>(astro::LocalMinuteOf(y, m, d, 0, 0)).time_since_epoch().count();
}

// Minutes since 1970 of a station record's moment.
long long minuteOf(std::string_view record) {
    const auto r = ParseStationRecord(record);
    return r ? dayCount(r->year, r->month, r->day) * 1440 + r->hour * 60 + r->minute : 0;
}

long long dayOf(std::string_view record) {
    const auto r = ParseStationRecord(record);
    EXPECT_TRUE(r.has_value()) << record;
    return r ? dayCount(r->year, r->month, r->day) : 0;
}

struct PlanetFacts {
    const char* name;
    std::size_t count;
    int shortestDays, longestDays;  // whole days from station to station
    // First, second, last-but-one and last periods as quoted (start, end).
    const char* periods[4][2];
};

// The records were computed with the Swiss Ephemeris (its JPL-based files) by
// tools/retro-stations; their times are that ephemeris' UT, and only the
// dates are held.
const PlanetFacts Facts[] = {
    {"Mercury", 476, 19, 24,
     {{"3,15,1900,13,19,", "4,7,1900,18,42,"}, {"7,18,1900,0,53,", "8,11,1900,14,59,"},
      {"8,11,2050,6,18,", "9,3,2050,18,36,"}, {"12,1,2050,17,17,", "12,21,2050,11,33,"}}},
    {"Venus", 95, 40, 43,
     {{"6,16,1900,22,56,", "7,30,1900,2,44,"}, {"1,25,1902,3,30,", "3,7,1902,13,41,"},
      {"2,22,2049,21,10,", "4,5,2049,19,10,"}, {"9,25,2050,22,15,", "11,6,2050,19,4,"}}},
    {"Mars", 71, 59, 81,
     {{"1,13,1901,6,16,", "4,4,1901,7,21,"}, {"2,18,1903,14,29,", "5,9,1903,16,14,"},
      {"4,30,2048,14,48,", "7,10,2048,21,33,"}, {"7,15,2050,5,50,", "9,13,2050,9,41,"}}},
    {"Jupiter", 139, 116, 124,
     {{"3,27,1900,20,39,", "7,29,1900,1,35,"}, {"4,30,1901,20,16,", "8,30,1901,20,59,"},
      {"11,20,2049,11,53,", "3,20,2050,7,34,"}, {"12,21,2050,13,21,", "4,21,2051,23,46,"}}},
    {"Saturn", 146, 133, 141,
     {{"4,14,1900,6,2,", "9,2,1900,14,39,"}, {"4,26,1901,3,57,", "9,14,1901,0,9,"},
      {"5,6,2049,8,8,", "9,24,2049,13,19,"}, {"5,18,2050,13,6,", "10,6,2050,11,5,"}}},
};

TEST(StationTables, CountsOrderAndPeriodLengths) {
    for (const PlanetFacts& facts : Facts) {
        const StationTables t = StationTablesOf(facts.name);
        ASSERT_EQ(t.RetroStart.size(), facts.count + 1) << facts.name;
        ASSERT_EQ(t.RetroEnd.size(), facts.count + 1) << facts.name;
        EXPECT_EQ(t.RetroStart[facts.count], "") << facts.name;
        EXPECT_EQ(t.RetroEnd[facts.count], "") << facts.name;
        for (std::size_t k = 0; k < facts.count; ++k) {
            const auto start = ParseStationRecord(t.RetroStart[k]);
            const auto end = ParseStationRecord(t.RetroEnd[k]);
            ASSERT_TRUE(start && end) << facts.name << " " << k;
            EXPECT_TRUE(start->hour <= 23 && start->minute <= 59 && end->hour <= 23 && end->minute <= 59);
            const long long length = (minuteOf(t.RetroEnd[k]) - minuteOf(t.RetroStart[k])) / 1440;
            EXPECT_GE(length, facts.shortestDays) << facts.name << " period " << k;
            EXPECT_LE(length, facts.longestDays) << facts.name << " period " << k;
            if (k + 1 < facts.count) {
                EXPECT_LT(dayOf(t.RetroEnd[k]), dayOf(t.RetroStart[k + 1])) << facts.name << " " << k;
            }
        }
        EXPECT_GE(ParseStationRecord(t.RetroStart[0])->year, 1900) << facts.name;
        EXPECT_LE(ParseStationRecord(t.RetroStart[facts.count - 1])->year, 2050) << facts.name;
    }
}

TEST(StationTables, QuotedPeriodsFallOnTheSameDates) {
    for (const PlanetFacts& facts : Facts) {
        const StationTables t = StationTablesOf(facts.name);
        const std::size_t indices[4] = {0, 1, facts.count - 2, facts.count - 1};
        for (int i = 0; i < 4; ++i) {
            for (int side = 0; side < 2; ++side) {
                const std::string_view ours = (side == 0 ? t.RetroStart : t.RetroEnd)[indices[i]];
                const char* quoted = facts.periods[i][side];
                // Only the station's calendar day enters the retrograde rule; the
                // clock times of a station differ between ephemerides by minutes
                // to hours (a slow planet barely moves near its station).
                EXPECT_EQ(dayOf(ours), dayOf(quoted)) << facts.name << " " << ours << " vs " << quoted;
            }
        }
    }
}

TEST(ParseStationRecord, RecordsAndMalformedTexts) {
    const auto r = ParseStationRecord("3,15,1900,13,19,");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->month, 3);
    EXPECT_EQ(r->day, 15);
    EXPECT_EQ(r->year, 1900);
    EXPECT_EQ(r->hour, 13);
    EXPECT_EQ(r->minute, 19);
    for (const char* bad : {"", "3,15,1900,13,19", "3,15,1900,13,19,x", "3,,1900,13,19,", "a,15,1900,13,19,"}) {
        EXPECT_FALSE(ParseStationRecord(bad).has_value()) << bad;
    }
}

std::chrono::year_month_day date(int y, int m, int d) { return astro::PartsOf(astro::LocalMinuteOf(y, m, d, 0, 0)).date; }

TEST(IsRetrograde, StationDaysThemselvesAreNotRetrograde) {
    struct Case {
        std::chrono::year_month_day date;
        const char* planet;
        bool retrograde;
    } const cases[] = {
        {date(1900, 3, 16), "Mercury", true},   {date(1900, 3, 15), "Mercury", false},
        {date(1900, 4, 7), "Mercury", false},   {date(1900, 4, 6), "Mercury", true},
        {date(1900, 3, 1), "Mercury", false},   {date(2050, 12, 17), "Mercury", true},
        {date(2050, 12, 22), "Mercury", false}, {date(2051, 4, 1), "Jupiter", true},
        {date(2051, 4, 22), "Jupiter", false},  {date(1899, 12, 31), "Saturn", false},
        {date(1990, 5, 15), "Pluto", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsRetrograde(c.date, c.planet), c.retrograde)
            << c.planet << " " << astro::YearOf(c.date) << "-" << astro::MonthOf(c.date) << "-" << astro::DayOf(c.date);
    }
}

// The literal rule: scan every period in order; retrograde when the birth day
// lies strictly after the start day and strictly before the end day.
struct StationDays {
    std::vector<long long> start, end;
};

StationDays stationDaysOf(std::string_view planet) {
    const StationTables t = StationTablesOf(planet);
    StationDays days;
    for (std::size_t k = 0; k + 1 < t.RetroStart.size(); ++k) {
        days.start.push_back(dayOf(t.RetroStart[k]));
        days.end.push_back(dayOf(t.RetroEnd[k]));
    }
    return days;
}

bool linearRule(const std::chrono::year_month_day& birth, const StationDays& days) {
    const long long b = std::chrono::sys_days{birth}.time_since_epoch().count();
    for (std::size_t k = 0; k < days.start.size(); ++k) {
        if (days.start[k] - b < 0 && days.end[k] - b > 0) return true;
    }
    return false;
}

TEST(IsRetrograde, AgreesWithTheLinearRuleOnEveryDay) {
    const long long first = dayCount(1899, 12, 1);
    const long long last = dayCount(2051, 6, 1);
    for (std::string_view planet : RetroPlanetNames) {
        const StationDays days = stationDaysOf(planet);
        int disagreements = 0;
        for (long long day = first; day <= last; ++day) {
            const std::chrono::year_month_day d{std::chrono::sys_days{std::chrono::days{day}}};
            disagreements += IsRetrograde(d, planet) != linearRule(d, days);
        }
        EXPECT_EQ(disagreements, 0) << planet;
    }
}

astro::BirthData birthOn(int y, int m, int d, int hour = 12) {
    // The zone and daylight saving take no part in the look-up.
    return testdata::BirthBuilder().on(y, m, d).at(hour, 0).zone(-12, 0).daylightSaving();
}

std::array<std::string, astro::BodyCount> plainNames() {
    std::array<std::string, astro::BodyCount> names;
    for (std::size_t b = 0; b < names.size(); ++b) names[b] = modVedicPlanetPosition::SanskritBodyNames[b];
    return names;
}

TEST(MarkRetrogrades, MarksOncePerCalculationAndOnlyFlaggedPlanets) {
    for (int hour : {0, 23}) {
        std::array<bool, 5> flags{};
        auto names = plainNames();
        MarkRetrogrades(birthOn(1900, 3, 16, hour), flags, names);
        EXPECT_TRUE(flags[0]);
        EXPECT_EQ(names[2], "Budha (R) ");
        EXPECT_EQ(names[0], "Surya");
        EXPECT_EQ(names[7], "Rahu");
    }
    // Several at once: find a date with at least three planets retrograde.
    for (long long day = dayCount(1950, 1, 1);; ++day) {
        const std::chrono::year_month_day d{std::chrono::sys_days{std::chrono::days{day}}};
        std::array<bool, 5> flags{};
        auto names = plainNames();
        MarkRetrogrades(birthOn(astro::YearOf(d), astro::MonthOf(d), astro::DayOf(d)), flags, names);
        int marked = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            marked += flags[i];
            const std::string expected = std::string(plainNames()[i + 2]) + (flags[i] ? " (R) " : "");
            EXPECT_EQ(names[i + 2], expected);
        }
        if (marked >= 3) break;
        ASSERT_LT(day, dayCount(1960, 1, 1)) << "no day with three retrograde planets";
    }
}

TEST(MarkRetrogrades, Hour24BelongsToTheNextDay) {
    // 15 March 1900 at 24:00 is 16 March: Mercury is retrograde.
    std::array<bool, 5> flags{};
    auto names = plainNames();
    MarkRetrogrades(birthOn(1900, 3, 15, 24), flags, names);
    EXPECT_TRUE(flags[0]);
    MarkRetrogrades(birthOn(1900, 4, 6, 24), flags, names = plainNames());
    EXPECT_FALSE(flags[0]);  // 7 April: the direct station's day
}

}  // namespace
