// The panchanga of a birth: the five limbs of the day at the birth instant
// (tithi, vara, nakshatra, yoga, karana), each with the instant it ends, and
// sunrise and sunset at the place on the birth's civil date.
//
// Positions: the sky's (Lahiri, apparent, at the true birth instant: what
// --sky uses, through ERFA's cheaper routines, see PanchangaSkySunMoon), or
// the chart's own rules' Sun and Moon (the chart record's, moved in time by
// the same rules). Sunrise and sunset always come from the sky.
//
// Conventions: instants as Julian Dates of universal time (UT1 taken as UTC);
// longitudes in degrees, 0 <= x < 360; the birth's clock runs
// clockOffsetDays ahead of universal time (its zone and daylight saving).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ChartRecord.h"
#include "sky/SkyPositions.h"

namespace sky {

// The names, in one place. Nakshatras are named by modVedicEphemeris::NakshatraNames.
inline constexpr std::array<std::string_view, 15> TithiNames = {
    "Pratipada", "Dwitiya", "Tritiya",  "Chaturthi", "Panchami",   "Shashthi",    "Saptami", "Ashtami",
    "Navami",    "Dashami", "Ekadashi", "Dwadashi",  "Trayodashi", "Chaturdashi", "Purnima"};
inline constexpr std::string_view NewMoonTithiName = "Amavasya";  // tithi 30
inline constexpr std::array<std::string_view, 2> PakshaNames = {"Shukla", "Krishna"};
inline constexpr std::array<std::string_view, 7> VaraNames = {"Ravivara",  "Somavara",   "Mangalavara", "Budhavara",
                                                              "Guruvara",  "Shukravara", "Shanivara"};
inline constexpr std::array<std::string_view, 7> WeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                                 "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::string_view, 27> YogaNames = {
    "Vishkambha", "Priti",    "Ayushman", "Saubhagya", "Shobhana", "Atiganda",  "Sukarma", "Dhriti",   "Shula",
    "Ganda",      "Vriddhi",  "Dhruva",   "Vyaghata",  "Harshana", "Vajra",     "Siddhi",  "Vyatipata", "Variyan",
    "Parigha",    "Shiva",    "Siddha",   "Sadhya",    "Shubha",   "Shukla",    "Brahma",  "Indra",    "Vaidhriti"};
// The seven moving karanas repeat eight times from the second half-tithi to
// the fifty-seventh; the four fixed ones take the first and the last three.
inline constexpr std::array<std::string_view, 7> MovingKaranaNames = {"Bava", "Balava", "Kaulava", "Taitila",
                                                                      "Gara", "Vanija", "Vishti"};
inline constexpr std::array<std::string_view, 4> FixedKaranaNames = {"Kimstughna", "Shakuni", "Chatushpada", "Naga"};

std::string_view TithiName(int tithi);    // 1..30
std::string_view PakshaName(int tithi);   // "Shukla" for 1..15, "Krishna" for 16..30
std::string_view KaranaName(int karana);  // 1..60: 1 Kimstughna, 2 Bava .. 57 Vishti, 58 Shakuni .. 60 Naga

// The Sun's and the Moon's sidereal longitudes, degrees.
struct SunMoon {
    double sun = 0;
    double moon = 0;
};

// The limbs found by an angle crossing a step, with the angle and its step.
enum class Limb { Tithi, Nakshatra, Yoga, Karana };
// Tithi and karana: the Moon's elongation from the Sun; nakshatra: the Moon;
// yoga: the sum of the two; all folded into 0..360.
double LimbAngle(Limb limb, const SunMoon& positions);
double LimbStep(Limb limb);  // degrees: 12, 13°20', 13°20', 6

enum class PanchangaPositions { Sky, Chart };

// The birth as the panchanga takes it.
struct PanchangaBirth {
    Instant instant;               // the true birth instant
    double eastLongitudeDeg = 0;   // the place
    double northLatitudeDeg = 0;
    double clockOffsetDays = 0;    // the birth's clock ahead of universal time
};

// The positions at a number of days from the birth instant (negative before).
using PositionsAt = std::function<SunMoon(double daysFromBirth)>;

// PanchangaSkySunMoon: the sky's sidereal Sun and Moon at an instant, as the
// panchanga computes them.
//   Method:  as SkyAt (apparent, Lahiri, the Moon from eraMoon98 with light
//            time and aberration) with ERFA's cheaper routines: the Earth from
//            eraPlan94's Earth-Moon barycentre less the Moon's share, and the
//            IAU 2000B nutation (eraNut00b).
//   Accuracy: the Sun within 8" of SkyAt's over 1901-2050 (eraPlan94), the
//            Moon within 0.01" (the nutation's 1 mas, the Earth's velocity).
SunMoon PanchangaSkySunMoon(const Instant& instant);

// The birth of a calculated chart: its true instant (the civil date and time
// with the zone's signed correction and daylight saving), the place, the clock.
PanchangaBirth PanchangaBirthOf(const app::ChartRecord& record);

// The positions the panchanga of a chart is computed from: the sky's
// (PanchangaSkySunMoon), or the chart's own rules' (the Sun from its orbital
// elements less the chart's ayanamsa, the Moon from its lunar series and its
// own ayanamsa), which at the birth are the record's Sun and Moon, each moved
// on from the instant its rule computes it for.
PositionsAt PanchangaPositionsOf(const app::ChartRecord& record, PanchangaPositions positions);

// Sunrise and sunset (universal-time Julian Dates) within a civil day: the
// Sun's upper limb on the horizon, with 34' of refraction, the Sun's
// semidiameter (959.63" at 1 AU) and its horizontal parallax; nothing where
// the Sun does not rise (or set) within that day, as within the polar circles.
struct SunTimes {
    std::optional<double> sunrise;
    std::optional<double> sunset;
    bool placeOnTheEarth = true;  // false beyond 90 degrees of latitude
};
// `dayStart`: the universal-time Julian Date at which the civil day begins
// (its local midnight); `deltaTSeconds`: TT - UT.
SunTimes SunriseAndSunset(double dayStart, double deltaTSeconds, double eastLongitudeDeg, double northLatitudeDeg);

struct Panchanga {
    PanchangaPositions positions = PanchangaPositions::Sky;
    double birth = 0;            // the true birth instant, UT Julian Date
    double clockOffsetDays = 0;  // the birth's clock ahead of UT
    SunTimes sun;                // on the birth's civil date, in its own clock
    int tithi = 1;               // 1..30: 1 Shukla Pratipada, 15 Purnima, 16 Krishna Pratipada, 30 Amavasya
    double tithiElapsed = 0;     // the part of the tithi gone at the birth, 0..1
    double tithiEnds = 0;
    int vara = 1;                // 1..7, 1 = Sunday; the day begins at sunrise
    bool beforeSunrise = false;  // born before the civil date's sunrise: the weekday before it
    // The day of the vara around the birth: from the sunrise before it to the
    // one after it (none where either is missing).
    std::optional<double> dayBegins, dayEnds;
    int nakshatra = 1;           // 1..27, 1 = Aswini
    int pada = 1;                // 1..4
    double nakshatraEnds = 0;
    int yoga = 1;                // 1..27
    double yogaEnds = 0;
    int karana = 1;              // 1..60, the half-tithi of the lunar month
    double karanaEnds = 0;
};

// ComputePanchanga: the panchanga of a birth from the positions given.
//   The limbs: the angles at the birth in their steps; each ends where its
//   angle reaches the next step, found on the same positions by a
//   safeguarded secant method within 1.5 days (every limb is shorter), to
//   0.01 s. The vara is the weekday of the birth's civil date, less one when
//   the birth comes before that date's sunrise (the weekday of the date
//   where the Sun does not rise that day).
Panchanga ComputePanchanga(const PanchangaBirth& birth, PanchangaPositions which, const PositionsAt& at);

// The panchanga of a calculated chart (PanchangaBirthOf, PanchangaPositionsOf).
Panchanga PanchangaOf(const app::ChartRecord& record, PanchangaPositions positions);

// "YYYY-MM-DDTHH:MM": a universal-time Julian Date in a clock running
// `clockOffsetDays` ahead of it, to the nearest minute.
std::string ClockText(double julianDate, double clockOffsetDays);

// The panchanga as lines of text (the command line's text output; a window
// may show them as they are).
std::vector<std::string> PanchangaLines(const Panchanga& panchanga);

}  // namespace sky
