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
    // Opens the file read-only; problem() says why when it cannot: "the atlas
    // <path> cannot be opened: <reason>", or "the atlas <path> cannot be read:
    // <reason>" when its tables cannot be queried (not an atlas file). The
    // file is taken as never changing: no lock is taken, and a file written
    // while it is open is not read again.
    explicit PlaceStore(const std::string& path);
    ~PlaceStore() override;
    PlaceStore(const PlaceStore&) = delete;
    PlaceStore& operator=(const PlaceStore&) = delete;

    // Why the file could not be opened; "" when it was.
    const std::string& problem() const { return problem_; }

    // FindPlaces: the places a text names, as PlaceSource says.
    //   Returns: the matches, or none with a problem (and the closest places
    //            in `nearest`): problem() when the file did not open; "give
    //            the name of a place, such as "Pune" or "London, England""
    //            when the first part gives no search key (no letter or digit,
    //            or not UTF-8); "a place has at most three parts, city, state
    //            and country: '<text>'"; "the atlas knows no state or country
    //            called '<part>'", followed by "; places called so: <places>"
    //            when places have the first part's name (they are then
    //            `nearest`); "no place in the atlas is called '<text>'",
    //            followed by "; places named so: <places>" (the places of that
    //            name outside the states or countries named) or else "; the
    //            closest names: <places>" (at most five places whose names
    //            begin with the first part, shortened a byte at a time down to
    //            three bytes until some are found); "the atlas file could not
    //            be read: <reason>" when a step of the query failed, with no
    //            match and nothing nearest.
    //   Notes:   a list in a problem names at most five places, then "; and
    //            <n> more". Safe from several threads (one search at a time).
    PlaceSearch FindPlaces(std::string_view text) const override;
    // PlacesStartingWith: the look-up window's list, at most `limit` places.
    //   Returns: FindPlaces' matches first, then the places with a name that
    //            begins with the first part, in the states or countries named,
    //            the most people first; a place already listed (same name and
    //            coordinates) is not repeated.
    //   Notes:   nothing when the file did not open, `limit` is 0, the first
    //            part gives no search key, a further part names no state or
    //            country, or a step of the query failed. Of the names that
    //            begin with the text, only the 8 x limit keys of the most people
    //            are looked at (200 x limit with states or countries named,
    //            filtered afterwards), so a short text in a small country can
    //            list fewer places than there are.
    std::vector<Place> PlacesStartingWith(std::string_view text, std::size_t limit) const override;

    // Every place (by its number order), for tests and the accuracy tool;
    // `foundAs` is empty. Nothing when the file did not open; a step that
    // fails ends the walk without a word. `visit` runs with the store's lock
    // held, so it must not call the store.
    void ForEachPlace(const std::function<void(const Place&)>& visit) const;
    // A value of the meta table ("source", "places"), "" when absent, when
    // the file did not open or when the query failed.
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
    std::vector<Place> placesStartingWith(const std::vector<std::string>& parts, std::string_view text,
                                          std::size_t limit) const;
    std::string nearestText(const std::string& key, std::vector<Place>& nearest) const;

    sqlite3* db_ = nullptr;
    std::unique_ptr<Statements> statements_;
    std::string problem_;
    mutable std::mutex mutex_;  // one statement set, used by one thread at a time
    mutable std::string readFailure_;  // the first failed step of a search (with the lock held)
};

}  // namespace atlas
