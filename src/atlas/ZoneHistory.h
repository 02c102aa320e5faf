// A time zone's offset from universal time and daylight saving at a local
// date and time, from the system's time-zone database (IANA names such as
// "Asia/Kolkata").
#pragma once

#include <string>
#include <string_view>

#include "atlas/ZoneChoice.h"

namespace atlas {

struct ZoneLookup {
    ZoneFacts facts;
    bool repeated = false;  // the clock showed this time twice; the first is taken
    std::string problem;    // set when the zone is unknown or the time was skipped
};

// The zone's offset at a local date and time (hour 0..24). A time skipped
// when the clocks went forward is refused; a time shown twice when they went
// back is taken as its first occurrence (the one before the change).
ZoneLookup ZoneAt(std::string_view zoneName, int year, int month, int day, int hour, int minute);

}  // namespace atlas
