// Places of birth by name: "Pune", "Pune, Maharashtra", "London, England,
// United Kingdom".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace atlas {

struct Place {
    std::string name, state, country;  // as the atlas writes them (UTF-8)
    std::string countryCode;           // "IN", "GB"
    std::string timeZone;              // IANA name, "Asia/Kolkata"
    double latitude = 0;               // degrees, north positive
    double longitude = 0;              // degrees, east positive
    long population = 0;
};

// Where places come from: those whose name (or a word of it) begins with the
// given text, in any order.
class PlaceSource {
public:
    virtual ~PlaceSource() = default;
    virtual std::vector<Place> PlacesNamed(std::string_view name) const = 0;
};

struct PlaceSearch {
    std::vector<Place> matches;  // the best first
    std::string problem;         // why nothing matched
};

// The places a text names: its first part (before a comma) is the place's
// name, each further part must be its state, its country or the country's
// code. Places whose name is the text's first part come before those whose
// name only begins with it, then the most people first. Names compare
// without case or accents ("sao paulo" names São Paulo).
PlaceSearch FindPlaces(const PlaceSource& source, std::string_view text);

// "Pune, Maharashtra, India": a place as a line names it.
std::string PlaceLabel(const Place& place);

}  // namespace atlas
