// The chart made from the sky's positions (velorin-chart --sky).
#include <gtest/gtest.h>

#include <cmath>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "app/ZoneTable.h"
#include "sky/ChartCheck.h"
#include "sky/SkyChart.h"
#include "support/Forms.h"

namespace {

using astro::Body;
using astro::BodyIndex;

app::ChartRecord skyRecordOf(const app::BirthFormValues& form) {
    app::ChartSession session;
    EXPECT_TRUE(app::RunCalculation(form, session).accepted());
    const sky::SkyChartResult sky = sky::SkyChartOf(session.record);
    EXPECT_TRUE(sky.record.has_value()) << sky.problem;
    return sky.record.value_or(app::ChartRecord{});
}

// The reference birth (15 May 1990, 10:30 IST = 05:00 UT, 28:36N 77:12E)
// against the Swiss Ephemeris (its JPL-based files, swe_calc_ut with
// SEFLG_SWIEPH | SEFLG_SIDEREAL, Lahiri; the Ascendant and Midheaven from
// swe_houses_ex), as a ten-line program printed them; the tolerances are those
// the optional comparison holds the sky to.
TEST(SkyChartOf, TheReferenceBirthAsAnIndependentEphemerisHasIt) {
    const app::ChartRecord r = skyRecordOf(testdata::referenceForm());
    EXPECT_TRUE(r.SkyPositions);
    const struct {
        Body body;
        double swiss, arcseconds;
    } expected[] = {
        {Body::Sun, 30.389071, 10},      {Body::Moon, 269.842436, 30},    {Body::Mercury, 14.324952, 45},
        {Body::Venus, 348.759904, 45},   {Body::Mars, 324.391417, 120},   {Body::Jupiter, 75.760826, 120},
        {Body::Saturn, 271.528480, 120}, {Body::Rahu, 287.628795, 10},    {Body::Ketu, 107.628795, 10},
        {Body::Ascendant, 99.871521, 30}, {Body::Midheaven, 3.078054, 30},
    };
    for (const auto& e : expected) {
        const double apart = std::remainder(r.bodies.SiderealLongitude[BodyIndex(e.body)] - e.swiss, 360.0) * 3600;
        EXPECT_LE(std::fabs(apart), e.arcseconds) << static_cast<int>(e.body);
    }
    // The texts follow by the chart's rules: the Sun has crossed into Taurus,
    // which the chart's own positions (29 Ari) do not show.
    EXPECT_EQ(r.bodies.PlanetPositionText[BodyIndex(Body::Sun)], "00 Tau 23");
    EXPECT_EQ(app::MakeSignBoxes(r)[1], "Surya");
    EXPECT_EQ(r.moon.NakshatraName, "Uttara Ashadha");
    EXPECT_EQ(r.moon.RashiName, "Dhanush");
    EXPECT_EQ(r.captions.LagnaName, "Kataka");
    EXPECT_EQ(r.captions.AyanamsaCaption, "23\u00b0 43' 32\"");
    // Mercury and Saturn move backwards in the Swiss Ephemeris too (speeds -0.142 and -0.016 degrees a day).
    EXPECT_EQ(r.RetroFlags, (std::array<bool, 5>{true, false, false, false, true}));
    EXPECT_EQ(r.bodies.PlanetNameSanskrit[BodyIndex(Body::Mercury)], "Budha (R) ");
    // Set beside the sky it lies on it, and no note names the chart's own rules as a cause.
    const sky::ChartCheck check = sky::CheckChart(r);
    for (const sky::BodyCheck& body : check.bodies) EXPECT_NEAR(*body.differenceArcmin, 0, 1e-6) << body.name;
    EXPECT_TRUE(check.notes.empty());
}

TEST(SkyChartOf, TheTrueNodeAsAnIndependentEphemerisHasIt) {
    app::ChartSession session;
    ASSERT_TRUE(app::RunCalculation(testdata::referenceForm(), session).accepted());
    const sky::SkyChartResult chart = sky::SkyChartOf(session.record, sky::NodeKind::True);
    ASSERT_TRUE(chart.record.has_value());
    EXPECT_TRUE(chart.record->SkyTrueNode);
    // The Swiss Ephemeris' true node (SE_TRUE_NODE) at 05:00 UT on 15 May 1990:
    // 286.540193; the mean node is 287.628795, 65' away, so the node followed matters.
    // Held to 90", the largest distance the comparison at 5000 instants found (85.9").
    const double rahu = chart.record->bodies.SiderealLongitude[BodyIndex(Body::Rahu)];
    EXPECT_LE(std::fabs(std::remainder(rahu - 286.540193, 360.0)) * 3600, 90);
    const double ketu = chart.record->bodies.SiderealLongitude[BodyIndex(Body::Ketu)];
    EXPECT_LE(std::fabs(std::remainder(ketu - 106.540193, 360.0)) * 3600, 90);
}

// Mercury stood still on 17 May 1990 at about 2:10 UT (the Swiss Ephemeris'
// speed changes sign between 2:00 and 2:10): retrograde twelve hours before,
// direct twelve hours after.
TEST(SkyChartOf, TheRetrogradeMarkChangesAtAStation) {
    app::BirthFormValues form = testdata::referenceForm();
    form.cboTimeZone = app::ZonePositionOf("UT");
    form.cboDate = 16 - 1;
    form.cboHour = 14;
    form.cboMinute = 0;
    EXPECT_TRUE(skyRecordOf(form).RetroFlags[0]);
    form.cboDate = 17 - 1;
    EXPECT_FALSE(skyRecordOf(form).RetroFlags[0]);
}

TEST(SkyChartOf, TheDashaIsDatedFromTheTrueInstant) {
    // London in British Summer Time, west of Greenwich: the chart's Moon and
    // dasha are for two hours later than the birth; the sky's are for the birth.
    app::BirthFormValues form = testdata::referenceForm();
    form.cboTimeZone = app::ZonePositionOf("BST");
    form.txtLonDeg = "0";
    form.txtLonMin = "7";
    form.optLongEast = false;
    form.optLongWest = true;
    app::ChartSession session;
    ASSERT_TRUE(app::RunCalculation(form, session).accepted());
    const app::ChartRecord sky = skyRecordOf(form);
    // 10:30 BST is 09:30 UT on 15 May 1990 (JD 2448026.8958...).
    EXPECT_NEAR(app::DashaInstantOf(sky).julianDay, 2448026.5 + 9.5 / 24, 1e-9);
    EXPECT_NEAR(app::DashaInstantOf(session.record).julianDay - app::DashaInstantOf(sky).julianDay, 2.0 / 24, 1e-9);
    EXPECT_NEAR(app::DashaInstantOf(sky).clockOffsetDays, 1.0 / 24, 1e-9);
}

TEST(SkyChartOf, NoAscendantWhereTheLatitudeIsNoPlace) {
    app::BirthFormValues form = testdata::referenceForm();
    form.txtLatDeg = "95";
    app::ChartSession session;
    ASSERT_TRUE(app::RunCalculation(form, session).accepted());
    const sky::SkyChartResult sky = sky::SkyChartOf(session.record);
    EXPECT_FALSE(sky.record.has_value());
    EXPECT_EQ(sky.problem, "the sky has no Ascendant at a latitude of 90 degrees or more");
}

TEST(IsDecreasing, TheShortWayRoundAcrossZero) {
    EXPECT_TRUE(sky::IsDecreasing(0.5, 359.9));
    EXPECT_FALSE(sky::IsDecreasing(359.9, 0.5));
    EXPECT_TRUE(sky::IsDecreasing(20.0, 19.99));
    EXPECT_FALSE(sky::IsDecreasing(19.99, 19.99));
}

}  // namespace
