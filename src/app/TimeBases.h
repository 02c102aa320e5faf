// The two universal times a chart is computed for: the angles' and the Moon's
// (the zone's size taken on the place's side of Greenwich) and the planets'
// (the zone's own signed correction). They differ when the zone lies on the
// other side of Greenwich from the place.
#pragma once

#include <string>

#include "astro/BirthData.h"

namespace app {

struct TimeBases {
    double anglesHours = 0;   // not folded into 0..24
    double planetsHours = 0;  // hour of the universal day
    bool differ() const;      // other instants (not the same hour of another day)
    double hoursApart() const;  // angles less planets, folded into -12..12
};
TimeBases TimeBasesOf(const astro::BirthData& birth);

// A sentence naming both times and what makes them agree, or "" when they agree.
std::string TimeBasesSentence(const TimeBases& bases);

}  // namespace app
