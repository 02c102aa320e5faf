// The check's own accuracy: the sky it computes against the Swiss Ephemeris
// (its JPL-based files; Lahiri ayanamsa, apparent positions, mean node) at
// random instants of 1901-2050 and places below 60 degrees of latitude.
// Optional (-DVELORIN_SWISS_COMPARISON=ON, needs libswe-dev and
// swe-basic-data): the ephemeris is used by this test only, never by the
// programs. Prints the mean and largest differences it measured.
#include <gtest/gtest.h>
#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "app/ZoneTable.h"
#include "astro/PlanetPositions.h"
#include "sky/SkyChart.h"
#include "sky/SkyPositions.h"

namespace {

using astro::Body;
using astro::BodyIndex;

struct Limit {
    Body body;
    int swissBody;           // -1: from the houses
    double arcseconds;       // the largest difference allowed
};

constexpr std::array<Limit, astro::BodyCount> Limits = {{
    {Body::Sun, SE_SUN, 10},
    {Body::Moon, SE_MOON, 30},
    {Body::Mercury, SE_MERCURY, 45},
    {Body::Venus, SE_VENUS, 45},
    {Body::Mars, SE_MARS, 120},
    {Body::Jupiter, SE_JUPITER, 120},
    {Body::Saturn, SE_SATURN, 120},
    {Body::Rahu, SE_MEAN_NODE, 10},
    {Body::Ketu, SE_MEAN_NODE, 10},
    {Body::Ascendant, -1, 30},
    {Body::Midheaven, -1, 30},
}};

// The true node's largest difference allowed: the osculating node of ERFA's
// lunar ephemeris against the Swiss Ephemeris' (JPL-based) one.
constexpr double TrueNodeArcseconds = 120;

double arcsecondsApart(double a, double b) { return std::remainder(a - b, 360.0) * 3600; }

TEST(SwissComparison, TheSkyMeetsItsFigures) {
    swe_set_ephe_path(const_cast<char*>(VELORIN_SWISS_EPHEMERIS));
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> year(1901, 2050), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    std::uniform_real_distribution<double> latitude(-60, 60), longitude(-180, 180);

    constexpr int Births = 5000;
    std::array<double, astro::BodyCount> largest{}, total{};
    double deltaTLargest = 0;
    for (int n = 0; n < Births; ++n) {
        const int y = year(random), mo = month(random), d = day(random), h = hour(random), mi = minute(random);
        const double lat = latitude(random), lon = longitude(random);
        const sky::Instant instant = sky::InstantOf(y, mo, d, h, mi);
        const sky::SkyLongitudes sky = sky::SkyAt(instant, lon, lat);
        const double jdUt = instant.ut1[0] + instant.ut1[1];
        deltaTLargest = std::fmax(deltaTLargest, std::fabs(swe_deltat(jdUt) * 86400 - instant.deltaTSeconds));

        double cusps[13], angles[10];
        char error[AS_MAXCH] = "";
        ASSERT_GE(swe_houses_ex(jdUt, SEFLG_SIDEREAL, lat, lon, 'P', cusps, angles), 0);
        for (const Limit& limit : Limits) {
            double swiss = 0;
            if (limit.swissBody >= 0) {
                double position[6];
                ASSERT_GE(swe_calc_ut(jdUt, limit.swissBody, SEFLG_SWIEPH | SEFLG_SIDEREAL, position, error), 0) << error;
                swiss = limit.body == Body::Ketu ? position[0] + 180 : position[0];
            } else {
                swiss = limit.body == Body::Ascendant ? angles[0] : angles[1];
            }
            const std::size_t b = BodyIndex(limit.body);
            const double apart = std::fabs(arcsecondsApart(*sky.sidereal[b], swiss));
            total[b] += apart;
            largest[b] = std::fmax(largest[b], apart);
        }
    }
    std::printf("%d random instants 1901-2050, latitudes below 60 degrees; delta T differs by up to %.1f s\n", Births,
                deltaTLargest);
    std::printf("| Body | mean | largest | allowed |\n|---|---|---|---|\n");
    for (const Limit& limit : Limits) {
        const std::size_t b = BodyIndex(limit.body);
        std::printf("| %s | %.1f\" | %.1f\" | %.0f\" |\n",
                    std::string(modVedicPlanetPosition::EnglishBodyNames[b]).c_str(), total[b] / Births, largest[b],
                    limit.arcseconds);
        EXPECT_LE(largest[b], limit.arcseconds) << "body " << b;
    }
}

// The true node (--node true) against the Swiss Ephemeris' true node
// (SE_TRUE_NODE, the osculating node) at random instants of 1901-2050.
TEST(SwissComparison, TheTrueNode) {
    swe_set_ephe_path(const_cast<char*>(VELORIN_SWISS_EPHEMERIS));
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    std::mt19937_64 random(20261211);
    std::uniform_int_distribution<int> year(1901, 2050), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    constexpr int Instants = 5000;
    double largest = 0, total = 0;
    for (int n = 0; n < Instants; ++n) {
        const sky::Instant instant = sky::InstantOf(year(random), month(random), day(random), hour(random), minute(random));
        const sky::SkyLongitudes sky = sky::SkyAt(instant, 0, 0, sky::NodeKind::True);
        double position[6];
        char error[AS_MAXCH] = "";
        ASSERT_GE(swe_calc_ut(instant.ut1[0] + instant.ut1[1], SE_TRUE_NODE, SEFLG_SWIEPH | SEFLG_SIDEREAL, position, error), 0)
            << error;
        const double apart = std::fabs(arcsecondsApart(*sky.sidereal[BodyIndex(Body::Rahu)], position[0]));
        total += apart;
        largest = std::fmax(largest, apart);
    }
    std::printf("true node at %d random instants: mean %.1f\", largest %.1f\" from the Swiss Ephemeris'\n", Instants,
                total / Instants, largest);
    EXPECT_LE(largest, TrueNodeArcseconds);
}

// The chart made from the sky (velorin-chart --sky) at random births of
// 1901-2050 (entered in Universal Time, places below 60 degrees): its
// longitudes within the same limits, and how often a sign, a nakshatra or a
// retrograde mark differs from the Swiss Ephemeris' (a body within the
// limits of a boundary, or a planet within hours of a station).
TEST(SwissComparison, TheSkyChartsSignsNakshatrasAndMarks) {
    swe_set_ephe_path(const_cast<char*>(VELORIN_SWISS_EPHEMERIS));
    swe_set_sid_mode(SE_SIDM_LAHIRI, 0, 0);
    std::mt19937_64 random(20261210);
    std::uniform_int_distribution<int> year(1901, 2050), month(1, 12), day(1, 28), hour(0, 23), minute(0, 59);
    std::uniform_int_distribution<int> latitude(0, 59), longitude(0, 179), arcminute(0, 59), side(0, 1);

    constexpr int Births = 5000;
    long signs = 0, nakshatras = 0, marks = 0, bodies = 0, planets = 0;
    for (int n = 0; n < Births; ++n) {
        app::BirthFormValues form;
        form.txtName = "Random";
        form.cboYear = year(random) - app::FirstListYear;
        form.cboMonth = month(random) - 1;
        form.cboDate = day(random) - 1;
        form.cboHour = hour(random);
        form.cboMinute = minute(random);
        form.cboTimeZone = app::ZonePositionOf("UT");
        form.txtLatDeg = std::to_string(latitude(random));
        form.txtLatMin = std::to_string(arcminute(random));
        form.txtLonDeg = std::to_string(longitude(random));
        form.txtLonMin = std::to_string(arcminute(random));
        form.optLatNorth = side(random) == 0;
        form.optLatSouth = !form.optLatNorth;
        form.optLongEast = side(random) == 0;
        form.optLongWest = !form.optLongEast;
        form.txtCity = form.txtState = form.txtCountry = "Random";
        app::ChartSession session;
        ASSERT_TRUE(app::RunCalculation(form, session).accepted());
        const sky::SkyChartResult chart = sky::SkyChartOf(session.record);
        ASSERT_TRUE(chart.record.has_value());
        const app::ChartRecord& r = *chart.record;

        const double jdUt = swe_julday(app::FirstListYear + form.cboYear, form.cboMonth + 1, form.cboDate + 1,
                                       form.cboHour + form.cboMinute / 60.0, SE_GREG_CAL);
        const double lat = (form.optLatSouth ? -1 : 1) * (std::stoi(form.txtLatDeg) + std::stoi(form.txtLatMin) / 60.0);
        const double lon = (form.optLongWest ? -1 : 1) * (std::stoi(form.txtLonDeg) + std::stoi(form.txtLonMin) / 60.0);
        double cusps[13], angles[10];
        char error[AS_MAXCH] = "";
        ASSERT_GE(swe_houses_ex(jdUt, SEFLG_SIDEREAL, lat, lon, 'P', cusps, angles), 0);
        for (const Limit& limit : Limits) {
            double position[6] = {};
            if (limit.swissBody >= 0) {
                ASSERT_GE(swe_calc_ut(jdUt, limit.swissBody, SEFLG_SWIEPH | SEFLG_SIDEREAL | SEFLG_SPEED, position, error), 0)
                    << error;
                if (limit.body == Body::Ketu) position[0] = std::fmod(position[0] + 180, 360.0);
            } else {
                position[0] = limit.body == Body::Ascendant ? angles[0] : angles[1];
            }
            const std::size_t b = BodyIndex(limit.body);
            const double ours = r.bodies.SiderealLongitude[b];
            EXPECT_LE(std::fabs(arcsecondsApart(ours, position[0])), limit.arcseconds) << "body " << b;
            ++bodies;
            signs += app::DivisionalSign(1, ours) != app::DivisionalSign(1, position[0]);
            nakshatras += modVedicEphemeris::NakshatraIndex(ours) != modVedicEphemeris::NakshatraIndex(position[0]);
            for (std::size_t i = 0; i < astro::RetrogradeBodies.size(); ++i) {
                if (astro::RetrogradeBodies[i] != limit.body) continue;
                ++planets;
                marks += r.RetroFlags[i] != (position[3] < 0);
            }
        }
    }
    std::printf("--sky at %d random births: of %ld bodies %ld in another sign and %ld in another nakshatra than the "
                "Swiss Ephemeris'; of %ld planets %ld with another retrograde mark\n",
                Births, bodies, signs, nakshatras, planets, marks);
    EXPECT_LE(signs, bodies / 1000);
    EXPECT_LE(nakshatras, bodies / 500);
    EXPECT_LE(marks, planets / 1000);
}

}  // namespace
