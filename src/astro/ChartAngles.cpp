#include "astro/ChartAngles.h"

#include <cmath>

#include "astro/FiniteCheck.h"
#include "astro/PositionText.h"
#include "astro/TimeScales.h"

namespace modVedicPlanetPosition {

namespace {
double signOf(double value) {
    if (value > 0) return 1;
    if (value < 0) return -1;
    return 0;
}
}  // namespace

double AyanamsaDegrees(double centuriesSince1900) {
    double node = (933060 - 6962911 * centuriesSince1900 + 7.5 * centuriesSince1900 * centuriesSince1900) / 3600;
    if (std::isfinite(node)) {
        while (node >= 360) node = node - 360;
    }
    const double twiceSunLongitude = (2013816 + 259205536 * centuriesSince1900) / 3600;
    const double nutation = 17.23 * std::sin(node * DegToRad) + 1.27 * std::sin(twiceSunLongitude * DegToRad);
    return (nutation - centuriesSince1900 * (5025.64 + 1.11 * centuriesSince1900) - 80861.27) / 3600;
}

double ArcTangent2(double y, double x) {
    if (x > 0) return std::atan(y / x);
    if (x == 0) return y != 0 ? signOf(y) * Pi / 2 : 0;
    return (Pi - std::atan(std::fabs(y / x))) * signOf(y);
}

double NormalizeDegrees(double angle) {
    if (angle < 0) angle = angle + 360;
    if (angle > 360) angle = angle - 360;
    return angle;
}

ChartAngles ComputeChartAngles(const astro::BirthData& birth) {
    ChartAngles angles;
    const modVedicEphemeris::UniversalTimeResult ut = modVedicEphemeris::UniversalTimeRule(birth);
    const double jd0 = modVedicEphemeris::JulianDayFromDate(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    const double centuriesSince1900 = ((jd0 - 2415020) + ut.utHours / 24 - 0.5) / 36525;

    // The correction stays negative: the signed text is made from a copy.
    angles.AyanamsaCorrection = AyanamsaDegrees(centuriesSince1900);
    angles.AyanamsaText = FormatSignedAngle(angles.AyanamsaCorrection);

    double siderealTime = 15 * (6.6460656 + 2400.0513 * centuriesSince1900 +
                                0.0000258 * centuriesSince1900 * centuriesSince1900 + ut.utHours) -
                          ut.longitudeWestDeg;
    if (std::isfinite(siderealTime)) {
        while (siderealTime >= 360) siderealTime = siderealTime - 360;
    }
    const double ramc = siderealTime * DegToRad;
    const double obliquity = (23.452294 - 0.0130125 * centuriesSince1900) * DegToRad;
    const double latitude = ut.latitudeNorthDeg * DegToRad;

    double midheaven = ArcTangent2(std::tan(ramc), std::cos(obliquity));
    if (midheaven < 0) midheaven = midheaven + Pi;
    if (std::sin(ramc) < 0) midheaven = midheaven + Pi;
    midheaven = midheaven * RadToDeg;

    double ascendant = ArcTangent2(std::cos(ramc),
                                   -std::sin(ramc) * std::cos(obliquity) - std::sin(obliquity) * std::tan(latitude));
    if (ascendant < 0) ascendant = ascendant + Pi;
    if (std::cos(ramc) < 0) ascendant = ascendant + Pi;
    ascendant = ascendant * RadToDeg;
    if (std::isfinite(ascendant)) {
        while (ascendant >= 360) ascendant = ascendant - 360;
    }

    astro::AssertFinite(jd0);
    astro::AssertFinite(angles.AyanamsaCorrection);
    astro::AssertFinite(ascendant);
    astro::AssertFinite(midheaven);
    ascendant = ascendant + angles.AyanamsaCorrection;
    midheaven = midheaven + angles.AyanamsaCorrection;
    angles.AscendantLongitude = NormalizeDegrees(ascendant);
    angles.MidheavenLongitude = NormalizeDegrees(midheaven);
    angles.AscendantText = FormatSignPosition(angles.AscendantLongitude);
    angles.MidheavenText = FormatSignPosition(angles.MidheavenLongitude);
    return angles;
}

}  // namespace modVedicPlanetPosition
