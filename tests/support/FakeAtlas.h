// A made-up atlas for tests: places whose name, or a word of it, begins with
// the text looked for, like the real one.
#pragma once

#include <string>
#include <vector>

#include "atlas/FormLetters.h"
#include "atlas/Places.h"

namespace testdata {

class FakeAtlas : public atlas::PlaceSource {
public:
    explicit FakeAtlas(std::vector<atlas::Place> places) : places_(std::move(places)) {}
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
};

}  // namespace testdata
