// The Moon of a birth chart (modVedicEphemeris): the tropical longitude from a
// truncated lunar series, the Moon's own ayanamsa, the sidereal position text,
// the nakshatra and the rashi. Time is counted in Julian centuries from
// J2000.0 (centuriesSinceJ2000).
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
    double BirthJDN = 0;               // Julian Day Number of the civil birth date
    double UniversalTime = 0;          // hours, from the universal-time rule
    double JulianCenturies = 0;        // centuries since J2000.0
    double MoonAyanamsa = 0;           // degrees, negative
    double TropicalMoonLongitude = 0;  // degrees, 0..360
    double MoonLongitude = 0;          // sidereal degrees, 0 up to 360
};

// MoonLongitudeSeries: the Moon's geocentric tropical ecliptic longitude.
//   Given:   centuriesSinceJ2000, Julian centuries from J2000.0 (UT, no ΔT).
//   Returns: degrees, 0..360 (360 itself stays), referred to the mean equinox
//            of date; no nutation, aberration or light time.
//   Notes:   the mean elements L', D, M, M', F and the eccentricity factor E
//            of Meeus, Astronomical Algorithms (1991), chapter 45, with the
//            first 25 terms of his table of periodic terms in longitude. The
//            arguments are not reduced to one turn before the sines.
double MoonLongitudeSeries(double centuriesSinceJ2000);

// AyanamsaOfDate: the Moon's ayanamsa as a negative correction.
//   Given:   centuriesSinceJ2000.
//   Returns: degrees, about -23.85 in 2000.
//   Notes:   general precession of 5025.64" + 1.11" T per century (Newcomb)
//            from a zero point of 85886.27", with the nutation terms
//            17.23" sin(node) and 1.27" sin(Sun's mean longitude); the lunar
//            node and the Sun's mean longitude are Meeus' polynomials.
double AyanamsaOfDate(double centuriesSinceJ2000);

// NakshatraIndex: the nakshatra of a sidereal longitude.
//   Given:   0 <= siderealLongitude < 360, degrees.
//   Returns: 0 (Aswini) .. 26 (Revati); each spans 800 minutes of arc and a
//            boundary belongs to the later one. Out-of-range input is
//            clamped (asserted in debug builds).
int NakshatraIndex(double siderealLongitude);

// ComputeMoonChart: the Moon pass.
//   Given:   the birth data (universal-time rule, civil date).
//   Fills:   the working values, and the Moon's long position text, its
//            nakshatra and its rashi in `moon`.
//   Notes:   RashiName keeps its previous value when the text's last three
//            characters name no sign, which is why `moon` is filled, not returned.
void ComputeMoonChart(const astro::BirthData& birth, MoonWorkingValues& work, MoonChart& moon);

// NameMoonPosition: the Moon's texts from its sidereal longitude (degrees):
// the long position text, the nakshatra, and the rashi of the text's sign
// (RashiName keeps its value when no sign matches).
void NameMoonPosition(double siderealLongitude, MoonChart& moon);

}  // namespace modVedicEphemeris
