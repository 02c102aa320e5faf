// The entry form filled from a place of the atlas: its coordinates and names,
// and the zone row and daylight saving that give the birth's true instant at
// the date and time on the form (or those converted to universal time).
#pragma once

#include <string>

#include "app/BirthForm.h"
#include "atlas/Atlas.h"
#include "atlas/ZoneChoice.h"

namespace atlas {

// Fields the user set and the atlas must leave as they are.
struct KeptFields {
    bool latitude = false, longitude = false;
    bool city = false, state = false, country = false;
    bool zone = false, daylightSaving = false;
};

struct FormFill {
    std::string problem;    // the zone is unknown, the time was skipped, or the conversion leaves 1901-2050
    bool dateMissing = false;  // the form's date does not exist (30 February): only the place was filled
    ZoneFacts facts;        // the zone's offset at the birth
    bool repeated = false;  // the clock showed that time twice (the first is taken)
    ZoneChoice choice;      // the atlas's row and daylight saving, or the conversion
    bool converted = false; // the form's date and time are now universal time
    std::string sentence;   // what was chosen and why (ChoiceSentence, and the repeated time)
};

// The birth as the form holds it: date and clock time from the lists'
// positions, and the longitude's degrees and minutes (a box that is not
// one to three digits counts as 0).
LocalBirth LocalBirthOf(const app::BirthFormValues& form);

// FillCoordinate: decimal degrees (north or east positive) into a pair of
// boxes, whole degrees and minutes rounded to the nearest minute (59.99'
// becomes the next degree), and their direction options (0:00 counts as
// north or east).
void FillCoordinate(double degrees, std::string& whole, std::string& minutes, bool& positive, bool& negative);

// "18:31N", "0:08W": a coordinate the form holds, the minutes in two digits.
std::string CoordinateText(const std::string& degrees, const std::string& minutes, char direction);

// "18:31N 73:51E": a place's coordinates to the nearest minute, as the form takes them.
std::string CoordinatesText(const Place& place);

// Fills `form` from the place (its coordinates, its names in the form's
// letters, its zone's row and daylight saving at the form's date and time)
// except the kept fields. With the Universal Time conversion (when the zone
// is not kept) the form's date and time become universal time. On a problem
// the form is left as it was. A date that does not exist fills the place
// alone and leaves the zone and the date to the form's own check.
FormFill FillFormFromPlace(app::BirthFormValues& form, const Place& place, const Atlas& data, const KeptFields& kept = {});

}  // namespace atlas
