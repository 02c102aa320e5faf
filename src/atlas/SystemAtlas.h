// The atlas on the system's data: the places of the atlas file installed
// with the program (GeoNames' data in SQLite) and the tz database's zones.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "atlas/Atlas.h"
#include "atlas/PlaceStore.h"

namespace atlas {

// The atlas file: beside the running program (the build folder), else in
// share/velorin of the installation it belongs to, else where the build
// installs it.
//   Returns: the first regular file of <program's folder>/atlas.sqlite,
//            <program's folder>/../share/velorin/atlas.sqlite and
//            <program's folder>/../../share/velorin/atlas.sqlite (without its
//            ".." steps), else the installed path fixed when the program was
//            built, whether that exists or not.
//   Notes:   the program's folder is read from /proc/self/exe; without /proc
//            the installed path is returned. Nothing is opened.
std::string DefaultAtlasPath();

class SystemAtlas : public Atlas {
public:
    // The places are opened on their first use, so that an atlas nobody asks
    // costs nothing.
    explicit SystemAtlas(std::string path = DefaultAtlasPath()) : path_(std::move(path)) {}

    // The places' searches, as PlaceStore answers them (a file that cannot be
    // opened answers every search with its problem, and lists nothing).
    PlaceSearch FindPlaces(std::string_view text) const override { return places().FindPlaces(text); }
    std::vector<Place> PlacesStartingWith(std::string_view text, std::size_t limit) const override {
        return places().PlacesStartingWith(text, limit);
    }
    // The zone's offset from the system's time-zone database (ZoneAt); it
    // does not need the atlas file.
    ZoneLookup ZoneAtLocal(std::string_view zoneName, astro::LocalMinute clock) const override {
        return ZoneAt(zoneName, clock);
    }

    // The places, opened on the first call (once, whichever thread calls);
    // a file that did not open stays so for the atlas's life (its problem()).
    const PlaceStore& places() const {
        std::call_once(opened_, [this] { store_ = std::make_unique<PlaceStore>(path_); });
        return *store_;
    }

private:
    std::string path_;
    mutable std::once_flag opened_;
    mutable std::unique_ptr<PlaceStore> store_;
};

}  // namespace atlas
