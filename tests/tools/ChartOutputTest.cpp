// What the command line prints: JSON keys and escapes, the terminal chart.
#include <gtest/gtest.h>

#include "ChartOptions.h"
#include "ChartOutput.h"

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

TEST(FormatChart, RingOrderAndDetails) {
    const std::string chart = FormatChart(exampleSession());
    // Top row: Pisces, Aries, Taurus, Gemini; bottom row Sagittarius .. Virgo.
    const std::size_t pis = chart.find("12 Pis"), ari = chart.find("1 Ari"), tau = chart.find("2 Tau");
    ASSERT_NE(pis, std::string::npos);
    EXPECT_LT(pis, ari);
    EXPECT_LT(ari, tau);
    EXPECT_LT(chart.find("4 Can"), chart.find("5 Leo"));
    EXPECT_LT(chart.find("9 Sag"), chart.find("6 Vir"));
    EXPECT_NE(chart.find("| Asc"), std::string::npos);
    EXPECT_NE(chart.find("Lagna / Asc      Kataka"), std::string::npos);
    // Every line of the square has the same width.
    std::size_t start = 0, width = 0;
    for (int line = 0; line < 12; ++line) {
        const std::size_t end = chart.find('\n', start);
        const std::size_t length = end - start;
        if (line == 0) width = length;
        EXPECT_EQ(length, width) << chart.substr(start, length);
        start = end + 1;
    }
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

}  // namespace
