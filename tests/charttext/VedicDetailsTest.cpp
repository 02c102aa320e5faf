// The Vedic details: the sub-periods and the balance at birth, the periods
// running on a day, and each body's row.
#include <gtest/gtest.h>

#include <cmath>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "astro/PositionText.h"
#include "charttext/VedicDetails.h"
#include "support/Forms.h"

using namespace charttext;

namespace {

app::ChartRecord referenceRecord() {
    const auto session = testdata::computedSession(testdata::referenceForm());
    EXPECT_TRUE(session.has_value());
    return session->record;
}

// A mahadasha after the first runs whole, so its sub-periods are the
// antardashas the dasha itself lays out (another routine, the one the JSON
// and the text write); the antardashas' own sub-periods fill them likewise.
TEST(SubPeriods, AreTheAntardashasOfAWholeMahadasha) {
    for (const double moon : {0.0, 13.4, 123.456, 299.99, 359.9}) {
        const std::vector<app::DashaPeriod> dashas = app::VimshottariDashas(moon, 2448000.5);
        for (std::size_t k = 1; k < dashas.size(); ++k) {
            const std::vector<app::DashaPeriod> parts = app::SubPeriods(dashas[k]);
            ASSERT_EQ(parts.size(), dashas[k].Antardasha.size()) << moon << " " << k;
            for (std::size_t a = 0; a < parts.size(); ++a) {
                EXPECT_EQ(parts[a].Lord, dashas[k].Antardasha[a].Lord) << moon << " " << k << " " << a;
                EXPECT_NEAR(parts[a].StartJD, dashas[k].Antardasha[a].StartJD, 1e-6) << moon << " " << k << " " << a;
                EXPECT_NEAR(parts[a].EndJD, dashas[k].Antardasha[a].EndJD, 1e-6) << moon << " " << k << " " << a;
            }
        }
        // Pratyantardashas: nine, end to end, from the antardasha's start to its end.
        const app::DashaPeriod& antar = dashas[3].Antardasha[4];
        const std::vector<app::DashaPeriod> small = app::SubPeriods(antar);
        ASSERT_EQ(small.size(), 9U);
        EXPECT_EQ(small.front().Lord, antar.Lord);
        EXPECT_DOUBLE_EQ(small.front().StartJD, antar.StartJD);
        EXPECT_DOUBLE_EQ(small.back().EndJD, antar.EndJD);
        for (std::size_t p = 1; p < small.size(); ++p) EXPECT_DOUBLE_EQ(small[p].StartJD, small[p - 1].EndJD);
    }
}

// Worked by hand: what is left of the first period, in years of 365.25
// days, months of a twelfth of one (30.4375 days) and whole days.
TEST(BalanceAtBirth, YearsMonthsAndDays) {
    const struct {
        double daysLeft;
        int years, months, days;
    } cases[] = {
        {0, 0, 0, 0},
        {3 * 365.25 + 4 * 30.4375 + 12, 3, 4, 12},
        {365.25 * 7 - 1, 6, 11, 29},  // a day short of seven years
        {30.4375, 0, 0, 30},          // 30.44 days round to 30, short of a month
        {31, 0, 1, 0},
    };
    for (const auto& c : cases) {
        app::DashaPeriod first;
        first.Lord = "Venus";
        first.StartJD = 2448000.5;
        first.EndJD = 2448000.5 + c.daysLeft;
        const app::DashaBalance balance = app::BalanceAtBirth(first, 2448000.5);
        EXPECT_EQ(balance.Lord, "Venus");
        EXPECT_EQ(balance.years, c.years) << c.daysLeft;
        EXPECT_EQ(balance.months, c.months) << c.daysLeft;
        EXPECT_EQ(balance.days, c.days) << c.daysLeft;
    }
}

TEST(RunningOn, MarksThePeriodsOfTheDay) {
    const app::ChartRecord r = referenceRecord();
    const VedicDetails atBirth = MakeVedicDetails(r, app::DashaInstantOf(r).julianDay);
    EXPECT_EQ(atBirth.today.maha, 0);
    // The day the fourth antardasha of the third mahadasha begins.
    const app::DashaPeriod& antar = atBirth.dashas[2].Antardasha[3];
    const VedicDetails then = MakeVedicDetails(r, antar.StartJD);
    EXPECT_EQ(then.today.maha, 2);
    EXPECT_EQ(then.today.antar, 3);
    EXPECT_EQ(then.today.pratyantar, 0);
    ASSERT_EQ(then.pratyantardashas.size(), 9U);
    EXPECT_EQ(then.pratyantardashas.front().Lord, antar.Lord);
    // Before the birth and after the last period nothing runs.
    for (const double outside : {atBirth.dashas.front().StartJD - 1, atBirth.dashas.back().EndJD + 1}) {
        const VedicDetails none = MakeVedicDetails(r, outside);
        EXPECT_EQ(none.today.maha, -1);
        EXPECT_TRUE(none.pratyantardashas.empty());
    }
    // The text marks the running periods, and only those.
    const std::string text = FormatVedicDetails(then);
    std::size_t marks = 0;
    for (std::size_t at = text.find("\n* "); at != std::string::npos; at = text.find("\n* ", at + 1)) ++marks;
    EXPECT_EQ(marks, 3U);
}

// Each row's degrees and sign make the chart's own long position text (the
// Lagna's is the Ascendant's text), and its nakshatra and pada follow the
// longitude: 13° 20' a nakshatra, 3° 20' a pada.
TEST(MakeVedicDetails, RowsFollowTheLongitudes) {
    const app::ChartRecord r = referenceRecord();
    const VedicDetails details = MakeVedicDetails(r, 2461000.5);
    ASSERT_EQ(details.rows.size(), 10U);
    EXPECT_EQ(details.rows[0].name, "Lagna / Asc");
    EXPECT_EQ(details.rows[0].degrees + " " + details.rows[0].sign.substr(details.rows[0].sign.size() - 4, 3),
              r.angles.AscendantText);
    const std::size_t bodies[] = {9, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    for (std::size_t row = 0; row < 10; ++row) {
        const double longitude = r.bodies.SiderealLongitude[bodies[row]];
        const BodyDetail& d = details.rows[row];
        const int nakshatra = static_cast<int>(std::floor(longitude / (40.0 / 3)));
        EXPECT_EQ(d.lord, app::DashaLords[static_cast<std::size_t>(nakshatra % 9)].name) << row;
        EXPECT_EQ(d.pada, static_cast<int>(std::floor(longitude / (10.0 / 3))) % 4 + 1) << row;
        const std::string text = modVedicPlanetPosition::FormatSignPosition(longitude);
        EXPECT_EQ(d.degrees + " " + text.substr(text.size() - 3), text) << row;
    }
    EXPECT_TRUE(details.rows[3].retrograde);  // Budha (R) in the reference chart
    EXPECT_EQ(details.rows[3].name, "Budha / Mercury");
    EXPECT_EQ(details.moonPada, app::MoonPada(r.bodies.SiderealLongitude[1]));
    EXPECT_EQ(details.positions, "Positions: the chart's own rules");
}

}  // namespace
