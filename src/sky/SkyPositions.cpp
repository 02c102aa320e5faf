#include "sky/SkyPositions.h"

#include <erfa.h>
#include <erfam.h>

#include <array>
#include <cmath>
#include <utility>

namespace sky {

namespace {

constexpr double SecondsPerDay = 86400;

// ERFA's routines take no const arguments: values are passed as copies.
using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;
struct PositionVelocity {
    Vector position, velocity;
};

// Degrees of a radian angle, folded into 0..360.
double degreesOf(double radians) { return FoldDegrees(radians * ERFA_DR2D); }

Matrix eclipticOfDate(const double tt[2]) {
    double m[3][3];
    eraEcm06(tt[0], tt[1], m);
    return {{{m[0][0], m[0][1], m[0][2]}, {m[1][0], m[1][1], m[1][2]}, {m[2][0], m[2][1], m[2][2]}}};
}

// The mean-ecliptic-of-date longitude (radians) of a GCRS direction.
double eclipticLongitude(const Matrix& toEcliptic, const Vector& direction) {
    const auto dot = [&](const Vector& row) { return row[0] * direction[0] + row[1] * direction[1] + row[2] * direction[2]; };
    return std::atan2(dot(toEcliptic[1]), dot(toEcliptic[0]));
}

Vector difference(const Vector& a, const Vector& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vector scaled(double s, const Vector& a) { return {s * a[0], s * a[1], s * a[2]}; }
double length(const Vector& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }
Vector unit(const Vector& a) { return scaled(1 / length(a), a); }

// The Earth's heliocentric position and barycentric velocity (AU, AU/day).
struct Earth {
    Vector heliocentric;
    Vector velocity;
};

Earth earthAt(const double tt[2]) {
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt[0], tt[1], pvh, pvb);
    return {{pvh[0][0], pvh[0][1], pvh[0][2]}, {pvb[1][0], pvb[1][1], pvb[1][2]}};
}

// The apparent direction of a body at `geometric` (geocentric, AU, already
// corrected for light time): the Sun's light deflection (not for the Sun
// itself, nor the Moon) and the annual aberration.
Vector apparentDirection(const Earth& earth, const Vector& geometric, bool deflect) {
    Vector direction = unit(geometric);
    Vector fromSun = unit(earth.heliocentric);
    const double sunDistance = length(earth.heliocentric);
    if (deflect) {
        Vector deflected;
        eraLdsun(direction.data(), fromSun.data(), sunDistance, deflected.data());
        direction = deflected;
    }
    Vector velocity = scaled(1.0 / ERFA_DC, earth.velocity);
    const double bm1 = std::sqrt(1 - length(velocity) * length(velocity));
    Vector seen;
    eraAb(direction.data(), velocity.data(), sunDistance, bm1, seen.data());
    return seen;
}

PositionVelocity planetAt(double tt0, double tt1, int planet) {
    double pv[2][3];
    eraPlan94(tt0, tt1, planet, pv);
    return {{pv[0][0], pv[0][1], pv[0][2]}, {pv[1][0], pv[1][1], pv[1][2]}};
}

// A planet's geocentric position at the instant light left it: its
// heliocentric position at t - tau less the Earth's at t, iterated.
Vector planetWithLightTime(const double tt[2], int planet, const Earth& earth) {
    double tau = 0;
    Vector geometric{};
    for (int pass = 0; pass < 3; ++pass) {
        geometric = difference(planetAt(tt[0], tt[1] - tau, planet).position, earth.heliocentric);
        tau = length(geometric) / ERFA_DC;
    }
    return geometric;
}

// The Lahiri ayanamsa at a TT date whose nutation in longitude (radians) is
// known. What belongs to the epoch is worked out once.
Ayanamsa lahiriAt(const double tt[2], double dpsi) {
    struct Epoch {
        double meanAyanamsa;  // degrees
        Vector equinox;       // the mean equinox of the epoch, in the GCRS
    };
    static const Epoch epoch = [] {
        // 1956 March 21, 0h TT and the true ayanamsa then.
        constexpr double EpochJd[2] = {2435553.5, 0};
        constexpr double TrueAyanamsaAtEpoch = 23 + 15 / 60.0 + 0.658 / 3600;
        double epochDpsi = 0, epochDeps = 0;
        eraNut06a(EpochJd[0], EpochJd[1], &epochDpsi, &epochDeps);
        // The first row of the bias-precession matrix is the direction of
        // the epoch's mean equinox.
        double precession[3][3];
        eraPmat06(EpochJd[0], EpochJd[1], precession);
        return Epoch{TrueAyanamsaAtEpoch - epochDpsi * ERFA_DR2D, {precession[0][0], precession[0][1], precession[0][2]}};
    }();
    Ayanamsa result;
    result.mean = epoch.meanAyanamsa + eclipticLongitude(eclipticOfDate(tt), epoch.equinox) * ERFA_DR2D;
    result.apparent = result.mean + dpsi * ERFA_DR2D;
    return result;
}

}  // namespace

double FoldDegrees(double x) {
    double folded = std::fmod(x, 360.0);
    if (folded < 0) folded += 360;
    if (folded >= 360) folded -= 360;  // -1e-17 + 360 rounds to 360
    return folded;
}

double DeltaTSeconds(double y) {
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t - 0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * t * t * t * t +
               0.00002373599 * t * t * t * t * t;
    }
    const double t = y - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

Instant InstantOf(int year, int month, int day, int hour, int minute, double second) {
    Instant instant;
    double mjdZero = 0, mjd = 0;
    eraCal2jd(year, month, day, &mjdZero, &mjd);
    instant.ut1[0] = mjdZero;
    instant.ut1[1] = mjd + (hour + minute / 60.0 + second / 3600) / 24;
    instant.deltaTSeconds = DeltaTSeconds(year + (month - 0.5) / 12);
    instant.tt[0] = mjdZero;
    instant.tt[1] = instant.ut1[1] + instant.deltaTSeconds / SecondsPerDay;
    return instant;
}

Instant InstantOf(astro::UniversalMinute universal) {
    const astro::CivilParts ut = astro::PartsOf(universal);
    return InstantOf(astro::YearOf(ut.date), astro::MonthOf(ut.date), astro::DayOf(ut.date),
                     static_cast<int>(ut.time.hours().count()), static_cast<int>(ut.time.minutes().count()));
}

Ayanamsa LahiriAyanamsa(const Instant& instant) {
    double dpsi = 0, deps = 0;
    eraNut06a(instant.tt[0], instant.tt[1], &dpsi, &deps);
    return lahiriAt(instant.tt, dpsi);
}

Ayanamsa LahiriAyanamsa(const Instant& instant, double nutationInLongitudeRadians) {
    return lahiriAt(instant.tt, nutationInLongitudeRadians);
}

SkyLongitudes SkyAt(const Instant& instant, double eastLongitudeDeg, double northLatitudeDeg, NodeKind nodeKind) {
    using astro::Body;
    using astro::BodyIndex;
    SkyLongitudes sky;
    const double* tt = instant.tt;

    const Matrix toEcliptic = eclipticOfDate(tt);
    double dpsi = 0, deps = 0;
    eraNut06a(tt[0], tt[1], &dpsi, &deps);
    // A longitude from the mean equinox of date, made apparent.
    const auto apparent = [&](const Vector& direction) {
        return degreesOf(eclipticLongitude(toEcliptic, direction) + dpsi);
    };

    const Earth earth = earthAt(tt);

    // The Sun: opposite the Earth's heliocentric position.
    sky.tropical[BodyIndex(Body::Sun)] = apparent(apparentDirection(earth, scaled(-1, earth.heliocentric), false));

    // The planets, numbered as eraPlan94 numbers them.
    constexpr std::pair<Body, int> Planets[] = {
        {Body::Mercury, 1}, {Body::Venus, 2}, {Body::Mars, 4}, {Body::Jupiter, 5}, {Body::Saturn, 6}};
    for (const auto& [body, number] : Planets) {
        sky.tropical[BodyIndex(body)] = apparent(apparentDirection(earth, planetWithLightTime(tt, number, earth), true));
    }

    // The Moon: its geocentric position when the light left it, seen from
    // where the Earth is now (the Earth's own motion over the light time,
    // which the aberration then takes back).
    double moonPv[2][3];
    eraMoon98(tt[0], tt[1], moonPv);
    const Vector moon = {moonPv[0][0], moonPv[0][1], moonPv[0][2]};
    const Vector moonVelocity = {moonPv[1][0], moonPv[1][1], moonPv[1][2]};
    const double moonLightTime = length(moon) / ERFA_DC;
    const Vector moonSeen =
        difference(difference(moon, scaled(moonLightTime, moonVelocity)), scaled(moonLightTime, earth.velocity));
    sky.tropical[BodyIndex(Body::Moon)] = apparent(apparentDirection(earth, moonSeen, false));

    // The mean node from the mean equinox of date (IERS 2003 conventions).
    const double centuries = ((tt[0] - ERFA_DJ00) + tt[1]) / ERFA_DJC;
    double node = eraFaom03(centuries) + dpsi;
    if (nodeKind == NodeKind::True) {
        // The osculating node: where the plane of the Moon's geocentric
        // orbit at the instant (its position and velocity from eraMoon98)
        // crosses the ecliptic of date going north.
        const Vector momentum = {moon[1] * moonVelocity[2] - moon[2] * moonVelocity[1],
                                 moon[2] * moonVelocity[0] - moon[0] * moonVelocity[2],
                                 moon[0] * moonVelocity[1] - moon[1] * moonVelocity[0]};
        const auto dot = [&](const Vector& row) { return row[0] * momentum[0] + row[1] * momentum[1] + row[2] * momentum[2]; };
        node = std::atan2(dot(toEcliptic[0]), -dot(toEcliptic[1])) + dpsi;
    }
    sky.tropical[BodyIndex(Body::Rahu)] = degreesOf(node);
    sky.tropical[BodyIndex(Body::Ketu)] = FoldDegrees(degreesOf(node) + 180);

    // The angles: apparent local sidereal time and the true obliquity.
    const double localSidereal =
        eraGst06a(instant.ut1[0], instant.ut1[1], tt[0], tt[1]) + eastLongitudeDeg * ERFA_DD2R;
    const double obliquity = eraObl06(tt[0], tt[1]) + deps;
    sky.tropical[BodyIndex(Body::Midheaven)] =
        degreesOf(std::atan2(std::sin(localSidereal), std::cos(localSidereal) * std::cos(obliquity)));
    if (std::fabs(northLatitudeDeg) < 90) {
        const double latitude = northLatitudeDeg * ERFA_DD2R;
        double ascendant = degreesOf(std::atan2(
            std::cos(localSidereal),
            -(std::sin(localSidereal) * std::cos(obliquity) + std::tan(latitude) * std::sin(obliquity))));
        // Within a polar circle the formula may give the point setting in the
        // west: the Ascendant is taken as the one that follows the
        // Midheaven by less than half a circle, as the ephemerides take it.
        if (std::fabs(latitude) > ERFA_DPI / 2 - obliquity &&
            FoldDegrees(ascendant - *sky.tropical[BodyIndex(Body::Midheaven)]) > 180) {
            ascendant = FoldDegrees(ascendant + 180);
        }
        sky.tropical[BodyIndex(Body::Ascendant)] = ascendant;
    }

    sky.ayanamsa = lahiriAt(tt, dpsi);
    for (std::size_t b = 0; b < astro::BodyCount; ++b) {
        if (sky.tropical[b]) sky.sidereal[b] = FoldDegrees(*sky.tropical[b] - sky.ayanamsa.apparent);
    }
    return sky;
}

}  // namespace sky
