// What the atlas answers: places by name and a zone's offset at a local
// moment. The system's data (SystemAtlas) are one answer; tests give others.
#pragma once

#include <string_view>

#include "atlas/Places.h"
#include "atlas/ZoneHistory.h"

namespace atlas {

class Atlas : public PlaceSource {
public:
    // The zone's offset at a local date and time, as ZoneAt gives it.
    virtual ZoneLookup ZoneAtLocal(std::string_view zoneName, astro::LocalMinute clock) const = 0;
};

}  // namespace atlas
