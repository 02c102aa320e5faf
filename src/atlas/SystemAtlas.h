// The atlas on the system's data: the geonames library's places and the tz
// database's zones.
#pragma once

#include "atlas/Atlas.h"
#include "atlas/GeonamesPlaces.h"

namespace atlas {

class SystemAtlas : public Atlas {
public:
    std::vector<Place> PlacesNamed(std::string_view name) const override { return places_.PlacesNamed(name); }
    ZoneLookup ZoneAtLocal(std::string_view zoneName, int year, int month, int day, int hour, int minute) const override {
        return ZoneAt(zoneName, year, month, day, hour, minute);
    }

    const GeonamesPlaces& places() const { return places_; }

private:
    GeonamesPlaces places_;
};

}  // namespace atlas
