// A made-up atlas for tests: a place is found by its name (case aside), each
// further part of the text naming its state, country or country code; zones
// from the function given (by default none).
#pragma once

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "atlas/Atlas.h"

namespace testdata {

// A place as the tests make it up (its form texts are its own names).
inline atlas::Place MadePlace(std::string name, std::string state, std::string country, std::string code,
                              std::string zone, double latitude, double longitude, long population) {
    atlas::Place place;
    place.name = std::move(name), place.state = std::move(state), place.country = std::move(country);
    place.countryCode = std::move(code), place.timeZone = std::move(zone);
    place.latitude = latitude, place.longitude = longitude, place.population = population;
    return place;
}

using ZoneFunction = std::function<atlas::ZoneLookup(std::string_view, astro::LocalMinute)>;

class FakeAtlas : public atlas::Atlas {
public:
    explicit FakeAtlas(std::vector<atlas::Place> places, ZoneFunction zones = {})
        : places_(std::move(places)), zones_(std::move(zones)) {}
    atlas::ZoneLookup ZoneAtLocal(std::string_view zone, astro::LocalMinute clock) const override {
        if (zones_) return zones_(zone, clock);
        atlas::ZoneLookup none;
        none.problem = "no zones in this atlas";
        return none;
    }
    atlas::PlaceSearch FindPlaces(std::string_view text) const override {
        atlas::PlaceSearch search;
        const std::vector<std::string> parts = partsOf(text);
        for (const atlas::Place& place : places_) {
            if (lower(place.name) != parts.front()) continue;
            const bool every = std::all_of(parts.begin() + 1, parts.end(), [&](const std::string& part) {
                return part.empty() || part == lower(place.state) || part == lower(place.country) ||
                       part == lower(place.countryCode);
            });
            if (every) search.matches.push_back(place);
        }
        if (search.matches.empty()) search.problem = "no place in the atlas is called '" + std::string(text) + "'";
        return search;
    }
    std::vector<atlas::Place> PlacesStartingWith(std::string_view text, std::size_t limit) const override {
        std::vector<atlas::Place> found;
        const std::string start = partsOf(text).front();
        for (const atlas::Place& place : places_) {
            if (found.size() < limit && lower(place.name).rfind(start, 0) == 0) found.push_back(place);
        }
        return found;
    }

private:
    static std::string lower(std::string_view text) {
        std::string out(text);
        for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return out;
    }
    static std::vector<std::string> partsOf(std::string_view text) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = text.find(',', start);
            std::string part = lower(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
            part.erase(0, part.find_first_not_of(' '));
            part.erase(part.find_last_not_of(' ') + 1);
            parts.push_back(part);
            if (comma == std::string_view::npos) return parts;
            start = comma + 1;
        }
    }

    std::vector<atlas::Place> places_;
    ZoneFunction zones_;
};

}  // namespace testdata
