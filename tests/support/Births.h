// Births for the astronomical tests: one builder, and the reference birth used
// across tests and benchmarks, 15 May 1990, 10:30, zone 5 h 30 min ahead of
// Greenwich (Indian Time, list position 34), 77°12' East, 28°36' North, no
// daylight saving (New Delhi).
#pragma once

#include <cstdint>
#include <cstdlib>

#include "astro/BirthData.h"

namespace testdata {

// Starts from an empty birth (every number 0, West and North, no daylight
// saving); each call sets one group of fields.
class BirthBuilder {
public:
    BirthBuilder& on(int year, int month, int day) {
        b_.BirthYear = whole(year);
        b_.BirthMonth = whole(month);
        b_.BirthDay = whole(day);
        return *this;
    }
    BirthBuilder& at(int hour, int minute) {
        b_.BirthHour = whole(hour);
        b_.BirthMinute = whole(minute);
        return *this;
    }
    // The zone's correction with sign (hours and minutes to add to local time
    // to obtain UT); the magnitudes follow from it.
    BirthBuilder& zone(int hoursSigned, int minutesSigned) {
        b_.ZoneHoursSigned = whole(hoursSigned);
        b_.ZoneMinutesSigned = whole(minutesSigned);
        b_.ZoneHoursAbs = whole(std::abs(hoursSigned));
        b_.ZoneMinutesAbs = whole(std::abs(minutesSigned));
        return *this;
    }
    BirthBuilder& longitude(int degrees, int minutes, bool east) {
        b_.LonDegrees = whole(degrees);
        b_.LonMinutes = whole(minutes);
        b_.IsEast = east;
        return *this;
    }
    BirthBuilder& latitude(int degrees, int minutes, bool south) {
        b_.LatDegrees = whole(degrees);
        b_.LatMinutes = whole(minutes);
        b_.IsSouth = south;
        return *this;
    }
    BirthBuilder& daylightSaving(bool on = true) {
        b_.IsDaylightSaving = on;
        return *this;
    }
    operator astro::BirthData() const { return b_; }
    astro::BirthData build() const { return b_; }

private:
    static std::int16_t whole(int value) { return static_cast<std::int16_t>(value); }
    astro::BirthData b_;
};

inline constexpr bool East = true, West = false, North = false, South = true;

inline astro::BirthData referenceBirth() {
    return BirthBuilder().on(1990, 5, 15).at(10, 30).zone(-5, -30).longitude(77, 12, East).latitude(28, 36, North);
}

}  // namespace testdata
