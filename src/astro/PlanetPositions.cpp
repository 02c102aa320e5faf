#include "astro/PlanetPositions.h"

#include <chrono>
#include <cmath>

#include "astro/FiniteCheck.h"
#include "astro/PositionText.h"

namespace modVedicPlanetPosition {

namespace {

struct ElementRow {
    double a0, a1, e0, e1, i0, i1, node0, node1, peri0, peri1, L0, L1;
};

// Base value at J2000.0 and rate per Julian century; angles: base in degrees,
// rate in arcseconds.
constexpr std::array<ElementRow, 6> ElementTable = {{
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645, 573.57,
     252.25084, 538101628.29},
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298, -108.80,
     181.97973, 210664136.06},
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25, 102.94719, 1198.28,
     100.46435, 129597740.63},
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19, 336.04084, 1560.78,
     355.45332, 68905103.78},
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385, 839.93,
     34.40438, 10925078.35},
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194, -1948.89,
     49.94432, 4401052.95},
}};

constexpr int EarthSet = static_cast<int>(ElementSet::EarthMoonBarycentre);
constexpr double KeplerTolerance = 1e-12;
// Newton's method converges in a handful of steps for these eccentricities;
// the cap only keeps a non-finite input from looping for ever.
constexpr int KeplerIterationCap = 1000;

struct OrbitPoint {
    double x = 0, y = 0;
};

}  // namespace

astro::UniversalMinute TrueUniversalTime(const astro::BirthData& birth) {
    using namespace std::chrono;
    // The local clock with the zone's signed correction, an hour off for daylight saving.
    return astro::UniversalMinute{(astro::EnteredClock(birth) + hours{birth.ZoneHoursSigned} +
                                   minutes{birth.ZoneMinutesSigned} - hours{birth.IsDaylightSaving ? 1 : 0})
                                      .time_since_epoch()};
}

double DayNumber2000(double year, double month, double day, double hour, double minute) {
    return 367 * year - std::floor(7 * (year + std::floor((month + 9) / 12)) / 4) + std::floor(275 * month / 9) +
           day - 730531.5 + (hour + minute / 60) / 24;
}

double DayNumber2000(astro::UniversalMinute instant) {
    const astro::CivilParts ut = astro::PartsOf(instant);
    return DayNumber2000(astro::YearOf(ut.date), astro::MonthOf(ut.date), astro::DayOf(ut.date),
                         static_cast<double>(ut.time.hours().count()), static_cast<double>(ut.time.minutes().count()));
}

double ReduceRadians(double x) {
    const double turns = x / TwoPi;
    const double whole = std::trunc(turns);
    double r = (turns - whole) * TwoPi;
    if (r < 0) r = r + TwoPi;
    return r;
}

OrbitalElements SetOrbitalElements(int elementSetIndex, double daysSinceJ2000) {
    const ElementRow& row = ElementTable[static_cast<std::size_t>(elementSetIndex)];
    const double centuriesSinceJ2000 = daysSinceJ2000 / 36525;
    OrbitalElements el;
    el.a = row.a0 + row.a1 * centuriesSinceJ2000;
    el.e = row.e0 + row.e1 * centuriesSinceJ2000;
    el.i = (row.i0 + row.i1 * centuriesSinceJ2000 / 3600) * DegToRad;
    el.ascendingNode = (row.node0 + row.node1 * centuriesSinceJ2000 / 3600) * DegToRad;
    el.perihelion = (row.peri0 + row.peri1 * centuriesSinceJ2000 / 3600) * DegToRad;
    el.meanLongitude = ReduceRadians((row.L0 + row.L1 * centuriesSinceJ2000 / 3600) * DegToRad);
    return el;
}

double TrueAnomaly(double meanAnomaly, double e) {
    const double M = meanAnomaly;
    double E = M + e * std::sin(M) * (1 + e * std::cos(M));
    double previous = 0;
    int iterations = 0;
    do {
        previous = E;
        E = previous - (previous - e * std::sin(previous) - M) / (1 - e * std::cos(previous));
    } while (std::fabs(E - previous) > KeplerTolerance && ++iterations < KeplerIterationCap);
    double nu = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    if (nu < 0) nu = nu + TwoPi;
    return nu;
}

double PlanetLongitude(int elementSetIndex, double daysSinceJ2000) {
    const OrbitalElements body = SetOrbitalElements(elementSetIndex, daysSinceJ2000);
    const OrbitalElements earth = SetOrbitalElements(EarthSet, daysSinceJ2000);

    const double earthM = ReduceRadians(earth.meanLongitude - earth.perihelion);
    const double earthNu = TrueAnomaly(earthM, earth.e);
    const double earthR = earth.a * (1 - earth.e * earth.e) / (1 + earth.e * std::cos(earthNu));
    const double xE = earthR * std::cos(earthNu + earth.perihelion);
    const double yE = earthR * std::sin(earthNu + earth.perihelion);

    OrbitPoint p;
    if (elementSetIndex != EarthSet) {
        const double M = ReduceRadians(body.meanLongitude - body.perihelion);
        const double nu = TrueAnomaly(M, body.e);
        const double r = body.a * (1 - body.e * body.e) / (1 + body.e * std::cos(nu));
        const double u = nu + body.perihelion - body.ascendingNode;
        const double cosNode = std::cos(body.ascendingNode);
        const double sinNode = std::sin(body.ascendingNode);
        p.x = r * (cosNode * std::cos(u) - sinNode * std::sin(u) * std::cos(body.i));
        p.y = r * (sinNode * std::cos(u) + cosNode * std::sin(u) * std::cos(body.i));
    }

    double lambda = ArcTangent2(p.y - yE, p.x - xE) * 180 / 3.14159265358979;
    if (std::isfinite(lambda)) {
        while (lambda > 360) lambda = lambda - 360;
        while (lambda < 0) lambda = lambda + 360;
    }
    return lambda;
}

double MeanNodeLongitude(double daysSinceJ2000) {
    const double node = 125.1228 - 0.0529538083 * daysSinceJ2000;
    return ReduceRadians(node * DegToRad) * 180 / 3.1416 - 1;
}

BodyTables ComputePlanetPositions(const astro::BirthData& birth, const ChartAngles& angles,
                                  std::string_view moonPositionText) {
    BodyTables tables;
    for (std::size_t b = 0; b < BodyCount; ++b) {
        tables.PlanetNameEnglish[b] = std::string(EnglishBodyNames[b]);
        tables.PlanetNameSanskrit[b] = std::string(SanskritBodyNames[b]);
    }

    const double daysSinceJ2000 = DayNumber2000(TrueUniversalTime(birth));
    astro::AssertFinite(daysSinceJ2000);
    const double ayanamsa = std::fabs(angles.AyanamsaCorrection);

    std::array<std::string, BodyCount> longTexts;
    for (int set = 0; set < ElementSetCount; ++set) {
        double sidereal = PlanetLongitude(set, daysSinceJ2000) - ayanamsa;
        if (std::isfinite(sidereal)) {
            while (sidereal < 0) sidereal = sidereal + 360;
        }
        const std::size_t body = BodyIndex(BodyOfElementSet[static_cast<std::size_t>(set)]);
        tables.SiderealLongitude[body] = sidereal;
        longTexts[body] = FormatSignPosition(sidereal);
    }

    double rahu = MeanNodeLongitude(daysSinceJ2000) - ayanamsa;
    if (std::isfinite(rahu)) {
        while (rahu < 0) rahu = rahu + 360;
    }
    double ketu = rahu + 180;
    if (std::isfinite(ketu)) {
        while (ketu > 360) ketu = ketu - 360;
    }
    longTexts[BodyIndex(Body::Moon)] = std::string(moonPositionText);
    tables.SiderealLongitude[BodyIndex(Body::Rahu)] = rahu;
    tables.SiderealLongitude[BodyIndex(Body::Ketu)] = std::fabs(ketu);
    longTexts[BodyIndex(Body::Rahu)] = FormatSignPosition(rahu);
    longTexts[BodyIndex(Body::Ketu)] = FormatSignPosition(std::fabs(ketu));
    longTexts[BodyIndex(Body::Ascendant)] = angles.AscendantText;
    longTexts[BodyIndex(Body::Midheaven)] = angles.MidheavenText;

    for (std::size_t b = 0; b < BodyCount; ++b) tables.PlanetPositionText[b] = CompactPosition(longTexts[b]);
    return tables;
}

}  // namespace modVedicPlanetPosition
