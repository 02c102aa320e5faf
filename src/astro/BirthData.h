// The birth data every astronomical pass reads: the civil date and clock time as
// entered, the selected time zone (as magnitudes and with sign), the place's
// coordinates as entered and the three direction/daylight flags.
#pragma once

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

}  // namespace astro
