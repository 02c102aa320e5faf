// The text export's 26 lines, their fixed labels and blanks, and its bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "app/ChartCalculation.h"
#include "app/ChartTextExport.h"
#include "support/Forms.h"

using namespace app;

namespace {

// The Pune birth, computed, with positions and captions put in by hand so
// that each line shows where its value comes from.
ChartRecord exportRecord() {
    ChartRecord r = testdata::computedSession(testdata::puneForm()).value().record;
    r.bodies.PlanetNameEnglish = {"Sun", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Rahu", "Ketu", "Ascendant", "Midheaven"};
    r.bodies.PlanetNameSanskrit = {"Surya", "Chandra", "Budha (R) ", "Shukra", "Mangala", "Guru", "Shani", "Rahu", "Ketu", "Ascendant", "Midheaven"};
    for (std::size_t i = 0; i < r.bodies.PlanetPositionText.size(); ++i) r.bodies.PlanetPositionText[i] = "0" + std::to_string(i % 10) + " Ari 00";
    r.captions.AyanamsaCaption = "23° 43' 35\"";
    r.captions.LagnaName = "Kataka";
    r.captions.NakshatraCaption = "Uttara Ashadha";
    r.moon.RashiName = "Dhanush";
    r.captions.PadaCaption = "1";
    r.captions.NakshatraLord = "Sun";
    return r;
}

TEST(ExportLines, FixedLabelsAndTheirBlanks) {
    const auto lines = MakeExportLines(exportRecord(), EnglishMonthNames());
    const std::pair<std::size_t, const char*> expected[] = {
        {0, "Name: abc"},
        {1, "Date of Birth: March 5, 1980"},
        {2, "Time of Birth: 14 Hour 7 Minute"},  // no blank after Minute
        {3, "Latitude: 18 Degree 31 Minute "},   // one blank after Minute
        {4, "Longitude: 73 Degree 51 Minute "},
        {5, "City: Pune"},
        {6, "State: Maharashtra"},
        {7, "Country: India"},
        {8, "\r"},
        {9, "Planetary Position"},
        {10, "Sun 00 Ari 00"},
        {12, "Mercury 02 Ari 00"},  // English name, no retrograde mark
        {18, "Ketu 08 Ari 00"},
        {19, "\r"},
        {20, "Ayanamsa: 23° 43' 35\""},
        {21, "Lagna / Asc: Kataka"},
        {22, "Nakshatra: Uttara Ashadha"},
        {23, "Rashi / Moon Sign: Dhanush"},
        {24, "Pada: 1"},
        {25, "Lord: Sun"},
    };
    for (const auto& [index, text] : expected) EXPECT_EQ(lines[index], text) << index;
}

TEST(ExportFileText, TwentySixCrLfAndTheSeparatorBytes) {
    const std::string text = MakeExportFileText(exportRecord(), EnglishMonthNames());
    std::size_t crlf = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) crlf += text.compare(i, 2, "\r\n") == 0;
    EXPECT_EQ(crlf, 26U);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_NE(text.find("Country: India\r\n\r\r\nPlanetary Position\r\n"), std::string::npos);
    EXPECT_NE(text.find("Ketu 08 Ari 00\r\n\r\r\nAyanamsa: "), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 26);
}

// The reference chart's whole export, computed from the form, against the
// golden file (see tests/data/README.md): every label, name and position.
TEST(ExportFileText, ReferenceChartMatchesTheGoldenFile) {
    const auto session = testdata::computedSession(testdata::referenceForm());
    ASSERT_TRUE(session.has_value());
    const std::string path = std::string(VELORIN_TEST_DATA) + "/reference-chart-export.txt";
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    const std::string golden((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(MakeExportFileText(session->record, EnglishMonthNames()), golden);
}

}  // namespace
