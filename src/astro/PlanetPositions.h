// The Sun, Mercury .. Saturn, the lunar nodes and the three eleven-entry body
// tables of a chart (modVedicPlanetPosition). Time is counted in days from
// J2000.0 (JD 2451545.0) of universal time, daysSinceJ2000.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "astro/AngleUnits.h"
#include "astro/BirthData.h"
#include "astro/Body.h"
#include "astro/ChartAngles.h"

namespace modVedicPlanetPosition {

using astro::Body;
using astro::BodyCount;
using astro::BodyIndex;
using astro::TwoPi;

inline constexpr std::array<std::string_view, BodyCount> EnglishBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Ascendant", "Midheaven"};
inline constexpr std::array<std::string_view, BodyCount> SanskritBodyNames = {
    "Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Ascendant", "Midheaven"};

// What the position-text pass leaves in the chart record, indexed by Body.
struct BodyTables {
    std::array<std::string, BodyCount> PlanetNameEnglish;
    std::array<std::string, BodyCount> PlanetNameSanskrit;
    std::array<std::string, BodyCount> PlanetPositionText;  // compact texts
    // The sidereal degrees the texts of the Sun, Mercury .. Saturn, Rahu and
    // Ketu (its absolute value) are made of; this pass leaves the Moon's and
    // the angles' entries 0, and the calculation driver puts in theirs.
    std::array<double, BodyCount> SiderealLongitude{};
};

// The element sets, in the order of the element table.
enum class ElementSet { Mercury, Venus, EarthMoonBarycentre, Mars, Jupiter, Saturn };
inline constexpr int ElementSetCount = 6;

// The body whose position an element set gives (the Earth-Moon barycentre's
// orbit gives the Sun).
inline constexpr std::array<Body, ElementSetCount> BodyOfElementSet = {Body::Mercury, Body::Venus, Body::Sun,
                                                                       Body::Mars,    Body::Jupiter, Body::Saturn};

struct OrbitalElements {
    double a = 0;                // semi-major axis, AU
    double e = 0;                // eccentricity
    double i = 0;                // inclination, radians
    double ascendingNode = 0;    // radians
    double perihelion = 0;       // longitude of perihelion, radians
    double meanLongitude = 0;    // radians, 0..2pi
};

// TrueUniversalTime: the birth's true instant, the universal time of the
// planets (the chart's angles and Moon take theirs from UniversalTimeRule).
//   Given:   the birth data (local date and clock time, the signed zone
//            correction, daylight saving).
//   Returns: the local date and time plus ZoneHoursSigned hours and
//            ZoneMinutesSigned minutes, less an hour for daylight saving, to
//            the minute; days, months and years roll over, and an hour of 24
//            is 0:mm of the next day.
astro::UniversalMinute TrueUniversalTime(const astro::BirthData& birth);

// DayNumber2000: days from J2000.0 (JD 2451545.0) of a universal date-time.
//   Given:   Gregorian year 1901..2099, month 1..12, day, hour, minute.
//   Returns: 367 y - Int(7 (y + Int((m + 9) / 12)) / 4) + Int(275 m / 9) + d
//            - 730531.5 + (h + min / 60) / 24, a fraction of a day included.
double DayNumber2000(double year, double month, double day, double hour, double minute);
// The same of an instant, by the same rule from its civil date and time.
double DayNumber2000(astro::UniversalMinute instant);

// SetOrbitalElements: the mean Keplerian elements of one set at a moment.
//   Given:   the element set 0..5 (ElementSet), daysSinceJ2000.
//   Returns: a and e linear in Julian centuries; the angles in radians, the
//            mean longitude reduced to 0..2pi.
//   Notes:   Standish's elements for approximate positions of the major
//            planets (JPL), referred to the mean ecliptic and equinox of
//            J2000, with linear rates per Julian century (angles' rates in
//            arcseconds).
OrbitalElements SetOrbitalElements(int elementSetIndex, double daysSinceJ2000);

// PlanetLongitude: geocentric ecliptic longitude of an element set's body.
//   Given:   the element set 0..5, daysSinceJ2000.
//   Returns: degrees, 0 <= result < 360 (J2000 ecliptic and equinox; no light
//            time, aberration or nutation). For the Earth-Moon barycentre's
//            set it is the Sun's longitude.
//   Notes:   the heliocentric positions of the body and of the Earth-Moon
//            barycentre from Kepler's equation, projected on the ecliptic and
//            subtracted; degrees from radians as 180 / 3.14159265358979.
double PlanetLongitude(int elementSetIndex, double daysSinceJ2000);

// TrueAnomaly: the true anomaly of a mean anomaly (radians) in an orbit of
// eccentricity e < 1, from Kepler's equation by Newton's method to 1e-12
// radians. Returns radians, 0..2pi.
double TrueAnomaly(double meanAnomaly, double e);

// ReduceRadians: x reduced to 0 <= result < 2pi (by TwoPi as written).
double ReduceRadians(double x);

// MeanNodeLongitude: the Moon's mean ascending node before the ayanamsa.
//   Given:   daysSinceJ2000.
//   Returns: degrees: 125.1228° - 0.0529538083° per day (Schlyter's mean
//            elements of the Moon), reduced to one turn, converted back to
//            degrees with 180 / 3.1416 and lowered by one degree.
double MeanNodeLongitude(double daysSinceJ2000);

// ComputePlanetPositions: the position-text pass.
//   Given:   the birth data (the planets' universal date-time), the chart
//            angles (the ayanamsa, the Ascendant and Midheaven texts) and the
//            Moon's long position text.
//   Returns: the plain English and Sanskrit names and the compact position
//            text of each body. The J2000 longitudes of the Sun, the planets
//            and the node are made sidereal by subtracting the ayanamsa of the
//            birth moment; Ketu is Rahu + 180 degrees.
BodyTables ComputePlanetPositions(const astro::BirthData& birth, const ChartAngles& angles,
                                  std::string_view moonPositionText);

}  // namespace modVedicPlanetPosition
