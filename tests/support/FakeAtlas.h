// A made-up atlas for tests: places whose name, or a word of it, begins with
// the text looked for, like the real one; zones from the function given (by
// default none).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "atlas/Atlas.h"
#include "atlas/FormLetters.h"

namespace testdata {

using ZoneFunction = std::function<atlas::ZoneLookup(std::string_view, int, int, int, int, int)>;

class FakeAtlas : public atlas::Atlas {
public:
    explicit FakeAtlas(std::vector<atlas::Place> places, ZoneFunction zones = {})
        : places_(std::move(places)), zones_(std::move(zones)) {}
    atlas::ZoneLookup ZoneAtLocal(std::string_view zone, int year, int month, int day, int hour,
                                  int minute) const override {
        if (zones_) return zones_(zone, year, month, day, hour, minute);
        atlas::ZoneLookup none;
        none.problem = "no zones in this atlas";
        return none;
    }
    std::vector<atlas::Place> PlacesNamed(std::string_view name) const override {
        std::vector<atlas::Place> found;
        for (const atlas::Place& place : places_) {
            const std::string folded = atlas::FoldedName(place.name);
            if (folded.rfind(name, 0) == 0 || folded.find(" " + std::string(name)) != std::string::npos) {
                found.push_back(place);
            }
        }
        return found;
    }

private:
    std::vector<atlas::Place> places_;
    ZoneFunction zones_;
};

}  // namespace testdata
