// The two universal times a chart is computed for: the angles' and the Moon's
// (the zone's size taken on the place's side of Greenwich) and the planets'
// (the zone's own signed correction). They differ when the zone lies on the
// other side of Greenwich from the place.
#pragma once

#include <string>

#include "astro/BirthData.h"

namespace app {

struct TimeBases {
    double anglesHours = 0;   // hours of the local date, not folded into 0..24
    double planetsHours = 0;  // hour of the universal day, 0 <= h < 24
    // Whether they name other instants: not the same hour of the day (an
    // hour of another day counts as the same, within 1e-9 h).
    bool differ() const;
    double hoursApart() const;  // angles less planets, hours, folded into -12..12
};

// TimeBasesOf: the two universal times of a birth.
//   Given:   the birth data.
//   Returns: the angles' and the Moon's hours (UniversalTimeRule) and the
//            planets' (TrueUniversalTime's time of day, to the minute).
TimeBases TimeBasesOf(const astro::BirthData& birth);

// TimeBasesSentence: a sentence naming both times (hours with two decimals),
// how far apart they are and what makes them agree; "" when they do not differ.
std::string TimeBasesSentence(const TimeBases& bases);

}  // namespace app
