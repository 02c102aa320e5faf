#include "astro/MoonChart.h"

#include <cassert>
#include <cmath>

#include "astro/FiniteCheck.h"
#include "astro/PositionText.h"
#include "astro/TimeScales.h"
#include "astro/Utf8Text.h"

namespace modVedicEphemeris {

double MoonLongitudeSeries(double centuriesSinceJ2000) {
    const double T = centuriesSinceJ2000;  // the series is written in Meeus' T
    const double meanLongitude = 218.3164591 + 481267.88134236 * T;
    const double D = (297.8502042 + 445267.1115168 * T) * DegToRad;
    const double M = (357.5291092 + 35999.0502909 * T) * DegToRad;
    const double Mp = (134.9634114 + 477198.8676313 * T) * DegToRad;
    const double F = (93.2720993 + 483202.0175273 * T) * DegToRad;
    const double E = 1 - 0.002516 * T - 0.0000074 * T * T;

    double sum = 0;
    sum += 6.288774 * std::sin(Mp);
    sum += 1.274027 * std::sin(2 * D - Mp);
    sum += 0.658314 * std::sin(2 * D);
    sum += 0.213618 * std::sin(2 * Mp);
    sum += -0.185116 * E * std::sin(M);
    sum += -0.114332 * std::sin(2 * F);
    sum += 0.058793 * std::sin(2 * D - 2 * Mp);
    sum += 0.057066 * E * std::sin(2 * D - M - Mp);
    sum += 0.053322 * std::sin(2 * D + Mp);
    sum += 0.045758 * E * std::sin(2 * D - M);
    sum += -0.040923 * E * std::sin(M - Mp);
    sum += -0.03472 * std::sin(D);
    sum += -0.030383 * E * std::sin(M + Mp);
    sum += 0.015327 * std::sin(2 * D - 2 * F);
    sum += -0.012528 * std::sin(Mp + 2 * F);
    sum += 0.01098 * std::sin(Mp - 2 * F);
    sum += 0.010675 * std::sin(4 * D - Mp);
    sum += 0.010034 * std::sin(3 * Mp);
    sum += 0.008548 * std::sin(4 * D - 2 * Mp);
    sum += -0.007888 * E * std::sin(2 * D + M - Mp);
    sum += -0.006766 * E * std::sin(2 * D + M);
    sum += -0.005163 * std::sin(D - Mp);
    sum += 0.004987 * E * std::sin(D + M);
    sum += 0.004036 * E * std::sin(2 * D - M + Mp);
    sum += 0.003994 * std::sin(2 * D + 2 * Mp);

    double lambda = meanLongitude + sum;
    if (std::isfinite(lambda)) {
        while (lambda < 0) lambda = lambda + 360;
        while (lambda > 360) lambda = lambda - 360;
    }
    return lambda;
}

double AyanamsaOfDate(double centuriesSinceJ2000) {
    const double T = centuriesSinceJ2000;
    const double node = 125.044555 - 1934.1361849 * T + 0.0020762 * T * T;
    const double sunMeanLongitude = 280.466449 + 36000.7698231 * T + 0.0003106 * T * T;
    const double arcseconds = 17.23 * std::sin(node * DegToRad) + 1.27 * std::sin(sunMeanLongitude * DegToRad) -
                              (5025.64 + 1.11 * T) * T;
    return (arcseconds - 85886.27) / 3600;
}

int NakshatraIndex(double siderealLongitude) {
    const double q = siderealLongitude * 60 / 800;  // a nakshatra spans 800 minutes of arc
    const double n = std::floor(q);
    assert(n >= 0 && n <= 26);
    if (!(n >= 0)) return 0;
    if (n > 26) return 26;
    return static_cast<int>(n);
}

void ComputeMoonChart(const astro::BirthData& birth, MoonWorkingValues& work, MoonChart& moon) {
    const UniversalTimeResult ut = UniversalTimeRule(birth);
    work.UniversalTime = ut.utHours;
    work.BirthJDN = JulianDayFromDate(birth.BirthMonth, birth.BirthDay, birth.BirthYear);
    work.JulianCenturies = CenturiesSinceJ2000(work.BirthJDN, work.UniversalTime);
    work.MoonAyanamsa = AyanamsaOfDate(work.JulianCenturies);

    work.TropicalMoonLongitude = MoonLongitudeSeries(work.JulianCenturies);
    double sidereal = work.TropicalMoonLongitude + work.MoonAyanamsa;
    if (sidereal < 0) sidereal = sidereal + 360;
    work.MoonLongitude = sidereal;
    astro::AssertFinite(work.BirthJDN);
    astro::AssertFinite(work.JulianCenturies);
    astro::AssertFinite(work.MoonAyanamsa);
    astro::AssertFinite(sidereal);

    NameMoonPosition(sidereal, moon);
}

void NameMoonPosition(double sidereal, MoonChart& moon) {
    moon.MoonPositionText = modVedicPlanetPosition::FormatSignPosition(sidereal);
    moon.NakshatraName = std::string(NakshatraNames[static_cast<std::size_t>(NakshatraIndex(sidereal))]);

    const std::string_view sign = astro::LastChars(astro::TrimBlanks(moon.MoonPositionText), 3);
    for (std::size_t k = 0; k < RashiNames.size(); ++k) {
        if (sign == modVedicPlanetPosition::SignAbbrevOfIndex(static_cast<long long>(k))) {
            moon.RashiName = std::string(RashiNames[k]);
            break;
        }
    }
}

}  // namespace modVedicEphemeris
