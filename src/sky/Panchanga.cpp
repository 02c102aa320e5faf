#include "sky/Panchanga.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/DivisionalCharts.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"

namespace sky {

namespace {

constexpr double SecondsPerDay = 86400;
// The Moon's mass over the Earth's and the Moon's together (IAU 2009: the
// Earth's mass is 81.30057 Moons).
constexpr double MoonShareOfBarycentre = 1 / (1 + 81.30057);

using Vector = std::array<double, 3>;

Vector minus(const Vector& a, const Vector& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vector times(double s, const Vector& a) { return {s * a[0], s * a[1], s * a[2]}; }
double norm(const Vector& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }

// The instant `days` later.
Instant later(const Instant& instant, double days) {
    Instant moved = instant;
    moved.ut1[1] += days;
    moved.tt[1] += days;
    return moved;
}

// What the sky's Sun and Moon are made of at an instant: the apparent
// (aberrated) GCRS directions of the Sun and the Moon, the Sun's distance,
// the nutation of date.
struct SkyState {
    Vector sun, moon;  // unit vectors
    double sunDistance = 1;  // AU
    double dpsi = 0, deps = 0;
};

// The annual aberration of a unit direction for an observer moving at
// `velocity` (AU/day) at `sunDistance` AU from the Sun.
Vector aberrated(const Vector& direction, const Vector& velocity, double sunDistance) {
    Vector p = times(1 / norm(direction), direction);
    Vector v = times(1.0 / ERFA_DC, velocity);
    const double bm1 = std::sqrt(1 - norm(v) * norm(v));
    Vector seen;
    eraAb(p.data(), v.data(), sunDistance, bm1, seen.data());
    return seen;
}

SkyState skyState(const Instant& instant, bool withMoon) {
    const double* tt = instant.tt;
    SkyState state;
    double emb[2][3];
    eraPlan94(tt[0], tt[1], 3, emb);
    Vector earth = {emb[0][0], emb[0][1], emb[0][2]};
    const Vector velocity = {emb[1][0], emb[1][1], emb[1][2]};
    Vector moon{}, moonVelocity{};
    if (withMoon) {
        double pv[2][3];
        eraMoon98(tt[0], tt[1], pv);
        moon = {pv[0][0], pv[0][1], pv[0][2]};
        moonVelocity = {pv[1][0], pv[1][1], pv[1][2]};
        // The Earth lies opposite the Moon from their barycentre.
        earth = minus(earth, times(MoonShareOfBarycentre, moon));
    }
    state.sunDistance = norm(earth);
    state.sun = aberrated(times(-1, earth), velocity, state.sunDistance);
    if (withMoon) {
        // The Moon when its light left it, seen from where the Earth is now.
        const double lightTime = norm(moon) / ERFA_DC;
        const Vector seen = minus(minus(moon, times(lightTime, moonVelocity)), times(lightTime, velocity));
        state.moon = aberrated(seen, velocity, state.sunDistance);
    }
    eraNut00b(tt[0], tt[1], &state.dpsi, &state.deps);
    return state;
}

// The apparent longitude (degrees) of a GCRS direction on the ecliptic of date.
double apparentLongitude(const double (&toEcliptic)[3][3], const Vector& d, double dpsi) {
    const double x = toEcliptic[0][0] * d[0] + toEcliptic[0][1] * d[1] + toEcliptic[0][2] * d[2];
    const double y = toEcliptic[1][0] * d[0] + toEcliptic[1][1] * d[1] + toEcliptic[1][2] * d[2];
    return FoldDegrees((std::atan2(y, x) + dpsi) * ERFA_DR2D);
}

// The change from one angle to another, the short way round (degrees).
double advance(double from, double to) {
    double change = std::fmod(to - from, 360.0);
    if (change >= 180) change -= 360;
    if (change < -180) change += 360;
    return change;
}

// The limbs' mean rates (degrees a day), for the first guess of an end.
double meanRate(Limb limb) {
    constexpr double Moon = 13.176, Sun = 0.9856;
    switch (limb) {
        case Limb::Tithi:
        case Limb::Karana: return Moon - Sun;
        case Limb::Nakshatra: return Moon;
        case Limb::Yoga: return Moon + Sun;
    }
    return Moon;
}

// Every limb ends within this many days (the longest tithi lasts about 26.8
// hours, the longest nakshatra about 27).
constexpr double LongestLimbDays = 1.5;

// The instant (days from the birth) at which the limb's angle reaches its
// next step: a secant step on the bracket, bisection where it would leave it.
double endOf(Limb limb, const SunMoon& atBirth, const PositionsAt& at) {
    const double step = LimbStep(limb);
    const double start = LimbAngle(limb, atBirth);
    const double toGo = (std::floor(start / step) + 1) * step - start;  // (0, step]
    const auto remaining = [&](double days) { return advance(start, LimbAngle(limb, at(days))) - toGo; };
    double low = 0, high = LongestLimbDays;
    double previous = 0, previousValue = -toGo;
    double x = toGo / meanRate(limb);
    for (int pass = 0; pass < 100; ++pass) {
        if (!(x > low && x < high)) x = (low + high) / 2;
        const double value = remaining(x);
        if (std::fabs(value) < 1e-7) return x;  // 1e-7 degrees: a millisecond of the Moon's motion
        (value < 0 ? low : high) = x;
        if (high - low < 1e-9) break;
        const double next = value != previousValue ? x - value * (x - previous) / (value - previousValue) : low;
        previous = x;
        previousValue = value;
        x = next;
    }
    return high;
}

// The Sun's apparent right ascension and declination (radians) and distance
// (AU), and the apparent sidereal time at Greenwich, at a universal time.
struct SunPlace {
    double rightAscension = 0, declination = 0, distance = 1, siderealTime = 0;
};
SunPlace sunPlaceAt(double ut, double deltaTSeconds) {
    const double tt = ut + deltaTSeconds / SecondsPerDay;
    Instant instant;
    instant.ut1[0] = ut;
    instant.tt[0] = tt;
    const SkyState state = skyState(instant, false);
    // The true equator and equinox of date: bias-precession, then nutation.
    double precession[3][3], nutation[3][3], both[3][3];
    eraPmat06(tt, 0, precession);
    const double obliquity = eraObl06(tt, 0);
    eraNumat(obliquity, state.dpsi, state.deps, nutation);
    eraRxr(nutation, precession, both);
    Vector sun = state.sun, ofDate;
    eraRxp(both, sun.data(), ofDate.data());
    SunPlace place;
    eraC2s(ofDate.data(), &place.rightAscension, &place.declination);
    place.distance = state.sunDistance;
    place.siderealTime = eraGmst06(ut, 0, tt, 0) + eraEe00(tt, 0, obliquity, state.dpsi);
    return place;
}

// The rising (or setting) nearest a first guess, or none where the Sun's
// upper limb does not reach the horizon on the day.
std::optional<double> sunEvent(double guess, bool rising, double deltaTSeconds, double longitude, double latitude) {
    double t = guess;
    for (int pass = 0; pass < 12; ++pass) {
        const SunPlace sun = sunPlaceAt(t, deltaTSeconds);
        // The centre's altitude when the upper limb touches the horizon.
        const double semidiameter = 959.63 / sun.distance * ERFA_DAS2R;
        const double parallax = 8.794 / sun.distance * ERFA_DAS2R;
        const double altitude = -(34.0 / 60 * ERFA_DD2R) - semidiameter + parallax;
        const double cosine = (std::sin(altitude) - std::sin(latitude) * std::sin(sun.declination)) /
                              (std::cos(latitude) * std::cos(sun.declination));
        if (!(std::fabs(cosine) <= 1)) return std::nullopt;
        const double wanted = rising ? -std::acos(cosine) : std::acos(cosine);
        const double hourAngle = sun.siderealTime + longitude - sun.rightAscension;
        const double change = eraAnpm(wanted - hourAngle) / ERFA_D2PI;  // the Sun's hour angle turns once a day
        t += change;
        if (std::fabs(change) < 0.1 / SecondsPerDay) return t;
    }
    return std::nullopt;  // no convergence: the Sun grazes the horizon
}

}  // namespace

std::string_view TithiName(int tithi) {
    if (tithi == 30) return NewMoonTithiName;
    return TithiNames[static_cast<std::size_t>((tithi - 1) % 15)];
}

std::string_view PakshaName(int tithi) { return PakshaNames[tithi <= 15 ? 0 : 1]; }

std::string_view KaranaName(int karana) {
    if (karana == 1) return FixedKaranaNames[0];
    if (karana >= 58) return FixedKaranaNames[static_cast<std::size_t>(karana - 57)];
    return MovingKaranaNames[static_cast<std::size_t>((karana - 2) % 7)];
}

double LimbAngle(Limb limb, const SunMoon& p) {
    switch (limb) {
        case Limb::Tithi:
        case Limb::Karana: return FoldDegrees(p.moon - p.sun);
        case Limb::Nakshatra: return FoldDegrees(p.moon);
        case Limb::Yoga: return FoldDegrees(p.moon + p.sun);
    }
    return 0;
}

double LimbStep(Limb limb) {
    switch (limb) {
        case Limb::Tithi: return 12;
        case Limb::Karana: return 6;
        case Limb::Nakshatra:
        case Limb::Yoga: return 40.0 / 3;
    }
    return 12;
}

SunMoon PanchangaSkySunMoon(const Instant& instant) {
    const SkyState state = skyState(instant, true);
    double toEcliptic[3][3];
    eraEcm06(instant.tt[0], instant.tt[1], toEcliptic);
    const double ayanamsa = LahiriAyanamsa(instant, state.dpsi).apparent;
    return {FoldDegrees(apparentLongitude(toEcliptic, state.sun, state.dpsi) - ayanamsa),
            FoldDegrees(apparentLongitude(toEcliptic, state.moon, state.dpsi) - ayanamsa)};
}

PanchangaBirth PanchangaBirthOf(const app::ChartRecord& record) {
    const astro::BirthData& b = record.birth;
    const modVedicEphemeris::UniversalTimeResult place = modVedicEphemeris::UniversalTimeRule(b);
    PanchangaBirth birth;
    birth.instant = InstantOf(modVedicPlanetPosition::TrueUniversalTime(b));
    birth.eastLongitudeDeg = -place.longitudeWestDeg;
    birth.northLatitudeDeg = place.latitudeNorthDeg;
    // UT is the clock plus the signed correction, less an hour of daylight saving.
    birth.clockOffsetDays =
        (-(b.ZoneHoursSigned * 60.0 + b.ZoneMinutesSigned) + (b.IsDaylightSaving ? 60 : 0)) / (24 * 60);
    return birth;
}

PositionsAt PanchangaPositionsOf(const app::ChartRecord& record, PanchangaPositions positions) {
    if (positions == PanchangaPositions::Sky) {
        const Instant birth = PanchangaBirthOf(record).instant;
        return [birth](double days) { return PanchangaSkySunMoon(later(birth, days)); };
    }
    // The chart's Sun at the planets' universal time, its Moon at the angles'.
    const double sunDays = modVedicPlanetPosition::DayNumber2000(modVedicPlanetPosition::TrueUniversalTime(record.birth));
    const double sunAyanamsa = std::fabs(record.angles.AyanamsaCorrection);
    const double moonCenturies = modVedicEphemeris::CenturiesSinceJ2000(
        modVedicEphemeris::JulianDayFromDate(record.birth.BirthMonth, record.birth.BirthDay, record.birth.BirthYear),
        modVedicEphemeris::UniversalTimeRule(record.birth).utHours);
    constexpr int SunSet = static_cast<int>(modVedicPlanetPosition::ElementSet::EarthMoonBarycentre);
    return [=](double days) {
        const double centuries = moonCenturies + days / 36525;
        return SunMoon{FoldDegrees(modVedicPlanetPosition::PlanetLongitude(SunSet, sunDays + days) - sunAyanamsa),
                       FoldDegrees(modVedicEphemeris::MoonLongitudeSeries(centuries) +
                                   modVedicEphemeris::AyanamsaOfDate(centuries))};
    };
}

namespace {

// The rising or setting within a civil day that begins at `dayStart`.
std::optional<double> sunEventWithin(double dayStart, bool rising, double deltaTSeconds, double eastLongitudeDeg,
                                     double northLatitudeDeg) {
    if (!(std::fabs(northLatitudeDeg) < 90)) return std::nullopt;  // the poles see a day of six months
    const double longitude = eraAnpm(eastLongitudeDeg * ERFA_DD2R);
    const double latitude = northLatitudeDeg * ERFA_DD2R;
    // The local noons near the day: the Sun crosses the meridian about when
    // universal time is 12 h less the east longitude.
    const double firstNoon = std::floor(dayStart + longitude / ERFA_D2PI) - longitude / ERFA_D2PI;
    for (double noon = firstNoon - 1; noon <= firstNoon + 2; noon += 1) {
        const std::optional<double> t = sunEvent(noon + (rising ? -0.25 : 0.25), rising, deltaTSeconds, longitude, latitude);
        if (t && *t >= dayStart && *t < dayStart + 1) return t;
    }
    return std::nullopt;
}

}  // namespace

SunTimes SunriseAndSunset(double dayStart, double deltaTSeconds, double eastLongitudeDeg, double northLatitudeDeg) {
    SunTimes times;
    times.placeOnTheEarth = std::fabs(northLatitudeDeg) <= 90;
    times.sunrise = sunEventWithin(dayStart, true, deltaTSeconds, eastLongitudeDeg, northLatitudeDeg);
    times.sunset = sunEventWithin(dayStart, false, deltaTSeconds, eastLongitudeDeg, northLatitudeDeg);
    return times;
}

Panchanga ComputePanchanga(const PanchangaBirth& birth, PanchangaPositions which, const PositionsAt& at) {
    Panchanga p;
    p.positions = which;
    p.birth = birth.instant.ut1[0] + birth.instant.ut1[1];
    p.clockOffsetDays = birth.clockOffsetDays;

    // The civil date of the birth in its own clock, and the instant it began.
    const double civilDay = std::floor(p.birth + birth.clockOffsetDays + 0.5);  // its Julian Day Number
    const double dayStart = civilDay - 0.5 - birth.clockOffsetDays;
    p.sun = SunriseAndSunset(dayStart, birth.instant.deltaTSeconds, birth.eastLongitudeDeg, birth.northLatitudeDeg);
    const int weekday = static_cast<int>(std::fmod(civilDay + 1, 7.0));  // 0 = Sunday
    p.beforeSunrise = p.sun.sunrise && p.birth < *p.sun.sunrise;
    p.vara = (weekday + (p.beforeSunrise ? 6 : 0)) % 7 + 1;
    const auto sunriseOn = [&](double start) {
        return sunEventWithin(start, true, birth.instant.deltaTSeconds, birth.eastLongitudeDeg, birth.northLatitudeDeg);
    };
    if (p.beforeSunrise) {
        p.dayBegins = sunriseOn(dayStart - 1);
        p.dayEnds = p.sun.sunrise;
    } else if (p.sun.sunrise) {
        p.dayBegins = p.sun.sunrise;
        p.dayEnds = sunriseOn(dayStart + 1);
    }

    const SunMoon now = at(0);
    const auto index = [&](Limb limb, int count) {
        return std::min(static_cast<int>(std::floor(LimbAngle(limb, now) / LimbStep(limb))), count - 1) + 1;
    };
    p.tithi = index(Limb::Tithi, 30);
    p.tithiElapsed = std::clamp(LimbAngle(Limb::Tithi, now) / 12 - (p.tithi - 1), 0.0, 1.0);
    p.karana = index(Limb::Karana, 60);
    p.nakshatra = index(Limb::Nakshatra, 27);
    p.pada = app::MoonPada(now.moon);
    p.yoga = index(Limb::Yoga, 27);

    p.karanaEnds = p.birth + endOf(Limb::Karana, now, at);
    // The second half of a tithi ends with it.
    p.tithiEnds = p.karana % 2 == 0 ? p.karanaEnds : p.birth + endOf(Limb::Tithi, now, at);
    p.nakshatraEnds = p.birth + endOf(Limb::Nakshatra, now, at);
    p.yogaEnds = p.birth + endOf(Limb::Yoga, now, at);
    return p;
}

Panchanga PanchangaOf(const app::ChartRecord& record, PanchangaPositions positions) {
    return ComputePanchanga(PanchangaBirthOf(record), positions, PanchangaPositionsOf(record, positions));
}

std::string ClockText(double julianDate, double clockOffsetDays) {
    // Whole minutes from the start of the Julian Day Number 0's civil day.
    const double minutes = std::round((julianDate + clockOffsetDays + 0.5) * 1440);
    const double dayNumber = std::floor(minutes / 1440);
    const int minuteOfDay = static_cast<int>(minutes - dayNumber * 1440);
    int year = 0, month = 0, day = 0;
    double fraction = 0;
    if (eraJd2cal(dayNumber, -0.25, &year, &month, &day, &fraction) != 0) return "no date";
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", year, month, day, minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

std::vector<std::string> PanchangaLines(const Panchanga& p) {
    const auto when = [&p](double t) { return ClockText(t, p.clockOffsetDays).replace(10, 1, " "); };
    const auto sunText = [&](const std::optional<double>& t, const char* verb) {
        if (t) return when(*t);
        if (!p.sun.placeOnTheEarth) return std::string("none (a latitude beyond 90 degrees is no place on the Earth)");
        return std::string("none that day (the Sun does not ") + verb + ")";
    };
    std::vector<std::string> lines;
    lines.push_back(p.positions == PanchangaPositions::Sky
                        ? "Panchanga (the sky at the true birth instant: apparent, Lahiri ayanamsa; the birth's clock)"
                        : "Panchanga (the chart's own Sun and Moon; the birth's clock)");
    lines.push_back("Sunrise:   " + sunText(p.sun.sunrise, "rise"));
    lines.push_back("Sunset:    " + sunText(p.sun.sunset, "set"));
    char percent[16];
    std::snprintf(percent, sizeof percent, "%.0f%%", std::floor(p.tithiElapsed * 100));
    lines.push_back("Tithi:     " + std::to_string(p.tithi) + " " + std::string(PakshaName(p.tithi)) + " " +
                    std::string(TithiName(p.tithi)) + ", " + percent + " elapsed, ends " + when(p.tithiEnds));
    std::string vara = "Vara:      " + std::to_string(p.vara) + " " +
                       std::string(VaraNames[static_cast<std::size_t>(p.vara - 1)]) + " (" +
                       std::string(WeekdayNames[static_cast<std::size_t>(p.vara - 1)]) + ")";
    if (p.beforeSunrise) vara += ", born before sunrise: the day before's";
    lines.push_back(vara);
    if (p.dayBegins && p.dayEnds) lines.push_back("Its day:   sunrise " + when(*p.dayBegins) + " to sunrise " + when(*p.dayEnds));
    lines.push_back("Nakshatra: " + std::to_string(p.nakshatra) + " " +
                    std::string(modVedicEphemeris::NakshatraNames[static_cast<std::size_t>(p.nakshatra - 1)]) +
                    ", pada " + std::to_string(p.pada) + ", ends " + when(p.nakshatraEnds));
    lines.push_back("Yoga:      " + std::to_string(p.yoga) + " " +
                    std::string(YogaNames[static_cast<std::size_t>(p.yoga - 1)]) + ", ends " + when(p.yogaEnds));
    lines.push_back("Karana:    " + std::to_string(p.karana) + " " + std::string(KaranaName(p.karana)) + ", ends " +
                    when(p.karanaEnds));
    return lines;
}

}  // namespace sky
