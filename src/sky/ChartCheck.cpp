#include "sky/ChartCheck.h"

#include <cmath>
#include <cstdio>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "app/TimeBases.h"
#include "astro/MoonChart.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"
#include "sky/SkyPositions.h"

namespace sky {

namespace {

using astro::Body;
using astro::BodyIndex;

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Minutes of arc with their sign: "+63.2'".
std::string arcminutes(double value) { return formatted("%+.1f'", value); }

// The notes: each known cause of a difference between the chart and the sky
// that applies to this chart.
std::vector<std::string> notesFor(const app::ChartRecord& record, const ChartCheck& check,
                                  const modVedicEphemeris::UniversalTimeResult& place, const Ayanamsa& ayanamsaAt2000) {
    std::vector<std::string> notes;
    const std::string timeBases = app::TimeBasesSentence(app::TimeBasesOf(record.birth));
    if (!timeBases.empty()) notes.push_back(timeBases);

    // Chart minus sky for the planets: longitudes on the equinox of 2000 less
    // the ayanamsa of the birth date, against the sky's of date less Lahiri's
    // of date, is Lahiri's ayanamsa of 2000 less the chart's of the date.
    const double frameShift = (ayanamsaAt2000.mean - check.chartAyanamsa) * 60;
    notes.push_back("The Sun, Mercury, Venus, Mars, Jupiter and Saturn are taken on the ecliptic and equinox of 2000"
                    " and made sidereal with the ayanamsa of the birth date: for this date that alone moves them " +
                    arcminutes(frameShift) + " from the sky (the user manual's section on accuracy gives it for"
                    " 1901-2050).");
    notes.push_back("Rahu and Ketu are placed one degree below the mean node (with the chart's own node formula,"
                    " about 55' below the sky's).");

    const int moonPada = app::MoonPada(record.bodies.SiderealLongitude[BodyIndex(Body::Moon)]);
    if (record.captions.PadaCaption != std::to_string(moonPada)) {
        notes.push_back("The chart's \"Pada\" caption (" + record.captions.PadaCaption +
                        ") is the number of the nakshatra's padas in its first sign, not the Moon's pada: the chart's"
                        " Moon is in pada " + std::to_string(moonPada) + ".");
    }

    const double latitude = place.latitudeNorthDeg;
    if (std::fabs(latitude) >= 90) {
        notes.push_back("A latitude of " + formatted("%.2f", std::fabs(latitude)) +
                        " degrees is not a place on the Earth: the sky has no Ascendant there.");
    } else if (std::fabs(latitude) > PolarLatitude) {
        notes.push_back("At " + formatted("%.2f", std::fabs(latitude)) +
                        " degrees of latitude, inside the polar circle, the ecliptic can run along the horizon:"
                        " the Ascendant can lie 180 degrees from the sky's rising point.");
    }
    if (std::fabs(place.longitudeWestDeg) > 180) {
        notes.push_back("A longitude of " + formatted("%.2f", std::fabs(place.longitudeWestDeg)) +
                        " degrees lies beyond 180: the sky takes it as the same meridian the other way round.");
    }
    return notes;
}

}  // namespace

double ArcminutesApart(double chartDegrees, double skyDegrees) {
    double apart = std::fmod((chartDegrees - skyDegrees) * 60, 21600.0);
    if (apart > 10800) apart -= 21600;
    if (apart <= -10800) apart += 21600;
    return apart;
}

ChartCheck CheckChart(const app::ChartRecord& record) {
    ChartCheck check;
    const astro::UniversalMinute universal = modVedicPlanetPosition::TrueUniversalTime(record.birth);
    const astro::CivilParts ut = astro::PartsOf(universal);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:00Z", astro::YearOf(ut.date), astro::MonthOf(ut.date),
                  astro::DayOf(ut.date), static_cast<int>(ut.time.hours().count()),
                  static_cast<int>(ut.time.minutes().count()));
    check.instant = text;
    const Instant instant = InstantOf(universal);
    check.deltaTSeconds = instant.deltaTSeconds;

    const modVedicEphemeris::UniversalTimeResult place = modVedicEphemeris::UniversalTimeRule(record.birth);
    const SkyLongitudes skyNow = SkyAt(instant, -place.longitudeWestDeg, place.latitudeNorthDeg);
    check.ayanamsa = skyNow.ayanamsa.apparent;
    check.chartAyanamsa = std::fabs(record.angles.AyanamsaCorrection);

    const std::array<int, astro::BodyCount> shownSigns = app::RashiSigns(record);
    for (std::size_t b = 0; b < astro::BodyCount; ++b) {
        BodyCheck& body = check.bodies[b];
        body.name = std::string(modVedicPlanetPosition::EnglishBodyNames[b]);
        body.chartLongitude = FoldDegrees(record.bodies.SiderealLongitude[b]);
        // The Midheaven is placed in no box: its sign is its longitude's.
        body.chartSign = b == BodyIndex(Body::Midheaven) ? app::DivisionalSign(1, body.chartLongitude) : shownSigns[b];
        body.chartNakshatra = modVedicEphemeris::NakshatraIndex(body.chartLongitude);
        body.skyLongitude = skyNow.sidereal[b];
        if (!body.skyLongitude) continue;
        body.differenceArcmin = ArcminutesApart(body.chartLongitude, *body.skyLongitude);
        body.skySign = app::DivisionalSign(1, *body.skyLongitude);
        body.signDiffers = *body.skySign != body.chartSign;
        body.skyNakshatra = modVedicEphemeris::NakshatraIndex(*body.skyLongitude);
        body.nakshatraDiffers = *body.skyNakshatra != body.chartNakshatra;
    }

    // The notes name the chart's own rules as causes; a chart made from the
    // sky (--sky) follows none of them.
    if (record.SkyPositions) return check;
    const Instant j2000 = {{2451545.0, 0}, {2451545.0, 0}, 0};
    check.notes = notesFor(record, check, place, LahiriAyanamsa(j2000));
    return check;
}

}  // namespace sky
