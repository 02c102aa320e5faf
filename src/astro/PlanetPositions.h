// The Sun, Mercury .. Saturn from mean Keplerian elements (J2000 mean ecliptic
// and equinox, linear rates per Julian century), the mean lunar node, and the
// three eleven-entry body tables of the chart.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "astro/BirthData.h"
#include "astro/ChartAngles.h"

namespace modVedicPlanetPosition {

inline constexpr double TwoPi = 6.28318530717958;
inline constexpr int BodyCount = 11;  // Sun, Moon, Mercury .. Saturn, Rahu, Ketu, Ascendant, Midheaven

inline constexpr std::array<std::string_view, BodyCount> EnglishBodyNames = {
    "Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Ascendant", "Midheaven"};
inline constexpr std::array<std::string_view, BodyCount> SanskritBodyNames = {
    "Surya", "Chandra", "Budha", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Ascendant", "Midheaven"};

struct BodyTables {
    std::array<std::string, BodyCount> PlanetNameEnglish;
    std::array<std::string, BodyCount> PlanetNameSanskrit;
    std::array<std::string, BodyCount> PlanetPositionText;  // compact texts
};

// Element sets: 0 Mercury, 1 Venus, 2 Earth-Moon barycentre (gives the Sun),
// 3 Mars, 4 Jupiter, 5 Saturn.
struct OrbitalElements {
    double a = 0;                // semi-major axis, AU
    double e = 0;                // eccentricity
    double i = 0;                // inclination, radians
    double ascendingNode = 0;    // radians
    double perihelion = 0;       // longitude of perihelion, radians
    double meanLongitude = 0;    // radians, 0..2pi
};

// A universal date and time, after the zone and daylight-saving corrections.
struct CivilDateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

// Local date-time plus the signed zone correction, less an hour for daylight
// saving, by calendar arithmetic (days, months and years roll over). An hour of
// 24 is 0:mm of the next day.
CivilDateTime UniversalDateTime(const astro::BirthData& birth);

// Days from J2000.0 of a universal date-time (Gregorian years 1901..2099).
double DayNumber2000(double year, double month, double day, double hour, double minute);

OrbitalElements SetOrbitalElements(int elementSetIndex, double d);

// Geocentric ecliptic longitude in degrees, 0 <= result < 360 (set 2: the Sun).
double PlanetLongitude(int elementSetIndex, double d);

double TrueAnomaly(double meanAnomaly, double e);

double ReduceRadians(double x);

// Mean ascending node before the ayanamsa, in degrees (converted back to degrees
// with 180 / 3.1416 and lowered by one degree).
double MeanNodeLongitude(double d);

// The position-text pass: writes the plain names and the compact positions.
void ComputePlanetPositions(const astro::BirthData& birth, const ChartAngles& angles,
                            std::string_view moonPositionText, BodyTables& tables);

}  // namespace modVedicPlanetPosition
