// Places of birth by name: "Pune", "Bombay, India", "New York, NY",
// "London, England, United Kingdom".
#pragma once

#include <cstddef>
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
    // The name, state and country in the entry form's letters ("Hue", "Ba
    // Ria Vung Tau"); empty for a place made elsewhere than the atlas, whose
    // own names are then taken as they are.
    std::string formName, formState, formCountry;
    // The other or former name the place was found by ("Bombay"); empty
    // when it was found by its own name.
    std::string foundAs;
};

struct PlaceSearch {
    std::vector<Place> matches;  // the best first
    std::vector<Place> nearest;  // with no match: the closest places, the most people first
    std::string problem;         // with no match: why, naming the closest places
};

// Where places come from.
class PlaceSource {
public:
    virtual ~PlaceSource() = default;
    // FindPlaces: the places a text names.
    //   Given:   a text of one to three parts separated by commas. Its first
    //            part (before a comma) is a place's name, ASCII name, or other
    //            or former name, compared by SearchKey (case, accents and signs
    //            aside); each further part (at most two, empty parts ask for
    //            nothing) must be the place's first-order division (its name,
    //            with or without words such as "State of" or "Province", or its
    //            ISO 3166-2 code: NY, ON, NSW, TN) or its country (name, common
    //            short form such as UK or USA, ISO alpha-2 or alpha-3 code).
    //   Returns: the matches, the best first: a place found by its own name
    //            comes before one found by another name unless that one has a
    //            hundred times the people (Bombay is Mumbai, not the village in
    //            New Zealand), then the most people first. With no match, the
    //            problem and the closest places.
    //   Notes:   a text that is no place's name is refused with the closest
    //            places named (never answered with a longer name that starts
    //            with it). A text with no name, one of more than three parts,
    //            and one whose state or country the atlas does not know are
    //            refused too.
    virtual PlaceSearch FindPlaces(std::string_view text) const = 0;
    // Places whose names begin with the text's first part (the look-up
    // window's list while the user types), the most people first, at most
    // `limit`; the further parts filter them as above (the atlas's file lists
    // the places named exactly so first). Nothing when the first part is
    // empty, a further part names no state or country, or the source cannot
    // be read.
    virtual std::vector<Place> PlacesStartingWith(std::string_view text, std::size_t limit) const = 0;
};

// "Pune, Maharashtra, India": a place as a line names it. Found by another
// name: "Bombay: now Mumbai, Maharashtra, India". An empty state or country,
// and one written as the place's own name, is left out ("Singapore").
std::string PlaceLabel(const Place& place);

}  // namespace atlas
