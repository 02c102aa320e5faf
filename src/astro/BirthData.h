// The birth data every astronomical pass reads: the civil date and clock time as
// entered, the selected time zone (as magnitudes and with sign), the place's
// coordinates as entered and the three direction/daylight flags.
#pragma once

#include <chrono>
#include <cstdint>

namespace astro {

struct BirthData {
    std::int16_t BirthDay = 0;     // 1..31
    std::int16_t BirthMonth = 0;   // 1..12
    std::int16_t BirthYear = 0;    // 1901..2050
    std::int16_t BirthHour = 0;    // 0..24, local clock hour
    std::int16_t BirthMinute = 0;  // 0..59
    std::int16_t ZoneHoursAbs = 0;       // |zone hours|, 0..13
    std::int16_t ZoneMinutesAbs = 0;     // |zone minutes|, 0 or 30
    std::int16_t ZoneHoursSigned = 0;    // hours to add to local time to get UT
    std::int16_t ZoneMinutesSigned = 0;  // minutes to add as well, same sign
    std::int16_t LonDegrees = 0;   // 0..999 as entered
    std::int16_t LonMinutes = 0;
    std::int16_t LatDegrees = 0;
    std::int16_t LatMinutes = 0;
    bool IsEast = false;
    bool IsSouth = false;
    bool IsDaylightSaving = false;
};

// A clock reading to the minute with no zone attached (a birth's date and
// time as entered, or the form's date and time), and a universal instant to
// the minute. Civil dates cross units as these; the integers of a date are
// taken apart only where a rule's formula or a text needs them.
using LocalMinute = std::chrono::local_time<std::chrono::minutes>;
using UniversalMinute = std::chrono::sys_time<std::chrono::minutes>;

// LocalMinuteOf: a local date and clock time as one value.
//   Given:   year, month 1..12, day 1..31, hour 0..24, minute 0..59.
//   Returns: the clock reading; an hour of 24 is 0:mm of the next day, and a
//            day beyond its month's last rolls into the next month (30
//            February is 2 March), as calendar arithmetic does.
LocalMinute LocalMinuteOf(int year, int month, int day, int hour, int minute);

// EnteredClock: the birth's date and clock time as entered.
LocalMinute EnteredClock(const BirthData& birth);

// The parts of a clock reading or an instant: the civil date and the time of day.
struct CivilParts {
    std::chrono::year_month_day date;
    std::chrono::hh_mm_ss<std::chrono::minutes> time;
};
CivilParts PartsOf(LocalMinute clock);
CivilParts PartsOf(UniversalMinute instant);

// Year, month 1..12 and day 1..31 of a civil date as plain numbers (for
// texts and list positions).
int YearOf(const std::chrono::year_month_day& date);
int MonthOf(const std::chrono::year_month_day& date);
int DayOf(const std::chrono::year_month_day& date);

inline LocalMinute LocalMinuteOf(int year, int month, int day, int hour, int minute) {
    using namespace std::chrono;
    // The day and time added as counts to the month's first day, so that they roll over.
    const year_month_day first{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} / 1};
    return local_days{first} + days{day - 1} + hours{hour} + minutes{minute};
}

inline LocalMinute EnteredClock(const BirthData& birth) {
    return LocalMinuteOf(birth.BirthYear, birth.BirthMonth, birth.BirthDay, birth.BirthHour, birth.BirthMinute);
}

inline CivilParts PartsOf(LocalMinute clock) {
    const std::chrono::local_days day = std::chrono::floor<std::chrono::days>(clock);
    return {std::chrono::year_month_day{day}, std::chrono::hh_mm_ss<std::chrono::minutes>{clock - day}};
}

inline CivilParts PartsOf(UniversalMinute instant) {
    const std::chrono::sys_days day = std::chrono::floor<std::chrono::days>(instant);
    return {std::chrono::year_month_day{day}, std::chrono::hh_mm_ss<std::chrono::minutes>{instant - day}};
}

inline int YearOf(const std::chrono::year_month_day& date) { return static_cast<int>(date.year()); }
inline int MonthOf(const std::chrono::year_month_day& date) {
    return static_cast<int>(static_cast<unsigned>(date.month()));
}
inline int DayOf(const std::chrono::year_month_day& date) { return static_cast<int>(static_cast<unsigned>(date.day())); }

}  // namespace astro
