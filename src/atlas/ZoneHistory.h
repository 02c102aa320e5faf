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

// ZoneAt: a zone's offset and daylight saving at a local clock reading.
//   Given:   an IANA zone name ("Asia/Kolkata"; a path or a name holding
//            ".." is refused) and the local date and time.
//   Returns: the offset in seconds (local less universal time), daylight
//            saving and the zone's abbreviation, read with the zone file's
//            rule for the years after its last listed change. A time skipped
//            when the clocks went forward gives `problem` naming the clocks'
//            jump; a time shown twice when they went back is taken as its
//            first occurrence (the one before the change), with `repeated`.
//            An unknown zone or an unreadable file gives `problem`.
ZoneLookup ZoneAt(std::string_view zoneName, astro::LocalMinute clock);

}  // namespace atlas
