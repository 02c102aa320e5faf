// The command line's JSON and plain-text outputs: escapes, the chart's keys
// and values, the writer's layout, the export's lines and the zone list.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <cmath>
#include <random>

#include <algorithm>
#include <string>

#include <sstream>
#include <vector>

#include "app/ChartCalculation.h"
#include "app/DivisionalCharts.h"
#include "app/ZoneTable.h"
#include "astro/PlanetPositions.h"
#include "astro/TimeScales.h"
#include "charttext/DerivedText.h"
#ifdef VELORIN_WITH_CHECK
#include "sky/SkyChart.h"
#endif
#include "velorin-chart/ChartJson.h"
#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/Json.h"
#include "velorin-chart/TextOutput.h"

using namespace velorin_chart;

namespace {

app::ChartSession exampleSession() {
    app::ChartSession session;
    EXPECT_TRUE(app::RunCalculation(ExampleBirth(), session).accepted());
    return session;
}

TEST(JsonString, EscapesControlsQuotesAndInvalidBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "\"plain\""},
        {"29° 50' 6\" Sag", "\"29° 50' 6\\\" Sag\""},
        {"Asc\r\nKetu", "\"Asc\\r\\nKetu\""},
        {"back\\slash", "\"back\\\\slash\""},
        {std::string("\x01", 1), "\"\\u0001\""},
        {"\xff" "a", "\"\\ufffda\""},
        {"\xc3", "\"\\ufffd\""},          // truncated sequence
        {"\xed\xa0\x80", "\"\\ufffd\\ufffd\\ufffd\""},  // a surrogate is not UTF-8
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(JsonString(in), out);
}

TEST(FormatJson, ReferenceChartKeysAndValues) {
    const std::string json = FormatJson(exampleSession());
    const char* expected[] = {
        "\"NakshatraName\": \"Uttara Ashadha\"",
        "\"RashiName\": \"Dhanush\"",
        "\"MoonPositionText\": \"29° 50' 6\\\" Sag\"",
        "\"LagnaName\": \"Kataka\"",
        "\"AscendantText\": \"9° 52' 4\\\" Can\"",
        "\"ZoneListPosition\": 34",
        "\"IsEast\": true",
        "\"RetroFlags\": [true, false, false, false, true]",  // Mercury (until 17 May 1990) and Saturn
        "\"PlanetNameSanskrit\": [\"Surya\", \"Chandra\", \"Budha (R) \", \"Shukra\"",
        "\"SignBoxes\": [\"Budha (R) \", \"Surya\", \"Guru\", \"Asc\\r\\nKetu\"",
        "\"AyanamsaCorrection\": -23.7265",
    };
    for (const char* piece : expected) EXPECT_NE(json.find(piece), std::string::npos) << piece;
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

// Numbers are written as "%.17g" writes them, in every locale; the chart's
// numbers take a fast exact route, checked here against the general one.
TEST(JsonNumber, SeventeenSignificantDigitsExactlyAsTheGeneralRoutine) {
    const auto general = [](double value) {
        char buffer[64];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
        return std::string(buffer, written.ptr);
    };
    const double cases[] = {
        2447505.928004344, 2448026.7083333335, 365.25, -23.7265, 0.5, 1e-6, 9.999999999999999e15, 1e16, 1e-7,
        0.1, 0.30000000000000004, 123456789012345.67, 99999999999999999.0, 0.00012345, -0.0001, 1.0, 10.0, 100.0,
        1234567890123456.25, 1234567890123456.75,  // halfway at the 17th digit: to the even digit
        1234567890123455.25, 0.000123456789012345678, 5e-5, 4.9999999999999996e-5, 2.5, 7.0 / 3,
    };
    for (const double value : cases) EXPECT_EQ(JsonNumber(value), general(value)) << general(value);
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> exponent(-7, 17), sign(-1, 1);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::copysign(std::pow(10.0, exponent(random)), sign(random));
        ASSERT_EQ(JsonNumber(value), general(value)) << general(value);
    }
}

TEST(FormatJson, TheOptionalPartsCanBeLeftOut) {
    const app::ChartSession session = exampleSession();
    const std::string all = FormatJson(session, JsonLayout::OneLine);
    JsonExtras chartOnly;
    chartOnly.vargas = chartOnly.dasha = false;
    const std::string some = FormatJson(session, JsonLayout::OneLine, chartOnly);
    for (const char* part : {"\"DivisionalCharts\"", "\"Vimshottari\"", "\"YearDays\""}) {
        EXPECT_NE(all.find(part), std::string::npos) << part;
        EXPECT_EQ(some.find(part), std::string::npos) << part;
    }
    // What stays is the same text as in the whole line.
    EXPECT_EQ(some.substr(0, some.find("\"AnglesUniversalTime\"")), all.substr(0, all.find("\"DivisionalCharts\"")));
}

// Objects and arrays within each other, on one line and with the top
// object indented: the separators and brackets every JSON output relies on.
TEST(JsonWriter, NestsObjectsAndArraysInBothLayouts) {
    const auto write = [](JsonWriter::Layout layout) {
        std::string out;
        JsonWriter json(out);
        json.beginObject(layout).key("a").integer(1).key("b").beginArray().boolean(true).null().number(0.5).endArray();
        json.key("c").beginObject().key("d").strings(std::vector<std::string>{"x", "y"}).key("e").beginArray();
        json.endArray().endObject().key("f").raw("{\"g\": 2}").key("h").beginObject().endObject().endObject();
        return out;
    };
    EXPECT_EQ(write(JsonWriter::Layout::OneLine),
              R"({"a": 1, "b": [true, null, 0.5], "c": {"d": ["x", "y"], "e": []}, "f": {"g": 2}, "h": {}})");
    EXPECT_EQ(write(JsonWriter::Layout::Indented), "{\n  \"a\": 1,\n  \"b\": [true, null, 0.5],\n  \"c\": {\"d\": "
                                                   "[\"x\", \"y\"], \"e\": []},\n  \"f\": {\"g\": 2},\n  \"h\": {}\n}");
}

TEST(JsonReader, ReadsWhatTheWriterWrites) {
    std::string out;
    JsonWriter(out).beginObject().key("name").string("A \"q\" \\ \u00e9\t").key("n").integer(34).endObject();
    JsonReader reader(out);
    ASSERT_TRUE(reader.take('{'));
    EXPECT_EQ(reader.string(), "name");
    ASSERT_TRUE(reader.take(':'));
    EXPECT_EQ(reader.string(), "A \"q\" \\ \u00e9\t");
    ASSERT_TRUE(reader.take(','));
    EXPECT_EQ(reader.string(), "n");
    ASSERT_TRUE(reader.take(':'));
    EXPECT_EQ(reader.word(), "34");
    EXPECT_TRUE(reader.take('}'));
    EXPECT_TRUE(reader.atEnd());
}

TEST(FormatText, SeparatorLinesAreEmpty) {
    const std::string text = FormatText(exampleSession().record, app::EnglishMonthNames());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.find("Country: India\n\nPlanetary Position\n"), std::string::npos);
}

TEST(FormatZoneList, SeventyOneLines) {
    const std::string zones = FormatZoneList();
    EXPECT_EQ(std::count(zones.begin(), zones.end(), '\n'), 71);
    EXPECT_NE(zones.find("34\tIndian Time, IST, +5.3\n"), std::string::npos);
}

// What a message shows of a user's text: nothing that a terminal would act
// on, nothing longer than a line.
TEST(ShownOnTerminal, ControlsAndInvalidBytesEscapedLongTextsCut) {
    const std::pair<std::string, std::string> cases[] = {
        {"1990-05-15", "1990-05-15"},
        {"S\u00e3o Paulo", "S\u00e3o Paulo"},
        {"a\x1b[31mred", "a\\x1B[31mred"},
        {"line\nbreak\r", "line\\x0Abreak\\x0D"},
        {"\xff\xc3", "\\xFF\\xC3"},
        {"\u0085\u009b", "\\u0085\\u009B"},
        // Format characters: a right-to-left override, a zero-width joiner, a tag.
        {"Ravi\u202Egnp.exe", "Ravi\\u202Egnp.exe"}, {"a\u200Db\u2066", "a\\u200Db\\u2066"},
        {"x\U000E0041", "x\\U000E0041"}, {"\u05D0\u05D1", "\u05D0\u05D1"},
        {std::string(512, 'a'), std::string(512, 'a')},
        {std::string(100000, 'b'), std::string(512, 'b') + "... (100000 characters)"},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(ShownOnTerminal(text), shown) << text.substr(0, 20);
    const ParseResult parsed = ParseChartOptions({"--name", "A", "--date", "\x1b]0;owned\x07", "--time", "1:00", "--zone", "34"});
    EXPECT_EQ(parsed.usageError, "--date: expected YYYY-MM-DD, got '\\x1B]0;owned\\x07'");
}

}  // namespace

#ifdef VELORIN_WITH_CHECK
// One dasha path: for random births (zones on both sides of Greenwich, with
// and without daylight saving) and both positions (the chart's own rules and
// the sky's), the JSON's 90 periods and the text table's carry the same dates,
// and those are the model's periods from the right instant (the angles'
// universal time for the chart's positions, the planets' true instant for the
// sky's) written on the birth's own clock.
TEST(DashaPaths, TheJsonAndTheTableAreTheModelsPeriodsFromTheRightInstant) {
    std::mt19937 random(34);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    // In the order written: each period's "StartJD", "Start", "EndJD" and "End" of the JSON.
    const auto jsonPeriods = [](const std::string& json, std::vector<std::string>& dates, std::vector<double>& days) {
        for (std::size_t at = json.find("\"Vimshottari\""); (at = json.find("JD\": ", at)) != std::string::npos;) {
            days.push_back(std::strtod(json.c_str() + at + 5, nullptr));
            at = json.find(": \"", at) + 3;
            dates.push_back(json.substr(at, 10));
        }
    };
    const auto tableDates = [](const std::string& text) {
        std::vector<std::string> dates;
        std::istringstream lines(text.substr(text.find("Vimshottari dasha")));
        std::string line;
        std::getline(lines, line);
        while (std::getline(lines, line) && line.size() > 35) {
            dates.push_back(line.substr(line.size() - 23, 10));
            dates.push_back(line.substr(line.size() - 10, 10));
        }
        return dates;
    };
    int charts = 0;
    for (int i = 0; i < 40; ++i) {
        app::BirthFormValues form;
        form.txtName = "P";
        form.cboYear = pick(0, 149), form.cboMonth = pick(0, 11), form.cboDate = pick(0, 27);
        form.cboHour = pick(0, 23), form.cboMinute = pick(0, 59);
        form.cboTimeZone = pick(0, app::ZoneCount - 1);
        form.chkDST = pick(0, 1) == 1;
        form.txtLatDeg = std::to_string(pick(0, 60)), form.txtLatMin = "10";
        form.txtLonDeg = std::to_string(pick(0, 179)), form.txtLonMin = "20";
        form.optLongEast = pick(0, 1) == 1, form.optLongWest = !form.optLongEast;
        form.txtCity = form.txtState = form.txtCountry = "X";
        app::ChartSession session;
        ASSERT_TRUE(app::RunCalculation(form, session).accepted());
        for (const bool skyPositions : {false, true}) {
            app::ChartRecord r = session.record;
            if (skyPositions) {
                sky::SkyChartResult chart = sky::SkyChartOf(session.record);
                ASSERT_TRUE(chart.record) << chart.problem;
                r = *chart.record;
            }
            const astro::BirthData& b = r.birth;
            const double localDay = modVedicEphemeris::JulianDayFromDate(b.BirthMonth, b.BirthDay, b.BirthYear) - 0.5;
            double instant = localDay + modVedicEphemeris::UniversalTimeRule(b).utHours / 24;
            if (skyPositions) {
                // The entered clock less the zone's signed correction, less an hour of daylight saving.
                instant = localDay + (b.BirthHour + b.BirthMinute / 60.0 + b.ZoneHoursSigned + b.ZoneMinutesSigned / 60.0 -
                                      (b.IsDaylightSaving ? 1 : 0)) / 24;
            }
            const double clock = localDay + (b.BirthHour + b.BirthMinute / 60.0) / 24 - instant;
            std::vector<std::string> model;
            std::vector<double> modelDays;
            for (const app::DashaPeriod& maha :
                 app::VimshottariDashas(r.bodies.SiderealLongitude[astro::BodyIndex(astro::Body::Moon)], instant)) {
                std::vector<const app::DashaPeriod*> periods = {&maha};
                for (const app::DashaPeriod& antar : maha.Antardasha) periods.push_back(&antar);
                for (const app::DashaPeriod* period : periods) {
                    model.push_back(app::CalendarDateOfJulianDay(period->StartJD + clock));
                    model.push_back(app::CalendarDateOfJulianDay(period->EndJD + clock));
                    modelDays.insert(modelDays.end(), {period->StartJD, period->EndJD});
                }
            }
            ASSERT_EQ(model.size(), 180u);
            app::ChartSession shown = session;
            shown.record = r;
            std::vector<std::string> dates;
            std::vector<double> days;
            jsonPeriods(FormatJson(shown, JsonLayout::OneLine), dates, days);
            EXPECT_EQ(dates, model) << i << (skyPositions ? " sky" : "");
            // The numbers too (the writer keeps the texts of the boundaries it has just written).
            ASSERT_EQ(days.size(), modelDays.size()) << i;
            for (std::size_t k = 0; k < days.size(); ++k) {
                EXPECT_NEAR(days[k], modelDays[k], 1e-6) << i << (skyPositions ? " sky" : "") << " boundary " << k;
            }
            EXPECT_EQ(tableDates(charttext::FormatDerivedText(r, 1)), model) << i << (skyPositions ? " sky" : "");
            ++charts;
        }
    }
    EXPECT_EQ(charts, 80);
}
#endif
