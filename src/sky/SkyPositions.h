// The sky at a birth instant, for comparing a chart with it: apparent
// geocentric longitudes of the Sun, the Moon and Mercury .. Saturn, the mean
// lunar node, the Ascendant and Midheaven, and the Lahiri ayanamsa, computed
// with ERFA (the IAU's SOFA routines). Plain C++; no state.
//
// Conventions: longitudes in degrees, 0 <= x < 360; an instant as a two-part
// Julian Date (the parts added give the date, ERFA's convention).
#pragma once

#include <array>
#include <optional>

#include "astro/BirthData.h"
#include "astro/Body.h"

namespace sky {

struct Instant {
    double ut1[2] = {0, 0};  // Julian Date, universal time (UTC taken as UT1)
    double tt[2] = {0, 0};   // Julian Date, terrestrial time (TDB taken as TT)
    double deltaTSeconds = 0;
};

// DeltaTSeconds: TT - UT in seconds for a decimal year (year + (month - 0.5) / 12).
//   Source:  F. Espenak and J. Meeus, "Five Millennium Canon of Solar Eclipses:
//            -1999 to +3000", NASA/TP-2006-214141 (2006), the polynomial
//            expressions for 1900-2050 (those from 2005 on are the canon's
//            prediction; they run a few seconds above the values observed
//            since, about 6 s in 2026).
//   Valid:   1900 <= year < 2150; the 2005-2050 expression is used beyond 2050.
double DeltaTSeconds(double decimalYear);

// InstantOf: the instant of a universal civil date and time (Gregorian), with
// TT from DeltaTSeconds.
Instant InstantOf(int year, int month, int day, int hour, int minute, double second = 0);
// The same of a universal instant to the minute (a birth's true instant).
Instant InstantOf(astro::UniversalMinute universal);

// LahiriAyanamsa: the Lahiri (Chitrapaksha) ayanamsa, positive degrees.
//   Definition: the Indian Calendar Reform Committee (Report, Government of
//            India, 1955; the Indian Astronomical Ephemeris): the true
//            ayanamsa (the longitude of the fixed sidereal zero point from the
//            true equinox of date) is 23° 15' 00.658" on 1956 March 21, 0h TT.
//   Method:  the mean ayanamsa at that epoch (less the nutation in longitude)
//            is carried to the date by the IAU 2006 precession: the mean
//            equinox of the epoch is expressed on the mean ecliptic of date,
//            and its longitude there is added.
//   Returns: the mean ayanamsa (for positions from the mean equinox of date)
//            and the true one (with the nutation in longitude of date).
struct Ayanamsa {
    double mean = 0;
    double apparent = 0;
};
Ayanamsa LahiriAyanamsa(const Instant& instant);
// The same with the nutation in longitude of the date given (radians), for
// callers that computed it already.
Ayanamsa LahiriAyanamsa(const Instant& instant, double nutationInLongitudeRadians);

// The sky's longitudes of the eleven bodies in the order of astro::Body.
struct SkyLongitudes {
    // Apparent tropical longitudes (true equinox and ecliptic of date): the
    // Sun, the Moon and the planets with light time, the Sun's light
    // deflection (planets) and annual aberration; the mean node (Rahu; Ketu
    // opposite); the Ascendant and Midheaven from apparent sidereal time and
    // true obliquity. The Ascendant is absent where the latitude is not a
    // place on the Earth (|latitude| >= 90 degrees).
    std::array<std::optional<double>, astro::BodyCount> tropical;
    Ayanamsa ayanamsa;
    // tropical - ayanamsa.apparent, folded into 0..360.
    std::array<std::optional<double>, astro::BodyCount> sidereal;
};

// Which lunar node Rahu is: the mean node, or the true node (the osculating
// node: where the plane of the Moon's geocentric orbit at the instant, from
// ERFA's lunar ephemeris eraMoon98, crosses the ecliptic of date).
enum class NodeKind { Mean, True };

// SkyAt: the sky at an instant seen from the Earth's centre; the angles for
// the place (east longitude and north latitude in degrees).
SkyLongitudes SkyAt(const Instant& instant, double eastLongitudeDeg, double northLatitudeDeg,
                    NodeKind node = NodeKind::Mean);

// FoldDegrees: x folded into 0 <= result < 360.
double FoldDegrees(double x);

}  // namespace sky
