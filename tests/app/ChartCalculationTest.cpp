// The calculation driver end to end: the reference chart, the captions, the
// sign boxes, the two time bases, and what a rejected input leaves alone.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "app/ChartCalculation.h"
#include "app/ZoneTable.h"
#include "support/Forms.h"

using namespace app;

namespace {

using testdata::referenceForm;

TEST(RunCalculation, ReferenceChartEndToEnd) {
    ChartSession session;
    BirthFormValues form = referenceForm();
    form.txtCity = " New Delhi ";
    form.txtState = "  Delhi ";
    form.txtCountry = " India  ";
    form.txtName = " Ravi ";
    const CalculationOutcome outcome = RunCalculation(form, session);
    ASSERT_TRUE(outcome.accepted());
    const ChartRecord& r = session.record;

    EXPECT_EQ(r.birth.BirthDay, 15);
    EXPECT_EQ(r.birth.BirthMonth, 5);
    EXPECT_EQ(r.birth.BirthYear, 1990);
    EXPECT_EQ(r.birth.ZoneHoursAbs, 5);
    EXPECT_EQ(r.birth.ZoneMinutesAbs, 30);
    EXPECT_EQ(r.birth.ZoneHoursSigned, -5);
    EXPECT_EQ(r.birth.ZoneMinutesSigned, -30);
    EXPECT_EQ(r.City, "New Delhi");  // trimmed
    EXPECT_EQ(r.State, "Delhi");
    EXPECT_EQ(r.Country, "India");
    EXPECT_EQ(r.BirthName, " Ravi ");  // as typed
    EXPECT_TRUE(r.birth.IsEast);
    EXPECT_FALSE(r.birth.IsSouth);

    EXPECT_EQ(r.moon.MoonPositionText, "29° 50' 6\" Sag");
    EXPECT_EQ(r.moon.NakshatraName, "Uttara Ashadha");
    EXPECT_EQ(r.moon.RashiName, "Dhanush");
    EXPECT_EQ(r.angles.AscendantText, "9° 52' 4\" Can");
    EXPECT_EQ(r.captions.AyanamsaCaption, "23° 43' 35\"");
    EXPECT_EQ(r.captions.AscSignAbbrev, "Can");
    EXPECT_EQ(r.captions.LagnaName, "Kataka");
    EXPECT_EQ(r.captions.NakshatraCaption, "Uttara Ashadha");
    EXPECT_EQ(r.captions.RashiCaption, "Dhanush");
    EXPECT_EQ(r.captions.NakshatraLord, "Sun");
    EXPECT_EQ(r.captions.PadaCaption, "1");

    const ChartWindowTexts& w = outcome.window;
    EXPECT_EQ(w.lblAyanamsha, "23° 43' 35\"");
    EXPECT_EQ(w.lblLagna, "Kataka");
    EXPECT_EQ(w.lblLord, "Sun");
    EXPECT_EQ(w.Planet[1], "29 Sag 50");
    EXPECT_EQ(w.Planet[9], "09 Can 52");
    EXPECT_EQ(w.lblPlanets[3], "Asc\r\nKetu");  // Cancer: the Ascendant first
    EXPECT_EQ(w.lblPlanets[8], "Chandra");      // Sagittarius
    EXPECT_EQ(w.lblPlanets[4], "");             // Leo is empty
}

TEST(MakeSignBoxes, AscFirstThenBodiesInOrderOnePerLine) {
    ChartRecord r;
    r.bodies.PlanetNameSanskrit = {"Surya", "Chandra", "Budha (R) ", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Ascendant", "Midheaven"};
    r.bodies.PlanetPositionText = {"10 Ari 00", "01 Tau 00", "20 Ari 00", "00 Gem 00", "xx Qqq 00",
                            "05 Lib 00", "05 Lib 01", "05 Cap 00", "05 Can 00", "10 Leo 00", "10 Leo 00"};
    r.captions.AscSignAbbrev = "Ari";
    const std::array<std::string, 12> boxes = MakeSignBoxes(r);
    EXPECT_EQ(boxes[0], "Asc\r\nSurya\r\nBudha (R) ");
    EXPECT_EQ(boxes[1], "Chandra");
    EXPECT_EQ(boxes[6], "Guru\r\nShani");
    EXPECT_EQ(boxes[4], "");  // the Ascendant and Midheaven entries are not placed
    for (const std::string& box : boxes) EXPECT_EQ(box.find("Mangala"), std::string::npos);  // no sign: not placed

    r.captions.AscSignAbbrev = "Xyz";
    EXPECT_EQ(MakeSignBoxes(r)[0], "Surya\r\nBudha (R) ");
}

TEST(RunCalculation, SecondCalculationClearsTheBoxes) {
    ChartSession session;
    ASSERT_TRUE(RunCalculation(referenceForm(), session).accepted());
    BirthFormValues later = referenceForm();
    later.cboYear = 2031 - FirstListYear;
    later.cboMonth = 10;
    const CalculationOutcome second = RunCalculation(later, session);
    ASSERT_TRUE(second.accepted());
    // Every name is placed exactly once: nothing is left from the first chart.
    std::map<std::string, int> placed;
    for (const std::string& box : second.window.lblPlanets) {
        std::size_t start = 0;
        while (start < box.size()) {
            std::size_t end = box.find("\r\n", start);
            if (end == std::string::npos) end = box.size();
            std::string name = box.substr(start, end - start);
            if (const std::size_t mark = name.find(" (R) "); mark != std::string::npos) name.resize(mark);
            ++placed[name];
            start = end + 2;
        }
    }
    const std::map<std::string, int> once = {{"Asc", 1},    {"Surya", 1}, {"Chandra", 1}, {"Budha", 1}, {"Shukra", 1},
                                             {"Mangala", 1}, {"Guru", 1},  {"Shani", 1},   {"Rahu", 1},  {"Ketu", 1}};
    EXPECT_EQ(placed, once);
    // The same input twice gives the same captions.
    const CalculationOutcome third = RunCalculation(later, session);
    EXPECT_EQ(third.window.lblPlanets, second.window.lblPlanets);
    EXPECT_EQ(third.window.Planet, second.window.Planet);
}

TEST(RunCalculation, RejectedInputChangesNothing) {
    ChartSession session;
    ASSERT_TRUE(RunCalculation(referenceForm(), session).accepted());
    const ChartRecord before = session.record;

    BirthFormValues bad = referenceForm();
    bad.txtName = "Other";
    bad.cboDate = 30;  // 31 February
    bad.cboMonth = 1;
    const CalculationOutcome outcome = RunCalculation(bad, session);
    ASSERT_FALSE(outcome.accepted());
    EXPECT_EQ(outcome.problem->message, "Please Enter Correct Date Or Month!");
    EXPECT_EQ(session.record.BirthName, before.BirthName);
    EXPECT_EQ(session.record.bodies.PlanetPositionText, before.bodies.PlanetPositionText);
}

TEST(RunCalculation, CoordinatesGoInUnchangedAndNonDigitsAreRefused) {
    ChartSession session;
    BirthFormValues f = referenceForm();
    f.txtLatDeg = "95";
    f.txtLatMin = "70";
    ASSERT_TRUE(RunCalculation(f, session).accepted());
    EXPECT_EQ(session.record.birth.LatDegrees, 95);
    EXPECT_EQ(session.record.birth.LatMinutes, 70);

    for (const char* text : {"1a", "-5", "1234", " 5"}) {
        BirthFormValues g = referenceForm();
        g.txtLonMin = text;
        const CalculationOutcome outcome = RunCalculation(g, session);
        ASSERT_FALSE(outcome.accepted()) << text;
        EXPECT_EQ(outcome.problem->message, "Please enter only numbers");
        EXPECT_EQ(outcome.problem->focus, FormControl::txtLonMin);
    }
}

TEST(RunCalculation, TheTwoTimeBasesStayApart) {
    // Indian Time with West selected: the angles and the Moon take the zone as
    // behind Greenwich (UT = 16:00), the planets add the signed correction
    // (UT = 05:00), so only the Moon and the Ascendant move.
    ChartSession east, west;
    BirthFormValues f = referenceForm();
    ASSERT_TRUE(RunCalculation(f, east).accepted());
    f.optLongEast = false;
    f.optLongWest = true;
    ASSERT_TRUE(RunCalculation(f, west).accepted());
    EXPECT_DOUBLE_EQ(east.moon.UniversalTime, 5.0);
    EXPECT_DOUBLE_EQ(west.moon.UniversalTime, 16.0);
    EXPECT_NE(east.record.moon.MoonPositionText, west.record.moon.MoonPositionText);
    EXPECT_NE(east.record.angles.AscendantText, west.record.angles.AscendantText);
    for (int body : {0, 2, 3, 4, 5, 6}) {
        EXPECT_EQ(east.record.bodies.PlanetPositionText[static_cast<std::size_t>(body)],
                  west.record.bodies.PlanetPositionText[static_cast<std::size_t>(body)])
            << body;
    }
}

TEST(RunCalculation, Hour24IsTheNextDayForThePlanetsAndTheSameInstantForTheMoon) {
    BirthFormValues late = referenceForm();
    late.cboHour = 24;
    late.cboMinute = 0;
    BirthFormValues nextMorning = referenceForm();
    nextMorning.cboDate = 15;  // 16 May
    nextMorning.cboHour = 0;
    nextMorning.cboMinute = 0;
    ChartSession a, b;
    ASSERT_TRUE(RunCalculation(late, a).accepted());
    ASSERT_TRUE(RunCalculation(nextMorning, b).accepted());
    EXPECT_EQ(a.record.bodies.PlanetPositionText, b.record.bodies.PlanetPositionText);
    EXPECT_NEAR(a.moon.JulianCenturies, b.moon.JulianCenturies, 1e-15);
}

TEST(MakeChartHeaderTexts, LoadStepTexts) {
    BirthFormValues form = testdata::puneForm();
    form.cboHour = 7;
    form.cboMinute = 5;
    form.txtLatMin = "0";
    const ChartHeaderTexts h = MakeChartHeaderTexts(testdata::computedSession(form).value().record, EnglishMonthNames());
    EXPECT_EQ(h.lblName, "Name: abc");
    EXPECT_EQ(h.lblDOB, "Date of Birth: March 5, 1980");
    EXPECT_EQ(h.lblTOB, "Time of Birth: 7 HH 5 MM ");
    EXPECT_EQ(h.lblLatitude, "Latitude: 18 Degree 0 Minute");
    EXPECT_EQ(h.lblLongitude, "Longitude: 73 Degree 51 Minute");
    EXPECT_EQ(h.lblCity, "City: Pune");
    EXPECT_EQ(h.lblState, "State: Maharashtra");
    EXPECT_EQ(h.lblCountry, "Country: India");
}

}  // namespace

namespace {

// Every chart the form can ask for: each year, hours 0 to 24, every zone,
// both hemispheres, degrees and minutes up to 999. Each gives finite numbers
// (the core asserts that in debug builds) and texts whose signs are signs.
TEST(RunCalculation, EveryAcceptedInputGivesASensibleChart) {
    const char* coordinates[][2] = {{"0", "0"}, {"28", "36"}, {"90", "0"}, {"999", "999"}};
    ChartSession session;
    int charts = 0;
    for (int year = 0; year < YearListSize; ++year) {
        for (int hour : {0, 7, 13, 23, 24}) {
            const int zone = (year * 7 + hour) % ZoneCount;
            for (const auto& lat : coordinates) {
                for (const bool southWest : {false, true}) {
                    BirthFormValues f = referenceForm();
                    f.cboYear = year;
                    f.cboMonth = year % 12;
                    f.cboDate = (year * 5) % 28;
                    f.cboHour = hour;
                    f.cboMinute = (year * 13) % 60;
                    f.cboTimeZone = zone;
                    f.chkDST = (year + hour) % 2 == 0;
                    f.txtLatDeg = lat[0];
                    f.txtLatMin = lat[1];
                    f.txtLonDeg = lat[1];
                    f.txtLonMin = lat[0];
                    f.optLatNorth = !southWest;
                    f.optLatSouth = southWest;
                    f.optLongEast = !southWest;
                    f.optLongWest = southWest;
                    const CalculationOutcome outcome = RunCalculation(f, session);
                    ASSERT_TRUE(outcome.accepted());
                    ++charts;
                    const ChartRecord& r = session.record;
                    ASSERT_TRUE(std::isfinite(r.angles.AyanamsaCorrection));
                    ASSERT_TRUE(std::isfinite(session.moon.MoonLongitude));
                    for (std::size_t b = 0; b < r.bodies.PlanetPositionText.size(); ++b) {
                        ASSERT_GE(SignIndexOf(r.bodies.PlanetPositionText[b].substr(3, 3)), 0)
                            << "year " << FirstListYear + year << " body " << b << ": " << r.bodies.PlanetPositionText[b];
                    }
                    ASSERT_FALSE(r.moon.NakshatraName.empty());
                    ASSERT_GE(SignIndexOf(r.captions.AscSignAbbrev), 0);
                }
            }
        }
    }
    EXPECT_EQ(charts, YearListSize * 5 * 4 * 2);
}

}  // namespace
