#include "atlas/Places.h"

#include <algorithm>

#include "atlas/FormLetters.h"

namespace atlas {

namespace {

std::vector<std::string> parts(std::string_view text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        out.push_back(FoldedName(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start)));
        if (comma == std::string_view::npos) return out;
        start = comma + 1;
    }
}

}  // namespace

std::string PlaceLabel(const Place& place) {
    std::string label = place.name;
    for (const std::string* part : {&place.state, &place.country}) {
        if (!part->empty() && *part != place.name) label += ", " + *part;
    }
    return label;
}

PlaceSearch FindPlaces(const PlaceSource& source, std::string_view text) {
    PlaceSearch search;
    const std::vector<std::string> wanted = parts(text);
    if (wanted.front().empty()) {
        search.problem = "give the name of a place, such as \"Pune\" or \"London, England\"";
        return search;
    }
    std::vector<Place> named = source.PlacesNamed(wanted.front());
    std::vector<Place> all;
    for (Place& place : named) {
        const std::string state = FoldedName(place.state), country = FoldedName(place.country);
        const std::string code = FoldedName(place.countryCode);
        // An empty part ("Pune," or "Pune, , India") asks for nothing.
        const bool every = std::all_of(wanted.begin() + 1, wanted.end(), [&](const std::string& part) {
            return part.empty() || part == state || part == country || part == code;
        });
        if (every) all.push_back(std::move(place));
    }
    const std::string& name = wanted.front();
    std::stable_sort(all.begin(), all.end(), [&](const Place& a, const Place& b) {
        const bool aExact = FoldedName(a.name) == name, bExact = FoldedName(b.name) == name;
        if (aExact != bExact) return aExact;
        return a.population > b.population;
    });
    if (all.empty()) {
        search.problem = "no place in the atlas is called '" + std::string(text) + "'";
        if (!named.empty()) {
            search.problem += "; places named so: " + PlaceLabel(named.front());
            for (std::size_t i = 1; i < named.size() && i < 5; ++i) search.problem += "; " + PlaceLabel(named[i]);
        }
    }
    search.matches = std::move(all);
    return search;
}

}  // namespace atlas
