// A place and its zone applied to the birth data: the one road from "Pune"
// or "Asia/Kolkata" to the form's coordinates, names, zone row and daylight
// saving, for the command line and the desktop alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/BirthForm.h"
#include "atlas/Atlas.h"
#include "atlas/FormFill.h"

namespace atlas {

struct PlaceRequest {
    std::string query;                 // a place's text ("Pune, India"); empty with `chosen` or a zone alone
    std::optional<Place> chosen;       // a place already chosen (the look-up window's row)
    std::string zoneName;              // an IANA zone that replaces the place's (or, alone, the form's place's)
    KeptFields kept;                   // what the user set by hand
};

struct PlaceApplication {
    std::string problem;               // the place or zone cannot be used; the form is unchanged
    Place place;                       // the place applied (with the zone used)
    std::vector<Place> others;         // other places the query names, the best first
    FormFill fill;                     // the zone found and the row chosen
    std::string note;                  // "Pune, Maharashtra, India: 18:31N 73:51E; Asia/Kolkata +5:30 on ..."
    std::vector<std::string> remarks;  // other places of that name; a zone by hand that is not right
};

// Looks the place up (the best match) or takes the one chosen, and fills the
// form from it for the form's date and time (FillFormFromPlace), except the
// kept fields. With a zone alone the form's own coordinates and names stay.
// A remark says when a zone or daylight saving kept by hand does not give
// the birth's true instant.
PlaceApplication ApplyPlace(app::BirthFormValues& form, const PlaceRequest& request, const Atlas& data);

// "zone 34 Indian Time, no daylight saving": a row and choice as sentences name them.
std::string ZoneRowText(int zonePosition, bool daylightSaving);

}  // namespace atlas
