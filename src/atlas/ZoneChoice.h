// Which of the form's zone rows and daylight-saving choice give a birth's
// true instant, from the place's true offset from universal time.
//
// The chart takes universal time twice: the Ascendant and the Moon from the
// zone's size on the place's side of Greenwich (a longitude of 0 counts as
// west; daylight saving widens an eastern zone and narrows a western one),
// the planets from the zone's own signed correction, less an hour for
// daylight saving. A row and choice is right for a place and moment whose
// true offset is O when both give UT = local time - O. When none is, the
// birth is entered in Universal Time: that row, no daylight saving, and the
// date and time converted (to the nearest minute).
#pragma once

#include <string>

#include "astro/BirthData.h"

namespace atlas {

// A birth as the form takes it: the local date and clock time as entered
// (an hour of 24 allowed), and the longitude rounded to the minute (0:00
// counts as west).
struct LocalBirth {
    std::chrono::year_month_day date{};
    std::chrono::minutes time{};  // since the date's midnight, 0:00 .. 24:59
    int lonDegrees = 0, lonMinutes = 0;
    bool east = false;
    // The clock reading: an hour of 24 is 0:mm of the next day, a day
    // beyond its month's last rolls into the next month.
    astro::LocalMinute clock() const {
        return astro::LocalMinuteOf(astro::YearOf(date), astro::MonthOf(date), astro::DayOf(date), 0, 0) + time;
    }
};

// What the time-zone history says of the place at that local time.
struct ZoneFacts {
    int offsetSeconds = 0;         // local time less universal time
    bool daylightSaving = false;   // whether daylight saving was in force
    std::string abbreviation;      // the zone's own ("IST", "BST", "+0545")
};

// IsRightChoice: whether a zone row and daylight-saving choice give a
// birth's true instant.
//   Given:   the birth, its true offset (seconds, local less universal time),
//            a zone list position 0..70 and the daylight-saving choice.
//   Returns: true when both the angles' universal time (UniversalTimeRule)
//            and the planets' (TrueUniversalTime) equal local time less the
//            offset; false for an offset with seconds, which no row gives.
bool IsRightChoice(const LocalBirth& birth, int offsetSeconds, int zonePosition, bool daylightSaving);

struct ZoneChoice {
    int zonePosition = 0;
    bool daylightSaving = false;
    bool universalTimeConversion = false;
    // The date and time to enter: the birth's own, or with the conversion
    // its universal time (to the nearest minute) read as the form's clock.
    astro::LocalMinute clock{};
    int roundedSeconds = 0;  // seconds the conversion rounded away (0..30)
    std::string problem;     // set when the converted date lies outside 1901..2050
};

// ChooseZone: the row and choice for a birth.
//   Given:   the birth and what the zone's history says at its local time.
//   Returns: a right row whose abbreviation is the zone's own, then a right
//            row of the zone's standard offset with daylight saving as in
//            force, then any right row (without daylight saving first), at
//            each step a row named for a standard time before one named for
//            a summer or war time, with the birth's own clock; otherwise the
//            Universal Time row, no daylight saving and the clock converted
//            (half a minute rounded up, the seconds rounded away kept), with
//            `problem` set when that falls outside 1901..2050.
ZoneChoice ChooseZone(const LocalBirth& birth, const ZoneFacts& facts);

// LocalClockOfConversion: the local clock that ChooseZone's conversion
// turns into a universal clock, for the same offset (seconds, local less
// universal time): the one minute whose conversion, half a minute rounded
// up, gives it.
astro::LocalMinute LocalClockOfConversion(astro::LocalMinute universalClock, int offsetSeconds);

// "zone 34 Indian Time, no daylight saving": a row and choice as sentences
// name them (the row's name up to its first comma; ", daylight saving" with
// it). A position outside 0..70 is named by its number alone ("zone 99, no
// daylight saving").
std::string ZoneRowText(int zonePosition, bool daylightSaving);

// "+5:30", "-10:00", "+5:21:10": an offset from universal time (seconds,
// east positive), its seconds written only when it has some.
std::string OffsetText(int offsetSeconds);

// A plain sentence saying what was chosen and why.
std::string ChoiceSentence(const LocalBirth& birth, const ZoneFacts& facts, const ZoneChoice& choice);

// The same for a zone row and daylight saving the user chose: "+1:00 with
// daylight saving on 15 July 1985 14:00: zone 16 British Summer Time, no
// daylight saving, as given".
std::string GivenZoneSentence(const LocalBirth& birth, const ZoneFacts& facts, int zonePosition, bool daylightSaving);

}  // namespace atlas
