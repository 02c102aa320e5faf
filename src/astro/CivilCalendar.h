// Proleptic Gregorian calendar arithmetic on whole days.
#pragma once

namespace astro {

struct CivilDate {
    int year = 0, month = 0, day = 0;
};

namespace detail {
constexpr long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
}  // namespace detail

// Days since 1 January 1970 of a Gregorian date. Days and months out of their
// usual range carry over (day 0 is the last day of the previous month).
constexpr long long DaysFromCivil(long long year, long long month, long long day) {
    // Normalise the month into 1..12 first, carrying whole years.
    const long long monthIndex = month - 1;
    year += detail::floorDiv(monthIndex, 12);
    month = monthIndex - 12 * detail::floorDiv(monthIndex, 12) + 1;

    // Count from 1 March of year 0 so that the leap day ends a year.
    const long long y = month <= 2 ? year - 1 : year;
    const long long era = detail::floorDiv(y, 400);
    const long long yearOfEra = y - era * 400;                              // 0..399
    const long long monthFromMarch = month > 2 ? month - 3 : month + 9;     // 0..11
    const long long dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;  // day may be out of range
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr CivilDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = detail::floorDiv(days, 146097);
    // Within an era every quantity is small and not negative: unsigned 32-bit
    // arithmetic gives the same values, and its divisions by constants are
    // quicker (no corrections for a sign).
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);  // 0..146096
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // 0..365
    const unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;                                 // 0..11
    const unsigned day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    const unsigned month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace astro
