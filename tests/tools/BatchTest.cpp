// Many charts at once: the lines a batch takes, the lines it gives, and that
// threads change nothing but the speed.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "velorin-chart/Batch.h"
#include "velorin-chart/ChartOptions.h"

using namespace velorin_chart;

namespace {

TEST(ArgumentsOfBatchLine, KeysAreTheLongOptionNames) {
    std::string error;
    const auto args = ArgumentsOfBatchLine(
        R"({"name": "Ann \"A\" \u00e9", "zone": 34, "dst": true, "city": "a\/b", "x": false, "state": ""})", error);
    ASSERT_TRUE(args.has_value()) << error;
    EXPECT_EQ(*args, (std::vector<std::string>{"--name=Ann \"A\" \u00e9", "--zone=34", "--dst", "--city=a/b", "--state="}));
    EXPECT_EQ(ArgumentsOfBatchLine("{}", error).value(), std::vector<std::string>{});
    EXPECT_EQ(ArgumentsOfBatchLine(R"({"name": "\ud83d\ude00"})", error).value()[0], "--name=\U0001F600");
}

TEST(ArgumentsOfBatchLine, WhatIsNotABirthLine) {
    for (const char* bad : {"", "[1]", "{", R"({"name" "x"})", R"({"name": "x",})", R"({"name": "x"} {})",
                            R"({"zone": 3.5})", R"({"zone": -1})", R"({"name": null})", R"({"name": "\q"})",
                            R"({"name": "\ud83d"})", "{\"name\": \"a\tb\"}", R"({"name=Eve": "x"})",
                            R"({"--name": "x"})", R"({"Name": "x"})", R"({"zone": 034})", R"({"zone": 00})"}) {
        std::string error;
        EXPECT_FALSE(ArgumentsOfBatchLine(bad, error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(ChartLineOfBatchLine, ErrorsCarryTheLineAndTheStatus) {
    const std::string birth = R"("date": "1999-02-29", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
                              R"("city": "Delhi", "state": "Delhi", "country": "India")";
    EXPECT_EQ(ChartLineOfBatchLine("{\"name\": \"Ann\", " + birth + "}", 7),
              "{\"line\": 7, \"error\": \"Please Enter Correct Date Or Month!\", \"status\": 1}\n");
    EXPECT_EQ(ChartLineOfBatchLine(R"({"name": "Ann", "colour": "red"})", 3),
              "{\"line\": 3, \"error\": \"--colour: unknown option\", \"status\": 2}\n");
    EXPECT_NE(ChartLineOfBatchLine(R"({"open": "a.vrc"})", 1).find("\"status\": 2"), std::string::npos);
    EXPECT_NE(ChartLineOfBatchLine(R"({"name": "Ann", "save": "a.vrc"})", 1).find("\"status\": 2"), std::string::npos);
    EXPECT_NE(ChartLineOfBatchLine("{\"name\": \"A\xff\"}", 1).find("not valid UTF-8"), std::string::npos);
    // A file a line would write is refused, not left unwritten in silence.
    const std::string valid = R"("date": "1999-03-01", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E")";
    for (const char* file : {R"("save": "a.vrc")", R"("export": "a.txt")", R"("image": "a.jpg")", R"("pdf": "a.pdf")"}) {
        EXPECT_EQ(ChartLineOfBatchLine("{" + valid + ", " + file + "}", 4),
                  "{\"line\": 4, \"error\": \"a batch line holds birth data options only\", \"status\": 2}\n")
            << file;
    }
}

// Random births the form accepts, most of them; some days do not exist.
std::string randomBirths(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::ostringstream lines;
    for (std::size_t i = 0; i < count; ++i) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", pick(1901, 2050), pick(1, 12), pick(1, 31));
        lines << "{\"name\": \"P" << i << "\", \"date\": \"" << date << "\", \"time\": \"" << pick(0, 24) << ":"
              << pick(0, 59) / 10 << pick(0, 9) << "\", \"zone\": " << pick(0, 70) << ", \"lat\": \"" << pick(0, 89)
              << ":" << pick(0, 59) << (pick(0, 1) ? 'N' : 'S') << "\", \"lon\": \"" << pick(0, 179) << ":"
              << pick(0, 59) << (pick(0, 1) ? 'E' : 'W') << "\", \"city\": \"C\", \"state\": \"S\", \"country\": \"K\""
              << (pick(0, 3) == 0 ? ", \"dst\": true" : "") << "}\n";
        if (i % 97 == 5) lines << "\n";  // a blank line is answered too
    }
    return lines.str();
}

TEST(ChartLineOfBatchLine, TheBatchsSectionsGoForLinesThatDoNotChoose) {
    const std::string birth = R"("date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
                              R"("city": "D", "state": "D", "country": "I")";
    LineSettings chartOnly;
    chartOnly.sections = "none";
    const std::string plain = ChartLineOfBatchLine("{\"name\": \"A\", " + birth + "}", 1, chartOnly);
    EXPECT_EQ(plain.find("\"Vimshottari\""), std::string::npos);
    EXPECT_EQ(plain.find("\"DivisionalCharts\""), std::string::npos);
    const std::string own = ChartLineOfBatchLine("{\"name\": \"A\", \"sections\": \"dasha\", " + birth + "}", 2, chartOnly);
    EXPECT_NE(own.find("\"Vimshottari\""), std::string::npos);
    EXPECT_EQ(own.find("\"DivisionalCharts\""), std::string::npos);
}

#ifdef VELORIN_WITH_CHECK
// The "Panchanga" object of a line. The reference birth's values are
// swetest's: sunrise 00:00:47.6 and sunset 13:34:31.8 UT (05:31 and 19:05
// IST), the Sun at 30.38907 and the Moon at 269.84244 (elongation 239.45:
// tithi 20 at 0.9546, karana 40; nakshatra 21, pada 1; yoga 23) and the
// four ends found by bisection on swetest's positions, to the minute the
// same (scripts/make-panchanga-reference.py's method). The polar birth has
// neither sunrise nor sunset.
TEST(ChartLineOfBatchLine, ThePanchangaAsItsContractHasIt) {
    const std::string delhi = R"("date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
                              R"("city": "D", "state": "D", "country": "I", "sections": "none")";
    const std::string polar = R"("date": "2026-06-21", "time": "12:00", "zone": "GMT", "lat": "78:13N", "lon": "15:38E", )"
                              R"("city": "L", "state": "S", "country": "N", "sections": "none")";
    const std::string reference =
        R"({"Positions": "sky", "Sunrise": "1990-05-15T05:31", "Sunset": "1990-05-15T19:05", )"
        R"("Tithi": {"Number": 20, "Name": "Panchami", "Paksha": "Krishna", "Elapsed": 0.9546, "Ends": "1990-05-15T11:39"}, )"
        R"("Vara": {"Number": 3, "Name": "Mangalavara"}, )"
        R"("Nakshatra": {"Number": 21, "Name": "Uttara Ashadha", "Pada": 1, "Ends": "1990-05-16T06:11"}, )"
        R"("Yoga": {"Number": 23, "Name": "Shubha", "Ends": "1990-05-15T22:06"}, )"
        R"("Karana": {"Number": 40, "Name": "Taitila", "Ends": "1990-05-15T11:39"}})";
    const struct {
        std::string line;
        bool batchWide;
        std::string expected;  // the object's start; "" for no object
    } cases[] = {
        {"{\"name\": \"A\", \"panchanga\": true, " + delhi + "}", false, reference},
        {"{\"name\": \"A\", " + delhi + "}", true, reference},
        {"{\"name\": \"A\", " + delhi + "}", false, ""},
        {"{\"name\": \"A\", \"panchanga\": true, " + polar + "}", false,
         R"({"Positions": "sky", "Sunrise": null, "Sunset": null, "Tithi": {"Number": 8, "Name": "Ashtami", )"},
    };
    for (const auto& c : cases) {
        LineSettings settings;
        settings.panchanga = c.batchWide;
        const std::string out = ChartLineOfBatchLine(c.line, 1, settings);
        const std::size_t at = out.find("\"Panchanga\": ");
        if (c.expected.empty()) {
            EXPECT_EQ(at, std::string::npos) << out;
            continue;
        }
        ASSERT_NE(at, std::string::npos) << out;
        EXPECT_EQ(out.substr(at + 13, c.expected.size()), c.expected) << c.line;
    }
}
#endif

TEST(RunBatch, ThreadsKeepTheInputOrderAndChangeNothing) {
    const std::string input = randomBirths(600, 11);  // spans several blocks of 64
    std::string outputs[3];
    const unsigned jobs[3] = {1, 2, 7};
    for (int k = 0; k < 3; ++k) {
        std::istringstream in(input);
        std::ostringstream out;
        BatchSettings settings;
        settings.jobs = jobs[k];
        settings.blockLines = 64;
        ASSERT_TRUE(RunBatch(in, out, settings));
        outputs[k] = out.str();
    }
    EXPECT_EQ(outputs[0], outputs[1]);
    EXPECT_EQ(outputs[0], outputs[2]);
    // One output line per birth line, each the chart of that line.
    std::istringstream in(input), out(outputs[0]);
    std::string birth, chart;
    std::size_t lineNumber = 0, charts = 0;
    while (std::getline(in, birth)) {
        ++lineNumber;
        ASSERT_TRUE(std::getline(out, chart));
        EXPECT_EQ(chart + "\n", ChartLineOfBatchLine(birth, lineNumber)) << lineNumber;
        charts += chart.rfind("{\"Line\": " + std::to_string(lineNumber) + ", \"BirthName\"", 0) == 0;
    }
    EXPECT_FALSE(std::getline(out, chart));
    EXPECT_GT(charts, 500U);  // most random births are charts, the rest errors
}

#ifdef VELORIN_WITH_CHECK
// A thread computes its lines in the room of one session: nothing of a line
// (the sky's positions, the true node) reaches the next.
TEST(RunBatch, EachLineStartsAfreshOnItsThread) {
    const std::string birth = R"("name": "A", "date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", )"
                              R"("lon": "77:12E", "city": "D", "state": "D", "country": "I"})";
    const std::string sky = "{\"sky\": true, \"node\": \"true\", " + birth, plain = "{" + birth;
    std::istringstream in(sky + "\n" + plain + "\n");
    std::ostringstream out;
    BatchSettings settings;
    settings.jobs = 1;
    ASSERT_TRUE(RunBatch(in, out, settings));
    EXPECT_EQ(out.str(), ChartLineOfBatchLine(sky, 1) + ChartLineOfBatchLine(plain, 2));
    EXPECT_NE(out.str().find("\"Positions\": \"chart\""), std::string::npos);
}
#endif

// Blocks of every size from 1 to 5 start and end on each kind of line: a chart,
// a line the form refuses, a line that is not a birth, a blank line.
TEST(RunBatch, EveryLineIsAnsweredOnceInOrderAcrossBlocks) {
    const std::string place = R"("time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
                              R"("city": "Delhi", "state": "Delhi", "country": "India")";
    const auto chart = [&](const std::string& name) {
        return "{\"name\": \"" + name + "\", \"date\": \"1990-05-15\", " + place + "}";
    };
    const std::string refused = "{\"name\": \"Ann\", \"date\": \"1999-02-29\", " + place + "}";
    const std::vector<std::string> lines = {
        chart("Ann"), "", "[not a birth]", chart("Bob"), chart("Cy"), " ", "\t", refused, chart("Dee"),
        "{\"colour\": \"red\"}", chart("Eve"), "", chart("Flo"), refused, chart("Gus"),
    };
    std::string input, expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        input += lines[i] + (i % 3 == 0 ? "\r\n" : "\n");
        expected += ChartLineOfBatchLine(lines[i], i + 1);
    }
    EXPECT_EQ(ChartLineOfBatchLine(" ", 6), "{\"line\": 6, \"error\": \"empty line\", \"status\": 2}\n");
    for (const std::size_t block : {1U, 2U, 3U, 4U, 5U, 4096U}) {
        for (const unsigned jobs : {1U, 3U}) {
            std::istringstream in(input);
            std::ostringstream out;
            BatchSettings settings;
            settings.jobs = jobs;
            settings.blockLines = block;
            ASSERT_TRUE(RunBatch(in, out, settings));
            EXPECT_EQ(out.str(), expected) << "blocks of " << block << ", " << jobs << " threads";
        }
    }
    // When the system starts only some of the threads asked for (or none),
    // the batch goes on with those and answers every line all the same.
    for (const int startable : {0, 1}) {
        int started = 0;
        BatchSettings settings;
        settings.jobs = 999;
        settings.blockLines = 4;
        settings.startThread = [&started, startable](std::function<void()> work, std::vector<std::thread>& threads) {
            if (started >= startable) return false;
            ++started;
            threads.emplace_back(std::move(work));
            return true;
        };
        std::istringstream in(input);
        std::ostringstream out;
        ASSERT_TRUE(RunBatch(in, out, settings));
        EXPECT_EQ(out.str(), expected) << startable << " threads could start";
    }
}

std::string runBatch(const std::string& input, BatchSettings settings = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_TRUE(RunBatch(in, out, settings));
    return out.str();
}

const std::string Birth = R"({"name": "Ann", "date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", )"
                          R"("lon": "77:12E", "city": "Delhi", "state": "Delhi", "country": "India"})";

// A line longer than a birth can need is answered with an error without
// being held whole, and the lines around it are answered as ever; a
// byte-order mark before the first line is no part of it.
TEST(RunBatch, LongLinesAndAByteOrderMark) {
    const std::string tooLong(MaxBatchLineBytes + 1, 'x');
    const std::string longest = "{\"name\": \"" + std::string(MaxBatchLineBytes - 12, 'a') + "\"}";
    ASSERT_EQ(longest.size(), MaxBatchLineBytes);
    // In one block, and a line a block (each answer written where the one before was).
    for (const std::size_t blockLines : {BatchBlockLines, std::size_t{1}}) {
        BatchSettings settings;
        settings.blockLines = blockLines;
        const std::string output =
            runBatch("\xEF\xBB\xBF" + Birth + "\n" + tooLong + "\n" + longest + "\n" + Birth + "\n", settings);
        std::istringstream lines(output);
        std::string line;
        std::vector<std::string> answers;
        while (std::getline(lines, line)) answers.push_back(line + "\n");
        ASSERT_EQ(answers.size(), 4U) << output.substr(0, 300);
        EXPECT_EQ(answers[0], ChartLineOfBatchLine(Birth, 1));
        EXPECT_EQ(answers[1], "{\"line\": 2, \"error\": \"the line is longer than 65536 bytes\", \"status\": 2}\n");
        EXPECT_EQ(answers[2], ChartLineOfBatchLine(longest, 3));  // at the bound: read, and refused as a birth
        EXPECT_EQ(answers[3], ChartLineOfBatchLine(Birth, 4));
    }
}

// The output ends after a whole line when it fails or a stop is asked for.
TEST(RunBatch, AStopOrAFailedWriteEndsAfterAWholeLine) {
    const std::string input = Birth + "\n" + Birth + "\n" + Birth + "\n";
    std::vector<std::string> written;
    BatchSettings settings;
    settings.writeLine = [&written](const std::string& line) {
        written.push_back(line);
        return written.size() < 2;  // the second write fails
    };
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_FALSE(RunBatch(in, out, settings));
    EXPECT_EQ(written.size(), 2U);
    bool stop = false;
    settings.writeLine = [&](const std::string& line) {
        written.push_back(line);
        stop = true;  // as if an interrupt came while this line was written
        return true;
    };
    settings.stopRequested = [&stop] { return stop; };
    written.clear();
    EXPECT_EQ(runBatch(input, settings), "");
    ASSERT_EQ(written.size(), 1U);
    EXPECT_EQ(written[0], ChartLineOfBatchLine(Birth, 1));
}

}  // namespace

// CSV in: each row answered as the JSON line that says the same, with the
// row's first line in the file as its number; quoting as RFC 4180 has it.
TEST(RunBatch, CsvRowsAreAnsweredAsTheirJsonLines) {
    const std::string birth = R"("date": "1990-05-15", "time": "10:30", "zone": "34", "lat": "28:36N", "lon": "77:12E")";
    const std::string header = "name,date,time,zone,lat,lon,city,state,country,sky\r\n";
    const std::string cells = "1990-05-15,10:30,34,28:36N,77:12E,";
    struct Case {
        std::string csv;  // the rows after the header
        std::vector<std::pair<std::size_t, std::string>> answers;  // the line number and the JSON line, or "!error"
    } const cases[] = {
        {"Ravi," + cells + "Delhi,Delhi,India,\r\n",
         {{2, "{\"name\": \"Ravi\", " + birth + R"(, "city": "Delhi", "state": "Delhi", "country": "India"})"}}},
        // Quoted cells, a doubled quote, an empty cell (nothing asked), a flag.
        {"\"Ravi Kumar\"," + cells + "\"New Delhi\",,\"In\"\"dia\",TRUE\n",
         {{2, "{\"name\": \"Ravi Kumar\", " + birth + R"(, "city": "New Delhi", "country": "In\"dia", "sky": true})"}}},
        // A line break inside quotes: the next row starts two lines on.
        {"\"Ravi\nKumar\"," + cells + "D,D,I,no\nAnn," + cells + "D,D,I,\n",
         {{2, "{\"name\": \"Ravi\\nKumar\", " + birth + R"(, "city": "D", "state": "D", "country": "I"})"},
          {4, "{\"name\": \"Ann\", " + birth + R"(, "city": "D", "state": "D", "country": "I"})"}}},
        // More cells than the header names; a blank row.
        {"Ann," + cells + "D,D,I,,extra\n\nBob," + cells + "D,D,I\n",
         {{2, "!the row has 11 cells, the header names 10"}, {3, ""},
          {4, "{\"name\": \"Bob\", " + birth + R"(, "city": "D", "state": "D", "country": "I"})"}}},
    };
    for (const Case& c : cases) {
        std::string expected;
        for (const auto& [number, json] : c.answers) {
            expected += json.rfind('!', 0) == 0 ? ErrorLine(number, json.substr(1), 2) : ChartLineOfBatchLine(json, number);
        }
        for (const std::string& mark : {std::string(), std::string("\xEF\xBB\xBF")}) {
            std::istringstream in(mark + header + c.csv);
            std::ostringstream out;
            BatchSettings settings;
            settings.csv = true;
            settings.blockLines = 2;
            const BatchResult result = RunBatch(in, out, settings);
            ASSERT_TRUE(result) << result.problem;
            EXPECT_EQ(out.str(), expected) << c.csv;
        }
    }
    // A header that names no option cannot start a batch.
    for (const char* wrong : {"name,colour\n", "", "name,\"\"\n"}) {
        std::istringstream in(wrong);
        std::ostringstream out;
        BatchSettings settings;
        settings.csv = true;
        const BatchResult result = RunBatch(in, out, settings);
        EXPECT_FALSE(result.problem.empty()) << wrong;
        EXPECT_TRUE(out.str().empty()) << wrong;
    }
}

// --format csv: a summary row a line under one header, the same chart as the
// JSON line's, an error in the last cell, and cells a spreadsheet reads back
// as written (quotes, commas; no formula).
TEST(RunBatch, TheCsvSummaryHasTheJsonLinesChart) {
    const std::string birth = R"("date": "1990-05-15", "time": "10:30", "zone": 34, "lat": "28:36N", "lon": "77:12E", )"
                              R"("city": "New Delhi", "state": "Delhi", "country": "India")";
    const std::vector<std::string> lines = {
        "{\"name\": \"Kumar, \\\"Ravi\\\"\", " + birth + "}",
        "{\"name\": \"=SUM(A1)\", " + birth + "}",
        "{\"name\": \"Ann\", \"date\": \"1999-02-29\", \"time\": \"1:00\", \"zone\": 34, \"lat\": \"1:00N\", "
        "\"lon\": \"1:00E\", \"city\": \"C\", \"state\": \"S\", \"country\": \"K\"}",
    };
    std::string input;
    for (const std::string& line : lines) input += line + "\n";
    std::istringstream in(input);
    std::ostringstream out;
    BatchSettings settings;
    settings.line.csvSummary = true;
    const BatchResult result = RunBatch(in, out, settings);
    EXPECT_EQ(result.refused, 1u);
    std::istringstream table(out.str());
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> cells;
    std::size_t breaks = 0;
    bool tooLong = false;
    while (ReadCsvRecord(*table.rdbuf(), cells, 4096, breaks, tooLong)) {
        if (!cells.empty() && !cells.back().empty() && cells.back().back() == '\r') cells.back().pop_back();
        rows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), 4u) << out.str();
    EXPECT_EQ(rows[0].front(), "Line");
    for (const auto& row : rows) EXPECT_EQ(row.size(), 13u) << row.front();
    EXPECT_EQ(rows[1][1], "Kumar, \"Ravi\"");
    EXPECT_EQ(rows[2][1], "'=SUM(A1)");
    EXPECT_EQ(rows[3][0], "3");
    EXPECT_EQ(rows[3][12], "Please Enter Correct Date Or Month!");
    // The chart's values, as the JSON line of the same birth has them.
    const std::string json = ChartLineOfBatchLine(lines[0], 1);
    const auto field = [&json](const std::string& key) {
        const std::size_t at = json.find("\"" + key + "\": ");
        const std::size_t start = at + key.size() + 4;
        return json[start] == '"' ? json.substr(start + 1, json.find('"', start + 1) - start - 1)
                                  : json.substr(start, json.find_first_of(",}", start) - start);
    };
    EXPECT_EQ(rows[1][2], "1990-05-15");
    EXPECT_EQ(rows[1][3], "10:30");
    EXPECT_EQ(rows[1][4], "New Delhi, Delhi, India");
    EXPECT_EQ(rows[1][5].substr(0, field("LagnaName").size()), field("LagnaName"));
    EXPECT_EQ(rows[1][7], field("RashiName"));
    EXPECT_EQ(rows[1][8], field("NakshatraName"));
    EXPECT_EQ(rows[1][9], field("MoonPada"));
    EXPECT_FALSE(rows[1][10].empty());
    EXPECT_NE(rows[1][11].find(" years "), std::string::npos);
}
