// --place and --tz: what the atlas fills in, what the user's own options keep,
// and what the JSON says. The places are made up; the zones' history is the
// system's.
#include <gtest/gtest.h>

#include "app/ChartCalculation.h"
#include "app/TimeBases.h"
#include "app/ZoneTable.h"
#include "app/ChartTextExport.h"
#include "support/Forms.h"
#include "velorin-chart/Batch.h"
#include "velorin-chart/ChartJson.h"
#include "support/FakeAtlas.h"
#include "velorin-chart/PlaceOptions.h"

#include <sstream>

#ifdef VELORIN_TEST_ATLAS
#include "atlas/SystemAtlas.h"
#endif

using namespace velorin_chart;

namespace {

testdata::FakeAtlas FakeAtlas() {
    return testdata::FakeAtlas({
        testdata::MadePlace("Kolkata", "West Bengal", "India", "IN", "Asia/Kolkata", 22.56263, 88.36304, 4631392),
        testdata::MadePlace("London", "England", "United Kingdom", "GB", "Europe/London", 51.50853, -0.12574, 8961989),
        testdata::MadePlace("London", "Ontario", "Canada", "CA", "America/Toronto", 42.98339, -81.23304, 346765),
        testdata::MadePlace("Kathmandu", "Bagmati Province", "Nepal", "NP", "Asia/Kathmandu", 27.70169, 85.3206, 1442271),
    }, atlas::ZoneAt);
}

struct Applied {
    ChartOptions options;
    PlaceOutcome outcome;
};

Applied apply(std::vector<std::string> args) {
    const ParseResult parsed = ParseChartOptions(args);
    EXPECT_TRUE(parsed.ok()) << parsed.usageError;
    Applied applied{parsed.options, {}};
    applied.outcome = ApplyPlace(applied.options, FakeAtlas());
    return applied;
}

TEST(ApplyPlace, FillsTheFormFromThePlaceAndItsZoneAtTheBirth) {
    const Applied kolkata = apply({"--place", "Kolkata", "--date", "1943-01-01", "--time", "12:00", "--name", "A"});
    const app::BirthFormValues& f = kolkata.options.form;
    EXPECT_TRUE(kolkata.outcome.problem.empty()) << kolkata.outcome.problem;
    EXPECT_EQ((std::vector<std::string>{f.txtLatDeg, f.txtLatMin, f.txtLonDeg, f.txtLonMin}),
              (std::vector<std::string>{"22", "34", "88", "22"}));
    EXPECT_TRUE(f.optLatNorth && f.optLongEast);
    EXPECT_EQ((std::vector<std::string>{f.txtCity, f.txtState, f.txtCountry}),
              (std::vector<std::string>{"Kolkata", "West Bengal", "India"}));
    EXPECT_EQ(f.cboTimeZone, app::ZonePositionOf("IST"));
    EXPECT_TRUE(f.chkDST);  // war time, +6:30
    EXPECT_EQ(kolkata.outcome.note,
              "Kolkata, West Bengal, India: 22:34N 88:22E; Asia/Kolkata +6:30 with daylight saving on 1 January 1943 "
              "12:00: zone 34 Indian Time, daylight saving");

    // West of Greenwich in summer: Greenwich with daylight saving; the chart's two times agree.
    const Applied london = apply({"--place", "London, England", "--date", "1985-07-15", "--time", "14:00", "--name", "A"});
    EXPECT_EQ(london.options.form.cboTimeZone, app::ZonePositionOf("GMT"));
    EXPECT_TRUE(london.options.form.chkDST);
    EXPECT_TRUE(london.options.form.optLongWest);
    EXPECT_TRUE(london.outcome.remarks.empty());
    app::ChartSession session;
    ASSERT_TRUE(app::RunCalculation(london.options.form, session).accepted());
    EXPECT_DOUBLE_EQ(app::TimeBasesOf(session.record.birth).anglesHours, 13.0);
    EXPECT_FALSE(app::TimeBasesOf(session.record.birth).differ());
}

TEST(ApplyPlace, WithoutARightRowTheDateAndTimeBecomeUniversalTime) {
    const Applied kathmandu = apply({"--place", "Kathmandu", "--date", "1990-01-15", "--time", "0:10"});
    const app::BirthFormValues& f = kathmandu.options.form;
    EXPECT_EQ(f.cboTimeZone, app::ZonePositionOf("UT"));
    EXPECT_FALSE(f.chkDST);
    EXPECT_EQ((std::vector<int>{f.cboYear + app::FirstListYear, f.cboMonth + 1, f.cboDate + 1, f.cboHour, f.cboMinute}),
              (std::vector<int>{1990, 1, 14, 18, 25}));
    EXPECT_NE(kathmandu.outcome.json.find("\"UniversalTimeConversion\": true"), std::string::npos);
    // The time the client gave stays beside the time charted: in the JSON and on the chart's time line.
    EXPECT_NE(kathmandu.outcome.json.find("\"LocalDate\": \"1990-01-15\", \"LocalTime\": \"0:10\""), std::string::npos);
    EXPECT_EQ(kathmandu.outcome.localTimeGiven, "0:10 local, Asia/Kathmandu +5:45");
    app::BirthFormValues named = kathmandu.options.form;
    named.txtName = "A";
    std::optional<app::ChartSession> session = testdata::computedSession(named);
    ASSERT_TRUE(session);
    session->record.LocalTimeGiven = kathmandu.outcome.localTimeGiven;
    EXPECT_EQ(app::MakeExportLines(session->record, app::EnglishMonthNames())[2],
              "Time of Birth: 18 Hour 25 Minute (UT; 0:10 local, Asia/Kathmandu +5:45)");
    // Without a conversion the chart's time is the one given, and nothing is added.
    EXPECT_TRUE(apply({"--place", "Kolkata", "--date", "1990-05-15", "--time", "10:30"}).outcome.localTimeGiven.empty());
}

TEST(ApplyPlace, OptionsGivenByHandAreKeptAndAWrongResultIsSaid) {
    // The zone by hand: British Summer Time at a place west of Greenwich is not right.
    const Applied bst = apply({"--place", "London, England", "--zone", "BST", "--date", "1985-07-15", "--time", "14:00"});
    EXPECT_EQ(bst.options.form.cboTimeZone, app::ZonePositionOf("BST"));
    EXPECT_FALSE(bst.options.form.chkDST);
    ASSERT_EQ(bst.outcome.remarks.size(), 1u);
    EXPECT_NE(bst.outcome.remarks[0].find("does not give the birth's true instant"), std::string::npos);
    // A right one by hand says nothing.
    const Applied gmt = apply({"--place", "London, England", "--zone", "GMT", "--dst", "--date", "1985-07-15", "--time", "14:00"});
    EXPECT_TRUE(gmt.outcome.remarks.empty());
    // Coordinates and texts by hand win over the atlas's; the zone follows the longitude given.
    const Applied east = apply({"--place", "London, England", "--lon", "0:05E", "--city", "Greenwich", "--date", "1985-07-15",
                                "--time", "14:00"});
    EXPECT_EQ(east.options.form.txtCity, "Greenwich");
    EXPECT_EQ(east.options.form.txtState, "England");
    EXPECT_EQ(east.options.form.txtLonMin, "05");
    EXPECT_EQ(east.options.form.cboTimeZone, app::ZonePositionOf("BST"));
    EXPECT_FALSE(east.options.form.chkDST);
}

TEST(ApplyPlace, ADateThatDoesNotExistIsLeftToTheFormsCheck) {
    // 30 February in Nepal would need the conversion, which would make it 1 March.
    Applied missing = apply({"--place", "Kathmandu", "--date", "1990-02-30", "--time", "0:10", "--name", "A"});
    EXPECT_TRUE(missing.outcome.problem.empty());
    EXPECT_TRUE(missing.outcome.note.empty()) << missing.outcome.note;  // no zone was chosen for a date that is not
    EXPECT_EQ(missing.options.form.cboDate, 29);
    EXPECT_EQ(missing.options.form.cboMonth, 1);
    EXPECT_EQ(missing.options.form.txtCity, "Kathmandu");
    app::ChartSession session;
    const app::CalculationOutcome outcome = app::RunCalculation(missing.options.form, session);
    ASSERT_FALSE(outcome.accepted());
    EXPECT_EQ(outcome.problem->message, "Please Enter Correct Date Or Month!");
}

TEST(ApplyPlace, AZoneByHandIsWhatTheNoteAndTheJsonDescribe) {
    const Applied kept = apply({"--place", "Kathmandu", "--zone", "IST", "--date", "1901-01-01", "--time", "0:10"});
    ASSERT_TRUE(kept.outcome.problem.empty()) << kept.outcome.problem;  // nothing is converted, so 1900 does not matter
    EXPECT_EQ(kept.options.form.cboDate, 0);
    EXPECT_EQ(kept.options.form.cboHour, 0);
    EXPECT_NE(kept.outcome.note.find("zone 34 Indian Time, no daylight saving, as given"), std::string::npos)
        << kept.outcome.note;
    EXPECT_NE(kept.outcome.json.find("\"ZoneListPosition\": 34, \"UniversalTimeConversion\": false"), std::string::npos)
        << kept.outcome.json;
    ASSERT_EQ(kept.outcome.remarks.size(), 1u);
}

TEST(ApplyPlace, SeveralMatchesAndProblems) {
    const Applied london = apply({"--place", "London", "--date", "1985-07-15", "--time", "14:00"});
    EXPECT_EQ(london.options.form.txtState, "England");
    ASSERT_EQ(london.outcome.remarks.size(), 1u);
    EXPECT_NE(london.outcome.remarks[0].find("London, Ontario, Canada"), std::string::npos);

    EXPECT_EQ(apply({"--place", "Atlantis", "--date", "1985-07-15", "--time", "14:00"}).outcome.problem,
              "--place: no place in the atlas is called 'Atlantis'");
    EXPECT_EQ(apply({"--tz", "Mars/Olympus", "--lon", "1:00E", "--date", "1985-07-15", "--time", "14:00"}).outcome.problem,
              "--tz: 'Mars/Olympus' is not a time zone of the system's time-zone database, or its file cannot be read");
    EXPECT_NE(apply({"--place", "Kathmandu", "--date", "1901-01-01", "--time", "0:10"}).outcome.problem.find("1900"),
              std::string::npos);
}

TEST(ApplyPlace, TheJsonCarriesThePlaceUnderItsContractKeys) {
    const Applied kolkata = apply({"--place", "Kolkata", "--date", "1990-05-15", "--time", "10:30", "--name", "A"});
    EXPECT_EQ(kolkata.outcome.json,
              "{\"Name\": \"Kolkata\", \"State\": \"West Bengal\", \"Country\": \"India\", \"Latitude\": 22.56263, "
              "\"Longitude\": 88.36304, \"TimeZone\": \"Asia/Kolkata\", \"UtcOffsetMinutes\": 330, \"DaylightSaving\": false, "
              "\"ZoneListPosition\": 34, \"UniversalTimeConversion\": false, \"LocalDate\": \"1990-05-15\", "
              "\"LocalTime\": \"10:30\", \"Note\": \"" + kolkata.outcome.note + "\"}");
    app::ChartSession session;
    ASSERT_TRUE(app::RunCalculation(kolkata.options.form, session).accepted());
    const std::string chart = FormatJson(session, JsonLayout::OneLine, {std::nullopt, kolkata.outcome.json, {}});
    EXPECT_NE(chart.find("\"Place\": {\"Name\": \"Kolkata\""), std::string::npos);
}

TEST(FormatPlaceList, EveryMatchWithItsZoneAtTheBirth) {
    const ParseResult parsed = ParseChartOptions({"--place", "London", "--place-list", "--date", "1941-07-15", "--time", "14:00"});
    ASSERT_TRUE(parsed.ok()) << parsed.usageError;
    EXPECT_EQ(parsed.options.command, Command::PlaceList);
    std::string problem;
    EXPECT_EQ(FormatPlaceList(parsed.options, FakeAtlas(), problem),
              "London, England, United Kingdom: 51:31N 0:08W; Europe/London +2:00 daylight saving; 8961989 people\n"
              "London, Ontario, Canada: 42:59N 81:14W; America/Toronto -4:00 daylight saving; 346765 people\n");
}

TEST(BatchLine, APlaceAndAZoneByName) {
    const testdata::FakeAtlas atlas = FakeAtlas();
    const std::string kathmandu = ChartLineOfBatchLine(
        R"({"name": "A", "place": "Kathmandu", "date": "1990-01-15", "time": "0:10"})", 3, {false, &atlas, {}});
    EXPECT_EQ(kathmandu.rfind("{\"Line\": 3, ", 0), 0u) << kathmandu;
    for (const char* piece : {"\"BirthDay\": 14", "\"BirthHour\": 18", "\"City\": \"Kathmandu\"",
                              "\"Place\": {\"Name\": \"Kathmandu\"", "\"UniversalTimeConversion\": true"}) {
        EXPECT_NE(kathmandu.find(piece), std::string::npos) << piece;
    }
    const std::string zone = ChartLineOfBatchLine(
        R"({"name": "A", "tz": "Asia/Kolkata", "lat": "22.5626", "lon": "88.363", "date": "1990-05-15", "time": "10:30", )"
        R"("city": "Kolkata", "state": "West Bengal", "country": "India"})", 1,
        {false, &atlas, {}});
    EXPECT_NE(zone.find("\"ZoneListPosition\": 34"), std::string::npos) << zone;
    EXPECT_EQ(ChartLineOfBatchLine(R"({"place": "Atlantis", "date": "1990-01-15", "time": "0:10"})", 2, {false, &atlas, {}}),
              "{\"line\": 2, \"error\": \"--place: no place in the atlas is called 'Atlantis'\", \"status\": 2}\n");
}

}  // namespace

#ifdef VELORIN_TEST_ATLAS
// A batch of place lines on the real atlas: every line answered once, in
// order, on several threads, each with its own place (or its refusal).
TEST(RunBatch, PlaceLinesAreAnsweredInOrder) {
    const atlas::SystemAtlas data(VELORIN_TEST_ATLAS);
    const std::pair<const char*, const char*> places[] = {
        {"Pune", "\"Name\": \"Pune\""},          {"Bombay", "\"Name\": \"Mumbai\""},
        {"London, UK", "\"Name\": \"London\""},  {"New York, NY", "\"Name\": \"New York City\""},
        {"Qxzwv", "no place in the atlas is called 'Qxzwv'"}, {"Sydney, NSW", "\"Name\": \"Sydney\""},
    };
    std::string input;
    std::vector<std::string> wanted;
    for (int i = 0; i < 60; ++i) {
        const auto& [place, answer] = places[static_cast<std::size_t>(i * 7 % 6)];
        input += std::string(R"({"name": "P", "date": "1990-05-15", "time": "10:30", "place": ")") + place + "\"}\n";
        wanted.push_back(answer);
    }
    std::istringstream in(input);
    std::ostringstream out;
    BatchSettings settings;
    settings.jobs = 2;
    settings.blockLines = 7;
    settings.line.atlas = &data;
    ASSERT_TRUE(RunBatch(in, out, settings));
    std::istringstream answers(out.str());
    std::string line;
    std::size_t n = 0;
    while (std::getline(answers, line)) {
        ASSERT_LT(n, wanted.size());
        const std::string number = std::to_string(n + 1);
        EXPECT_TRUE(line.find("\"Line\": " + number + ",") != std::string::npos ||
                    line.find("\"line\": " + number + ",") != std::string::npos) << n << ": " << line.substr(0, 80);
        EXPECT_NE(line.find(wanted[n]), std::string::npos) << n << ": " << line.substr(0, 300);
        ++n;
    }
    EXPECT_EQ(n, wanted.size());
}
#endif
