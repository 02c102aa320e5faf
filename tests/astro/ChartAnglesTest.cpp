// Chart angles: the ayanamsa, ArcTangent2's quadrants, NormalizeDegrees, and the
// Ascendant and Midheaven of the reference case.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/ChartAngles.h"
#include "astro/PositionText.h"
#include "support/Births.h"

using namespace modVedicPlanetPosition;

namespace {

using testdata::referenceBirth;

TEST(AyanamsaDegrees, NegativeCorrectionAt1900And2000) {
    EXPECT_NEAR(AyanamsaDegrees(0), -22.46, 0.01);           // 80861.27" less nutation
    EXPECT_NEAR(AyanamsaDegrees(100.0 / 100.0), -23.86, 0.01);  // one century later
    // A birth at 0h UT on 1 January 1900 (day 2415021) has T = 0.5 / 36525.
    EXPECT_NEAR(AyanamsaDegrees(0.5 / 36525), AyanamsaDegrees(0), 1e-4);
}

TEST(ArcTangent2, QuadrantsAndTheAxes) {
    const double pi = Pi;
    struct Case {
        double y, x, expected;
    } const cases[] = {
        {1, 1, std::atan(1.0)},
        {1, -1, pi - std::atan(1.0)},
        {-1, -1, -(pi - std::atan(1.0))},
        {1, 0, pi / 2},
        {-1, 0, -pi / 2},
        {0, 0, 0},
        {0, -1, 0},  // y = 0 with x < 0 gives 0, not pi
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ArcTangent2(c.y, c.x), c.expected) << c.y << "," << c.x;
}

TEST(ArcTangent2, NegativeXGivesTheOuterHalfPlanes) {
    for (double y = -2; y <= 2; y += 0.25) {
        if (y == 0) continue;
        const double angle = ArcTangent2(y, -0.5) * RadToDeg;
        if (y > 0) {
            EXPECT_GT(angle, 90);
            EXPECT_LT(angle, 180);
        } else {
            EXPECT_GT(angle, -180);
            EXPECT_LT(angle, -90);
        }
    }
}

TEST(NormalizeDegrees, FoldsOnceEachWay) {
    const std::pair<double, double> cases[] = {{-13.85, 346.15}, {360, 360}, {370, 10}, {-10, 350}, {725, 365}};
    for (const auto& [in, out] : cases) EXPECT_DOUBLE_EQ(NormalizeDegrees(in), out) << in;
}

TEST(ComputeChartAngles, ReferenceCaseLagnaIsKataka) {
    ChartAngles angles;
    angles = ComputeChartAngles(referenceBirth());
    // The correction stays negative and is added to the tropical angles.
    EXPECT_LT(angles.AyanamsaCorrection, 0);
    EXPECT_NEAR(angles.AyanamsaCorrection, -23.73, 0.01);
    EXPECT_EQ(angles.AyanamsaText.substr(0, 1), "-");
    EXPECT_EQ(angles.AyanamsaText, "-23° 43' 35\"");
    EXPECT_EQ(angles.AscendantText, "9° 52' 4\" Can");
    EXPECT_EQ(angles.MidheavenText, "3° 4' 26\" Ari");
}

TEST(ComputeChartAngles, Year2000ShowsMinus23Degrees) {
    astro::BirthData b = referenceBirth();
    b.BirthYear = 2000;
    ChartAngles angles;
    angles = ComputeChartAngles(b);
    EXPECT_EQ(angles.AyanamsaText.substr(0, 5), "-23°");
}

TEST(ComputeChartAngles, EveryAscendantLiesInOneTurn) {
    // Sweep the day through all quadrants of the sidereal time at two latitudes.
    for (int hour = 0; hour <= 24; ++hour) {
        for (int lat : {0, 60}) {
            astro::BirthData b = referenceBirth();
            b.BirthHour = static_cast<std::int16_t>(hour);
            b.LatDegrees = static_cast<std::int16_t>(lat);
            ChartAngles angles;
            angles = ComputeChartAngles(b);
            ASSERT_GE(angles.AscendantText.size(), 3U);
            const std::string sign = angles.AscendantText.substr(angles.AscendantText.size() - 3);
            EXPECT_NE(std::string_view(SignAbbrevString).find(sign), std::string_view::npos) << angles.AscendantText;
        }
    }
}

TEST(ComputeChartAngles, NegativeUtFallsOnThePreviousDay) {
    // 01:00 at 5:30 east is -4.5 h UT on the same date: the same instant as
    // 19:30 UT of the day before, entered at longitude 0 with zone 0.
    astro::BirthData east = referenceBirth();
    east.BirthHour = 1;
    east.BirthMinute = 0;
    astro::BirthData west = east;
    west.BirthDay = 14;
    west.BirthHour = 19;
    west.BirthMinute = 30;
    west.ZoneHoursAbs = 0;
    west.ZoneMinutesAbs = 0;
    west.IsEast = false;
    west.LonDegrees = 77;
    west.LonMinutes = 12;
    ChartAngles a, b;
    a = ComputeChartAngles(east);
    b = ComputeChartAngles(west);
    EXPECT_NEAR(a.AyanamsaCorrection, b.AyanamsaCorrection, 1e-9);
}

}  // namespace
