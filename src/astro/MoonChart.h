// The Moon of a birth chart: tropical longitude from a truncated lunar series
// (Meeus' mean elements with the 25 largest longitude terms, mean equinox of
// date, no nutation or aberration), the Moon's own ayanamsa, the sidereal
// position text, the nakshatra and the rashi.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "astro/BirthData.h"

namespace modVedicEphemeris {

inline constexpr std::array<std::string_view, 27> NakshatraNames = {
    "Aswini",        "Bharani",         "Krittika",        "Rohini",        "Mrigsira",
    "Ardra",         "Punarvasu",       "Pushya",          "Aslesha",       "Magha",
    "Purbha Phalguni", "Uttara Phalguni", "Hasta",         "Chitra",        "Swati",
    "Vishakha",      "Anuradha",        "Jyeshtha",        "Mula",          "Purva Ashadha",
    "Uttara Ashadha", "Shravana",       "Dhanishtha",      "Shatbisha",     "Poorva Bhadrapada",
    "Uttara Bhadrapada", "Revati"};

// Sanskrit sign names, Aries first (Mesha .. Meena).
inline constexpr std::array<std::string_view, 12> RashiNames = {
    "Mesha", "Vrishabha", "Mithuna", "Kataka",  "Simha",  "Kanya",
    "Thula", "Vrishcika", "Dhanush", "Makara",  "Kumbha", "Meena"};

// Results of the Moon pass that belong to the chart record.
struct MoonChart {
    std::string MoonPositionText;  // long position text of the sidereal Moon
    std::string NakshatraName;
    std::string RashiName;         // keeps its value when no sign matches
};

// Working values of the last Moon run, kept so they can be inspected.
struct MoonWorkingValues {
    double BirthJDN = 0;
    double UniversalTime = 0;
    double JulianCenturies = 0;
    double MoonAyanamsa = 0;
    double TropicalMoonLongitude = 0;
    double MoonLongitude = 0;  // sidereal, 0 up to 360
};

// Tropical geocentric longitude of the Moon in degrees, 0..360 (360 itself
// stays), for T Julian centuries from J2000.0.
double MoonLongitudeSeries(double T);

// The Moon's ayanamsa in degrees (negative, about -23.85 in 2000).
double AyanamsaOfDate(double T);

// Nakshatra index 0..26 of a sidereal longitude 0 <= s < 360; a boundary
// belongs to the later nakshatra.
int NakshatraIndex(double siderealLongitude);

// The Moon pass: reads the birth data, writes the working values and the
// record's Moon results.
void ComputeMoonChart(const astro::BirthData& birth, MoonWorkingValues& work, MoonChart& moon);

}  // namespace modVedicEphemeris
