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

// ApplyPlace: looks the place up (the best match) or takes the one chosen, and
// fills the form from it for the form's date and time (FillFormFromPlace),
// except the kept fields. With a zone alone the form's own coordinates and
// names stay. A remark says when a zone or daylight saving kept by hand does
// not give the birth's true instant.
//   Given:   the form (its date and time; with a zone alone also its
//            coordinates and place names), the request and the atlas.
//   Returns: a problem with the form unchanged: the search's when the query
//            matches nothing, or the fill's (an unknown zone, a clock time
//            that was skipped, a conversion outside 1901..2050). Otherwise the
//            place applied (its zone replaced by the request's zone when one
//            is given), the query's other matches with a remark naming at
//            most five of them, the fill, the note "<place>: <latitude>
//            <longitude>; <what was chosen and why>" (without the place's
//            label for a zone alone) and the remarks.
//   Notes:   with a zone alone the place is made from the form's boxes (an
//            empty or unreadable box counts as 0). A request with neither a
//            place nor a zone asks for the zone "" and gets the zone
//            look-up's problem. A date that does not exist (30 February)
//            fills the place alone, with no problem and no note: the form's
//            own date check says what is wrong.
PlaceApplication ApplyPlace(app::BirthFormValues& form, const PlaceRequest& request, const Atlas& data);


}  // namespace atlas
