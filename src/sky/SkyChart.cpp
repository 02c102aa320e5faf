#include "sky/SkyChart.h"

#include <cmath>

#include "app/ChartCalculation.h"
#include "astro/ChartAngles.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"
#include "astro/PositionText.h"
#include "astro/Retrogrades.h"
#include "astro/TimeScales.h"
#include "sky/SkyPositions.h"

namespace sky {

namespace {

// The same instant an hour away (a planet's longitude changes by at most a
// few minutes of arc in an hour, far from a full turn).
Instant shifted(const Instant& instant, double days) {
    Instant moved = instant;
    moved.ut1[1] += days;
    moved.tt[1] += days;
    return moved;
}

}  // namespace

bool IsDecreasing(double before, double after) {
    double change = std::fmod(after - before, 360.0);
    if (change > 180) change -= 360;
    if (change <= -180) change += 360;
    return change < 0;
}

SkyChartResult SkyChartOf(const app::ChartRecord& chart, NodeKind node) {
    SkyChartResult result;
    const Instant instant = InstantOf(modVedicPlanetPosition::TrueUniversalTime(chart.birth));
    const modVedicEphemeris::UniversalTimeResult place = modVedicEphemeris::UniversalTimeRule(chart.birth);
    const SkyLongitudes sky = SkyAt(instant, -place.longitudeWestDeg, place.latitudeNorthDeg, node);
    const std::size_t ascendant = astro::BodyIndex(astro::Body::Ascendant);
    const std::size_t midheaven = astro::BodyIndex(astro::Body::Midheaven);
    if (!sky.sidereal[ascendant] || !sky.sidereal[midheaven]) {
        result.problem = "the sky has no Ascendant at a latitude of 90 degrees or more";
        return result;
    }

    app::ChartRecord r = chart;
    r.SkyPositions = true;
    r.SkyTrueNode = node == NodeKind::True;
    modVedicPlanetPosition::ChartAngles& angles = r.angles;
    angles.AyanamsaCorrection = -sky.ayanamsa.apparent;
    angles.AyanamsaText = modVedicPlanetPosition::FormatSignedAngle(angles.AyanamsaCorrection);
    angles.AscendantLongitude = *sky.sidereal[ascendant];
    angles.MidheavenLongitude = *sky.sidereal[midheaven];
    angles.AscendantText = modVedicPlanetPosition::FormatSignPosition(angles.AscendantLongitude);
    angles.MidheavenText = modVedicPlanetPosition::FormatSignPosition(angles.MidheavenLongitude);

    const double moon = *sky.sidereal[astro::BodyIndex(astro::Body::Moon)];
    modVedicEphemeris::NameMoonPosition(moon, r.moon);

    for (std::size_t b = 0; b < astro::BodyCount; ++b) {
        r.bodies.PlanetNameSanskrit[b] = std::string(modVedicPlanetPosition::SanskritBodyNames[b]);
        const double longitude = b == ascendant ? angles.AscendantLongitude
                                 : b == midheaven ? angles.MidheavenLongitude
                                                  : *sky.sidereal[b];
        r.bodies.SiderealLongitude[b] = longitude;
        r.bodies.PlanetPositionText[b] =
            modVedicPlanetPosition::CompactPosition(modVedicPlanetPosition::FormatSignPosition(longitude));
    }
    // Retrograde: the apparent tropical longitude decreasing at the birth.
    const SkyLongitudes before = SkyAt(shifted(instant, -1.0 / 24), -place.longitudeWestDeg, place.latitudeNorthDeg);
    const SkyLongitudes after = SkyAt(shifted(instant, 1.0 / 24), -place.longitudeWestDeg, place.latitudeNorthDeg);
    for (std::size_t i = 0; i < astro::RetrogradeBodies.size(); ++i) {
        const std::size_t b = astro::BodyIndex(astro::RetrogradeBodies[i]);
        r.RetroFlags[i] = IsDecreasing(*before.tropical[b], *after.tropical[b]);
        if (r.RetroFlags[i]) r.bodies.PlanetNameSanskrit[b] += modRetrogrades::RetrogradeMark;
    }
    app::DeriveCaptions(r.angles, r.moon, r.captions);
    result.record = std::move(r);
    return result;
}

}  // namespace sky
