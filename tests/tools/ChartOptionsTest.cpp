// The command line's option parser: what parses, what is a usage error.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include <tuple>

#include "app/ChartFile.h"
#include "support/Forms.h"
#include "velorin-chart/ChartOptions.h"
#include "velorin-chart/FileOutput.h"

using namespace velorin_chart;

namespace {

std::vector<std::string> referenceArgs() {
    return {"--name", "Ravi", "--date", "1990-05-15", "--time", "10:30", "--zone", "34", "--lat", "28:36N",
            "--lon", "77:12E", "--city", "New Delhi", "--state", "Delhi", "--country", "India"};
}

// The reference arguments with option `name` removed (with its value), then `extra` added.
std::vector<std::string> replaced(const std::string& name, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = referenceArgs();
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (args[i] == name) args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    }
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(ParseChartOptions, ReferenceBirthBecomesTheFormValues) {
    const ParseResult r = ParseChartOptions(referenceArgs());
    ASSERT_TRUE(r.ok()) << r.usageError;
    const app::BirthFormValues& f = r.options.form;
    EXPECT_EQ(r.options.command, Command::Chart);
    EXPECT_EQ(f.cboDate, 14);
    EXPECT_EQ(f.cboMonth, 4);
    EXPECT_EQ(f.cboYear, 89);
    EXPECT_EQ(f.cboHour, 10);
    EXPECT_EQ(f.cboMinute, 30);
    EXPECT_EQ(f.cboTimeZone, 34);
    EXPECT_EQ(f.txtLatDeg, "28");
    EXPECT_EQ(f.txtLatMin, "36");
    EXPECT_TRUE(f.optLatNorth);
    EXPECT_FALSE(f.optLatSouth);
    EXPECT_TRUE(f.optLongEast);
    EXPECT_EQ(f.txtCity, "New Delhi");
    EXPECT_FALSE(f.chkDST);
}

TEST(ParseChartOptions, ValuesTheFormAcceptsPass) {
    const std::vector<std::pair<std::vector<std::string>, void (*)(const app::BirthFormValues&)>> cases = {
        {{"--lat", "95:70S"}, [](const app::BirthFormValues& f) { EXPECT_EQ(f.txtLatDeg, "95"); EXPECT_TRUE(f.optLatSouth); }},
        {{"--lon=0:0W"}, [](const app::BirthFormValues& f) { EXPECT_TRUE(f.optLongWest); EXPECT_FALSE(f.optLongEast); }},
        {{"--lat", "18:31"}, [](const app::BirthFormValues& f) { EXPECT_FALSE(f.optLatNorth || f.optLatSouth); }},
        {{"--time", "24:0"}, [](const app::BirthFormValues& f) { EXPECT_EQ(f.cboHour, 24); }},
        {{"--dst"}, [](const app::BirthFormValues& f) { EXPECT_TRUE(f.chkDST); }},
        {{"--date", "2050-12-31"}, [](const app::BirthFormValues& f) { EXPECT_EQ(f.cboYear, 149); }},
    };
    for (const auto& [extra, check] : cases) {
        const ParseResult r = ParseChartOptions(replaced(extra[0].substr(0, extra[0].find('=')), extra));
        ASSERT_TRUE(r.ok()) << extra[0] << ": " << r.usageError;
        check(r.options.form);
    }
}

TEST(ParseChartOptions, MalformedOptionsAreUsageErrorsNamingTheOption) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"--date", "1990-5-15"}, "--date"},
        {{"--date", "1850-05-15"}, "--date"},
        {{"--date", "1990-13-01"}, "--date"},
        {{"--date", "1990-05-32"}, "--date"},
        {{"--time", "25:00"}, "--time"},
        {{"--time", "10:60"}, "--time"},
        {{"--time", "ten"}, "--time"},
        {{"--zone", "71"}, "--zone"},
        {{"--zone", "-1"}, "--zone"},
        {{"--lat", "18.5:31N"}, "--lat"},
        {{"--lat", "1000:0N"}, "--lat"},
        {{"--lon", "73:51N"}, "--lon"},
        {{"--format", "xml"}, "--format"},
        {{"--name"}, "--name"},
        {{"--dst=yes"}, "--dst"},
    };
    for (const auto& [extra, option] : cases) {
        const ParseResult r = ParseChartOptions(replaced(extra[0].substr(0, extra[0].find('=')), extra));
        ASSERT_FALSE(r.ok()) << extra[0];
        EXPECT_EQ(r.usageError.rfind(option, 0), 0U) << r.usageError;
    }
}

TEST(ParseChartOptions, RepeatedAndMissingRequiredOptions) {
    // A value or a flag given twice, in either spelling, is refused: which one counts would be a guess.
    const std::pair<std::vector<std::string>, std::string> repeats[] = {
        {{"--name", "Other"}, "--name"}, {{"--name=Other"}, "--name"}, {{"--dst", "--dst"}, "--dst"}, {{"-h", "--help"}, "--help"}};
    for (const auto& [again, option] : repeats) {
        std::vector<std::string> twice = referenceArgs();
        twice.insert(twice.end(), again.begin(), again.end());
        EXPECT_EQ(ParseChartOptions(twice).usageError, option + ": given more than once") << option;
    }

    for (const char* required : {"--date", "--time", "--zone"}) {
        EXPECT_EQ(ParseChartOptions(replaced(required)).usageError.rfind(required, 0), 0U) << required;
    }
}

TEST(ParseChartOptions, FileOptions) {
    const ParseResult open = ParseChartOptions({"--open", "a.vrc", "--export", "a.txt", "--image", "a.jpg"});
    ASSERT_TRUE(open.ok()) << open.usageError;
    EXPECT_EQ(open.options.command, Command::Chart);
    EXPECT_EQ(open.options.openPath, "a.vrc");
    EXPECT_EQ(open.options.exportPath, "a.txt");
    EXPECT_EQ(open.options.imagePath, "a.jpg");
    EXPECT_FALSE(open.options.formatGiven);
    EXPECT_EQ(ParseChartOptions({"--open", "a.vrc", "--dst"}).usageError.rfind("--open", 0), 0U);
    EXPECT_EQ(ParseChartOptions({"--save="}).usageError.rfind("--save", 0), 0U);
    const ParseResult save = ParseChartOptions(replaced("--save", {"--save", "b.vrc"}));
    ASSERT_TRUE(save.ok());
    EXPECT_EQ(save.options.savePath, "b.vrc");
}

TEST(ParseChartOptions, AnOptionIsNeverTakenAsTheValueOfAnother) {
    const ParseResult swallowed = ParseChartOptions(replaced("--city", {"--city", "--dst"}));
    EXPECT_EQ(swallowed.usageError, "--city: needs a value");
    const ParseResult inlineValue = ParseChartOptions(replaced("--city", {"--city=--odd"}));
    ASSERT_TRUE(inlineValue.ok()) << inlineValue.usageError;
    EXPECT_EQ(inlineValue.options.form.txtCity, "--odd");
}

TEST(ParseChartOptions, TextOptionsMustBeTextTheFormCouldHold) {
    const std::pair<const char*, std::string> cases[] = {
        {"--name", "Ravi\r\nX"},
        {"--city", "Delhi\x1b[2J"},
        {"--state", std::string("Del\xff", 4)},
        {"--country", std::string(app::MaxTextLength + 1, 'a')},
    };
    for (const auto& [option, value] : cases) {
        const ParseResult r = ParseChartOptions(replaced(option, {option, value}));
        EXPECT_EQ(r.usageError.rfind(std::string(option) + ": ", 0), 0U) << option << ": " << r.usageError;
    }
    EXPECT_TRUE(ParseChartOptions(replaced("--name", {"--name", "Jos\u00e9"})).ok());
}

TEST(ParseChartOptions, ZoneByPositionOrByAnAbbreviationOfOneRow) {
    const std::pair<const char*, int> found[] = {{"34", 34}, {"0", 0}, {"IST", 34}, {"GMT", 29}, {"UT", 61}, {"SAD", 56}};
    for (const auto& [zone, position] : found) {
        const ParseResult r = ParseChartOptions(replaced("--zone", {"--zone", zone}));
        ASSERT_TRUE(r.ok()) << zone << ": " << r.usageError;
        EXPECT_EQ(r.options.form.cboTimeZone, position) << zone;
    }
    const ParseResult several = ParseChartOptions(replaced("--zone", {"--zone", "NST"}));
    EXPECT_NE(several.usageError.find("several zones: 50 (Newfoundland Standard Time,NST,-3.5) 52 (North Sumatra"),
              std::string::npos)
        << several.usageError;
    for (const char* bad : {"71", "ist", "XYZ", "3.5"}) {
        EXPECT_EQ(ParseChartOptions(replaced("--zone", {"--zone", bad})).usageError.rfind("--zone: ", 0), 0U) << bad;
    }
}

TEST(ParseChartOptions, ShortFlagsVersionAndFilesNeedABirth) {
    EXPECT_EQ(ParseChartOptions({"-h"}).options.command, Command::Help);
    EXPECT_EQ(ParseChartOptions({"-V"}).options.command, Command::Version);
    EXPECT_EQ(ParseChartOptions({"--version"}).options.command, Command::Version);
    for (const char* file : {"--save", "--export", "--image"}) {
        EXPECT_EQ(ParseChartOptions({file, "x"}).usageError, std::string(file) + ": needs birth data options or --open");
    }
    EXPECT_TRUE(ParseChartOptions({"--open", "a.vrc", "--save", "b.vrc"}).ok());
}

TEST(ParseChartOptions, VargaAndStyle) {
    const ParseResult r = ParseChartOptions(replaced("--zone", {"--zone", "34", "--varga", "9", "--style", "north"}));
    ASSERT_TRUE(r.ok()) << r.usageError;
    EXPECT_EQ(r.options.varga, 9);
    EXPECT_TRUE(r.options.northStyle);
    for (const char* bad : {"4", "0", "13", "x"}) {
        EXPECT_EQ(ParseChartOptions(replaced("--zone", {"--zone", "34", "--varga", bad})).usageError,
                  "--varga: must be 1, 2, 3, 7, 9, 10 or 12");
    }
    EXPECT_EQ(ParseChartOptions(replaced("--zone", {"--zone", "34", "--style", "east"})).usageError,
              "--style: must be north or south");
}

TEST(ManualPage, DocumentsEveryOption) {
    std::ifstream file(std::string(VELORIN_RESOURCES) + "/man/velorin-chart.1");
    ASSERT_TRUE(file.good());
    const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const std::string& option : KnownOptions()) {
        const std::string escaped = "\\-\\-" + option.substr(2);  // "--name" is written \-\-name
        EXPECT_NE(page.find(escaped), std::string::npos) << option;
        EXPECT_NE(std::string(UsageText).find(option), std::string::npos) << option;
    }
}

TEST(ParseChartOptions, CommandsWithoutBirthData) {
    EXPECT_EQ(ParseChartOptions({}).options.command, Command::Example);
    EXPECT_EQ(ParseChartOptions({"--format", "json"}).options.command, Command::Example);
    EXPECT_EQ(ParseChartOptions({"--zones"}).options.command, Command::Zones);
    EXPECT_EQ(ParseChartOptions({"--help", "--name", "x"}).options.command, Command::Help);
    // A name alone is birth data: the other fields are then missing.
    EXPECT_FALSE(ParseChartOptions({"--name", "x"}).ok());
    // The dasha's year: one of the lengths in use, exactly as written.
    const std::pair<const char*, double> years[] = {{"365.25", 365.25}, {"365.2425", 365.2425}, {"365.25636", 365.25636},
                                                    {"360", 360.0}, {"365", 0}, {"360.0", 0}, {"x", 0}};
    for (const auto& [text, days] : years) {
        const ParseResult parsed = ParseChartOptions({"--dasha-year", text});
        EXPECT_EQ(parsed.ok(), days != 0) << text;
        if (days != 0) {
            EXPECT_EQ(parsed.options.dashaYear, days) << text;
        } else {
            EXPECT_EQ(parsed.usageError.rfind("--dasha-year: must be", 0), 0U) << text;
        }
    }
    // A batch takes its births from its lines: nothing of a single chart goes with it, and of
    // several such options the first in the order of their names is the one named.
    for (const char* other : {"--zones", "--dst"}) {
        EXPECT_EQ(ParseChartOptions({"--batch", "b.jsonl", other}).usageError,
                  std::string("--batch: takes its births from its lines; ") + other + " cannot go with it");
    }
    const std::pair<std::vector<std::string>, std::string> withBatch[] = {
        {{"--name", "x", "--city", "y"}, "--city"},
        {{"--zone", "3", "--format", "text"}, "--format"},
        {{"--format", "json", "--jobs", "2", "--sections", "none"}, ""},
    };
    for (const auto& [others, named] : withBatch) {
        std::vector<std::string> args = {"--batch", "b.jsonl"};
        args.insert(args.end(), others.begin(), others.end());
        EXPECT_EQ(ParseChartOptions(args).usageError,
                  named.empty() ? "" : "--batch: takes its births from its lines; " + named + " cannot go with it")
            << named;
    }
}

}  // namespace

namespace {

TEST(ParseChartOptions, DecimalDegreesRoundToTheNearestMinute) {
    struct Case {
        const char* lat;
        const char* lon;
        std::vector<std::string> boxes;  // latitude degrees, minutes, longitude degrees, minutes
        bool south, west;
    } const cases[] = {
        {"28.6139", "77.2090", {"28", "37", "77", "13"}, false, false},
        {"-33.8688", "-77.2090", {"33", "52", "77", "13"}, true, true},
        {"51.508333", "-0.125", {"51", "30", "0", "8"}, false, true},   // 7.5' rounds up
        {"-0.004", "179.9999", {"0", "0", "180", "0"}, false, false},  // 0:00 counts as north
        {"90", "-180", {"90", "0", "180", "0"}, false, true},
        {"12.99999", "+5.5", {"13", "0", "5", "30"}, false, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = replaced("--lat", {"--lat", c.lat});
        args.erase(std::find(args.begin(), args.end(), "--lon"), std::find(args.begin(), args.end(), "--lon") + 2);
        args.insert(args.end(), {"--lon", c.lon});
        const ParseResult r = ParseChartOptions(args);
        ASSERT_TRUE(r.ok()) << c.lat << " " << r.usageError;
        const app::BirthFormValues& f = r.options.form;
        EXPECT_EQ((std::vector<std::string>{f.txtLatDeg, f.txtLatMin, f.txtLonDeg, f.txtLonMin}), c.boxes) << c.lat;
        EXPECT_EQ(f.optLatSouth, c.south) << c.lat;
        EXPECT_EQ(f.optLatNorth, !c.south) << c.lat;
        EXPECT_EQ(f.optLongWest, c.west) << c.lon;
        EXPECT_EQ(f.optLongEast, !c.west) << c.lon;
    }
    for (const char* bad : {"90.01", "12.", ".5", "1.2.3", "-+5", "12.5N", "1234", "12.0000000001", "-"}) {
        const ParseResult r = ParseChartOptions(replaced("--lat", {"--lat", bad}));
        EXPECT_EQ(r.usageError.rfind("--lat: expected D:M followed by N or S, or decimal degrees up to 90", 0), 0u) << bad;
    }
    EXPECT_FALSE(ParseChartOptions(replaced("--lon", {"--lon", "180.01"})).ok());
}

TEST(ParseChartOptions, ThePlaceAndTheTimeZoneFromTheAtlas) {
    const std::vector<std::string> when = {"--date", "1990-05-15", "--time", "10:30"};
    const auto parse = [&](std::vector<std::string> args) {
        args.insert(args.end(), when.begin(), when.end());
        return ParseChartOptions(args);
    };
#ifdef VELORIN_ATLAS_BUILT
    const ParseResult place = parse({"--place", "Pune", "--city", "Poona"});
    ASSERT_TRUE(place.ok()) << place.usageError;
    EXPECT_EQ(place.options.placeQuery, "Pune");
    EXPECT_EQ(place.options.givenByHand, (std::set<std::string>{"--place", "--city", "--date", "--time"}));
    const ParseResult zone = parse({"--tz", "America/Argentina/Buenos_Aires", "--lon", "58:22W"});
    ASSERT_TRUE(zone.ok()) << zone.usageError;
    EXPECT_EQ(zone.options.timeZoneName, "America/Argentina/Buenos_Aires");
    EXPECT_EQ(parse({"--tz", "Asia/Kolkata"}).usageError.rfind("--tz: needs --lon", 0), 0u);
    EXPECT_EQ(parse({"--tz", "Asia/Kolkata; rm", "--lon", "1:0E"}).usageError.rfind("--tz: expected a time zone", 0), 0u);
    EXPECT_EQ(parse({"--place-list"}).usageError, "--place-list: goes with --place");
    EXPECT_EQ(parse({"--place", "Pune", "--place-list"}).options.command, Command::PlaceList);
#else
    EXPECT_EQ(parse({"--place", "Pune"}).usageError.rfind("--place: is not available in this build", 0), 0u);
#endif
    // Without the atlas, the zone must be given.
    EXPECT_EQ(parse({"--lat", "1:0N"}).usageError, "--zone: is required");
}

}  // namespace

namespace {

TEST(ParseChartOptions, SectionsChooseTheJsonsOptionalParts) {
    struct Case {
        std::vector<std::string> extra;
        bool vargas, dasha, check;
    } const cases[] = {
        {{}, true, true, false},
        {{"--sections", "dasha"}, false, true, false},
        {{"--sections", "vargas,dasha"}, true, true, false},
        {{"--sections", "none"}, false, false, false},
#ifdef VELORIN_WITH_CHECK
        {{"--sections", "check"}, false, false, true},
        {{"--sections", "dasha,check", "--check"}, false, true, true},
#endif
    };
    for (const Case& c : cases) {
        const ParseResult r = ParseChartOptions(replaced("--zone", [&] {
            std::vector<std::string> extra = {"--zone", "34"};
            extra.insert(extra.end(), c.extra.begin(), c.extra.end());
            return extra;
        }()));
        ASSERT_TRUE(r.ok()) << r.usageError;
        EXPECT_EQ((std::vector<bool>{r.options.vargas, r.options.dasha, r.options.check}),
                  (std::vector<bool>{c.vargas, c.dasha, c.check}));
    }
    for (const char* bad : {"dashas", "none,dasha", "", "vargas,,dasha"}) {
        EXPECT_EQ(ParseChartOptions(replaced("--zone", {"--zone", "34", "--sections", bad})).usageError.rfind("--sections: expected", 0),
                  0u)
            << bad;
    }
#ifdef VELORIN_WITH_CHECK
    EXPECT_EQ(ParseChartOptions(replaced("--zone", {"--zone", "34", "--sections", "dasha", "--check"})).usageError,
              "--check: --sections leaves the check out; add check to it");
#endif
    EXPECT_TRUE(ParseChartOptions({"--batch", "-", "--sections", "none"}).ok());
    // A batch's lines say "sky" themselves; the flags are not taken for the whole batch.
    std::vector<std::string> flags = {"--place-list"};
#ifdef VELORIN_WITH_CHECK
    flags.push_back("--sky");  // (a build without the sky refuses --sky itself)
#endif
    for (const std::string& flag : flags) {
        EXPECT_EQ(ParseChartOptions({"--batch", "-", flag}).usageError,
                  "--batch: takes its births from its lines; " + flag + " cannot go with it");
    }
}

}  // namespace

namespace {

TEST(ParseChartOptions, TheNodeGoesWithTheSky) {
    const auto parse = [](std::vector<std::string> extra) {
        std::vector<std::string> args = {"--zone", "34"};
        args.insert(args.end(), extra.begin(), extra.end());
        return ParseChartOptions(replaced("--zone", args));
    };
#ifdef VELORIN_WITH_CHECK
    EXPECT_TRUE(parse({"--sky", "--node", "true"}).options.trueNode);
    EXPECT_FALSE(parse({"--sky", "--node", "mean"}).options.trueNode);
    EXPECT_FALSE(parse({"--sky"}).options.trueNode);
    EXPECT_EQ(parse({"--sky", "--node", "osculating"}).usageError, "--node: must be mean or true");
    EXPECT_EQ(parse({"--node", "true"}).usageError, "--node: goes with --sky (the chart's own node is its rule's)");
#else
    EXPECT_EQ(parse({"--sky"}).usageError, "--sky: is not available in this build (it needs the ERFA library)");
#endif
}

TEST(ParseChartOptions, ThePanchangaAndItsPositions) {
    const auto parse = [](std::vector<std::string> extra) {
        std::vector<std::string> args = {"--zone", "34"};
        args.insert(args.end(), extra.begin(), extra.end());
        return ParseChartOptions(replaced("--zone", args));
    };
#ifdef VELORIN_WITH_CHECK
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--panchanga", "--sky"}, ""},
        {{"--panchanga", "--panchanga-positions", "chart"}, ""},
        {{"--panchanga", "--panchanga-positions", "moon"}, "--panchanga-positions: must be sky or chart"},
        {{"--panchanga-positions", "chart"}, "--panchanga-positions: goes with --panchanga"},
        {{"--panchanga", "--sky", "--panchanga-positions", "chart"},
         "--panchanga-positions: chart cannot go with --sky (the chart then shows the sky's positions)"},
    };
    for (const auto& [args, error] : cases) EXPECT_EQ(parse(args).usageError, error) << args.back();
    EXPECT_TRUE(parse({"--panchanga"}).options.panchanga);
    EXPECT_FALSE(parse({"--panchanga"}).options.panchangaChart);
    EXPECT_TRUE(parse({"--panchanga", "--panchanga-positions", "chart"}).options.panchangaChart);
    // A batch takes it for every line; the positions are a line's own.
    EXPECT_TRUE(ParseChartOptions({"--batch", "-", "--panchanga"}).options.panchanga);
    EXPECT_FALSE(ParseChartOptions({"--batch", "-", "--panchanga", "--panchanga-positions", "chart"}).ok());
#else
    EXPECT_EQ(parse({"--panchanga"}).usageError, "--panchanga: is not available in this build (it needs the ERFA library)");
#endif
}

}  // namespace

// --open: a chart file's value the entry form would not take (year 2051,
// hour 25) is named, so that the command refuses it instead of charting the
// form's own value.
TEST(UnreadChartFileFields, ValuesTheFormWouldKeepItsOwnForAreNamed) {
    const std::optional<app::ChartSession> session = testdata::computedSession(testdata::referenceForm());
    ASSERT_TRUE(session);
    const app::ChartFileLines good =
        app::ReadChartFileLines(app::MakeChartFileBytes(session->record, testdata::referenceForm().cboTimeZone));
    EXPECT_EQ(velorin_chart::UnreadChartFileFields(good), "");
    const std::tuple<std::size_t, const char*, const char*> cases[] = {
        {3, "2051", "year"}, {4, "25", "hour"}, {6, "71", "zone"}, {9, "1a", "latitude"}, {13, "maybe", "daylight saving"},
    };
    for (const auto& [line, value, field] : cases) {
        app::ChartFileLines lines = good;
        lines[line] = value;
        EXPECT_EQ(velorin_chart::UnreadChartFileFields(lines), field) << value;
    }
}
