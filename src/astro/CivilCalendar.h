// Proleptic Gregorian calendar arithmetic on whole days.
#pragma once

namespace astro {

struct CivilDate {
    int year = 0, month = 0, day = 0;
};

// Days since 1 January 1970 of a Gregorian date. Days and months out of their
// usual range carry over (day 0 is the last day of the previous month).
long long DaysFromCivil(long long year, long long month, long long day);

CivilDate CivilFromDays(long long days);

}  // namespace astro
