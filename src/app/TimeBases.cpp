#include "app/TimeBases.h"

#include <cmath>
#include <cstdio>

#include "app/ZoneTable.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"

namespace app {

TimeBases TimeBasesOf(const astro::BirthData& birth) {
    TimeBases bases;
    bases.anglesHours = modVedicEphemeris::UniversalTimeRule(birth).utHours;
    const astro::CivilParts ut = astro::PartsOf(modVedicPlanetPosition::TrueUniversalTime(birth));
    bases.planetsHours = static_cast<double>(ut.time.hours().count()) + static_cast<double>(ut.time.minutes().count()) / 60.0;
    return bases;
}

bool TimeBases::differ() const {
    const double apart = std::fmod(std::fabs(anglesHours - planetsHours), 24.0);
    return apart > 1e-9 && apart < 24 - 1e-9;
}

double TimeBases::hoursApart() const {
    double apart = std::fmod(anglesHours - planetsHours, 24.0);
    if (apart > 12) apart -= 24;
    if (apart < -12) apart += 24;
    return apart;
}

std::string TimeBasesSentence(const TimeBases& bases) {
    if (!bases.differ()) return {};
    const auto hours = [](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.2f", value);
        return std::string(text);
    };
    return "The Ascendant and the Moon are computed for " + hours(bases.anglesHours) +
           " h universal time (the zone's size taken on the place's side of Greenwich), the planets for " +
           hours(bases.planetsHours) + " h (the zone's own offset): " + hours(std::fabs(bases.hoursApart())) +
           " hours apart. A zone on the place's side of Greenwich, or Universal Time (zone " +
           std::to_string(ZonePositionOf("UT")) + ") with the hour converted, makes them agree.";
}

}  // namespace app
