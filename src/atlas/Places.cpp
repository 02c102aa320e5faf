#include "atlas/Places.h"

namespace atlas {

std::string PlaceLabel(const Place& place) {
    std::string label = place.foundAs.empty() ? place.name : place.foundAs + ": now " + place.name;
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty() && *part != place.name) label += ", " + *part;
    }
    return label;
}

}  // namespace atlas
