// --place and --tz: the atlas fills in what the user did not give by hand.
#pragma once

#include <string>
#include <vector>

#include "atlas/Atlas.h"
#include "velorin-chart/ChartOptions.h"

namespace velorin_chart {

struct PlaceOutcome {
    std::string problem;               // the place or zone cannot be used (a usage error)
    std::string note;                  // what was chosen and why, one line
    std::vector<std::string> remarks;  // other places of that name; a choice by hand that is not right
    std::string json;                  // the "Place" object
    std::string localTimeGiven;        // with a conversion to universal time: "8:12 local, Asia/Kathmandu +5:45"
};

// Looks the place up (the best match: every given part matching, the name
// itself, then the most people) and fills the form's coordinates, city,
// state, country (in the form's letters), zone row and daylight saving for
// the birth's date and time; with the Universal Time conversion the date and
// time become universal time. Options in `givenByHand` are kept as given,
// and a remark says when the result no longer gives the birth's true instant.
// Does nothing when neither --place nor --tz was given.
PlaceOutcome ApplyPlace(ChartOptions& options, const atlas::Atlas& data);

// --place-list: the places that match, the best first, a line each with the
// coordinates, zone and offset at the birth's date and time.
std::string FormatPlaceList(const ChartOptions& options, const atlas::Atlas& data, std::string& problem);

}  // namespace velorin_chart
