// The places of the GeoNames data the system's geonames library carries
// (about 24,000 places of more than 15,000 people).
#pragma once

#include "atlas/Places.h"

namespace atlas {

class GeonamesPlaces : public PlaceSource {
public:
    std::vector<Place> PlacesNamed(std::string_view name) const override;
    // Every place, by its number 0 .. PlaceCount() - 1.
    std::size_t PlaceCount() const;
    Place PlaceAt(std::size_t index) const;
};

}  // namespace atlas
