// Whole days and Gregorian dates, both ways.
#include <gtest/gtest.h>

#include "astro/CivilCalendar.h"

namespace {

TEST(CivilCalendar, KnownDaysEitherSideOfTheCountsStart) {
    struct Case {
        long long days;
        int year, month, day;
    } const cases[] = {
        {0, 1970, 1, 1},          {-1, 1969, 12, 31},       {-25509, 1900, 2, 28},  {-25508, 1900, 3, 1},  // 1900: no leap day
        {11016, 2000, 2, 29},     {11017, 2000, 3, 1},      {-719468, 0, 3, 1},     {-719469, 0, 2, 29},  // the era's start
        {-719528, 0, 1, 1},       {-719529, -1, 12, 31},    {47482, 2100, 1, 1},    {2932896, 9999, 12, 31},
    };
    for (const Case& c : cases) {
        const astro::CivilDate date = astro::CivilFromDays(c.days);
        EXPECT_EQ(date.year, c.year) << c.days;
        EXPECT_EQ(date.month, c.month) << c.days;
        EXPECT_EQ(date.day, c.day) << c.days;
        EXPECT_EQ(astro::DaysFromCivil(c.year, c.month, c.day), c.days) << c.days;
    }
}

// Every day from 2001 BC to AD 4000 is the day after the one before, and the
// count gives the day back.
TEST(CivilCalendar, EveryDayFollowsTheOneBeforeAndCountsBack) {
    const long long first = astro::DaysFromCivil(-2000, 1, 1), last = astro::DaysFromCivil(4000, 12, 31);
    astro::CivilDate before = astro::CivilFromDays(first - 1);
    for (long long days = first; days <= last; ++days) {
        const astro::CivilDate date = astro::CivilFromDays(days);
        const bool nextDay = date.year == before.year && date.month == before.month && date.day == before.day + 1;
        const bool nextMonth = date.year == before.year && date.month == before.month + 1 && date.day == 1;
        const bool nextYear = date.year == before.year + 1 && date.month == 1 && date.day == 1 && before.month == 12 &&
                              before.day == 31;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << days;
        ASSERT_EQ(astro::DaysFromCivil(date.year, date.month, date.day), days) << days;
        before = date;
    }
}

}  // namespace
