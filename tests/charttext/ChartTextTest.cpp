// The chart as text: the South and North Indian squares, a division's
// square, and the pada, varga and dasha lines.
#include <gtest/gtest.h>

#include <sstream>
#include <string_view>
#include <vector>

#include "app/ChartCalculation.h"
#include "charttext/DerivedText.h"
#include "charttext/SquareCharts.h"
#include "support/Forms.h"

using namespace charttext;

namespace {

// The example chart of the command line: the reference birth.
app::ChartRecord exampleRecord() {
    const auto session = testdata::computedSession(testdata::referenceForm());
    EXPECT_TRUE(session.has_value());
    app::ChartRecord record = session->record;
    record.BirthName = "Example Chart";
    return record;
}

TEST(FormatChart, RingOrderAndDetails) {
    const std::string chart = FormatChart(exampleRecord());
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

TEST(FormatChart, NorthIndianHousesStartWithTheAscendant) {
    // The example's Ascendant is in Cancer (4) with Ketu; Jupiter in Gemini
    // (3) is in the twelfth house, top right; the Moon in Sagittarius (9) in
    // the sixth, bottom left.
    const std::string chart = FormatChart(exampleRecord(), {1, ChartStyle::North});
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
    const std::string d9 = FormatChart(exampleRecord(), {9, ChartStyle::South});
    EXPECT_NE(d9.find("Navamsa (D9)"), std::string::npos);
    EXPECT_NE(d9.find("| 6 Vir       |"), std::string::npos);
    // In the Navamsa the Ascendant (9° 52' Cancer) falls in Virgo.
    const std::size_t virgo = d9.find("| 6 Vir       |");
    EXPECT_NE(d9.find("| Asc         |", virgo), std::string::npos) << d9;
}

TEST(FormatDerivedText, PadaVargaAndDasha) {
    const std::string text = FormatDerivedText(exampleRecord(), 9);
    for (const char* piece : {"Moon's pada: 1\n", "Navamsa (D9)\n", "Moon       Sag\n", "Ascendant  Vir\n",
                              "Sun                   1990-05-15   1994-12-11\n" /* 22:16 UT on the 10th: the 11th in India */, "  Sun / Moon          ",
                              "Moon                  1994-12-11   2004-12-10\n"}) {
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    }
    EXPECT_EQ(FormatDerivedText(exampleRecord(), 1).find("Navamsa"), std::string::npos);
}

}  // namespace
