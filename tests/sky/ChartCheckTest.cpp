// The check of a chart against the sky: what it compares and the notes it
// gives for each known cause of a difference.
#include "sky/ChartCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/DivisionalCharts.h"
#include "support/Forms.h"

namespace {

using astro::Body;
using astro::BodyIndex;

sky::ChartCheck checkOf(const app::BirthFormValues& form) {
    const std::optional<app::ChartSession> session = testdata::computedSession(form);
    EXPECT_TRUE(session.has_value());
    return session ? sky::CheckChart(session->record) : sky::ChartCheck{};
}

// London, 15 July 1985, 14:00 British Summer Time, 0:07 West.

bool hasNote(const sky::ChartCheck& check, std::string_view words) {
    return std::any_of(check.notes.begin(), check.notes.end(),
                       [&](const std::string& note) { return note.find(words) != std::string::npos; });
}

TEST(ArcminutesApart, TakesTheShortWayRound) {
    const struct {
        double chart, sky, apart;
    } cases[] = {{10, 9, 60}, {9, 10, -60}, {359.5, 0.5, -60}, {0.5, 359.5, 60}, {180, 0, 10800}, {0, 180, 10800},
                 {90, 90, 0}};
    for (const auto& c : cases) EXPECT_NEAR(sky::ArcminutesApart(c.chart, c.sky), c.apart, 1e-9) << c.chart << " " << c.sky;
}

TEST(CheckChart, SetsTheChartsOwnLongitudesBesideTheSkyAtTheTrueInstant) {
    const std::optional<app::ChartSession> session = testdata::computedSession(testdata::referenceForm());
    ASSERT_TRUE(session);
    const sky::ChartCheck check = sky::CheckChart(session->record);
    EXPECT_EQ(check.instant, "1990-05-15T05:00:00Z");  // 10:30 Indian Time
    EXPECT_NEAR(check.deltaTSeconds, 57.1, 0.5);
    EXPECT_NEAR(check.ayanamsa, 23.72, 0.01);
    for (std::size_t b = 0; b < astro::BodyCount; ++b) {
        const sky::BodyCheck& body = check.bodies[b];
        EXPECT_NEAR(body.chartLongitude, session->record.bodies.SiderealLongitude[b], 1e-9) << body.name;
        ASSERT_TRUE(body.skyLongitude && body.differenceArcmin) << body.name;
        EXPECT_NEAR(*body.differenceArcmin, sky::ArcminutesApart(body.chartLongitude, *body.skyLongitude), 1e-9);
        EXPECT_EQ(body.signDiffers, *body.skySign != body.chartSign) << body.name;
    }
    EXPECT_EQ(check.bodies[BodyIndex(Body::Ascendant)].name, "Ascendant");
    // Agreeing time bases: the Moon and the angles lie within a few minutes of arc of the sky.
    for (Body body : {Body::Moon, Body::Ascendant, Body::Midheaven}) {
        EXPECT_LT(std::fabs(*check.bodies[BodyIndex(body)].differenceArcmin), 3) << BodyIndex(body);
    }
    EXPECT_FALSE(hasNote(check, "hours apart"));
}

TEST(CheckChart, LondonInSummerTimeIsNotedAsTwoHoursApart) {
    const sky::ChartCheck check = checkOf(testdata::londonSummerForm());
    EXPECT_EQ(check.instant, "1985-07-15T13:00:00Z");
    EXPECT_TRUE(hasNote(check, "computed for 15.00 h universal time")) << check.notes.front();
    EXPECT_TRUE(hasNote(check, "the planets for 13.00 h"));
    EXPECT_TRUE(hasNote(check, "2.00 hours apart"));
    // Two hours late: the Moon about a degree ahead, the Ascendant tens of degrees.
    EXPECT_NEAR(*check.bodies[BodyIndex(Body::Moon)].differenceArcmin, 62, 10);
    EXPECT_GT(std::fabs(*check.bodies[BodyIndex(Body::Ascendant)].differenceArcmin), 600);
}

TEST(CheckChart, NamesThePlanetsFrameShiftForTheBirthYear) {
    const struct {
        int year;
        double shift;  // minutes of arc, about
    } cases[] = {{1925, 63}, {1975, 21}, {2025, -21}};
    for (const auto& c : cases) {
        const sky::ChartCheck check = checkOf(testdata::withDate(testdata::referenceForm(), 15, 5, c.year));
        EXPECT_TRUE(hasNote(check, "ecliptic and equinox of 2000")) << c.year;
        EXPECT_NEAR(*check.bodies[BodyIndex(Body::Sun)].differenceArcmin, c.shift, 3) << c.year;
        EXPECT_NEAR(*check.bodies[BodyIndex(Body::Rahu)].differenceArcmin, -55.4, 1) << c.year;
    }
}

TEST(CheckChart, NotesThePadaCaptionWhenItIsNotTheMoonsPada) {
    // The form's birth at every hour of a day: some captions agree with the
    // Moon's pada, some do not, and the note follows them.
    int noted = 0, agreed = 0;
    for (int hour = 0; hour < 24; ++hour) {
        app::BirthFormValues f = testdata::withDate(testdata::referenceForm(), 3, 1, 1977);
        f.cboHour = hour;
        const std::optional<app::ChartSession> session = testdata::computedSession(f);
        ASSERT_TRUE(session);
        const sky::ChartCheck check = sky::CheckChart(session->record);
        const int pada = app::MoonPada(session->record.bodies.SiderealLongitude[BodyIndex(Body::Moon)]);
        const bool differ = session->record.captions.PadaCaption != std::to_string(pada);
        EXPECT_EQ(hasNote(check, "not the Moon's pada"), differ) << hour;
        (differ ? noted : agreed)++;
    }
    EXPECT_GT(noted, 0);
    EXPECT_GT(agreed, 0);
}

TEST(CheckChart, NotesPolarLatitudesAndLatitudesThatAreNoPlace) {
    app::BirthFormValues polar = testdata::referenceForm();
    polar.txtLatDeg = "70";
    const sky::ChartCheck north = checkOf(polar);
    EXPECT_TRUE(hasNote(north, "inside the polar circle"));
    EXPECT_TRUE(north.bodies[BodyIndex(Body::Ascendant)].skyLongitude.has_value());

    app::BirthFormValues nowhere = testdata::referenceForm();
    nowhere.txtLatDeg = "95";
    const sky::ChartCheck beyond = checkOf(nowhere);
    EXPECT_TRUE(hasNote(beyond, "not a place on the Earth"));
    const sky::BodyCheck& ascendant = beyond.bodies[BodyIndex(Body::Ascendant)];
    EXPECT_FALSE(ascendant.skyLongitude || ascendant.differenceArcmin || ascendant.skySign);
    EXPECT_TRUE(beyond.bodies[BodyIndex(Body::Midheaven)].skyLongitude.has_value());

    EXPECT_FALSE(hasNote(checkOf(testdata::referenceForm()), "polar"));
}

TEST(CheckChart, WorksForTheFormsExtremes) {
    // The first and last minutes the form takes, the largest coordinates it
    // takes and a zone of half hours: every value finite.
    app::BirthFormValues first = testdata::withDate(testdata::referenceForm(), 1, 1, 1901);
    first.cboHour = 0;
    first.cboMinute = 0;
    app::BirthFormValues last = testdata::withDate(testdata::referenceForm(), 31, 12, 2050);
    last.cboHour = 23;
    last.cboMinute = 59;
    last.chkDST = true;
    app::BirthFormValues far = testdata::referenceForm();
    far.txtLonDeg = "999";
    far.txtLonMin = "99";
    far.txtLatDeg = "89";
    far.txtLatMin = "99";
    for (const app::BirthFormValues& form : {first, last, far}) {
        const sky::ChartCheck check = checkOf(form);
        for (const sky::BodyCheck& body : check.bodies) {
            EXPECT_TRUE(std::isfinite(body.chartLongitude)) << body.name;
            if (body.skyLongitude) {
                EXPECT_TRUE(std::isfinite(*body.differenceArcmin)) << body.name;
            }
        }
        EXPECT_FALSE(check.instant.empty());
    }
    EXPECT_TRUE(hasNote(checkOf(far), "beyond 180"));
}

}  // namespace
