// The atlas's places in their SQLite file (made at build time from the
// source data by atlas-build), opened read-only.
//
// Tables: place (each place with its names in the form's letters, its
// coordinates, population and IANA zone), place_key (every search key of a
// place: its name, ASCII name and other names, with the kind and the other
// name as written), country and country_key (names, short forms and ISO
// codes), division and division_key (names, names without their official
// words, ISO 3166-2 codes), and meta (the source data's provenance).
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "atlas/Places.h"

struct sqlite3;
struct sqlite3_stmt;

namespace atlas {

// The kinds of a place's search keys, the better first.
enum class KeyKind { Name = 0, AsciiName = 1, OtherName = 2 };

class PlaceStore : public PlaceSource {
public:
    // Opens the file read-only; problem() says why when it cannot.
    explicit PlaceStore(const std::string& path);
    ~PlaceStore() override;
    PlaceStore(const PlaceStore&) = delete;
    PlaceStore& operator=(const PlaceStore&) = delete;

    const std::string& problem() const { return problem_; }

    PlaceSearch FindPlaces(std::string_view text) const override;
    std::vector<Place> PlacesStartingWith(std::string_view text, std::size_t limit) const override;

    // Every place (by its number order), for tests and the accuracy tool.
    void ForEachPlace(const std::function<void(const Place&)>& visit) const;
    // A value of the meta table ("source", "places"), "" when absent.
    std::string Meta(const std::string& key) const;

private:
    struct Statements;
    struct Area;
    PlaceSearch findPlaces(std::string_view text) const;  // with the lock held
    // The search, or the reason the file could not be read when a step failed.
    PlaceSearch checked(PlaceSearch search) const;
    // The countries and divisions each further part names; false (with the
    // part's number) when one names none.
    bool areasOf(const std::vector<std::string>& parts, std::vector<Area>& areas, std::size_t& unknown) const;
    // Places with a key that begins with `key`, in every area, the most people first.
    std::vector<Place> placesWithKey(const std::string& key, std::size_t limit, const std::vector<Area>& areas) const;
    std::string nearestText(const std::string& key, std::vector<Place>& nearest) const;

    sqlite3* db_ = nullptr;
    std::unique_ptr<Statements> statements_;
    std::string problem_;
    mutable std::mutex mutex_;  // one statement set, used by one thread at a time
    mutable std::string readFailure_;  // the first failed step of a search (with the lock held)
};

}  // namespace atlas
