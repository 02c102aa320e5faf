// What the command line prints: JSON keys and escapes, the terminal chart.
#include <gtest/gtest.h>

#include <sstream>
#include <string_view>
#include <vector>

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

namespace {

TEST(FormatChart, NorthIndianHousesStartWithTheAscendant) {
    // The example's Ascendant is in Cancer (4) with Ketu; Jupiter in Gemini
    // (3) is in the twelfth house, top right; the Moon in Sagittarius (9) in
    // the sixth, bottom left.
    const std::string chart = FormatChart(exampleSession(), {1, ChartStyle::North});
    std::vector<std::string> rows;
    std::istringstream in(chart);
    for (std::string row; std::getline(in, row);) rows.push_back(row);
    ASSERT_EQ(rows.size(), 26U);
    EXPECT_EQ(rows[0], "Rashi (D1) chart (North Indian) of Example Chart");
    const auto at = [&rows](std::size_t row, std::size_t column, std::string_view text) {
        return rows[row + 1].compare(column, text.size(), text) == 0;
    };
    EXPECT_TRUE(at(4, 24, "4")) << chart;       // house 1, top centre
    EXPECT_TRUE(at(5, 22, "As Ke")) << chart;
    EXPECT_TRUE(at(3, 12, "5")) << chart;       // house 2: Leo
    EXPECT_TRUE(at(1, 35, "Ju")) << chart;      // house 12: Gemini, Guru
    EXPECT_TRUE(at(23, 11, "Mo")) << chart;     // house 6: Sagittarius
    EXPECT_TRUE(at(11, 35, "MeR")) << chart;    // house 10: Aries, Budha retrograde
}

TEST(FormatChart, AVargaDrawsItsOwnSigns) {
    const std::string d9 = FormatChart(exampleSession(), {9, ChartStyle::South});
    EXPECT_NE(d9.find("Navamsa (D9)"), std::string::npos);
    EXPECT_NE(d9.find("| 6 Vir       |"), std::string::npos);
    // In the Navamsa the Ascendant (9° 52' Cancer) falls in Virgo.
    const std::size_t virgo = d9.find("| 6 Vir       |");
    EXPECT_NE(d9.find("| Asc         |", virgo), std::string::npos) << d9;
}

TEST(FormatDerivedText, PadaVargaAndDasha) {
    const std::string text = FormatDerivedText(exampleSession(), 9);
    for (const char* piece : {"Moon's pada: 1\n", "Navamsa (D9)\n", "Moon       Sag\n", "Ascendant  Vir\n",
                              "Sun                   1990-05-15   1994-12-10\n", "  Sun / Moon          ",
                              "Moon                  1994-12-10   2004-12-10\n"}) {
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    }
    EXPECT_EQ(FormatDerivedText(exampleSession(), 1).find("Navamsa"), std::string::npos);
}

}  // namespace
