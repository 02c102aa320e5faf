// The Moon: the lunar series, its ayanamsa, nakshatra and rashi, and the
// 15 May 1990 reference case end to end.
#include <gtest/gtest.h>

#include "astro/MoonChart.h"
#include "astro/TimeScales.h"
#include "support/Births.h"

using namespace modVedicEphemeris;

namespace {

using testdata::referenceBirth;

TEST(MoonLongitudeSeries, WorkedExamples) {
    // 12 April 1992, 0h (T as written); the reference instant as written and exact.
    EXPECT_NEAR(MoonLongitudeSeries(-0.077221081451), 133.1581, 5e-5);
    EXPECT_NEAR(MoonLongitudeSeries(-0.0963255761), 293.561289, 5e-7);
    const double exactT = CenturiesSinceJ2000(2448027, 5.0);
    EXPECT_NEAR(MoonLongitudeSeries(exactT), 293.561294, 5e-7);
}

TEST(MoonLongitudeSeries, AlwaysFoldedIntoOneTurn) {
    // Far before and after 2000 the sum is brought into range by whole turns.
    for (double T = -30; T <= 30; T += 0.37) {
        const double lambda = MoonLongitudeSeries(T);
        EXPECT_GE(lambda, 0) << T;
        EXPECT_LE(lambda, 360) << T;
    }
}

TEST(AyanamsaOfDate, ValuesAtEpochAndReferenceInstant) {
    EXPECT_NEAR(AyanamsaOfDate(0), -23.8537, 5e-5);
    EXPECT_NEAR(AyanamsaOfDate(CenturiesSinceJ2000(2448027, 5.0)), -23.726141, 5e-7);
}

TEST(NakshatraIndex, BoundariesBelongToTheLaterNakshatra) {
    const std::pair<double, const char*> cases[] = {
        {0, "Aswini"},          {13.333333, "Aswini"},  {40, "Rohini"},  // q = 3 exactly
        {39.999999, "Krittika"}, {359.99, "Revati"},    {269.835153, "Uttara Ashadha"},
    };
    for (const auto& [longitude, name] : cases) {
        EXPECT_EQ(NakshatraNames[static_cast<std::size_t>(NakshatraIndex(longitude))], name) << longitude;
    }
}

TEST(ComputeMoonChart, ReferenceCase15May1990) {
    MoonWorkingValues work;
    MoonChart moon;
    ComputeMoonChart(referenceBirth(), work, moon);
    EXPECT_DOUBLE_EQ(work.UniversalTime, 5.0);
    EXPECT_EQ(work.BirthJDN, 2448027);
    EXPECT_NEAR(work.JulianCenturies, -0.0963255761, 1e-10);
    EXPECT_NEAR(work.MoonAyanamsa, -23.726141, 5e-7);
    EXPECT_NEAR(work.TropicalMoonLongitude, 293.561294, 5e-7);
    EXPECT_NEAR(work.MoonLongitude, 269.835153, 5e-7);
    EXPECT_EQ(moon.MoonPositionText, "29° 50' 6\" Sag");
    EXPECT_EQ(moon.NakshatraName, "Uttara Ashadha");
    EXPECT_EQ(moon.RashiName, "Dhanush");
}

TEST(ComputeMoonChart, DaylightSavingMovesTheInstantByOneHourEachWay) {
    struct Case {
        bool east;
        double expectedShift;  // change of UT when daylight saving is ticked
    } const cases[] = {{true, -1.0}, {false, -1.0}};
    for (const Case& c : cases) {
        astro::BirthData plain = referenceBirth();
        plain.IsEast = c.east;
        astro::BirthData dst = plain;
        dst.IsDaylightSaving = true;
        MoonWorkingValues a, b;
        MoonChart ma, mb;
        ComputeMoonChart(plain, a, ma);
        ComputeMoonChart(dst, b, mb);
        EXPECT_DOUBLE_EQ(b.UniversalTime - a.UniversalTime, c.expectedShift) << c.east;
    }
}

TEST(ComputeMoonChart, SameInputsSameResults) {
    MoonWorkingValues a, b;
    MoonChart ma, mb;
    ComputeMoonChart(referenceBirth(), a, ma);
    ComputeMoonChart(referenceBirth(), b, mb);
    EXPECT_EQ(a.MoonLongitude, b.MoonLongitude);
    EXPECT_EQ(ma.MoonPositionText, mb.MoonPositionText);
}

}  // namespace
